// Sample planes, real planes and the shared convolution.
//
// A sample plane is an array of `width` column pointers, each pointing to a
// separately allocated column of `height` 32-bit integers: plane[x][y] is the
// sample at column x, row y.  A real plane has the same layout with doubles.
// Planes do not know their own size; every operation takes it.
//
// Every operation returns 0 on success and 1 on failure and writes its
// diagnostics as single lines on standard output.  None ends the process.
#pragma once

#include <cstdint>
#include <stdexcept>

using Plane = int32_t **;
using RealPlane = double **;

// Raised by convolve_plane when the kernel cannot be normalised.  The text
// is the platform's floating-point error text, e.g. "0 による浮動小数点数除算".
class FloatingPointError : public std::runtime_error {
public:
    enum class Kind { ZeroDivide, InvalidOp, Overflow };
    FloatingPointError(Kind kind);
    Kind kind() const noexcept { return kind_; }
    static const char *text(Kind kind) noexcept;

private:
    Kind kind_;
};

// Allocates width x height samples, all 0.  On failure prints
// "Alloc Error  !!" (when a column could not be had), releases everything this
// call allocated, leaves *plane untouched and returns 1.  Negative sizes fail
// without a line, as when the column array cannot be had.
int alloc_plane(int width, int height, Plane *plane);
// As alloc_plane with doubles, all 0.0; prints nothing on failure.
int alloc_real_plane(int width, int height, RealPlane *plane);
// Releases the `width` columns and the column array.  A null plane is a no-op.
int free_plane(int width, int height, Plane plane);
int free_plane(int width, int height, RealPlane plane);
// Samples below low become low, then samples of high or more become high.
int clamp_plane(int low, int high, int width, int height, Plane plane);
// v becomes v + offset if v < offset, else v - offset.
int fold_plane(int offset, int width, int height, Plane plane);
// Replaces the plane by its correlation with the kernel (kw x kh, indexed
// [i][j]), normalising the kernel in place first.  Throws FloatingPointError
// with plane and kernel unchanged when the kernel's entries sum to zero (or
// overflow, or holds a NaN or an infinity).  Returns 1 with the plane and
// kernel unchanged when the accumulator cannot be allocated, and with a
// message line when a kernel side is below 1 or a side plus the kernel side
// exceeds INT32_MAX.  Results truncate toward zero; below 0 gives 0, 2^31 or
// more gives INT32_MAX and NaN gives 0.
int convolve_plane(int kw, int kh, RealPlane kernel, int width, int height, Plane plane);

// The convolution's normalisation on its own: divides every cell by the sum
// of all cells (summed i outer, j inner from 0.0) and raises the same
// FloatingPointError with the kernel unchanged when it cannot: a zero sum
// (invalid operation when [0][0] is 0, else division by zero), a NaN or
// infinite cell or sum, or an overflowing quotient.  Returns 0.
int normalise_kernel(int kw, int kh, RealPlane kernel);

// The convolution's truncation of an accumulated sum to a sample: toward
// zero; below 0 (and NaN) gives 0, 2^31 or more saturates at INT32_MAX.
inline int32_t to_sample(double acc)
{
    if (!(acc > 0.0)) // negative, zero or NaN
        return 0;
    if (acc >= 2147483648.0)
        return INT32_MAX;
    return static_cast<int32_t>(acc);
}
// Allocates count zero bytes and prints "extended  unsigned char 1D ".
int alloc_bytes(int count, unsigned char **bytes);
// Releases what alloc_bytes allocated.
void free_bytes(unsigned char *bytes);
