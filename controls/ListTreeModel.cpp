#include "controls/ListTreeModel.h"

#include "document/ListsModel.h"
#include "res/ResourceIds.h"
#include "res/Tr.h"

CListTreeModel::CListTreeModel(QAbstractItemModel *source, QObject *parent)
    : QAbstractProxyModel(parent)
{
    QAbstractProxyModel::setSourceModel(source);
    Follow(source);
}

QModelIndex CListTreeModel::ParentFromSource(const QModelIndex &sourceParent) const
{
    return sourceParent.isValid() ? mapFromSource(sourceParent) : RootIndex();
}

// Each notice of the source, told of the same rows here.
void CListTreeModel::Follow(QAbstractItemModel *source)
{
    connect(source, &QAbstractItemModel::rowsAboutToBeInserted, this,
            [this](const QModelIndex &parent, int first, int last) {
                beginInsertRows(ParentFromSource(parent), first, last);
            });
    connect(source, &QAbstractItemModel::rowsInserted, this, [this] { endInsertRows(); });
    connect(source, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this](const QModelIndex &parent, int first, int last) {
                beginRemoveRows(ParentFromSource(parent), first, last);
            });
    connect(source, &QAbstractItemModel::rowsRemoved, this, [this] { endRemoveRows(); });
    connect(source, &QAbstractItemModel::rowsAboutToBeMoved, this,
            [this](const QModelIndex &from, int first, int last, const QModelIndex &to, int row) {
                beginMoveRows(ParentFromSource(from), first, last, ParentFromSource(to), row);
            });
    connect(source, &QAbstractItemModel::rowsMoved, this, [this] { endMoveRows(); });
    connect(source, &QAbstractItemModel::modelAboutToBeReset, this, [this] { beginResetModel(); });
    connect(source, &QAbstractItemModel::modelReset, this, [this] { endResetModel(); });
    connect(source, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex &topLeft, const QModelIndex &bottomRight, const QList<int> &roles) {
                emit dataChanged(mapFromSource(topLeft), mapFromSource(bottomRight), roles);
            });
    connect(source, &QAbstractItemModel::layoutAboutToBeChanged, this,
            [this](const QList<QPersistentModelIndex> &parents, QAbstractItemModel::LayoutChangeHint hint) {
                QList<QPersistentModelIndex> own;
                for (const QPersistentModelIndex &parent : parents)
                    own.append(ParentFromSource(parent));
                emit layoutAboutToBeChanged(own, hint);
                m_layoutOwn.clear();
                m_layoutSource.clear();
                for (const QModelIndex &index : persistentIndexList()) {
                    if (IsRoot(index))
                        continue; // the root stays where it is
                    m_layoutOwn.append(index);
                    m_layoutSource.append(mapToSource(index));
                }
            });
    connect(source, &QAbstractItemModel::layoutChanged, this,
            [this](const QList<QPersistentModelIndex> &parents, QAbstractItemModel::LayoutChangeHint hint) {
                for (qsizetype i = 0; i < m_layoutOwn.size(); ++i)
                    changePersistentIndex(m_layoutOwn.at(i), mapFromSource(m_layoutSource.at(i)));
                m_layoutOwn.clear();
                m_layoutSource.clear();
                QList<QPersistentModelIndex> own;
                for (const QPersistentModelIndex &parent : parents)
                    own.append(ParentFromSource(parent));
                emit layoutChanged(own, hint);
            });
}

QModelIndex CListTreeModel::mapToSource(const QModelIndex &proxyIndex) const
{
    if (!proxyIndex.isValid() || IsRoot(proxyIndex))
        return {};
    return createSourceIndex(proxyIndex.row(), CListsModel::Name, proxyIndex.internalPointer());
}

// Every column of a source row is the one column here.
QModelIndex CListTreeModel::mapFromSource(const QModelIndex &sourceIndex) const
{
    if (!sourceIndex.isValid())
        return {};
    return createIndex(sourceIndex.row(), 0, sourceIndex.internalPointer());
}

QModelIndex CListTreeModel::index(int row, int column, const QModelIndex &parent) const
{
    if (column != 0 || row < 0)
        return {};
    if (!parent.isValid())
        return row == 0 ? RootIndex() : QModelIndex();
    const QModelIndex sourceParent = mapToSource(parent);
    if (!IsRoot(parent) && !sourceParent.isValid())
        return {};
    return mapFromSource(sourceModel()->index(row, CListsModel::Name, sourceParent));
}

QModelIndex CListTreeModel::parent(const QModelIndex &child) const
{
    if (!child.isValid() || IsRoot(child))
        return {};
    return ParentFromSource(mapToSource(child).parent());
}

QModelIndex CListTreeModel::sibling(int row, int column, const QModelIndex &index) const
{
    return row == index.row() && column == index.column() ? index : this->index(row, column, parent(index));
}

QModelIndex CListTreeModel::buddy(const QModelIndex &index) const
{
    return index;
}

int CListTreeModel::rowCount(const QModelIndex &parent) const
{
    if (!parent.isValid())
        return 1;
    if (parent.column() != 0)
        return 0;
    return sourceModel()->rowCount(mapToSource(parent));
}

int CListTreeModel::columnCount(const QModelIndex &) const
{
    return 1;
}

bool CListTreeModel::hasChildren(const QModelIndex &parent) const
{
    if (!parent.isValid())
        return true;
    return parent.column() == 0 && sourceModel()->hasChildren(mapToSource(parent));
}

QVariant CListTreeModel::data(const QModelIndex &index, int role) const
{
    if (IsRoot(index)) {
        if (role == Qt::DisplayRole)
            return Tr::tr("Lists");
        if (role == CListsModel::IconRole)
            return Res::kImageGroup;
        return {};
    }
    const QModelIndex source = mapToSource(index);
    if (role == Qt::CheckStateRole)
        return source.siblingAtColumn(CListsModel::Done).data(role);
    return source.data(role);
}

bool CListTreeModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::CheckStateRole || IsRoot(index) || !index.isValid())
        return false;
    return sourceModel()->setData(mapToSource(index).siblingAtColumn(CListsModel::Done), value, role);
}

Qt::ItemFlags CListTreeModel::flags(const QModelIndex &index) const
{
    if (IsRoot(index))
        return Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    const QModelIndex source = mapToSource(index);
    Qt::ItemFlags flags = source.flags();
    if (source.siblingAtColumn(CListsModel::Done).flags() & Qt::ItemIsUserCheckable)
        flags |= Qt::ItemIsUserCheckable;
    return flags;
}

QVariant CListTreeModel::headerData(int, Qt::Orientation, int) const
{
    return {};
}
