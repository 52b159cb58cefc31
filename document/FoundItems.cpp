#include "document/FoundItems.h"

#include "document/ListsModel.h"
#include "res/Strings.h"
#include "res/Tr.h"

#include <algorithm>

CFoundItems::CFoundItems(CListsModel &lists, QObject *parent)
    : QAbstractTableModel(parent)
    , m_lists(lists)
{
    connect(&m_lists, &QAbstractItemModel::dataChanged, this, &CFoundItems::OnDataChanged);
    // Rows that come, go or move make the rows found stand for other items.
    connect(&m_lists, &QAbstractItemModel::rowsInserted, this, &CFoundItems::FindAgain);
    connect(&m_lists, &QAbstractItemModel::rowsRemoved, this, &CFoundItems::FindAgain);
    connect(&m_lists, &QAbstractItemModel::rowsMoved, this, &CFoundItems::FindAgain);
    connect(&m_lists, &QAbstractItemModel::modelReset, this, &CFoundItems::FindAgain);
    connect(&m_lists, &QAbstractItemModel::layoutChanged, this, &CFoundItems::FindAgain);
}

void CFoundItems::SetText(const QString &text)
{
    const QString folded = ItemSearch::Fold(text);
    QList<ItemSearch::Found> found;
    if (m_complete && !m_folded.isEmpty() && folded.contains(m_folded))
        found = ItemSearch::FindAmong(m_lists.Lists(), folded, m_found);
    else
        found = ItemSearch::Find(m_lists.Lists(), folded);
    m_text = text;
    m_folded = folded;
    m_complete = true;
    if (found == m_found)
        return;
    beginResetModel();
    m_found = std::move(found);
    endResetModel();
}

void CFoundItems::FindAgain()
{
    beginResetModel();
    m_found = ItemSearch::Find(m_lists.Lists(), m_folded);
    m_complete = true;
    endResetModel();
}

qsizetype CFoundItems::RowOf(const ItemSearch::Found &item) const
{
    const auto at = std::lower_bound(m_found.cbegin(), m_found.cend(), item);
    return at != m_found.cend() && *at == item ? at - m_found.cbegin() : -1;
}

void CFoundItems::OnDataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight)
{
    const int list = CListsModel::ListOf(topLeft);
    if (CListsModel::ItemOf(topLeft) < 0) {
        // A list renamed: the rows of its items show the new name.
        const auto from = std::lower_bound(m_found.cbegin(), m_found.cend(), ItemSearch::Found{topLeft.row(), 0});
        const auto to = std::lower_bound(m_found.cbegin(), m_found.cend(), ItemSearch::Found{bottomRight.row() + 1, 0});
        if (from != to)
            emit dataChanged(index(int(from - m_found.cbegin()), List), index(int(to - m_found.cbegin()) - 1, List));
        return;
    }
    for (int item = topLeft.row(); item <= bottomRight.row(); ++item) {
        const qsizetype row = RowOf({list, item});
        // An edit may make an item match that did not, or no longer: it
        // stays as it is until the next text, which then looks everywhere.
        if ((row >= 0) != ItemSearch::Matches(m_lists.Lists().at(list).m_items.at(item), m_folded))
            m_complete = false;
        if (row >= 0)
            emit dataChanged(index(int(row), 0), index(int(row), ColumnCount - 1));
    }
}

bool CFoundItems::IsRow(const QModelIndex &index) const
{
    return index.isValid() && index.model() == this && index.row() < m_found.size();
}

QModelIndex CFoundItems::ItemAt(int row) const
{
    if (row < 0 || row >= m_found.size())
        return {};
    return m_lists.ItemIndex(m_found.at(row).list, m_found.at(row).item);
}

int CFoundItems::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_found.size());
}

int CFoundItems::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant CFoundItems::data(const QModelIndex &index, int role) const
{
    if (!IsRow(index))
        return {};
    const ItemSearch::Found &found = m_found.at(index.row());
    const CListItemArray &list = m_lists.Lists().at(found.list);
    const CListItem &item = list.m_items.at(found.item);
    if (index.column() == List)
        return role == Qt::DisplayRole ? QVariant(list.m_strName) : QVariant();
    switch (role) {
    case Qt::DisplayRole:
        return item.m_strName.ToString();
    case Qt::CheckStateRole:
        return item.m_bDone ? Qt::Checked : Qt::Unchecked;
    default:
        return {};
    }
}

bool CFoundItems::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::CheckStateRole || index.column() != Name || !IsRow(index))
        return false;
    return m_lists.setData(ItemAt(index.row()).siblingAtColumn(CListsModel::Done), value, role);
}

Qt::ItemFlags CFoundItems::flags(const QModelIndex &index) const
{
    if (!IsRow(index))
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
    if (index.column() == Name)
        flags |= Qt::ItemIsUserCheckable;
    return flags;
}

QVariant CFoundItems::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    if (section == Name)
        return Str::ColumnName();
    if (section == List)
        return Tr::tr("List");
    return {};
}
