// The error classes of the form library and the floating-point checks.
#pragma once

#include <QString>

#include <stdexcept>

namespace forms {

// Base of every error the form library raises; what() is UTF-8 text.
class Exception : public std::runtime_error {
public:
    explicit Exception(const QString &message);
    QString Message() const { return QString::fromUtf8(what()); }
};

// A text that is not a number of the requested kind.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// Floating-point division of a non-zero value by zero.
class EZeroDivide : public Exception {
public:
    EZeroDivide();
};

// Invalid floating-point operation (0/0, a result that is not a number).
class EInvalidOp : public Exception {
public:
    EInvalidOp();
};

// A floating-point result too large to be represented.
class EOverflow : public Exception {
public:
    EOverflow();
};

// Raises EInvalidOp for a NaN and EOverflow for an infinite value, else
// returns the value.  Used after a computation instead of hardware traps.
double CheckFloat(double value);

// a / b with the checks of the floating-point unit: a non-zero value over
// zero raises EZeroDivide, zero over zero EInvalidOp; an infinite or NaN
// quotient raises as CheckFloat does.
double Divide(double a, double b);

} // namespace forms
