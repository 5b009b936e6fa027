#include "FileDialog.h"
#include "Platform.h"
#include "ScriptedSeam.h"
#include "UpDown.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace forms;

namespace {

TEST(DateTimeToStr, JapaneseShortDateAndLongTime)
{
    EXPECT_EQ(DateTimeToStr(QDateTime(QDate(2002, 5, 12), QTime(14, 3, 27))), QStringLiteral("2002/05/12 14:03:27"));
    EXPECT_EQ(DateTimeToStr(QDateTime(QDate(2024, 1, 2), QTime(9, 5, 3))), QStringLiteral("2024/01/02 09:05:03"));
    EXPECT_EQ(DateTimeToStr(QDateTime(QDate(2024, 1, 2), QTime(0, 0, 1))), QStringLiteral("2024/01/02 00:00:01"));
    EXPECT_EQ(DateTimeToStr(QDateTime(QDate(2024, 1, 2), QTime(0, 0))), QStringLiteral("2024/01/02"));
}

TEST(MemInfo, TotalAndAvailableInBytes)
{
    const MemoryStatus s = ParseMemInfo(QStringLiteral("MemTotal:       16318480 kB\n"
                                                       "MemFree:         1000000 kB\n"
                                                       "MemAvailable:   12000000 kB\n"));
    EXPECT_EQ(s.totalPhys, 16318480ull * 1024);
    EXPECT_EQ(s.availPhys, 12000000ull * 1024);
    // More than 4 GiB does not wrap.
    EXPECT_GT(ParseMemInfo(QStringLiteral("MemTotal: 8388608 kB")).totalPhys, 0xFFFFFFFFull);
    const MemoryStatus none = ParseMemInfo(QStringLiteral("garbage\nMemTotal: lots kB\n"));
    EXPECT_EQ(none.totalPhys, 0u);
    EXPECT_EQ(none.availPhys, 0u);
}

TEST(Platform, ThisMachineIsDescribed)
{
    const MemoryStatus m = GlobalMemoryStatus();
    EXPECT_GT(m.totalPhys, 0u);
    EXPECT_LE(m.availPhys, m.totalPhys);
    const OsVersion v = GetOsVersion();
    EXPECT_EQ(v.platformId, -1);
    EXPECT_FALSE(v.name.isEmpty());
    EXPECT_FALSE(v.release.isEmpty());
    EXPECT_GE(LogicalCpuCount(), 1);
    const uint32_t a = GetTickCount();
    const uint32_t b = GetTickCount();
    EXPECT_LT(uint32_t(b - a), 60000u); // a difference, not a wrapped negative
}

TEST(Platform, DeleteFileReportsWhetherItDeleted)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("0 [x].fit"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_TRUE(DeleteFile(path));
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_FALSE(DeleteFile(path));
}

// Each half is an integer division of its own: odd sizes round each down.
TEST(Platform, CentredOriginHalvesScreenAndWindowSeparately)
{
    const struct {
        QSize screen, window;
        QPoint origin;
    } cases[] = {
        {{1024, 768}, {329, 515}, {348, 127}}, // the result window
        {{800, 600}, {329, 515}, {236, 43}},
        {{1024, 768}, {900, 700}, {62, 34}}, // the main window
        {{1023, 767}, {331, 517}, {346, 125}},
        {{640, 480}, {900, 700}, {-130, -110}}, // larger than the screen
    };
    for (const auto &c : cases)
        EXPECT_EQ(CentredOrigin(c.screen, c.window), c.origin) << c.screen.width() << "x" << c.screen.height();
}

TEST(UpDown, StepsByTheIncrementAndStopsAtTheEnds)
{
    TUpDown u;
    u.setMin(-30);
    u.setMax(25);
    u.setIncrement(10);
    u.setPosition(0);
    QList<UDBtnType> clicks;
    QObject::connect(&u, &TUpDown::Click, [&](UDBtnType b) { clicks << b; });
    u.Step(UDBtnType::btNext);
    u.Step(UDBtnType::btNext);
    EXPECT_EQ(u.Position(), 20);
    u.Step(UDBtnType::btNext);
    EXPECT_EQ(u.Position(), 25);
    u.Step(UDBtnType::btNext);
    EXPECT_EQ(u.Position(), 25);
    for (int i = 0; i < 7; ++i)
        u.Step(UDBtnType::btPrev);
    EXPECT_EQ(u.Position(), -30);
    EXPECT_EQ(clicks.size(), 11); // every click is reported, also at the ends
    u.setWrap(true);
    u.Step(UDBtnType::btPrev);
    EXPECT_EQ(u.Position(), 25);
    u.setPosition(100000);
    EXPECT_EQ(u.Position(), 25);
}

TEST(UpDown, HugeIncrementsDoNotOverflow)
{
    TUpDown u;
    u.setMin(-2147483647);
    u.setMax(2147483647);
    u.setIncrement(2147483647);
    u.setPosition(2147483647);
    u.Step(UDBtnType::btNext);
    EXPECT_EQ(u.Position(), 2147483647);
}

TEST(FileDialog, StoredFilterBecomesNameFilters)
{
    EXPECT_EQ(TFileDialog::NameFilters(QStringLiteral(
                  "ビットマップ(*.bmp)|*.bmp|フィッツ(*.fit,*.fts,*.fits)|*.fts;*.fit;*.fits|ポータブル(*.ppm)|*.ppm")),
              (QStringList{QStringLiteral("ビットマップ(*.bmp) (*.bmp)"),
                           QStringLiteral("フィッツ(*.fit,*.fts,*.fits) (*.fts *.fit *.fits)"),
                           QStringLiteral("ポータブル(*.ppm) (*.ppm)")}));
    EXPECT_TRUE(TFileDialog::NameFilters(QString()).isEmpty());
    EXPECT_EQ(TFileDialog::NameFilters(QStringLiteral("odd")), QStringList{QStringLiteral("odd ()")});
}

TEST(FileDialog, ExecuteKeepsTheChoiceOrNothing)
{
    SeamScope scope;
    TFileDialog d(TFileDialog::Open);
    d.Title = QStringLiteral("Open an Image for Viewing");
    d.Filter = QStringLiteral("A|*.a|B|*.b");
    scope.seam.onFile = [](FileDialogRequest &r) {
        EXPECT_EQ(r.kind, FileDialogRequest::Open);
        EXPECT_EQ(r.filterIndex, 1);
        r.fileName = QStringLiteral("/tmp/星.b");
        r.filterIndex = 2;
        return true;
    };
    ASSERT_TRUE(d.Execute());
    EXPECT_EQ(d.FileName, QStringLiteral("/tmp/星.b"));
    EXPECT_EQ(d.FilterIndex, 2);
    EXPECT_EQ(scope.seam.boxes.back().caption, QStringLiteral("Open an Image for Viewing"));
    scope.seam.onFile = [](FileDialogRequest &r) {
        r.fileName = QStringLiteral("ignored");
        return false;
    };
    EXPECT_FALSE(d.Execute());
    EXPECT_EQ(d.FileName, QStringLiteral("/tmp/星.b"));
}

} // namespace
