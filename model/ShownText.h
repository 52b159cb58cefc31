#pragma once

#include <QString>

class CListItem;

// An item's price and date as the item table and the detail pane show them.
// The printout takes them from here too, so that what is on paper changes
// with the table.
namespace ShownText {

QString Price(double price);         // "12.50"
QString Date(const CListItem &item); // "3/7/2002", whether or not the item is dated
QString DateAndTime(const CListItem &item); // "3/7/2002 at 1:15 PM", the detail pane's

} // namespace ShownText
