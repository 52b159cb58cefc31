#include "model/ListReuse.h"

#include <algorithm>

namespace ListReuse {

bool HasDone(const CListItemArray &list)
{
    return std::any_of(list.m_items.cbegin(), list.m_items.cend(), [](const CListItem &item) { return item.m_bDone; });
}

CListItemArray Unticked(CListItemArray list)
{
    // Only the items that change are written: the others stay shared with
    // the list the copy came from.
    for (qsizetype i = 0; i < list.m_items.size(); ++i) {
        if (list.m_items.at(i).m_bDone)
            list.m_items[i].m_bDone = false;
    }
    return list;
}

CListItemArray Duplicate(const CListItemArray &list, const QString &name, bool untick)
{
    CListItemArray copy = untick ? Unticked(list) : list;
    copy.SetName(name);
    return copy;
}

bool MoveItem(CListCollection &lists, int list, int item, int toList)
{
    const auto count = int(lists.size());
    if (list < 0 || list >= count || toList < 0 || toList >= count || list == toList || item < 0
        || item >= lists.at(list).m_items.size())
        return false;
    CListItem moved = lists[list].m_items.takeAt(item);
    lists[toList].AddItemSorted(std::move(moved));
    return true;
}

} // namespace ListReuse
