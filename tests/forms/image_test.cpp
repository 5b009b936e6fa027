// The picture control: whole-bitmap draws onto new and existing canvases,
// painting of the exposed area at any zoom, and one repaint for many writes.
#include "Bitmap.h"
#include "Image.h"

#include <QApplication>
#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>

#include <cstring>

using namespace forms;

namespace {

int colourAt(const Bitmap &b, int x, int y)
{
    const uint8_t *p = b.ScanLine(y) + 3 * x;
    return (p[0] << 16) | (p[1] << 8) | p[2];
}

// A bitmap in which every pixel has its own colour value.
Bitmap numbered(int w, int h, int base = 0)
{
    Bitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int v = base + 1 + x + 64 * y;
            uint8_t *p = b.ScanLine(y) + 3 * x;
            p[0] = uint8_t(v >> 16);
            p[1] = uint8_t(v >> 8);
            p[2] = uint8_t(v);
        }
    return b;
}

struct DrawCase {
    const char *name;
    int x, y, w, h; // the drawn bitmap and where its corner goes
};

const DrawCase kDraws[] = {
    {"same size at the corner", 0, 0, 4, 3},
    {"larger, clipped", 0, 0, 6, 5},
    {"smaller, inside", 1, 1, 2, 1},
    {"over the top-left edges", -1, -2, 3, 4},
    {"over the bottom-right edges", 2, 1, 5, 5},
    {"wholly outside", 5, 0, 2, 2},
};

// What the canvas of a 4 x 3 control holds after drawing c onto it, when it
// held `before` (or nothing: then the rest is white).
void expectDrawn(const TImage &image, const DrawCase &c, const Bitmap &drawn, const Bitmap *before)
{
    ASSERT_EQ(image.Picture().Width(), 4) << c.name;
    ASSERT_EQ(image.Picture().Height(), 3) << c.name;
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) {
            const bool inside = x >= c.x && x < c.x + c.w && y >= c.y && y < c.y + c.h;
            const int want = inside ? colourAt(drawn, x - c.x, y - c.y) : before ? colourAt(*before, x, y) : 0xFFFFFF;
            EXPECT_EQ(colourAt(image.Picture(), x, y), want) << c.name << " at " << x << "," << y;
        }
}

TEST(CanvasDraw, OntoAnEmptyPictureMakesTheControlSizedBitmap)
{
    for (const DrawCase &c : kDraws) {
        TImage image;
        image.SetSize(4, 3);
        const Bitmap drawn = numbered(c.w, c.h, 1000);
        image.Draw(c.x, c.y, drawn);
        expectDrawn(image, c, drawn, nullptr);
    }
}

TEST(CanvasDraw, OntoAFilledPictureKeepsWhatItDoesNotCover)
{
    for (const DrawCase &c : kDraws) {
        TImage image;
        image.SetSize(4, 3);
        const Bitmap before = numbered(4, 3);
        image.Draw(0, 0, before);
        const Bitmap drawn = numbered(c.w, c.h, 1000);
        image.Draw(c.x, c.y, drawn);
        expectDrawn(image, c, drawn, &before);
    }
}

// A picture that shares its pixels with another bitmap (assigned through
// Picture()) is drawn on without touching that bitmap, in any format.
TEST(CanvasDraw, ASharedOrConvertedPictureLeavesItsSourceAlone)
{
    for (QImage::Format format : {QImage::Format_BGR888, QImage::Format_RGB32}) {
        for (const DrawCase &c : kDraws) {
            TImage image;
            image.SetSize(4, 3);
            Bitmap source = numbered(4, 3);
            source.image() = source.image().convertToFormat(format);
            image.Picture() = source;
            const QImage kept = source.image().copy();
            const Bitmap drawn = numbered(c.w, c.h, 1000);
            image.Draw(c.x, c.y, drawn);
            Bitmap before = source;
            before.SetPixelFormat24();
            expectDrawn(image, c, drawn, &before);
            EXPECT_EQ(source.image(), kept) << c.name;
            EXPECT_EQ(image.Picture().image().format(), QImage::Format_BGR888) << c.name;
        }
    }
}

// Draws the control's area r into an image of r's size, as a paint of the
// exposed area r does.
QImage paintedArea(TImage &image, const QRect &r)
{
    QImage out(r.size(), QImage::Format_RGB32);
    out.fill(Qt::black);
    image.render(&out, QPoint(), QRegion(r), QWidget::DrawChildren);
    return out;
}

// Control pixel (X, Y) of a stretched picture shows bitmap pixel
// (X * w / W, Y * h / H); a picture that is not stretched shows (X, Y).
void expectShows(const QImage &out, const QRect &r, const Bitmap &b, int W, int H, bool stretch, const char *name)
{
    int wrong = 0;
    for (int Y = r.top(); Y <= r.bottom() && wrong < 5; ++Y)
        for (int X = r.left(); X <= r.right() && wrong < 5; ++X) {
            const int sx = stretch ? int(qint64(X) * b.Width() / W) : X;
            const int sy = stretch ? int(qint64(Y) * b.Height() / H) : Y;
            const QRgb want = sx < b.Width() && sy < b.Height()
                                  ? qRgb(b.ScanLine(sy)[3 * sx + 2], b.ScanLine(sy)[3 * sx + 1], b.ScanLine(sy)[3 * sx])
                                  : QRgb(0);
            const QRgb got = out.pixel(X - r.left(), Y - r.top()) & 0xFFFFFF;
            if (got != (want & 0xFFFFFF)) {
                ADD_FAILURE() << name << ": control pixel " << X << "," << Y << " shows " << std::hex << got
                              << " instead of " << want;
                ++wrong;
            }
        }
}

TEST(PicturePaint, ShowsTheBitmapUnderTheExposedArea)
{
    const Bitmap b = numbered(8, 6);
    const struct {
        const char *name;
        bool stretch;
        int W, H; // control size
        QRect exposed;
    } cases[] = {
        {"1:1, all", false, 8, 6, QRect(0, 0, 8, 6)},
        {"1:1, a part", false, 8, 6, QRect(3, 2, 4, 3)},
        {"1:1, control larger than the bitmap", false, 12, 9, QRect(5, 4, 7, 5)},
        {"stretched to its own size", true, 8, 6, QRect(0, 0, 8, 6)},
        {"zoom 2, all", true, 16, 12, QRect(0, 0, 16, 12)},
        {"zoom 2, an odd part", true, 16, 12, QRect(3, 5, 7, 6)},
        {"zoom 16, a part across pixel edges", true, 128, 96, QRect(20, 30, 50, 40)},
        {"zoom 1/2", true, 4, 3, QRect(0, 0, 4, 3)},
        {"stretched unevenly", true, 20, 9, QRect(1, 1, 17, 7)},
    };
    for (const auto &c : cases) {
        TImage image;
        image.SetSize(b.Width(), b.Height());
        image.Draw(0, 0, b);
        image.setStretch(c.stretch);
        image.SetSize(c.W, c.H);
        expectShows(paintedArea(image, c.exposed), c.exposed, b, c.W, c.H, c.stretch, c.name);
    }
}

// A 16-fold zoom of a 4096 x 4096 frame is a control 65536 pixels wide;
// painting the part on the screen scales only that part (scaling the whole
// picture would need 16 GiB).
TEST(PicturePaint, AHugeZoomPaintsOnlyTheVisiblePart)
{
    constexpr int kSide = 4096, kZoom = 16;
    Bitmap b(kSide, kSide);
    for (int y = 0; y < kSide; ++y) {
        uint8_t *row = b.ScanLine(y);
        for (int x = 0; x < kSide; ++x) {
            row[3 * x] = uint8_t(x);
            row[3 * x + 1] = uint8_t(y);
            row[3 * x + 2] = uint8_t(x >> 8 | (y >> 8) << 4);
        }
    }
    TImage image;
    image.SetSize(kSide, kSide);
    image.Draw(0, 0, b);
    image.setStretch(true);
    image.SetSize(kSide * kZoom, kSide * kZoom);
    const QRect visible(40000, 51000, 300, 200);
    expectShows(paintedArea(image, visible), visible, b, kSide * kZoom, kSide * kZoom, true, "zoom 16");
}

// Counts the paints of a picture control on the screen.
class CountingImage : public TImage {
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent *e) override
    {
        ++paints;
        TImage::paintEvent(e);
    }
};

QRgb shownAt(QWidget &w, int x, int y)
{
    return w.grab(QRect(x, y, 1, 1)).toImage().pixel(0, 0) & 0xFFFFFF;
}

// Many pixel writes in one event give one repaint that shows all of them;
// a write in a later event, after that repaint, is painted again.
TEST(PicturePaint, ManyPixelWritesGiveOneRepaintShowingThemAll)
{
    QWidget window;
    window.resize(64, 64);
    auto *image = new CountingImage;
    image->setParent(&window);
    image->SetSize(32, 32);
    image->Draw(0, 0, numbered(32, 32));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QCoreApplication::processEvents();
    const int first = image->paints;
    ASSERT_GE(first, 1);

    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            image->SetPixel(x, y, 0x00102030 + x);
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
    EXPECT_EQ(image->paints, first + 1);
    EXPECT_EQ(image->Pixel(31, 31), 0x00102030 + 31);

    image->SetPixel(5, 6, 0x00FF0000); // blue
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
    EXPECT_EQ(image->paints, first + 2);
    EXPECT_EQ(shownAt(*image, 5, 6), qRgb(0, 0, 255) & 0xFFFFFF);
}

} // namespace
