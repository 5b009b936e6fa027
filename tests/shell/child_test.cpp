#include "Child1.h"
#include "Gmc1.h"
#include "ScriptedSeam.h"
#include "forms.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QScrollArea>
#include <QScrollBar>
#include <gtest/gtest.h>

namespace {

// A shown main window; errors go to a scripted seam.
class ChildTest : public testing::Test {
protected:
    SeamScope scope;
    TMainForm main;
    void SetUp() override { main.show(); }
    static void FinishCloses() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};

TEST_F(ChildTest, NewWindowHasTheLayoutDefaults)
{
    TChild *c = main.NewChild();
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(main.ActiveMDIChild(), c);
    EXPECT_EQ(main.MDIChildren(), QList<TChild *>{c});
    EXPECT_EQ(c->SubWindow()->size(), QSize(513, 449));
    EXPECT_TRUE(c->SubWindow()->isVisible());
    EXPECT_TRUE(c->Caption().isEmpty());
    EXPECT_EQ(c->Owner(), &main);

    const struct {
        QLineEdit *field;
        const char *name;
        const char *text;
    } fields[] = {{c->DemX, "DemX", "0"},        {c->DemY, "DemY", "0"},         {c->ColN, "ColN", "0"},
                  {c->ZomN, "ZomN", "0"},        {c->UndoFlg, "UndoFlg", "0"},   {c->Contrast, "Contrast", "1.0"},
                  {c->Average, "Average", " "},  {c->Minimum, "Minimum", ""},    {c->FilterI, "FilterI", ""},
                  {c->MAX, "MAX", ""},           {c->MIN, "MIN", ""}};
    for (const auto &f : fields) {
        EXPECT_EQ(f.field->objectName(), QLatin1String(f.name));
        EXPECT_EQ(f.field->text(), QString::fromLatin1(f.text)) << f.name;
        EXPECT_FALSE(f.field->isVisible()) << f.name;
    }
    EXPECT_TRUE(c->Image->isVisible());
    EXPECT_EQ(c->Image->mapTo(c, QPoint(0, 0)), QPoint(0, 0));
    EXPECT_FALSE(c->ImageZm->isVisible());
    EXPECT_FALSE(c->Image1->isVisible());
    // Its first activation read the default zoom "0".
    EXPECT_EQ(main.Edit1->text(), QStringLiteral("0.0%"));
    EXPECT_TRUE(scope.seam.errors().isEmpty());
}

TEST_F(ChildTest, ActivationWritesTheZoomInPercent)
{
    TChild *c = main.NewChild();
    const struct {
        const char *zoom;
        const char *box;
    } cases[] = {{"1.00", "100.0%"}, {"2", "200.0%"}, {"0.5", "50.0%"}, {"4", "400.0%"}, {"0", "0.0%"},
                 {"0.25", "25.0%"},  {" 8 ", "800.0%"}, {"-1", "-100.0%"}};
    for (const auto &k : cases) {
        c->ZomN->setText(QString::fromLatin1(k.zoom));
        c->FormActivate();
        EXPECT_EQ(main.Edit1->text(), QString::fromLatin1(k.box)) << k.zoom;
    }
}

TEST_F(ChildTest, ZoomThatIsNotANumberShowsTheErrorAndLeavesTheBox)
{
    TChild *a = main.NewChild();
    a->ZomN->setText(QStringLiteral("2"));
    a->FormActivate();
    const struct {
        const char *zoom;
        QString error;
    } cases[] = {{"", QStringLiteral("'' は浮動小数点数ではありません")},
                 {"abc", QStringLiteral("'abc' は浮動小数点数ではありません")},
                 {"1e308", QStringLiteral("浮動小数点数のオーバーフロー")}};
    for (const auto &k : cases) {
        scope.seam.boxes.clear();
        TChild *b = main.NewChild();
        b->ZomN->setText(QString::fromLatin1(k.zoom));
        // Activation through the main window, as a click into the window does.
        main.MdiArea->setActiveSubWindow(a->SubWindow());
        main.MdiArea->setActiveSubWindow(b->SubWindow());
        EXPECT_EQ(main.Edit1->text(), QStringLiteral("200.0%")) << k.zoom;
        EXPECT_EQ(scope.seam.errors(), QStringList{k.error}) << k.zoom;
        b->Close();
        FinishCloses();
    }
}

TEST_F(ChildTest, ClosingTheActiveWindowActivatesAnotherAndShowsItsZoom)
{
    TChild *a = main.NewChild();
    a->ZomN->setText(QStringLiteral("2"));
    TChild *b = main.NewChild();
    b->ZomN->setText(QStringLiteral("0.5"));
    b->FormActivate();
    ASSERT_EQ(main.ActiveMDIChild(), b);
    ASSERT_EQ(main.Edit1->text(), QStringLiteral("50.0%"));

    QPointer<TChild> gone = b;
    b->Close();
    FinishCloses();
    EXPECT_TRUE(gone.isNull()); // freed on close
    EXPECT_EQ(main.MDIChildren(), QList<TChild *>{a});
    EXPECT_EQ(main.ActiveMDIChild(), a);
    EXPECT_EQ(main.Edit1->text(), QStringLiteral("200.0%"));

    a->Close();
    FinishCloses();
    EXPECT_EQ(main.MDIChildCount(), 0);
    EXPECT_EQ(main.ActiveMDIChild(), nullptr);
    EXPECT_EQ(main.Edit1->text(), QStringLiteral("200.0%")); // the toolbar keeps its last text
}

TEST_F(ChildTest, ChildrenAreListedInCreationOrder)
{
    TChild *a = main.NewChild();
    TChild *b = main.NewChild();
    TChild *c = main.NewChild();
    main.MdiArea->setActiveSubWindow(a->SubWindow());
    EXPECT_EQ(main.ActiveMDIChild(), a);
    EXPECT_EQ(main.MDIChildren(), (QList<TChild *>{a, b, c}));
    EXPECT_EQ(main.MDIChildCount(), 3);
    b->Close();
    FinishCloses();
    EXPECT_EQ(main.MDIChildren(), (QList<TChild *>{a, c}));
}

TEST_F(ChildTest, ClientSizeCaptionAndScrollBars)
{
    TChild *c = main.NewChild();
    c->SetCaption(QStringLiteral("0.fit"));
    EXPECT_EQ(c->Caption(), QStringLiteral("0.fit"));
    EXPECT_EQ(c->SubWindow()->windowTitle(), QStringLiteral("0.fit"));

    c->SetAutoSize(false);
    c->Image->SetSize(1000, 1000);
    c->SetClientSize(main.ClientWidth() - 50, main.ClientHeight() - 100);
    EXPECT_EQ(c->ClientWidth(), main.ClientWidth() - 50);
    EXPECT_EQ(c->ClientHeight(), main.ClientHeight() - 100);
    auto *area = c->findChild<QScrollArea *>();
    ASSERT_NE(area, nullptr);
    QCoreApplication::processEvents();
    EXPECT_GT(area->horizontalScrollBar()->maximum(), 0);
    EXPECT_GT(area->verticalScrollBar()->maximum(), 0);

    c->Image->SetSize(100, 80);
    c->SetAutoSize(true);
    EXPECT_EQ(c->ClientWidth(), 100);
    EXPECT_EQ(c->ClientHeight(), 80);
    c->SetClientSize(-5, -5); // nonsense sizes are taken as empty
    EXPECT_GE(c->ClientWidth(), 0);
}

TEST_F(ChildTest, HandlersRunAfterAnErrorInAnotherWindow)
{
    TChild *bad = main.NewChild();
    bad->ZomN->setText(QStringLiteral("x"));
    TChild *good = main.NewChild();
    good->ZomN->setText(QStringLiteral("1.00"));
    main.MdiArea->setActiveSubWindow(bad->SubWindow());
    main.MdiArea->setActiveSubWindow(good->SubWindow());
    EXPECT_EQ(main.Edit1->text(), QStringLiteral("100.0%"));
    EXPECT_EQ(scope.seam.errors(), QStringList{QStringLiteral("'x' は浮動小数点数ではありません")});
}

} // namespace
