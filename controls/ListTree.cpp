#include "controls/ListTree.h"

#include "document/ListsModel.h"

#include <QItemSelectionModel>

CListTree::CListTree(CListsModel &lists, QWidget *parent)
    : CTreeOptionsCtrl(parent)
    , m_filter(lists)
    , m_tree(&m_filter)
{
    setModel(&m_tree);
}

void CListTree::Fill(const QModelIndex &open)
{
    collapseAll();
    expand(m_tree.RootIndex());
    if (const QModelIndex node = NodeOf(open); node.isValid())
        expand(node);
    selectionModel()->clear();
    scrollToTop();
}

QModelIndex CListTree::NodeOf(const QModelIndex &listsIndex) const
{
    return m_tree.mapFromSource(m_filter.mapFromSource(listsIndex));
}

QModelIndex CListTree::ListsIndexOf(const QModelIndex &node) const
{
    return m_filter.mapToSource(m_tree.mapToSource(node));
}

QModelIndex CListTree::Selected() const
{
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? QModelIndex() : ListsIndexOf(selected.first());
}
