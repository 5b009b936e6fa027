// The pixel work of the benchmark, free of windows, so that it can be timed
// inside the command and measured on its own.
#pragma once

#include "plane.h"

#include <cstddef>
#include <cstdint>

namespace bench {

constexpr int kFrames = 4;
constexpr int kSide = 1000;
constexpr int kFoldOffset = 32768;

// The program's pseudo-random generator: 15-bit draws from a 32-bit state
// that is 1 at program start and never reseeded.
uint32_t &GeneratorState();
int Random();

// Fills a kSide × kSide frame with the background and the 81 stars, drawing
// from the generator in the fixed loop order.
void SynthesizeFrame(Plane frame);

// Statistics on the sampling grid x, y = 10, 14, ... < side − 10.
struct FrameStatistics {
    double mean = 0;
    double variance = 0; // sample variance, computed as part of the work
    int minimum = 0;
};
FrameStatistics Statistics(Plane frame, int width, int height);

// display[x][y] = (frame − minimum) × 50 / (mean − minimum), clipped to 0..255.
void Render(Plane frame, Plane display, int width, int height, int minimum, double mean);

// Writes rows of a 24-bit picture (blue, green, red; `stride` bytes apart):
// grey from the display plane, or the raw samples of the frame
// (blue 0, green v div 256, red v mod 256).
void FillGrey(Plane display, int width, int height, uint8_t *rows, ptrdiff_t stride);
void FillRaw(Plane frame, int width, int height, uint8_t *rows, ptrdiff_t stride);

// accumulator[x][y] += frame[x][y].
void AddFrame(Plane accumulator, Plane frame, int width, int height);

// The 7 × 7 kernel: 0.0 but for 1.0 at [2][2] and negative zeros at [2][1],
// [2][3], [1][2] and [3][2].
void SetKernel(RealPlane kernel);

// Sum over x and y of (1 + x + 1000 y) × accumulator[x][y], unsigned 64-bit.
uint64_t Checksum(Plane accumulator, int width, int height);

} // namespace bench
