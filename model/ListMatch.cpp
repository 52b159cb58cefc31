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

} // namespace ListMatch
