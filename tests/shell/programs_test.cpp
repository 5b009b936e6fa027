// The programs' command lines: telvane --viewer, and the headless runner
// telvane-ops run as a separate process the way a script runs it.
#include "Child1.h"
#include "Gmc1.h"
#include "ScriptedSeam.h"
#include "Startup.h"
#include "forms.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QProcess>
#include <QTemporaryDir>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

TEST(ViewerStart, ShowsWhatTheLayoutHidesButTheTitleCommand)
{
    SeamScope scope;
    CreateAllForms();
    QTemporaryDir dir;
    const QString bmp = dir.filePath(QStringLiteral("a.BMP"));
    QImage img(8, 6, QImage::Format_RGB888);
    img.fill(Qt::red);
    ASSERT_TRUE(img.save(bmp, "BMP"));
    StartViewer({bmp, dir.filePath(QStringLiteral("missing.fits")), dir.filePath(QStringLiteral("notes.txt"))});

    TMainForm &m = *MainForm;
    for (QAction *a : {m.Open1, m.Save1, m.E1->menuAction(), m.P2->menuAction()}) {
        EXPECT_TRUE(a->isVisible()) << a->objectName().toStdString();
        EXPECT_TRUE(a->isEnabled()) << a->objectName().toStdString();
    }
    EXPECT_FALSE(m.V1->isVisible());
    EXPECT_FALSE(m.V1->isEnabled());
    for (QWidget *w : {static_cast<QWidget *>(m.OpenButton), static_cast<QWidget *>(m.Button3),
                       static_cast<QWidget *>(m.UpDown2), static_cast<QWidget *>(m.Label3)}) {
        EXPECT_TRUE(w->isVisible()) << w->objectName().toStdString();
        EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();
    }
    // The bitmap opened (extension in any case); the two others gave one
    // error box each and no window.
    ASSERT_EQ(m.MDIChildCount(), 1);
    EXPECT_EQ(m.MDIChildren()[0]->FilterI->text(), QStringLiteral("1"));
    ASSERT_EQ(scope.seam.errors().size(), 2);
    EXPECT_TRUE(scope.seam.errors()[0].contains(QStringLiteral("missing.fits")));
    EXPECT_TRUE(scope.seam.errors()[1].contains(QStringLiteral("notes.txt")));
    DestroyAllForms();
}

TEST(ViewerStart, FilterIndexByExtension)
{
    const struct {
        const char *path;
        int index;
    } cases[] = {{"a.bmp", 1}, {"A.BMP", 1}, {"x/y.fit", 2}, {"b.FTS", 2}, {"c.Fits", 2},
                 {"d.ppm", 3}, {"e.PPM", 3}, {"f.png", 0}, {"fits", 0},   {"g.fits.gz", 0}};
    for (const auto &c : cases)
        EXPECT_EQ(TMainForm::FilterIndexFor(QString::fromLatin1(c.path)), c.index) << c.path;
}

// Runs a program of the build and keeps what it printed.
struct Outcome {
    int status = -1;
    QString out, err;
};
Outcome run(const QString &program, const QStringList &args, const QString &folder = QString())
{
    QProcess p;
    if (!folder.isEmpty())
        p.setWorkingDirectory(folder);
    p.start(program, args);
    Outcome r;
    if (!p.waitForFinished(60000)) {
        p.kill();
        return r;
    }
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

const QString kOps = QStringLiteral(TELVANE_OPS_PROGRAM);
const QString kTelvane = QStringLiteral(TELVANE_PROGRAM);

class OpsRunner : public testing::Test {
protected:
    QTemporaryDir dir;
    QString bmp;
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        bmp = dir.filePath(QStringLiteral("画像 (1).bmp"));
        QImage img(40, 30, QImage::Format_RGB888);
        img.fill(QColor(30, 20, 10));
        ASSERT_TRUE(img.save(bmp, "BMP"));
    }
};

TEST_F(OpsRunner, PrintsWhatTheWordsWriteToTheToolbar)
{
    const Outcome r = run(kOps, {QStringLiteral("open"), bmp, QStringLiteral("move"), QStringLiteral("3"),
                             QStringLiteral("4"), QStringLiteral("click"), QStringLiteral("20"), QStringLiteral("15"),
                             QStringLiteral("zoom-in"), QStringLiteral("max-up"), QStringLiteral("info")});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QStringList out = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    const QStringList expected = {
        // open: the toolbar of a bitmap window
        QStringLiteral("Edit1=100.0%"), QStringLiteral("Edit2=255"), QStringLiteral("UpDown1=255"),
        QStringLiteral("Label2=R=30  G=20  B=10   (3,4)"),
        QStringLiteral("Label3=MAX = 30 , MIN = 30"), QStringLiteral("Label4=FWHM = 6.2 pxls"),
        QStringLiteral("Edit1=200.0%"),
        QStringLiteral("Edit2=265"), QStringLiteral("UpDown1=265"),
        QStringLiteral("caption=画像 (1).bmp"), QStringLiteral("FilterI=1"), QStringLiteral("DemX=40"),
        QStringLiteral("DemY=30"), QStringLiteral("ColN=1"), QStringLiteral("ZomN=2"), QStringLiteral("UndoFlg=0"),
        QStringLiteral("Contrast=1.0"), QStringLiteral("Average= "), QStringLiteral("Minimum="),
        QStringLiteral("MAX=265"), QStringLiteral("MIN=0"), QStringLiteral("Image=80x60"),
        QStringLiteral("ImageZm=40x30"), QStringLiteral("Edit1=200.0%"), QStringLiteral("Edit2=265"),
        QStringLiteral("Edit3=0"), QStringLiteral("UpDown1=265"), QStringLiteral("UpDown2=0"),
        QStringLiteral("Label2=R=30  G=20  B=10   (3,4)"), QStringLiteral("Label3=MAX = 30 , MIN = 30"),
        QStringLiteral("Label4=FWHM = 6.2 pxls"), QStringLiteral("windows=1")};
    EXPECT_EQ(out, expected) << r.out.toStdString();
}

TEST_F(OpsRunner, SaveThenSelectAndStatusOfErrors)
{
    const QString saved = dir.filePath(QStringLiteral("out.fit"));
    Outcome r = run(kOps, {QStringLiteral("open"), bmp, QStringLiteral("save"), saved, QStringLiteral("open"), saved,
                       QStringLiteral("select"), QStringLiteral("1"), QStringLiteral("info")});
    // out.fit is a bitmap: the FITS reader refuses it, and the words after
    // the error box do not run.
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(QFile(saved).open(QIODevice::ReadOnly));
    EXPECT_TRUE(r.err.contains(saved)) << r.err.toStdString();
    EXPECT_FALSE(r.out.contains(QStringLiteral("windows="))) << r.out.toStdString();

    r = run(kOps, {QStringLiteral("open"), bmp, QStringLiteral("select"), QStringLiteral("2")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("no image window 2"))) << r.err.toStdString();
}

TEST_F(OpsRunner, ToolkitWordsAnswerTheirDialogs)
{
    Outcome r = run(kOps, {QStringLiteral("open"), bmp, QStringLiteral("gamma"), QStringLiteral("2"),
                           QStringLiteral("move"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("rgb-split"),
                           QStringLiteral("info")});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    // 30, 20, 10 through gamma 2: 3, 1, 0.
    EXPECT_TRUE(r.out.contains(QStringLiteral("Label2=R=3  G=1  B=0   (0,0)\n"))) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("caption=Red\n"))) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("windows=4\n"))) << r.out.toStdString();

    // A value the dialog refuses: its message, status 2, nothing after it.
    r = run(kOps, {QStringLiteral("open"), bmp, QStringLiteral("gamma"), QStringLiteral("0"), QStringLiteral("info")});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.err.contains(QStringLiteral("整数を入力してください"))) << r.err.toStdString();
    EXPECT_FALSE(r.out.contains(QStringLiteral("windows="))) << r.out.toStdString();

    // A field that is not a number: the conversion error box, status 1.
    r = run(kOps, {QStringLiteral("open"), bmp, QStringLiteral("coma"), QStringLiteral("1.5"), QStringLiteral("2"),
                   QStringLiteral("3")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("'1.5' は整数ではありません"))) << r.err.toStdString();
}

TEST_F(OpsRunner, UsageErrors)
{
    const struct {
        const char *name;
        QStringList args;
        const char *message;
    } cases[] = {
        {"no word", {}, "no word"},
        {"unknown word", {QStringLiteral("sharpen")}, "unknown word 'sharpen'"},
        {"missing path", {QStringLiteral("open")}, "missing arguments for 'open'"},
        {"missing y", {QStringLiteral("move"), QStringLiteral("3")}, "missing arguments for 'move'"},
        {"not a number", {QStringLiteral("click"), QStringLiteral("a"), QStringLiteral("1")}, "not a whole number"},
    };
    for (const auto &c : cases) {
        const Outcome r = run(kOps, c.args);
        EXPECT_EQ(r.status, 2) << c.name;
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.message))) << c.name << ": " << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(QStringLiteral("Usage: telvane-ops"))) << c.name;
        EXPECT_TRUE(r.out.isEmpty()) << c.name;
    }
}

TEST(Telvane, HelpAndUnknownArguments)
{
    Outcome r = run(kTelvane, {QStringLiteral("--help")});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.contains(QStringLiteral("--viewer [FILE...]"))) << r.out.toStdString();
    r = run(kTelvane, {QStringLiteral("--frobnicate")});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.err.contains(QStringLiteral("unknown argument '--frobnicate'"))) << r.err.toStdString();
}

} // namespace
