#include "Blur1.h"
#include "Comacorrect1.h"
#include "Edge1.h"
#include "Gamma1.h"
#include "Gmcpanel1.h"
#include "Sabachie1.h"
#include "ScriptedSeam.h"
#include "forms.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include "WidgetText.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

struct Ctl {
    const char *name;
    const char *parent;
    QPoint pos;
    QSize size; // empty: sized to its caption
    const char *text;
};

struct DialogLayout {
    const char *name;
    std::function<forms::TDialogForm *()> make;
    const char *caption;
    QPoint position;
    QSize client;
    std::vector<Ctl> controls;
    QStringList tabOrder;
};

const std::vector<DialogLayout> &layouts()
{
    static const std::vector<DialogLayout> all = {
        {"GMM", [] { return new TGMM; }, "GMM", {111, 180}, {137, 113},
         {{"Panel1", "GMM", {0, 0}, {137, 113}, ""},
          {"Label1", "Panel1", {16, 32}, {}, "γ="},
          {"Edit1", "Panel1", {48, 24}, {57, 20}, "1.0"},
          {"Button1", "Panel1", {48, 64}, {49, 25}, "OK"}},
         {"Edit1", "Button1"}},
        {"Sabachie", [] { return new TSabachie; }, "Sabachie", {470, 199}, {169, 153},
         {{"Sabachie", "Sabachie", {0, 0}, {169, 153}, ""},
          {"Label1", "Sabachie", {16, 40}, {}, "ステップ幅"},
          {"Edit1", "Sabachie", {88, 32}, {41, 20}, "255"},
          {"Button1", "Sabachie", {48, 96}, {73, 25}, "OK"}},
         {"Edit1", "Button1"}},
        {"EDG", [] { return new TEDG; }, "EDG", {459, 149}, {129, 105},
         {{"Panel1", "EDG", {0, 0}, {129, 105}, ""},
          {"Label1", "Panel1", {8, 24}, {}, "強さ(1-5)"},
          {"Edit1", "Panel1", {64, 16}, {49, 20}, "1.0"},
          {"Button1", "Panel1", {32, 64}, {65, 25}, "OK"}},
         {"Button1", "Edit1"}},
        {"BLUR", [] { return new TBLUR; }, "BLUR", {359, 149}, {129, 129},
         {{"Panel1", "BLUR", {0, 0}, {129, 129}, ""},
          {"Label1", "Panel1", {16, 48}, {}, "ボケ量"},
          {"Edit1", "Panel1", {64, 40}, {33, 20}, "1.0"},
          {"Button1", "Panel1", {48, 80}, {41, 25}, "OK"}},
         {"Edit1", "Button1"}},
        {"GMCPanel", [] { return new TGMCPanel; }, "GMCPanel", {440, 180}, {161, 209},
         {{"GroupBox1", "GMCPanel", {0, 0}, {161, 81}, "GMC"},
          {"Label1", "GroupBox1", {9, 25}, {}, "流れ量"},
          {"Edit2", "GroupBox1", {49, 17}, {49, 20}, "1"},
          {"Label3", "GroupBox1", {105, 25}, {}, "ピクセル"},
          {"Label2", "GroupBox1", {17, 49}, {}, "向き"},
          {"Edit1", "GroupBox1", {49, 41}, {49, 20}, "0"},
          {"Label4", "GroupBox1", {105, 49}, {}, "度"},
          {"GroupBox2", "GMCPanel", {0, 88}, {161, 89}, "Blur"},
          {"Label8", "GroupBox2", {9, 25}, {}, "ぼけ量"},
          {"Edit3", "GroupBox2", {49, 17}, {49, 20}, "0.2"},
          {"Label5", "GroupBox2", {105, 25}, {}, "ピクセル"},
          {"Label6", "GroupBox2", {17, 49}, {}, "閾値"},
          {"Edit4", "GroupBox2", {49, 41}, {49, 20}, "0"},
          {"Button1", "GMCPanel", {56, 184}, {57, 25}, "OK"}},
         {"Button1", "Edit2", "Edit1", "Edit3", "Edit4"}},
        {"ComaCorrect", [] { return new TComaCorrect; }, "ComaCorrect", {261, 122}, {209, 185},
         {{"Panel1", "ComaCorrect", {0, 0}, {209, 185}, ""},
          {"Label1", "Panel1", {72, 8}, {}, "光軸座標"},
          {"Label2", "Panel1", {16, 32}, {}, "X = "},
          {"Edit1", "Panel1", {40, 32}, {41, 20}, ""},
          {"Label3", "Panel1", {104, 32}, {}, "Y = "},
          {"Edit2", "Panel1", {128, 32}, {41, 20}, ""},
          {"Label4", "Panel1", {88, 72}, {}, "コマ量"},
          {"Edit3", "Panel1", {80, 96}, {49, 20}, ""},
          {"Button1", "Panel1", {72, 152}, {65, 25}, "OK"}},
         {"Edit1", "Edit2", "Edit3", "Button1"}},
    };
    return all;
}

class DialogLayoutTest : public testing::TestWithParam<DialogLayout> {};

TEST_P(DialogLayoutTest, StoredLayout)
{
    const DialogLayout &d = GetParam();
    std::unique_ptr<forms::TDialogForm> form(d.make());
    EXPECT_EQ(form->objectName(), QLatin1String(d.name));
    EXPECT_EQ(form->windowTitle(), QString::fromUtf8(d.caption));
    EXPECT_EQ(form->pos(), d.position);
    EXPECT_EQ(form->size(), d.client);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->font().pixelSize(), 12);
    EXPECT_TRUE(form->font().families().contains(QStringLiteral("Noto Sans CJK JP")));
    for (const Ctl &c : d.controls) {
        QWidget *w = form->findChild<QWidget *>(QLatin1String(c.name));
        if (QLatin1String(c.name) == QLatin1String(d.name)) // the step dialog's panel shares its name
            w = form->findChildren<QWidget *>(QLatin1String(c.name)).value(0);
        ASSERT_NE(w, nullptr) << c.name;
        EXPECT_EQ(w->parentWidget()->objectName(), QLatin1String(c.parent)) << c.name;
        EXPECT_EQ(w->pos(), c.pos) << c.name;
        if (!c.size.isEmpty()) {
            EXPECT_EQ(w->size(), c.size) << c.name;
        }
        EXPECT_EQ(textOf(w), QString::fromUtf8(c.text)) << c.name;
    }
    QStringList order;
    for (QWidget *w : forms::TabOrder(form.get()))
        if (!qobject_cast<QGroupBox *>(w))
            order << w->objectName();
    EXPECT_EQ(order, d.tabOrder);
}

// An accepted value closes a modal showing, and the command reading the
// field finds it as typed.
TEST_P(DialogLayoutTest, OkClosesAModalShowingAndKeepsTheFields)
{
    SeamScope scope;
    std::unique_ptr<forms::TDialogForm> form(GetParam().make());
    auto *edit = form->findChild<QLineEdit *>(QStringLiteral("Edit1"));
    ASSERT_NE(edit, nullptr);
    scope.seam.onModal = [](QDialog *d) {
        d->findChild<QLineEdit *>(QStringLiteral("Edit1"))->setText(QStringLiteral("3"));
        d->findChild<QPushButton *>(QStringLiteral("Button1"))->click();
    };
    EXPECT_EQ(forms::ShowModal(form.get()), forms::mrCancel);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(edit->text(), QStringLiteral("3"));
}

INSTANTIATE_TEST_SUITE_P(Dialogs, DialogLayoutTest, testing::ValuesIn(layouts()),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
