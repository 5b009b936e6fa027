// Text <-> number conversions of the form library.
#pragma once

#include <QString>

namespace forms {

// Integer from text: blanks before and after are skipped, then an optional
// sign and decimal digits, or '$' / "0x" followed by up to eight hex digits
// (taken as a 32-bit pattern, so "$FFFFFFFF" is -1).  Anything else, the
// empty text, or a decimal value outside the 32-bit range raises
// EConvertError "'<text>' は整数ではありません".
int StrToInt(const QString &text);

// Real from text: blanks before and after are skipped, then an optional
// sign, digits with an optional '.' (at least one digit overall) and an
// optional exponent 'E'/'e' with optional sign and digits.  Anything else,
// or a value too large for a double, raises EConvertError
// "'<text>' は浮動小数点数ではありません".
double StrToFloat(const QString &text);

QString IntToStr(int value);

// The general real form: up to 15 significant digits, no trailing zeros,
// no trailing decimal point (1.1, 2, 0.5, -3.25).  A value whose decimal
// exponent is above 15 or below -4 (i.e. >= 1E15 or < 0.0001 in magnitude)
// is written in exponent form with no '+' and no leading zeros in the
// exponent: 1E20, 1.5E-5.  Zero is "0"; NaN "NAN", infinities "INF" / "-INF".
QString FloatToStr(double value);

// Formats with a picture of '0' (digit always shown) and '#' (digit shown
// when significant) placeholders with at most one '.', e.g. "0.00" or "#.##".
// Halves round away from zero on the value's 17-digit decimal form.  Other
// characters in the picture are copied before/after the number as given.
QString FormatFloat(const QString &pattern, double value);

// A real truncated toward zero to an integer; a value outside the 32-bit
// range, an infinity or NaN raises EInvalidOp, as the platform's Trunc does.
int Trunc(double value);

// C's "%2.1f%%": z * 100 from the caller, e.g. 100.0%, 50.0%, 0.0%.
QString FormatPercent(double value);

} // namespace forms
