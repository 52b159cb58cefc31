#include "dialogs/QmDialog.h"

#include "platform/Prompter.h"
#include "res/ClientArea.h"
#include "res/Strings.h"

#include <QPushButton>

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

void CQmDialog::MakeOKCancel(const DialogUnits::DluRect &ok, const DialogUnits::DluRect &cancel)
{
    m_btnOK = new QPushButton(Str::ButtonOK(), this);
    m_btnOK->setDefault(true);
    DialogUnits::Place(m_btnOK, ok);
    connect(m_btnOK, &QPushButton::clicked, this, &CQmDialog::accept);
    m_btnCancel = new QPushButton(Str::ButtonCancel(), this);
    DialogUnits::Place(m_btnCancel, cancel);
    connect(m_btnCancel, &QPushButton::clicked, this, &CQmDialog::reject);
}

void CQmDialog::AllowGrowth(const TemplateGrowth &growth)
{
    m_growth = growth;
    setMinimumSize(ClientArea::kSize);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    m_growth.Apply(size() - ClientArea::kSize);
}

void CQmDialog::resizeEvent(QResizeEvent *event)
{
    m_growth.Apply(size() - ClientArea::kSize);
    QDialog::resizeEvent(event);
}

void CQmDialog::showEvent(QShowEvent *event)
{
    if (!m_initialised) {
        m_initialised = true;
        OnInitDialog();
    }
    QDialog::showEvent(event);
}
