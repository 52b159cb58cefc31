#include "model/UnsavedTicks.h"

#include "model/ListMatch.h"
#include "res/Strings.h"

namespace UnsavedTicks {

namespace {

struct Place
{
    qsizetype list = -1;
    qsizetype item = -1;
};

// How many items before `index` satisfy `same`, and the index of the n-th
// item of `items` that satisfies it (-1 when there are fewer).
template<typename Pred>
qsizetype CountBefore(const QList<CListItem> &items, qsizetype index, Pred same)
{
    qsizetype n = 0;
    for (qsizetype i = 0; i < index; ++i) {
        if (same(items.at(i)))
            ++n;
    }
    return n;
}

template<typename Pred>
qsizetype FindNth(const QList<CListItem> &items, qsizetype n, Pred same, bool *anyFound)
{
    *anyFound = false;
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (!same(items.at(i)))
            continue;
        *anyFound = true;
        if (n-- == 0)
            return i;
    }
    return -1;
}

bool HoldsEntry(const CListItemArray &list, const CListItem &item)
{
    for (const CListItem &other : list.m_items) {
        if (ListMatch::SameEntry(other, item))
            return true;
    }
    return false;
}

// Where the item at `itemIndex` of the list `savedList` is in `newerList`.
qsizetype FindItem(const CListItemArray &savedList, qsizetype itemIndex,
                   const CListItemArray &newerList)
{
    const CListItem &item = savedList.m_items.at(itemIndex);
    const auto sameEntry = [&item](const CListItem &other) {
        return ListMatch::SameEntry(other, item);
    };
    bool anySame = false;
    const qsizetype found =
            FindNth(newerList.m_items, CountBefore(savedList.m_items, itemIndex, sameEntry),
                    sameEntry, &anySame);
    if (anySame)
        return found; // its twins are there: the missing one is gone, not edited

    // Edited there: the n-th item of its name that is gone from the newer
    // list is the n-th of its name that is new there.
    const auto goneThere = [&item, &newerList](const CListItem &other) {
        return other.m_strName == item.m_strName && !HoldsEntry(newerList, other);
    };
    const auto newThere = [&item, &savedList](const CListItem &other) {
        return other.m_strName == item.m_strName && !HoldsEntry(savedList, other);
    };
    return FindNth(newerList.m_items, CountBefore(savedList.m_items, itemIndex, goneThere),
                   newThere, &anySame);
}

} // namespace

Result PutOnto(const CListCollection &newer, const CListCollection &saved,
               const CListCollection &current)
{
    Q_ASSERT(saved.size() == current.size());
    Result result;
    result.lists = newer;

    const qsizetype listCount = qMin(saved.size(), current.size());
    for (qsizetype l = 0; l < listCount; ++l) {
        const CListItemArray &savedList = saved.at(l);
        const CListItemArray &currentList = current.at(l);
        // Lists this window has not ticked in still share their items.
        if (savedList.m_items.isSharedWith(currentList.m_items))
            continue;
        Q_ASSERT(savedList.m_items.size() == currentList.m_items.size());
        const qsizetype itemCount = qMin(savedList.m_items.size(), currentList.m_items.size());
        qsizetype newerList = -2; // not looked up yet
        for (qsizetype i = 0; i < itemCount; ++i) {
            const bool done = currentList.m_items.at(i).m_bDone;
            if (done == savedList.m_items.at(i).m_bDone)
                continue;
            if (newerList == -2) {
                newerList = ListMatch::NthListNamed(newer, savedList.m_strName,
                                                    ListMatch::ListOccurrence(saved, l));
            }
            const qsizetype item =
                    newerList < 0 ? -1 : FindItem(savedList, i, newer.at(newerList));
            if (item < 0) {
                result.unapplied.append({savedList.m_strName, savedList.m_items.at(i).m_strName, done});
                continue;
            }
            result.lists[newerList].m_items[item].m_bDone = done;
        }
    }
    return result;
}

QString DescribeUnapplied(const QList<Tick> &unapplied)
{
    if (unapplied.isEmpty())
        return QString();
    QStringList lines;
    lines.reserve(unapplied.size());
    for (const Tick &tick : unapplied)
        lines.append(Str::UnappliedTick(tick.list, tick.item, tick.done));
    return Str::TicksNotApplied(lines);
}

} // namespace UnsavedTicks
