#pragma once

#include "model/ListItem.h"

#include <QDeadlineTimer>
#include <QList>
#include <QString>

#include <vector>

// One list: a name, an icon and its items in display order. A value.
class CListItemArray
{
public:
    CListItemArray() = default;

    void SetName(QString name) { m_strName = std::move(name); }

    // A copy of the item at index; a default item outside the range.
    CListItem GetItem(qsizetype index) const;
    // Replaces the item at index, which must lie in 0 .. count - 1.
    void SetItem(qsizetype index, CListItem item);
    // The sum of the items' prices, done or not.
    double Total() const;
    // What is left to pay and what is paid: the prices of the items not
    // done and of those done, each summed on its own; whether any is done.
    struct Split
    {
        double left = 0.0;
        double done = 0.0;
        bool anyDone = false;
    };
    Split TotalSplit() const;
    // Inserts before the first item whose name compares greater (ties after).
    void AddItemSorted(CListItem item);

    void Serialize(CArchiveWriter &ar) const;
    bool Serialize(CArchiveReader &ar);

    bool operator==(const CListItemArray &other) const = default;

    QString m_strName;
    qint32 m_nIcon = 0;
    QList<CListItem> m_items;
};

// The collection of lists, in the order they were added.
using CListCollection = QList<CListItemArray>;

// The order AddItemSorted keeps: names compared without regard to case.
int CompareItemNames(QAnyStringView a, QAnyStringView b);
// For each item, a number in CompareItemNames's order of the names: equal
// for equal names, smaller for a name that comes first. A sort of many
// items by name then compares numbers: each name is read once, not at each
// of the twenty comparisons a row of a long list takes part in.
std::vector<quint32> NameRanks(const QList<CListItem> &items);

// Builds a list item by item exactly as AddItemSorted into an empty list
// would, without the quadratic cost, and so that a window stays alive while
// millions of items are put in order: every block of items is sorted as it
// is complete, while its items are still near each other in memory, and the
// sorted blocks are merged a step at a time at the end. The merge orders
// numbers that stand for the items and then moves each item once: it needs
// no second copy of the items.
class CSortedListBuilder
{
public:
    static constexpr qsizetype kBlock = 32 * 1024;

    CSortedListBuilder();
    ~CSortedListBuilder();

    void Add(CListItem item);
    qsizetype Count() const { return m_items.size(); }
    // Forgets every item added; not once sorting has begun.
    void Clear();

    // Sorts until `until` has expired, but a little at least; true once the
    // items are in name order. No items are added once sorting has begun.
    bool Sort(const QDeadlineTimer &until);
    // How much of the sort is done, from 0 to 1.
    double SortProgress() const;
    // Takes the items out in name order, leaving the builder empty; sorts
    // first what Sort has not.
    QList<CListItem> TakeSorted();

private:
    void SortBlock(qsizetype start);
    void StartMerge();
    bool HeapAfter(quint32 a, quint32 b) const;
    bool MergeStep(qsizetype &budget);
    bool PlaceStep(qsizetype &budget);

    QList<CListItem> m_items;
    enum class Stage { Adding, Merging, Placing, Done };
    Stage m_stage = Stage::Adding;
    // The merge: where each block has come to, a heap of the blocks not
    // used up, and order[k], the item that goes to position k.
    std::vector<qsizetype> m_next;
    std::vector<quint32> m_heap;
    std::vector<quint32> m_order;
    qsizetype m_workDone = 0;
    // The cycle being placed: its start, where it has come to, the item
    // carried along.
    qsizetype m_cycleStart = 0;
    qsizetype m_cycleAt = -1;
    CListItem m_carried;
};
