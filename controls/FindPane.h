#pragma once

#include "document/FoundItems.h"

#include <QWidget>

class CListsModel;
class CTreeOptionsCtrl;
class QLabel;
class QLineEdit;

// Finding an item: a field to type a piece of a name or a description into,
// and below it the items of all lists that contain it, each with its list's
// name, found again at each keystroke. Up and Down in the field choose among
// them; a match's box ticks it as in the tree.
class CFindPane : public QWidget
{
    Q_OBJECT

public:
    explicit CFindPane(CListsModel &lists, QWidget *parent = nullptr);

    // Shown anew: the text as last typed, all of it selected, the items found
    // again; the field has the keyboard.
    void Start();
    // Hidden: nothing is found meanwhile.
    void Stop();

    // The chosen match, or else (when `orFirst`) the first; as an index of the
    // lists model, invalid when there is none.
    QModelIndex Chosen(bool orFirst) const;

    QLineEdit *Field() const { return m_field; }
    CTreeOptionsCtrl *Matches() const { return m_matches; }

signals:
    // Escape: the user wants back what was on show.
    void cancelled();
    // A double click on a match.
    void opened(const QModelIndex &item);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ShowWhetherFound();

    CFoundItems m_found;
    QLineEdit *m_field;
    CTreeOptionsCtrl *m_matches;
    QLabel *m_nothing;
};
