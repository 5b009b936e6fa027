#include "Convert.h"

#include "Errors.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace forms {

namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

QString trimmedBlanks(const QString &text)
{
    qsizetype b = 0, e = text.size();
    while (b < e && isBlank(text[b]))
        ++b;
    while (e > b && isBlank(text[e - 1]))
        --e;
    return text.mid(b, e - b);
}

[[noreturn]] void notInteger(const QString &text)
{
    throw EConvertError(QStringLiteral("'%1' は整数ではありません").arg(text));
}

[[noreturn]] void notReal(const QString &text)
{
    throw EConvertError(QStringLiteral("'%1' は浮動小数点数ではありません").arg(text));
}

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

// Digits and exponent of value rounded to `digits` significant decimal
// digits: value = 0.d1d2d3... * 10^exponent (d1 != 0 unless value is 0).
struct Decimal {
    bool negative = false;
    std::string digits; // without trailing zeros; empty for zero
    int exponent = 0;
};

Decimal toDecimal(double value, int digits)
{
    Decimal d;
    d.negative = std::signbit(value);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*e", digits - 1, std::fabs(value));
    // buf: d.ddddde[+-]xx
    std::string s(buf);
    const auto epos = s.find('e');
    std::string mant = s.substr(0, epos);
    int exp10 = std::atoi(s.c_str() + epos + 1);
    std::string ds;
    for (char c : mant)
        if (c != '.')
            ds.push_back(c);
    while (!ds.empty() && ds.back() == '0')
        ds.pop_back();
    if (ds.empty()) {
        d.negative = false;
        return d;
    }
    d.digits = ds;
    d.exponent = exp10 + 1;
    return d;
}

} // namespace

int StrToInt(const QString &text)
{
    const QString t = trimmedBlanks(text);
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-'))) {
        negative = t[i] == QLatin1Char('-');
        ++i;
    }
    bool hex = false;
    if (i < t.size() && t[i] == QLatin1Char('$')) {
        hex = true;
        ++i;
    } else if (i + 1 < t.size() && t[i] == QLatin1Char('0')
               && (t[i + 1] == QLatin1Char('x') || t[i + 1] == QLatin1Char('X'))) {
        hex = true;
        i += 2;
    }
    if (i >= t.size())
        notInteger(text);
    if (hex) {
        if (t.size() - i > 8)
            notInteger(text);
        uint32_t v = 0;
        for (; i < t.size(); ++i) {
            const int h = hexDigit(t[i]);
            if (h < 0)
                notInteger(text);
            v = v * 16 + uint32_t(h);
        }
        if (negative)
            v = 0u - v;
        return int(int32_t(v));
    }
    int64_t v = 0;
    for (; i < t.size(); ++i) {
        const char16_t u = t[i].unicode();
        if (u < '0' || u > '9')
            notInteger(text);
        v = v * 10 + (u - '0');
        if (v > int64_t(INT32_MAX) + 1)
            notInteger(text);
    }
    if (negative)
        v = -v;
    if (v > INT32_MAX || v < INT32_MIN)
        notInteger(text);
    return int(v);
}

double StrToFloat(const QString &text)
{
    const QString t = trimmedBlanks(text);
    std::string s;
    s.reserve(size_t(t.size()));
    qsizetype i = 0;
    auto at = [&](qsizetype k) -> char16_t { return k < t.size() ? t[k].unicode() : 0; };
    if (at(i) == '+' || at(i) == '-')
        s.push_back(char(at(i++)));
    int mantDigits = 0;
    while (at(i) >= '0' && at(i) <= '9') {
        s.push_back(char(at(i++)));
        ++mantDigits;
    }
    if (at(i) == '.') {
        s.push_back(char(at(i++)));
        while (at(i) >= '0' && at(i) <= '9') {
            s.push_back(char(at(i++)));
            ++mantDigits;
        }
    }
    if (mantDigits == 0)
        notReal(text);
    if (at(i) == 'e' || at(i) == 'E') {
        s.push_back('e');
        ++i;
        if (at(i) == '+' || at(i) == '-')
            s.push_back(char(at(i++)));
        int expDigits = 0;
        while (at(i) >= '0' && at(i) <= '9') {
            s.push_back(char(at(i++)));
            ++expDigits;
        }
        if (expDigits == 0)
            notReal(text);
    }
    if (i != t.size())
        notReal(text);
    // The C locale's strtod: '.' is the decimal separator here.
    const double v = std::strtod(s.c_str(), nullptr);
    if (std::isinf(v))
        notReal(text);
    return v;
}

QString IntToStr(int value)
{
    return QString::number(value);
}

QString FloatToStr(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    const Decimal d = toDecimal(value, 15);
    if (d.digits.empty())
        return QStringLiteral("0");
    std::string out;
    if (d.negative)
        out.push_back('-');
    const int n = int(d.digits.size());
    if (d.exponent > 15 || d.exponent < -3) {
        out.push_back(d.digits[0]);
        if (n > 1) {
            out.push_back('.');
            out.append(d.digits, 1);
        }
        out.push_back('E');
        out.append(std::to_string(d.exponent - 1));
    } else if (d.exponent <= 0) {
        out.append("0.");
        out.append(size_t(-d.exponent), '0');
        out.append(d.digits);
    } else {
        for (int k = 0; k < d.exponent; ++k)
            out.push_back(k < n ? d.digits[size_t(k)] : '0');
        if (n > d.exponent) {
            out.push_back('.');
            out.append(d.digits, size_t(d.exponent));
        }
    }
    return QString::fromStdString(out);
}

QString FormatFloat(const QString &pattern, double value)
{
    if (std::isnan(value) || std::isinf(value))
        return FloatToStr(value);
    // Split the picture into prefix, number picture and suffix.
    qsizetype first = -1, last = -1;
    for (qsizetype k = 0; k < pattern.size(); ++k) {
        const QChar c = pattern[k];
        if (c == QLatin1Char('0') || c == QLatin1Char('#') || c == QLatin1Char('.')) {
            if (first < 0)
                first = k;
            last = k;
        }
    }
    if (first < 0)
        return pattern;
    const QString prefix = pattern.left(first);
    const QString suffix = pattern.mid(last + 1);
    const QString pic = pattern.mid(first, last - first + 1);
    const qsizetype dot = pic.indexOf(QLatin1Char('.'));
    const QString intPic = dot < 0 ? pic : pic.left(dot);
    const QString fracPic = dot < 0 ? QString() : pic.mid(dot + 1);
    const int minInt = int(intPic.count(QLatin1Char('0')));
    const int minFrac = int(fracPic.count(QLatin1Char('0')));
    const int maxFrac = int(fracPic.count(QLatin1Char('0')) + fracPic.count(QLatin1Char('#')));

    // Round half away from zero on the 17-digit decimal form.
    Decimal d = toDecimal(value, 17);
    std::string digits = d.digits;
    int exponent = d.exponent;
    bool negative = d.negative;
    const int keep = exponent + maxFrac; // significant digits to keep
    if (!digits.empty()) {
        if (keep < 0) {
            digits.clear();
        } else if (int(digits.size()) > keep) {
            const bool up = digits[size_t(keep)] >= '5';
            digits.resize(size_t(keep));
            if (up) {
                int k = keep - 1;
                while (k >= 0 && digits[size_t(k)] == '9') {
                    digits[size_t(k)] = '0';
                    --k;
                }
                if (k < 0) {
                    digits.insert(digits.begin(), '1');
                    ++exponent;
                } else {
                    ++digits[size_t(k)];
                }
            }
            while (!digits.empty() && digits.back() == '0')
                digits.pop_back();
        }
    }
    if (digits.empty())
        negative = false;
    auto digitAt = [&](int pos) -> char { // pos: 0 = first digit after the point is pos 0 of fraction
        return (pos >= 0 && pos < int(digits.size())) ? digits[size_t(pos)] : '0';
    };
    std::string intPart;
    if (!digits.empty())
        for (int k = 0; k < exponent; ++k)
            intPart.push_back(digitAt(k));
    while (int(intPart.size()) < minInt)
        intPart.insert(intPart.begin(), '0');
    std::string fracPart;
    for (int k = 0; k < maxFrac; ++k)
        fracPart.push_back(digits.empty() ? '0' : digitAt(exponent + k));
    while (int(fracPart.size()) > minFrac && fracPart.back() == '0')
        fracPart.pop_back();
    std::string out;
    if (negative)
        out.push_back('-');
    out += intPart;
    if (!fracPart.empty()) {
        out.push_back('.');
        out += fracPart;
    }
    if (intPart.empty() && fracPart.empty())
        out += "0";
    return prefix + QString::fromStdString(out) + suffix;
}

QString FormatPercent(double value)
{
    char buf[400];
    std::snprintf(buf, sizeof buf, "%2.1f%%", value);
    return QString::fromLatin1(buf);
}

int Trunc(double value)
{
    if (!(value > -2147483649.0 && value < 2147483648.0))
        throw EInvalidOp();
    return static_cast<int>(value);
}

} // namespace forms
