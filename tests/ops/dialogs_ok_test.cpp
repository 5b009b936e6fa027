// The parameter dialogs' OK buttons: what they store, in which order, and
// when they close or refuse.
#include "Blur1.h"
#include "Comacorrect1.h"
#include "Edge1.h"
#include "Gamma1.h"
#include "Gmcpanel1.h"
#include "Sabachie1.h"
#include "ScriptedSeam.h"

#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

// What one OK press did while the dialog was shown modally.
struct Outcome {
    bool closed = false;
    QStringList messages;
    QStringList errors;
};

// Shows the dialog through the scripted seam, types the texts into its
// fields and presses OK once.
Outcome pressOk(forms::TDialogForm &form, const std::map<QString, QString> &fields)
{
    SeamScope scope;
    scope.seam.onModal = [&](QDialog *d) {
        for (const auto &[name, text] : fields)
            d->findChild<QLineEdit *>(name)->setText(text);
        d->findChild<QPushButton *>(QStringLiteral("Button1"))->click();
    };
    Outcome o;
    o.closed = forms::ShowModal(&form) == forms::mrCancel;
    for (const ScriptedSeam::Box &b : scope.seam.boxes)
        if (b.kind == QStringLiteral("message"))
            o.messages << b.text;
    o.errors = scope.seam.errors();
    return o;
}

const QString kNotReal = QStringLiteral("'%1' は浮動小数点数ではありません");
const QString kNotInteger = QStringLiteral("'%1' は整数ではありません");

// Every program-wide value starts from a marker, so a value that was not
// stored shows.
class DialogOk : public testing::Test {
protected:
    void SetUp() override
    {
        EdgeStrength = -77;
        BlurAmount = -77;
        SmearDirection = -77;
        FlowAmount = -77;
        SmoothingThreshold = -77;
        GuideMissConfirmed = 0;
    }
};

TEST_F(DialogOk, GammaAcceptsOnlyPositiveExponents)
{
    struct Case {
        const char *text;
        bool closes;
        bool message;
        bool error;
    } const cases[] = {
        {"0.5", true, false, false}, {"1.0", true, false, false}, {"2", true, false, false},
        {"0", false, true, false},   {"-1", false, true, false},  {"x1", false, false, true},
        {"", false, false, true},
    };
    for (const Case &c : cases) {
        TGMM dialog;
        const QString text = QString::fromUtf8(c.text);
        const Outcome o = pressOk(dialog, {{QStringLiteral("Edit1"), text}});
        EXPECT_EQ(o.closed, c.closes) << c.text;
        EXPECT_EQ(o.messages, c.message ? QStringList{QStringLiteral("整数を入力してください")} : QStringList()) << c.text;
        EXPECT_EQ(o.errors, c.error ? QStringList{kNotReal.arg(text)} : QStringList()) << c.text;
        EXPECT_EQ(dialog.Edit1->text(), text) << "the field keeps what was typed";
    }
}

TEST_F(DialogOk, EdgeStoresBeforeItChecksTheRange)
{
    struct Case {
        const char *text;
        bool closes;
        double stored; // -77: not stored
        bool error;
    } const cases[] = {
        {"1.0", true, 1.0, false},  {"5.0", true, 5.0, false},  {"3", true, 3.0, false},
        {"0.99", false, 0.99, false}, {"5.01", false, 5.01, false}, {"6", false, 6.0, false},
        {"-2", false, -2.0, false}, {"abc", false, -77, true},
    };
    for (const Case &c : cases) {
        SetUp();
        TEDG dialog;
        const Outcome o = pressOk(dialog, {{QStringLiteral("Edit1"), QString::fromUtf8(c.text)}});
        EXPECT_EQ(o.closed, c.closes) << c.text;
        EXPECT_EQ(EdgeStrength, c.stored) << c.text;
        const bool refused = !c.closes && !c.error;
        EXPECT_EQ(o.messages, refused ? QStringList{QStringLiteral("1.0-5.0の数字を入力してください")} : QStringList())
            << c.text;
        EXPECT_EQ(o.errors.size(), c.error ? 1 : 0) << c.text;
    }
}

TEST_F(DialogOk, BlurStoresBeforeItChecksTheRange)
{
    struct Case {
        const char *text;
        bool closes;
        double stored;
        bool error;
    } const cases[] = {
        {"1.0", true, 1.0, false}, {"10", true, 10.0, false},  {"0.01", true, 0.01, false},
        {"0", false, 0.0, false},  {"10.5", false, 10.5, false}, {"-1", false, -1.0, false},
        {"1,5", false, -77, true},
    };
    for (const Case &c : cases) {
        SetUp();
        TBLUR dialog;
        const Outcome o = pressOk(dialog, {{QStringLiteral("Edit1"), QString::fromUtf8(c.text)}});
        EXPECT_EQ(o.closed, c.closes) << c.text;
        EXPECT_EQ(BlurAmount, c.stored) << c.text;
        const bool refused = !c.closes && !c.error;
        EXPECT_EQ(o.messages, refused ? QStringList{QStringLiteral("正の数字を入力してください")} : QStringList())
            << c.text;
        EXPECT_EQ(o.errors, c.error ? QStringList{kNotReal.arg(QString::fromUtf8(c.text))} : QStringList()) << c.text;
    }
}

TEST_F(DialogOk, CancellerDefaultsStoreAllFourAndConfirm)
{
    TGMCPanel dialog;
    const Outcome o = pressOk(dialog, {});
    EXPECT_TRUE(o.closed);
    EXPECT_TRUE(o.messages.isEmpty());
    EXPECT_TRUE(o.errors.isEmpty());
    EXPECT_EQ(SmearDirection, 0);
    EXPECT_EQ(FlowAmount, 1);
    EXPECT_EQ(BlurAmount, 0.2);
    EXPECT_EQ(SmoothingThreshold, 0);
    EXPECT_EQ(GuideMissConfirmed, 1);
}

TEST_F(DialogOk, CancellerRaisesSmallBlurAmountsToTheMinimum)
{
    struct Case {
        const char *typed;
        double stored;
        const char *shown;
    } const cases[] = {
        {"0.1", 0.2, "0.2"}, {"-3", 0.2, "0.2"}, {"0", 0.2, "0.2"}, {"0.2", 0.2, "0.2"},
        {"0.20", 0.2, "0.20"}, {"0.25", 0.25, "0.25"}, {"12", 12.0, "12"},
    };
    for (const Case &c : cases) {
        SetUp();
        TGMCPanel dialog;
        const Outcome o = pressOk(dialog, {{QStringLiteral("Edit3"), QString::fromUtf8(c.typed)}});
        EXPECT_TRUE(o.closed) << c.typed;
        EXPECT_EQ(BlurAmount, c.stored) << c.typed;
        EXPECT_EQ(dialog.Edit3->text(), QString::fromUtf8(c.shown)) << c.typed;
    }
}

TEST_F(DialogOk, CancellerConversionErrorKeepsTheEarlierFieldsOnly)
{
    struct Case {
        const char *name;
        std::map<QString, QString> fields;
        QString error;
        int direction, flow;
        double blur;
    } const cases[] = {
        {"direction", {{"Edit1", "4.5"}}, kNotInteger.arg("4.5"), -77, -77, -77},
        {"flow", {{"Edit1", "30"}, {"Edit2", "x"}}, kNotInteger.arg("x"), 30, -77, -77},
        {"blur", {{"Edit1", "30"}, {"Edit2", "2"}, {"Edit3", ""}}, kNotReal.arg(""), 30, 2, -77},
        {"threshold", {{"Edit1", "30"}, {"Edit2", "2"}, {"Edit3", "0.1"}, {"Edit4", "1e2"}}, kNotInteger.arg("1e2"),
         30, 2, 0.2},
    };
    for (const Case &c : cases) {
        SetUp();
        TGMCPanel dialog;
        const Outcome o = pressOk(dialog, c.fields);
        EXPECT_FALSE(o.closed) << c.name;
        EXPECT_EQ(o.errors, QStringList{c.error}) << c.name;
        EXPECT_EQ(SmearDirection, c.direction) << c.name;
        EXPECT_EQ(FlowAmount, c.flow) << c.name;
        EXPECT_EQ(BlurAmount, c.blur) << c.name;
        EXPECT_EQ(SmoothingThreshold, -77) << c.name;
        EXPECT_EQ(GuideMissConfirmed, 0) << c.name;
    }
}

TEST_F(DialogOk, CancellerConfirmationStaysAfterALaterFailedOk)
{
    TGMCPanel dialog;
    ASSERT_TRUE(pressOk(dialog, {{QStringLiteral("Edit2"), QStringLiteral("-1")}}).closed); // no range test
    EXPECT_EQ(FlowAmount, -1);
    EXPECT_FALSE(pressOk(dialog, {{QStringLiteral("Edit1"), QStringLiteral("?")}}).closed);
    EXPECT_EQ(GuideMissConfirmed, 1);
}

TEST_F(DialogOk, BlurAmountIsSharedByBothDialogs)
{
    TBLUR blur;
    TGMCPanel gmc;
    ASSERT_TRUE(pressOk(blur, {{QStringLiteral("Edit1"), QStringLiteral("3")}}).closed);
    EXPECT_EQ(BlurAmount, 3.0);
    ASSERT_TRUE(pressOk(gmc, {{QStringLiteral("Edit3"), QStringLiteral("0.7")}}).closed);
    EXPECT_EQ(BlurAmount, 0.7);
    EXPECT_FALSE(pressOk(blur, {{QStringLiteral("Edit1"), QStringLiteral("0")}}).closed);
    EXPECT_EQ(BlurAmount, 0.0) << "a refused entry stays in force";
}

TEST_F(DialogOk, StepAndComaDialogsCloseWithoutReadingTheirFields)
{
    TSabachie step;
    const Outcome s = pressOk(step, {{QStringLiteral("Edit1"), QStringLiteral("not a number")}});
    EXPECT_TRUE(s.closed);
    EXPECT_TRUE(s.errors.isEmpty());
    EXPECT_EQ(step.Edit1->text(), QStringLiteral("not a number"));

    TComaCorrect coma;
    const Outcome c = pressOk(coma, {{QStringLiteral("Edit1"), QStringLiteral("1.5")}});
    EXPECT_TRUE(c.closed);
    EXPECT_TRUE(c.errors.isEmpty());
    EXPECT_TRUE(c.messages.isEmpty());
    EXPECT_TRUE(coma.Edit3->text().isEmpty());
}

} // namespace
