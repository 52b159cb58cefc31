#pragma once

#include "model/ListItem.h"

#include <QDialog>

class QPushButton;
class QTreeWidget;

// What pasted or dropped lines will add, before they are added: each item's
// name, price and done mark, then the lines left out with why. "Add N
// Items" (the default button) accepts, Cancel adds nothing.
class CPastePreviewDlg : public QDialog
{
    Q_OBJECT

public:
    CPastePreviewDlg(const QList<CListItem> &items, const QStringList &skipped, QWidget *parent = nullptr);

    QTreeWidget *Items() const { return m_items; }
    QPushButton *AddButton() const { return m_add; }

private:
    QTreeWidget *m_items;
    QPushButton *m_add;
};
