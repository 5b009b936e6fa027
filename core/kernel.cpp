// Kernel rotation and the thresholded smoothing of the guide-miss canceller.
#include "kernel.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>

namespace {

bool bad_sides(const char *what, int a, int b, int width, int height)
{
    if (a >= 1 && b >= 1 && static_cast<int64_t>(width) + a <= INT32_MAX &&
        static_cast<int64_t>(height) + b <= INT32_MAX)
        return false;
    std::printf("%s error    kernel %d x %d on plane %d x %d\n", what, a, b, width, height);
    return true;
}

} // namespace

int rotate_kernel(double theta, int a, int b, RealPlane kernel)
{
    if (bad_sides("rotate", a, b, 0, 0))
        return 1;
    RealPlane out = nullptr;
    if (alloc_real_plane(a, b, &out) != 0)
        return 1;

    const double rad = theta * 3.1415926 / 180;
    const double c = std::cos(rad);
    const double s = std::sin(rad);
    const double ca = (a - 1) / 2;
    const double cb = (b - 1) / 2;
    auto cell = [&](int x, int y) { return x >= 0 && x < a && y >= 0 && y < b ? kernel[x][y] : 0.0; };
    for (int i = 0; i < a; ++i)
        for (int j = 0; j < b; ++j) {
            const double dx = i - ca;
            const double dy = j - cb;
            const double u = ca + c * dx - s * dy;
            const double v = cb + s * dx + c * dy;
            const int X = static_cast<int>(std::floor(u));
            const int Y = static_cast<int>(std::floor(v));
            const double fx = u - X;
            const double fy = v - Y;
            out[i][j] = (1 - fx) * (1 - fy) * cell(X, Y) + fx * (1 - fy) * cell(X + 1, Y) +
                        (1 - fx) * fy * cell(X, Y + 1) + fx * fy * cell(X + 1, Y + 1);
        }

    for (int i = 0; i < a; ++i)
        for (int j = 0; j < b; ++j)
            kernel[i][j] = out[i][j];
    free_plane(a, b, out);
    return 0;
}

int smooth_below(int threshold, int a, int b, RealPlane kernel, int width, int height, Plane plane)
{
    if (bad_sides("smooth", a, b, width, height))
        return 1;
    RealPlane result = nullptr;
    if (alloc_real_plane(width, height, &result) != 0)
        return 1;
    try {
        normalise_kernel(a, b, kernel);
    } catch (...) {
        free_plane(width, height, result);
        throw;
    }

    const int ox = a / 2 - 1;
    const int oy = b / 2 - 1;
    for (int x = 0; x < width; ++x)
        for (int y = 0; y < height; ++y) {
            if (!(plane[x][y] < threshold)) {
                result[x][y] = plane[x][y];
                continue;
            }
            double acc = 0.0;
            for (int i = 0; i < a; ++i) {
                const int sx = x + i - ox;
                for (int j = 0; j < b; ++j) {
                    const int sy = y + j - oy;
                    if (sx < 0 || sx >= width || sy < 0 || sy >= height)
                        continue;
                    const double k = kernel[i][j];
                    if (k == 0.0)
                        continue;
                    acc = static_cast<double>(plane[sx][sy]) * k + acc;
                }
            }
            result[x][y] = acc;
        }

    for (int x = 0; x < width; ++x)
        for (int y = 0; y < height; ++y)
            plane[x][y] = to_sample(result[x][y]);
    free_plane(width, height, result);
    return 0;
}
