#include "Errors.h"

#include <cmath>

namespace forms {

Exception::Exception(const QString &message)
    : std::runtime_error(message.toStdString())
{
}

EZeroDivide::EZeroDivide()
    : Exception(QStringLiteral("0 による浮動小数点数除算"))
{
}

EInvalidOp::EInvalidOp()
    : Exception(QStringLiteral("不正な浮動小数点数演算命令"))
{
}

EOverflow::EOverflow()
    : Exception(QStringLiteral("浮動小数点数のオーバーフロー"))
{
}

double CheckFloat(double value)
{
    if (std::isnan(value))
        throw EInvalidOp();
    if (std::isinf(value))
        throw EOverflow();
    return value;
}

double Divide(double a, double b)
{
    if (std::isnan(a) || std::isnan(b))
        throw EInvalidOp();
    if (b == 0.0) {
        if (a == 0.0)
            throw EInvalidOp();
        throw EZeroDivide();
    }
    return CheckFloat(a / b);
}

} // namespace forms
