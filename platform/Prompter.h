#pragma once

#include <QString>

class QDialog;
class QWidget;

// Everything that waits for a person goes through here: message boxes,
// Yes/No questions, modal dialog runs and the file chooser. The program uses
// Prompter::Standard(); tests hand a scripted one to the window and dialogs.
class Prompter
{
public:
    virtual ~Prompter() = default;

    // A message box with an OK button and the caption "Quillmark".
    virtual void Message(QWidget *parent, const QString &text) = 0;
    // A message box with Yes and No; true for Yes.
    virtual bool AskYesNo(QWidget *parent, const QString &text) = 0;
    // Runs a dialog modally; QDialog::Accepted (1) for OK, else 0.
    virtual int Run(QDialog &dialog) = 0;
    // The file-open dialog; an empty string when cancelled.
    virtual QString ChooseOpenFile(QWidget *parent, const QString &filter) = 0;

    // The prompter that asks a real person.
    static Prompter &Standard();
};
