#pragma once

#include "model/ListItem.h"

#include <QString>

// An item's price and date as the item table and the detail pane show them:
// the one place where these texts are made.
namespace ItemText {

// Two decimals with a point, whatever the user's locale: "12.50".
QString Price(double price);
// The date alone, "3/7/2002"; "---" for an item that is not dated.
QString Date(const CListItem &item);
// The date and the time, "3/7/2002 at 1:15 PM".
QString DateAndTime(const CListItem &item);

} // namespace ItemText
