#include "Convert.h"
#include "Errors.h"
#include "ScriptedSeam.h"

#include <QAction>
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <functional>

using namespace forms;

namespace {

// Every kind of error a handler can raise reaches the standard error box
// with its text under the application's title, and the next handler runs.
TEST(ErrorBox, EachErrorKindShowsItsTextUnderTheTitle)
{
    const struct {
        const char *name;
        std::function<void()> raise;
        QString text;
    } cases[] = {
        {"integer", [] { StrToInt(QStringLiteral("x1")); }, QStringLiteral("'x1' は整数ではありません")},
        {"real", [] { StrToFloat(QString()); }, QStringLiteral("'' は浮動小数点数ではありません")},
        {"zero_divide", [] { Divide(1.0, 0.0); }, QStringLiteral("0 による浮動小数点数除算")},
        {"invalid_op", [] { Divide(0.0, 0.0); }, QStringLiteral("不正な浮動小数点数演算命令")},
        {"overflow", [] { CheckFloat(DBL_MAX * 10.0); }, QStringLiteral("浮動小数点数のオーバーフロー")},
        {"pixel_layer_zero_divide", [] { throw FloatingPointError(FloatingPointError::Kind::ZeroDivide); },
         QStringLiteral("0 による浮動小数点数除算")},
        {"any_std_exception", [] { throw std::runtime_error("読めません"); }, QStringLiteral("読めません")},
    };
    for (const auto &c : cases) {
        SeamScope scope;
        bool nextRan = false;
        Guarded(c.raise);
        Guarded([&] { nextRan = true; });
        ASSERT_EQ(scope.seam.boxes.size(), 1) << c.name;
        EXPECT_EQ(scope.seam.boxes[0].kind, QStringLiteral("error")) << c.name;
        EXPECT_EQ(scope.seam.boxes[0].caption, QStringLiteral("TELVANE")) << c.name;
        EXPECT_EQ(scope.seam.boxes[0].text, c.text) << c.name;
        EXPECT_TRUE(nextRan) << c.name;
    }
}

TEST(ErrorBox, ErrorsDeriveFromTheLibraryException)
{
    EXPECT_THROW(StrToInt(QStringLiteral("?")), Exception);
    EXPECT_THROW(Divide(1.0, 0.0), EZeroDivide);
    EXPECT_THROW(Divide(-1.0, -0.0), EZeroDivide);
    EXPECT_THROW(Divide(0.0, 0.0), EInvalidOp);
    EXPECT_THROW(Divide(HUGE_VAL, HUGE_VAL), EInvalidOp);
    EXPECT_THROW(Divide(DBL_MAX, 1e-300), EOverflow);
    EXPECT_THROW(CheckFloat(std::sqrt(-1.0)), EInvalidOp);
}

// The form library's floating-point errors and the pixel layer's are one
// family: the same kind carries the same text.
TEST(ErrorBox, FloatingPointErrorsShareTheirTextsWithThePixelLayer)
{
    using Kind = FloatingPointError::Kind;
    const struct {
        Kind kind;
        std::function<void()> raise;
    } cases[] = {
        {Kind::ZeroDivide, [] { throw EZeroDivide(); }},
        {Kind::InvalidOp, [] { throw EInvalidOp(); }},
        {Kind::Overflow, [] { throw EOverflow(); }},
    };
    for (const auto &c : cases) {
        try {
            c.raise();
            ADD_FAILURE() << "nothing raised";
        } catch (const EMathError &e) {
            EXPECT_EQ(e.kind(), c.kind);
            EXPECT_STREQ(e.what(), FloatingPointError(c.kind).what());
        }
    }
}

TEST(ErrorBox, CheckedArithmeticPassesOrdinaryValues)
{
    EXPECT_EQ(Divide(5000.0, 100.0785506039), 5000.0 / 100.0785506039);
    EXPECT_EQ(Divide(-1.0, 4.0), -0.25);
    EXPECT_EQ(CheckFloat(0.0), 0.0);
    EXPECT_EQ(CheckFloat(-DBL_MAX), -DBL_MAX);
}

TEST(ErrorBox, ConfirmationAndMessagesGoThroughTheSeam)
{
    SeamScope scope;
    scope.seam.answer = mrNo;
    EXPECT_EQ(MessageDlgYesNo(QStringLiteral("計測を開始します。"), QStringLiteral("確認")), mrNo);
    scope.seam.answer = mrYes;
    EXPECT_EQ(MessageDlgYesNo(QStringLiteral("計測を開始します。"), QStringLiteral("確認")), mrYes);
    ShowMessage(QStringLiteral("整数を入力してください"));
    ASSERT_EQ(scope.seam.boxes.size(), 3);
    EXPECT_EQ(scope.seam.boxes[0].kind, QStringLiteral("confirm"));
    EXPECT_EQ(scope.seam.boxes[0].caption, QStringLiteral("確認"));
    EXPECT_EQ(scope.seam.boxes[2].text, QStringLiteral("整数を入力してください"));
}

TEST(ErrorBox, AModalFormClosedByItsHandlerReportsCancel)
{
    SeamScope scope;
    QDialog form;
    scope.seam.onModal = [](QDialog *d) { CloseForm(d); };
    EXPECT_EQ(ShowModal(&form), mrCancel);
    scope.seam.onModal = nullptr; // left open: nothing closed it
    EXPECT_EQ(ShowModal(&form), mrNone);
}

} // namespace

namespace {

TEST(ErrorBox, BoundSignalsRunTheirHandlersThroughTheGuard)
{
    SeamScope scope;
    QAction action(QStringLiteral("計測開始"));
    QObject context;
    int runs = 0;
    forms::Bind(&action, &QAction::triggered, &context, [&] {
        if (++runs == 1)
            forms::StrToInt(QStringLiteral("1.5"));
    });
    action.trigger();
    action.trigger();
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(scope.seam.errors(), QStringList{QStringLiteral("'1.5' は整数ではありません")});
}

} // namespace
