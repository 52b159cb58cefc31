#include "dialogs/DescriptionEdit.h"

#include <QKeyEvent>

namespace {

// Longer than any line of the field holds.
constexpr qsizetype kLongWord = 500;

bool HasLongWord(const QString &text)
{
    qsizetype run = 0;
    for (const QChar c : text) {
        run = c.isSpace() ? 0 : run + 1;
        if (run > kLongWord)
            return true;
    }
    return false;
}

} // namespace

CDescriptionEdit::CDescriptionEdit(QWidget *parent)
    : QPlainTextEdit(parent)
{
    setTabChangesFocus(true);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    connect(this, &QPlainTextEdit::textChanged, this, [this] { FitWrapTo(toPlainText()); });
}

void CDescriptionEdit::SetText(const QString &text)
{
    FitWrapTo(text);
    setPlainText(text);
}

// Breaking at word boundaries looks at a word as a whole for every line it
// fills: a description of one word of 300,000 characters took half a
// minute to lay out. A text with a word longer than any line is broken
// anywhere, at once; other texts keep their words whole.
void CDescriptionEdit::FitWrapTo(const QString &text)
{
    const QTextOption::WrapMode mode =
            HasLongWord(text) ? QTextOption::WrapAnywhere : QTextOption::WrapAtWordBoundaryOrAnywhere;
    if (wordWrapMode() != mode)
        setWordWrapMode(mode);
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
