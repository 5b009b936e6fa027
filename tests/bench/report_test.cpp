// The report's arithmetic and texts, and the result window's layout.
#include "Panel1.h"
#include "Report.h"

#include "forms.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

struct OsCase {
    int platform, major, minor;
    const char *text;
};

const OsCase kOsCases[] = {
    {2, 4, 0, "Windows NT"},   {2, 3, 51, "Windows NT"},   {2, 5, 0, "Windows 2000"},
    {2, 5, 1, "Windows XP"},   {2, 6, 2, "Windows XP"},    {2, 10, 0, "Windows XP"},
    {1, 4, 0, "Windows 95"},   {1, 4, 10, "Windows 98"},   {1, 4, 90, "Windows Me"},
    {0, 3, 10, "Windows3.1上のWin32s"}, {3, 5, 0, "OS不明"}, {-1, 6, 1, "OS不明"},
};

TEST(ReportText, OperatingSystemTable)
{
    for (const OsCase &c : kOsCases)
        EXPECT_EQ(bench::OsText(c.platform, c.major, c.minor), QString::fromUtf8(c.text))
            << c.platform << " " << c.major << "." << c.minor;
}

TEST(ReportText, MemoryInUnitsOfAMillionBytes)
{
    EXPECT_EQ(bench::MegaBytes(134217728u), 134);
    EXPECT_EQ(bench::MegaBytes(52428800u), 52);
    EXPECT_EQ(bench::MegaBytes(999999u), 0);
    // More than 4 GB is shown as it is, neither wrapped nor capped.
    EXPECT_EQ(bench::MegaBytes(25769803776ull), 25769);
    EXPECT_EQ(bench::MegaBytes(4294967296ull + 1000000ull), 4295);
}

TEST(ReportText, ScoreIsThousandOverTotalTruncated)
{
    EXPECT_EQ(bench::Score(25.3), 39);
    EXPECT_EQ(bench::Score(2.0), 500);
    EXPECT_EQ(bench::Score(3.0), 333);
    EXPECT_THROW(bench::Score(0.0), forms::EZeroDivide);
}

class ResultWindow : public testing::Test {
protected:
    bench::Machine machine()
    {
        bench::Machine m;
        m.platformId = 2;
        m.major = 5;
        m.minor = 1;
        m.totalPhys = 134217728;
        m.availPhys = 52428800;
        m.now = QDateTime(QDate(2002, 5, 12), QTime(14, 3, 27));
        return m;
    }
};

TEST_F(ResultWindow, CaptionsOfAReport)
{
    bench::StageTimes t;
    t.memoryAllocation = 2345 * 0.001;
    t.fileAccess = 1500 * 0.001;
    t.imageDisplay = 3000 * 0.001;
    t.composite = 0;
    t.convolution = 120 * 0.001;
    t.total = 25300 * 0.001;
    bench::FillReport(*panel, t, machine());

    EXPECT_EQ(panel->Label8->text(), "2.345");
    EXPECT_EQ(panel->Label7->text(), "1.5");
    EXPECT_EQ(panel->Label30->text(), "3");
    EXPECT_EQ(panel->Label9->text(), "0");
    EXPECT_EQ(panel->Label10->text(), "0.12");
    EXPECT_EQ(panel->Label19->text(), "25.3");
    EXPECT_EQ(panel->Label11->text(), "39");
    EXPECT_EQ(panel->Label23->text(), "Windows XP");
    EXPECT_EQ(panel->Label25->text(), "52");
    EXPECT_EQ(panel->Label27->text(), "134");
    EXPECT_EQ(panel->Label17->text(), "2002/05/12 14:03:27");

    const QStringList lines = bench::ReportLines(*panel);
    EXPECT_TRUE(lines.contains(QString::fromUtf8("トータル所要時間 25.3 秒"))) << lines.join('\n').toStdString();
    EXPECT_TRUE(lines.contains(QString::fromUtf8("総合処理能力 39 ポイント")));
    EXPECT_TRUE(lines.contains(QString::fromUtf8("使用可能メモリ 52/134 MB(残存/搭載)")));
    EXPECT_TRUE(lines.contains(QString::fromUtf8("メモリ確保 2.345 秒")));
}

// Five-digit memory figures do not run into the separator and the unit;
// three-digit ones keep the stored positions.
TEST_F(ResultWindow, MemoryFiguresStayApart)
{
    bench::StageTimes t;
    t.total = 1.0;
    bench::Machine m = machine();
    bench::FillReport(*panel, t, m);
    EXPECT_EQ(panel->Label28->pos(), QPoint(168, 128));
    EXPECT_EQ(panel->Label27->pos(), QPoint(184, 128));
    EXPECT_EQ(panel->Label26->pos(), QPoint(216, 128));

    m.availPhys = 24845000000ull;
    m.totalPhys = 125276000000ull;
    bench::FillReport(*panel, t, m);
    EXPECT_EQ(panel->Label25->text(), "24845");
    EXPECT_EQ(panel->Label27->text(), "125276");
    auto right = [](const QLabel *l) { return l->x() + l->width(); };
    EXPECT_GE(panel->Label28->x(), right(panel->Label25));
    EXPECT_GE(panel->Label27->x(), right(panel->Label28));
    EXPECT_GE(panel->Label26->x(), right(panel->Label27));
    EXPECT_EQ(panel->Label26->y(), 128);

    bench::FillReport(*panel, t, machine());
    EXPECT_EQ(panel->Label28->pos(), QPoint(168, 128));
    EXPECT_EQ(panel->Label26->pos(), QPoint(216, 128));
}

TEST_F(ResultWindow, EveryRunOverwritesTheCaptions)
{
    bench::StageTimes t;
    t.total = 2.0;
    bench::FillReport(*panel, t, machine());
    EXPECT_EQ(panel->Label19->text(), "2");
    EXPECT_EQ(panel->Label11->text(), "500");
    EXPECT_EQ(panel->Label8->text(), "0");
}

TEST_F(ResultWindow, CentredOnTheScreenFromTheStoredSize)
{
    EXPECT_EQ(Tpanel::centredOn(QSize(1024, 768)), QPoint(348, 127));
    EXPECT_EQ(Tpanel::centredOn(QSize(800, 600)), QPoint(236, 43));
}

struct LabelCase {
    const char *name;
    int left, top;
    const char *caption;
};

const LabelCase kLayout[] = {
    {"Label1", 128, 40, "測定結果"},     {"Label21", 80, 80, "測定日時"},
    {"Label22", 112, 104, "OS"},         {"Label24", 56, 128, "使用可能メモリ"},
    {"Label28", 168, 128, "/"},          {"Label26", 216, 128, "MB(残存/搭載)"},
    {"Label6", 48, 168, "ファイルアクセス"}, {"Label12", 200, 168, "秒"},
    {"Label29", 80, 200, "画像表示"},    {"Label3", 80, 232, "メモリ確保"},
    {"Label4", 72, 264, "コンポジット"}, {"Label5", 40, 296, "コンボリューション"},
    {"Label18", 40, 328, "トータル所要時間"}, {"Label2", 56, 368, "総合処理能力"},
    {"Label16", 200, 368, "ポイント"},   {"Label30", 144, 200, nullptr},
    {"Label17", 144, 80, nullptr},       {"Label11", 144, 368, nullptr},
};

TEST_F(ResultWindow, StoredLayout)
{
    EXPECT_EQ(panel->windowTitle(), "Result");
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(panel->Panel1->geometry(), QRect(0, 0, 321, 481));
    for (const LabelCase &c : kLayout) {
        auto *l = panel->findChild<QLabel *>(QString::fromLatin1(c.name));
        ASSERT_NE(l, nullptr) << c.name;
        EXPECT_EQ(l->pos(), QPoint(c.left, c.top)) << c.name;
        if (c.caption) {
            EXPECT_EQ(l->text(), QString::fromUtf8(c.caption)) << c.name;
        }
    }
    EXPECT_EQ(panel->Button1->geometry(), QRect(112, 416, 105, 25));
    EXPECT_EQ(panel->Button1->text(), QString::fromUtf8("閉じる"));
}

// Each heading of the result window ends before its value begins, with the
// window's font as installed (IPAPGothic, drawn to the layout's metrics,
// where it is installed), after a report has written every value.
TEST_F(ResultWindow, NoHeadingTouchesItsValue)
{
    bench::StageTimes t;
    t.memoryAllocation = 0.015;
    t.fileAccess = 0.041;
    t.imageDisplay = 0.066;
    t.composite = 0.004;
    t.convolution = 0.076;
    t.total = 0.247;
    bench::FillReport(*panel, t, machine());
    const std::pair<const char *, const char *> pairs[] = {
        {"Label21", "Label17"}, {"Label22", "Label23"}, {"Label24", "Label25"}, {"Label6", "Label7"},
        {"Label29", "Label30"}, {"Label3", "Label8"},   {"Label4", "Label9"},   {"Label5", "Label10"},
        {"Label18", "Label19"}, {"Label2", "Label11"},
    };
    for (const auto &[heading, value] : pairs) {
        const auto *h = panel->findChild<QLabel *>(QString::fromLatin1(heading));
        const auto *v = panel->findChild<QLabel *>(QString::fromLatin1(value));
        ASSERT_NE(h, nullptr) << heading;
        ASSERT_NE(v, nullptr) << value;
        EXPECT_LT(h->x() + h->width(), v->x())
            << heading << " \"" << h->text().toStdString() << "\" ends at " << h->x() + h->width() << ", its value "
            << value << " begins at " << v->x();
    }
}

// The layout's "ＭＳ Ｐゴシック" is set in IPAPGothic when it is installed
// (fonts-ipafont-gothic): at 12 pixels "コンボリューション" is 90 pixels wide
// there, as in the face the layout was drawn for.
TEST_F(ResultWindow, LayoutFontIsIPAPGothicWhereInstalled)
{
    if (!QFontDatabase::families().contains(QStringLiteral("IPAPGothic")))
        GTEST_SKIP() << "fonts-ipafont-gothic is not installed";
    EXPECT_EQ(QFontInfo(panel->Label5->font()).family(), QStringLiteral("IPAPGothic"));
    EXPECT_EQ(QFontMetrics(panel->Label5->font()).horizontalAdvance(panel->Label5->text()), 90);
    EXPECT_EQ(QFontInfo(forms::LayoutFont(QStringLiteral("ＭＳ ゴシック"), 13)).family(), QStringLiteral("IPAGothic"));
}

} // namespace
