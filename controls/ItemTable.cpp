#include "controls/ItemTable.h"

#include "document/ListsModel.h"
#include "platform/AppSettings.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QStyle>

#include <algorithm>
#include <vector>

namespace {

struct Column
{
    int column;
    int width;
};

// The columns and their own widths, made for a table 222 pixels wide.
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

// Where the width the user gave a column is kept.
const AppSettings::IntSetting &WidthSetting(int column)
{
    switch (column) {
    case CListsModel::Price:
        return AppSettings::kPriceColumnWidth;
    case CListsModel::Date:
        return AppSettings::kDateColumnWidth;
    case CListsModel::Done:
        return AppSettings::kDoneColumnWidth;
    default:
        return AppSettings::kNameColumnWidth;
    }
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

    const int column = AppSettings::kSortColumn.Read();
    const bool sortable = column == CListsModel::Name || column == CListsModel::Price
            || column == CListsModel::Date || column == CListsModel::Done;
    const Qt::SortOrder order =
            AppSettings::kSortOrder.Read() == Qt::DescendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    header()->setSortIndicatorClearable(true);
    header()->setSortIndicator(sortable ? column : -1, order);
    setSortingEnabled(true);
    connect(header(), &QHeaderView::sortIndicatorChanged, this, [this](int section, Qt::SortOrder sortOrder) {
        AppSettings::kSortColumn.Write(section);
        AppSettings::kSortOrder.Write(sortOrder);
        Measure(); // the sort mark moved
    });

    for (int c : {CListsModel::Name, CListsModel::Price, CListsModel::Date, CListsModel::Done}) {
        if (const int width = WidthSetting(c).Read(); width > 0)
            m_userWidths[c] = width;
    }
    // A width the user drags is kept a moment after the last move.
    m_saveWidths.setSingleShot(true);
    m_saveWidths.setInterval(500);
    connect(&m_saveWidths, &QTimer::timeout, this, &CItemTable::SaveWidths);
    connect(header(), &QHeaderView::sectionResized, this, [this](int section, int, int size) {
        if (m_settingWidths || size <= 0)
            return;
        m_userWidths[section] = section == CListsModel::Name ? std::max(1, size - Growth()) : size;
        m_saveWidths.start();
    });

    // The columns follow the items of the list on show.
    connect(&m_lists, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex &topLeft) { OnListsChanged(topLeft.parent().isValid() ? topLeft.parent() : topLeft); });
    connect(&m_lists, &QAbstractItemModel::rowsInserted, this, &CItemTable::OnListsChanged);
    connect(&m_lists, &QAbstractItemModel::rowsRemoved, this, &CItemTable::OnListsChanged);
}

CItemTable::~CItemTable()
{
    if (m_saveWidths.isActive())
        SaveWidths();
}

void CItemTable::SetOwnWidth(int width)
{
    if (width == m_ownWidth)
        return;
    m_ownWidth = width;
    SetWidths();
}

int CItemTable::Growth() const
{
    return m_ownWidth > 0 ? std::max(0, width() - m_ownWidth) : 0;
}

void CItemTable::OnListsChanged(const QModelIndex &parent)
{
    if (!m_list.isValid() || parent != m_list)
        return;
    if (!LayOut(false))
        Measure(); // a longer date, say
}

bool CItemTable::LayOut(bool force)
{
    if (!m_list.isValid())
        return false;
    const std::pair<bool, bool> layout = Layout(m_lists.Lists().at(CListsModel::ListOf(m_list)));
    if (!force && layout == std::pair(m_dated, m_priced))
        return false;
    std::tie(m_dated, m_priced) = layout;
    const QScopedValueRollback setting(m_settingWidths, true);
    for (int c = 0; c < CListsModel::ColumnCount; ++c)
        setColumnHidden(c, true);
    for (const Column &c : ColumnsFor(m_dated, m_priced))
        setColumnHidden(c.column, false);
    Measure();
    return true;
}

void CItemTable::Measure()
{
    m_ownWidths.clear();
    const int margin = style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header());
    for (const Column &c : ColumnsFor(m_dated, m_priced)) {
        // The heading read whole, beside the sort mark in the sorted column
        // (room for it as the header itself reckons it).
        const QString heading = model()->headerData(c.column, Qt::Horizontal).toString();
        int headingWidth = header()->fontMetrics().horizontalAdvance(heading) + 2 * margin;
        if (header()->isSortIndicatorShown() && header()->sortIndicatorSection() == c.column)
            headingWidth += header()->sizeHint().height() + margin;
        int width = std::max(c.width, headingWidth);
        // The dates and prices as the locale writes them, never cut short (a
        // price cut to "18…" misleads): the rows on show and some thousand
        // more, as Qt measures a column for its contents.
        if (c.column == CListsModel::Date || c.column == CListsModel::Price)
            width = std::max(width, sizeHintForColumn(c.column));
        m_ownWidths[c.column] = width;
    }
    SetWidths();
}

void CItemTable::SetWidths()
{
    if (!m_list.isValid())
        return;
    const QScopedValueRollback setting(m_settingWidths, true);
    int others = 0;
    int name = 0;
    for (const auto &[column, own] : m_ownWidths) {
        const auto user = m_userWidths.find(column);
        const int width = user != m_userWidths.end() ? user->second : own;
        if (column == CListsModel::Name) {
            name = width;
            continue;
        }
        setColumnWidth(column, width);
        others += width;
    }
    // The name column takes what the table grows by. Where the columns are
    // wider than the smallest table, they first use up the growth to fit.
    int extra = Growth();
    if (m_userWidths.find(CListsModel::Name) == m_userWidths.end()) {
        const int room = m_ownWidth - (width() - viewport()->width());
        extra = std::max(0, extra + std::min(0, room - others - name));
    }
    setColumnWidth(CListsModel::Name, std::max(name + extra, header()->minimumSectionSize()));
}

void CItemTable::SaveWidths()
{
    m_saveWidths.stop();
    for (const auto &[column, width] : m_userWidths)
        WidthSetting(column).Write(width);
}

bool CItemTable::viewportEvent(QEvent *event)
{
    // The window, or a scroll bar coming or going, changes the room.
    if (event->type() == QEvent::Resize)
        SetWidths();
    return CTreeOptionsCtrl::viewportEvent(event);
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

// The selection's ranges of whole rows of the list on show. Rows are chosen
// whole: selectedRows() asks of every row in turn whether all its columns
// are chosen, which on half a list of a million items took the better part
// of a second.
QList<QItemSelectionRange> CItemTable::RowRanges() const
{
    QList<QItemSelectionRange> ranges;
    for (const QItemSelectionRange &range : selectionModel()->selection()) {
        if (range.parent() == rootIndex() && range.left() <= CListsModel::Name && range.right() >= CListsModel::Name)
            ranges.append(range);
    }
    return ranges;
}

QModelIndex CItemTable::FirstSelected() const
{
    int top = -1;
    for (const QItemSelectionRange &range : RowRanges())
        top = top < 0 ? range.top() : std::min(top, range.top());
    return top < 0 ? QModelIndex() : ItemOf(model()->index(top, CListsModel::Name, rootIndex()));
}

QModelIndexList CItemTable::SelectedItems() const
{
    std::vector<int> rows;
    for (const QItemSelectionRange &range : RowRanges()) {
        for (int row = range.top(); row <= range.bottom(); ++row)
            rows.push_back(row);
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    QModelIndexList items;
    items.reserve(qsizetype(rows.size()));
    for (const int row : rows)
        items.append(ItemOf(model()->index(row, CListsModel::Name, rootIndex())));
    return items;
}

QModelIndex CItemTable::Focused() const
{
    const QModelIndex chosen = FirstSelected();
    return chosen.isValid() || !currentIndex().isValid() ? chosen : ItemOf(currentIndex());
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
