#pragma once

#include "controls/TreeOptionsCtrl.h"
#include "model/ListItemArray.h"

// The tree of all lists: the root "Lists", below it a node per list (its
// icon and name), below each a check item per item (its done mark). It shows
// a collection and follows its changes node by node, so that what the user
// opened and selected stays as it was; only Fill builds it anew. The ticks
// the user makes are told by list and item.
class CListTree : public CTreeOptionsCtrl
{
    Q_OBJECT

public:
    explicit CListTree(QWidget *parent = nullptr);

    // The whole tree anew: the root open and the list `open` too (-1: none),
    // the others closed, nothing selected.
    void Fill(const CListCollection &lists, int open);
    // The lists first .. first + removed - 1 gave way to the `inserted` ones
    // now at first in `lists`. A node put where an open one was is open too.
    void ReplaceLists(const CListCollection &lists, int first, int removed, int inserted);
    void UpdateItem(const CListItem &value, int list, int item);

    // What the selected node stands for: a list and one of its items; item
    // -1 for a list's node, both -1 for the root or no selection.
    struct Node
    {
        int list = -1;
        int item = -1;
    };
    Node Selected() const;

signals:
    void itemToggled(int list, int item, bool done);

private:
    // A list's node with its items, in no tree yet. Item data: the list's
    // index on the list node, the item's index on each item node.
    static QTreeWidgetItem *NewListNode(const CListItemArray &list, int index);
    bool IsItemNode(const QTreeWidgetItem *node) const;

    QTreeWidgetItem *m_root = nullptr;
};
