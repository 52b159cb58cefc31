#pragma once

#include <QByteArray>
#include <QString>

// Number text that never depends on the user's locale: Qt sets the C
// library's locale from the environment at start-up, so plain printf and
// strtod would write and read a comma under a German locale.
namespace NumberText {

// The C library's "%.2f" (and "%0.2f"): optional minus, digits, a point and
// two decimals, rounded to the nearest hundredth exactly as printf rounds.
QString FormatFixed2(double value);

// Whether FormatFixed2 writes the value as 0.00 (or -0.00): an amount a
// person reads as nothing, though a sum such as 0.1 + 0.2 - 0.3 is not
// exactly zero.
bool ReadsAsZero(double value);

// strtod in the C locale: leading blanks, sign, digits, a point, an exponent
// (and strtod's other forms); stops at the first character that does not fit.
// Text without a leading number gives 0.
double ParseCDouble(const QByteArray &text);

} // namespace NumberText
