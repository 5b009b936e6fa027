#include "Bitmap.h"
#include "Frame.h"
#include "Image.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace forms;

namespace {

// Fills a bitmap with a pattern that differs in every byte.
Bitmap pattern(int w, int h)
{
    Bitmap b(w, h);
    for (int y = 0; y < h; ++y) {
        uint8_t *row = b.ScanLine(y);
        for (int x = 0; x < w; ++x) {
            row[3 * x] = uint8_t(10 * x + y);          // blue
            row[3 * x + 1] = uint8_t(100 + x + 7 * y); // green
            row[3 * x + 2] = uint8_t(200 - x - y);     // red
        }
    }
    return b;
}

TEST(Bitmap, RowsHoldBlueGreenRed)
{
    Bitmap b(2, 1);
    b.image().setPixel(1, 0, qRgb(0x11, 0x22, 0x33)); // red, green, blue
    const uint8_t *row = b.ScanLine(0);
    EXPECT_EQ(row[3], 0x33);
    EXPECT_EQ(row[4], 0x22);
    EXPECT_EQ(row[5], 0x11);
}

TEST(Bitmap, ResizeKeepsTheOverlapAndWhitensTheRest)
{
    Bitmap b = pattern(3, 2);
    b.SetSize(4, 3);
    ASSERT_EQ(b.Width(), 4);
    ASSERT_EQ(b.Height(), 3);
    EXPECT_EQ(b.ScanLine(1)[3 * 2 + 1], 100 + 2 + 7);
    EXPECT_EQ(b.ScanLine(1)[3 * 3], 255);
    EXPECT_EQ(b.ScanLine(2)[0], 255);
    b.SetSize(-5, 2);
    EXPECT_TRUE(b.Empty());
}

TEST(Bitmap, ConvertsOtherFormatsTo24Bits)
{
    Bitmap b;
    b.image() = QImage(2, 2, QImage::Format_ARGB32);
    b.image().fill(qRgb(1, 2, 3));
    b.SetPixelFormat24();
    EXPECT_EQ(b.image().format(), QImage::Format_BGR888);
    EXPECT_EQ(b.ScanLine(1)[3], 3);
    EXPECT_EQ(b.ScanLine(1)[5], 1);
}

// Raw samples: blue 0, green the high byte, red the low byte; the canvas
// reads the sample back as the colour value.
TEST(RawSample, EncodingThroughTheCanvas)
{
    const struct {
        int v;
        uint8_t bytes[3];
    } cases[] = {{0, {0, 0, 0}}, {256, {0, 1, 0}}, {65535, {0, 255, 255}}, {33816, {0, 132, 24}}, {1, {0, 0, 1}}};
    Bitmap b(int(std::size(cases)), 1);
    for (size_t i = 0; i < std::size(cases); ++i)
        pixels::EncodeRawSample(b.ScanLine(0) + 3 * i, cases[i].v);
    TImage image;
    image.SetSize(b.Width(), 1);
    image.Draw(0, 0, b);
    for (size_t i = 0; i < std::size(cases); ++i) {
        const uint8_t *p = image.Picture().ScanLine(0) + 3 * i;
        EXPECT_EQ(p[0], cases[i].bytes[0]) << cases[i].v;
        EXPECT_EQ(p[1], cases[i].bytes[1]) << cases[i].v;
        EXPECT_EQ(p[2], cases[i].bytes[2]) << cases[i].v;
        EXPECT_EQ(pixels::DecodeRawSample(p), cases[i].v);
        EXPECT_EQ(image.Pixel(int(i), 0), cases[i].v);
    }
}

TEST(Canvas, ColourValueIsBlueGreenRed)
{
    TImage image;
    image.SetSize(2, 2);
    image.SetPixel(1, 1, 0x00102030);
    const uint8_t *p = image.Picture().ScanLine(1) + 3;
    EXPECT_EQ(p[0], 0x10); // blue
    EXPECT_EQ(p[1], 0x20); // green
    EXPECT_EQ(p[2], 0x30); // red
    EXPECT_EQ(image.Pixel(1, 1), 0x00102030);
}

TEST(Canvas, OutsideTheBitmapReadsMinusOneAndWritesAreLost)
{
    TImage image;
    image.SetSize(3, 2);
    image.Draw(0, 0, pattern(3, 2));
    const Bitmap before = image.Picture();
    for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {3, 0}, {0, 2}, {3, 2}, {-100000, 100000}}) {
        EXPECT_EQ(image.Pixel(x, y), -1) << x << "," << y;
        image.SetPixel(x, y, 0x123456);
    }
    EXPECT_EQ(image.Picture().image(), before.image());
}

TEST(Canvas, EmptyPictureTakesTheControlSizeOnFirstUse)
{
    TImage image;
    image.SetSize(5, 4);
    EXPECT_EQ(image.Pixel(4, 3), 0xFFFFFF);
    EXPECT_EQ(image.Picture().Width(), 5);
    EXPECT_EQ(image.Picture().Height(), 4);
}

// A zoom changes the control's size, never the bitmap's.
TEST(Canvas, ResizingTheControlKeepsAFilledBitmap)
{
    TImage image;
    image.SetSize(4, 3);
    image.Draw(0, 0, pattern(4, 3));
    image.setStretch(true);
    image.SetSize(8, 6);
    EXPECT_EQ(image.Picture().Width(), 4);
    EXPECT_EQ(image.Picture().Height(), 3);
    EXPECT_EQ(image.Pixel(4, 0), -1);
}

TEST(Canvas, DrawIsClippedToTheBitmap)
{
    TImage image;
    image.SetSize(2, 2);
    const Bitmap big = pattern(4, 3);
    image.Draw(0, 0, big);
    ASSERT_EQ(image.Picture().Width(), 2);
    EXPECT_EQ(std::memcmp(image.Picture().ScanLine(1), big.ScanLine(1), 6), 0);
    image.Draw(1, 1, big); // offset: only the top-left pixel of big lands
    EXPECT_EQ(std::memcmp(image.Picture().ScanLine(1) + 3, big.ScanLine(0), 3), 0);
    EXPECT_EQ(std::memcmp(image.Picture().ScanLine(0), big.ScanLine(0), 6), 0);
}

TEST(BitmapFile, RoundTripThroughAwkwardPaths)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const Bitmap b = pattern(5, 3); // odd width: rows are padded in the file
    for (const QString &name : {QStringLiteral("plain.bmp"), QStringLiteral("星 の 画像 [1] (2)+.bmp"),
                               QStringLiteral("ビットマップ.bmp")}) {
        const QString path = dir.filePath(name);
        ASSERT_TRUE(b.SaveToFile(path)) << name.toStdString();
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray head = f.read(30);
        ASSERT_EQ(head.left(2), QByteArray("BM"));
        EXPECT_EQ(uint8_t(head[28]), 24) << "bits per pixel";
        Bitmap back;
        ASSERT_TRUE(back.LoadFromFile(path)) << name.toStdString();
        ASSERT_EQ(back.Width(), 5);
        ASSERT_EQ(back.Height(), 3);
        for (int y = 0; y < 3; ++y)
            EXPECT_EQ(std::memcmp(back.ScanLine(y), b.ScanLine(y), 15), 0) << "row " << y;
    }
}

TEST(BitmapFile, FailuresLeaveTheBitmapAndReportFalse)
{
    QTemporaryDir dir;
    Bitmap b = pattern(2, 2);
    EXPECT_FALSE(b.LoadFromFile(dir.filePath(QStringLiteral("missing.bmp"))));
    QFile junk(dir.filePath(QStringLiteral("junk.bmp")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("BM not really a bitmap");
    junk.close();
    EXPECT_FALSE(b.LoadFromFile(junk.fileName()));
    EXPECT_EQ(b.Width(), 2);
    EXPECT_EQ(b.ScanLine(1)[4], pattern(2, 2).ScanLine(1)[4]);
    EXPECT_FALSE(b.SaveToFile(dir.filePath(QStringLiteral("no/such/folder/x.bmp"))));
    EXPECT_FALSE(Bitmap().SaveToFile(dir.filePath(QStringLiteral("empty.bmp"))));
}

} // namespace
