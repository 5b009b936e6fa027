// A view of the rows of a 24-bit picture: three bytes per pixel, blue,
// green, red, rows `stride` bytes apart.  The pixel layer reaches pictures
// only through this view; it neither owns nor allocates them.
#pragma once

#include <cstddef>
#include <cstdint>

namespace pixels {

struct Rows24 {
    uint8_t *data = nullptr;
    std::ptrdiff_t stride = 0;
    int width = 0;
    int height = 0;

    uint8_t *row(int y) const { return data + y * stride; }
    uint8_t *at(int x, int y) const { return data + y * stride + 3 * x; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    bool sameSize(const Rows24 &o) const { return width == o.width && height == o.height; }
};

// Every byte of `in` (blue, green, red alike) through the table into the
// same byte of `out`, a picture of the same size; rows side by side on the
// cores.  std::invalid_argument when the sizes differ.
void MapBytes(const Rows24 &in, const Rows24 &out, const uint8_t (&table)[256]);

// The canvas's colour value of a pixel: 0x00BBGGRR, or -1 for a point
// outside the picture.
inline int ColorAt(const Rows24 &r, int x, int y)
{
    if (!r.contains(x, y))
        return -1;
    const uint8_t *p = r.at(x, y);
    return (p[0] << 16) | (p[1] << 8) | p[2];
}

// A colour value split by signed integer division, each quotient truncated
// toward zero: -1 gives red -1, green 0, blue 0.
struct Rgb {
    int red, green, blue;
};
inline Rgb SplitColor(int c)
{
    const int blue = c / 65536;
    const int green = (c - blue * 65536) / 256;
    const int red = c - blue * 65536 - green * 256;
    return {red, green, blue};
}

} // namespace pixels
