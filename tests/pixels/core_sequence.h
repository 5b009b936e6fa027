// The toolkit's one-thread path written out with the core calls, one
// channel after the other, exactly as the commands read: the reference the
// parallel operations are compared with (tests) and timed against
// (toolkit_bench).
#pragma once

#include "Toolkit.h"
#include "kernel.h"
#include "plane.h"

#include <cmath>
#include <cstdint>
#include <functional>

namespace reference {

// Split into three planes, fill the kernel, three convolutions, clamp, join.
// False when a plane or the kernel could not be had.
inline bool ConvolvedChannels(const pixels::Rows24 &in, const pixels::Rows24 &out, int kw, int kh,
                              const std::function<void(RealPlane)> &fill)
{
    const int w = in.width, h = in.height;
    Plane planes[3] = {};
    RealPlane k = nullptr;
    bool ok = alloc_real_plane(kw, kh, &k) == 0;
    for (Plane &p : planes)
        ok = ok && alloc_plane(w, h, &p) == 0;
    if (ok) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                for (int c = 0; c < 3; ++c)
                    planes[c][x][y] = in.at(x, y)[c];
        fill(k);
        for (Plane p : planes)
            ok = ok && convolve_plane(kw, kh, k, w, h, p) == 0;
        for (Plane p : planes)
            clamp_plane(0, 255, w, h, p);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                for (int c = 0; c < 3; ++c)
                    out.at(x, y)[c] = uint8_t(planes[c][x][y]);
    }
    for (Plane p : planes)
        free_plane(w, h, p);
    free_plane(kw, kh, k);
    return ok;
}

// The guide-miss canceller on a W x H area through the canvas rules: points
// outside the picture read -1, writes there are lost.
inline bool Cancel(const pixels::Rows24 &pic, int W, int H, const pixels::GuideMissParams &p)
{
    const int n = 2 * p.flow + 3, c = p.flow + 1;
    Plane planes[3] = {};
    RealPlane k = nullptr;
    bool ok = alloc_real_plane(n, n, &k) == 0;
    for (Plane &pl : planes)
        ok = ok && alloc_plane(W, H, &pl) == 0;
    if (ok) {
        k[0][c] = -1;
        k[n - 1][c] = -1;
        k[c][c] = 3;
        rotate_kernel(p.direction, n, n, k);
        for (int x = 0; x < W; ++x)
            for (int y = 0; y < H; ++y) {
                const pixels::Rgb rgb = pixels::SplitColor(pixels::ColorAt(pic, x, y));
                planes[0][x][y] = rgb.red;
                planes[1][x][y] = rgb.green;
                planes[2][x][y] = rgb.blue;
            }
        for (Plane pl : planes) {
            convolve_plane(n, n, k, W, H, pl);
            clamp_plane(0, 255, W, H, pl);
        }
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j)
                k[i][j] = std::exp(-((i - c) * (i - c) + (j - c) * (j - c)) / (p.blur * p.blur));
        for (Plane pl : planes) {
            smooth_below(p.threshold, n, n, k, W, H, pl);
            clamp_plane(0, 255, W, H, pl);
        }
        for (int x = 0; x < W; ++x)
            for (int y = 0; y < H; ++y)
                if (pic.contains(x, y)) {
                    const int colour = planes[2][x][y] * 65536 + planes[1][x][y] * 256 + planes[0][x][y];
                    pic.at(x, y)[0] = uint8_t(colour >> 16);
                    pic.at(x, y)[1] = uint8_t(colour >> 8);
                    pic.at(x, y)[2] = uint8_t(colour);
                }
    }
    for (Plane pl : planes)
        free_plane(W, H, pl);
    free_plane(n, n, k);
    return ok;
}

} // namespace reference
