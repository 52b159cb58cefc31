#pragma once

#include "model/ListItemArray.h"
#include "res/Art.h"

#include <QTreeWidget>

// One list's items as rows, row i for item i, each with the item's icon,
// name and done mark, and a "Price" and a "Date" column while any item has
// a price or a date. Not sorted; the user may select several rows.
class CItemTable : public QTreeWidget
{
    Q_OBJECT

public:
    explicit CItemTable(QWidget *parent = nullptr);

    // All rows and columns anew; no row selected.
    void Fill(const CListItemArray &list);
    // The row of one item anew; the whole table when the item brings or
    // takes away the last date or price, and with it a column.
    void UpdateRow(const CListItemArray &list, int item);
    // The lowest selected row, or -1.
    int FirstSelectedRow() const;

private:
    QStringList RowTexts(const CListItem &item) const;

    CImageList m_images;
    // Which of the optional columns the rows have.
    bool m_dated = false;
    bool m_priced = false;
};
