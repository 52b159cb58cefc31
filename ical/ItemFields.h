#pragma once

#include "model/ListItem.h"

#include <QString>

// The fields of an item that a VTODO carries, each compared as the server
// holds it: texts as iCalendar can carry them (IcalText::Clean), the price
// to the cent, the date to the second and only when the item is dated. Two
// items that the server could not tell apart compare equal, so that a value
// the server rounded never counts as a change.
namespace ItemFields {

enum Field { Name, Description, Price, Date, Icon, Done };
inline constexpr Field kAll[] = {Name, Description, Price, Date, Icon, Done};

bool Same(Field field, const CListItem &a, const CListItem &b);
// Every field the same.
bool SameContent(const CListItem &a, const CListItem &b);
// Takes the field's value from `from`.
void Copy(Field field, const CListItem &from, CListItem &to);

} // namespace ItemFields
