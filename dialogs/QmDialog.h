#pragma once

#include <QDialog>

class Prompter;

// The common ground of the list editing dialogs: the program's fixed client
// area (ClientArea::kSize), set-up on the first show (so exec() and a test
// that only shows the dialog both get it), and OK routed through OnOK so that
// a dialog can refuse to close.
class CQmDialog : public QDialog
{
    Q_OBJECT

public:
    explicit CQmDialog(QWidget *parent = nullptr);

    // Who shows this dialog's messages (and runs its nested dialogs).
    // Null restores the standard one.
    void SetPrompter(Prompter *prompter);
    Prompter &Prompts() const { return *m_prompter; }

    // True once OnInitDialog has run.
    bool IsInitialised() const { return m_initialised; }

    // OK, however it is given (button, Enter, accept()), ends up in OnOK.
    void accept() override;

protected:
    // Moves the members into the controls; runs once, on the first show.
    virtual void OnInitDialog() {}
    // Reads the controls back and calls EndOK() when all is well.
    virtual void OnOK() { EndOK(); }
    // Closes the dialog with OK.
    void EndOK();

    void showEvent(QShowEvent *event) override;

private:
    Prompter *m_prompter;
    bool m_initialised = false;
};
