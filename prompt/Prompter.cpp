#include "prompt/Prompter.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

namespace {

const QString kCaption = QStringLiteral("Quillmark");

// While a dialog or message box is open, and when it has closed: the keyboard
// goes back to the control that had it, in its window, which the window
// manager (or, without one, nobody) might otherwise leave without it.
class FocusBack
{
public:
    FocusBack()
        : m_control(QApplication::focusWidget())
    {
    }
    ~FocusBack()
    {
        if (!m_control || !m_control->isVisible())
            return;
        m_control->window()->activateWindow();
        m_control->setFocus(Qt::ActiveWindowFocusReason);
    }

private:
    QPointer<QWidget> m_control;
};

class StandardPrompter final : public Prompter
{
public:
    void Message(QWidget *parent, const QString &text) override
    {
        const FocusBack focusBack;
        QMessageBox box(QMessageBox::NoIcon, kCaption, text, QMessageBox::Ok, parent);
        box.setTextFormat(Qt::PlainText);
        box.exec();
    }

    bool AskYesNo(QWidget *parent, const QString &text) override
    {
        const FocusBack focusBack;
        QMessageBox box(QMessageBox::Question, kCaption, text, QMessageBox::Yes | QMessageBox::No, parent);
        box.setTextFormat(Qt::PlainText);
        box.setDefaultButton(QMessageBox::No);
        return box.exec() == QMessageBox::Yes;
    }

    int AskChoice(QWidget *parent, const QString &text, const QStringList &choices, int defaultChoice,
                  int cancelChoice) override
    {
        const FocusBack focusBack;
        QMessageBox box(QMessageBox::Warning, kCaption, text, QMessageBox::NoButton, parent);
        box.setTextFormat(Qt::PlainText);
        QList<QAbstractButton *> buttons;
        for (qsizetype i = 0; i < choices.size(); ++i) {
            // Action buttons keep the order the caller gave; the cancelling
            // one goes where the desktop puts Cancel.
            const auto role = i == cancelChoice ? QMessageBox::RejectRole : QMessageBox::ActionRole;
            QPushButton *button = box.addButton(choices.at(i), role);
            buttons.append(button);
            if (i == defaultChoice)
                box.setDefaultButton(button);
            if (i == cancelChoice)
                box.setEscapeButton(button);
        }
        box.exec();
        const qsizetype chosen = buttons.indexOf(box.clickedButton());
        return chosen >= 0 ? int(chosen) : cancelChoice;
    }

    int Run(QDialog &dialog) override
    {
        const FocusBack focusBack;
        return dialog.exec();
    }

    QString ChooseOpenFile(QWidget *parent, const QString &startFolder, const QString &filter) override
    {
        return QFileDialog::getOpenFileName(parent, QString(), startFolder, filter);
    }

    QString ChooseSaveFile(QWidget *parent, const QString &suggestedPath, const QString &filter) override
    {
        return QFileDialog::getSaveFileName(parent, QString(), suggestedPath, filter);
    }
};

} // namespace

int Prompter::AskChoice(QWidget *, const QString &, const QStringList &, int, int cancelChoice)
{
    return cancelChoice;
}

QString Prompter::ChooseSaveFile(QWidget *, const QString &, const QString &)
{
    return QString();
}

Prompter &Prompter::Standard()
{
    static StandardPrompter prompter;
    return prompter;
}
