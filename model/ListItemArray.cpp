#include "model/ListItemArray.h"

#include <algorithm>

int CompareItemNames(const QString &a, const QString &b)
{
    return QString::compare(a, b, Qt::CaseInsensitive);
}

CListItem CListItemArray::GetItem(qsizetype index) const
{
    if (index < 0 || index >= m_items.size())
        return CListItem();
    return m_items.at(index);
}

void CListItemArray::SetItem(qsizetype index, CListItem item)
{
    Q_ASSERT(index >= 0 && index < m_items.size());
    if (index >= 0 && index < m_items.size())
        m_items[index] = std::move(item);
}

double CListItemArray::Total() const
{
    double total = 0.0;
    for (const CListItem &item : m_items)
        total += item.m_dPrice;
    return total;
}

void CListItemArray::AddItemSorted(CListItem item)
{
    // The walk stops at the first greater name; it does not assume the list
    // is already in order.
    for (qsizetype i = 0; i < m_items.size(); ++i) {
        if (CompareItemNames(m_items.at(i).m_strName, item.m_strName) > 0) {
            m_items.insert(i, std::move(item));
            return;
        }
    }
    m_items.append(std::move(item));
}

void CSortedListBuilder::FinishInto(CListItemArray &list)
{
    Q_ASSERT(list.m_items.isEmpty());
    std::stable_sort(m_items.begin(), m_items.end(), [](const CListItem &a, const CListItem &b) {
        return CompareItemNames(a.m_strName, b.m_strName) < 0;
    });
    list.m_items = std::move(m_items);
    m_items.clear();
}
