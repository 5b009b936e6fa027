// Sample planes, real planes and the shared convolution.
#include "plane.h"

#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <limits>

FloatingPointError::FloatingPointError(Kind kind) : std::runtime_error(text(kind)), kind_(kind) {}

const char *FloatingPointError::text(Kind kind) noexcept {
    switch (kind) {
    case Kind::ZeroDivide:
        return "0 による浮動小数点数除算";
    case Kind::InvalidOp:
        return "不正な浮動小数点数演算命令";
    case Kind::Overflow:
        return "浮動小数点数のオーバーフロー";
    }
    return "不正な浮動小数点数演算命令";
}

namespace {

// Byte count of `count` elements of `size` bytes, or false when it does not
// fit a size_t.  A count of 0 still asks the allocator for one element so
// that a successful allocation never yields a null pointer.
bool byte_count(int count, std::size_t size, std::size_t *bytes) {
    if (count < 0)
        return false;
    std::size_t n = count == 0 ? 1 : static_cast<std::size_t>(count);
    if (n > std::numeric_limits<std::size_t>::max() / size)
        return false;
    *bytes = n * size;
    return true;
}

template <typename T>
void release(int width, T **plane) {
    if (plane == nullptr)
        return;
    for (int x = 0; x < width; ++x)
        std::free(plane[x]);
    std::free(plane);
}

// Allocates the column array and `width` zero-filled columns.  On failure
// releases everything it allocated; `column_failed` tells whether it was a
// column (not the column array) that could not be had.
template <typename T>
T **alloc_columns(int width, int height, bool *column_failed) {
    *column_failed = false;
    std::size_t array_bytes = 0;
    std::size_t column_bytes = 0;
    if (!byte_count(width, sizeof(T *), &array_bytes) || !byte_count(height, sizeof(T), &column_bytes))
        return nullptr;
    T **plane = static_cast<T **>(std::malloc(array_bytes));
    if (plane == nullptr)
        return nullptr;
    for (int x = 0; x < width; ++x) {
        plane[x] = static_cast<T *>(std::calloc(1, column_bytes));
        if (plane[x] == nullptr) {
            *column_failed = true;
            release(x, plane);
            return nullptr;
        }
    }
    return plane;
}

// The sum of the kernel's entries, i outer, j inner, checked that every
// entry can be divided by it; raises the error the division itself would,
// without changing the kernel.
double checked_kernel_sum(int kw, int kh, const RealPlane kernel) {
    using Kind = FloatingPointError::Kind;
    double sum = 0.0;
    for (int i = 0; i < kw; ++i)
        for (int j = 0; j < kh; ++j)
            sum += kernel[i][j];
    if (sum == 0.0) {
        // The first entry divided is [0][0]: x / 0 divides by zero, 0 / 0
        // is an invalid operation.
        throw FloatingPointError(kernel[0][0] == 0.0 ? Kind::InvalidOp : Kind::ZeroDivide);
    }
    bool finite_entries = true;
    for (int i = 0; i < kw; ++i)
        for (int j = 0; j < kh; ++j)
            if (!std::isfinite(kernel[i][j]))
                finite_entries = false;
    if (std::isnan(sum))
        throw FloatingPointError(Kind::InvalidOp);  // inf - inf, or a NaN entry
    if (std::isinf(sum))
        throw FloatingPointError(finite_entries ? Kind::Overflow : Kind::InvalidOp);  // inf / inf
    if (!finite_entries)
        throw FloatingPointError(Kind::InvalidOp);  // a NaN or infinite entry
    // A finite sum close to zero may still make a quotient overflow.
    for (int i = 0; i < kw; ++i)
        for (int j = 0; j < kh; ++j)
            if (std::isinf(kernel[i][j] / sum))
                throw FloatingPointError(Kind::Overflow);
    return sum;
}

void divide_kernel(int kw, int kh, RealPlane kernel, double sum) {
    for (int i = 0; i < kw; ++i)
        for (int j = 0; j < kh; ++j)
            kernel[i][j] = kernel[i][j] / sum;
}

}  // namespace

int alloc_plane(int width, int height, Plane *plane) {
    bool column_failed = false;
    Plane p = alloc_columns<int32_t>(width, height, &column_failed);
    if (p == nullptr) {
        if (column_failed)
            std::fputs("Alloc Error  !!\n", stdout);
        return 1;
    }
    // Second pass: every sample is written once before the plane is returned.
    for (int x = 0; x < width; ++x) {
        int32_t *column = p[x];
        for (int y = 0; y < height; ++y)
            column[y] = 0;
    }
    *plane = p;
    return 0;
}

int alloc_real_plane(int width, int height, RealPlane *plane) {
    bool column_failed = false;
    RealPlane p = alloc_columns<double>(width, height, &column_failed);
    if (p == nullptr)
        return 1;
    for (int x = 0; x < width; ++x) {
        double *column = p[x];
        for (int y = 0; y < height; ++y)
            column[y] = 0.0;
    }
    *plane = p;
    return 0;
}

int free_plane(int width, int /*height*/, Plane plane) {
    release(width, plane);
    return 0;
}

int free_plane(int width, int /*height*/, RealPlane plane) {
    release(width, plane);
    return 0;
}

int clamp_plane(int low, int high, int width, int height, Plane plane) {
    for (int x = 0; x < width; ++x) {
        int32_t *column = plane[x];
        for (int y = 0; y < height; ++y) {
            if (column[y] < low)
                column[y] = low;
            if (column[y] >= high)
                column[y] = high;
        }
    }
    return 0;
}

int fold_plane(int offset, int width, int height, Plane plane) {
    for (int x = 0; x < width; ++x) {
        int32_t *column = plane[x];
        for (int y = 0; y < height; ++y) {
            // Computed in 64 bits and wrapped like 32-bit two's complement,
            // so that extreme samples or offsets cannot overflow.
            int64_t v = column[y];
            int64_t r = v < offset ? v + offset : v - offset;
            column[y] = static_cast<int32_t>(static_cast<uint32_t>(r));
        }
    }
    return 0;
}

int convolve_plane(int kw, int kh, RealPlane kernel, int width, int height, Plane plane) {
    // Sample offsets x + i - kw/2 are computed in int: the sizes must keep
    // x + i within range.
    if (kw < 1 || kh < 1 || static_cast<int64_t>(width) + kw > INT32_MAX ||
        static_cast<int64_t>(height) + kh > INT32_MAX) {
        std::printf("convolve error    kernel %d x %d on plane %d x %d\n", kw, kh, width, height);
        return 1;
    }

    const double sum = checked_kernel_sum(kw, kh, kernel);
    RealPlane acc_plane = nullptr;
    if (alloc_real_plane(width, height, &acc_plane) != 0)
        return 1;
    divide_kernel(kw, kh, kernel, sum);

    const int hx = kw / 2;
    const int hy = kh / 2;
    for (int x = 0; x < width; ++x) {
        double *acc_column = acc_plane[x];
        for (int y = 0; y < height; ++y) {
            // The accumulator lives in a register across the kernel loops;
            // with contraction off this is the same arithmetic as storing
            // it after every term.
            double acc = acc_column[y];
            for (int i = 0; i < kw; ++i) {
                const int sx = x + i - hx;
                const double *kcolumn = kernel[i];
                const int32_t *scolumn = (sx >= 0 && sx < width) ? plane[sx] : nullptr;
                for (int j = 0; j < kh; ++j) {
                    const int sy = y + j - hy;
                    if (sx < 0 || sx >= width || sy < 0 || sy >= height)
                        continue;
                    const double k = kcolumn[j];
                    if (k == 0.0)  // true for -0.0 as well
                        continue;
                    acc = static_cast<double>(scolumn[sy]) * k + acc;
                }
            }
            acc_column[y] = acc;
        }
    }

    for (int x = 0; x < width; ++x) {
        int32_t *column = plane[x];
        const double *acc_column = acc_plane[x];
        for (int y = 0; y < height; ++y)
            column[y] = to_sample(acc_column[y]);
    }

    free_plane(width, height, acc_plane);
    return 0;
}

int normalise_kernel(int kw, int kh, RealPlane kernel) {
    divide_kernel(kw, kh, kernel, checked_kernel_sum(kw, kh, kernel));
    return 0;
}

int alloc_bytes(int count, unsigned char **bytes) {
    std::size_t n = 0;
    if (!byte_count(count, 1, &n))
        return 1;
    auto *p = static_cast<unsigned char *>(std::calloc(1, n));
    if (p == nullptr)
        return 1;
    std::fputs("extended  unsigned char 1D \n", stdout);
    *bytes = p;
    return 0;
}

void free_bytes(unsigned char *bytes) { std::free(bytes); }
