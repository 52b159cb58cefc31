#include "controls/ListTree.h"

#include "document/ListsModel.h"

#include <QItemSelectionModel>
#include <QLabel>

#include <algorithm>

CListTree::CListTree(CListsModel &lists, QWidget *parent)
    : CTreeOptionsCtrl(parent)
    , m_filter(lists)
    , m_tree(&m_filter)
{
    setModel(&m_tree);
    for (const auto changed : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(&m_tree, changed, this, &CListTree::ShowEmptyText);
    connect(&m_tree, &QAbstractItemModel::modelReset, this, &CListTree::ShowEmptyText);
}

void CListTree::SetEmptyText(const QString &text)
{
    if (!m_emptyText) {
        m_emptyText = new QLabel(viewport());
        m_emptyText->setWordWrap(true);
        m_emptyText->setForegroundRole(QPalette::PlaceholderText);
    }
    m_emptyText->setText(text);
    ShowEmptyText();
}

void CListTree::resizeEvent(QResizeEvent *event)
{
    CTreeOptionsCtrl::resizeEvent(event);
    ShowEmptyText();
}

void CListTree::ShowEmptyText()
{
    if (!m_emptyText)
        return;
    const bool empty = m_tree.rowCount(RootNode()) == 0;
    m_emptyText->setVisible(empty);
    if (!empty)
        return;
    // Under the root's row, the only one, where the first list will come.
    const int left = indentation();
    const int width = std::max(1, viewport()->width() - left - 4);
    m_emptyText->setGeometry(left, indexRowSizeHint(RootNode()) + 4, width, m_emptyText->heightForWidth(width));
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
