#pragma once

#include "model/ListItem.h"

#include <QList>
#include <QString>

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
int CompareItemNames(const QString &a, const QString &b);

// Builds a list item by item exactly as AddItemSorted into an empty list
// would, without the quadratic cost: one stable sort at the end.
class CSortedListBuilder
{
public:
    void Add(CListItem item) { m_items.append(std::move(item)); }
    qsizetype Count() const { return m_items.size(); }
    // Moves the items, in name order, to the end of an empty list.
    void FinishInto(CListItemArray &list);

private:
    QList<CListItem> m_items;
};
