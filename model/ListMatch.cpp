#include "model/ListMatch.h"

#include <QHash>

#include <algorithm>

#include <cstring>

namespace ListMatch {

namespace {

quint64 PriceBits(double price)
{
    quint64 bits = 0;
    std::memcpy(&bits, &price, sizeof bits);
    return bits;
}

// What SameEntry compares, as a hash key.
struct EntryKey
{
    const CListItem *item;

    bool operator==(const EntryKey &other) const { return SameEntry(*item, *other.item); }
};

size_t qHash(const EntryKey &key, size_t seed)
{
    const CListItem &i = *key.item;
    return qHashMulti(seed, i.m_strName, i.m_strDesc, i.m_nIcon, i.m_bDated, i.m_time,
                      PriceBits(i.m_dPrice));
}

// The items of a list, grouped by entry in list order.
QHash<EntryKey, QList<qsizetype>> ByEntry(const CListItemArray &list)
{
    QHash<EntryKey, QList<qsizetype>> groups;
    groups.reserve(list.m_items.size());
    for (qsizetype i = 0; i < list.m_items.size(); ++i)
        groups[EntryKey{&list.m_items.at(i)}].append(i);
    return groups;
}

// The number of items before `index` that satisfy `pred`, and the index of
// the n-th item that does (-1 when there are fewer).
template<typename Pred>
qsizetype CountBefore(const QList<CListItem> &items, qsizetype index, Pred pred)
{
    return std::count_if(items.cbegin(), items.cbegin() + index, pred);
}

template<typename Pred>
qsizetype FindNth(const QList<CListItem> &items, qsizetype n, Pred pred)
{
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (pred(items.at(i)) && n-- == 0)
            return i;
    }
    return -1;
}

bool Holds(const CListItemArray &list, const CListItem &item)
{
    return std::any_of(list.m_items.cbegin(), list.m_items.cend(),
                       [&item](const CListItem &other) { return SameEntry(other, item); });
}

} // namespace

bool SameEntry(const CListItem &a, const CListItem &b)
{
    // Prices by their bits: a file can hold a price that is no number, and
    // that item is still the same entry as its copy.
    return a.m_strName == b.m_strName && a.m_strDesc == b.m_strDesc && a.m_nIcon == b.m_nIcon
            && a.m_bDated == b.m_bDated && a.m_time == b.m_time
            && PriceBits(a.m_dPrice) == PriceBits(b.m_dPrice);
}

bool Identical(const CListItem &a, const CListItem &b)
{
    return a.m_bDone == b.m_bDone && SameEntry(a, b);
}

bool Identical(const CListItemArray &a, const CListItemArray &b)
{
    if (a.m_strName != b.m_strName || a.m_nIcon != b.m_nIcon || a.m_items.size() != b.m_items.size())
        return false;
    // Lists that no change touched still share their items.
    if (a.m_items.isSharedWith(b.m_items))
        return true;
    for (qsizetype i = 0; i < a.m_items.size(); ++i) {
        if (!Identical(a.m_items.at(i), b.m_items.at(i)))
            return false;
    }
    return true;
}

qsizetype ListOccurrence(const CListCollection &lists, qsizetype index)
{
    const QString &name = lists.at(index).m_strName;
    qsizetype n = 0;
    for (qsizetype i = 0; i < index; ++i) {
        if (lists.at(i).m_strName == name)
            ++n;
    }
    return n;
}

qsizetype NthListNamed(const CListCollection &lists, const QString &name, qsizetype n)
{
    for (qsizetype i = 0; i < lists.size(); ++i) {
        if (lists.at(i).m_strName == name && n-- == 0)
            return i;
    }
    return -1;
}

QList<qsizetype> MatchItems(const CListItemArray &from, const CListItemArray &to)
{
    const QHash<EntryKey, QList<qsizetype>> fromGroups = ByEntry(from);
    const QHash<EntryKey, QList<qsizetype>> toGroups = ByEntry(to);
    QList<qsizetype> match(from.m_items.size(), -1);

    // Items whose entry is in both: the n-th with the n-th. The others are
    // lined up by name: gone from `to` on one side, new in `to` on the other.
    QHash<QString, QList<qsizetype>> goneByName;
    QHash<QString, QList<qsizetype>> newByName;
    for (auto group = fromGroups.cbegin(); group != fromGroups.cend(); ++group) {
        const auto there = toGroups.constFind(group.key());
        if (there == toGroups.cend()) {
            for (const qsizetype i : group.value())
                goneByName[from.m_items.at(i).m_strName].append(i);
            continue;
        }
        const qsizetype paired = qMin(group.value().size(), there.value().size());
        for (qsizetype n = 0; n < paired; ++n)
            match[group.value().at(n)] = there.value().at(n);
    }
    for (auto group = toGroups.cbegin(); group != toGroups.cend(); ++group) {
        if (!fromGroups.contains(group.key())) {
            for (const qsizetype i : group.value())
                newByName[to.m_items.at(i).m_strName].append(i);
        }
    }
    for (auto gone = goneByName.begin(); gone != goneByName.end(); ++gone) {
        QList<qsizetype> &froms = gone.value();
        QList<qsizetype> tos = newByName.value(gone.key());
        std::sort(froms.begin(), froms.end());
        std::sort(tos.begin(), tos.end());
        const qsizetype paired = qMin(froms.size(), tos.size());
        for (qsizetype n = 0; n < paired; ++n)
            match[froms.at(n)] = tos.at(n);
    }
    return match;
}

qsizetype FindItem(const CListItemArray &from, qsizetype index, const CListItemArray &to)
{
    const CListItem &item = from.m_items.at(index);
    const auto sameEntry = [&item](const CListItem &other) { return SameEntry(other, item); };
    if (Holds(to, item))
        return FindNth(to.m_items, CountBefore(from.m_items, index, sameEntry), sameEntry);
    const auto goneThere = [&item, &to](const CListItem &other) {
        return other.m_strName == item.m_strName && !Holds(to, other);
    };
    const auto newThere = [&item, &from](const CListItem &other) {
        return other.m_strName == item.m_strName && !Holds(from, other);
    };
    return FindNth(to.m_items, CountBefore(from.m_items, index, goneThere), newThere);
}

} // namespace ListMatch
