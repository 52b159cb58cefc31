#pragma once

#include <QPlainTextEdit>

#include <vector>

// A multi-line field in which Enter, as in every other field of the dialog,
// presses the default button; Shift+Enter or Ctrl+Enter starts a new line.
// Tab moves on to the next field instead of typing a tab.
//
// A line of thousands of characters is shown as pieces, each a paragraph of
// its own: a paragraph is laid out whole on every change, which took
// seconds for a word of some megabytes. The field tells the pieces' ends
// from line breaks of the text, which Text() gives back as they were.
class CDescriptionEdit : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit CDescriptionEdit(QWidget *parent = nullptr);

    // Shows `text`, with a word longer than a line broken anywhere.
    void SetText(const QString &text);
    // The text as shown and edited, its lines joined again where they were
    // cut into pieces; nothing else is changed.
    QString Text() const;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    QMimeData *createMimeDataFromSelection() const override;

private:
    void FitWrapTo(const QString &text);
    void OnContentsChange(int position, int removed, int added);
    bool IsCut(int position) const;
    // The text from document position `from` up to `to`.
    QString Joined(int from, int to) const;

    // The document positions of the paragraph ends that are cuts, rising.
    std::vector<int> m_cuts;
    // While SetText fits the wrapping to the text it was given.
    bool m_setting = false;
};
