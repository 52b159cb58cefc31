#pragma once

#include "model/ListItemArray.h"

// Lists used again and again: a weekly shop unticked for the next week, a
// packing list copied for another trip, an item taken over to another list.
namespace ListReuse {

// Whether any item of the list is done.
bool HasDone(const CListItemArray &list);
// The list with every done mark cleared; all else as it was.
CListItemArray Unticked(CListItemArray list);
// A copy of the list under another name (icon, items and all), its done
// marks cleared where `untick`.
CListItemArray Duplicate(const CListItemArray &list, const QString &name, bool untick);
// The item (list, item) taken out of its list and put into `toList` where
// that list's name order puts it, done mark and all. False, and nothing
// changed, when an index names nothing or both lists are the same.
bool MoveItem(CListCollection &lists, int list, int item, int toList);

} // namespace ListReuse
