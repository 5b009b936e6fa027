// The viewer's commands through the real handlers: opening, saving, the
// readout and the star measurement, zoom, levels and the up-down controls.
#include "ImageWindows.h"

#include "Frame.h"
#include "fits.h"
#include "plane_owner.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <signal.h>
#include <sys/resource.h>

namespace {

class Viewer : public ImageWindows {};

// ---------------------------------------------------------------- FITS

TEST_F(Viewer, FitsFrameFieldsToolbarAndRendering)
{
    // The 245 x 245 grid of samples 10, 14, ... 986 holds 1000 but for one
    // sample 60025 above it: the mean is exactly 1001.  A sample at 990 is
    // off the grid.
    const QString file = path(QStringLiteral("frame.fits"));
    writeFrame(file, 1000, 1000, [](int x, int y) {
        if (x == 14 && y == 10)
            return 1000 + 60025;
        if (x == 990 && y == 990)
            return 5;
        if (x == 0 && y == 0)
            return 1010;
        if (x == 1 && y == 0)
            return 1051;
        if (x == 2 && y == 0)
            return 60000;
        if (x == 3 && y == 0)
            return 900;
        return 1000;
    });
    main.UpDown1->setPosition(70);
    TChild *c = open(file, 2);
    ASSERT_NE(c, nullptr) << errors().join('\n').toStdString();
    EXPECT_TRUE(errors().isEmpty());
    const struct {
        QLineEdit *field;
        const char *text;
    } fields[] = {{c->FilterI, "2"}, {c->DemX, "1000"}, {c->DemY, "1000"}, {c->ColN, "1"},
                  {c->ZomN, "1.00"}, {c->UndoFlg, "0"}, {c->Average, "1001"}, {c->Minimum, "1000"},
                  {c->MAX, ""},      {c->MIN, ""},      {c->Contrast, "1.0"}};
    for (const auto &f : fields)
        EXPECT_EQ(f.field->text(), QString::fromLatin1(f.text)) << f.field->objectName().toStdString();
    EXPECT_TRUE(c->Caption().isEmpty());
    EXPECT_EQ(main.Edit1->text(), QStringLiteral("100.0%"));
    EXPECT_EQ(main.Edit2->text(), QStringLiteral("1001"));
    EXPECT_EQ(main.Edit3->text(), QStringLiteral("1000"));
    EXPECT_EQ(main.UpDown1->Position(), 70);
    // Mean 1 above the minimum: 1010 shows 255 (clipped), 900 and 5 show 0.
    EXPECT_EQ(pixelOf(*c->Image, 0, 0), (Bgr{255, 255, 255}));
    EXPECT_EQ(pixelOf(*c->Image, 3, 0), (Bgr{0, 0, 0}));
    EXPECT_EQ(pixelOf(*c->Image, 990, 990), (Bgr{0, 0, 0}));
    EXPECT_EQ(pixelOf(*c->Image, 500, 500), (Bgr{0, 0, 0})); // FITS opening leaves the controls
    EXPECT_EQ(c->ClientWidth(), main.ClientWidth() - 50);
    EXPECT_EQ(c->ClientHeight(), main.ClientHeight() - 100);
    // Raw samples in ImageZm, folded.
    EXPECT_EQ(pixelOf(*c->ImageZm, 2, 0), (Bgr{0, 60000 / 256, 60000 % 256}));
    EXPECT_EQ(c->ImageZm->Pixel(1, 0), 1051);
}

TEST_F(Viewer, FitsMeanTenAboveMinimumShows0_50_255)
{
    // On the grid: 1000 at (10, 10), 1020 everywhere else would not give
    // exactly 10; take two values alternating over the 16 x 16 grid of a
    // 84 x 84 frame: half 1000, half 1020, mean 1010.
    const QString file = path(QStringLiteral("ten.fit"));
    writeFrame(file, 84, 84, [](int x, int y) {
        if (y == 1)
            return x == 0 ? 1000 : x == 1 ? 1010 : x == 2 ? 1061 : 2000;
        return ((x - 10) / 4 + (y - 10) / 4) % 2 == 0 ? 1000 : 1020;
    });
    TChild *c = open(file, 2);
    ASSERT_NE(c, nullptr) << errors().join('\n').toStdString();
    EXPECT_EQ(c->Average->text(), QStringLiteral("1010"));
    const int expected[] = {0, 50, 255, 255};
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(pixelOf(*c->Image, x, 1), (Bgr{expected[x], expected[x], expected[x]})) << x;
}

TEST_F(Viewer, FitsWithoutScaleGivesTheErrorAndNoWindow)
{
    struct Case {
        const char *name;
        int w, h;
        int value;
        const char *error;
    } const cases[] = {
        {"20 x 500: empty grid", 20, 500, 1000, "不正な浮動小数点数演算命令"},
        {"constant frame", 100, 100, 1234, "不正な浮動小数点数演算命令"},
    };
    for (const Case &k : cases) {
        seam().boxes.clear();
        const QString file = path(QStringLiteral("bad.fits"));
        writeFrame(file, k.w, k.h, [&](int, int) { return k.value; });
        EXPECT_EQ(open(file, 2), nullptr) << k.name;
        EXPECT_EQ(main.MDIChildCount(), 0) << k.name;
        EXPECT_EQ(errors(), QStringList{QString::fromUtf8(k.error)}) << k.name;
    }
}

TEST_F(Viewer, FilesTheReadersRefuseNameTheFileAndTheReason)
{
    struct Case {
        const char *name, *file;
        QByteArray bytes;
        int index;
        const char *reason;
    } const cases[] = {
        {"missing FITS", "none.fits", QByteArray(), 2, "the file cannot be opened"},
        {"garbage FITS", "junk.fits", QByteArray(3000, 'x'), 2, "no END card"},
        {"truncated FITS", "cut.fits", QByteArray(), 2, "shorter than its data"},
        {"missing pixmap", "none.ppm", QByteArray(), 3, "the file cannot be opened"},
        {"garbage pixmap", "junk.ppm", QByteArray("hello"), 3, "magic P6"},
        {"garbage bitmap", "junk.bmp", QByteArray("BMxxxxxxxxxxxxxxxxxxxxxxx"), 1, ""},
        {"missing bitmap", "none.bmp", QByteArray(), 1, ""},
    };
    for (const Case &k : cases) {
        seam().boxes.clear();
        const QString file = path(QString::fromLatin1(k.file));
        if (QByteArray(k.name).startsWith("truncated")) {
            writeFrame(file, 50, 50, [](int x, int) { return x; });
            QByteArray all = readBytes(file);
            writeBytes(file, all.left(2880 + 100));
        } else if (!k.bytes.isEmpty()) {
            writeBytes(file, k.bytes);
        }
        testing::internal::CaptureStdout();
        TChild *c = open(file, k.index);
        const std::string out = testing::internal::GetCapturedStdout();
        EXPECT_EQ(c, nullptr) << k.name;
        EXPECT_EQ(main.MDIChildCount(), 0) << k.name;
        ASSERT_EQ(errors().size(), 1) << k.name;
        EXPECT_TRUE(errors()[0].contains(file)) << k.name << ": " << errors()[0].toStdString();
        EXPECT_TRUE(errors()[0].contains(QString::fromLatin1(k.reason))) << k.name << ": " << errors()[0].toStdString();
        if (k.index != 1) {
            EXPECT_NE(out.find(file.toStdString()), std::string::npos) << k.name << ": the reader's line";
        }
    }
}

TEST_F(Viewer, FitsWrittenByAstropyOpensWithIndependentStatistics)
{
    if (!QFile::exists(QStringLiteral("/usr/bin/python3")))
        GTEST_SKIP() << "no /usr/bin/python3";
    const QString file = path(QStringLiteral("astropy [1] + 星.fits"));
    const char *script = R"(
import sys
import numpy as np
from astropy.io import fits
h, w = 70, 90
y, x = np.mgrid[0:h, 0:w]
data = (1000 + (x * 7 + y * 13) % 400 + 30000 * (x == 45) * (y == 35)).astype(np.uint16)
hdu = fits.PrimaryHDU(data)
for k in range(60):
    hdu.header['HISTORY'] = 'a header of several blocks %d' % k
hdu.writeto(sys.argv[1], overwrite=True)
)";
    QProcess py;
    py.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QString::fromUtf8(script), file});
    ASSERT_TRUE(py.waitForFinished(60000));
    if (py.exitCode() != 0)
        GTEST_SKIP() << "astropy not available: " << py.readAllStandardError().toStdString();

    TChild *c = open(file, 2);
    ASSERT_NE(c, nullptr) << errors().join('\n').toStdString();
    // The same arithmetic, written out here: the grid 10, 14, ... < side - 10.
    auto sample = [](int x, int y) { return 1000 + (x * 7 + y * 13) % 400 + (x == 45 && y == 35 ? 30000 : 0); };
    double sum = 0, count = 0;
    int minimum = 65536;
    for (int x = 10; x < 80; x += 4)
        for (int y = 10; y < 60; y += 4) {
            sum += sample(x, y);
            count += 1;
            minimum = std::min(minimum, sample(x, y));
        }
    const double mean = sum / count;
    EXPECT_EQ(c->Average->text(), forms::FloatToStr(mean));
    EXPECT_EQ(c->Minimum->text(), QString::number(minimum));
    EXPECT_EQ(c->DemX->text(), QStringLiteral("90"));
    EXPECT_EQ(c->DemY->text(), QStringLiteral("70"));
    for (int x : {0, 13, 45, 89})
        for (int y : {0, 35, 69}) {
            double q = ((sample(x, y) - minimum) * 50) / (mean - minimum);
            const int d = q > 255 ? 255 : q < 0 ? 0 : int(q);
            EXPECT_EQ(pixelOf(*c->Image, x, y), (Bgr{d, d, d})) << x << "," << y;
            EXPECT_EQ(c->ImageZm->Pixel(x, y), sample(x, y)) << x << "," << y;
        }
}

// ---------------------------------------------------------------- bitmaps

TEST_F(Viewer, BitmapFieldsToolbarAndPictures)
{
    QImage img(30, 20, QImage::Format_RGB888);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x)
            img.setPixelColor(x, y, QColor(x * 8, y * 12, 77));
    const QString file = path(QStringLiteral("星 (1).bmp"));
    writeBitmap(file, img);
    main.Edit2->setText(QStringLiteral("7"));
    TChild *c = open(file, 1);
    ASSERT_NE(c, nullptr) << errors().join('\n').toStdString();
    EXPECT_EQ(c->Caption(), QStringLiteral("星 (1).bmp"));
    const struct {
        QLineEdit *field;
        const char *text;
    } fields[] = {{c->FilterI, "1"}, {c->MAX, "255"}, {c->MIN, "0"},      {c->DemX, "30"},     {c->DemY, "20"},
                  {c->ColN, "1"},    {c->ZomN, "1.00"}, {c->UndoFlg, "0"}, {c->Average, " "}, {c->Minimum, ""}};
    for (const auto &f : fields)
        EXPECT_EQ(f.field->text(), QString::fromLatin1(f.text)) << f.field->objectName().toStdString();
    EXPECT_EQ(main.Edit1->text(), QStringLiteral("100.0%"));
    EXPECT_EQ(main.Edit2->text(), QStringLiteral("255"));
    EXPECT_EQ(main.Edit3->text(), QStringLiteral("0"));
    EXPECT_EQ(main.UpDown1->Position(), 255);
    EXPECT_EQ(main.UpDown2->Position(), 0);
    EXPECT_EQ(c->ClientWidth(), 30);
    EXPECT_EQ(c->ClientHeight(), 20);
    EXPECT_EQ(pixelOf(*c->Image, 29, 19), (Bgr{77, 19 * 12, 29 * 8}));
    EXPECT_EQ(pixelOf(*c->ImageZm, 29, 19), (Bgr{77, 19 * 12, 29 * 8}));
}

// Little-endian helpers for hand-made bitmap files.
void put16(QByteArray &b, int at, int v)
{
    b[at] = char(v & 255);
    b[at + 1] = char((v >> 8) & 255);
}
void put32(QByteArray &b, int at, uint32_t v)
{
    for (int k = 0; k < 4; ++k)
        b[at + k] = char((v >> (8 * k)) & 255);
}

// A bitmap file with a 40-byte header; `palette` entries (blue, green, red,
// 0), then the pixel data as given (rows bottom-up unless height < 0).
QByteArray bmpFile(int w, int h, int bits, int compression, const QByteArray &palette, const QByteArray &data,
                   const QByteArray &masks = QByteArray())
{
    QByteArray b(54, '\0');
    b[0] = 'B';
    b[1] = 'M';
    const int off = 54 + int(masks.size()) + int(palette.size());
    put32(b, 2, uint32_t(off + data.size()));
    put32(b, 10, uint32_t(off));
    put32(b, 14, 40);
    put32(b, 18, uint32_t(w));
    put32(b, 22, uint32_t(h));
    put16(b, 26, 1);
    put16(b, 28, bits);
    put32(b, 30, uint32_t(compression));
    put32(b, 34, uint32_t(data.size()));
    put32(b, 46, uint32_t(palette.size() / 4));
    return b + masks + palette + data;
}

TEST_F(Viewer, BitmapsOfEveryDepthOpenWithThePixelsQtDecodes)
{
    auto entry = [](int b, int g, int r) {
        QByteArray e(4, '\0');
        e[0] = char(b);
        e[1] = char(g);
        e[2] = char(r);
        return e;
    };
    QByteArray grey16, grey256;
    for (int k = 0; k < 16; ++k)
        grey16 += entry(k * 17, 255 - k * 17, k * 5);
    for (int k = 0; k < 256; ++k)
        grey256 += entry(k, 255 - k, k / 2);
    const QByteArray two = entry(10, 20, 30) + entry(200, 210, 220);
    // 4 x 2 pictures; rows padded to 4 bytes.
    struct Case {
        const char *name;
        QByteArray file;
    } const cases[] = {
        {"1 bit", bmpFile(4, 2, 1, 0, two, QByteArray::fromHex("50000000a0000000"))},
        {"4 bits", bmpFile(4, 2, 4, 0, grey16, QByteArray::fromHex("0123000045670000"))},
        {"8 bits", bmpFile(4, 2, 8, 0, grey256, QByteArray::fromHex("00407fff10203040"))},
        {"8 bits top-down", bmpFile(4, -2, 8, 0, grey256, QByteArray::fromHex("00407fff10203040"))},
        {"8 bits RLE", bmpFile(4, 2, 8, 1, grey256, QByteArray::fromHex("021002030000042000000001"))},
        {"4 bits RLE", bmpFile(4, 2, 4, 2, grey16, QByteArray::fromHex("04120000049a0001"))},
        {"24 bits", bmpFile(4, 2, 24, 0, QByteArray(),
                             QByteArray::fromHex("010203040506070809" "0a0b0c" "111213141516171819" "1a1b1c"))},
        {"32 bits", bmpFile(4, 2, 32, 0, QByteArray(),
                             QByteArray::fromHex("01020300040506000708090010111200" "21222300242526002728290030313200"))},
    };
    for (const Case &k : cases) {
        seam().boxes.clear();
        const QString file = path(QStringLiteral("d.bmp"));
        writeBytes(file, k.file);
        QImage qt = QImageReader(file, "bmp").read();
        ASSERT_FALSE(qt.isNull()) << k.name;
        qt = qt.convertToFormat(QImage::Format_RGB888);
        TChild *c = open(file, 1);
        ASSERT_NE(c, nullptr) << k.name << errors().join('\n').toStdString();
        ASSERT_EQ(c->DemX->text(), QString::number(qt.width())) << k.name;
        for (int y = 0; y < qt.height(); ++y)
            for (int x = 0; x < qt.width(); ++x) {
                const QColor q = qt.pixelColor(x, y);
                EXPECT_EQ(pixelOf(*c->ImageZm, x, y), (Bgr{q.blue(), q.green(), q.red()}))
                    << k.name << " " << x << "," << y;
            }
        c->Close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(Viewer, SixteenBitBitmapsReadTheFullRange)
{
    // White, a middle value and black in 5-5-5 and in 5-6-5 bit fields.
    const QByteArray masks565 = QByteArray::fromHex("00f80000e00700001f000000");
    struct Case {
        const char *name;
        QByteArray file;
        Bgr white, middle;
    } const cases[] = {
        {"5-5-5", bmpFile(3, 1, 16, 0, QByteArray(), QByteArray::fromHex("ff7f" "ef3d" "0000" "0000")),
         {255, 255, 255}, {123, 123, 123}},
        {"5-6-5", bmpFile(3, 1, 16, 3, QByteArray(), QByteArray::fromHex("ffff" "ef7b" "0000" "0000"), masks565),
         {255, 255, 255}, {123, 125, 123}},
    };
    for (const Case &k : cases) {
        const QString file = path(QStringLiteral("16.bmp"));
        writeBytes(file, k.file);
        TChild *c = open(file, 1);
        ASSERT_NE(c, nullptr) << k.name << errors().join('\n').toStdString();
        EXPECT_EQ(pixelOf(*c->ImageZm, 0, 0), k.white) << k.name;
        EXPECT_EQ(pixelOf(*c->ImageZm, 1, 0), k.middle) << k.name;
        EXPECT_EQ(pixelOf(*c->ImageZm, 2, 0), (Bgr{0, 0, 0})) << k.name;
        move(c, 0, 0);
        EXPECT_EQ(main.Label2->text(), QStringLiteral("R=255  G=255  B=255   (0,0)")) << k.name;
    }
}

TEST_F(Viewer, PixmapWindowHasNoCaptionAndOnlyItsFields)
{
    const QString file = path(QStringLiteral("p.ppm"));
    writeBytes(file, QByteArray("P6\n2 1\n255\n") + QByteArray::fromHex("0a141e28323c"));
    main.UpDown1->setPosition(40);
    testing::internal::CaptureStdout();
    TChild *c = open(file, 3);
    testing::internal::GetCapturedStdout();
    ASSERT_NE(c, nullptr) << errors().join('\n').toStdString();
    EXPECT_TRUE(c->Caption().isEmpty());
    EXPECT_EQ(c->FilterI->text(), QStringLiteral("3"));
    EXPECT_EQ(c->MAX->text(), QString());
    EXPECT_EQ(c->MIN->text(), QString());
    EXPECT_EQ(c->Minimum->text(), QString());
    EXPECT_EQ(c->Average->text(), QStringLiteral(" "));
    EXPECT_EQ(main.Edit2->text(), QStringLiteral("255"));
    EXPECT_EQ(main.UpDown1->Position(), 40);
    EXPECT_EQ(pixelOf(*c->Image, 0, 0), (Bgr{30, 20, 10}));
    EXPECT_EQ(pixelOf(*c->ImageZm, 1, 0), (Bgr{60, 50, 40}));
    // No readout on a pixmap; its clicks still measure.
    main.Label2->setText(QStringLiteral("before"));
    move(c, 0, 0);
    EXPECT_EQ(main.Label2->text(), QStringLiteral("before"));
    press(c, 0, 0);
    EXPECT_EQ(main.Label3->text(), QStringLiteral("MAX = 40 , MIN = -1"));
}

TEST_F(Viewer, MenuOpenLoadsThePictureIntoAWindowWithoutFields)
{
    const QString file = path(QStringLiteral("m.bmp"));
    writeBitmap(file, uniform(40, 30, QColor(1, 2, 3)));
    seam().onFile = [=](forms::FileDialogRequest &r) {
        r.fileName = file;
        return true;
    };
    main.Open1->trigger();
    TChild *c = main.ActiveMDIChild();
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->Caption(), QStringLiteral("m.bmp"));
    EXPECT_EQ(c->FilterI->text(), QString());
    EXPECT_EQ(c->Image->Width(), 217);
    EXPECT_EQ(c->Image->Height(), 161);
    EXPECT_EQ(c->ClientWidth(), 217);
    EXPECT_EQ(c->Image->Picture().Width(), 40);
    EXPECT_TRUE(c->ImageZm->Picture().Empty());
    // Its empty kind makes the readout and the level buttons raise.
    move(c, 1, 1);
    main.Button3->click();
    EXPECT_EQ(errors(), (QStringList{QStringLiteral("'' は整数ではありません"), QStringLiteral("'' は整数ではありません")}));

    // A file it cannot read leaves no window behind.
    seam().boxes.clear();
    const QString junk = path(QStringLiteral("junk.bmp"));
    writeBytes(junk, "not a bitmap");
    seam().onFile = [=](forms::FileDialogRequest &r) {
        r.fileName = junk;
        return true;
    };
    main.Open1->trigger();
    EXPECT_EQ(main.MDIChildCount(), 1);
    EXPECT_EQ(errors().size(), 1);
}

// ---------------------------------------------------------------- saving

TEST_F(Viewer, SavingWritesTheDisplayedPictureAsABitmapWhateverTheName)
{
    const QString frame = path(QStringLiteral("f.fits"));
    writeFrame(frame, 30, 30, [](int x, int y) { return 1000 + x + y; });
    TChild *c = open(frame, 2);
    ASSERT_NE(c, nullptr);
    main.Button1->click(); // zoomed: still saved at the image's own size
    const QString out = path(QStringLiteral("x.fit"));
    save(c, out, true);
    EXPECT_TRUE(errors().isEmpty()) << errors().join('\n').toStdString();
    EXPECT_EQ(c->Caption(), QStringLiteral("x.fit"));
    EXPECT_TRUE(readBytes(out).startsWith("BM"));
    const QImage back = QImageReader(out, "bmp").read();
    ASSERT_EQ(back.size(), QSize(30, 30));
    EXPECT_EQ(back.pixelColor(29, 29).red(), pixelOf(*c->Image, 29, 29).r);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2); // nothing left beside it
}

TEST_F(Viewer, FailedSaveKeepsTheOldFileAndTheCaption)
{
    const QString file = path(QStringLiteral("b.bmp"));
    writeBitmap(file, uniform(200, 200, QColor(9, 9, 9)));
    TChild *c = open(file, 1);
    ASSERT_NE(c, nullptr);
    const QString target = path(QStringLiteral("old.bmp"));
    const QByteArray old = QByteArray(20000, 'k');
    writeBytes(target, old);

    // A file-size limit far below the picture's 120,000 bytes stands in for
    // a full disk.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    sighandler_t previous = signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    save(c, target, true);
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, previous);

    ASSERT_EQ(errors().size(), 1);
    EXPECT_TRUE(errors()[0].contains(target)) << errors()[0].toStdString();
    EXPECT_EQ(readBytes(target), old);
    EXPECT_EQ(c->Caption(), QStringLiteral("b.bmp"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2) << "a scratch file was left";

    // A folder that does not exist.
    seam().boxes.clear();
    save(c, path(QStringLiteral("no/such/folder/x.bmp")), false);
    EXPECT_EQ(errors().size(), 1);
}

// ---------------------------------------------------------------- readout

TEST_F(Viewer, ReadoutOfAZoomedFrameAndPointsOutside)
{
    const QString file = path(QStringLiteral("r.fits"));
    writeFrame(file, 100, 60, [](int x, int y) { return 1000 + x * 100 + y; });
    TChild *c = open(file, 2);
    ASSERT_NE(c, nullptr);
    main.Button1->click();
    ASSERT_EQ(c->ZomN->text(), QStringLiteral("2"));
    struct Case {
        int x, y;
        const char *text;
    } const cases[] = {
        {101, 51, "Intensity = 6025   (101,51)"},
        {0, 0, "Intensity = 1000   (0,0)"},
        {199, 119, "Intensity = 10959   (199,119)"},
        {200, 0, "Intensity = -1   (200,0)"},
    };
    for (const Case &k : cases) {
        move(c, k.x, k.y);
        EXPECT_EQ(main.Label2->text(), QString::fromLatin1(k.text));
    }
}

TEST_F(Viewer, StarMeasurementOnBitmaps)
{
    const QString white = path(QStringLiteral("w.bmp"));
    writeBitmap(white, uniform(100, 100, Qt::white));
    TChild *c = open(white, 1);
    ASSERT_NE(c, nullptr);
    struct Case {
        const char *name;
        int x, y;
        Qt::MouseButton button;
        const char *peak, *fwhm;
    } const cases[] = {
        {"left, uniform white", 50, 50, Qt::LeftButton, "MAX = 255 , MIN = 255", "FWHM = 6.2 pxls"},
        {"right", 50, 50, Qt::RightButton, "MAX = -1 , MIN = 256", "FWHM = 0.0 pxls"},
        {"middle", 50, 50, Qt::MiddleButton, "MAX = -1 , MIN = 256", "FWHM = 0.0 pxls"},
        // The 11 x 11 square reaches x = 100, one column outside: 110 count.
        {"near the edge", 95, 50, Qt::LeftButton, "MAX = 255 , MIN = -1", "FWHM = 5.9 pxls"},
    };
    for (const Case &k : cases) {
        press(c, k.x, k.y, k.button);
        EXPECT_EQ(main.Label3->text(), QString::fromLatin1(k.peak)) << k.name;
        EXPECT_EQ(main.Label4->text(), QString::fromLatin1(k.fwhm)) << k.name;
    }
    move(c, 50, 50);
    EXPECT_EQ(main.Label2->text(), QStringLiteral("R=255  G=255  B=255   (50,50)"));
    const QString black = path(QStringLiteral("k.bmp"));
    writeBitmap(black, uniform(100, 100, Qt::black));
    TChild *k = open(black, 1);
    press(k, 50, 50);
    EXPECT_EQ(main.Label3->text(), QStringLiteral("MAX = 0 , MIN = 0"));
    EXPECT_EQ(main.Label4->text(), QStringLiteral("FWHM = 0.0 pxls"));
}

// ---------------------------------------------------------------- zoom

TEST_F(Viewer, ZoomStepsLimitsAndTexts)
{
    const QString file = path(QStringLiteral("z.bmp"));
    writeBitmap(file, uniform(64, 32, Qt::gray));
    TChild *c = open(file, 1);
    ASSERT_NE(c, nullptr);
    const char *in[] = {"2", "4", "8", "16"};
    for (const char *z : in) {
        main.Button1->click();
        EXPECT_EQ(c->ZomN->text(), QString::fromLatin1(z));
    }
    EXPECT_EQ(main.Edit1->text(), QStringLiteral("1600.0%"));
    EXPECT_EQ(c->Image->Width(), 1024);
    const QSize outer = c->SubWindow()->size();
    main.Button1->click(); // at the limit
    EXPECT_EQ(c->ZomN->text(), QStringLiteral("16"));
    EXPECT_EQ(c->SubWindow()->size(), outer);
    for (int k = 0; k < 8; ++k)
        main.Button2->click();
    EXPECT_EQ(c->ZomN->text(), QStringLiteral("0.0625"));
    // 6.25 is exact in binary; C's "%2.1f" rounds it to even.
    EXPECT_EQ(main.Edit1->text(), QStringLiteral("6.2%"));
    EXPECT_EQ(c->Image->Width(), 4);
    main.Button2->click();
    EXPECT_EQ(c->ZomN->text(), QStringLiteral("0.0625"));
    // The pixels are not touched.
    EXPECT_EQ(c->Image->Picture().Width(), 64);
}

TEST_F(Viewer, ZoomedWindowGetsMarginsOnlyWhenWiderThanTheFrame)
{
    main.resize(main.width() + 1000 - main.ClientWidth(), main.height());
    ASSERT_EQ(main.ClientWidth(), 1000);
    struct Case {
        const char *name;
        int w, h;
        bool margins;
    } const cases[] = {{"640 x 480", 640, 480, true}, {"200 x 900", 200, 900, false}};
    for (const Case &k : cases) {
        const QString file = path(QStringLiteral("%1.bmp").arg(k.w));
        writeBitmap(file, uniform(k.w, k.h, Qt::darkGray));
        TChild *c = open(file, 1);
        ASSERT_NE(c, nullptr);
        main.Button1->click();
        EXPECT_EQ(c->Image->Width(), 2 * k.w) << k.name;
        EXPECT_EQ(c->Image->Height(), 2 * k.h) << k.name;
        if (k.margins) {
            EXPECT_EQ(c->OuterWidth(), 980) << k.name;
            EXPECT_EQ(c->OuterHeight(), main.ClientHeight() - 60) << k.name;
        } else {
            EXPECT_EQ(c->ClientWidth(), 400) << k.name;
            EXPECT_EQ(c->ClientHeight(), 1800) << k.name;
        }
    }
}

// ---------------------------------------------------------------- levels

TEST_F(Viewer, LevelButtonsOnABitmap)
{
    QImage img(4, 1, QImage::Format_RGB888);
    const int bytes[] = {100, 110, 232, 233};
    for (int x = 0; x < 4; ++x)
        img.setPixelColor(x, 0, QColor(bytes[x], bytes[x], bytes[x]));
    const QString file = path(QStringLiteral("l.bmp"));
    writeBitmap(file, img);
    TChild *c = open(file, 1);
    ASSERT_NE(c, nullptr);
    struct Step {
        QPushButton *button;
        const char *contrast;
        int shown[4];
    } const steps[] = {
        {main.Button3, "1.1", {110, 121, 255, 255}},
        {main.Button4, "1", {100, 110, 232, 233}},
        {main.Button4, "0.909090909090909", {90, 99, 210, 211}},
    };
    for (const Step &s : steps) {
        s.button->click();
        EXPECT_EQ(c->Contrast->text(), QString::fromLatin1(s.contrast));
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(pixelOf(*c->Image, x, 0).g, s.shown[x]) << s.contrast << " byte " << bytes[x];
    }
    EXPECT_EQ(pixelOf(*c->ImageZm, 1, 0).g, 110); // the base picture stays
    EXPECT_EQ(c->UndoFlg->text(), QStringLiteral("0"));
}

TEST_F(Viewer, LevelButtonsOnAFrameReStretch)
{
    const int samples[] = {1000, 1050, 1100, 1255, 1300, 990};
    const int shown[] = {0, 50, 100, 255, 255, 0};
    const QString file = path(QStringLiteral("s.fits"));
    writeFrame(file, 30, 30, [&](int x, int y) { return y == 0 && x < 6 ? samples[x] : 1000 + (x + y) % 7; });
    TChild *c = open(file, 2);
    ASSERT_NE(c, nullptr);
    c->Average->setText(QStringLiteral("1100"));
    c->Minimum->setText(QStringLiteral("1000"));
    for (QPushButton *b : {main.Button3, main.Button4}) {
        b->click();
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(pixelOf(*c->Image, x, 0), (Bgr{shown[x], shown[x], shown[x]})) << samples[x];
    }
    EXPECT_EQ(c->Contrast->text(), QStringLiteral("1.0"));
    // An average equal to the minimum: the error, and the picture as it was.
    const Bgr before = pixelOf(*c->Image, 1, 0);
    c->Average->setText(QStringLiteral("1000"));
    main.Button3->click();
    EXPECT_EQ(errors().size(), 1);
    EXPECT_EQ(pixelOf(*c->Image, 1, 0), before);
}

TEST_F(Viewer, UpDownControlsWriteTheBoxAndTheWindow)
{
    const QString file = path(QStringLiteral("u.bmp"));
    writeBitmap(file, uniform(10, 10, Qt::gray));
    TChild *c = open(file, 1);
    ASSERT_NE(c, nullptr);
    main.UpDown1->Step(forms::UDBtnType::btNext);
    EXPECT_EQ(main.Edit2->text(), QStringLiteral("265"));
    EXPECT_EQ(c->MAX->text(), QStringLiteral("265"));
    main.UpDown2->Step(forms::UDBtnType::btPrev);
    EXPECT_EQ(main.Edit3->text(), QStringLiteral("-10"));
    EXPECT_EQ(c->MIN->text(), QStringLiteral("-10"));
}

} // namespace
