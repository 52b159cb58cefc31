#pragma once

#include "model/ListItemArray.h"

// How a list or an item of one collection is found again in another version
// of it (a newer file, another computer's copy). Names decide, exactly as
// typed; among several of the same name their order decides: the second
// "Shop" of one version is the second "Shop" of the other, whatever was
// added, removed or moved around them.
namespace ListMatch {

// Whether two items are the same entry: equal in everything but the done
// mark, which is the one thing a person changes without editing the item.
bool SameEntry(const CListItem &a, const CListItem &b);
// The same entry with the same done mark. Unlike ==, an item whose price is
// no number is identical to its copy.
bool Identical(const CListItem &a, const CListItem &b);
// Name, icon and items identical.
bool Identical(const CListItemArray &a, const CListItemArray &b);

// The index of the list `lists.at(index)` among the lists of its name
// (0 for the first "Shop"), and the index of the n-th list named `name`
// (-1 when there are fewer).
qsizetype ListOccurrence(const CListCollection &lists, qsizetype index);
qsizetype NthListNamed(const CListCollection &lists, const QString &name, qsizetype n);

// For each item of `from`, its index in `to`, or -1 when it is gone there.
// The n-th item of `from` equal to it but for the done mark is the n-th such
// item of `to`; when `to` has no such item at all (it was edited there), the
// n-th item of its name that is gone from `to` is the n-th of its name that
// is new in `to`. An item of which `to` keeps fewer equal copies is gone: it
// is never taken for some other item. No item of `to` is named twice.
QList<qsizetype> MatchItems(const CListItemArray &from, const CListItemArray &to);
// The same for one item of `from`, without building the whole match: for a
// few items of long lists.
qsizetype FindItem(const CListItemArray &from, qsizetype index, const CListItemArray &to);

} // namespace ListMatch
