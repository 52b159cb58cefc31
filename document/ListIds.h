#pragma once

#include "model/ListItemArray.h"

#include <QList>
#include <QString>

#include <deque>
#include <utility>
#include <vector>

// Who each list and each item is, apart from what it holds: a sync tells by
// it which list and which item on the server an edited, ticked or moved one
// is. Kept beside the collection, list by list and item by item in the same
// order; the data file holds no such thing, so a small file beside it keeps
// the identities from one run to the next.
struct ListIds
{
    QString list;
    QList<QString> items;

    bool operator==(const ListIds &other) const = default;
};
using CollectionIds = QList<ListIds>;

namespace ListIdentity {

QString NewId();
ListIds Fresh(const CListItemArray &list);
CollectionIds Fresh(const CListCollection &lists);

// The identities of `after`, taken over from `before` for each list and
// item that is still the same one: the same content first (an item moved to
// another list included), then a list of the same items or name and an item
// of the same name in its list. What is new gets an identity of its own.
CollectionIds Carry(const CListCollection &before, const CollectionIds &beforeIds, const CListCollection &after);

// What the identities file keeps of each item (a hash of its content and
// one of its name), for the lists saved last: a list saved again as it was
// (most lists at most saves, and those an undo brings back) is not read
// through again. Kept by whoever saves.
class SavedShapes
{
public:
    using Shapes = std::vector<std::pair<quint64, quint64>>;

    const Shapes &Of(const QList<CListItem> &items);
    // Keeps what this save used and the few lists saved before it.
    void EndSave();

private:
    struct Entry
    {
        QList<CListItem> items;
        Shapes shapes;
        bool used = true;
    };
    std::deque<Entry> m_entries;
};

// The identities file of a data file: beside it, named after it.
QString PathBeside(const QString &dataFilePath);
// Writes the identities of the lists as saved, replacing the file whole,
// readable by the user alone.
bool Save(const QString &path, const CListCollection &lists, const CollectionIds &ids, QString *whyNot = nullptr,
          SavedShapes *saved = nullptr);
// The identities of `lists` as read from the file: carried over by content
// where the lists differ from those the file was written with, and fresh
// where the file is missing or damaged.
CollectionIds Load(const QString &path, const CListCollection &lists);

} // namespace ListIdentity
