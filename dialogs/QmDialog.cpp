#include "dialogs/QmDialog.h"

#include "platform/Prompter.h"
#include "res/ClientArea.h"

CQmDialog::CQmDialog(QWidget *parent)
    : QDialog(parent)
    , m_prompter(&Prompter::Standard())
{
    setFixedSize(ClientArea::kSize);
}

void CQmDialog::SetPrompter(Prompter *prompter)
{
    m_prompter = prompter ? prompter : &Prompter::Standard();
}

void CQmDialog::accept()
{
    OnOK();
}

void CQmDialog::EndOK()
{
    QDialog::accept();
}

void CQmDialog::showEvent(QShowEvent *event)
{
    if (!m_initialised) {
        m_initialised = true;
        OnInitDialog();
    }
    QDialog::showEvent(event);
}
