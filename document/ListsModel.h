#pragma once

#include "model/ListItemArray.h"

#include <QAbstractItemModel>

#include <memory>
#include <vector>

class CQuillmarkDoc;

// The document's lists as rows for the views: a top-level row per list, in
// the collection's order, and below it a row per item, in the list's order.
// Columns are the item table's texts; the done mark is the Done column's
// check state, and a tick set through the model is a change of the document
// (undoable, saved with the next save). The icon numbers are IconRole: the
// views turn them into pictures.
//
// The model answers from its own copy of the lists, which shares everything
// with the document's between changes. It follows the document's signals with
// exact notices: a changed item is dataChanged of its row; when lists are
// replaced, it finds each list and item again in the new version (by name,
// as a newer file's lists are found again) and tells only the rows that came
// and went, so that the views keep what the user opened and chose. It never
// resets; changes all over a long list are told as a few notices for whole
// ranges of rows.
class CListsModel : public QAbstractItemModel
{
    Q_OBJECT

public:
    enum Column { Name, Price, Date, Description, Done, ColumnCount };
    enum Role {
        // The list's or the item's icon number (Name column): 5 and above an
        // icon of the strip, as the tree's and the table's image lists count.
        IconRole = Qt::UserRole + 1,
    };

    explicit CListsModel(CQuillmarkDoc &doc, QObject *parent = nullptr);
    ~CListsModel() override;

    // The lists as the rows show them.
    const CListCollection &Lists() const { return m_lists; }

    QModelIndex ListIndex(int list, int column = Name) const;
    QModelIndex ItemIndex(int list, int item, int column = Name) const;
    // What an index of this model stands for: the list row of a list or of
    // an item's list, and the item row (-1 for a list, both -1 for none).
    static int ListOf(const QModelIndex &index);
    static int ItemOf(const QModelIndex &index);
    // The item of an item index; nullptr for any other.
    const CListItem *Item(const QModelIndex &index) const;

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    // What an item row's index points at: its list, wherever the list's row
    // moves when lists before it come or go.
    struct ListNode
    {
        int row;
    };

    void OnItemChanged(int list, int item);
    void OnListsReplaced(int first, int removed, int inserted);
    // The items of the list at `row` brought to those of `now`.
    void ReplaceItems(int row, const CListItemArray &now);
    void RenumberFrom(int row);

    CQuillmarkDoc &m_doc;
    CListCollection m_lists;
    std::vector<std::unique_ptr<ListNode>> m_nodes;
};

// Inline: a sort of a long list asks them some forty million times.
inline int CListsModel::ListOf(const QModelIndex &index)
{
    if (!index.isValid())
        return -1;
    const auto *node = static_cast<const ListNode *>(index.internalPointer());
    return node ? node->row : index.row();
}

inline int CListsModel::ItemOf(const QModelIndex &index)
{
    return index.isValid() && index.internalPointer() ? index.row() : -1;
}

