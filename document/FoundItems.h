#pragma once

#include "document/ItemSearch.h"

#include <QAbstractTableModel>

class CListsModel;

// The items of all lists that contain the text the user types, each with its
// list's name: a row per item, in the lists' order. The done mark is the
// Name column's check state, ticked through the lists model as anywhere
// else. The rows follow the lists: a tick or an edit is told by its row;
// lists or items that come or go find the text anew.
class CFoundItems : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { Name, List, ColumnCount };

    explicit CFoundItems(CListsModel &lists, QObject *parent = nullptr);

    // Finds the items for a new text. A text that extends the one before
    // is looked for among that one's items alone.
    void SetText(const QString &text);
    QString Text() const { return m_text; }

    // The item of a row as an index of the lists model (Name column).
    QModelIndex ItemAt(int row) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    void FindAgain();
    void OnDataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight);
    qsizetype RowOf(const ItemSearch::Found &item) const;
    bool IsRow(const QModelIndex &index) const;

    CListsModel &m_lists;
    QString m_text;
    QString m_folded;
    QList<ItemSearch::Found> m_found;
    // Whether m_found is still every match of m_folded in the lists as they
    // are (and so a longer text may look among them alone).
    bool m_complete = true;
};
