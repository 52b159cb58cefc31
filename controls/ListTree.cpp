#include "controls/ListTree.h"

#include "res/ResourceIds.h"
#include "res/Strings.h"

#include <optional>

CListTree::CListTree(QWidget *parent)
    : CTreeOptionsCtrl(parent)
{
    connect(this, &CTreeOptionsCtrl::checkToggled, this, [this](QTreeWidgetItem *node, bool checked) {
        if (IsItemNode(node))
            emit itemToggled(GetItemData(node->parent()), GetItemData(node), checked);
    });
}

// Built apart from the tree and put in at once, which spares the tree a
// notice per node.
void CListTree::Fill(const CListCollection &lists, int open)
{
    clear();
    m_root = NewGroupItem(Str::TreeRoot(), Res::kImageGroup);
    QList<QTreeWidgetItem *> nodes;
    nodes.reserve(lists.size());
    for (int i = 0; i < lists.size(); ++i)
        nodes.append(NewListNode(lists.at(i), i));
    m_root->addChildren(nodes);
    addTopLevelItem(m_root);
    m_root->setExpanded(true);
    if (QTreeWidgetItem *node = m_root->child(open))
        node->setExpanded(true);
}

QTreeWidgetItem *CListTree::NewListNode(const CListItemArray &list, int index)
{
    QTreeWidgetItem *node = NewGroupItem(list.m_strName, list.m_nIcon);
    SetItemData(node, index);
    QList<QTreeWidgetItem *> items;
    items.reserve(list.m_items.size());
    for (int j = 0; j < list.m_items.size(); ++j) {
        QTreeWidgetItem *child = NewCheckItem(list.m_items.at(j).m_strName, list.m_items.at(j).m_bDone);
        SetItemData(child, j);
        items.append(child);
    }
    node->addChildren(items);
    return node;
}

void CListTree::ReplaceLists(const CListCollection &lists, int first, int removed, int inserted)
{
    if (!m_root)
        return;
    // The node the user chose, when it is about to be replaced: found again
    // afterwards in the list that takes its list's place, the item by name.
    int chosenList = -1;
    std::optional<QString> chosenItem;
    if (QTreeWidgetItem *chosen = SelectedItem(); chosen && chosen != m_root) {
        QTreeWidgetItem *listNode = chosen->parent() == m_root ? chosen : chosen->parent();
        const int at = m_root->indexOfChild(listNode);
        if (at >= first && at < first + removed) {
            chosenList = at - first;
            if (chosen != listNode)
                chosenItem = chosen->text(0);
        }
    }
    // Asked before the nodes leave the tree: the tree, not the node, knows
    // whether it is open.
    QList<bool> open;
    for (int i = 0; i < removed; ++i) {
        const QTreeWidgetItem *old = m_root->child(first + i);
        open.append(old && old->isExpanded());
    }
    for (int i = 0; i < removed; ++i)
        delete m_root->takeChild(first);
    QList<QTreeWidgetItem *> nodes;
    for (int i = first; i < first + inserted; ++i)
        nodes.append(NewListNode(lists.at(i), i));
    m_root->insertChildren(first, nodes);
    for (int i = 0; i < std::min(open.size(), nodes.size()); ++i)
        nodes.at(i)->setExpanded(open.at(i));
    if (chosenList >= 0 && chosenList < nodes.size()) {
        QTreeWidgetItem *again = nodes.at(chosenList);
        if (chosenItem) {
            QTreeWidgetItem *named = nullptr;
            for (int i = 0; i < again->childCount() && !named; ++i) {
                if (again->child(i)->text(0) == *chosenItem)
                    named = again->child(i);
            }
            again = named;
        }
        if (again)
            setCurrentItem(again);
    }
    if (removed != inserted) {
        for (int i = first + inserted; i < m_root->childCount(); ++i)
            SetItemData(m_root->child(i), i);
    }
}

void CListTree::UpdateItem(const CListItem &value, int list, int item)
{
    QTreeWidgetItem *listNode = m_root ? m_root->child(list) : nullptr;
    if (QTreeWidgetItem *node = listNode ? listNode->child(item) : nullptr) {
        node->setText(0, value.m_strName);
        SetCheck(node, value.m_bDone);
    }
}

CListTree::Node CListTree::Selected() const
{
    const QTreeWidgetItem *node = SelectedItem();
    if (IsItemNode(node))
        return {GetItemData(node->parent()), GetItemData(node)};
    if (node && m_root && node->parent() == m_root)
        return {GetItemData(node), -1};
    return {};
}

bool CListTree::IsItemNode(const QTreeWidgetItem *node) const
{
    return node && m_root && node->parent() && node->parent() != m_root && IsCheckItem(node);
}
