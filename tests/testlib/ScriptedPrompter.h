#pragma once

#include "prompt/Prompter.h"

#include <QDialog>
#include <QQueue>
#include <QStringList>

#include <functional>

// A prompter that answers from a script. Every prompt must have been
// expected, in order; anything else is recorded as a failure, answered with
// "No"/Cancel, and reported by Problems(). No global state: each test makes its
// own and hands it to the objects under test.
class ScriptedPrompter final : public Prompter
{
public:
    void ExpectMessage(const QString &text) { m_script.enqueue({.kind = Kind::Message, .text = text}); }
    // A message whose text the test cannot know beforehand (it names a file
    // made meanwhile); check it in Shown() afterwards.
    void ExpectAnyMessage() { m_script.enqueue({.kind = Kind::Message, .anyText = true}); }
    void ExpectQuestion(const QString &text, bool answerYes)
    {
        m_script.enqueue({.kind = Kind::Question, .text = text, .yes = answerYes});
    }
    // A question with named choices: the text, the choice to answer, and the
    // choice that must be the default one (Enter's).
    void ExpectChoice(const QString &text, const QString &answer, const QString &defaultChoice)
    {
        m_script.enqueue({.kind = Kind::Choice, .text = text, .answer = answer, .defaultChoice = defaultChoice});
    }
    template<typename T>
    void ExpectDialog(std::function<int(T &)> answer)
    {
        m_script.enqueue({.kind = Kind::Dialog, .dialog = [answer](QDialog &d) -> int {
                              T *t = dynamic_cast<T *>(&d);
                              return t ? answer(*t) : -1;
                          }});
    }
    void ExpectOpenFile(const QString &pathOrEmpty) { m_script.enqueue({.kind = Kind::OpenFile, .text = pathOrEmpty}); }
    void ExpectSaveFile(const QString &pathOrEmpty) { m_script.enqueue({.kind = Kind::SaveFile, .text = pathOrEmpty}); }

    // The texts of all messages and questions shown, in order.
    QStringList Shown() const { return m_shown; }
    // The folders the file-open dialogs were opened in, in order.
    QStringList OpenFolders() const { return m_openFolders; }
    // Empty when every prompt was expected and every expectation used.
    QStringList Problems() const;

    void Message(QWidget *parent, const QString &text) override;
    bool AskYesNo(QWidget *parent, const QString &text) override;
    int AskChoice(QWidget *parent, const QString &text, const QStringList &choices, int defaultChoice,
                  int cancelChoice) override;
    int Run(QDialog &dialog) override;
    QString ChooseOpenFile(QWidget *parent, const QString &startFolder, const QString &filter) override;
    QString ChooseSaveFile(QWidget *parent, const QString &suggestedPath, const QString &filter) override;

private:
    enum class Kind { Message, Question, Dialog, OpenFile, Choice, SaveFile };
    // Every member has an initialiser, so each Expect call names only the
    // fields that matter to it.
    struct Expectation
    {
        Kind kind = Kind::Message;
        QString text{};
        bool yes = false;
        bool anyText = false;
        QString answer{}; // a choice's
        QString defaultChoice{};
        std::function<int(QDialog &)> dialog{};
    };
    // The next expectation, which must be of this kind; for a message, a
    // question or a choice, `what` must also be its text.
    bool Next(Kind kind, const QString &what, Expectation &out);

    QQueue<Expectation> m_script;
    QStringList m_shown;
    QStringList m_openFolders;
    QStringList m_problems;
};

// In a test function: fails with the list of problems, if any.
#define QM_VERIFY_PROMPTS(prompter)                                                                \
    QVERIFY2((prompter).Problems().isEmpty(), qPrintable((prompter).Problems().join(QLatin1String("; "))))
