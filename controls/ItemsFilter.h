#pragma once

#include "model/ListItem.h"

#include <QList>
#include <QSortFilterProxyModel>

#include <deque>
#include <map>
#include <vector>

class CListsModel;

// The lists as one view shows them: done items left out while the user hides
// them, and the items of each list in the order of a column once the user
// sorts by it (the lists keep their own order). What is shown changes only
// when the view settles it, on a change of screen: a tick does not take an
// item away from under the user's pointer, nor does an edit move it.
class CItemsFilter : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    explicit CItemsFilter(CListsModel &lists, QObject *parent = nullptr);

    CListsModel &Lists() const { return m_lists; }

    // Settles at once.
    void SetHideDone(bool hide);
    // Leaves out what is done now, and sorts what has changed.
    void Settle();

    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    // Without hiding, a list has rows when it has items: asked of every list
    // the tree shows, this spares the walk through all their items.
    bool hasChildren(const QModelIndex &parent = {}) const override;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override;

private:
    const std::vector<quint32> &RanksOf(int list, int column) const;
    void ForgetRanks();
    // The ranks made so far, and the one asked for last, let go.
    void DropRanks() const;

    CListsModel &m_lists;
    bool m_hideDone = false;
    // By list and column, its items' places in the column's order: made on
    // the first comparison of a sort and kept until the lists change or the
    // window is idle again.
    mutable std::map<std::pair<int, int>, std::vector<quint32>> m_ranks;
    mutable bool m_forgetQueued = false;
    // The ranks asked for last, and whose they are.
    mutable const std::vector<quint32> *m_lastRanks = nullptr;
    mutable int m_lastList = -1;
    mutable int m_lastColumn = -1;
    // The items of the ranks made last, and those ranks, newest first:
    // kept through changes, so that the ranks of what a removal leaves, or
    // an undo brings back, need not be made anew (a million names compared
    // again).
    struct Earlier
    {
        int column = -1;
        QList<CListItem> items;
        std::vector<quint32> ranks;
    };
    mutable std::deque<Earlier> m_earlier;
    // Whether the lists changed since the rows were last filtered and
    // sorted.
    bool m_unsettled = true;
};
