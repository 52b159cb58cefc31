#include "controls/DateField.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

// Lower case without accents, so that "Mar" finds "März" and "MÄR" too.
QString Folded(const QString &text)
{
    QString out;
    for (const QChar c : text.normalized(QString::NormalizationForm_D)) {
        if (c.category() != QChar::Mark_NonSpacing)
            out += c.toCaseFolded();
    }
    return out;
}

} // namespace

CDateField::CDateField(QWidget *parent)
    : QDateEdit(parent)
{
}

int CDateField::MonthNamed(const QString &typed) const
{
    const QString wanted = Folded(typed);
    if (wanted.isEmpty())
        return 0;
    const QLocale here = locale();
    for (int month = 1; month <= 12; ++month) {
        for (const QString &name : {here.monthName(month, QLocale::LongFormat),
                                    here.standaloneMonthName(month, QLocale::LongFormat),
                                    here.monthName(month, QLocale::ShortFormat),
                                    here.standaloneMonthName(month, QLocale::ShortFormat)}) {
            if (Folded(name).startsWith(wanted))
                return month;
        }
    }
    return 0;
}

bool CDateField::TakeLetter(const QString &letter)
{
    // Letters typed in a quick run spell one name, as in a list.
    if (!m_sinceTyped.isValid() || m_sinceTyped.elapsed() > QApplication::keyboardInputInterval())
        m_typed.clear();
    m_sinceTyped.start();
    int month = MonthNamed(m_typed + letter);
    if (month > 0) {
        m_typed += letter;
    } else {
        month = MonthNamed(letter);
        m_typed = month > 0 ? letter : QString();
    }
    if (month == 0)
        return false;
    const QDate shown = date();
    const QDate first(shown.year(), month, 1);
    setDate(QDate(shown.year(), month, qMin(shown.day(), first.daysInMonth())));
    setSelectedSection(MonthSection);
    return true;
}

void CDateField::keyPressEvent(QKeyEvent *event)
{
    const QString typed = event->text();
    const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (plain && typed.size() == 1 && typed.at(0).isLetter() && (displayedSections() & MonthSection)) {
        if (TakeLetter(typed))
            event->accept();
        else
            QDateEdit::keyPressEvent(event);
        return;
    }
    m_typed.clear();
    if (!plain || typed.size() != 1 || !typed.at(0).isDigit() || lineEdit()->hasSelectedText()) {
        QDateEdit::keyPressEvent(event);
        return;
    }
    // The edit refuses a digit that would make the part too long ("61" for
    // a month); then the digit starts the part afresh.
    // The part is the one the cursor was in: a refused key may move it on.
    const Section part = currentSection();
    const QString before = text();
    QDateEdit::keyPressEvent(event);
    if (text() == before && part != NoSection) {
        setSelectedSection(part);
        QDateEdit::keyPressEvent(event);
    }
}
