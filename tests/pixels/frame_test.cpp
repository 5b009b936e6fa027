#include "Frame.h"
#include "plane_owner.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

PlaneOwner filled(int w, int h, int v)
{
    PlaneOwner p;
    EXPECT_EQ(p.allocate(w, h), 0);
    for (int x = 0; x < w; ++x)
        for (int y = 0; y < h; ++y)
            p[x][y] = v;
    return p;
}

TEST(FrameStatistics, GridOfAThousandSquareFrameIs245By245)
{
    PlaneOwner p = filled(1000, 1000, 7);
    const pixels::FrameStatistics st = pixels::GridStatistics(p.get(), 1000, 1000);
    EXPECT_EQ(st.count, 245.0 * 245.0);
    // The last grid point is 986: a sample at 990 is never seen.
    p[990][10] = 0;
    p[986][986] = 3;
    EXPECT_EQ(pixels::GridStatistics(p.get(), 1000, 1000).minimum, 3);
}

TEST(FrameStatistics, EmptyGridRaisesInvalidOperation)
{
    PlaneOwner p = filled(20, 500, 100);
    const pixels::FrameStatistics st = pixels::GridStatistics(p.get(), 20, 500);
    EXPECT_EQ(st.count, 0);
    try {
        pixels::CheckMean(st);
        FAIL() << "no error";
    } catch (const FloatingPointError &e) {
        EXPECT_EQ(e.kind(), FloatingPointError::Kind::InvalidOp);
    }
}

TEST(FrameRender, MeanTenAboveMinimumShows0_50_255)
{
    PlaneOwner frame = filled(4, 1, 0);
    PlaneOwner display = filled(4, 1, -1);
    const int samples[] = {1000, 1010, 1051, 1500};
    for (int x = 0; x < 4; ++x)
        frame[x][0] = samples[x];
    pixels::Render(frame.get(), display.get(), 4, 1, 1000, 1010.0);
    EXPECT_EQ(display[0][0], 0);
    EXPECT_EQ(display[1][0], 50);
    EXPECT_EQ(display[2][0], 255);
    EXPECT_EQ(display[3][0], 255);
}

TEST(FrameRender, MeanEqualToMinimumRaisesBeforeWriting)
{
    struct Case {
        const char *name;
        int first;
        FloatingPointError::Kind kind;
    } const cases[] = {
        {"constant frame: 0 / 0", 100, FloatingPointError::Kind::InvalidOp},
        {"first sample off the minimum", 140, FloatingPointError::Kind::ZeroDivide},
    };
    for (const Case &c : cases) {
        PlaneOwner frame = filled(2, 2, 100);
        frame[0][0] = c.first;
        PlaneOwner display = filled(2, 2, -7);
        try {
            pixels::Render(frame.get(), display.get(), 2, 2, 100, 100.0);
            ADD_FAILURE() << c.name << ": no error";
        } catch (const FloatingPointError &e) {
            EXPECT_EQ(e.kind(), c.kind) << c.name;
        }
        EXPECT_EQ(display[1][1], -7) << c.name;
    }
}

TEST(FrameEncoding, RawSamplesKeepTheirValueThroughTheColourValue)
{
    const int samples[] = {0, 256, 1048, 33816, 65535};
    std::vector<uint8_t> bytes(3 * 5);
    const pixels::Rows24 rows{bytes.data(), 15, 5, 1};
    PlaneOwner frame;
    ASSERT_EQ(frame.allocate(5, 1), 0);
    for (int x = 0; x < 5; ++x)
        frame[x][0] = samples[x];
    pixels::FillRaw(frame.get(), rows);
    EXPECT_EQ(bytes[3 * 3 + 0], 0);
    EXPECT_EQ(bytes[3 * 3 + 1], 132);
    EXPECT_EQ(bytes[3 * 3 + 2], 24);
    for (int x = 0; x < 5; ++x) {
        EXPECT_EQ(pixels::ColorAt(rows, x, 0), samples[x]);
        EXPECT_EQ(pixels::DecodeRawSample(rows.at(x, 0)), samples[x]);
    }
    EXPECT_EQ(pixels::ColorAt(rows, 5, 0), -1);
    EXPECT_EQ(pixels::ColorAt(rows, -1, 0), -1);
}

TEST(ColourSplit, OrdinaryColoursAndTheInvalidColour)
{
    struct Case {
        int c, red, green, blue;
    } const cases[] = {
        {0x00102030, 0x30, 0x20, 0x10},
        {0x00FFFFFF, 255, 255, 255},
        {0, 0, 0, 0},
        {-1, -1, 0, 0},
    };
    for (const Case &c : cases) {
        const pixels::Rgb rgb = pixels::SplitColor(c.c);
        EXPECT_EQ(rgb.red, c.red) << c.c;
        EXPECT_EQ(rgb.green, c.green) << c.c;
        EXPECT_EQ(rgb.blue, c.blue) << c.c;
    }
}

} // namespace
