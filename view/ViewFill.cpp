#include "view/QuillmarkView.h"

#include "controls/TreeOptionsCtrl.h"
#include "model/QuillmarkDoc.h"
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

void TableLayoutOf(const CListItemArray &list, bool &anyDated, bool &anyPrice)
{
    anyDated = false;
    anyPrice = false;
    for (const CListItem &item : list.m_items) {
        anyDated = anyDated || item.m_bDated;
        anyPrice = anyPrice || item.m_dPrice != 0.0;
    }
}

QStringList RowTexts(const CListItem &item, bool dated, bool priced)
{
    QStringList texts{item.m_strName};
    if (priced)
        texts << NumberText::FormatFixed2(item.m_dPrice);
    if (dated)
        texts << (item.m_bDated ? item.GetDateText(true) : Str::NotDated());
    texts << (item.m_bDone ? Str::Yes() : Str::No());
    return texts;
}

} // namespace

// The whole tree anew: the root and the current list open, nothing selected.
// Built apart from the tree and put in at once, which spares the tree a
// notice per node.
void CQuillmarkView::FillTree()
{
    if (!m_tree)
        return;
    m_tree->clear();
    m_hRootItem = CTreeOptionsCtrl::NewGroupItem(Str::TreeRoot(), Res::kImageGroup);
    QList<QTreeWidgetItem *> lists;
    for (int i = 0; i < m_doc.Lists().size(); ++i)
        lists.append(NewListNode(i));
    m_hRootItem->addChildren(lists);
    m_tree->addTopLevelItem(m_hRootItem);
    m_hRootItem->setExpanded(true);
    if (HasCurrentList())
        m_hRootItem->child(m_nCurList)->setExpanded(true);
}

// A list's node with its items, in no tree yet. Item data: the list's index
// on the list node, the item's index on each item node.
QTreeWidgetItem *CQuillmarkView::NewListNode(int list) const
{
    const CListItemArray &source = m_doc.Lists().at(list);
    QTreeWidgetItem *node = CTreeOptionsCtrl::NewGroupItem(source.m_strName, source.m_nIcon);
    CTreeOptionsCtrl::SetItemData(node, list);
    QList<QTreeWidgetItem *> items;
    items.reserve(source.m_items.size());
    for (int j = 0; j < source.m_items.size(); ++j) {
        const CListItem &item = source.m_items.at(j);
        QTreeWidgetItem *child = CTreeOptionsCtrl::NewCheckItem(item.m_strName, item.m_bDone);
        CTreeOptionsCtrl::SetItemData(child, j);
        items.append(child);
    }
    node->addChildren(items);
    return node;
}

// The nodes of the lists that changed, anew; a node put in place of one
// that was open is open too. Every other node stays as the user left it.
void CQuillmarkView::ReplaceListNodes(int first, int removed, int inserted)
{
    if (!m_hRootItem)
        return;
    QList<bool> open;
    for (int i = 0; i < removed; ++i) {
        QTreeWidgetItem *old = m_hRootItem->takeChild(first);
        open.append(old && old->isExpanded());
        delete old;
    }
    QList<QTreeWidgetItem *> nodes;
    for (int i = first; i < first + inserted; ++i)
        nodes.append(NewListNode(i));
    m_hRootItem->insertChildren(first, nodes);
    for (int i = 0; i < std::min(open.size(), nodes.size()); ++i)
        nodes.at(i)->setExpanded(open.at(i));
    if (removed != inserted) {
        for (int i = first + inserted; i < m_hRootItem->childCount(); ++i)
            CTreeOptionsCtrl::SetItemData(m_hRootItem->child(i), i);
    }
}

void CQuillmarkView::UpdateItemNode(int list, int item)
{
    QTreeWidgetItem *listNode = m_hRootItem ? m_hRootItem->child(list) : nullptr;
    QTreeWidgetItem *node = listNode ? listNode->child(item) : nullptr;
    if (!node)
        return;
    const CListItem &value = m_doc.Lists().at(list).m_items.at(item);
    node->setText(0, value.m_strName);
    m_tree->SetCheck(node, value.m_bDone);
}

void CQuillmarkView::FillItemTable()
{
    if (!m_listItems || !HasCurrentList())
        return; // the table keeps what it showed
    const CListItemArray &list = m_doc.Lists().at(m_nCurList);
    m_listItems->clear();

    TableLayoutOf(list, m_tableDated, m_tablePriced);
    const QList<Column> columns = ColumnsFor(m_tableDated, m_tablePriced);
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
        auto *row = new QTreeWidgetItem(RowTexts(item, m_tableDated, m_tablePriced));
        row->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        row->setIcon(0, m_images.Icon(item.m_nIcon));
        rows.append(row);
    }
    // Row i is item i.
    m_listItems->addTopLevelItems(rows);
}

// One row anew; the whole table when the item brings or takes away the
// last date or price, and with it a column.
void CQuillmarkView::UpdateItemRow(int item)
{
    const CListItemArray &list = m_doc.Lists().at(m_nCurList);
    bool dated = false;
    bool priced = false;
    TableLayoutOf(list, dated, priced);
    QTreeWidgetItem *row = m_listItems->topLevelItem(item);
    if (dated != m_tableDated || priced != m_tablePriced || !row) {
        FillItemTable();
        return;
    }
    const CListItem &value = list.m_items.at(item);
    const QStringList texts = RowTexts(value, dated, priced);
    for (int c = 0; c < texts.size(); ++c)
        row->setText(c, texts.at(c));
    row->setIcon(0, m_images.Icon(value.m_nIcon));
}

bool CQuillmarkView::IsListNode(const QTreeWidgetItem *node) const
{
    return node && m_hRootItem && node->parent() == m_hRootItem;
}

bool CQuillmarkView::IsItemNode(const QTreeWidgetItem *node) const
{
    return node && node != m_hRootItem && node->parent() && node->parent() != m_hRootItem
            && m_tree->IsCheckItem(node);
}

// A tick in the tree is a change of the document at once, so that it can be
// undone like any other.
void CQuillmarkView::OnCheckToggled(QTreeWidgetItem *node, bool checked)
{
    if (!IsItemNode(node)
        || !m_doc.SetDone(CTreeOptionsCtrl::GetItemData(node->parent()), CTreeOptionsCtrl::GetItemData(node), checked))
        m_tree->SetCheck(node, !checked); // not ours to tick
}

int CQuillmarkView::FirstSelectedRow() const
{
    int lowest = -1;
    for (QTreeWidgetItem *row : m_listItems->selectedItems()) {
        const int index = m_listItems->indexOfTopLevelItem(row);
        if (index >= 0 && (lowest < 0 || index < lowest))
            lowest = index;
    }
    return lowest;
}
