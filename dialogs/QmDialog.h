#pragma once

#include "dialogs/DialogUnits.h"
#include "dialogs/TemplateGrowth.h"

#include <QDialog>

class CIconChooser;
class Prompter;
class QLineEdit;
class QPushButton;

// The common ground of the list editing dialogs: the program's client area
// (ClientArea::kSize) as their size, set-up on the first show (so exec() and a test
// that only shows the dialog both get it), and OK routed through OnOK so that
// a dialog can refuse to close.
class CQmDialog : public QDialog
{
    Q_OBJECT

public:
    // `prompter` shows this dialog's messages, runs it and its nested
    // dialogs; null: the standard one.
    explicit CQmDialog(QWidget *parent = nullptr, Prompter *prompter = nullptr);

    Prompter &Prompts() const { return *m_prompter; }
    // Runs the dialog modally through its prompter: the QDialog::DialogCode.
    int Run();

    // OK, however it is given (button, Enter, accept()), ends up in OnOK.
    void accept() override;

    QPushButton *OKButton() const { return m_btnOK; }
    QPushButton *CancelButton() const { return m_btnCancel; }

protected:
    // Moves the members into the controls; runs once, on the first show.
    virtual void OnInitDialog() {}
    // Reads the controls back and calls EndOK() when all is well.
    virtual void OnOK() { EndOK(); }
    // Closes the dialog with OK.
    void EndOK();
    // The OK of a form with a name and an icon: a name left empty is told
    // (`nameMissing`) and the dialog stays open on its field; else the icon
    // chosen, if any, becomes `icon` and the dialog closes with OK.
    void EndNamedOK(const QString &name, QLineEdit *nameField, const CIconChooser &icons, int &icon,
                    const QString &nameMissing);
    // Makes the OK button (the default) and the Cancel button where the
    // template puts them; where it is called decides their place in the
    // Tab order.
    void MakeOKCancel(const DialogUnits::DluRect &ok, const DialogUnits::DluRect &cancel);
    // Lets the user make the dialog larger than the client area, never
    // smaller; the controls follow the extra room as `growth` says.
    void AllowGrowth(const TemplateGrowth &growth);

    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    Prompter *m_prompter;
    QPushButton *m_btnOK = nullptr;
    QPushButton *m_btnCancel = nullptr;
    TemplateGrowth m_growth;
    bool m_initialised = false;
};
