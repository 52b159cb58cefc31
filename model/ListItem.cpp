#include "model/ListItem.h"

#include "platform/NumberText.h"

// Items are most of what the program holds: no padding creeps in unseen.
static_assert(sizeof(CListItem) == 8 + 2 * sizeof(CCompactText) + sizeof(CalendarTime) + sizeof(double));

CListItem::CListItem()
    : m_time(CalendarTimeOps::Now())
{
}

QString CListItem::GetDateText(bool dateOnly) const
{
    LocalFields f;
    if (!CalendarTimeOps::ToLocal(m_time, f))
        return QString();
    if (dateOnly)
        return QStringLiteral("%1/%2/%3").arg(f.month).arg(f.day).arg(f.year);
    const QString suffix = f.hour < 12 ? QStringLiteral("AM") : QStringLiteral("PM");
    // Midnight's hour shows as 0 and noon's as 12: "0:05 AM", "12:05 PM".
    const int shownHour = f.hour > 12 ? f.hour - 12 : f.hour;
    return QStringLiteral("%1/%2/%3 at %4:%5 %6")
            .arg(f.month)
            .arg(f.day)
            .arg(f.year)
            .arg(shownHour)
            .arg(f.minute, 2, 10, QLatin1Char('0'))
            .arg(suffix);
}

namespace {

// A comma would split the field, a line break the record: each becomes a
// space (a CR LF one space).
QString CsvField(QString text)
{
    text.replace(QLatin1Char(','), QLatin1Char(' '));
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

} // namespace

QString CListItem::GetCsvRecord() const
{
    return CsvField(m_strName.ToString()) + QLatin1Char(',') + CsvField(m_strDesc.ToString()) + QLatin1Char(',')
            + NumberText::FormatFixed2(m_dPrice) + QStringLiteral(",\n");
}
