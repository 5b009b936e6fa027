// The benchmark's stages as pure work, without windows: the same calls and
// loops as the timed intervals of the command, for comparison with the
// times the command reports (tools/bench/compare-stages.sh).
#include "Workload.h"
#include "Frame.h"

#include "fits.h"
#include "plane.h"
#include "vector_unit.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>
#if defined(__x86_64__) || defined(__i386__)
#endif

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

// As the command does before each of its intervals: clear the upper halves
// of the vector registers (vzeroupper) that library code may leave in use,
// so that the plain SSE loops do not pay a state-transition penalty.

void BM_StageMemoryAllocation(benchmark::State &state)
{
    Plane planes[9];
    for (auto _ : state) {
        settle_vector_unit();
        for (Plane &p : planes)
            alloc_plane(kSide, kSide, &p);
        state.PauseTiming();
        for (Plane &p : planes)
            free_plane(kSide, kSide, p);
        settle_vector_unit();
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
        settle_vector_unit();
        for (int f = 0; f < kFrames; ++f)
            write_fits(names[f].c_str(), kSide, kSide, frames().raw[f]);
        for (int f = 0; f < kFrames; ++f) {
            int w, h, cards;
            double offset;
            Plane p = nullptr;
            read_fits(names[f].c_str(), header, &w, &h, &cards, &offset, &p);
            state.PauseTiming();
            free_plane(w, h, p);
            settle_vector_unit();
        state.ResumeTiming();
        }
        // The command writes new files each run: remove these outside the timing.
        state.PauseTiming();
        for (const std::string &name : names)
            std::filesystem::remove(name);
        settle_vector_unit();
        state.ResumeTiming();
    }
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_StageFileAccess)->Unit(benchmark::kMillisecond);

// The display stage's pixel work for one frame: statistics, 8-bit
// rendering, and a display bitmap made for the frame (filled when made, as the
// form library makes bitmaps), its grey rows and its raw-sample rows.
void displayPixels(Plane frame, Plane display, int width, int height)
{
    const pixels::FrameStatistics st = pixels::GridStatistics(frame, width, height);
    const double variance = pixels::GridVariance(frame, width, height, st.mean);
    pixels::Render(frame, display, width, height, st.minimum, st.mean);
    std::vector<uint8_t> rows(static_cast<size_t>(width) * height * 3, 0xff);
    const pixels::Rows24 view{rows.data(), width * 3, width, height};
    pixels::FillGrey(display, view);
    pixels::FillRaw(frame, view);
    benchmark::DoNotOptimize(variance);
    benchmark::DoNotOptimize(st);
    benchmark::DoNotOptimize(rows.data());
}

// The display stage without its windows, for the four frames.  As in the
// command, each frame is read from its file and folded just before its
// interval (those not timed), so the planes are where a run leaves them
// in the caches, not where the previous iteration left them.
void BM_StageImageDisplayPixels(benchmark::State &state)
{
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("telvane-stage-disp-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::string names[kFrames];
    for (int f = 0; f < kFrames; ++f) {
        names[f] = (dir / (std::to_string(f) + ".fit")).string();
        write_fits(names[f].c_str(), kSide, kSide, frames().raw[f]);
    }
    char header[kFitsHeaderBytes];
    Plane display = nullptr;
    alloc_plane(kSide, kSide, &display);
    for (auto _ : state) {
        settle_vector_unit();
        for (int f = 0; f < kFrames; ++f) {
            state.PauseTiming();
            int w, h, cards;
            double offset;
            Plane frame = nullptr;
            read_fits(names[f].c_str(), header, &w, &h, &cards, &offset, &frame);
            fold_plane(bench::kFoldOffset, w, h, frame);
            settle_vector_unit();
        state.ResumeTiming();
            displayPixels(frame, display, w, h);
            state.PauseTiming();
            free_plane(w, h, frame);
            settle_vector_unit();
        state.ResumeTiming();
        }
    }
    free_plane(kSide, kSide, display);
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_StageImageDisplayPixels)->Unit(benchmark::kMillisecond);

void BM_StageComposite(benchmark::State &state)
{
    Plane acc = nullptr;
    alloc_plane(kSide, kSide, &acc);
    for (auto _ : state) {
        settle_vector_unit();
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
        settle_vector_unit();
        state.PauseTiming();
        for (int i = 0; i < 7; ++i)
            for (int j = 0; j < 7; ++j)
                kernel[i][j] = 0.0;
        bench::SetKernel(kernel);
        settle_vector_unit();
        state.ResumeTiming();
        convolve_plane(7, 7, kernel, kSide, kSide, acc);
    }
    free_plane(7, 7, kernel);
    free_plane(kSide, kSide, acc);
}
BENCHMARK(BM_StageConvolution)->Unit(benchmark::kMillisecond);

// A whole run without windows, from the total clock's start to its stop:
// the nine allocations, synthesis and writing, the display stage's reads,
// folds and pixel work, the composite's reads and additions, the kernel, the
// convolution, the deletions and the releases.  The reference for the
// command's total.
void BM_RunWithoutWindows(benchmark::State &state)
{
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("telvane-stage-run-" + std::to_string(::getpid()));
    std::string names[kFrames];
    char header[kFitsHeaderBytes];
    for (auto _ : state) {
        settle_vector_unit();
        std::filesystem::create_directories(dir);
        for (int f = 0; f < kFrames; ++f)
            names[f] = (dir / (std::to_string(f) + ".fit")).string();
        Plane planes[9];
        settle_vector_unit();
        for (Plane &p : planes)
            alloc_plane(kSide, kSide, &p);
        for (int i = 3; i < 9; ++i)
            free_plane(kSide, kSide, planes[i]);
        Plane frame = planes[0], accumulator = planes[1], display = planes[2];
        for (int f = 0; f < kFrames; ++f) {
            bench::SynthesizeFrame(frame);
            settle_vector_unit();
            write_fits(names[f].c_str(), kSide, kSide, frame);
        }
        free_plane(kSide, kSide, frame);
        for (int f = 0; f < kFrames; ++f) {
            int w, h, cards;
            double offset;
            settle_vector_unit();
            read_fits(names[f].c_str(), header, &w, &h, &cards, &offset, &frame);
            fold_plane(bench::kFoldOffset, w, h, frame);
            settle_vector_unit();
            displayPixels(frame, display, w, h);
            free_plane(w, h, frame);
        }
        for (int f = 0; f < kFrames; ++f) {
            int w, h, cards;
            double offset;
            settle_vector_unit();
            read_fits(names[f].c_str(), header, &w, &h, &cards, &offset, &frame);
            settle_vector_unit();
            bench::AddFrame(accumulator, frame, w, h);
            free_plane(w, h, frame);
        }
        RealPlane kernel = nullptr;
        alloc_real_plane(7, 7, &kernel);
        bench::SetKernel(kernel);
        settle_vector_unit();
        convolve_plane(7, 7, kernel, kSide, kSide, accumulator);
        benchmark::DoNotOptimize(accumulator[500][500]);
        for (const std::string &name : names)
            std::filesystem::remove(name);
        std::filesystem::remove(dir);
        free_plane(kSide, kSide, accumulator);
        free_plane(kSide, kSide, display);
        free_plane(7, 7, kernel);
    }
}
BENCHMARK(BM_RunWithoutWindows)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
