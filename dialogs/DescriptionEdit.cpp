#include "dialogs/DescriptionEdit.h"

#include <QKeyEvent>

CDescriptionEdit::CDescriptionEdit(QWidget *parent)
    : QPlainTextEdit(parent)
{
    setTabChangesFocus(true);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
}

void CDescriptionEdit::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    if (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier)) {
        // A plain line feed, not the line separator Shift+Enter would give.
        textCursor().insertText(QStringLiteral("\n"));
        event->accept();
        return;
    }
    // Left to the dialog, which presses its default button.
    event->ignore();
}
