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

// The index of the list `lists.at(index)` among the lists of its name
// (0 for the first "Shop"), and the index of the n-th list named `name`
// (-1 when there are fewer).
qsizetype ListOccurrence(const CListCollection &lists, qsizetype index);
qsizetype NthListNamed(const CListCollection &lists, const QString &name, qsizetype n);

} // namespace ListMatch
