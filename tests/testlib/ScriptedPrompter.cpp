#include "tests/testlib/ScriptedPrompter.h"

namespace {
QString KindName(int k)
{
    static const char *const names[] = {"message", "question", "dialog", "file chooser", "choice", "save chooser"};
    return QString::fromLatin1(names[k]);
}
} // namespace

QStringList ScriptedPrompter::Problems() const
{
    QStringList all = m_problems;
    for (const Expectation &e : m_script)
        all << QStringLiteral("expected %1 never came: %2").arg(KindName(int(e.kind)), e.text);
    return all;
}

bool ScriptedPrompter::Next(Kind kind, const QString &what, Expectation &out)
{
    if (m_script.isEmpty()) {
        m_problems << QStringLiteral("unexpected %1: %2").arg(KindName(int(kind)), what);
        return false;
    }
    out = m_script.dequeue();
    if (out.kind != kind) {
        m_problems << QStringLiteral("expected %1 \"%2\" but got %3: %4")
                              .arg(KindName(int(out.kind)), out.text, KindName(int(kind)), what);
        return false;
    }
    const bool texted = kind == Kind::Message || kind == Kind::Question || kind == Kind::Choice;
    if (texted && !out.anyText && out.text != what)
        m_problems << QStringLiteral("%1 \"%2\" instead of \"%3\"").arg(KindName(int(kind)), what, out.text);
    return true;
}

void ScriptedPrompter::Message(QWidget *, const QString &text)
{
    m_shown << text;
    Expectation e;
    Next(Kind::Message, text, e);
}

bool ScriptedPrompter::AskYesNo(QWidget *, const QString &text)
{
    m_shown << text;
    Expectation e;
    return Next(Kind::Question, text, e) && e.yes;
}

int ScriptedPrompter::AskChoice(QWidget *, const QString &text, const QStringList &choices, int defaultChoice,
                                int cancelChoice)
{
    m_shown << text;
    Expectation e;
    if (!Next(Kind::Choice, text, e))
        return cancelChoice;
    const QString offeredDefault = choices.value(defaultChoice);
    if (offeredDefault != e.defaultChoice)
        m_problems << QStringLiteral("default choice \"%1\" instead of \"%2\"").arg(offeredDefault, e.defaultChoice);
    const qsizetype answer = choices.indexOf(e.answer);
    if (answer < 0) {
        m_problems << QStringLiteral("\"%1\" is not among the choices %2").arg(e.answer, choices.join(u'|'));
        return cancelChoice;
    }
    return int(answer);
}

int ScriptedPrompter::Run(QDialog &dialog)
{
    const QString what = QString::fromLatin1(dialog.metaObject()->className());
    Expectation e;
    if (!Next(Kind::Dialog, what, e))
        return QDialog::Rejected;
    // Shown as exec() would show it (offscreen), so its set-up has run when
    // the script fills it; the script presses OK or Cancel and says which.
    dialog.setResult(QDialog::Rejected);
    dialog.show();
    const int result = e.dialog(dialog);
    dialog.hide();
    if (result < 0) {
        m_problems << QStringLiteral("a dialog of another type came: %1").arg(what);
        return QDialog::Rejected;
    }
    return result;
}

QString ScriptedPrompter::ChooseOpenFile(QWidget *, const QString &startFolder, const QString &filter)
{
    m_openFolders << startFolder;
    Expectation e;
    if (!Next(Kind::OpenFile, filter, e))
        return QString();
    return e.text;
}

QString ScriptedPrompter::ChooseSaveFile(QWidget *, const QString &suggestedPath, const QString &)
{
    Expectation e;
    if (!Next(Kind::SaveFile, suggestedPath, e))
        return QString();
    return e.text;
}
