#include "Toolkit.h"
#include "core_sequence.h"
#include "kernel.h"
#include "plane_owner.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#ifdef _OPENMP
#include <omp.h>
#endif

namespace {

using pixels::Rows24;
using Kind = FloatingPointError::Kind;

// A small 24-bit picture owning its bytes.  Rows are padded to a multiple
// of four bytes like a bitmap's, so a stride mistake shows.
struct Picture {
    int width, height;
    int stride;
    std::vector<uint8_t> bytes;
    Picture(int w, int h, uint8_t fill = 0)
        : width(w), height(h), stride((3 * w + 3) / 4 * 4), bytes(size_t(stride) * size_t(h), fill)
    {
    }
    Rows24 rows() { return {bytes.data(), stride, width, height}; }
    uint8_t *at(int x, int y) { return bytes.data() + y * stride + 3 * x; }
    void setGrey(int x, int y, uint8_t v) { at(x, y)[0] = at(x, y)[1] = at(x, y)[2] = v; }
    uint8_t grey(int x, int y) { return at(x, y)[0]; }
    bool samePixels(Picture &o)
    {
        for (int y = 0; y < height; ++y)
            if (std::memcmp(at(0, y), o.at(0, y), 3 * size_t(width)) != 0)
                return false;
        return true;
    }
};

Picture randomPicture(int w, int h, unsigned seed)
{
    Picture p(w, h);
    std::mt19937 rng(seed);
    for (int y = 0; y < h; ++y)
        for (int b = 0; b < 3 * w; ++b)
            p.at(0, y)[b] = uint8_t(rng());
    return p;
}

Kind kindOf(const std::function<void()> &f)
{
    try {
        f();
    } catch (const FloatingPointError &e) {
        return e.kind();
    }
    ADD_FAILURE() << "no floating-point error";
    return Kind::Overflow;
}

std::string refusalOf(const std::function<void()> &f)
{
    try {
        f();
    } catch (const std::invalid_argument &e) {
        return e.what();
    }
    return "(accepted)";
}

// Runs with a given number of threads and restores the default.
#ifdef _OPENMP
struct Threads {
    int before;
    explicit Threads(int n) : before(omp_get_max_threads()) { omp_set_num_threads(n); }
    ~Threads() { omp_set_num_threads(before); }
};
#else
struct Threads {
    explicit Threads(int) {}
};
#endif

// The one-thread path through the core calls (core_sequence.h).
Picture coreConvolved(Picture &in, int kw, int kh, const std::function<void(RealPlane)> &fill)
{
    Picture out(in.width, in.height);
    EXPECT_TRUE(reference::ConvolvedChannels(in.rows(), out.rows(), kw, kh, fill));
    return out;
}

void coreCancel(Picture &pic, int W, int H, const pixels::GuideMissParams &p)
{
    ASSERT_TRUE(reference::Cancel(pic.rows(), W, H, p));
}

// --- Tone operations --------------------------------------------------------

TEST(ToneBytes, NegativeGammaAndSabattier)
{
    struct Case {
        const char *name;
        std::function<uint8_t(uint8_t)> map;
        uint8_t in, out;
    } const cases[] = {
        {"negative 0", pixels::NegativeByte, 0, 255},
        {"negative 100", pixels::NegativeByte, 100, 155},
        {"negative 255", pixels::NegativeByte, 255, 0},
        {"gamma 2: 128", [](uint8_t v) { return pixels::GammaByte(v, 2); }, 128, 64},
        {"gamma 0.5: 64", [](uint8_t v) { return pixels::GammaByte(v, 0.5); }, 64, 127},
        {"gamma 0.5: 1", [](uint8_t v) { return pixels::GammaByte(v, 0.5); }, 1, 15},
        {"sabattier 255: 100", [](uint8_t v) { return pixels::SabattierByte(v, 255); }, 100, 100},
        {"sabattier 255: 254", [](uint8_t v) { return pixels::SabattierByte(v, 255); }, 254, 254},
        {"sabattier 255: 255", [](uint8_t v) { return pixels::SabattierByte(v, 255); }, 255, 0},
        {"sabattier 128: 100", [](uint8_t v) { return pixels::SabattierByte(v, 128); }, 100, 200},
        {"sabattier 128: 128", [](uint8_t v) { return pixels::SabattierByte(v, 128); }, 128, 0},
        {"sabattier 128: 200", [](uint8_t v) { return pixels::SabattierByte(v, 128); }, 200, 144},
        {"sabattier 510: 255", [](uint8_t v) { return pixels::SabattierByte(v, 510); }, 255, 128},
        {"sabattier -255: 1 keeps the low bits of -1", [](uint8_t v) { return pixels::SabattierByte(v, -255); }, 1,
         255},
        {"sabattier -1: 1 (remainder -0)", [](uint8_t v) { return pixels::SabattierByte(v, -1); }, 1, 0},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.map(c.in), c.out) << c.name;
}

TEST(ToneBytes, GammaKeepsTheEndsAndTruncates)
{
    for (double g : {0.1, 0.5, 1.0, 2.0, 7.3}) {
        EXPECT_EQ(pixels::GammaByte(0, g), 0) << g;
        EXPECT_EQ(pixels::GammaByte(255, g), 255) << g;
    }
    // γ = 1 may come out one below, never more, never above.
    int below = 0;
    for (int v = 0; v < 256; ++v) {
        const int out = pixels::GammaByte(uint8_t(v), 1.0);
        EXPECT_TRUE(out == v || out == v - 1) << v;
        below += out == v - 1;
    }
    EXPECT_GT(below, 0);
}

TEST(ToneBytes, RefusalsAndFloatingPointErrors)
{
    EXPECT_EQ(refusalOf([] { pixels::GammaByte(10, 0); }), pixels::kGammaRefusedText);
    EXPECT_EQ(refusalOf([] { pixels::GammaByte(10, -1); }), pixels::kGammaRefusedText);
    EXPECT_EQ(pixels::GammaRefusal(0.5), nullptr);
    EXPECT_STREQ(pixels::GammaRefusal(0), pixels::kGammaRefusedText);
    EXPECT_EQ(kindOf([] { pixels::SabattierByte(0, 0); }), Kind::InvalidOp);
    EXPECT_EQ(kindOf([] { pixels::SabattierByte(7, 0); }), Kind::ZeroDivide);
    EXPECT_EQ(kindOf([] { pixels::SabattierByte(1, 1e-310); }), Kind::Overflow);
    EXPECT_EQ(pixels::SabattierByte(0, 1e-310), 0);
}

TEST(TonePictures, NegativeTwiceRestoresAndGammaTwiceIsGammaOnce)
{
    Picture in = randomPicture(7, 5, 1), once(7, 5), twice(7, 5);
    pixels::Negative(in.rows(), once.rows());
    EXPECT_EQ(once.at(3, 2)[1], 255 - in.at(3, 2)[1]);
    pixels::Negative(once.rows(), twice.rows());
    EXPECT_TRUE(twice.samePixels(in));

    Picture g1(7, 5), g2(7, 5);
    pixels::Gamma(in.rows(), g1.rows(), 2);
    pixels::Gamma(in.rows(), g2.rows(), 2);
    EXPECT_TRUE(g1.samePixels(g2));
    EXPECT_EQ(g1.at(4, 4)[2], pixels::GammaByte(in.at(4, 4)[2], 2));
}

TEST(TonePictures, ComaCorrectionIsTheGammaMapping)
{
    Picture in = randomPicture(9, 4, 2), coma(9, 4), gamma(9, 4);
    pixels::ComaCorrect(in.rows(), coma.rows(), 0.5);
    pixels::Gamma(in.rows(), gamma.rows(), 0.5);
    EXPECT_TRUE(coma.samePixels(gamma));
    Picture grey(3, 1);
    grey.setGrey(0, 0, 128);
    grey.setGrey(1, 0, 64);
    Picture out(3, 1, 9);
    pixels::ComaCorrect(grey.rows(), out.rows(), 2);
    EXPECT_EQ(out.grey(0, 0), 64);
    EXPECT_EQ(out.at(0, 0)[2], 64);
    pixels::ComaCorrect(grey.rows(), out.rows(), 0.5);
    EXPECT_EQ(out.grey(1, 0), 127);
}

TEST(TonePictures, RefusedOrFailingParametersWriteNothing)
{
    Picture in(4, 3, 0), out(4, 3, 77);
    in.at(0, 0)[0] = 0; // the first byte decides the error of a zero step
    EXPECT_EQ(refusalOf([&] { pixels::Gamma(in.rows(), out.rows(), 0); }), pixels::kGammaRefusedText);
    EXPECT_EQ(refusalOf([&] { pixels::ComaCorrect(in.rows(), out.rows(), -2); }), pixels::kGammaRefusedText);
    EXPECT_EQ(kindOf([&] { pixels::Sabattier(in.rows(), out.rows(), 0); }), Kind::InvalidOp);
    in.at(0, 0)[0] = 9;
    EXPECT_EQ(kindOf([&] { pixels::Sabattier(in.rows(), out.rows(), 0); }), Kind::ZeroDivide);
    for (uint8_t b : out.bytes)
        ASSERT_TRUE(b == 77 || b == 0); // padding is 77 too
    EXPECT_EQ(out.grey(2, 2), 77);
}

TEST(Solarization, StepsAndUniformPictures)
{
    struct Case {
        const char *name;
        std::vector<uint8_t> column; // top to bottom, on every column
        std::vector<uint8_t> want;
    } const cases[] = {
        {"dark above bright", {0, 0, 0, 255, 255, 255}, {0, 0, 0, 42, 255, 255}},
        {"bright above dark (its top row darkens too)", {255, 255, 255, 0, 0, 0}, {42, 255, 255, 212, 0, 0}},
        {"uniform 100", {100, 100, 100, 100}, {16, 100, 100, 166}},
        {"uniform 255", {255, 255, 255, 255}, {42, 255, 255, 255}},
    };
    for (const Case &c : cases) {
        const int h = int(c.column.size());
        Picture in(3, h), out(3, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < 3; ++x)
                in.setGrey(x, y, c.column[size_t(y)]);
        pixels::Solarize(in.rows(), out.rows());
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < 3; ++x)
                for (int b = 0; b < 3; ++b)
                    EXPECT_EQ(out.at(x, y)[b], c.want[size_t(y)]) << c.name << " row " << y << " x " << x;
    }
}

// --- Geometry and colour channels -------------------------------------------

TEST(Geometry, MirrorCopiesFlipReversesRows)
{
    Picture in = randomPicture(5, 2, 3), out(5, 2), again(5, 2);
    pixels::Mirror(in.rows(), out.rows());
    EXPECT_TRUE(out.samePixels(in));
    pixels::Flip(in.rows(), out.rows());
    EXPECT_EQ(std::memcmp(out.at(0, 0), in.at(0, 1), 15), 0);
    EXPECT_EQ(std::memcmp(out.at(0, 1), in.at(0, 0), 15), 0);
    // The base picture is unchanged, so a second flip shows the same.
    pixels::Flip(in.rows(), again.rows());
    EXPECT_TRUE(again.samePixels(out));
}

TEST(Geometry, ChannelSeparation)
{
    Picture in(2, 1), out(2, 1);
    in.at(0, 0)[0] = 10;
    in.at(0, 0)[1] = 20;
    in.at(0, 0)[2] = 30;
    const uint8_t want[3] = {10, 20, 30};
    for (int k = 0; k < 3; ++k) {
        pixels::Channel(in.rows(), out.rows(), k);
        for (int b = 0; b < 3; ++b)
            EXPECT_EQ(out.at(0, 0)[b], want[k]) << "channel " << k;
    }
    EXPECT_THROW(pixels::Channel(in.rows(), out.rows(), 3), std::invalid_argument);
    Picture small(1, 1);
    EXPECT_THROW(pixels::Mirror(in.rows(), small.rows()), std::invalid_argument);
}

// --- Edge enhancement and blur -----------------------------------------------

TEST(EdgeKernel, NormalisedWeightsPerStrength)
{
    struct Case {
        double strength, centre, side;
    } const cases[] = {{1, 1.8, -0.2}, {2, 2, -0.25}, {3, 7.0 / 3, -1.0 / 3}, {4, 3, -0.5}, {5, 5, -1}, {0, 10.0 / 6, -1.0 / 6}};
    for (const Case &c : cases) {
        RealPlaneOwner k = pixels::EdgeKernel(c.strength);
        normalise_kernel(3, 3, k.get());
        EXPECT_NEAR(k[1][1], c.centre, 1e-12) << c.strength;
        for (auto [i, j] : {std::pair{0, 1}, {1, 0}, {1, 2}, {2, 1}})
            EXPECT_NEAR(k[i][j], c.side, 1e-12) << c.strength;
        for (auto [i, j] : {std::pair{0, 0}, {0, 2}, {2, 0}, {2, 2}})
            EXPECT_EQ(k[i][j], 0.0) << c.strength;
    }
}

TEST(EdgeEnhance, UniformPicturesInteriorSidesCorners)
{
    struct Case {
        const char *name;
        double strength;
        uint8_t level;
        uint8_t interior, side, corner;
    } const cases[] = {
        {"strength 2 on 100", 2, 100, 100, 125, 150},
        {"strength 1 on 100", 1, 100, 100, 120, 140},
        // Sides weigh 2 − 3 × 0.25 = 1.25: 250, below the clamp; corners 1.5.
        {"strength 2 on 200: corners clamp", 2, 200, 200, 250, 255},
    };
    for (const Case &c : cases) {
        Picture in(5, 4, c.level), out(5, 4);
        pixels::EdgeEnhance(in.rows(), out.rows(), c.strength);
        EXPECT_EQ(out.grey(2, 1), c.interior) << c.name;
        EXPECT_EQ(out.grey(2, 2), c.interior) << c.name;
        EXPECT_EQ(out.grey(2, 0), c.side) << c.name;
        EXPECT_EQ(out.grey(0, 2), c.side) << c.name;
        EXPECT_EQ(out.grey(4, 1), c.side) << c.name;
        EXPECT_EQ(out.grey(2, 3), c.side) << c.name;
        for (auto [x, y] : {std::pair{0, 0}, {4, 0}, {0, 3}, {4, 3}})
            EXPECT_EQ(out.grey(x, y), c.corner) << c.name;
    }
}

TEST(EdgeEnhance, StrengthSixIsTheFloatingPointErrorAndOnePixelScales)
{
    Picture in(3, 3, 100), out(3, 3, 7);
    EXPECT_EQ(kindOf([&] { pixels::EdgeEnhance(in.rows(), out.rows(), 6); }), Kind::InvalidOp);
    EXPECT_EQ(out.grey(1, 1), 7);
    Picture one(1, 1, 100), oneOut(1, 1);
    pixels::EdgeEnhance(one.rows(), oneOut.rows(), 2); // × 8/4
    EXPECT_EQ(oneOut.grey(0, 0), 200);
    pixels::EdgeEnhance(one.rows(), oneOut.rows(), 4); // × 6/2, clamped
    EXPECT_EQ(oneOut.grey(0, 0), 255);
}

TEST(BlurKernel, SizesAndTheDefaultWeights)
{
    struct Case {
        double amount;
        int n;
    } const cases[] = {{1, 3}, {1.5, 4}, {10, 21}, {0.3, 1}, {0, 1}, {0.49, 1}, {0.5, 2}};
    for (const Case &c : cases)
        EXPECT_EQ(pixels::BlurKernelSize(c.amount), c.n) << c.amount;
    EXPECT_EQ(refusalOf([] { pixels::BlurKernelSize(-0.1); }), pixels::kBlurRefusedText);
    EXPECT_EQ(kindOf([] { pixels::BlurKernelSize(2e9); }), Kind::InvalidOp);

    RealPlaneOwner k = pixels::BlurKernel(1);
    ASSERT_EQ(k.width(), 3);
    normalise_kernel(3, 3, k.get());
    EXPECT_NEAR(k[1][1], 0.3319, 5e-5);
    EXPECT_NEAR(k[0][1], 0.1221, 5e-5);
    EXPECT_NEAR(k[2][1], 0.1221, 5e-5);
    EXPECT_NEAR(k[0][0], 0.0449, 5e-5);
    EXPECT_NEAR(k[2][2], 0.0449, 5e-5);
    EXPECT_EQ(kindOf([] { pixels::BlurKernel(0); }), Kind::InvalidOp);
}

TEST(Blur, BordersOnePixelAndSmallAmounts)
{
    struct Case {
        const char *name;
        int w, h;
        double amount;
        uint8_t level;
        int x, y;
        uint8_t want;
    } const cases[] = {
        {"corner keeps 0.621 of 255", 6, 5, 1, 255, 0, 0, 158},
        {"corner keeps 0.621 of 100", 6, 5, 1, 100, 5, 4, 62},
        {"1 x 1 keeps the centre weight", 1, 1, 1, 255, 0, 0, 84},
        {"amount 0.3 is one cell", 4, 3, 0.3, 201, 0, 0, 201},
        {"amount 0.3 interior", 4, 3, 0.3, 201, 2, 1, 201},
    };
    for (const Case &c : cases) {
        Picture in(c.w, c.h, c.level), out(c.w, c.h);
        pixels::Blur(in.rows(), out.rows(), c.amount);
        EXPECT_EQ(out.grey(c.x, c.y), c.want) << c.name;
    }
    Picture in = randomPicture(5, 5, 4), out(5, 5);
    pixels::Blur(in.rows(), out.rows(), 0.3);
    EXPECT_TRUE(out.samePixels(in));
}

TEST(Blur, ZeroAndNegativeAmountsChangeNothing)
{
    Picture in(4, 4, 100), out(4, 4, 3);
    EXPECT_EQ(kindOf([&] { pixels::Blur(in.rows(), out.rows(), 0); }), Kind::InvalidOp);
    EXPECT_EQ(refusalOf([&] { pixels::Blur(in.rows(), out.rows(), -1); }), pixels::kBlurRefusedText);
    EXPECT_EQ(pixels::BlurRefusal(0), nullptr);
    // A kernel of 2000001 cells across cannot be had.
    try {
        pixels::Blur(in.rows(), out.rows(), 1e6);
        ADD_FAILURE() << "no allocation error";
    } catch (const pixels::AllocationError &e) {
        EXPECT_STREQ(e.what(), "メモリを確保できません");
    }
    EXPECT_EQ(out.grey(1, 1), 3);
}

// --- Guide-miss canceller -----------------------------------------------------

const pixels::GuideMissParams kDefaults{0, 1, 0.2, 0};

std::vector<int> row(Picture &p, int y)
{
    std::vector<int> v;
    for (int x = 0; x < p.width; ++x)
        v.push_back(p.grey(x, y));
    return v;
}

TEST(GuideMissCanceller, DefaultsSharpenAlongTheRows)
{
    struct Case {
        const char *name;
        uint8_t level;
        std::vector<int> want; // every row, 9 columns
    } const cases[] = {
        {"uniform 100", 100, {200, 200, 100, 100, 100, 100, 100, 200, 200}},
        {"uniform 200", 200, {255, 255, 200, 200, 200, 200, 200, 255, 255}},
    };
    for (const Case &c : cases) {
        Picture p(9, 3, c.level);
        pixels::GuideMissCancel(p.rows(), 9, 3, kDefaults);
        for (int y = 0; y < 3; ++y)
            EXPECT_EQ(row(p, y), c.want) << c.name << " row " << y;
    }
    Picture dot(9, 5, 0);
    dot.setGrey(4, 2, 100);
    pixels::GuideMissCancel(dot.rows(), 9, 5, kDefaults);
    EXPECT_EQ(row(dot, 2), (std::vector<int>{0, 0, 0, 0, 255, 0, 0, 0, 0}));
    EXPECT_EQ(row(dot, 1), std::vector<int>(9, 0));
}

TEST(GuideMissCanceller, TwiceSharpensTwice)
{
    Picture p(9, 2, 100);
    pixels::GuideMissCancel(p.rows(), 9, 2, kDefaults);
    pixels::GuideMissCancel(p.rows(), 9, 2, kDefaults);
    EXPECT_EQ(row(p, 0), (std::vector<int>{255, 255, 0, 0, 100, 0, 0, 255, 255}));
}

TEST(GuideMissCanceller, OtherFlowAmountsKeepThePictureInPlace)
{
    struct Case {
        int flow;
        std::vector<int> want; // 12 columns of uniform 100
    } const cases[] = {
        {0, {200, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 200}},
        {2, {200, 200, 200, 100, 100, 100, 100, 100, 100, 200, 200, 200}},
    };
    for (const Case &c : cases) {
        Picture p(12, 2, 100);
        pixels::GuideMissCancel(p.rows(), 12, 2, {0, c.flow, 0.2, 0});
        EXPECT_EQ(row(p, 1), c.want) << "flow " << c.flow;
    }
}

TEST(GuideMissCanceller, DirectionsAgreeUpToOneLevel)
{
    Picture base = randomPicture(11, 9, 5);
    // Direction 180 against 0.
    Picture a = base, b = base;
    pixels::GuideMissCancel(a.rows(), 11, 9, {0, 1, 0.2, 0});
    pixels::GuideMissCancel(b.rows(), 11, 9, {180, 1, 0.2, 0});
    // Direction 90 against 0 on the transposed picture.
    Picture t(9, 11);
    for (int x = 0; x < 11; ++x)
        for (int y = 0; y < 9; ++y)
            std::memcpy(t.at(y, x), base.at(x, y), 3);
    Picture c = base;
    pixels::GuideMissCancel(c.rows(), 11, 9, {90, 1, 0.2, 0});
    pixels::GuideMissCancel(t.rows(), 9, 11, {0, 1, 0.2, 0});
    for (int x = 0; x < 11; ++x)
        for (int y = 0; y < 9; ++y)
            for (int k = 0; k < 3; ++k) {
                EXPECT_LE(std::abs(a.at(x, y)[k] - b.at(x, y)[k]), 1) << x << "," << y;
                EXPECT_LE(std::abs(c.at(x, y)[k] - t.at(y, x)[k]), 1) << x << "," << y;
            }
    EXPECT_FALSE(a.samePixels(c));
}

TEST(GuideMissCanceller, AThresholdAboveEveryValueMovesThePictureUpAndLeft)
{
    // A blur amount so small that the smoothing kernel is exactly one cell.
    Picture p(9, 3, 100);
    pixels::GuideMissCancel(p.rows(), 9, 3, {0, 1, 0.01, 256});
    EXPECT_EQ(row(p, 0), (std::vector<int>{200, 100, 100, 100, 100, 100, 200, 200, 0}));
    EXPECT_EQ(row(p, 1), row(p, 0));
    EXPECT_EQ(row(p, 2), std::vector<int>(9, 0));
}

TEST(GuideMissCanceller, TheAreaIsTheControlsNotTheBitmaps)
{
    // Zoomed in: beyond the bitmap the canvas reads -1, red -1 and green and
    // blue 0, so the red of the last columns differs; writes there are lost.
    Picture in(6, 2, 100);
    pixels::GuideMissCancel(in.rows(), 12, 4, kDefaults);
    for (int y = 0; y < 2; ++y) {
        EXPECT_EQ(in.at(0, y)[2], 200);
        EXPECT_EQ(in.at(3, y)[2], 100);
        EXPECT_EQ(in.at(4, y)[2], 201);
        EXPECT_EQ(in.at(5, y)[2], 201);
        EXPECT_EQ(in.at(4, y)[1], 200);
        EXPECT_EQ(in.at(5, y)[0], 200);
    }
    // Zoomed out: only the top-left area is processed, its border is the
    // picture's border.
    Picture out(6, 2, 100);
    pixels::GuideMissCancel(out.rows(), 3, 1, kDefaults);
    EXPECT_EQ(row(out, 0), (std::vector<int>{200, 255, 200, 100, 100, 100}));
    EXPECT_EQ(row(out, 1), std::vector<int>(6, 100));
}

TEST(GuideMissCanceller, FailuresLeaveThePictureUntouched)
{
    Picture p(5, 5, 100);
    EXPECT_EQ(refusalOf([&] { pixels::GuideMissCancel(p.rows(), 5, 5, {0, -1, 0.2, 0}); }), pixels::kFlowRefusedText);
    EXPECT_EQ(pixels::FlowRefusal(0), nullptr);
    EXPECT_EQ(kindOf([&] { pixels::GuideMissCancel(p.rows(), 5, 5, {0, 1, 0, 0}); }), Kind::ZeroDivide);
    EXPECT_THROW(pixels::GuideMissCancel(p.rows(), 5, 5, {0, INT32_MAX, 0.2, 0}), pixels::AllocationError);
    EXPECT_THROW(pixels::GuideMissCancel(p.rows(), 5, 5, {0, 1000000, 0.2, 0}), pixels::AllocationError);
    EXPECT_THROW(pixels::GuideMissCancel(p.rows(), 2000000000, 2000000000, kDefaults), pixels::AllocationError);
    for (int y = 0; y < 5; ++y)
        EXPECT_EQ(row(p, y), std::vector<int>(5, 100));
    // A negative blur amount acts as its absolute value.
    Picture neg(7, 4, 90), pos(7, 4, 90);
    neg.setGrey(3, 2, 10);
    pos.setGrey(3, 2, 10);
    pixels::GuideMissCancel(neg.rows(), 7, 4, {30, 1, -0.7, 200});
    pixels::GuideMissCancel(pos.rows(), 7, 4, {30, 1, 0.7, 200});
    EXPECT_TRUE(neg.samePixels(pos));
}

TEST(EmptyPictures, EveryOperationAcceptsThem)
{
    for (auto [w, h] : {std::pair{0, 0}, {0, 5}, {4, 0}}) {
        Picture in(w, h), out(w, h);
        const Rows24 i = in.rows(), o = out.rows();
        pixels::Negative(i, o);
        pixels::Gamma(i, o, 2);
        pixels::Sabattier(i, o, 0); // no byte, so no division
        pixels::Solarize(i, o);
        pixels::Mirror(i, o);
        pixels::Flip(i, o);
        pixels::Channel(i, o, 1);
        pixels::EdgeEnhance(i, o, 2);
        pixels::Blur(i, o, 2);
        pixels::GuideMissCancel(i, w, h, kDefaults);
        pixels::GuideMissCancel(i, 3, 2, kDefaults); // all outside the bitmap
    }
    SUCCEED();
}

// --- Parallel against one thread ----------------------------------------------

TEST(Parallel, ConvolvePlaneMatchesTheCoreBitForBit)
{
    std::mt19937 rng(11);
    struct Size {
        int w, h, kw, kh;
    } const sizes[] = {{1, 1, 3, 3}, {7, 5, 7, 7}, {3, 9, 4, 2}, {64, 48, 5, 3}, {300, 251, 3, 5}, {2, 2, 9, 9}};
    for (const Size &s : sizes) {
        PlaneOwner mine, core;
        ASSERT_EQ(mine.allocate(s.w, s.h), 0);
        ASSERT_EQ(core.allocate(s.w, s.h), 0);
        for (int x = 0; x < s.w; ++x)
            for (int y = 0; y < s.h; ++y)
                mine[x][y] = core[x][y] = int(rng() % 70000) - 1000;
        RealPlaneOwner km, kc;
        ASSERT_EQ(km.allocate(s.kw, s.kh), 0);
        ASSERT_EQ(kc.allocate(s.kw, s.kh), 0);
        for (int i = 0; i < s.kw; ++i)
            for (int j = 0; j < s.kh; ++j) {
                const unsigned r = rng() % 5;
                km[i][j] = kc[i][j] = r == 0 ? 0.0 : r == 1 ? -0.0 : std::ldexp(double(rng() % 2001) - 700, -7);
            }
        km[s.kw / 2][s.kh / 2] = kc[s.kw / 2][s.kh / 2] = 40.0;
        pixels::ConvolvePlane(s.kw, s.kh, km.get(), s.w, s.h, mine.get());
        ASSERT_EQ(convolve_plane(s.kw, s.kh, kc.get(), s.w, s.h, core.get()), 0);
        for (int x = 0; x < s.w; ++x)
            for (int y = 0; y < s.h; ++y)
                ASSERT_EQ(mine[x][y], core[x][y]) << s.w << "x" << s.h << " at " << x << "," << y;
        for (int i = 0; i < s.kw; ++i)
            for (int j = 0; j < s.kh; ++j)
                ASSERT_EQ(std::memcmp(&km[i][j], &kc[i][j], sizeof(double)), 0);
    }
}

TEST(Parallel, PictureOperationsMatchTheOneThreadCoreSequence)
{
    // Large enough to be split over the threads; edge strengths 3 and 4.5
    // renormalise to a kernel that no longer sums to exactly 1.
    Picture in = randomPicture(301, 203, 12);
    struct Case {
        const char *name;
        int kw;
        std::function<void(const Rows24 &, const Rows24 &)> run;
        std::function<void(RealPlane)> fill;
    } const cases[] = {
        {"edge 3", 3, [](auto &i, auto &o) { pixels::EdgeEnhance(i, o, 3); },
         [](RealPlane k) { k[1][1] = 7; k[0][1] = k[1][0] = k[1][2] = k[2][1] = -1; }},
        {"edge 4.5", 3, [](auto &i, auto &o) { pixels::EdgeEnhance(i, o, 4.5); },
         [](RealPlane k) { k[1][1] = 5.5; k[0][1] = k[1][0] = k[1][2] = k[2][1] = -1; }},
        {"solarization", 3, [](auto &i, auto &o) { pixels::Solarize(i, o); },
         [](RealPlane k) { k[1][0] = 5; k[1][1] = 5; k[1][2] = -4; }},
        {"blur 1.5", 4, [](auto &i, auto &o) { pixels::Blur(i, o, 1.5); },
         [](RealPlane k) {
             for (int i = 0; i < 4; ++i)
                 for (int j = 0; j < 4; ++j)
                     k[i][j] = std::exp(-((i - 1.5) * (i - 1.5) + (j - 1.5) * (j - 1.5)) / (1.5 * 1.5));
         }},
    };
    for (const Case &c : cases) {
        Picture want = coreConvolved(in, c.kw, c.kw, c.fill);
        for (int threads : {1, 2, 3}) {
            Threads scope(threads);
            Picture got(in.width, in.height);
            c.run(in.rows(), got.rows());
            EXPECT_TRUE(got.samePixels(want)) << c.name << " on " << threads << " threads";
        }
    }
}

TEST(Parallel, CancellerMatchesTheOneThreadCoreSequence)
{
    struct Case {
        const char *name;
        int W, H;
        pixels::GuideMissParams p;
    } const cases[] = {
        {"45 degrees, flow 2, smoothing below 128", 260, 190, {45, 2, 1.3, 128}},
        {"defaults", 257, 260, kDefaults},
        {"zoomed in, 300 degrees", 320, 260, {300, 1, 0.6, 90}},
    };
    for (const Case &c : cases) {
        Picture want = randomPicture(257, 190, 13);
        Picture got = want;
        coreCancel(want, c.W, c.H, c.p);
        pixels::GuideMissCancel(got.rows(), c.W, c.H, c.p);
        EXPECT_TRUE(got.samePixels(want)) << c.name;
    }
}

} // namespace
