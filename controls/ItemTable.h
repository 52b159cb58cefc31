#pragma once

#include "controls/ItemsFilter.h"
#include "controls/TreeOptionsCtrl.h"

#include <QItemSelectionRange>
#include <QPersistentModelIndex>
#include <QTimer>

#include <map>

class CListsModel;

// One list's items as rows, each with the item's icon, name and done box,
// and a "Price" and a "Date" column while any item has a price or a date.
// The rows come in the list's order, or in the order of the column whose
// header the user clicked (a second click reverses it, a third gives the
// list's order back), remembered for the next start; done items are left
// out while the user hides them. The user may select several rows, and
// ticks an item with a click on its box or the space bar.
//
// Each column is as wide as its heading and its cells need, and at least as
// wide as in a window of the smallest size; a column the user makes wider or narrower keeps
// that width, also at the next start. What the table is wider than its own
// width goes to the name column.
class CItemTable : public CTreeOptionsCtrl
{
    Q_OBJECT

public:
    explicit CItemTable(CListsModel &lists, QWidget *parent = nullptr);
    ~CItemTable() override;

    // The width the table has in the smallest window, for which the columns
    // are made; 0 (the default) gives the name column no more.
    void SetOwnWidth(int width);

    CItemsFilter &Filter() { return m_filter; }

    // The items of a list (an index of the lists model) anew, as they are
    // now sorted and filtered: no row selected, the first one current.
    void ShowList(const QModelIndex &list);
    // The topmost selected row's item, as an index of the lists model;
    // invalid when none is selected.
    QModelIndex FirstSelected() const;
    // The selected rows' items, top to bottom, as indexes of the lists model.
    QModelIndexList SelectedItems() const;
    // The item the keys work on: the topmost selected one, or else the
    // current row's, which a freshly shown table marks without selecting.
    QModelIndex Focused() const;
    // Chooses the row of an item (an index of the lists model) alone, and
    // shows it; none when it is hidden.
    void SelectItem(const QModelIndex &item);
    // The item of a row of this view, as an index of the lists model.
    QModelIndex ItemOf(const QModelIndex &row) const;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool viewportEvent(QEvent *event) override;

private:
    // The columns the items call for, when they call for others; whether
    // it laid them out (and measured them) anew.
    bool LayOut(bool force);
    // The widths the columns on show need, then the widths they get.
    void Measure();
    void SetWidths();
    // How much wider the table is than its own width.
    int Growth() const;
    void SaveWidths();
    void OnListsChanged(const QModelIndex &parent);
    QList<QItemSelectionRange> RowRanges() const;

    CListsModel &m_lists;
    CItemsFilter m_filter;
    QPersistentModelIndex m_list;
    // Which of the optional columns the rows have.
    bool m_dated = false;
    bool m_priced = false;
    int m_ownWidth = 0;
    // By column on show, the width it needs.
    std::map<int, int> m_ownWidths;
    // The widths the user gave columns (the name column's without the
    // growth), by column; while the table sets widths itself, none are taken.
    std::map<int, int> m_userWidths;
    bool m_settingWidths = false;
    QTimer m_saveWidths;
};
