#include "view/QuillmarkView.h"

#include "controls/TreeOptionsCtrl.h"
#include "platform/NumberText.h"
#include "res/ResourceIds.h"
#include "res/Strings.h"

#include <QTreeWidget>

namespace {

struct Column
{
    QString heading;
    int width;
};

// The item table's columns follow what the list's items hold.
QList<Column> ColumnsFor(bool anyDated, bool anyPrice)
{
    if (anyDated && anyPrice)
        return {{Str::ColumnName(), 90}, {Str::ColumnPrice(), 52}, {Str::ColumnDate(), 70}, {Str::ColumnDone(), 43}};
    if (anyDated)
        return {{Str::ColumnName(), 86}, {Str::ColumnDate(), 78}, {Str::ColumnDone(), 43}};
    if (anyPrice)
        return {{Str::ColumnName(), 112}, {Str::ColumnPrice(), 52}, {Str::ColumnDone(), 43}};
    return {{Str::ColumnName(), 163}, {Str::ColumnDone(), 43}};
}

} // namespace

void CQuillmarkView::FillTree()
{
    if (!m_tree)
        return;
    m_tree->clear();
    m_hRootItem = m_tree->AddGroupItem(Str::TreeRoot(), Res::kImageGroup);
    QTreeWidgetItem *current = nullptr;
    for (int i = 0; i < m_lists.size(); ++i) {
        const CListItemArray &list = m_lists.at(i);
        QTreeWidgetItem *listNode = m_tree->AddGroupItem(list.m_strName, list.m_nIcon, m_hRootItem);
        CTreeOptionsCtrl::SetItemData(listNode, i);
        if (i == m_nCurList)
            current = listNode;
        for (int j = 0; j < list.m_items.size(); ++j) {
            const CListItem &item = list.m_items.at(j);
            QTreeWidgetItem *itemNode = m_tree->AddCheckItem(item.m_strName, listNode, item.m_bDone);
            CTreeOptionsCtrl::SetItemData(itemNode, j);
        }
    }
    m_hRootItem->setExpanded(true);
    if (current)
        current->setExpanded(true);
}

void CQuillmarkView::FillItemTable()
{
    if (!m_listItems || !HasCurrentList())
        return; // the table keeps what it showed
    const CListItemArray list = m_lists.at(m_nCurList);
    m_listItems->clear();

    bool anyDated = false;
    bool anyPrice = false;
    for (const CListItem &item : list.m_items) {
        anyDated = anyDated || item.m_bDated;
        anyPrice = anyPrice || item.m_dPrice != 0.0;
    }
    const QList<Column> columns = ColumnsFor(anyDated, anyPrice);
    QStringList headings;
    for (const Column &c : columns)
        headings << c.heading;
    m_listItems->setColumnCount(int(columns.size()));
    m_listItems->setHeaderLabels(headings);
    for (int c = 0; c < columns.size(); ++c)
        m_listItems->setColumnWidth(c, columns.at(c).width);

    QList<QTreeWidgetItem *> rows;
    rows.reserve(list.m_items.size());
    for (const CListItem &item : list.m_items) {
        QStringList texts{item.m_strName};
        if (anyPrice)
            texts << NumberText::FormatFixed2(item.m_dPrice);
        if (anyDated)
            texts << (item.m_bDated ? item.GetDateText(true) : Str::NotDated());
        texts << (item.m_bDone ? Str::Yes() : Str::No());
        auto *row = new QTreeWidgetItem(texts);
        row->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        row->setIcon(0, m_images.Icon(item.m_nIcon));
        rows.append(row);
    }
    // Row i is item i.
    m_listItems->addTopLevelItems(rows);
}

void CQuillmarkView::HarvestCheckMarks()
{
    if (!m_hRootItem)
        return;
    for (int n = 0; n < m_hRootItem->childCount(); ++n) {
        const QTreeWidgetItem *listNode = m_hRootItem->child(n);
        const qint32 l = CTreeOptionsCtrl::GetItemData(listNode);
        if (l < 0 || l >= m_lists.size())
            return; // a node that names no list stops the whole harvest
        CListItemArray work = m_lists.at(l);
        for (int c = 0; c < listNode->childCount(); ++c) {
            const QTreeWidgetItem *itemNode = listNode->child(c);
            const qint32 i = CTreeOptionsCtrl::GetItemData(itemNode);
            if (i < 0 || i >= work.m_items.size())
                continue; // never write outside the list
            CListItem item = work.GetItem(i);
            item.m_bDone = m_tree->GetCheck(itemNode);
            work.SetItem(i, item);
        }
        m_lists[l] = work;
    }
}

bool CQuillmarkView::IsListNode(QTreeWidgetItem *node) const
{
    return node && m_hRootItem && node->parent() == m_hRootItem;
}

bool CQuillmarkView::IsItemNode(QTreeWidgetItem *node) const
{
    return node && node != m_hRootItem && node->parent() && node->parent() != m_hRootItem
            && m_tree->IsCheckItem(node);
}

QTreeWidgetItem *CQuillmarkView::FindNode(int list, int item) const
{
    if (!m_hRootItem)
        return nullptr;
    for (int n = 0; n < m_hRootItem->childCount(); ++n) {
        QTreeWidgetItem *listNode = m_hRootItem->child(n);
        if (CTreeOptionsCtrl::GetItemData(listNode) != list)
            continue;
        if (item < 0)
            return listNode;
        for (int c = 0; c < listNode->childCount(); ++c) {
            if (CTreeOptionsCtrl::GetItemData(listNode->child(c)) == item)
                return listNode->child(c);
        }
        return nullptr;
    }
    return nullptr;
}
