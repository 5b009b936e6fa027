// The benchmark's stages as pure work, without windows: the same calls and
// loops as the timed intervals of the command, for comparison with the
// times the command reports (tools/bench/compare-stages.sh).
#include "Workload.h"
#include "Frame.h"

#include "fits.h"
#include "plane.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using bench::kFrames;
using bench::kSide;

struct Frames {
    Plane raw[kFrames] = {};    // as written to the files
    Plane folded[kFrames] = {}; // as the display stage sees them
    Frames()
    {
        for (int f = 0; f < kFrames; ++f) {
            alloc_plane(kSide, kSide, &raw[f]);
            alloc_plane(kSide, kSide, &folded[f]);
            bench::SynthesizeFrame(raw[f]);
            for (int x = 0; x < kSide; ++x)
                for (int y = 0; y < kSide; ++y)
                    folded[f][x][y] = raw[f][x][y];
            fold_plane(bench::kFoldOffset, kSide, kSide, folded[f]);
        }
    }
    ~Frames()
    {
        for (int f = 0; f < kFrames; ++f) {
            free_plane(kSide, kSide, raw[f]);
            free_plane(kSide, kSide, folded[f]);
        }
    }
};

Frames &frames()
{
    static Frames f;
    return f;
}

void BM_StageMemoryAllocation(benchmark::State &state)
{
    Plane planes[9];
    for (auto _ : state) {
        for (Plane &p : planes)
            alloc_plane(kSide, kSide, &p);
        state.PauseTiming();
        for (Plane &p : planes)
            free_plane(kSide, kSide, p);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StageMemoryAllocation)->Unit(benchmark::kMillisecond);

void BM_StageFileAccess(benchmark::State &state)
{
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("telvane-stage-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::string names[kFrames];
    for (int f = 0; f < kFrames; ++f)
        names[f] = (dir / (std::to_string(f) + ".fit")).string();
    char header[kFitsHeaderBytes];
    for (auto _ : state) {
        for (int f = 0; f < kFrames; ++f)
            write_fits(names[f].c_str(), kSide, kSide, frames().raw[f]);
        for (int f = 0; f < kFrames; ++f) {
            int w, h, cards;
            double offset;
            Plane p = nullptr;
            read_fits(names[f].c_str(), header, &w, &h, &cards, &offset, &p);
            state.PauseTiming();
            free_plane(w, h, p);
            state.ResumeTiming();
        }
        // The command writes new files each run: remove these outside the timing.
        state.PauseTiming();
        for (const std::string &name : names)
            std::filesystem::remove(name);
        state.ResumeTiming();
    }
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_StageFileAccess)->Unit(benchmark::kMillisecond);

// The display stage's pixel work for the four frames: statistics, 8-bit
// rendering, the grey rows and the raw-sample rows of a 24-bit picture.
void BM_StageImageDisplayPixels(benchmark::State &state)
{
    Plane display = nullptr;
    alloc_plane(kSide, kSide, &display);
    std::vector<uint8_t> rows(static_cast<size_t>(kSide) * kSide * 3);
    for (auto _ : state) {
        for (int f = 0; f < kFrames; ++f) {
            Plane frame = frames().folded[f];
            const pixels::FrameStatistics st = pixels::GridStatistics(frame, kSide, kSide);
            const double variance = pixels::GridVariance(frame, kSide, kSide, st.mean);
            pixels::Render(frame, display, kSide, kSide, st.minimum, st.mean);
            const pixels::Rows24 view{rows.data(), kSide * 3, kSide, kSide};
            pixels::FillGrey(display, view);
            pixels::FillRaw(frame, view);
            benchmark::DoNotOptimize(variance);
            benchmark::DoNotOptimize(st);
            benchmark::DoNotOptimize(rows.data());
        }
    }
    free_plane(kSide, kSide, display);
}
BENCHMARK(BM_StageImageDisplayPixels)->Unit(benchmark::kMillisecond);

void BM_StageComposite(benchmark::State &state)
{
    Plane acc = nullptr;
    alloc_plane(kSide, kSide, &acc);
    for (auto _ : state) {
        for (int f = 0; f < kFrames; ++f)
            bench::AddFrame(acc, frames().raw[f], kSide, kSide);
        benchmark::DoNotOptimize(acc[0][0]);
    }
    free_plane(kSide, kSide, acc);
}
BENCHMARK(BM_StageComposite)->Unit(benchmark::kMillisecond);

void BM_StageConvolution(benchmark::State &state)
{
    Plane acc = nullptr;
    alloc_plane(kSide, kSide, &acc);
    for (int f = 0; f < kFrames; ++f)
        bench::AddFrame(acc, frames().raw[f], kSide, kSide);
    RealPlane kernel = nullptr;
    alloc_real_plane(7, 7, &kernel);
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 0; i < 7; ++i)
            for (int j = 0; j < 7; ++j)
                kernel[i][j] = 0.0;
        bench::SetKernel(kernel);
        state.ResumeTiming();
        convolve_plane(7, 7, kernel, kSide, kSide, acc);
    }
    free_plane(7, 7, kernel);
    free_plane(kSide, kSide, acc);
}
BENCHMARK(BM_StageConvolution)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
