#pragma once

#include <QPlainTextEdit>

// A multi-line field in which Enter, as in every other field of the dialog,
// presses the default button; Shift+Enter or Ctrl+Enter starts a new line.
// Tab moves on to the next field instead of typing a tab.
class CDescriptionEdit : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit CDescriptionEdit(QWidget *parent = nullptr);

    // Shows `text`, with a word longer than a line broken anywhere.
    void SetText(const QString &text);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void FitWrapTo(const QString &text);
};
