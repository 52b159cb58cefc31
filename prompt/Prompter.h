#pragma once

#include <QString>
#include <QStringList>

class QDialog;
class QWidget;

// Everything that waits for a person goes through here: message boxes,
// questions, modal dialog runs and the file choosers. The program uses
// Prompter::Standard(); tests hand a scripted one to the window and dialogs.
// Message and question texts are shown as written, never as markup: they
// quote the user's list and item names.
class Prompter
{
public:
    virtual ~Prompter() = default;

    // A message box with an OK button and the caption "Quillmark".
    virtual void Message(QWidget *parent, const QString &text) = 0;
    // A message box with Yes and No; true for Yes.
    virtual bool AskYesNo(QWidget *parent, const QString &text) = 0;
    // A message box with one button per choice, `defaultChoice` pressed by
    // Enter; returns the index of the chosen one. Escape and the window's
    // close button choose `cancelChoice`. A prompter that cannot offer
    // choices answers `cancelChoice`.
    virtual int AskChoice(QWidget *parent, const QString &text, const QStringList &choices,
                          int defaultChoice, int cancelChoice);
    // Runs a dialog modally; QDialog::Accepted (1) for OK, else 0.
    virtual int Run(QDialog &dialog) = 0;
    // The file-open dialog, opened in `startFolder`; an empty string when
    // cancelled.
    virtual QString ChooseOpenFile(QWidget *parent, const QString &startFolder, const QString &filter) = 0;
    // The file-save dialog, opened at `suggestedPath`; it asks before an
    // existing file is replaced. An empty string when cancelled (always, for
    // a prompter that cannot offer it).
    virtual QString ChooseSaveFile(QWidget *parent, const QString &suggestedPath, const QString &filter);

    // The prompter that asks a real person.
    static Prompter &Standard();
};
