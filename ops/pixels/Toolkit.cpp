#include "Toolkit.h"

#include "kernel.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <new>
#include <vector>

#include <unistd.h>

#ifdef _OPENMP
#include <omp.h>
#endif

namespace pixels {

AllocationError::AllocationError() : std::runtime_error(text()) {}
const char *AllocationError::text() noexcept { return "メモリを確保できません"; }

const char *GammaRefusal(double gamma) { return gamma > 0 ? nullptr : kGammaRefusedText; }
const char *BlurRefusal(double amount) { return amount >= 0 ? nullptr : kBlurRefusedText; }
const char *FlowRefusal(int flow) { return flow >= 0 ? nullptr : kFlowRefusedText; }

namespace {

using Kind = FloatingPointError::Kind;

// Below this many bytes a picture is mapped on the calling thread alone.
constexpr long kParallelBytes = 1 << 16;

int maxThreads()
{
#ifdef _OPENMP
    return omp_get_max_threads();
#else
    return 1;
#endif
}

// The allocator may promise more than the machine has and the zero-filling
// pass of the core's allocation would then end the process: a plane larger
// than the physical memory counts as one that cannot be allocated.
bool affordable(int width, int height, size_t cell)
{
    if (width <= 0 || height <= 0)
        return true;
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageSize <= 0)
        return true;
    const long double bytes = static_cast<long double>(width) * height * cell;
    return bytes <= static_cast<long double>(pages) * pageSize;
}

template <class Owner>
void allocateOrThrow(Owner &o, int width, int height, size_t cell)
{
    if (!affordable(width, height, cell) || o.allocate(width, height) != 0)
        throw AllocationError();
}

void requireSameSize(const Rows24 &in, const Rows24 &out)
{
    if (!in.sameSize(out))
        throw std::invalid_argument("pixels: input and output pictures differ in size");
}

void refuse(const char *message)
{
    if (message != nullptr)
        throw std::invalid_argument(message);
}

// A non-zero kernel cell, in the order the convolution visits it.
struct Tap {
    int i, j;
    double k;
};
std::vector<Tap> tapsOf(int kw, int kh, const RealPlane kernel)
{
    std::vector<Tap> taps;
    for (int i = 0; i < kw; ++i)
        for (int j = 0; j < kh; ++j)
            if (kernel[i][j] != 0.0) // -0.0 is skipped as well
                taps.push_back({i, j, kernel[i][j]});
    return taps;
}

void checkSides(int kw, int kh, int width, int height)
{
    if (kw < 1 || kh < 1 || static_cast<int64_t>(width) + kw > INT32_MAX ||
        static_cast<int64_t>(height) + kh > INT32_MAX)
        throw std::invalid_argument("pixels: kernel side below 1 or too large for the plane");
}

// Three result planes of width x height, or AllocationError.
struct Results {
    PlaneOwner p[3];
    Results(int count, int width, int height)
    {
        for (int c = 0; c < count; ++c)
            allocateOrThrow(p[c], width, height, sizeof(int32_t));
    }
};

// Per-thread accumulator columns of `height` doubles.
std::vector<double> scratchColumns(int height)
{
    try {
        return std::vector<double>(static_cast<size_t>(maxThreads()) * static_cast<size_t>(height > 0 ? height : 1));
    } catch (const std::bad_alloc &) {
        throw AllocationError();
    }
}

int threadIndex()
{
#ifdef _OPENMP
    return omp_get_thread_num();
#else
    return 0;
#endif
}

// Column x of the correlation of `src` with the taps, centre (ox, oy).  The
// taps run outer and the rows inner: every row's accumulator still receives
// its terms in the kernel's i-outer, j-inner order, starting from 0.0, each
// product and sum rounded to double, so the result is the core's.
// With `clamp`, results of 255 or more become 255, as clamp_plane(0, 255)
// afterwards would make them.
void convolveColumn(const std::vector<Tap> &taps, int ox, int oy, int width, int height, const Plane src,
                    int x, double *acc, int32_t *dst, bool clamp)
{
    for (int y = 0; y < height; ++y)
        acc[y] = 0.0;
    for (const Tap &t : taps) {
        const int sx = x + t.i - ox;
        if (sx < 0 || sx >= width)
            continue;
        const int shift = t.j - oy;
        const int y0 = shift < 0 ? -shift : 0;
        const int y1 = shift > 0 ? height - shift : height;
        const int32_t *column = src[sx];
        const double k = t.k;
#pragma omp simd
        for (int y = y0; y < y1; ++y)
            acc[y] = static_cast<double>(column[y + shift]) * k + acc[y];
    }
    for (int y = 0; y < height; ++y)
        dst[y] = to_sample(acc[y]);
    if (clamp)
        for (int y = 0; y < height; ++y)
            dst[y] = dst[y] >= 255 ? 255 : dst[y];
}

// Copies the result planes back into the caller's planes.
void copyBack(int count, const Results &r, int width, int height, Plane planes[])
{
    const bool wide = static_cast<long>(count) * width * height >= kParallelBytes;
#pragma omp parallel for schedule(static) if (wide)
    for (int idx = 0; idx < count * width; ++idx) {
        const int c = idx / width;
        const int x = idx % width;
        std::memcpy(planes[c][x], r.p[c][x], sizeof(int32_t) * static_cast<size_t>(height));
    }
}

// The convolution of `count` planes `src` into `dst`, the kernel normalised
// again before each plane's turn exactly as successive convolve_plane calls
// would; with `clamp` the results are also limited to 0..255.
void convolveInto(int count, int kw, int kh, RealPlane kernel, int width, int height, const Plane src[],
                  const Plane dst[], bool clamp)
{
    checkSides(kw, kh, width, height);
    std::vector<double> scratch = scratchColumns(height);
    std::vector<Tap> taps[3];
    for (int c = 0; c < count; ++c) {
        normalise_kernel(kw, kh, kernel);
        taps[c] = tapsOf(kw, kh, kernel);
    }
    const int ox = kw / 2;
    const int oy = kh / 2;
    const bool wide = static_cast<long>(count) * width * height * static_cast<long>(taps[0].size() + 1) >= kParallelBytes;
#pragma omp parallel for schedule(dynamic, 8) if (wide)
    for (int idx = 0; idx < count * width; ++idx) {
        const int c = idx / width;
        const int x = idx % width;
        double *acc = scratch.data() + static_cast<size_t>(threadIndex()) * static_cast<size_t>(height);
        convolveColumn(taps[c], ox, oy, width, height, src[c], x, acc, dst[c][x], clamp);
    }
}

void convolveMany(int count, int kw, int kh, RealPlane kernel, int width, int height, Plane planes[])
{
    checkSides(kw, kh, width, height);
    Results results(count, width, height);
    const Plane dst[3] = {results.p[0].get(), results.p[1].get(), results.p[2].get()};
    convolveInto(count, kw, kh, kernel, width, height, planes, dst, false);
    copyBack(count, results, width, height, planes);
}

// smooth_below of three planes `src` into `dst`, side by side; with `clamp`
// the results are also limited to 0..255.
void smoothInto(int threshold, int kw, int kh, RealPlane kernel, int width, int height, const Plane src[3],
                const Plane dst[3], bool clamp)
{
    checkSides(kw, kh, width, height);
    std::vector<Tap> taps[3];
    for (int c = 0; c < 3; ++c) {
        normalise_kernel(kw, kh, kernel);
        taps[c] = tapsOf(kw, kh, kernel);
    }
    const int ox = kw / 2 - 1;
    const int oy = kh / 2 - 1;
    const bool wide = 3L * width * height >= kParallelBytes;
#pragma omp parallel for schedule(dynamic, 8) if (wide)
    for (int idx = 0; idx < 3 * width; ++idx) {
        const int c = idx / width;
        const int x = idx % width;
        const Plane p = src[c];
        int32_t *out = dst[c][x];
        for (int y = 0; y < height; ++y) {
            int32_t v;
            if (!(p[x][y] < threshold)) {
                v = to_sample(p[x][y]);
            } else {
                double acc = 0.0;
                for (const Tap &t : taps[c]) {
                    const int sx = x + t.i - ox;
                    const int sy = y + t.j - oy;
                    if (sx < 0 || sx >= width || sy < 0 || sy >= height)
                        continue;
                    acc = static_cast<double>(p[sx][sy]) * t.k + acc;
                }
                v = to_sample(acc);
            }
            out[y] = clamp && v >= 255 ? 255 : v;
        }
    }
}

// Rows are stored across, planes down: moving between them a band of
// kBand columns at a time keeps both sides in the cache.
constexpr int kBand = 32;

// Blue, green, red bytes into three planes [x][y].
void splitChannels(const Rows24 &in, Plane planes[3])
{
    const int w = in.width;
    const int h = in.height;
    const bool wide = 3L * w * h >= kParallelBytes;
#pragma omp parallel for schedule(static) if (wide)
    for (int x0 = 0; x0 < w; x0 += kBand) {
        const int x1 = x0 + kBand < w ? x0 + kBand : w;
        for (int y = 0; y < h; ++y) {
            const uint8_t *p = in.at(x0, y);
            for (int x = x0; x < x1; ++x, p += 3) {
                planes[0][x][y] = p[0];
                planes[1][x][y] = p[1];
                planes[2][x][y] = p[2];
            }
        }
    }
}

// Three planes (already clamped to 0..255) as blue, green, red bytes.
void joinChannels(const Plane planes[3], const Rows24 &out)
{
    const int w = out.width;
    const int h = out.height;
    const bool wide = 3L * w * h >= kParallelBytes;
#pragma omp parallel for schedule(static) if (wide)
    for (int x0 = 0; x0 < w; x0 += kBand) {
        const int x1 = x0 + kBand < w ? x0 + kBand : w;
        for (int y = 0; y < h; ++y) {
            uint8_t *p = out.at(x0, y);
            for (int x = x0; x < x1; ++x, p += 3) {
                p[0] = static_cast<uint8_t>(planes[0][x][y]);
                p[1] = static_cast<uint8_t>(planes[1][x][y]);
                p[2] = static_cast<uint8_t>(planes[2][x][y]);
            }
        }
    }
}

// The common frame of solarization, edge enhancement and blur: the three
// channels convolved with the kernel in the order blue, green, red, each
// clamped to 0..255.
void convolvePicture(const Rows24 &in, const Rows24 &out, int kw, int kh, RealPlane kernel)
{
    requireSameSize(in, out);
    const int w = in.width;
    const int h = in.height;
    PlaneOwner owners[3];
    for (PlaneOwner &o : owners)
        allocateOrThrow(o, w, h, sizeof(int32_t));
    Plane planes[3] = {owners[0].get(), owners[1].get(), owners[2].get()};
    splitChannels(in, planes);
    Results results(3, w, h);
    const Plane clamped[3] = {results.p[0].get(), results.p[1].get(), results.p[2].get()};
    convolveInto(3, kw, kh, kernel, w, h, planes, clamped, true);
    joinChannels(clamped, out);
}

RealPlaneOwner allocKernel(int kw, int kh)
{
    RealPlaneOwner k;
    allocateOrThrow(k, kw, kh, sizeof(double));
    return k;
}

// exp(-(num / den)) with the platform's division errors.
double gaussCell(double num, double den)
{
    if (den == 0.0)
        throw FloatingPointError(num == 0.0 || std::isnan(num) ? Kind::InvalidOp : Kind::ZeroDivide);
    const double q = num / den;
    if (std::isnan(q))
        throw FloatingPointError(Kind::InvalidOp);
    if (std::isinf(q))
        throw FloatingPointError(Kind::Overflow);
    return std::exp(-q);
}

} // namespace

void MapBytes(const Rows24 &in, const Rows24 &out, const uint8_t (&table)[256])
{
    requireSameSize(in, out);
    const int w = in.width;
    const int h = in.height;
    const bool wide = 3L * w * h >= kParallelBytes;
#pragma omp parallel for schedule(static) if (wide)
    for (int y = 0; y < h; ++y) {
        const uint8_t *src = in.row(y);
        uint8_t *dst = out.row(y);
        for (int b = 0; b < 3 * w; ++b)
            dst[b] = table[src[b]];
    }
}

// ---------------------------------------------------------------------------

uint8_t NegativeByte(uint8_t v) { return static_cast<uint8_t>(255 - v); }

uint8_t GammaByte(uint8_t v, double gamma)
{
    refuse(GammaRefusal(gamma));
    const double x = v * (1.0 / 255);
    const double y = std::pow(x, gamma);
    return static_cast<uint8_t>(static_cast<int>(y * 255));
}

uint8_t SabattierByte(uint8_t v, double step)
{
    const double numerator = v * 256.0;
    if (step == 0.0)
        throw FloatingPointError(v == 0 ? Kind::InvalidOp : Kind::ZeroDivide);
    const double t = numerator / step;
    if (std::isnan(t))
        throw FloatingPointError(Kind::InvalidOp);
    if (std::isinf(t))
        throw FloatingPointError(Kind::Overflow);
    const double r = std::fmod(t, 256.0);
    return static_cast<uint8_t>(static_cast<int>(r));
}

void Negative(const Rows24 &in, const Rows24 &out)
{
    uint8_t table[256];
    for (int v = 0; v < 256; ++v)
        table[v] = NegativeByte(static_cast<uint8_t>(v));
    MapBytes(in, out, table);
}

void Gamma(const Rows24 &in, const Rows24 &out, double gamma)
{
    requireSameSize(in, out);
    refuse(GammaRefusal(gamma));
    uint8_t table[256];
    for (int v = 0; v < 256; ++v)
        table[v] = GammaByte(static_cast<uint8_t>(v), gamma);
    MapBytes(in, out, table);
}

void ComaCorrect(const Rows24 &in, const Rows24 &out, double gamma) { Gamma(in, out, gamma); }

void Sabattier(const Rows24 &in, const Rows24 &out, double step)
{
    requireSameSize(in, out);
    uint8_t table[256];
    bool fails[256] = {};
    bool anyFails = false;
    for (int v = 0; v < 256; ++v) {
        try {
            table[v] = SabattierByte(static_cast<uint8_t>(v), step);
        } catch (const FloatingPointError &) {
            fails[v] = anyFails = true;
            table[v] = 0;
        }
    }
    if (anyFails) // the first byte in walking order that fails raises its error
        for (int y = 0; y < in.height; ++y) {
            const uint8_t *src = in.row(y);
            for (int b = 0; b < 3 * in.width; ++b)
                if (fails[src[b]])
                    SabattierByte(src[b], step);
        }
    MapBytes(in, out, table);
}

void Solarize(const Rows24 &in, const Rows24 &out)
{
    requireSameSize(in, out);
    RealPlaneOwner k = allocKernel(3, 3);
    k[1][0] = 5;
    k[1][1] = 5;
    k[1][2] = -4;
    convolvePicture(in, out, 3, 3, k.get());
}

void Mirror(const Rows24 &in, const Rows24 &out)
{
    requireSameSize(in, out);
    if (in.width == 0)
        return;
    for (int y = 0; y < in.height; ++y)
        std::memcpy(out.row(y), in.row(y), 3 * static_cast<size_t>(in.width));
}

void Flip(const Rows24 &in, const Rows24 &out)
{
    requireSameSize(in, out);
    if (in.width == 0)
        return;
    for (int y = 0; y < in.height; ++y)
        std::memcpy(out.row(y), in.row(in.height - 1 - y), 3 * static_cast<size_t>(in.width));
}

void Channel(const Rows24 &in, const Rows24 &out, int k)
{
    requireSameSize(in, out);
    if (k < 0 || k > 2)
        throw std::invalid_argument("pixels: channel index outside 0..2");
    const bool wide = 3L * in.width * in.height >= kParallelBytes;
#pragma omp parallel for schedule(static) if (wide)
    for (int y = 0; y < in.height; ++y) {
        const uint8_t *src = in.row(y);
        uint8_t *dst = out.row(y);
        for (int x = 0; x < in.width; ++x, src += 3, dst += 3)
            dst[0] = dst[1] = dst[2] = src[k];
    }
}

RealPlaneOwner EdgeKernel(double strength)
{
    RealPlaneOwner k = allocKernel(3, 3);
    k[1][1] = 10 - strength;
    k[0][1] = -1;
    k[1][0] = -1;
    k[1][2] = -1;
    k[2][1] = -1;
    return k;
}

void EdgeEnhance(const Rows24 &in, const Rows24 &out, double strength)
{
    requireSameSize(in, out);
    RealPlaneOwner k = EdgeKernel(strength);
    convolvePicture(in, out, 3, 3, k.get());
}

int BlurKernelSize(double amount)
{
    refuse(BlurRefusal(amount));
    const double n = 2 * amount + 1;
    if (!(n < 2147483648.0))
        throw FloatingPointError(Kind::InvalidOp);
    return static_cast<int>(n);
}

RealPlaneOwner BlurKernel(double amount)
{
    const int n = BlurKernelSize(amount);
    RealPlaneOwner k = allocKernel(n, n);
    const double den = amount * amount;
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            const double di = i - amount;
            const double dj = j - amount;
            k[i][j] = gaussCell(di * di + dj * dj, den);
        }
    return k;
}

void Blur(const Rows24 &in, const Rows24 &out, double amount)
{
    requireSameSize(in, out);
    RealPlaneOwner k = BlurKernel(amount);
    convolvePicture(in, out, k.width(), k.height(), k.get());
}

namespace {
int canceller_side(int flow)
{
    refuse(FlowRefusal(flow));
    if (flow > (INT32_MAX - 3) / 2)
        throw AllocationError();
    return 2 * flow + 3;
}
} // namespace

RealPlaneOwner SharpeningKernel(int flow)
{
    const int n = canceller_side(flow);
    RealPlaneOwner k = allocKernel(n, n);
    const int c = flow + 1;
    k[0][c] = -1;
    k[n - 1][c] = -1;
    k[c][c] = 3;
    return k;
}

void FillSmoothingKernel(RealPlane kernel, int flow, double amount)
{
    const int n = canceller_side(flow);
    const int g = flow + 1;
    const double den = amount * amount;
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            const double di = i - g;
            const double dj = j - g;
            kernel[i][j] = gaussCell(di * di + dj * dj, den);
        }
}

void ConvolvePlane(int kw, int kh, RealPlane kernel, int width, int height, Plane plane)
{
    Plane planes[1] = {plane};
    convolveMany(1, kw, kh, kernel, width, height, planes);
}

void ConvolveChannels(int kw, int kh, RealPlane kernel, int width, int height, Plane planes[3])
{
    convolveMany(3, kw, kh, kernel, width, height, planes);
}

void SmoothBelowChannels(int threshold, int kw, int kh, RealPlane kernel, int width, int height, Plane planes[3])
{
    checkSides(kw, kh, width, height);
    Results results(3, width, height);
    const Plane dst[3] = {results.p[0].get(), results.p[1].get(), results.p[2].get()};
    smoothInto(threshold, kw, kh, kernel, width, height, planes, dst, false);
    copyBack(3, results, width, height, planes);
}

void GuideMissCancel(const Rows24 &picture, int areaWidth, int areaHeight, const GuideMissParams &p)
{
    const int n = canceller_side(p.flow);
    if (areaWidth < 0 || areaHeight < 0)
        throw std::invalid_argument("pixels: negative processed area");
    const int W = areaWidth;
    const int H = areaHeight;
    PlaneOwner owners[3]; // red, green, blue
    for (PlaneOwner &o : owners)
        allocateOrThrow(o, W, H, sizeof(int32_t));
    RealPlaneOwner kernel = SharpeningKernel(p.flow);
    if (rotate_kernel(p.direction, n, n, kernel.get()) != 0)
        throw AllocationError();

    Plane planes[3] = {owners[0].get(), owners[1].get(), owners[2].get()};
    const bool wide = 3L * W * H >= kParallelBytes;
#pragma omp parallel for schedule(static) if (wide)
    for (int x0 = 0; x0 < W; x0 += kBand) {
        const int x1 = x0 + kBand < W ? x0 + kBand : W;
        for (int y = 0; y < H; ++y)
            for (int x = x0; x < x1; ++x) {
                const Rgb c = SplitColor(ColorAt(picture, x, y));
                planes[0][x][y] = c.red;
                planes[1][x][y] = c.green;
                planes[2][x][y] = c.blue;
            }
    }

    // Sharpened and clamped into `sharp`, then smoothed and clamped back
    // into `planes`.
    Results results(3, W, H);
    const Plane sharp[3] = {results.p[0].get(), results.p[1].get(), results.p[2].get()};
    convolveInto(3, n, n, kernel.get(), W, H, planes, sharp, true);
    FillSmoothingKernel(kernel.get(), p.flow, p.blur);
    smoothInto(p.threshold, n, n, kernel.get(), W, H, sharp, planes, true);

    // Writes outside the bitmap are lost, as on the canvas.
    const int w = W < picture.width ? W : picture.width;
    const int h = H < picture.height ? H : picture.height;
#pragma omp parallel for schedule(static) if (wide)
    for (int x0 = 0; x0 < w; x0 += kBand) {
        const int x1 = x0 + kBand < w ? x0 + kBand : w;
        for (int y = 0; y < h; ++y) {
            uint8_t *px = picture.at(x0, y);
            for (int x = x0; x < x1; ++x, px += 3) {
                px[0] = static_cast<uint8_t>(planes[2][x][y]);
                px[1] = static_cast<uint8_t>(planes[1][x][y]);
                px[2] = static_cast<uint8_t>(planes[0][x][y]);
            }
        }
    }
}

} // namespace pixels
