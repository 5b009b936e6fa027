#include "Viewer.h"

#include "Frame.h"
#include "plane.h"

#include <cstdint>
#include <cstdio>
#include <vector>

namespace pixels {

namespace {

template <class... Args>
std::string format(const char *pattern, Args... args)
{
    char text[128];
    std::snprintf(text, sizeof text, pattern, args...);
    return text;
}

} // namespace

std::string BitmapReadout(int color, int x, int y)
{
    const Rgb c = SplitColor(color);
    return format("R=%d  G=%d  B=%d   (%d,%d)", c.red, c.green, c.blue, x, y);
}

std::string FrameReadout(int color, int x, int y)
{
    return format("Intensity = %d   (%d,%d)", color, x, y);
}

std::string PeakText(const Star &s)
{
    return format("MAX = %d , MIN = %d", s.peak, s.floor);
}

std::string FwhmText(const Star &s)
{
    return format("FWHM = %2.1lf pxls", s.fwhm);
}

void GainLevels(const Rows24 &in, const Rows24 &out, double g)
{
    if (std::isnan(g))
        throw FloatingPointError(FloatingPointError::Kind::InvalidOp);
    if (std::isinf(g))
        throw FloatingPointError(FloatingPointError::Kind::Overflow);
    // Every byte value maps the same way: one table, then one lookup per byte.
    uint8_t table[256];
    for (int v = 0; v < 256; ++v) {
        const long double product = static_cast<long double>(v) * static_cast<long double>(g);
        // Limited before the conversion; a negative result keeps its low
        // eight bits, as the byte store does.
        table[v] = product > 255 ? uint8_t(255) : static_cast<uint8_t>(static_cast<long long>(product));
    }
    MapBytes(in, out, table);
}

void StretchLevels(const Rows24 &in, const Rows24 &out, double a, int m)
{
    const double range = a - m;
    auto d_of = [m](int s) {
        // (s - m) x 100 in 32-bit arithmetic, wrapping as the register does.
        return static_cast<int32_t>(static_cast<uint32_t>(static_cast<int64_t>(s) - m) * 100u);
    };
    if (in.width > 0 && in.height > 0 && range == 0)
        RaiseDivision(d_of(DecodeRawSample(in.at(0, 0))));
    if (std::isnan(range))
        throw FloatingPointError(FloatingPointError::Kind::InvalidOp);
    // One level per possible sample; 256 marks a quotient that overflows.
    std::vector<uint16_t> table(65536);
    for (int s = 0; s < 65536; ++s) {
        const double q = d_of(s) / range;
        table[s] = std::isinf(q) ? 256 : q > 255 ? 255 : q < 0 ? 0 : static_cast<uint16_t>(q);
    }
    for (int y = 0; y < in.height; ++y) {
        const uint8_t *src = in.row(y);
        uint8_t *dst = out.row(y);
        for (int x = 0; x < in.width; ++x) {
            const uint16_t level = table[src[3 * x + 1] * 256 + src[3 * x + 2]];
            if (level > 255)
                throw FloatingPointError(FloatingPointError::Kind::Overflow);
            dst[3 * x] = dst[3 * x + 1] = dst[3 * x + 2] = static_cast<uint8_t>(level);
        }
    }
}

} // namespace pixels
