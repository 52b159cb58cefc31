#include "model/ShownText.h"

#include "model/ListItem.h"
#include "platform/CalendarTime.h"
#include "platform/NumberText.h"
#include "res/Tr.h"

#include <QDateTime>
#include <QRegularExpression>

namespace {

bool KeepsOwnText(const QLocale &locale)
{
    return locale.language() == QLocale::English || locale.language() == QLocale::C;
}

// The item's local time; false for one the calendar cannot show.
bool LocalDateTime(const CListItem &item, QDate &date, QTime &time)
{
    LocalFields f;
    if (!CalendarTimeOps::ToLocal(item.m_time, f))
        return false;
    date = QDate(f.year, f.month, f.day);
    time = QTime(f.hour, f.minute);
    return date.isValid() && time.isValid();
}

} // namespace

namespace ShownText {

// The fixed two decimals of the data file and the CSV, with the locale's
// decimal separator and minus sign; no grouping, so that English and C
// read as before.
QString Price(double price)
{
    const QLocale locale;
    QString text = NumberText::FormatFixed2(price);
    if (KeepsOwnText(locale))
        return text;
    text.replace(QLatin1Char('.'), locale.decimalPoint());
    if (text.startsWith(QLatin1Char('-')))
        text.replace(0, 1, locale.negativeSign());
    return text;
}

QString Date(const CListItem &item)
{
    const QLocale locale;
    if (KeepsOwnText(locale))
        return item.GetDateText(true);
    QDate date;
    QTime time;
    return LocalDateTime(item, date, time) ? locale.toString(date, DateFormat(locale)) : QString();
}

QString DateAndTime(const CListItem &item)
{
    const QLocale locale;
    if (KeepsOwnText(locale))
        return item.GetDateText(false);
    QDate date;
    QTime time;
    if (!LocalDateTime(item, date, time))
        return QString();
    //: The date and time of an item in its details, e.g. "07.03.2002 at 13:15".
    return Tr::tr("%1 at %2").arg(locale.toString(date, DateFormat(locale)),
                                  locale.toString(time, TimeFormat(locale)));
}

QString DateFormat(const QLocale &locale)
{
    QString format = locale.dateFormat(QLocale::ShortFormat);
    static const QRegularExpression shortYear(QStringLiteral("(?<!y)y{1,3}(?!y)"));
    format.replace(shortYear, QStringLiteral("yyyy"));
    return format;
}

QString TimeFormat(const QLocale &locale)
{
    // A short format with seconds would be a locale's oddity; the field and
    // the pane show none.
    QString format = locale.timeFormat(QLocale::ShortFormat);
    static const QRegularExpression seconds(QStringLiteral("[^Hhms]*s+"));
    format.remove(seconds);
    return format;
}

} // namespace ShownText
