#include "controls/ItemTable.h"

#include "model/ListsModel.h"
#include "platform/Settings.h"

#include <QHeaderView>
#include <QKeyEvent>

namespace {

// The order the user last chose: a column of the lists model (-1 for the
// list's own order) and Qt::SortOrder.
const QString kSortColumnKey = QStringLiteral("SORTCOLUMN");
const QString kSortOrderKey = QStringLiteral("SORTORDER");

struct Column
{
    int column;
    int width;
};

QList<Column> ColumnsFor(bool anyDated, bool anyPrice)
{
    using M = CListsModel;
    if (anyDated && anyPrice)
        return {{M::Name, 90}, {M::Price, 52}, {M::Date, 70}, {M::Done, 43}};
    if (anyDated)
        return {{M::Name, 86}, {M::Date, 78}, {M::Done, 43}};
    if (anyPrice)
        return {{M::Name, 112}, {M::Price, 52}, {M::Done, 43}};
    return {{M::Name, 163}, {M::Done, 43}};
}

// Whether any item is dated, and whether any has a price.
std::pair<bool, bool> Layout(const CListItemArray &list)
{
    bool anyDated = false;
    bool anyPrice = false;
    for (const CListItem &item : list.m_items) {
        anyDated = anyDated || item.m_bDated;
        anyPrice = anyPrice || item.m_dPrice != 0.0;
    }
    return {anyDated, anyPrice};
}

} // namespace

CItemTable::CItemTable(CListsModel &lists, QWidget *parent)
    : CTreeOptionsCtrl(parent)
    , m_lists(lists)
    , m_filter(lists)
{
    setHeaderHidden(false);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setExpandsOnDoubleClick(false);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setAllColumnsShowFocus(true);
    header()->setStretchLastSection(false);
    setModel(&m_filter);

    int column = Settings::ReadInt(kSortColumnKey, -1);
    const bool sortable = column == CListsModel::Name || column == CListsModel::Price
            || column == CListsModel::Date || column == CListsModel::Done;
    const Qt::SortOrder order =
            Settings::ReadInt(kSortOrderKey, Qt::AscendingOrder) == Qt::DescendingOrder ? Qt::DescendingOrder
                                                                                        : Qt::AscendingOrder;
    header()->setSortIndicatorClearable(true);
    header()->setSortIndicator(sortable ? column : -1, order);
    setSortingEnabled(true);
    connect(header(), &QHeaderView::sortIndicatorChanged, this, [](int section, Qt::SortOrder sortOrder) {
        Settings::WriteInt(kSortColumnKey, section);
        Settings::WriteInt(kSortOrderKey, sortOrder);
    });

    // The columns follow the items of the list on show.
    connect(&m_lists, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex &topLeft) { OnListsChanged(topLeft.parent().isValid() ? topLeft.parent() : topLeft); });
    connect(&m_lists, &QAbstractItemModel::rowsInserted, this, &CItemTable::OnListsChanged);
    connect(&m_lists, &QAbstractItemModel::rowsRemoved, this, &CItemTable::OnListsChanged);
}

void CItemTable::OnListsChanged(const QModelIndex &parent)
{
    if (m_list.isValid() && parent == m_list)
        LayOut(false);
}

void CItemTable::LayOut(bool force)
{
    if (!m_list.isValid())
        return;
    const std::pair<bool, bool> layout = Layout(m_lists.Lists().at(m_list.row()));
    if (!force && layout == std::pair(m_dated, m_priced))
        return;
    std::tie(m_dated, m_priced) = layout;
    for (int c = 0; c < CListsModel::ColumnCount; ++c)
        setColumnHidden(c, true);
    for (const Column &c : ColumnsFor(m_dated, m_priced)) {
        setColumnHidden(c.column, false);
        setColumnWidth(c.column, c.width);
    }
}

void CItemTable::ShowList(const QModelIndex &list)
{
    m_list = list;
    m_filter.Settle();
    setRootIndex(m_filter.mapFromSource(list));
    LayOut(true);
    selectionModel()->clearSelection();
    selectionModel()->setCurrentIndex(model()->index(0, 0, rootIndex()), QItemSelectionModel::NoUpdate);
    scrollToTop();
}

QModelIndex CItemTable::ItemOf(const QModelIndex &row) const
{
    return m_filter.mapToSource(row.siblingAtColumn(CListsModel::Name));
}

QModelIndex CItemTable::FirstSelected() const
{
    QModelIndex top;
    for (const QModelIndex &row : selectionModel()->selectedRows()) {
        if (!top.isValid() || row.row() < top.row())
            top = row;
    }
    return ItemOf(top);
}

void CItemTable::SelectItem(const QModelIndex &item)
{
    const QModelIndex row = m_filter.mapFromSource(item);
    if (!row.isValid())
        return;
    selectionModel()->setCurrentIndex(row, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(row);
}

void CItemTable::keyPressEvent(QKeyEvent *event)
{
    // The first arrow chooses the current row, which a freshly shown table
    // has without showing it chosen; the next one moves on.
    const bool arrow = event->key() == Qt::Key_Down || event->key() == Qt::Key_Up;
    if (arrow && !(event->modifiers() & ~Qt::KeypadModifier) && currentIndex().isValid()
        && !selectionModel()->hasSelection()) {
        selectionModel()->select(currentIndex(), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        event->accept();
        return;
    }
    CTreeOptionsCtrl::keyPressEvent(event);
}
