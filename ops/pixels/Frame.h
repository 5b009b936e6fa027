// 16-bit frames on their way to the screen: statistics on the sampling
// grid, the 8-bit grey rendering and the raw-sample encoding.  Shared by the
// benchmark's display stage and the FITS open command.
#pragma once

#include "Rows.h"
#include "plane.h"

namespace pixels {

// Statistics on the grid x, y = 10, 14, 18, ... while below the side - 10.
struct FrameStatistics {
    double sum = 0;
    double count = 0;
    double mean = 0;  // sum / count; NaN when the grid is empty
    int minimum = 65536;
};
// Sum, count, minimum and mean; x outer, y inner.  No check: an empty grid
// leaves a mean of 0 / 0 for the caller's check.
FrameStatistics GridStatistics(Plane frame, int width, int height);
// The sum of (sample - mean)^2 over the same grid divided by count - 1.
double GridVariance(Plane frame, int width, int height, double mean);

// Raises the floating-point error of the mean's division when the grid is
// empty (0 / 0: invalid operation).
void CheckMean(const FrameStatistics &st);

// display[x][y] = ((frame - minimum) * 50, an integer product) / (mean -
// minimum) in reals, truncated toward zero and limited to 0..255; x outer,
// y inner.  A mean equal to the minimum raises the error of the first
// division (invalid operation for 0 / 0, division by zero otherwise) before
// anything is written.
void Render(Plane frame, Plane display, int width, int height, int minimum, double mean);

// Rows outer, pixels inner: grey from the display plane (blue = green = red),
// or the raw samples of the frame (blue 0, green v div 256, red v mod 256).
// The picture must be width x height.
void FillGrey(Plane display, const Rows24 &out);
void FillRaw(Plane frame, const Rows24 &out);

// Rows outer, pixels inner: the low bytes of blue[x][y], green[x][y] and
// red[x][y] as the pixel's three bytes.
void FillColor(Plane red, Plane green, Plane blue, const Rows24 &out);

// A 16-bit sample v kept in a pixel, and back.
inline void EncodeRawSample(uint8_t *pixel, int v)
{
    pixel[0] = 0;
    pixel[1] = static_cast<uint8_t>(v / 256);
    pixel[2] = static_cast<uint8_t>(v - 256 * (v / 256));
}
inline int DecodeRawSample(const uint8_t *pixel)
{
    return pixel[1] * 256 + pixel[2];
}

// The error a real division q = a / b raises when b is zero: invalid
// operation for 0 / 0 (or NaN), division by zero otherwise.
[[noreturn]] void RaiseDivision(double a);

} // namespace pixels
