#pragma once

#include "model/ListItemArray.h"

#include <QString>
#include <QStringList>

// When two computers change the data file at once, sync tools keep the
// losing version beside it under a name of their own:
//   Quillmark.sync-conflict-20240131-153045-ABCDEF7.dat
//   Quillmark (conflicted copy 2024-01-31 153045).dat
//   Quillmark (Ann's conflicted copy 2024-01-31).dat
// The program offers to merge such a copy's lists into its own and then moves
// the copy into a folder beside the data file, so it is kept but not offered
// again.
namespace ConflictCopies {

// The conflict copies that lie beside the data file, and beside the file it
// points to when it is a link, in name order (which for each tool is the
// order of their dates), with their folders.
QStringList Find(const QString &dataFilePath);

struct Merged
{
    CListCollection lists;
    int listsAdded = 0;
    int itemsAdded = 0;
    int ticksTaken = 0; // done marks taken from the copy onto equal items
};

// `ours` with what only `copy` holds. A list of the copy is found among ours
// as ListMatch finds it; a list we lack is added at the end, whole. In a
// list both have, an item of the copy that is the same entry as one of ours
// (ListMatch::SameEntry; each of ours stands for one of the copy's) is kept
// once, done when either side has it done; every other item of the copy is
// added where the program adds a new item (in name order). Nothing of ours
// is changed or removed but a done mark set, so whatever the copy lacks
// (an item removed or edited on one computer) stays: after a merge the user
// may find an old and a new version of an edited item, never neither.
// The list's icon stays ours.
Merged Merge(const CListCollection &ours, const CListCollection &copy);

// The folder beside the data file (beside the file it points to, when it is
// a link) that merged copies are moved to.
QString MergedFolder(const QString &dataFilePath);

// Moves a merged copy into that folder beside the copy, keeping its name
// (adding " (2)", " (3)" ... when that name is taken there). Returns the new
// path, or an empty string with `error` set when the copy could not be moved
// (it is then where it was).
QString MoveAside(const QString &copyPath, QString *error);

} // namespace ConflictCopies
