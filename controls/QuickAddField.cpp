#include "controls/QuickAddField.h"

#include "document/ItemNames.h"
#include "model/ListItem.h"
#include "res/Tr.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QKeyEvent>
#include <QLabel>

CQuickAddField::CQuickAddField(CItemNames &names, QWidget *parent)
    : QLineEdit(parent)
    , m_names(names)
    , m_completer(new QCompleter(&names, this))
    , m_note(new QLabel(this))
{
    setObjectName(QStringLiteral("quickAdd"));
    //: The placeholder of the one-line field under a list's items.
    setPlaceholderText(Tr::tr("Add an item…"));
    // A reader names the field by this; the note beside it is told as the
    // field's description, since only the field has the keyboard.
    setAccessibleName(placeholderText());
    // The rows are matched already, anywhere in a name: the completer only
    // shows them.
    m_completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    m_completer->setMaxVisibleItems(CItemNames::kMaxShown);
    m_completer->setWidget(this);
    connect(m_completer, qOverload<const QModelIndex &>(&QCompleter::activated), this, &CQuickAddField::OnChosen);
    connect(this, &QLineEdit::textEdited, this, &CQuickAddField::OnEdited);
    m_note->setObjectName(QStringLiteral("quickAddNote"));
    m_note->setForegroundRole(QPalette::PlaceholderText);
    m_note->hide();
}

void CQuickAddField::SetNote(const QString &note)
{
    m_note->setText(note);
    setAccessibleDescription(note);
    m_note->setVisible(!note.isEmpty());
    PlaceNote();
}

QString CQuickAddField::Note() const
{
    return m_note->text();
}

const CListItem *CQuickAddField::Chosen() const
{
    return m_chosen && text().startsWith(m_chosenName) ? m_chosen.get() : nullptr;
}

void CQuickAddField::Clear()
{
    clear();
    m_chosen.reset();
    m_completer->popup()->hide();
    SetNote(QString());
}

bool CQuickAddField::event(QEvent *event)
{
    // Enter and Escape are the field's while it has the keyboard, not the
    // window's commands.
    if (event->type() == QEvent::ShortcutOverride) {
        switch (static_cast<QKeyEvent *>(event)->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            event->accept();
            return true;
        default:
            break;
        }
    }
    return QLineEdit::event(event);
}

void CQuickAddField::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit addRequested(event->modifiers().testFlag(Qt::ShiftModifier));
        return;
    case Qt::Key_Escape:
        emit closeRequested();
        return;
    default:
        QLineEdit::keyPressEvent(event);
    }
}

void CQuickAddField::resizeEvent(QResizeEvent *event)
{
    QLineEdit::resizeEvent(event);
    PlaceNote();
}

void CQuickAddField::OnEdited(const QString &typed)
{
    m_names.Match(typed);
    if (m_names.rowCount() == 0)
        m_completer->popup()->hide();
    else
        m_completer->complete();
}

void CQuickAddField::OnChosen(const QModelIndex &index)
{
    if (!index.isValid())
        return;
    m_chosen = std::make_unique<CListItem>(m_names.ItemAt(index.row()));
    m_chosenName = m_chosen->m_strName;
    setText(m_chosenName);
}

void CQuickAddField::PlaceNote()
{
    const int margin = m_note->isVisible() ? m_note->sizeHint().width() + 6 : 0;
    setTextMargins(0, 0, margin, 0);
    m_note->setGeometry(width() - margin, 0, margin, height());
}
