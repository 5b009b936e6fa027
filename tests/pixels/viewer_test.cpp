#include "Frame.h"
#include "Viewer.h"
#include "plane.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A small 24-bit picture owning its bytes.
struct Picture {
    int width, height;
    std::vector<uint8_t> bytes;
    Picture(int w, int h, uint8_t fill = 0) : width(w), height(h), bytes(size_t(3 * w * h), fill) {}
    pixels::Rows24 rows() { return {bytes.data(), 3 * width, width, height}; }
};

TEST(Readout, Texts)
{
    EXPECT_EQ(pixels::BitmapReadout(0x00102030, 101, 51), "R=48  G=32  B=16   (101,51)");
    EXPECT_EQ(pixels::BitmapReadout(-1, 7, 8), "R=-1  G=0  B=0   (7,8)");
    EXPECT_EQ(pixels::FrameReadout(33816, 101, 51), "Intensity = 33816   (101,51)");
    EXPECT_EQ(pixels::FrameReadout(-1, 0, 0), "Intensity = -1   (0,0)");
}

TEST(StarMeasurement, UniformAreasButtonsAndEdges)
{
    struct Case {
        const char *name;
        uint8_t fill;
        int x, y;
        bool left;
        const char *peak, *fwhm;
    } const cases[] = {
        {"uniform black", 0, 50, 50, true, "MAX = 0 , MIN = 0", "FWHM = 0.0 pxls"},
        {"uniform white", 255, 50, 50, true, "MAX = 255 , MIN = 255", "FWHM = 6.2 pxls"},
        {"right or middle button", 255, 50, 50, false, "MAX = -1 , MIN = 256", "FWHM = 0.0 pxls"},
        {"near the edge reads -1 beyond it", 200, 5, 50, true, "MAX = 200 , MIN = -1", "FWHM = 6.2 pxls"},
        {"corner: fewer points count", 200, 0, 0, true, "MAX = 200 , MIN = -1", "FWHM = 3.4 pxls"},
    };
    for (const Case &c : cases) {
        Picture p(100, 100, c.fill);
        const pixels::Rows24 r = p.rows();
        const pixels::Star s = pixels::MeasureStar([&](int x, int y) { return pixels::ColorAt(r, x, y); }, c.x, c.y,
                                                   c.left);
        EXPECT_EQ(pixels::PeakText(s), c.peak) << c.name;
        EXPECT_EQ(pixels::FwhmText(s), c.fwhm) << c.name;
    }
}

TEST(StarMeasurement, CountsGreenAgainstHalfTheRedPeak)
{
    // Red peaks at 200 at the centre; green holds 100 (half, not counted)
    // everywhere but a 3 x 3 core of 101.
    Picture p(40, 40);
    const pixels::Rows24 r = p.rows();
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) {
            uint8_t *px = r.at(x, y);
            px[2] = 10;
            px[1] = std::abs(x - 20) <= 1 && std::abs(y - 20) <= 1 ? 101 : 100;
        }
    r.at(20, 20)[2] = 200;
    const pixels::Star s = pixels::MeasureStar([&](int x, int y) { return pixels::ColorAt(r, x, y); }, 20, 20, true);
    EXPECT_EQ(s.peak, 200);
    EXPECT_EQ(s.floor, 10);
    EXPECT_EQ(s.count, 9);
}

TEST(GainLevels, ByteTablesOfHAndL)
{
    struct Case {
        const char *name;
        double gain;
        int in, out;
    } const cases[] = {
        {"H: 100", 1.1, 100, 110},        {"H: 232 (255.2 truncated)", 1.1, 232, 255},
        {"H: 233 clipped", 1.1, 233, 255}, {"H: 0", 1.1, 0, 0},
        {"L: 110 (extended precision)", 0.9090909090909091, 110, 99},
        {"L: 100", 0.9090909090909091, 100, 90},
        {"L: 11", 0.9090909090909091, 11, 9},
        {"L: 255", 0.9090909090909091, 255, 231},
        {"1.331 three presses: 100", 1.1 * 1.1 * 1.1, 100, 133},
    };
    for (const Case &c : cases) {
        Picture in(1, 1, uint8_t(c.in)), out(1, 1, 7);
        pixels::GainLevels(in.rows(), out.rows(), c.gain);
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(out.bytes[k], c.out) << c.name;
    }
}

TEST(GainLevels, HThenLIsTheBasePicture)
{
    const double g = 1.1 * 0.9090909090909091;
    EXPECT_EQ(g, 1.0);
    Picture in(256, 1), out(256, 1);
    for (int v = 0; v < 256; ++v)
        in.bytes[3 * v] = in.bytes[3 * v + 1] = in.bytes[3 * v + 2] = uint8_t(v);
    pixels::GainLevels(in.rows(), out.rows(), g);
    EXPECT_EQ(out.bytes, in.bytes);
}

TEST(StretchLevels, FrameWithAverage1100AndMinimum1000)
{
    const int samples[] = {1000, 1050, 1100, 1255, 1300, 990, 0, 65535};
    const int levels[] = {0, 50, 100, 255, 255, 0, 0, 255};
    const int n = int(std::size(samples));
    Picture in(n, 1), out(n, 1, 9);
    for (int x = 0; x < n; ++x)
        pixels::EncodeRawSample(in.rows().at(x, 0), samples[x]);
    pixels::StretchLevels(in.rows(), out.rows(), 1100.0, 1000);
    for (int x = 0; x < n; ++x)
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(out.bytes[3 * x + k], levels[x]) << samples[x];
}

TEST(StretchLevels, AverageEqualToMinimumRaises)
{
    struct Case {
        const char *name;
        int first;
        FloatingPointError::Kind kind;
    } const cases[] = {
        {"first pixel at the minimum: 0 / 0", 500, FloatingPointError::Kind::InvalidOp},
        {"first pixel above it", 600, FloatingPointError::Kind::ZeroDivide},
    };
    for (const Case &c : cases) {
        Picture in(2, 1), out(2, 1);
        pixels::EncodeRawSample(in.rows().at(0, 0), c.first);
        pixels::EncodeRawSample(in.rows().at(1, 0), 500);
        try {
            pixels::StretchLevels(in.rows(), out.rows(), 500.0, 500);
            ADD_FAILURE() << c.name;
        } catch (const FloatingPointError &e) {
            EXPECT_EQ(e.kind(), c.kind) << c.name;
        }
    }
}

} // namespace
