#include "platform/NumberText.h"

#include <charconv>
#include <clocale>
#include <cstdlib>
#include <locale.h>

namespace {

locale_t CLocale()
{
    static const locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return loc;
}

} // namespace

namespace NumberText {

QString FormatFixed2(double value)
{
    // std::to_chars with a precision gives the correctly rounded result,
    // exactly what glibc's printf produces, and never looks at the locale.
    // QString::number(value, 'f', 2) would not do: it rounds exact halves
    // up (0.125 gives 0.13, not 0.12) and writes -0.00 as 0.00.
    char buf[400];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 2);
    if (res.ec != std::errc())
        return QStringLiteral("0.00");
    return QString::fromLatin1(buf, static_cast<qsizetype>(res.ptr - buf));
}

bool ReadsAsZero(double value)
{
    const QString text = FormatFixed2(value);
    return text == QLatin1String("0.00") || text == QLatin1String("-0.00");
}

double ParseCDouble(const QByteArray &text)
{
    // Not std::from_chars: it refuses a number too small for a double
    // ("-1e-400") where strtod gives the zero, with its sign, that the
    // export then writes back.
    const QByteArray z = text; // guarantees a terminating zero
    return strtod_l(z.constData(), nullptr, CLocale());
}

} // namespace NumberText
