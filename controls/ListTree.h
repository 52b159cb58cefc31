#pragma once

#include "controls/ItemsFilter.h"
#include "controls/ListTreeModel.h"
#include "controls/TreeOptionsCtrl.h"

class CListsModel;
class QLabel;

// The tree of all lists: the root "Lists", below it a node per list (its
// icon and name), below each a check item per item (its done mark), done
// items left out while the user hides them. It follows the lists model row
// by row, so that what the user opened and chose stays as it was; only Fill
// closes what was open. A tick here is a tick of the document.
class CListTree : public CTreeOptionsCtrl
{
    Q_OBJECT

public:
    explicit CListTree(CListsModel &lists, QWidget *parent = nullptr);

    CItemsFilter &Filter() { return m_filter; }

    // The tree as at the start: the root open and the list `open` (an index
    // of the lists model; none when invalid) too, the others closed, nothing
    // selected.
    void Fill(const QModelIndex &open);

    // The node of a list or an item of the lists model, and back; the root
    // and nodes of nothing are invalid there.
    QModelIndex NodeOf(const QModelIndex &listsIndex) const;
    QModelIndex ListsIndexOf(const QModelIndex &node) const;
    QModelIndex RootNode() const { return m_tree.RootIndex(); }
    // What the selected node stands for: a list or an item, as an index of
    // the lists model; invalid for the root or no selection.
    QModelIndex Selected() const;

    // Said under the root while there is no list: how to make one.
    void SetEmptyText(const QString &text);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void ShowEmptyText();

    QLabel *m_emptyText = nullptr;
    CItemsFilter m_filter;
    CListTreeModel m_tree;
};
