#pragma once

#include "model/ListItemArray.h"

#include <QDialog>

class QListWidget;

// Chooses the list an item moves to: every list but its own, each with its
// icon and name, in the lists' order; the first is chosen at the start.
// Enter or a double click moves it there.
class CMoveItemDlg : public QDialog
{
    Q_OBJECT

public:
    // `from` is the index of the item's own list among `lists`.
    CMoveItemDlg(const CListCollection &lists, int from, const QString &itemName, QWidget *parent);

    // The chosen list as an index of the lists given; -1 when none is.
    int ChosenList() const;

    QListWidget *Chooser() const { return m_chooser; }

private:
    QListWidget *m_chooser;
};
