#include "model/ShownText.h"

#include "model/ListItem.h"
#include "platform/NumberText.h"

namespace ShownText {

QString Price(double price) { return NumberText::FormatFixed2(price); }

QString Date(const CListItem &item) { return item.GetDateText(true); }

QString DateAndTime(const CListItem &item) { return item.GetDateText(false); }

} // namespace ShownText
