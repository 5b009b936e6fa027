// The toolkit's commands through the main window's handlers: which windows
// they act on, when their dialogs show, what they read and draw, UndoFlg,
// and their refusals and errors.  The arithmetic itself is tested on the
// pixel layer; the numbers here are the ones a user checks on a picture.
#include "ImageWindows.h"

#include "Blur1.h"
#include "Comacorrect1.h"
#include "Edge1.h"
#include "Gamma1.h"
#include "Gmcpanel1.h"
#include "Sabachie1.h"
#include "Startup.h"
#include "Toolkit.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>

#include <map>

namespace {

// Every window of the program exists (the commands show the global dialogs).
class Toolkit : public ImageWindows {
protected:
    void SetUp() override
    {
        CreateAllForms();
        ImageWindows::SetUp();
        EdgeStrength = 0;
        BlurAmount = 0;
        SmearDirection = 0;
        FlowAmount = 0;
        SmoothingThreshold = 0;
        GuideMissConfirmed = 0;
        GMM->Edit1->setText(QStringLiteral("1.0"));
        Sabachie->Edit1->setText(QStringLiteral("255"));
    }
    void TearDown() override
    {
        ImageWindows::TearDown();
        DestroyAllForms();
    }

    // A bitmap window whose pixels are grey levels, row by row.
    TChild *greyWindow(const std::vector<std::vector<int>> &rows)
    {
        const int h = int(rows.size()), w = int(rows[0].size());
        QImage img(w, h, QImage::Format_RGB888);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                img.setPixelColor(x, y, QColor(rows[y][x], rows[y][x], rows[y][x]));
        const QString file = path(QStringLiteral("g%1.bmp").arg(++files_));
        writeBitmap(file, img);
        return open(file, 1);
    }
    TChild *uniformWindow(int w, int h, int v) { return greyWindow(std::vector<std::vector<int>>(h, std::vector<int>(w, v))); }
    TChild *frameWindow()
    {
        const QString file = path(QStringLiteral("f%1.fits").arg(++files_));
        writeFrame(file, 40, 40, [](int x, int y) { return 1000 + 37 * x + y; });
        return open(file, 2);
    }
    TChild *pixmapWindow()
    {
        const QString file = path(QStringLiteral("p%1.ppm").arg(++files_));
        writeBytes(file, QByteArray("P6\n2 1\n255\n") + QByteArray::fromHex("0a141e28323c"));
        testing::internal::CaptureStdout();
        TChild *c = open(file, 3);
        testing::internal::GetCapturedStdout();
        return c;
    }

    // The dialog's answer: the fields typed, then OK; or closed by its close
    // box (nothing typed) when `fields` is empty.  After a refused OK the
    // user closes the dialog with its close box.
    void answer(const std::map<QString, QString> &fields)
    {
        seam().onModal = [fields](QDialog *d) {
            for (const auto &[name, text] : fields)
                d->findChild<QLineEdit *>(name)->setText(text);
            if (!fields.empty())
                d->findChild<QPushButton *>(QStringLiteral("Button1"))->click();
            if (d->isVisible() || d->result() == forms::mrNone)
                forms::CloseForm(d);
        };
    }
    QStringList modals() const
    {
        QStringList out;
        for (const ScriptedSeam::Box &b : scope.seam.boxes)
            if (b.kind == QStringLiteral("modal"))
                out << b.text;
        return out;
    }
    QStringList messages() const
    {
        QStringList out;
        for (const ScriptedSeam::Box &b : scope.seam.boxes)
            if (b.kind == QStringLiteral("message"))
                out << b.text;
        return out;
    }
    static int grey(const forms::TImage &image, int x, int y) { return pixelOf(image, x, y).g; }
    static QByteArray bytesOf(const forms::TImage &image)
    {
        const forms::Bitmap &b = image.Picture();
        QByteArray out;
        for (int y = 0; y < b.Height(); ++y)
            out.append(reinterpret_cast<const char *>(b.ScanLine(y)), 3 * b.Width());
        return out;
    }

    int files_ = 0;
};

TEST_F(Toolkit, NegativeRewritesBothPicturesAndLaterCommandsBuildOnIt)
{
    TChild *c = greyWindow({{0, 100, 255}});
    ASSERT_NE(c, nullptr);
    main.N1->trigger();
    for (const forms::TImage *image : {c->Image, c->ImageZm}) {
        EXPECT_EQ(grey(*image, 0, 0), 255);
        EXPECT_EQ(grey(*image, 1, 0), 155);
        EXPECT_EQ(grey(*image, 2, 0), 0);
    }
    EXPECT_EQ(c->UndoFlg->text(), QStringLiteral("0"));
    // Gamma 2 now starts from the negated picture: 155 -> 94.
    answer({{QStringLiteral("Edit1"), QStringLiteral("2")}});
    main.N6->trigger();
    EXPECT_EQ(grey(*c->Image, 1, 0), 94);
    EXPECT_EQ(c->UndoFlg->text(), QStringLiteral("1"));
    main.N1->trigger();
    EXPECT_EQ(grey(*c->ImageZm, 1, 0), 100);
    EXPECT_EQ(grey(*c->Image, 0, 0), 0);
    EXPECT_TRUE(errors().isEmpty());
}

TEST_F(Toolkit, GammaShowsItsDialogFirstAndDrawsOnlyOnBitmaps)
{
    TChild *c = greyWindow({{0, 1, 64, 128, 255}});
    ASSERT_NE(c, nullptr);
    struct Case {
        const char *gamma;
        int shown[5];
    } const cases[] = {{"2", {0, 0, 16, 64, 255}}, {"0.5", {0, 15, 127, 180, 255}}};
    for (const Case &k : cases) {
        answer({{QStringLiteral("Edit1"), QString::fromLatin1(k.gamma)}});
        main.N6->trigger();
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(grey(*c->Image, x, 0), k.shown[x]) << k.gamma << " x " << x;
        EXPECT_EQ(grey(*c->ImageZm, 3, 0), 128);
    }
    // Twice with 2 is once with 2.
    answer({{QStringLiteral("Edit1"), QStringLiteral("2")}});
    main.N6->trigger();
    main.N6->trigger();
    EXPECT_EQ(grey(*c->Image, 3, 0), 64);

    // On a frame window the dialog shows, then nothing changes.
    scope.seam.boxes.clear();
    TChild *f = frameWindow();
    ASSERT_NE(f, nullptr);
    const QByteArray before = bytesOf(*f->Image);
    main.N6->trigger();
    EXPECT_EQ(modals(), QStringList{QStringLiteral("GMM")});
    EXPECT_EQ(bytesOf(*f->Image), before);
    EXPECT_EQ(f->UndoFlg->text(), QStringLiteral("0"));

    // No window: no dialog.
    for (TChild *w : main.MDIChildren())
        w->Close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    scope.seam.boxes.clear();
    main.N6->trigger();
    EXPECT_TRUE(modals().isEmpty());
}

TEST_F(Toolkit, GammaOfZeroOrBelowLeftByTheCloseBoxIsRefused)
{
    TChild *c = greyWindow({{10, 20}});
    ASSERT_NE(c, nullptr);
    for (const char *g : {"0", "-1"}) {
        scope.seam.boxes.clear();
        answer({{QStringLiteral("Edit1"), QString::fromLatin1(g)}}); // OK refuses, then the close box
        main.N6->trigger();
        ASSERT_EQ(messages().size(), 2) << g;
        EXPECT_EQ(messages()[0], QStringLiteral("整数を入力してください")) << g;
        EXPECT_EQ(messages()[1], QString::fromUtf8(pixels::kGammaRefusedText)) << g;
        EXPECT_EQ(grey(*c->Image, 0, 0), 10) << g;
        EXPECT_EQ(c->UndoFlg->text(), QStringLiteral("0")) << g;
    }
}

TEST_F(Toolkit, SabattierStepsOnEveryKind)
{
    TChild *c = greyWindow({{100, 128, 200, 255}});
    ASSERT_NE(c, nullptr);
    struct Case {
        const char *step;
        int shown[4];
    } const cases[] = {{"255", {100, 128, 200, 0}},
                       {"128", {200, 0, 144, 254}},
                       {"510", {50, 64, 100, 128}},
                       {"-1", {0, 0, 0, 0}}};
    for (const Case &k : cases) {
        answer({{QStringLiteral("Edit1"), QString::fromLatin1(k.step)}});
        main.N8->trigger();
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(grey(*c->Image, x, 0), k.shown[x]) << k.step << " x " << x;
        EXPECT_EQ(c->UndoFlg->text(), QStringLiteral("1"));
    }
    // A frame window: the raw-sample bytes are stepped (step 128 doubles
    // each byte modulo 256).
    TChild *f = frameWindow();
    ASSERT_NE(f, nullptr);
    answer({{QStringLiteral("Edit1"), QStringLiteral("128")}});
    main.N8->trigger();
    const Bgr raw = pixelOf(*f->ImageZm, 5, 3);
    EXPECT_EQ(pixelOf(*f->Image, 5, 3), (Bgr{0, (2 * raw.g) % 256, (2 * raw.r) % 256}));
    // A step of 0: the floating-point error, picture unchanged.
    const QByteArray before = bytesOf(*f->Image);
    answer({{QStringLiteral("Edit1"), QStringLiteral("0")}});
    main.N8->trigger();
    EXPECT_EQ(errors().size(), 1);
    EXPECT_EQ(bytesOf(*f->Image), before);
}

TEST_F(Toolkit, SolarizationOfStepsAndUniformPictures)
{
    struct Case {
        const char *name;
        std::vector<std::vector<int>> rows;
        std::vector<int> shown; // per row
    } const cases[] = {
        {"dark above bright", {{0}, {0}, {255}, {255}}, {0, 0, 42, 255}},
        {"bright above dark", {{255}, {255}, {0}, {0}}, {42, 255, 212, 0}},
        {"uniform 100", {{100}, {100}, {100}}, {16, 100, 166}},
        {"uniform 255", {{255}, {255}, {255}}, {42, 255, 255}},
    };
    for (const Case &k : cases) {
        TChild *c = greyWindow(k.rows);
        ASSERT_NE(c, nullptr) << k.name;
        main.N7->trigger();
        for (size_t y = 0; y < k.shown.size(); ++y)
            EXPECT_EQ(grey(*c->Image, 0, int(y)), k.shown[y]) << k.name << " row " << y;
        EXPECT_EQ(c->UndoFlg->text(), QStringLiteral("1")) << k.name;
    }
}

// Commands for bitmap pictures only: on frame and pixmap windows nothing
// changes (their dialogs, where they have one, still show).
TEST_F(Toolkit, BitmapCommandsLeaveFrameAndPixmapWindowsAlone)
{
    answer({});
    BlurAmount = 1;
    EdgeStrength = 2;
    ComaCorrect->Edit1->setText(QStringLiteral("1"));
    ComaCorrect->Edit2->setText(QStringLiteral("1"));
    ComaCorrect->Edit3->setText(QStringLiteral("1"));
    struct Command {
        const char *name;
        QAction *TMainForm::*item;
    } const commands[] = {{"negative", &TMainForm::N1}, {"gamma", &TMainForm::N6}, {"solarize", &TMainForm::N7},
                          {"mirror", &TMainForm::M1},   {"flip", &TMainForm::R1},  {"rgb-split", &TMainForm::RGB2},
                          {"edge", &TMainForm::N2},     {"blur", &TMainForm::N4},  {"coma", &TMainForm::N9}};
    for (TChild *c : {frameWindow(), pixmapWindow()}) {
        ASSERT_NE(c, nullptr);
        const QByteArray image = bytesOf(*c->Image), base = bytesOf(*c->ImageZm);
        for (const Command &k : commands) {
            main.Activate(c);
            (main.*k.item)->trigger();
            EXPECT_EQ(bytesOf(*c->Image), image) << k.name;
            EXPECT_EQ(bytesOf(*c->ImageZm), base) << k.name;
            EXPECT_EQ(c->UndoFlg->text(), QStringLiteral("0")) << k.name;
        }
    }
    EXPECT_EQ(main.MDIChildCount(), 2); // no channel windows
    EXPECT_TRUE(errors().isEmpty()) << errors().join('\n').toStdString();
}

TEST_F(Toolkit, ChannelSeparationMakesThreeGreyWindows)
{
    QImage img(300, 200, QImage::Format_RGB888);
    img.fill(QColor(30, 20, 10)); // red 30, green 20, blue 10
    const QString file = path(QStringLiteral("c.bmp"));
    writeBitmap(file, img);
    TChild *source = open(file, 1);
    ASSERT_NE(source, nullptr);
    main.Edit1->setText(QStringLiteral("x"));
    main.Edit2->setText(QStringLiteral("x"));
    main.UpDown1->setPosition(5);
    main.RGB2->trigger();
    const QList<TChild *> all = main.MDIChildren();
    ASSERT_EQ(all.size(), 4);
    const struct {
        const char *caption;
        int level;
    } channels[] = {{"Blue", 10}, {"Green", 20}, {"Red", 30}};
    for (int k = 0; k < 3; ++k) {
        TChild *c = all[k + 1];
        EXPECT_EQ(c->Caption(), QString::fromLatin1(channels[k].caption));
        EXPECT_EQ(pixelOf(*c->Image, 299, 199), (Bgr{channels[k].level, channels[k].level, channels[k].level}));
        EXPECT_EQ(pixelOf(*c->ImageZm, 0, 0), (Bgr{channels[k].level, channels[k].level, channels[k].level}));
        const struct {
            QLineEdit *field;
            const char *text;
        } fields[] = {{c->FilterI, "1"}, {c->ColN, "3"}, {c->DemX, "300"}, {c->DemY, "200"}, {c->ZomN, "1.00"},
                      {c->UndoFlg, "0"}, {c->MAX, "255"}, {c->MIN, "0"}, {c->Contrast, "1.0"}, {c->Average, " "}};
        for (const auto &f : fields)
            EXPECT_EQ(f.field->text(), QString::fromLatin1(f.text)) << channels[k].caption;
        EXPECT_EQ(c->ClientWidth(), 300);
        EXPECT_EQ(c->ClientHeight(), 200);
    }
    EXPECT_EQ(main.ActiveMDIChild(), all[3]);
    EXPECT_EQ(main.Edit1->text(), QStringLiteral("100.0%"));
    EXPECT_EQ(main.Edit2->text(), QStringLiteral("255"));
    EXPECT_EQ(main.UpDown1->Position(), 255);
    main.Button1->click();
    EXPECT_EQ(all[3]->Image->Width(), 600);
    EXPECT_EQ(all[3]->Image->Height(), 400);
    // The source is unchanged; a channel window separates like any bitmap.
    EXPECT_EQ(pixelOf(*source->Image, 0, 0), (Bgr{10, 20, 30}));
    main.RGB2->trigger();
    EXPECT_EQ(main.MDIChildCount(), 7);
    EXPECT_EQ(pixelOf(*main.ActiveMDIChild()->Image, 0, 0), (Bgr{30, 30, 30}));
}

TEST_F(Toolkit, FlipAndMirrorDrawTheBasePicture)
{
    TChild *c = greyWindow({{10, 20}, {30, 40}});
    ASSERT_NE(c, nullptr);
    for (int pass = 0; pass < 2; ++pass) {
        main.R1->trigger();
        EXPECT_EQ(grey(*c->Image, 0, 0), 30) << pass;
        EXPECT_EQ(grey(*c->Image, 1, 1), 20) << pass;
    }
    answer({{QStringLiteral("Edit1"), QStringLiteral("2")}});
    main.N6->trigger();
    main.M1->trigger();
    EXPECT_EQ(bytesOf(*c->Image), bytesOf(*c->ImageZm));
    EXPECT_EQ(c->UndoFlg->text(), QStringLiteral("1")); // left as gamma wrote it
}

TEST_F(Toolkit, EdgeEnhancementOnUniformPictures)
{
    struct Case {
        const char *strength;
        int level, interior, side, corner;
    } const cases[] = {{"2", 100, 100, 125, 150},
                       {"1", 100, 100, 120, 140},
                       // 200: the corners clamp (300); a side is 1.25 x 200 = 250.
                       {"2", 200, 200, 250, 255}};
    for (const Case &k : cases) {
        TChild *c = uniformWindow(5, 4, k.level);
        ASSERT_NE(c, nullptr);
        answer({{QStringLiteral("Edit1"), QString::fromLatin1(k.strength)}});
        main.N2->trigger();
        EXPECT_EQ(EdgeStrength, QString::fromLatin1(k.strength).toDouble());
        EXPECT_EQ(grey(*c->Image, 2, 2), k.interior) << k.strength;
        EXPECT_EQ(grey(*c->Image, 2, 0), k.side) << k.strength;
        EXPECT_EQ(grey(*c->Image, 0, 0), k.corner) << k.strength;
        EXPECT_EQ(c->UndoFlg->text(), QStringLiteral("1"));
    }
    // Strength 6, refused by OK but stored, then the close box: the
    // floating-point error and the picture as it was.
    TChild *c = uniformWindow(3, 3, 100);
    scope.seam.boxes.clear();
    answer({{QStringLiteral("Edit1"), QStringLiteral("6")}});
    main.N2->trigger();
    EXPECT_EQ(messages(), QStringList{QStringLiteral("1.0-5.0の数字を入力してください")});
    ASSERT_EQ(errors().size(), 1);
    EXPECT_EQ(errors()[0], QStringLiteral("不正な浮動小数点数演算命令"));
    EXPECT_EQ(grey(*c->Image, 0, 0), 100);
    EXPECT_EQ(c->UndoFlg->text(), QStringLiteral("0"));
}

TEST_F(Toolkit, BlurBordersSmallAmountsAndZero)
{
    TChild *c = uniformWindow(5, 5, 200);
    ASSERT_NE(c, nullptr);
    answer({{QStringLiteral("Edit1"), QStringLiteral("1")}});
    main.N4->trigger();
    EXPECT_EQ(grey(*c->Image, 0, 0), 124); // 0.621 of 200, truncated
    EXPECT_EQ(c->UndoFlg->text(), QStringLiteral("1"));
    // Edge then blur shows only the blur of the base picture.
    answer({{QStringLiteral("Edit1"), QStringLiteral("2")}});
    main.N2->trigger();
    answer({{QStringLiteral("Edit1"), QStringLiteral("1")}});
    main.N4->trigger();
    EXPECT_EQ(grey(*c->Image, 0, 0), 124);
    EXPECT_EQ(grey(*c->Image, 2, 2), 200);
    // 0.3: a one-cell kernel, the picture comes back unchanged.
    answer({{QStringLiteral("Edit1"), QStringLiteral("0.3")}});
    main.N4->trigger();
    EXPECT_EQ(bytesOf(*c->Image), bytesOf(*c->ImageZm));
    // A 1 x 1 picture keeps the centre weight only.
    TChild *one = uniformWindow(1, 1, 100);
    answer({{QStringLiteral("Edit1"), QStringLiteral("1")}});
    main.N4->trigger();
    EXPECT_EQ(grey(*one->Image, 0, 0), 33);
    // The amount 0 in force (the close box before any OK): invalid operation.
    BlurAmount = 0;
    scope.seam.boxes.clear();
    answer({});
    main.N4->trigger();
    EXPECT_EQ(errors(), QStringList{QStringLiteral("不正な浮動小数点数演算命令")});
    EXPECT_EQ(grey(*one->Image, 0, 0), 33);
    // A negative amount left in force: refused with a message.
    BlurAmount = -1;
    scope.seam.boxes.clear();
    main.N4->trigger();
    EXPECT_EQ(messages(), QStringList{QString::fromUtf8(pixels::kBlurRefusedText)});
}

TEST_F(Toolkit, GuideMissCancellerWorksOnTheDisplayedPicture)
{
    // Defaults (flow 1, direction 0, blur 0.2, threshold 0) on a uniform
    // picture: the interior keeps its level, the two columns at each side
    // lose the missing -1 taps' share.
    TChild *c = uniformWindow(8, 3, 100);
    ASSERT_NE(c, nullptr);
    // The dialog shows first, whatever is open; before any OK nothing runs.
    answer({});
    main.P1->trigger();
    EXPECT_EQ(modals(), QStringList{QStringLiteral("GMCPanel")});
    EXPECT_EQ(grey(*c->Image, 0, 1), 100);

    answer({{QStringLiteral("Edit1"), QStringLiteral("0")},
            {QStringLiteral("Edit2"), QStringLiteral("1")},
            {QStringLiteral("Edit3"), QStringLiteral("0.2")},
            {QStringLiteral("Edit4"), QStringLiteral("0")}});
    main.P1->trigger();
    EXPECT_EQ(GuideMissConfirmed, 1);
    EXPECT_EQ(grey(*c->Image, 4, 1), 100);
    EXPECT_EQ(grey(*c->Image, 0, 1), 200);
    EXPECT_EQ(grey(*c->Image, 1, 1), 200);
    EXPECT_EQ(grey(*c->ImageZm, 0, 1), 100); // the base picture is not touched
    EXPECT_EQ(c->UndoFlg->text(), QStringLiteral("0"));
    // OK once, then the close box: the canceller still runs, on what is
    // displayed (its results accumulate).
    answer({});
    main.P1->trigger();
    EXPECT_EQ(grey(*c->Image, 0, 1), 255);
    EXPECT_TRUE(errors().isEmpty()) << errors().join('\n').toStdString();

    // A frame window is processed too, whatever its kind.
    TChild *f = frameWindow();
    const QByteArray before = bytesOf(*f->Image);
    main.P1->trigger();
    EXPECT_NE(bytesOf(*f->Image), before);

    // A negative flow amount left in force is refused.
    FlowAmount = -1;
    scope.seam.boxes.clear();
    main.P1->trigger();
    EXPECT_EQ(messages(), QStringList{QString::fromUtf8(pixels::kFlowRefusedText)});
}

TEST_F(Toolkit, GuideMissCancellerOnAZoomedWindowTakesTheControlsArea)
{
    TChild *c = uniformWindow(4, 2, 100);
    ASSERT_NE(c, nullptr);
    main.Button1->click(); // the control is 8 x 4, the bitmap 4 x 2
    GuideMissConfirmed = 1;
    FlowAmount = 1;
    BlurAmount = 0.2;
    answer({});
    main.P1->trigger();
    EXPECT_TRUE(errors().isEmpty()) << errors().join('\n').toStdString();
    EXPECT_EQ(c->Image->Picture().Width(), 4);
    // Column 3 is an interior column of the 8-wide area: its -1 taps reach
    // columns 1 and 5, and column 5 lies outside the bitmap, where the
    // canvas reads -1 (red -1, green 0, blue 0): red 300 - 100 + 1.
    EXPECT_EQ(pixelOf(*c->Image, 3, 0), (Bgr{200, 200, 201}));
}

TEST_F(Toolkit, ComaCorrectionChecksItsFieldsAndMapsThroughTheGammaField)
{
    TChild *c = greyWindow({{64, 128}});
    ASSERT_NE(c, nullptr);
    struct Case {
        const char *x, *y, *amount;
        const char *error; // empty: accepted
    } const cases[] = {
        {"", "", "", "'' は整数ではありません"},
        {"1.5", "2", "3", "'1.5' は整数ではありません"},
        {"1", "2", "x", "'x' は浮動小数点数ではありません"},
        {"100", "200", "0.5", ""},
        {"-3", "7", "12", ""},
    };
    GMM->Edit1->setText(QStringLiteral("0.5"));
    QByteArray first;
    for (const Case &k : cases) {
        scope.seam.boxes.clear();
        answer({{QStringLiteral("Edit1"), QString::fromLatin1(k.x)},
                {QStringLiteral("Edit2"), QString::fromLatin1(k.y)},
                {QStringLiteral("Edit3"), QString::fromLatin1(k.amount)}});
        main.N9->trigger();
        if (*k.error) {
            EXPECT_EQ(errors(), QStringList{QString::fromUtf8(k.error)});
            EXPECT_EQ(grey(*c->Image, 0, 0), 64);
            continue;
        }
        EXPECT_TRUE(errors().isEmpty()) << errors().join('\n').toStdString();
        EXPECT_EQ(grey(*c->Image, 0, 0), 127);
        EXPECT_EQ(c->UndoFlg->text(), QStringLiteral("1"));
        if (first.isEmpty())
            first = bytesOf(*c->Image);
        EXPECT_EQ(bytesOf(*c->Image), first); // the axis and amount do not enter
    }
    // The gamma field not a number: the conversion error after the kind test.
    GMM->Edit1->setText(QStringLiteral("abc"));
    scope.seam.boxes.clear();
    main.N9->trigger();
    EXPECT_EQ(errors(), QStringList{QStringLiteral("'abc' は浮動小数点数ではありません")});
}

} // namespace
