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

// accumulator[x][y] += frame[x][y].
void AddFrame(Plane accumulator, Plane frame, int width, int height);

// The 7 × 7 kernel: 0.0 but for 1.0 at [2][2] and negative zeros at [2][1],
// [2][3], [1][2] and [3][2].
void SetKernel(RealPlane kernel);

// Sum over x and y of (1 + x + 1000 y) × accumulator[x][y], unsigned 64-bit.
uint64_t Checksum(Plane accumulator, int width, int height);

} // namespace bench
