#include "dialogs/PriceText.h"

#include <charconv>
#include <cmath>

namespace {

// Beyond this a plain decimal shows digits that are not really there.
constexpr double kPlainLimit = 1e15;
constexpr int kPlainMaxLength = 20;

QString Shortest(double value, std::chars_format format)
{
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, format);
    if (res.ec != std::errc())
        return QString();
    return QString::fromLatin1(buf, static_cast<qsizetype>(res.ptr - buf));
}

} // namespace

namespace PriceText {

QString Format(double value)
{
    if (value == 0.0)
        return QStringLiteral("0"); // also for -0.0, which reads back equal
    if (std::isfinite(value) && std::fabs(value) < kPlainLimit) {
        const QString plain = Shortest(value, std::chars_format::fixed);
        if (!plain.isEmpty() && plain.size() <= kPlainMaxLength)
            return plain;
    }
    return Shortest(value, std::chars_format::general);
}

bool Parse(const QString &text, double &value, const QLocale &locale)
{
    QString t = text.trimmed();
    if (t.isEmpty()) {
        value = 0.0;
        return true;
    }
    // "3,99" where a comma is the decimal separator. A text that also has a
    // point ("1.234,50") stays as typed and is refused, rather than read as
    // some other price.
    const QString point = locale.decimalPoint();
    if (point != QLatin1String(".") && !t.contains(QLatin1Char('.')))
        t.replace(point, QStringLiteral("."));
    // from_chars takes a minus but not a plus.
    if (t.startsWith(QLatin1Char('+')) && t.size() > 1 && t.at(1) != QLatin1Char('-'))
        t.remove(0, 1);
    for (QChar c : t) {
        if (c.unicode() > 0x7f)
            return false;
    }
    const QByteArray bytes = t.toLatin1();
    const char *first = bytes.constData();
    const char *last = first + bytes.size();
    double parsed = 0.0;
    const auto res = std::from_chars(first, last, parsed, std::chars_format::general);
    if (res.ec != std::errc() || res.ptr != last || !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}

} // namespace PriceText
