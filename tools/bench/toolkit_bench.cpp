// Benchmarks of the toolkit's picture operations, each against the
// one-thread direct loop of the same work in the same run: the channels
// split into planes, the core's convolve_plane (and smooth_below) called
// per channel one after the other, clamped and joined.  The ratio
// Toolkit/x ÷ OneThread/x is the figure to watch (real time).
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <random>
#include <vector>

#include "Toolkit.h"
#include "core_sequence.h"
#include "kernel.h"
#include "plane.h"

namespace {

struct Picture {
    int width, height;
    std::vector<uint8_t> bytes;
    Picture(int w, int h) : width(w), height(h), bytes(size_t(3) * size_t(w) * size_t(h))
    {
        std::mt19937 rng(1);
        for (uint8_t &b : bytes)
            b = uint8_t(rng());
    }
    pixels::Rows24 rows() { return {bytes.data(), 3 * width, width, height}; }
};

// The commands' one-thread sequence (tests/pixels/core_sequence.h).
void directConvolved(const pixels::Rows24 &in, const pixels::Rows24 &out, int kw, int kh,
                     const std::function<void(RealPlane)> &fill)
{
    reference::ConvolvedChannels(in, out, kw, kh, fill);
}

void blurFill(RealPlane k, double s)
{
    const int n = int(2 * s + 1);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            k[i][j] = std::exp(-((i - s) * (i - s) + (j - s) * (j - s)) / (s * s));
}

void edgeFill(RealPlane k)
{
    k[1][1] = 8;
    k[0][1] = k[1][0] = k[1][2] = k[2][1] = -1;
}

void solarFill(RealPlane k)
{
    k[1][0] = 5;
    k[1][1] = 5;
    k[1][2] = -4;
}

const pixels::GuideMissParams kCanceller{45, 1, 0.5, 64};

void directCancel(const pixels::Rows24 &pic, const pixels::GuideMissParams &p)
{
    reference::Cancel(pic, pic.width, pic.height, p);
}

template <class F>
void run(benchmark::State &state, int side, F f)
{
    Picture in(side, side), out(side, side);
    for (auto _ : state) {
        const pixels::Rows24 ri = in.rows(), ro = out.rows();
        f(ri, ro);
        benchmark::DoNotOptimize(out.bytes.data());
    }
    state.SetItemsProcessed(state.iterations() * int64_t(side) * side);
}

void OneThread_Blur3_1024(benchmark::State &s)
{
    run(s, 1024, [](const auto &i, const auto &o) { directConvolved(i, o, 7, 7, [](RealPlane k) { blurFill(k, 3); }); });
}
void Toolkit_Blur3_1024(benchmark::State &s)
{
    run(s, 1024, [](const auto &i, const auto &o) { pixels::Blur(i, o, 3); });
}
void OneThread_Edge2_1024(benchmark::State &s)
{
    run(s, 1024, [](const auto &i, const auto &o) { directConvolved(i, o, 3, 3, edgeFill); });
}
void Toolkit_Edge2_1024(benchmark::State &s)
{
    run(s, 1024, [](const auto &i, const auto &o) { pixels::EdgeEnhance(i, o, 2); });
}
void OneThread_Solarize_1024(benchmark::State &s)
{
    run(s, 1024, [](const auto &i, const auto &o) { directConvolved(i, o, 3, 3, solarFill); });
}
void Toolkit_Solarize_1024(benchmark::State &s)
{
    run(s, 1024, [](const auto &i, const auto &o) { pixels::Solarize(i, o); });
}
void OneThread_Canceller_1024(benchmark::State &s)
{
    run(s, 1024, [](const auto &i, const auto &) { directCancel(i, kCanceller); });
}
void Toolkit_Canceller_1024(benchmark::State &s)
{
    run(s, 1024, [](const auto &i, const auto &) { pixels::GuideMissCancel(i, i.width, i.height, kCanceller); });
}
void OneThread_Blur10_2048(benchmark::State &s)
{
    run(s, 2048, [](const auto &i, const auto &o) { directConvolved(i, o, 21, 21, [](RealPlane k) { blurFill(k, 10); }); });
}
void Toolkit_Blur10_2048(benchmark::State &s)
{
    run(s, 2048, [](const auto &i, const auto &o) { pixels::Blur(i, o, 10); });
}

} // namespace

BENCHMARK(OneThread_Blur3_1024)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(Toolkit_Blur3_1024)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(OneThread_Edge2_1024)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(Toolkit_Edge2_1024)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(OneThread_Solarize_1024)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(Toolkit_Solarize_1024)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(OneThread_Canceller_1024)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(Toolkit_Canceller_1024)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(OneThread_Blur10_2048)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(Toolkit_Blur10_2048)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

BENCHMARK_MAIN();
