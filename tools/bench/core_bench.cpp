// Benchmarks of the numeric core: plane allocation, the FITS writer and
// reader, and the convolution against the plainest loop doing the same work
// (same tests, same order of additions, accumulator stored every term in a
// plane allocated per call), so that their ratio comes from one run.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "fits.h"
#include "plane.h"

namespace {

constexpr int kSide = 1000;

class ScratchDir {
public:
    ScratchDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "telvane-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr)
            path_ = pattern;
    }
    ~ScratchDir() {
        std::error_code ec;
        if (!path_.empty())
            std::filesystem::remove_all(path_, ec);
    }
    std::string file(const char *name) const { return (path_ / name).string(); }
    bool ok() const { return !path_.empty(); }

private:
    std::filesystem::path path_;
};

Plane make_frame() {
    Plane p = nullptr;
    if (alloc_plane(kSide, kSide, &p) != 0)
        return nullptr;
    for (int x = 0; x < kSide; ++x)
        for (int y = 0; y < kSide; ++y)
            p[x][y] = (x * 7 + y * 13) % 32768;
    return p;
}

// The benchmark's 7 x 7 kernel: a shift with four negative-zero neighbours.
void set_kernel(RealPlane k) {
    for (int i = 0; i < 7; ++i)
        for (int j = 0; j < 7; ++j)
            k[i][j] = 0.0;
    k[2][2] = 1.0;
    k[2][1] = -0.0;
    k[2][3] = -0.0;
    k[1][2] = -0.0;
    k[3][2] = -0.0;
}

// The plainest reading of the convolution, for comparison.
int reference_convolve(int kw, int kh, RealPlane kernel, int width, int height, Plane plane) {
    RealPlane acc = nullptr;
    if (alloc_real_plane(width, height, &acc) != 0)
        return 1;
    double sum = 0.0;
    for (int i = 0; i < kw; ++i)
        for (int j = 0; j < kh; ++j)
            sum += kernel[i][j];
    for (int i = 0; i < kw; ++i)
        for (int j = 0; j < kh; ++j)
            kernel[i][j] = kernel[i][j] / sum;
    for (int x = 0; x < width; ++x)
        for (int y = 0; y < height; ++y)
            for (int i = 0; i < kw; ++i)
                for (int j = 0; j < kh; ++j) {
                    int sx = x + i - kw / 2;
                    int sy = y + j - kh / 2;
                    if (sx < 0 || sx >= width || sy < 0 || sy >= height)
                        continue;
                    if (kernel[i][j] == 0.0)
                        continue;
                    acc[x][y] = plane[sx][sy] * kernel[i][j] + acc[x][y];
                }
    for (int x = 0; x < width; ++x)
        for (int y = 0; y < height; ++y) {
            int v = static_cast<int>(acc[x][y]);
            plane[x][y] = v < 0 ? 0 : v;
        }
    free_plane(width, height, acc);
    return 0;
}

void BM_AllocPlane(benchmark::State &state) {
    for (auto _ : state) {
        Plane p = nullptr;
        if (alloc_plane(kSide, kSide, &p) != 0) {
            state.SkipWithError("allocation failed");
            break;
        }
        benchmark::DoNotOptimize(p);
        free_plane(kSide, kSide, p);
    }
}
BENCHMARK(BM_AllocPlane)->Unit(benchmark::kMillisecond);

void BM_WriteFits(benchmark::State &state) {
    ScratchDir dir;
    Plane p = make_frame();
    if (!dir.ok() || p == nullptr) {
        state.SkipWithError("setup failed");
        free_plane(kSide, kSide, p);
        return;
    }
    const std::string path = dir.file("0.fit");
    for (auto _ : state) {
        if (write_fits(path.c_str(), kSide, kSide, p) != 0) {
            state.SkipWithError("write failed");
            break;
        }
    }
    free_plane(kSide, kSide, p);
}
BENCHMARK(BM_WriteFits)->Unit(benchmark::kMillisecond);

void BM_ReadFits(benchmark::State &state) {
    ScratchDir dir;
    Plane p = make_frame();
    const std::string path = dir.file("0.fit");
    if (!dir.ok() || p == nullptr || write_fits(path.c_str(), kSide, kSide, p) != 0) {
        state.SkipWithError("setup failed");
        free_plane(kSide, kSide, p);
        return;
    }
    free_plane(kSide, kSide, p);
    static char header[kFitsHeaderBytes];
    for (auto _ : state) {
        int w = 0, h = 0, cards = 0;
        double offset = 0.0;
        Plane r = nullptr;
        if (read_fits(path.c_str(), header, &w, &h, &cards, &offset, &r) != 0) {
            state.SkipWithError("read failed");
            break;
        }
        benchmark::DoNotOptimize(r);
        free_plane(w, h, r);
    }
}
BENCHMARK(BM_ReadFits)->Unit(benchmark::kMillisecond);

template <int (*Convolve)(int, int, RealPlane, int, int, Plane)>
void BM_Convolve(benchmark::State &state) {
    Plane p = make_frame();
    RealPlane k = nullptr;
    if (p == nullptr || alloc_real_plane(7, 7, &k) != 0) {
        state.SkipWithError("setup failed");
        free_plane(kSide, kSide, p);
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        set_kernel(k);
        state.ResumeTiming();
        if (Convolve(7, 7, k, kSide, kSide, p) != 0) {
            state.SkipWithError("convolution failed");
            break;
        }
        benchmark::ClobberMemory();
    }
    free_plane(7, 7, k);
    free_plane(kSide, kSide, p);
}
BENCHMARK_TEMPLATE(BM_Convolve, convolve_plane)->Name("BM_ConvolvePlane")->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_Convolve, reference_convolve)->Name("BM_ConvolveReference")->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char **argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
