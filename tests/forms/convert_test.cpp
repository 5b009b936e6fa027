#include "Convert.h"
#include "Errors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>

using namespace forms;

namespace {

struct IntCase {
    const char *name;
    QString text;
    int value;
};

const IntCase kInts[] = {
    {"plain", QStringLiteral("42"), 42},
    {"zero", QStringLiteral("0"), 0},
    {"negative", QStringLiteral("-17"), -17},
    {"plus_sign", QStringLiteral("+5"), 5},
    {"leading_zeros", QStringLiteral("007"), 7},
    {"blanks_around", QStringLiteral("  12 "), 12},
    {"max", QStringLiteral("2147483647"), 2147483647},
    {"min", QStringLiteral("-2147483648"), std::numeric_limits<int>::min()},
    {"dollar_hex", QStringLiteral("$FF"), 255},
    {"c_hex", QStringLiteral("0x1a"), 26},
    {"hex_wraps_to_32_bits", QStringLiteral("$FFFFFFFF"), -1},
};

class StrToIntTest : public testing::TestWithParam<IntCase> {};

TEST_P(StrToIntTest, Parses)
{
    EXPECT_EQ(StrToInt(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Texts, StrToIntTest, testing::ValuesIn(kInts),
                         [](const auto &info) { return std::string(info.param.name); });

const char *const kNotInts[] = {"", " ", "abc", "1.5", "12a", "1e3", "--1", "+", "2147483648", "-2147483649",
                                "99999999999999999999", "$", "$123456789", "1 2", "０"};

TEST(StrToInt, RejectsWithTheTextInTheMessage)
{
    for (const char *t : kNotInts) {
        const QString text = QString::fromUtf8(t);
        try {
            StrToInt(text);
            ADD_FAILURE() << "accepted '" << t << "'";
        } catch (const EConvertError &e) {
            EXPECT_EQ(e.Message(), QStringLiteral("'%1' は整数ではありません").arg(text)) << t;
        }
    }
}

struct RealCase {
    const char *name;
    QString text;
    double value;
};

const RealCase kReals[] = {
    {"integer", QStringLiteral("2"), 2.0},
    {"decimal", QStringLiteral("1.0"), 1.0},
    {"fraction", QStringLiteral("0.5"), 0.5},
    {"no_leading_digit", QStringLiteral(".25"), 0.25},
    {"no_trailing_digit", QStringLiteral("3."), 3.0},
    {"negative", QStringLiteral("-1.5"), -1.5},
    {"exponent", QStringLiteral("1.5E3"), 1500.0},
    {"negative_exponent", QStringLiteral("25e-2"), 0.25},
    {"blanks_around", QStringLiteral(" 4.5  "), 4.5},
    {"zero_two_decimals", QStringLiteral("1.00"), 1.0},
    {"many_digits", QStringLiteral("33856.0785506039"), 33856.0785506039},
};

class StrToFloatTest : public testing::TestWithParam<RealCase> {};

TEST_P(StrToFloatTest, Parses)
{
    EXPECT_EQ(StrToFloat(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Texts, StrToFloatTest, testing::ValuesIn(kReals),
                         [](const auto &info) { return std::string(info.param.name); });

const char *const kNotReals[] = {"", " ", "abc", "1,5", "1.2.3", "e5", "1e", "1e+", "--1", "nan", "inf",
                                 "1e400", "0x10", "100%", ".", "１"};

TEST(StrToFloat, RejectsWithTheTextInTheMessage)
{
    for (const char *t : kNotReals) {
        const QString text = QString::fromUtf8(t);
        try {
            StrToFloat(text);
            ADD_FAILURE() << "accepted '" << t << "'";
        } catch (const EConvertError &e) {
            EXPECT_EQ(e.Message(), QStringLiteral("'%1' は浮動小数点数ではありません").arg(text)) << t;
        }
    }
}

struct FormatCase {
    const char *name;
    double value;
    const char *text;
};

const FormatCase kGeneral[] = {
    {"frame_mean", 33856.0785506039, "33856.0785506039"},
    {"short_fraction", 2.345, "2.345"},
    {"half", 1.5, "1.5"},
    {"integer", 3.0, "3"},
    {"rounding_noise", 0.1 + 0.2, "0.3"},
    {"one_point_one", 1.1, "1.1"},
    {"zero", 0.0, "0"},
    {"negative_zero", -0.0, "0"},
    {"negative", -2.5, "-2.5"},
    {"negative_integer", -1000.0, "-1000"},
    {"millisecond_sum", 0.001 * 1234, "1.234"},
    {"fifteen_digits", 123456789012345.0, "123456789012345"},
    {"sixteen_digits_exponent", 1e15, "1E15"},
    {"large", 1e20, "1E20"},
    {"large_mantissa", 1.5e20, "1.5E20"},
    {"small_fixed", 0.0001, "0.0001"},
    {"small_exponent", 1e-5, "1E-5"},
    {"negative_small", -2.5e-7, "-2.5E-7"},
    {"third", 1.0 / 3.0, "0.333333333333333"},
    {"rounds_to_fifteen", 2.0 / 3.0, "0.666666666666667"},
};

class FloatToStrTest : public testing::TestWithParam<FormatCase> {};

TEST_P(FloatToStrTest, GeneralForm)
{
    EXPECT_EQ(FloatToStr(GetParam().value), QString::fromLatin1(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(Values, FloatToStrTest, testing::ValuesIn(kGeneral),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(FloatToStr, NonFiniteValuesHaveTexts)
{
    EXPECT_EQ(FloatToStr(std::nan("")), QStringLiteral("NAN"));
    EXPECT_EQ(FloatToStr(HUGE_VAL), QStringLiteral("INF"));
    EXPECT_EQ(FloatToStr(-HUGE_VAL), QStringLiteral("-INF"));
}

TEST(FloatToStr, TextParsesBackToFifteenDigits)
{
    for (double v : {33856.0785506039, 33856.1277467722, 0.001, 123.456, 9.87654321e-3})
        EXPECT_EQ(StrToFloat(FloatToStr(v)), v);
}

struct PatternCase {
    const char *name;
    const char *pattern;
    double value;
    const char *text;
};

const PatternCase kPatterns[] = {
    {"zoom_one", "0.00", 1.0, "1.00"},
    {"two", "0.00", 2.0, "2.00"},
    {"half", "0.00", 0.5, "0.50"},
    {"rounds_half_up", "0.00", 0.125, "0.13"},
    {"rounds_down", "0.00", 1.004, "1.00"},
    {"carries", "0.00", 9.999, "10.00"},
    {"negative", "0.00", -1.5, "-1.50"},
    {"negative_rounds_to_zero", "0.00", -0.001, "0.00"},
    {"zero", "0.00", 0.0, "0.00"},
    {"large", "0.00", 12345.678, "12345.68"},
    {"optional_digits", "0.##", 1.5, "1.5"},
    {"integer_pattern", "0", 2.5, "3"},
    {"leading_zeros", "000", 7.0, "007"},
    {"suffix", "0.0%", 12.34, "12.3%"},
};

class FormatFloatTest : public testing::TestWithParam<PatternCase> {};

TEST_P(FormatFloatTest, Formats)
{
    EXPECT_EQ(FormatFloat(QString::fromLatin1(GetParam().pattern), GetParam().value),
              QString::fromLatin1(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(Patterns, FormatFloatTest, testing::ValuesIn(kPatterns),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(FormatPercent, OneDecimalAndPercentSign)
{
    const struct {
        double value;
        const char *text;
    } cases[] = {{100.0, "100.0%"}, {200.0, "200.0%"}, {50.0, "50.0%"}, {400.0, "400.0%"},
                 {0.0, "0.0%"},     {12.5, "12.5%"},   {6.25, "6.2%"},  {-3.0, "-3.0%"}};
    for (const auto &c : cases)
        EXPECT_EQ(FormatPercent(c.value), QString::fromLatin1(c.text)) << c.value;
}

TEST(IntToStr, PlainSignedDecimal)
{
    EXPECT_EQ(IntToStr(0), QStringLiteral("0"));
    EXPECT_EQ(IntToStr(-33756), QStringLiteral("-33756"));
    EXPECT_EQ(IntToStr(std::numeric_limits<int>::min()), QStringLiteral("-2147483648"));
}

} // namespace
