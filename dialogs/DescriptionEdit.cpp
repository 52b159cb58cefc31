#include "dialogs/DescriptionEdit.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>

#include <algorithm>

namespace {

// Longer than any line of the field holds.
constexpr qsizetype kLongWord = 500;
// The longest piece a long line is shown as; a piece ends after a space
// where one lies within the last kWordRoom characters.
constexpr qsizetype kPiece = 4096;
constexpr qsizetype kWordRoom = 256;

bool HasLongWord(QStringView text)
{
    qsizetype run = 0;
    for (const QChar c : text) {
        run = c.isSpace() ? 0 : run + 1;
        if (run > kLongWord)
            return true;
    }
    return false;
}

// Where the piece that starts at `from` of a line ending at `end` ends.
qsizetype PieceEnd(QStringView text, qsizetype from, qsizetype end)
{
    if (end - from <= kPiece)
        return end;
    qsizetype cut = from + kPiece;
    for (qsizetype i = cut; i > cut - kWordRoom; --i) {
        if (text.at(i - 1).isSpace())
            return i;
    }
    // Never between the halves of a character beyond 16 bits.
    if (text.at(cut - 1).isHighSurrogate())
        --cut;
    return cut;
}

} // namespace

CDescriptionEdit::CDescriptionEdit(QWidget *parent)
    : QPlainTextEdit(parent)
{
    setTabChangesFocus(true);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    connect(document(), &QTextDocument::contentsChange, this, &CDescriptionEdit::OnContentsChange);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (m_cuts.empty() && !m_setting)
            FitWrapTo(toPlainText());
    });
}

void CDescriptionEdit::SetText(const QString &text)
{
    QString shown;
    std::vector<int> cuts;
    if (text.size() > kPiece) {
        shown.reserve(text.size() + text.size() / (kPiece - kWordRoom) + 1);
        for (qsizetype from = 0;;) {
            qsizetype end = text.indexOf(u'\n', from);
            if (end < 0)
                end = text.size();
            for (qsizetype piece = from;;) {
                const qsizetype next = PieceEnd(text, piece, end);
                shown += QStringView(text).sliced(piece, next - piece);
                if (next == end)
                    break;
                cuts.push_back(int(shown.size()));
                shown += u'\n';
                piece = next;
            }
            if (end == text.size())
                break;
            shown += u'\n';
            from = end + 1;
        }
    }
    FitWrapTo(text);
    m_cuts.clear();
    m_setting = true;
    setPlainText(cuts.empty() ? text : shown);
    m_setting = false;
    m_cuts = std::move(cuts);
    // The field's own undo would bring a cut back as a line break.
    setUndoRedoEnabled(m_cuts.empty());
}

// The characters as they are: toPlainText() would also turn no-break
// spaces into spaces and line separators into line feeds.
QString CDescriptionEdit::Text() const
{
    return Joined(0, document()->characterCount() - 1);
}

void CDescriptionEdit::OnContentsChange(int position, int removed, int added)
{
    const auto first = std::lower_bound(m_cuts.begin(), m_cuts.end(), position);
    const auto last = std::lower_bound(first, m_cuts.end(), position + removed);
    for (auto it = last; it != m_cuts.end(); ++it)
        *it += added - removed;
    m_cuts.erase(first, last);
}

bool CDescriptionEdit::IsCut(int position) const
{
    return std::binary_search(m_cuts.begin(), m_cuts.end(), position);
}

QString CDescriptionEdit::Joined(int from, int to) const
{
    QString out;
    for (QTextBlock block = document()->findBlock(from); block.isValid() && block.position() < to;
         block = block.next()) {
        const QString text = block.text();
        const int start = std::max(from, block.position()) - block.position();
        const int end = std::min(to, block.position() + int(text.size())) - block.position();
        if (end > start)
            out += QStringView(text).sliced(start, end - start);
        const int paragraphEnd = block.position() + int(text.size());
        if (paragraphEnd >= to)
            break;
        if (!IsCut(paragraphEnd))
            out += u'\n';
    }
    return out;
}

QMimeData *CDescriptionEdit::createMimeDataFromSelection() const
{
    if (m_cuts.empty())
        return QPlainTextEdit::createMimeDataFromSelection();
    auto *mime = new QMimeData;
    mime->setText(Joined(textCursor().selectionStart(), textCursor().selectionEnd()));
    return mime;
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
    // Backspace or Delete beside a cut takes the character beyond it: the
    // cut is no character of the text.
    QTextCursor cursor = textCursor();
    if (!cursor.hasSelection() && event->modifiers() == Qt::NoModifier) {
        if (event->key() == Qt::Key_Backspace && cursor.position() > 0 && IsCut(cursor.position() - 1)) {
            cursor.setPosition(cursor.position() - 1);
            cursor.deletePreviousChar();
            event->accept();
            return;
        }
        if (event->key() == Qt::Key_Delete && IsCut(cursor.position())) {
            cursor.setPosition(cursor.position() + 1);
            cursor.deleteChar();
            event->accept();
            return;
        }
    }
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
