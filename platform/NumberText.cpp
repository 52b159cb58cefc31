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
    const QByteArray z = text; // guarantees a terminating zero
    return strtod_l(z.constData(), nullptr, CLocale());
}

} // namespace NumberText
