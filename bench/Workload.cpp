#include "Workload.h"

#include <cmath>

namespace bench {

uint32_t &GeneratorState()
{
    static uint32_t state = 1;
    return state;
}

int Random()
{
    uint32_t &s = GeneratorState();
    s = s * 22695477u + 1u;
    return static_cast<int>((s >> 16) & 32767u);
}

void SynthesizeFrame(Plane frame)
{
    for (int x = 0; x < kSide; ++x)
        for (int y = 0; y < kSide; ++y) {
            const int r = Random();
            frame[x][y] = static_cast<int>((r + 32768) * 0.001 + 1000);
        }
    for (int cx = 100; cx <= 900; cx += 100)
        for (int cy = 100; cy <= 900; cy += 100)
            for (int dx = -10; dx <= 9; ++dx)
                for (int dy = -10; dy <= 9; ++dy) {
                    const int s = frame[cx + dx][cy + dy];
                    const double v = std::exp(-0.1 * (dx * dx + dy * dy)) * 15000 + s;
                    const int r = Random(); // drawn after v, in exactly this order
                    frame[cx + dx][cy + dy] = static_cast<int>(v + 90.0 * r / 32768 - 45);
                }
}

void AddFrame(Plane accumulator, Plane frame, int width, int height)
{
    for (int x = 0; x < width; ++x) {
        int32_t *acc = accumulator[x];
        const int32_t *in = frame[x];
        for (int y = 0; y < height; ++y)
            acc[y] += in[y];
    }
}

void SetKernel(RealPlane kernel)
{
    kernel[2][2] = 1.0;
    kernel[2][1] = -0.0;
    kernel[2][3] = -0.0;
    kernel[1][2] = -0.0;
    kernel[3][2] = -0.0;
}

uint64_t Checksum(Plane accumulator, int width, int height)
{
    uint64_t sum = 0;
    for (int x = 0; x < width; ++x)
        for (int y = 0; y < height; ++y)
            sum += (1u + static_cast<uint64_t>(x) + 1000u * static_cast<uint64_t>(y)) *
                   static_cast<uint64_t>(static_cast<int64_t>(accumulator[x][y]));
    return sum;
}

} // namespace bench
