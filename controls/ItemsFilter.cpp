#include "controls/ItemsFilter.h"

#include "document/ListsModel.h"

#include <cmath>

CItemsFilter::CItemsFilter(CListsModel &lists, QObject *parent)
    : QSortFilterProxyModel(parent)
    , m_lists(lists)
{
    setDynamicSortFilter(false);
    setSourceModel(&lists);
}

void CItemsFilter::SetHideDone(bool hide)
{
    if (hide == m_hideDone)
        return;
    m_hideDone = hide;
    // One notice for the whole table: the rows a filter leaves out or lets
    // in again lie all over a list, and told run by run they kept the
    // window from answering for minutes on a long list.
    invalidate();
    if (sortColumn() >= 0)
        sort(sortColumn(), sortOrder());
}

void CItemsFilter::Settle()
{
    if (m_hideDone)
        invalidate();
    if (sortColumn() >= 0)
        sort(sortColumn(), sortOrder());
}

bool CItemsFilter::hasChildren(const QModelIndex &parent) const
{
    if (m_hideDone)
        return QSortFilterProxyModel::hasChildren(parent);
    return sourceModel()->hasChildren(mapToSource(parent));
}

bool CItemsFilter::filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const
{
    if (!m_hideDone || !sourceParent.isValid())
        return true;
    const CListItem *item = m_lists.Item(m_lists.index(sourceRow, 0, sourceParent));
    return !item || !item->m_bDone;
}

// Ties keep the list's own order (the sort is stable). Names compare as the
// list's own name order does; undated items come after the dated ones, and
// a price that is no number after every number, whichever way the column is
// sorted (the view reverses what this answers for a descending sort).
bool CItemsFilter::lessThan(const QModelIndex &left, const QModelIndex &right) const
{
    const CListItem *a = m_lists.Item(left);
    const CListItem *b = m_lists.Item(right);
    if (!a || !b)
        return left.row() < right.row();
    const bool ascending = sortOrder() == Qt::AscendingOrder;
    switch (left.column()) {
    case CListsModel::Name:
        return CompareItemNames(a->m_strName.View(), b->m_strName.View()) < 0;
    case CListsModel::Price:
        if (std::isnan(a->m_dPrice) || std::isnan(b->m_dPrice))
            return std::isnan(ascending ? b->m_dPrice : a->m_dPrice) && !std::isnan(ascending ? a->m_dPrice : b->m_dPrice);
        return a->m_dPrice < b->m_dPrice;
    case CListsModel::Date:
        if (a->m_bDated != b->m_bDated)
            return ascending ? a->m_bDated : b->m_bDated;
        return a->m_bDated && a->m_time < b->m_time;
    case CListsModel::Done:
        return !a->m_bDone && b->m_bDone;
    default:
        return false;
    }
}
