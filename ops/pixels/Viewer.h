// The viewer's arithmetic: readout texts, the star measurement and the two
// level mappings of the "H" and "L" buttons.
#pragma once

#include "Rows.h"

#include <cmath>
#include <string>

namespace pixels {

// "R=%d  G=%d  B=%d   (%d,%d)" of a bitmap pixel's colour value, with the
// mouse position in control pixels.
std::string BitmapReadout(int color, int x, int y);
// "Intensity = %d   (%d,%d)" of a frame's raw sample (its colour value).
std::string FrameReadout(int color, int x, int y);

// Peak and floor of the red components in the 21 x 21 square around (x, y),
// and the count of green components above half the peak in the 11 x 11
// square (left button only; other buttons leave -1, 256 and 0).
struct Star {
    int peak = -1;
    int floor = 256;
    int count = 0;
    double fwhm = 0; // sqrt(count / 3.1415926)
};
// `color(x, y)` reads the canvas: 0x00BBGGRR, or -1 outside the picture.
template <class ColorAt>
Star MeasureStar(ColorAt color, int x, int y, bool leftButton)
{
    Star s;
    if (leftButton) {
        for (int dx = -10; dx <= 10; ++dx)
            for (int dy = -10; dy <= 10; ++dy) {
                const int r = SplitColor(color(x + dx, y + dy)).red;
                if (r < s.floor)
                    s.floor = r;
                if (r > s.peak)
                    s.peak = r;
            }
        const int half = s.peak / 2;
        for (int dx = -5; dx <= 5; ++dx)
            for (int dy = -5; dy <= 5; ++dy)
                if (SplitColor(color(x + dx, y + dy)).green > half)
                    ++s.count;
    }
    s.fwhm = std::sqrt(s.count / 3.1415926);
    return s;
}
// "MAX = %d , MIN = %d" and "FWHM = %2.1lf pxls".
std::string PeakText(const Star &s);
std::string FwhmText(const Star &s);

// The gain step of "H" and of "L" (the double nearest to 1 / 1.1).
constexpr double kGainUp = 1.1;
constexpr double kGainDown = 0.9090909090909091;

// A bitmap shown at gain g: every byte v becomes v x g truncated toward
// zero, 255 when above.  The product is taken in extended precision (long
// double, 80 bits on x86-64), where 110 x 0.9090909090909091 stays below 100
// and truncates to 99 as the display has always shown; in double it would
// round to exactly 100.  `in` and `out` have the same size.  Raises the
// overflow error for an infinite gain, the invalid operation for NaN.
void GainLevels(const Rows24 &in, const Rows24 &out, double g);

// A frame re-stretched from its raw samples: s = green x 256 + red,
// d = (s - m) x 100 as a 32-bit integer, level = d / (a - m) in reals,
// truncated toward zero and limited to 0..255, written as grey.  An average
// equal to the minimum raises the error of the first pixel's division
// (invalid operation for 0 / 0, division by zero otherwise) and an infinite
// quotient the overflow error, before `out` is complete.
void StretchLevels(const Rows24 &in, const Rows24 &out, double a, int m);

} // namespace pixels
