#pragma once

#include "model/ListItem.h"

#include <QLineEdit>

#include <memory>

class CItemNames;
class QCompleter;
class QLabel;

// The one line at the bottom of a list's table in which an item is typed:
// its name, and a price at the end. As the user types, the names of the
// items of all lists are offered; a name chosen there brings its most recent
// item along. Enter asks to add the item (Shift+Enter: also when the list
// holds it already), Escape to close the field. The field only asks: the
// view decides what the line means for its list.
class CQuickAddField : public QLineEdit
{
    Q_OBJECT

public:
    explicit CQuickAddField(CItemNames &names, QWidget *parent = nullptr);

    // A short word at the field's right end ("Already on the list"); empty
    // for none.
    void SetNote(const QString &note);
    QString Note() const;
    // The item of the name last chosen among those offered, while the field
    // still starts with that name; null otherwise.
    const CListItem *Chosen() const;
    // Empties the field for the next item.
    void Clear();
    QCompleter *Completer() const { return m_completer; }

signals:
    void addRequested(bool evenIfHeld);
    void closeRequested();

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void OnEdited(const QString &text);
    void OnChosen(const QModelIndex &index);
    void PlaceNote();

    CItemNames &m_names;
    QCompleter *m_completer;
    QLabel *m_note;
    QString m_chosenName;
    std::unique_ptr<CListItem> m_chosen;
};
