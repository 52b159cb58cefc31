#pragma once

#include <QLocale>
#include <QString>

// The text of the price field. Shown so that reading it back gives the very
// same double, and read strictly: the whole text must be one number in the
// C form (a point), or with the user's decimal separator in its place.
namespace PriceText {

// The shortest text that reads back as the value: 0 as "0", 12.5 as
// "12.5", 0.1 as "0.1"; plain decimals below 1e15, the exponent form beyond.
QString Format(double value);

// Blanks around the number are ignored; an empty field is a price of 0.
// Under a locale whose decimal separator is not a point, that separator
// reads as one ("12,50" under German). False for anything else that is not
// one finite number ("12,50" in C, "abc", "1.5x", "nan", "inf", "1e999").
bool Parse(const QString &text, double &value, const QLocale &locale = QLocale::c());

} // namespace PriceText
