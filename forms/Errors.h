// The error classes of the form library and the floating-point checks.
#pragma once

#include "plane.h"

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

// The floating-point errors: one family with the pixel layer's
// FloatingPointError, whose kinds and texts they carry.  A handler that
// catches EMathError sees the form library's three; FloatingPointError
// itself, raised by Qt-free code, reaches the error box with the same text.
class EMathError : public Exception {
public:
    using Kind = FloatingPointError::Kind;
    explicit EMathError(Kind kind);
    Kind kind() const noexcept { return kind_; }

private:
    Kind kind_;
};

// Floating-point division of a non-zero value by zero.
class EZeroDivide : public EMathError {
public:
    EZeroDivide() : EMathError(Kind::ZeroDivide) {}
};

// Invalid floating-point operation (0/0, a result that is not a number).
class EInvalidOp : public EMathError {
public:
    EInvalidOp() : EMathError(Kind::InvalidOp) {}
};

// A floating-point result too large to be represented.
class EOverflow : public EMathError {
public:
    EOverflow() : EMathError(Kind::Overflow) {}
};

// Raises EInvalidOp for a NaN and EOverflow for an infinite value, else
// returns the value.  Used after a computation instead of hardware traps.
double CheckFloat(double value);

// a / b with the checks of the floating-point unit: a non-zero value over
// zero raises EZeroDivide, zero over zero EInvalidOp; an infinite or NaN
// quotient raises as CheckFloat does.
double Divide(double a, double b);

} // namespace forms
