#include "controls/ItemsFilter.h"

#include "document/ListsModel.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <utility>

namespace {

// For each item, its place in the order of `key`, equal keys sharing one.
template<typename Key>
std::vector<quint32> RanksBy(const QList<CListItem> &items, Key key)
{
    using Value = decltype(key(items.first()));
    std::vector<std::pair<Value, quint32>> order;
    order.reserve(size_t(items.size()));
    for (qsizetype i = 0; i < items.size(); ++i)
        order.emplace_back(key(items.at(i)), quint32(i));
    std::sort(order.begin(), order.end());
    std::vector<quint32> ranks(order.size());
    quint32 rank = 0;
    for (size_t i = 0; i < order.size(); ++i) {
        if (i > 0 && order[i - 1].first < order[i].first)
            ++rank;
        ranks[order[i].second] = rank;
    }
    return ranks;
}

// Marks the rank of an item with nothing to sort by in the column.
constexpr quint32 kNoValue = 0x80000000u;

template<typename HasNone>
std::vector<quint32> MarkNone(std::vector<quint32> ranks, const QList<CListItem> &items, HasNone none)
{
    for (size_t i = 0; i < ranks.size(); ++i)
        if (none(items.at(qsizetype(i))))
            ranks[i] |= kNoValue;
    return ranks;
}

// The items' places in the order of a column. Names compare as the list's
// own name order does; undated items come after the dated ones, and a price
// that is no number after every number.
std::vector<quint32> Ranks(const QList<CListItem> &items, int column)
{
    switch (column) {
    case CListsModel::Name:
        return NameRanks(items);
    case CListsModel::Price: {
        const auto none = [](const CListItem &i) { return std::isnan(i.m_dPrice); };
        return MarkNone(RanksBy(items, [&](const CListItem &i) {
            return std::pair(none(i), none(i) ? 0.0 : i.m_dPrice);
        }), items, none);
    }
    case CListsModel::Date: {
        const auto none = [](const CListItem &i) { return !i.m_bDated; };
        return MarkNone(RanksBy(items, [&](const CListItem &i) { return std::pair(none(i), none(i) ? 0 : i.m_time); }),
                        items, none);
    }
    case CListsModel::Done:
        return RanksBy(items, [](const CListItem &i) { return i.m_bDone; });
    default:
        return std::vector<quint32>(size_t(items.size()), 0);
    }
}

// The versions whose ranks are kept: a change and its undo and redo.
constexpr size_t kEarlierKept = 3;

// Whether two items have the same place in a column's order: what its
// ranks are made of, or more.
bool SameKey(const CListItem &a, const CListItem &b, int column)
{
    switch (column) {
    case CListsModel::Name:
        return a.m_strName == b.m_strName;
    case CListsModel::Price:
        return std::bit_cast<quint64>(a.m_dPrice) == std::bit_cast<quint64>(b.m_dPrice);
    case CListsModel::Date:
        return a.m_bDated == b.m_bDated && a.m_time == b.m_time;
    case CListsModel::Done:
        return a.m_bDone == b.m_bDone;
    default:
        return true;
    }
}

// The ranks of `items` taken over from an earlier version of the list that
// holds them all, in the same order, among others (the list before a
// removal, or before a tick where the column is not the done mark): ranks
// only ever compare, so those of the items left keep their order. Empty
// where `items` are no such part of it.
std::vector<quint32> RanksTakenOver(const QList<CListItem> &earlier, const std::vector<quint32> &ranks,
                                    const QList<CListItem> &items, int column)
{
    if (items.size() > earlier.size() || size_t(earlier.size()) != ranks.size())
        return {};
    std::vector<quint32> out(size_t(items.size()));
    qsizetype i = 0;
    for (qsizetype j = 0; j < items.size(); ++j, ++i) {
        while (i < earlier.size() && !SameKey(earlier.at(i), items.at(j), column))
            ++i;
        if (i == earlier.size())
            return {};
        out[size_t(j)] = ranks[size_t(i)];
    }
    return out;
}

} // namespace

CItemsFilter::CItemsFilter(CListsModel &lists, QObject *parent)
    : QSortFilterProxyModel(parent)
    , m_lists(lists)
{
    setDynamicSortFilter(false);
    setSourceModel(&lists);
    // Before the rows change under the ranks: the proxy sorts the rows that
    // come in as soon as it hears of them.
    connect(&lists, &QAbstractItemModel::rowsAboutToBeInserted, this, &CItemsFilter::ForgetRanks);
    connect(&lists, &QAbstractItemModel::rowsAboutToBeRemoved, this, &CItemsFilter::ForgetRanks);
    connect(&lists, &QAbstractItemModel::rowsAboutToBeMoved, this, &CItemsFilter::ForgetRanks);
    connect(&lists, &QAbstractItemModel::layoutAboutToBeChanged, this, &CItemsFilter::ForgetRanks);
    connect(&lists, &QAbstractItemModel::modelAboutToBeReset, this, &CItemsFilter::ForgetRanks);
    connect(&lists, &QAbstractItemModel::dataChanged, this, &CItemsFilter::ForgetRanks);
}

void CItemsFilter::ForgetRanks()
{
    DropRanks();
    m_unsettled = true;
}

void CItemsFilter::DropRanks() const
{
    m_lastRanks = nullptr;
    m_ranks.clear();
}

void CItemsFilter::sort(int column, Qt::SortOrder order)
{
    QSortFilterProxyModel::sort(column, order);
    m_unsettled = false;
}

const std::vector<quint32> &CItemsFilter::RanksOf(int list, int column) const
{
    const QList<CListItem> &items = m_lists.Lists().at(list).m_items;
    const auto known = m_ranks.find({list, column});
    if (known != m_ranks.end() && known->second.size() == size_t(items.size()))
        return known->second;
    if (!m_forgetQueued) {
        m_forgetQueued = true;
        QMetaObject::invokeMethod(
                const_cast<CItemsFilter *>(this),
                [this] {
                    m_forgetQueued = false;
                    DropRanks();
                },
                Qt::QueuedConnection);
    }
    std::vector<quint32> ranks;
    for (const Earlier &earlier : m_earlier) {
        if (earlier.column == column && !items.isEmpty())
            ranks = RanksTakenOver(earlier.items, earlier.ranks, items, column);
        if (ranks.size() == size_t(items.size()))
            break;
    }
    if (ranks.size() != size_t(items.size()))
        ranks = Ranks(items, column);
    m_earlier.push_front({column, items, ranks});
    if (m_earlier.size() > kEarlierKept)
        m_earlier.pop_back();
    return m_ranks[{list, column}] = std::move(ranks);
}

void CItemsFilter::SetHideDone(bool hide)
{
    if (hide == m_hideDone)
        return;
    m_hideDone = hide;
    // One notice for the whole table: the rows a filter leaves out or lets
    // in again lie all over a list, and told run by run they kept the
    // window from answering for minutes on a long list. The rows are
    // mapped again, and sorted, as the view asks for them.
    invalidate();
    m_unsettled = false;
}

void CItemsFilter::Settle()
{
    // Rows that nothing changed are where they belong: sorting a long list
    // again on every change of screen kept the window waiting seconds.
    if (!m_unsettled)
        return;
    if (m_hideDone) {
        invalidate();
        m_unsettled = false;
    } else if (sortColumn() >= 0) {
        sort(sortColumn(), sortOrder());
    }
}

bool CItemsFilter::hasChildren(const QModelIndex &parent) const
{
    if (m_hideDone)
        return QSortFilterProxyModel::hasChildren(parent);
    return sourceModel()->hasChildren(mapToSource(parent));
}

bool CItemsFilter::filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const
{
    if (!m_hideDone || !sourceParent.isValid())
        return true;
    const CListItem *item = m_lists.Item(m_lists.index(sourceRow, 0, sourceParent));
    return !item || !item->m_bDone;
}

// Ties keep the list's own order (the sort is stable). A long list's sort
// compares each row some twenty times: it compares numbers made once per
// row, not the items themselves, which lie all over the memory. Undated
// items, and prices that are no number, come last whichever way the column
// is sorted (the view reverses what this answers for a descending sort).
bool CItemsFilter::lessThan(const QModelIndex &left, const QModelIndex &right) const
{
    if (CListsModel::ItemOf(left) < 0 || CListsModel::ItemOf(right) < 0)
        return left.row() < right.row();
    // A sort asks for the same list's ranks each time: looked up once.
    const int list = CListsModel::ListOf(left);
    if (!m_lastRanks || m_lastList != list || m_lastColumn != left.column()) {
        m_lastRanks = &RanksOf(list, left.column());
        m_lastList = list;
        m_lastColumn = left.column();
    }
    const std::vector<quint32> &ranks = *m_lastRanks;
    const quint32 a = ranks[size_t(left.row())];
    const quint32 b = ranks[size_t(right.row())];
    if ((a & kNoValue) != (b & kNoValue))
        return ((sortOrder() == Qt::AscendingOrder ? b : a) & kNoValue) != 0;
    return a < b;
}
