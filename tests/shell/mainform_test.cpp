#include "Child1.h"
#include "Gmc1.h"
#include "ScriptedSeam.h"
#include "Startup.h"
#include "Title1.h"
#include "forms.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QScreen>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>
#include "WidgetText.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// A main window that records which handler each event reached.
class RecordingMainForm : public TMainForm {
public:
    QStringList calls;
#define RECORD(name) \
    void name() override { calls << QStringLiteral(#name); }
    RECORD(Open1Click)
    RECORD(Save1Click)
    RECORD(N1Click)
    RECORD(M1Click)
    RECORD(R1Click)
    RECORD(RGB2Click)
    RECORD(N2Click)
    RECORD(P1Click)
    RECORD(N4Click)
    RECORD(N6Click)
    RECORD(N7Click)
    RECORD(N8Click)
    RECORD(N9Click)
    RECORD(V1Click)
    RECORD(N10Click)
    RECORD(V2Click)
    RECORD(OpenButtonClick)
    RECORD(SaveButtonClick)
    RECORD(Button1Click)
    RECORD(Button2Click)
    RECORD(Button3Click)
    RECORD(Button4Click)
    RECORD(UpDown1Click)
    RECORD(UpDown2Click)
#undef RECORD
    void Exit1Click() override { calls << QStringLiteral("Exit1Click"); }
};

QAction *actionOf(TMainForm &f, const char *name)
{
    for (QAction *a : f.findChildren<QAction *>())
        if (a->objectName() == QLatin1String(name))
            return a;
    return nullptr;
}

struct MenuItem {
    const char *name;
    const char *parent; // "" for the menu bar
    const char *caption;
    bool visible;
    bool enabled;
    const char *handler; // "" for none
};

const MenuItem kMenu[] = {
    {"File1", "", "ファイル(&F)", true, true, ""},
    {"Open1", "File1", "開く(&O)", false, true, "Open1Click"},
    {"Save1", "File1", "保存(&S)", false, true, "Save1Click"},
    {"Exit1", "File1", "終了(&Q)", true, true, "Exit1Click"},
    {"E1", "", "画像編集(&E)", false, false, ""},
    {"N1", "E1", "ネガ反転(&N)", true, true, "N1Click"},
    {"M1", "E1", "ミラー反転(&M)", true, true, "M1Click"},
    {"R1", "E1", "上下反転(&R)", true, true, "R1Click"},
    {"N3", "E1", "リサンプリング", true, true, ""},
    {"RGB1", "E1", "RGB合成", true, true, ""},
    {"RGB2", "E1", "RGB分解", true, true, "RGB2Click"},
    {"P2", "", "画像処理(&P)", false, false, ""},
    {"N2", "P2", "エッジ強調", true, true, "N2Click"},
    {"P1", "P2", "ガイドミスキャンセラ(&G)", true, true, "P1Click"},
    {"N4", "P2", "ぼかし", true, true, "N4Click"},
    {"N5", "P2", "ブルーミング除去", true, true, ""},
    {"N6", "P2", "ガンマ", true, true, "N6Click"},
    {"N7", "P2", "ソラリゼーション", true, true, "N7Click"},
    {"N8", "P2", "サバチエ効果", true, true, "N8Click"},
    {"N9", "P2", "コマコレクト処理", true, true, "N9Click"},
    {"V1", "", "バージョン(&V)", false, false, "V1Click"},
    {"N10", "", "計測開始", true, true, "N10Click"},
    {"V2", "", "バージョン(&V)", true, true, "V2Click"},
};

TEST(MainMenu, ItemsInOrderWithCaptionsAndShippedStates)
{
    RecordingMainForm f;
    QStringList order;
    std::function<void(QWidget *)> walk = [&](QWidget *menu) {
        for (QAction *a : menu->actions()) {
            order << a->objectName();
            if (a->menu())
                walk(a->menu());
        }
    };
    walk(f.MainMenu1);
    QStringList expected;
    for (const MenuItem &m : kMenu)
        expected << QString::fromLatin1(m.name);
    EXPECT_EQ(order, expected);

    for (const MenuItem &m : kMenu) {
        QAction *a = actionOf(f, m.name);
        ASSERT_NE(a, nullptr) << m.name;
        EXPECT_EQ(a->text(), QString::fromUtf8(m.caption)) << m.name;
        EXPECT_EQ(a->isVisible(), m.visible) << m.name;
        // A hidden action also reports itself disabled: the stored enabled
        // state shows once it is made visible.
        a->setVisible(true);
        EXPECT_EQ(a->isEnabled(), m.enabled) << m.name;
        QWidget *owner = *m.parent ? static_cast<QWidget *>(f.findChild<QMenu *>(QLatin1String(m.parent)))
                                   : static_cast<QWidget *>(f.MainMenu1);
        ASSERT_NE(owner, nullptr) << m.name;
        EXPECT_TRUE(owner->actions().contains(a)) << m.name << " under " << m.parent;
    }
}

// Each item reaches its own handler and no other; items without a handler do nothing.
TEST(MainMenu, EachItemIsBoundToItsHandler)
{
    RecordingMainForm f;
    for (const MenuItem &m : kMenu) {
        QAction *a = actionOf(f, m.name);
        ASSERT_NE(a, nullptr);
        if (a->menu())
            continue;
        f.calls.clear();
        a->setEnabled(true); // the shipped states do not change the binding
        a->trigger();
        const QStringList expected = *m.handler ? QStringList{QString::fromLatin1(m.handler)} : QStringList{};
        EXPECT_EQ(f.calls, expected) << m.name;
    }
}

TEST(MainMenu, OnlyExitBenchmarkAndVersionAreReachable)
{
    TMainForm f;
    QStringList bar, file;
    for (QAction *a : f.MainMenu1->actions())
        if (a->isVisible() && a->isEnabled())
            bar << a->text();
    for (QAction *a : f.File1->actions())
        if (a->isVisible() && a->isEnabled())
            file << a->text();
    EXPECT_EQ(bar, (QStringList{QStringLiteral("ファイル(&F)"), QStringLiteral("計測開始"), QStringLiteral("バージョン(&V)")}));
    EXPECT_EQ(file, QStringList{QStringLiteral("終了(&Q)")});
}

TEST(MainMenu, BenchmarkAndVersionRunTheirHooksThroughTheGuard)
{
    SeamScope scope;
    TMainForm f;
    f.N10->trigger(); // unset hooks: nothing happens
    f.V2->trigger();
    int bench = 0, version = 0;
    f.BenchmarkCommand = [&] {
        ++bench;
        if (bench == 1)
            throw forms::EZeroDivide();
    };
    f.VersionCommand = [&] { ++version; };
    f.N10->trigger();
    f.N10->trigger(); // the program went on after the error
    f.V2->trigger();
    EXPECT_EQ(bench, 2);
    EXPECT_EQ(version, 1);
    EXPECT_EQ(scope.seam.errors(), QStringList{QStringLiteral("0 による浮動小数点数除算")});
}

TEST(MainMenu, ExitClosesTheMainWindow)
{
    TMainForm f;
    f.show();
    ASSERT_TRUE(f.isVisible());
    f.Exit1->trigger();
    EXPECT_FALSE(f.isVisible());
}

TEST(TitleWindow, ShownByTheTitleCommandHiddenByAClickAndShownAgain)
{
    CreateAllForms();
    TTitle *title = Title;
    ASSERT_NE(title, nullptr);
    EXPECT_FALSE(title->isVisible());
    EXPECT_EQ(title->windowTitle(), QStringLiteral("Title"));
    EXPECT_EQ(title->size(), QSize(758, 532));
    EXPECT_EQ(title->Image1->geometry(), QRect(0, 0, 750, 498));
    EXPECT_TRUE(title->isWindow());
    MainForm->V1Click();
    EXPECT_TRUE(title->isVisible());
    emit title->Image1->Click();
    EXPECT_FALSE(title->isVisible());
    MainForm->V1Click();
    EXPECT_EQ(Title, title);
    EXPECT_TRUE(title->isVisible());
    DestroyAllForms();
}

struct Control {
    const char *name;
    const char *kind;
    QRect geometry; // width/height 0: sized to its caption
    const char *text;
    bool enabled;
};

const Control kToolbar[] = {
    {"OpenButton", "QToolButton", {7, 5, 23, 23}, "", false},
    {"SaveButton", "QToolButton", {30, 5, 24, 23}, "", false},
    {"Button1", "QPushButton", {72, 5, 24, 23}, "+", false},
    {"Button2", "QPushButton", {96, 5, 24, 23}, "-", false},
    {"Edit1", "QLineEdit", {120, 5, 57, 21}, "", true},
    {"Button3", "QPushButton", {192, 0, 25, 17}, "H", false},
    {"Button4", "QPushButton", {192, 16, 25, 17}, "L", false},
    {"Label5", "QLabel", {224, 8, 0, 0}, "Max.=", true},
    {"Edit2", "QLineEdit", {256, 8, 57, 21}, "0", false},
    {"UpDown1", "forms::TUpDown", {312, 0, 17, 33}, "", false},
    {"Label6", "QLabel", {336, 8, 0, 0}, "Min.=", true},
    {"Edit3", "QLineEdit", {368, 8, 57, 21}, "0", false},
    {"UpDown2", "forms::TUpDown", {424, 0, 17, 33}, "", false},
    {"Label4", "QLabel", {456, 8, 0, 0}, "FWHM = ", true},
    {"Label1", "QLabel", {512, 8, 0, 0}, "ピクセル情報", true},
    {"Label2", "QLabel", {608, 8, 0, 0}, "R = , G = , B = ", true},
    {"Label3", "QLabel", {760, 16, 0, 0}, "Max. =      ,  Min. = ", true},
};

TEST(Toolbar, ControlsAtTheirPlacesAllHidden)
{
    TMainForm f;
    f.show();
    for (const Control &c : kToolbar) {
        QWidget *w = f.SpeedBar->findChild<QWidget *>(QLatin1String(c.name));
        ASSERT_NE(w, nullptr) << c.name;
        EXPECT_STREQ(w->metaObject()->className(), c.kind) << c.name;
        EXPECT_EQ(w->parentWidget(), f.SpeedBar) << c.name;
        if (c.geometry.width() > 0)
            EXPECT_EQ(w->geometry(), c.geometry) << c.name;
        else
            EXPECT_EQ(w->pos(), c.geometry.topLeft()) << c.name;
        EXPECT_EQ(textOf(w), QString::fromUtf8(c.text)) << c.name;
        EXPECT_TRUE(w->isHidden()) << c.name;
        EXPECT_EQ(w->isEnabled(), c.enabled) << c.name;
    }
    EXPECT_EQ(f.SpeedBar->height(), 33);
    EXPECT_EQ(f.SpeedBar->geometry().topLeft(), QPoint(0, 0));
    EXPECT_FALSE(f.Bevel1->isHidden());
    EXPECT_EQ(f.Bevel1->geometry(), QRect(0, 0, f.SpeedBar->width(), 2));
    f.resize(700, 500);
    f.ClientWidth();
    EXPECT_EQ(f.Bevel1->width(), f.SpeedBar->width());
}

TEST(Toolbar, TipsFontsAndUpDownRanges)
{
    TMainForm f;
    EXPECT_EQ(f.OpenButton->toolTip(), QStringLiteral("Open"));
    EXPECT_EQ(f.SaveButton->toolTip(), QStringLiteral("Save"));
    EXPECT_EQ(f.OpenButton->property("Hint").toString(), QStringLiteral("Open|"));
    for (QPushButton *b : {f.Button1, f.Button2}) {
        EXPECT_TRUE(b->font().bold());
        EXPECT_EQ(b->font().pixelSize(), 16);
    }
    EXPECT_EQ(f.Label1->font().pixelSize(), 13);
    const struct {
        forms::TUpDown *u;
        int min, max;
    } ranges[] = {{f.UpDown1, 0, 32767}, {f.UpDown2, -32767, 32767}};
    for (const auto &r : ranges) {
        EXPECT_EQ(r.u->Min(), r.min);
        EXPECT_EQ(r.u->Max(), r.max);
        EXPECT_EQ(r.u->Increment(), 10);
        EXPECT_EQ(r.u->Position(), 0);
        EXPECT_FALSE(r.u->Wrap());
    }
}

TEST(Toolbar, ControlsReachTheirHandlers)
{
    RecordingMainForm f;
    f.show();
    const struct {
        std::function<void()> click;
        const char *handler;
    } cases[] = {
        {[&] { f.OpenButton->setEnabled(true), f.OpenButton->click(); }, "OpenButtonClick"},
        {[&] { f.SaveButton->setEnabled(true), f.SaveButton->click(); }, "SaveButtonClick"},
        {[&] { f.Button1->setEnabled(true), f.Button1->click(); }, "Button1Click"},
        {[&] { f.Button2->setEnabled(true), f.Button2->click(); }, "Button2Click"},
        {[&] { f.Button3->setEnabled(true), f.Button3->click(); }, "Button3Click"},
        {[&] { f.Button4->setEnabled(true), f.Button4->click(); }, "Button4Click"},
        {[&] { f.UpDown1->Step(forms::UDBtnType::btNext); }, "UpDown1Click"},
        {[&] { f.UpDown2->Step(forms::UDBtnType::btPrev); }, "UpDown2Click"},
    };
    for (const auto &c : cases) {
        f.calls.clear();
        c.click();
        EXPECT_EQ(f.calls, QStringList{QString::fromLatin1(c.handler)});
    }
}

TEST(Dialogs, OpenAndSaveDialogsAsStored)
{
    TMainForm f;
    EXPECT_EQ(f.OpenDialog->Title, QStringLiteral("Open an Image for Viewing"));
    EXPECT_EQ(f.OpenDialog->Filter,
              QStringLiteral("ビットマップ(*.bmp)|*.bmp|フィッツ(*.fit,*.fts,*.fits)|*.fts;*.fit;*.fits|ポータブル(*.ppm)|*.ppm"));
    EXPECT_EQ(f.OpenDialog->FilterIndex, 1);
    EXPECT_EQ(f.OpenDialog->kind(), forms::TFileDialog::Open);
    EXPECT_EQ(f.SaveDialog->Title, QStringLiteral("Save an Image"));
    EXPECT_EQ(f.SaveDialog->Filter, QStringLiteral("ビットマップ(*.bmp)|*.bmp|フィッツ(*.fts,*.fit,*.fits)|*.fts;*.fit;*.fits"));
    EXPECT_EQ(f.SaveDialog->FilterIndex, 1);
    EXPECT_EQ(f.SaveDialog->kind(), forms::TFileDialog::Save);
}

TEST(Placement, CentredByIntegerHalves)
{
    EXPECT_EQ(TMainForm::placement(QSize(1024, 768)), QPoint(62, 34));
    EXPECT_EQ(TMainForm::placement(QSize(800, 600)), QPoint(-50, -50));
    EXPECT_EQ(TMainForm::placement(QSize(1280, 1024)), QPoint(190, 162));
    EXPECT_EQ(TMainForm::placement(QSize(901, 701)), QPoint(0, 0));
}

TEST(MainWindow, CaptionSizeAndPlaceOnThisScreen)
{
    TMainForm f;
    EXPECT_EQ(f.windowTitle(), QStringLiteral("TELVANE"));
    EXPECT_EQ(f.size(), QSize(900, 700));
    EXPECT_EQ(f.pos(), TMainForm::placement(QGuiApplication::primaryScreen()->size()));
    EXPECT_FALSE(f.windowIcon().isNull());
    EXPECT_EQ(f.MdiArea->background().color(), QColor(128, 128, 128));
    f.show();
    EXPECT_EQ(f.ClientWidth(), 900);
    EXPECT_EQ(f.ClientHeight(), 700 - f.MainMenu1->height());
}

TEST(Startup, WindowsAreCreatedInOrderAndHidden)
{
    CreateAllForms();
    EXPECT_EQ(CreationOrder(), (QStringList{"MainForm", "AboutBox", "GMCPanel", "GMM", "EDG", "BLUR", "ComaCorrect",
                                            "Title", "Sabachie", "panel"}));
    ASSERT_NE(MainForm, nullptr);
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (CreationOrder().contains(w->objectName())) {
            EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
        }
    }
    CreateAllForms(); // again: replaces, does not pile up
    EXPECT_EQ(CreationOrder().size(), 10);
    DestroyAllForms();
    EXPECT_EQ(MainForm, nullptr);
    EXPECT_EQ(Title, nullptr);
}

} // namespace
