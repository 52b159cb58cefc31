#pragma once

#include <QAbstractProxyModel>
#include <QPersistentModelIndex>

// The lists as the tree shows them: a root "Lists" above the lists of the
// source (a model with the lists model's rows and columns), and a single
// column, the name with the list's icon number or, for an item, its done
// mark. A tick on an item's row is the source's tick of that item.
class CListTreeModel : public QAbstractProxyModel
{
    Q_OBJECT

public:
    explicit CListTreeModel(QAbstractItemModel *source, QObject *parent = nullptr);

    QModelIndex RootIndex() const { return createIndex(0, 0, Root()); }

    QModelIndex mapToSource(const QModelIndex &proxyIndex) const override;
    QModelIndex mapFromSource(const QModelIndex &sourceIndex) const override;

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    QModelIndex sibling(int row, int column, const QModelIndex &index) const override;
    QModelIndex buddy(const QModelIndex &index) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    bool hasChildren(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    // What the root's index points at: this model, which no source index does.
    void *Root() const { return const_cast<CListTreeModel *>(this); }
    bool IsRoot(const QModelIndex &index) const { return index.isValid() && index.internalPointer() == Root(); }
    // A source parent as a parent of this model: the root for the source's top.
    QModelIndex ParentFromSource(const QModelIndex &sourceParent) const;
    void Follow(QAbstractItemModel *source);

    // While the source changes its layout: each of this model's persistent
    // indexes and the source index it stands for.
    QModelIndexList m_layoutOwn;
    QList<QPersistentModelIndex> m_layoutSource;
};
