#pragma once

#include "model/ListItemArray.h"

#include <QList>
#include <QString>

// Most changes are saved at once; ticks wait for the next save, and a change
// whose save failed stays open too. When a newer data file turns up (another
// program, or a sync tool bringing another computer's lists), the window
// takes the newer lists and puts its own unsaved changes back on top of them.
// The same puts a change made on lists that have since been replaced by a
// newer file onto the newer ones.
namespace UnsavedChanges {

// One of this window's changes that could not be put onto the newer lists as
// it was made. Whatever the two sides hold is kept: a change is only ever
// not applied when it is a done mark on an item that is gone there.
struct Note
{
    enum class Kind {
        TickNotApplied,   // a done mark set (or cleared) here; the item is gone there
        KeptBoth,         // changed here and there differently: both versions kept
        KeptChangedHere,  // changed here, removed there: kept as changed here
        KeptChangedThere, // removed here, changed there: kept as changed there
    };
    Kind kind = Kind::TickNotApplied;
    QString list;      // the names, as they were here
    QString item;      // empty: the list as a whole
    bool done = false; // the done mark of a tick that was not applied

    bool operator==(const Note &other) const = default;
};

struct Result
{
    CListCollection lists; // the newer lists with this window's changes on them
    QList<Note> notes;
};

// `saved` is the collection as last read or saved, `current` the same with
// this window's changes. Lists are found in the other versions as ListMatch
// finds them (a renamed list is one removed and one added), items as
// ListMatch::MatchItems finds them. What only one side changed is taken from
// that side. An item both sides changed takes both changes when one of them
// is only a done mark; otherwise the newer version stays in place and this
// window's is added as another item. A list or item one side removed and the
// other changed is kept as changed. Lists and items added here are added to
// the newer lists (items in name order, as the program adds them), once
// when the newer file added the very same.
Result PutOnto(const CListCollection &newer, const CListCollection &saved,
               const CListCollection &current);

// One item as last read or saved, as changed here and as the newer file has
// it, when each side changed it: the item for its place in the newer list,
// and whether this window's version is to be added beside it as another item
// (both edited, differently).
struct ItemMerge
{
    CListItem inPlace;
    bool mineBeside = false;
};
ItemMerge MergeItem(const CListItem &saved, const CListItem &mine, const CListItem &newer);

// One message for the user about the notes; empty when there are none.
QString Describe(const QList<Note> &notes);

} // namespace UnsavedChanges
