#include "Errors.h"

#include <cmath>

namespace forms {

Exception::Exception(const QString &message)
    : std::runtime_error(message.toStdString())
{
}

EMathError::EMathError(Kind kind)
    : Exception(QString::fromUtf8(FloatingPointError::text(kind))), kind_(kind)
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
