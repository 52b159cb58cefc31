#pragma once

#include <QLocale>
#include <QString>

class CListItem;

// An item's price and date as the item table and the detail pane show them.
// The printout takes them from here too, so that what is on paper changes
// with the table. Dates, times and the decimal separator are written as the
// user's locale writes them; under an English or the C locale they keep the program's own
// "3/7/2002 at 1:15 PM", which people know from its earlier versions.
namespace ShownText {

QString Price(double price);         // "12.50", "12,50"
QString Date(const CListItem &item); // "3/7/2002", "07.03.2002", whether or not the item is dated
QString DateAndTime(const CListItem &item); // "3/7/2002 at 1:15 PM", "07.03.2002 um 13:15": the detail pane's

// The item form's date and time fields show what the detail pane shows:
// the locale's short date, but always with the full year (two digits could
// not tell 1925 from 2025, and an item may hold either), and its time
// without seconds.
QString DateFormat(const QLocale &locale = QLocale());
QString TimeFormat(const QLocale &locale = QLocale());

} // namespace ShownText
