#pragma once

#include "model/ListItemArray.h"

// Items brought into a list all at once (an import into a list, a paste),
// each where AddItemSorted puts it, one after the other.
void AddItemsSorted(CListItemArray &list, QList<CListItem> items);
