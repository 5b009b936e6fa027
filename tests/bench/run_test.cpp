// The benchmark command through the real command path: the menu item, the
// confirmation, the frame windows, the report and the clean-up.
#include "Benchmark.h"
#include "Panel1.h"

#include "Child1.h"
#include "Gmc1.h"
#include "Frame.h"
#include "forms.h"

#include "ScriptedSeam.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QPointer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// Each test runs in a fresh working directory with the generator as at
// program start.
class BenchmarkRun : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        saved_ = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(dir_.path()));
        bench::GeneratorState() = 1;
        forms::setSeam(&seam_);
    }
    void TearDown() override
    {
        forms::setSeam(nullptr);
        QDir::setCurrent(saved_);
        for (TChild *c : MainForm->MDIChildren())
            c->Close();
        flush();
    }
    static void flush()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
    QStringList entries() const
    {
        return QDir(dir_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }
    void runCommand()
    {
        MainForm->N10->trigger();
        flush();
    }
    // Runs f while the result window would be up.
    void onReport(std::function<void()> f)
    {
        seam_.onModal = [f](QDialog *form) {
            if (form == panel)
                f();
        };
    }

    QTemporaryDir dir_;
    QString saved_;
    ScriptedSeam seam_;
};

struct FrameExpectation {
    const char *name, *mean;
    int minimum;
};

const FrameExpectation kFirstRun[] = {
    {"0.fit", "33856.0785506039", 33756},
    {"1.fit", "33856.1277467722", 33756},
    {"2.fit", "33856.0706538942", 33756},
    {"3.fit", "33856.0662057476", 33757},
};

TEST_F(BenchmarkRun, FirstRunFramesWindowsAndReport)
{
    QList<TChild *> frames;
    QStringList filesDuringReport;
    onReport([&] {
        frames = MainForm->MDIChildren();
        filesDuringReport = entries();
    });
    runCommand();

    EXPECT_EQ(seam_.count(QStringLiteral("confirm")), 1);
    EXPECT_EQ(seam_.last(QStringLiteral("confirm")).text, QString::fromUtf8("計測を開始します。"));
    EXPECT_EQ(seam_.last(QStringLiteral("confirm")).caption, QString::fromUtf8("確認"));
    ASSERT_TRUE(seam_.errors().isEmpty()) << seam_.errors().join('\n').toStdString();
    EXPECT_EQ(seam_.shown(QStringLiteral("panel")), 1);

    // The frame statistics of the first run after start.
    const bench::RunResult &run = bench::LastRun();
    ASSERT_EQ(run.frames.size(), 4);
    for (int f = 0; f < 4; ++f) {
        EXPECT_EQ(run.frames[f].name, QString::fromLatin1(kFirstRun[f].name));
        EXPECT_EQ(run.frames[f].mean, QString::fromLatin1(kFirstRun[f].mean)) << f;
        EXPECT_EQ(run.frames[f].minimum, kFirstRun[f].minimum) << f;
    }
    EXPECT_EQ(MainForm->Edit1->text(), "100.0%");
    EXPECT_EQ(MainForm->Edit2->text(), "33856");
    EXPECT_EQ(MainForm->Edit3->text(), "33757");

    // The scratch files were gone before the report; nothing remains after it.
    EXPECT_TRUE(filesDuringReport.isEmpty()) << filesDuringReport.join(' ').toStdString();
    EXPECT_TRUE(entries().isEmpty());
    EXPECT_EQ(MainForm->MDIChildCount(), 0);

    // While the report was up, the four frame windows were open.
    ASSERT_EQ(frames.size(), 4);
    EXPECT_GE(run.seconds.total, run.seconds.fileAccess + run.seconds.imageDisplay);
}

TEST_F(BenchmarkRun, FrameWindowsHoldPicturesAndFields)
{
    bool checked = false;
    onReport([&] {
        const QList<TChild *> frames = MainForm->MDIChildren();
        ASSERT_EQ(frames.size(), 4);
        for (int f = 0; f < 4; ++f) {
            TChild *c = frames[f];
            EXPECT_EQ(c->Caption(), QString::fromLatin1(kFirstRun[f].name));
            EXPECT_EQ(c->FilterI->text(), "2");
            EXPECT_EQ(c->DemX->text(), "1000");
            EXPECT_EQ(c->DemY->text(), "1000");
            EXPECT_EQ(c->ColN->text(), "1");
            EXPECT_EQ(c->ZomN->text(), "1.00");
            EXPECT_EQ(c->UndoFlg->text(), "0");
            EXPECT_EQ(c->Average->text(), QString::fromLatin1(kFirstRun[f].mean));
            EXPECT_EQ(c->Minimum->text(), QString::number(kFirstRun[f].minimum));
            EXPECT_EQ(c->Image->Picture().Width(), 1000);
            EXPECT_EQ(c->ImageZm->Picture().Height(), 1000);
        }
        TChild *first = frames[0];
        // Frame 0 starts 1033, 1032 / 1038: folded 33801, 33800, 33806 in the raw samples.
        const uint8_t *row0 = first->ImageZm->Picture().ScanLine(0);
        EXPECT_EQ(row0[0], 0);
        EXPECT_EQ(row0[1], 132);
        EXPECT_EQ(row0[2], 9);
        EXPECT_EQ(first->ImageZm->Pixel(0, 0), 33801);
        EXPECT_EQ(first->ImageZm->Pixel(0, 1), 33800);
        EXPECT_EQ(first->ImageZm->Pixel(1, 0), 33806);

        // Rendering: minimum → 0, the truncated mean → 49, star centres → 255,
        // and a background sample 1048 (folded 33816) kept as 0, 132, 24.
        bool sawMin = false, sawMean = false, sawBackground = false;
        forms::Bitmap &raw = first->ImageZm->Picture();
        forms::Bitmap &shown = first->Image->Picture();
        for (int y = 0; y < 1000; ++y) {
            const uint8_t *r = raw.ScanLine(y);
            const uint8_t *s = shown.ScanLine(y);
            for (int x = 0; x < 1000; ++x) {
                const int v = pixels::DecodeRawSample(r + 3 * x);
                EXPECT_TRUE(s[3 * x] == s[3 * x + 1] && s[3 * x + 1] == s[3 * x + 2]);
                if (v == 33756 && !sawMin) {
                    sawMin = true;
                    EXPECT_EQ(s[3 * x], 0);
                }
                if (v == 33856 && !sawMean) {
                    sawMean = true;
                    EXPECT_EQ(s[3 * x], 49);
                }
                if (v == 33816 && !sawBackground) {
                    sawBackground = true;
                    EXPECT_EQ(r[3 * x], 0);
                    EXPECT_EQ(r[3 * x + 1], 132);
                    EXPECT_EQ(r[3 * x + 2], 24);
                }
            }
        }
        EXPECT_TRUE(sawMin && sawMean && sawBackground);
        for (int c = 100; c <= 900; c += 100)
            EXPECT_EQ(first->Image->Pixel(c, c) & 0xff, 255) << c;
        checked = true;
    });
    runCommand();
    EXPECT_TRUE(checked);
    EXPECT_TRUE(seam_.errors().isEmpty());
}

TEST_F(BenchmarkRun, AnsweringNoChangesNothing)
{
    seam_.answer = forms::mrNo;
    MainForm->Edit1->setText("kept");
    runCommand();
    EXPECT_EQ(seam_.count(QStringLiteral("confirm")), 1);
    EXPECT_EQ(seam_.shown(QStringLiteral("panel")), 0);
    EXPECT_TRUE(entries().isEmpty());
    EXPECT_EQ(MainForm->MDIChildCount(), 0);
    EXPECT_EQ(bench::GeneratorState(), 1u);
    EXPECT_EQ(MainForm->Edit1->text(), "kept");
}

TEST_F(BenchmarkRun, UsersOwnFramesAreUntouched)
{
    const QByteArray mine("a frame of the user's own");
    for (const char *name : {"0.fit", "3.fit"}) {
        QFile f(QString::fromLatin1(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(mine);
    }
    runCommand();
    EXPECT_TRUE(seam_.errors().isEmpty());
    EXPECT_EQ(entries(), QStringList({"0.fit", "3.fit"}));
    for (const char *name : {"0.fit", "3.fit"}) {
        QFile f(QString::fromLatin1(name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), mine);
    }
}

TEST_F(BenchmarkRun, WorkingDirectoryThatCannotTakeFilesStopsCleanly)
{
    // A working directory that no longer exists: nothing can be created in it.
    const QString gone = dir_.path() + "/gone";
    ASSERT_TRUE(QDir().mkdir(gone));
    ASSERT_TRUE(QDir::setCurrent(gone));
    ASSERT_TRUE(QDir().rmdir(gone));
    const uint32_t state = bench::GeneratorState();

    runCommand();
    ASSERT_EQ(seam_.errors().size(), 1);
    EXPECT_TRUE(seam_.errors()[0].contains(QString::fromUtf8("作業フォルダ"))) << seam_.errors()[0].toStdString();
    EXPECT_EQ(seam_.shown(QStringLiteral("panel")), 0);
    EXPECT_EQ(MainForm->MDIChildCount(), 0);
    EXPECT_TRUE(entries().isEmpty());
    EXPECT_EQ(bench::GeneratorState(), state);

    // The program goes on: the next run in a good directory works.
    ASSERT_TRUE(QDir::setCurrent(dir_.path()));
    seam_.boxes.clear();
    runCommand();
    EXPECT_TRUE(seam_.errors().isEmpty());
    EXPECT_EQ(seam_.shown(QStringLiteral("panel")), 1);
}

// A write that fails part-way (the disk full, here a file-size limit): the
// run stops, the error box names the file, and nothing it made remains.
TEST_F(BenchmarkRun, FailedWriteStopsCleanly)
{
    struct sigaction ignore {}, previous {};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGXFSZ, &ignore, &previous);
    rlimit old {};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 1000000; // half a frame file
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    runCommand();
    setrlimit(RLIMIT_FSIZE, &old);
    sigaction(SIGXFSZ, &previous, nullptr);

    ASSERT_EQ(seam_.errors().size(), 1);
    EXPECT_TRUE(seam_.errors()[0].contains(dir_.path())) << seam_.errors()[0].toStdString();
    EXPECT_TRUE(seam_.errors()[0].contains("0.fit")) << seam_.errors()[0].toStdString();
    EXPECT_EQ(seam_.shown(QStringLiteral("panel")), 0);
    EXPECT_TRUE(entries().isEmpty()) << entries().join(' ').toStdString();
    EXPECT_EQ(MainForm->MDIChildCount(), 0);
}

// A file that disappears between the write and the read back: the frame
// windows already made are closed again.
TEST_F(BenchmarkRun, ScratchFileRemovedMidRunStopsCleanly)
{
    // Remove 2.fit when the third frame window is being made.
    QMetaObject::Connection c = QObject::connect(MainForm->MdiArea, &QMdiArea::subWindowActivated, [&] {
        if (MainForm->MDIChildCount() == 2)
            for (const QString &sub : QDir(dir_.path()).entryList({"telvane-run-*"}, QDir::Dirs))
                QFile::remove(dir_.path() + "/" + sub + "/2.fit");
    });
    runCommand();
    QObject::disconnect(c);
    ASSERT_EQ(seam_.errors().size(), 1);
    EXPECT_TRUE(seam_.errors()[0].contains("2.fit")) << seam_.errors()[0].toStdString();
    EXPECT_EQ(seam_.shown(QStringLiteral("panel")), 0);
    EXPECT_TRUE(entries().isEmpty()) << entries().join(' ').toStdString();
    EXPECT_EQ(MainForm->MDIChildCount(), 0);
}

TEST_F(BenchmarkRun, ASecondRunContinuesTheSequence)
{
    runCommand();
    const bench::RunResult first = bench::LastRun();
    runCommand();
    const bench::RunResult second = bench::LastRun();
    ASSERT_EQ(first.frames.size(), 4);
    ASSERT_EQ(second.frames.size(), 4);
    for (int f = 0; f < 4; ++f)
        EXPECT_NE(first.frames[f].mean, second.frames[f].mean) << f;
    EXPECT_EQ(seam_.shown(QStringLiteral("panel")), 2);
    EXPECT_EQ(MainForm->MDIChildCount(), 0);
}

TEST_F(BenchmarkRun, VerifyTakesTheChecksumOfTheConvolvedComposite)
{
    bench::SetVerify(true);
    runCommand();
    bench::SetVerify(false);
    const bench::RunResult &run = bench::LastRun();
    ASSERT_TRUE(run.hasChecksum);
    // The first run's composite shifted by one sample towards higher x and y,
    // weighted by 1 + x + 1000 y; worked out apart from the program.
    EXPECT_EQ(run.checksum, 2171753238033953ull);
    // The window program never takes it.
    runCommand();
    EXPECT_FALSE(bench::LastRun().hasChecksum);
}

TEST_F(BenchmarkRun, VersionMessageHasTwoLinesAndChangesNothing)
{
    MainForm->Edit1->setText("kept");
    MainForm->V2->trigger();
    ASSERT_EQ(seam_.messages().size(), 1);
    const QStringList lines = seam_.messages()[0].split('\n');
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], "TELVANE Version 1.0");
    EXPECT_TRUE(lines[1].contains("2002"));
    EXPECT_EQ(seam_.count(QStringLiteral("confirm")), 0);
    EXPECT_EQ(MainForm->MDIChildCount(), 0);
    EXPECT_EQ(MainForm->Edit1->text(), "kept");
    EXPECT_TRUE(entries().isEmpty());
}

} // namespace

namespace {

// The report closes the windows its run made, never a picture the user had
// open before or between them in the child order.
TEST_F(BenchmarkRun, ReportClosesOnlyItsOwnFrameWindows)
{
    TChild *before = MainForm->NewChild();
    before->SetCaption(QStringLiteral("user.bmp"));
    QPointer<TChild> kept(before);
    QList<QPointer<TChild>> frames;
    onReport([&] {
        for (TChild *c : MainForm->MDIChildren())
            if (c != before)
                frames << c;
    });
    runCommand();
    ASSERT_TRUE(seam_.errors().isEmpty()) << seam_.errors().join('\n').toStdString();
    ASSERT_EQ(frames.size(), 4);
    for (const QPointer<TChild> &f : frames)
        EXPECT_TRUE(f.isNull());
    ASSERT_FALSE(kept.isNull());
    EXPECT_EQ(MainForm->MDIChildren(), QList<TChild *>{before});
}

} // namespace
