// Kernel operations of the guide-miss canceller, beside convolve_plane:
// turning a kernel about its centre cell and the thresholded smoothing.
//
// Same conventions as plane.h: real planes indexed [i][j] (i along x, j
// along y), integer status 0 on success and 1 on failure, diagnostics as
// single lines on standard output, floating-point errors thrown as
// FloatingPointError.  Loops run x (or i) outer and y (or j) inner.
#pragma once

#include "plane.h"

// Turns the a × b kernel in place about its centre cell ((a − 1)/2,
// (b − 1)/2) by theta degrees (π taken as 3.1415926).  Each output cell
// (i, j) samples the unrotated kernel bilinearly at u = c_a + cos θ·dx −
// sin θ·dy, v = c_b + sin θ·dx + cos θ·dy (dx = i − c_a, dy = j − c_b);
// cells outside the kernel count as 0.  An angle of 0 leaves the kernel as
// it was.  Returns 1 with the kernel unchanged when its scratch plane cannot
// be allocated or a side is below 1 (with a line).
int rotate_kernel(double theta, int a, int b, RealPlane kernel);

// Normalises the a × b kernel in place (normalise_kernel) and replaces every
// sample below threshold by the kernel-weighted sum of the samples around
// it, the kernel's centre taken at cell (a/2 − 1, b/2 − 1): cell (i, j)
// weighs plane[x + i − a/2 + 1][y + j − b/2 + 1].  Zero cells and samples
// outside the plane are skipped without re-weighting; every read sees the
// plane as it was before the call; sums are truncated toward zero, below 0
// gives 0.  Samples at or above the threshold keep their value.  Returns 1
// with plane and kernel unchanged when the result plane cannot be allocated
// or a kernel side is below 1 (with a line); throws FloatingPointError with
// both unchanged when the kernel cannot be normalised.
int smooth_below(int threshold, int a, int b, RealPlane kernel, int width, int height, Plane plane);
