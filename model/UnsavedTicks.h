#pragma once

#include "model/ListItemArray.h"

#include <QList>
#include <QString>

// Ticks are the one change this program does not save at once. When a newer
// data file turns up (another program, or a sync tool bringing another
// computer's lists), the window takes the newer lists and puts its own
// unsaved ticks back on top of them.
namespace UnsavedTicks {

// A done mark set or cleared here since the lists were last read or saved.
struct Tick
{
    QString list; // the names, as they were here
    QString item;
    bool done = false;

    bool operator==(const Tick &other) const = default;
};

struct Result
{
    CListCollection lists;  // the newer lists with every tick that found its item
    QList<Tick> unapplied;  // the ticks whose list or item is gone there
};

// `saved` is the collection as last read or saved; `current` is the same
// collection with this window's ticks, so the two differ in done marks only.
// Each tick's list is found in `newer` as ListMatch finds lists. Within it,
// the item is the n-th one still equal to it but for the done mark; when the
// newer list has no such item (it was edited there), the n-th of the items
// of its name that are gone there is the n-th of those of its name that are
// new there. A list renamed there, an item removed there, or one of two
// equal items of which only one is left, leaves the tick in `unapplied`: a
// tick is never put on some other item.
Result PutOnto(const CListCollection &newer, const CListCollection &saved,
               const CListCollection &current);

// One message for the user about the ticks that could not be put back;
// empty when there are none.
QString DescribeUnapplied(const QList<Tick> &unapplied);

} // namespace UnsavedTicks
