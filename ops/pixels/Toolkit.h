// The toolkit's picture arithmetic: tone maps, geometry, colour channels,
// edge enhancement, blur, the guide-miss canceller and coma correction.
//
// Every operation reads `in` and writes every byte of `out`, a picture the
// caller allocated at the same size (a size mismatch raises
// std::invalid_argument).  `in` and `out` may not overlap.  Rows are walked
// top to bottom, pixels left to right, bytes blue, green, red.
//
// Errors are thrown before `out` is complete and leave the caller's pictures
// as they were (apart from the scratch `out`): FloatingPointError of core
// with the platform's text, AllocationError when a plane or kernel cannot be
// had (whatever had been allocated is released), std::invalid_argument with
// the command's refusal text (below) for a parameter the command refuses.
//
// The operations use every core where the result cannot change: rows of a
// per-byte map, columns of a convolution, the three channels side by side
// (the kernel each channel's call sees is computed beforehand, exactly as the
// one-thread sequence of calls would normalise it).  Results are identical,
// byte for byte, to the one-thread sequence of core calls.
#pragma once

#include "Rows.h"
#include "plane.h"
#include "plane_owner.h"

#include <cstdint>
#include <stdexcept>

namespace pixels {

// A sample plane or kernel could not be allocated (or would exceed the
// machine's physical memory).
class AllocationError : public std::runtime_error {
public:
    AllocationError();
    static const char *text() noexcept; // "メモリを確保できません"
};

// ---------------------------------------------------------------------------
// What a command's handler checks before it calls the operation.  A refused
// value is shown in a one-line message box (ShowMessage) and the command
// changes nothing.  Each check returns the message, or nullptr when the
// value is accepted; the operations refuse the same values by throwing
// std::invalid_argument with the same text.
//
//   command       check                      when refused
//   gamma (N6)    GammaRefusal(γ)            γ ≤ 0 (the dialog's close box)
//   coma (N9)     GammaRefusal(γ)            the gamma field's γ ≤ 0
//   blur (N4)     BlurRefusal(s)             s < 0 (no kernel); s = 0 is
//                                            the floating-point error instead
//   canceller(P1) FlowRefusal(m)             flow amount m < 0
//
// Negative, solarization, Sabattier (a step of 0 is the floating-point
// error), mirror, flip, channel separation and edge enhancement (a strength
// of 6 is the floating-point error) refuse nothing.
// ---------------------------------------------------------------------------
inline constexpr const char *kGammaRefusedText = "γには0より大きい数を指定してください";
inline constexpr const char *kBlurRefusedText = "ボケ量に負の数は指定できません";
inline constexpr const char *kFlowRefusedText = "流れ量には0以上の整数を指定してください";

const char *GammaRefusal(double gamma); // γ > 0 is accepted
const char *BlurRefusal(double amount); // amount ≥ 0 is accepted
const char *FlowRefusal(int flow);      // flow ≥ 0 is accepted

// ---------------------------------------------------------------------------
// Per-byte maps of the tone operations: one byte in, one byte out.
// ---------------------------------------------------------------------------

// 255 − v.
uint8_t NegativeByte(uint8_t v);
// x = v × (1 ÷ 255) rounded to double, y = pow(x, γ), y × 255 truncated
// toward zero and kept as its low 8 bits.  γ ≤ 0 raises
// std::invalid_argument(kGammaRefusedText).
uint8_t GammaByte(uint8_t v, double gamma);
// t = v × 256 ÷ s, r = fmod(t, 256) (sign of t), r truncated toward zero and
// kept as its low 8 bits.  s = 0 raises the floating-point error (invalid
// operation for v = 0, division by zero otherwise); an infinite t the
// overflow error.
uint8_t SabattierByte(uint8_t v, double step);

// ---------------------------------------------------------------------------
// Picture operations.
// ---------------------------------------------------------------------------

// Every byte 255 − v (negative, N1; the handler draws `out` into both the
// displayed and the base picture).
void Negative(const Rows24 &in, const Rows24 &out);
// Every byte through GammaByte (gamma, N6).  Refuses γ ≤ 0 before writing.
void Gamma(const Rows24 &in, const Rows24 &out, double gamma);
// Coma correction (N9): the gamma mapping with the gamma field's exponent;
// the optical axis and coma amount do not enter.  Refuses γ ≤ 0.
void ComaCorrect(const Rows24 &in, const Rows24 &out, double gamma);
// Every byte through SabattierByte (Sabattier effect, N8); a failing step
// raises the error of the first byte (in walking order) that fails.
void Sabattier(const Rows24 &in, const Rows24 &out, double step);
// Solarization (N7): each channel convolved with the 3 × 3 kernel whose
// middle column is 5, 5, −4 (rows above, at, below), clamped to 0..255.
void Solarize(const Rows24 &in, const Rows24 &out);
// Mirror (M1): an exact copy of `in` (no column is exchanged).
void Mirror(const Rows24 &in, const Rows24 &out);
// Vertical flip (R1): row y of `out` is row h − 1 − y of `in`.
void Flip(const Rows24 &in, const Rows24 &out);
// Channel separation (RGB2), one pass: byte k (0 blue, 1 green, 2 red) of
// every pixel into all three bytes of `out`.  k outside 0..2 raises
// std::invalid_argument.
void Channel(const Rows24 &in, const Rows24 &out, int k);
// Edge enhancement (N2) with the edge strength: each channel convolved with
// EdgeKernel(strength), clamped to 0..255.  Strength 6 raises the
// floating-point error (invalid operation: the kernel sums to 0).
void EdgeEnhance(const Rows24 &in, const Rows24 &out, double strength);
// Blur (N4) with the blur amount: each channel convolved with
// BlurKernel(amount), clamped to 0..255.  Refuses amount < 0; amount 0
// raises the invalid-operation error while the kernel is built.
void Blur(const Rows24 &in, const Rows24 &out, double amount);

// The guide-miss canceller's values, as its dialog stores them.
struct GuideMissParams {
    int direction = 0;    // smear direction, degrees
    int flow = 0;         // flow amount m, pixels; the kernels are 2m + 3 square
    double blur = 0;      // blur amount (shared with the blur dialog)
    int threshold = 0;    // channel values below it are smoothed
};
// The guide-miss canceller (P1) on the displayed picture, in place.  The
// processed area is areaWidth × areaHeight (the picture control's size, the
// zoomed size when zoomed), which may differ from the bitmap's size: points
// outside the bitmap read the canvas's −1 (red −1, green 0, blue 0) and
// results there are dropped.  Per channel (red, green, blue): convolution
// with the rotated sharpening kernel, clamp, smooth_below with the smoothing
// kernel, clamp.  Every pixel is read before any is written, and any error
// (flow < 0 refused, blur amount 0 the floating-point error, allocation)
// leaves the picture untouched.
void GuideMissCancel(const Rows24 &picture, int areaWidth, int areaHeight, const GuideMissParams &p);

// ---------------------------------------------------------------------------
// Kernels (real planes indexed [i][j], i along x, j along y), not yet
// normalised.  AllocationError when the plane cannot be had.
// ---------------------------------------------------------------------------

// 3 × 3: centre 10 − s, the four side neighbours −1, corners 0.
RealPlaneOwner EdgeKernel(double strength);
// n = trunc(2s + 1): 2s + 1 of 2^31 or more raises the invalid-operation
// error (the platform's truncation), s < 0 refused (n would be 0 or less).
int BlurKernelSize(double amount);
// n × n cells exp(−((i − s)² + (j − s)²) / s²), i outer, j inner; s = 0
// raises the invalid-operation error (0 ÷ 0), an infinite quotient the
// overflow error.
RealPlaneOwner BlurKernel(double amount);
// (2m + 3)² cells, 0 but for 3 at (m + 1, m + 1) and −1 at (0, m + 1) and
// (2m + 2, m + 1): the horizontal sharpening kernel, not rotated.
RealPlaneOwner SharpeningKernel(int flow);
// Overwrites a (2m + 3)² kernel with exp(−((i − g)² + (j − g)²) / s²),
// g = m + 1, i outer, j inner; s = 0 raises the division-by-zero error
// (the first cell's numerator is not 0), an infinite quotient the overflow
// error.
void FillSmoothingKernel(RealPlane kernel, int flow, double amount);

// ---------------------------------------------------------------------------
// Parallel forms of the core convolutions, bit-identical to the core calls.
// ---------------------------------------------------------------------------

// As convolve_plane on one plane, columns side by side.  Normalises the
// kernel in place first; throws FloatingPointError (nothing changed) or
// AllocationError (nothing changed), or std::invalid_argument for a kernel
// side below 1.
void ConvolvePlane(int kw, int kh, RealPlane kernel, int width, int height, Plane plane);
// As convolve_plane on planes[0], then planes[1], then planes[2] with the
// same kernel (each call normalising it again), the three side by side.
// The kernel ends as after the third call.
void ConvolveChannels(int kw, int kh, RealPlane kernel, int width, int height, Plane planes[3]);
// As smooth_below on planes[0], planes[1], planes[2] in turn, side by side.
void SmoothBelowChannels(int threshold, int kw, int kh, RealPlane kernel, int width, int height,
                         Plane planes[3]);

} // namespace pixels
