#include "dialogs/QmDialog.h"

#include "dialogs/IconChooser.h"
#include "dialogs/TemplateFit.h"
#include "prompt/Prompter.h"
#include "res/ClientArea.h"
#include "res/Strings.h"
#include "res/Tr.h"

#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

#include <algorithm>

CQmDialog::CQmDialog(QWidget *parent, Prompter *prompter)
    : QDialog(parent)
    , m_prompter(prompter ? prompter : &Prompter::Standard())
{
    setFixedSize(ClientArea::kSize);
}

int CQmDialog::Run()
{
    return m_prompter->Run(*this);
}

void CQmDialog::accept()
{
    OnOK();
}

void CQmDialog::EndOK()
{
    QDialog::accept();
}

void CQmDialog::EndNamedOK(const QString &name, QLineEdit *nameField, const CIconChooser &icons, int &icon,
                           const QString &nameMissing)
{
    if (name.isEmpty()) {
        Prompts().Message(this, nameMissing);
        nameField->setFocus();
        return;
    }
    const int chosen = icons.SelectedIcon();
    if (chosen >= 0)
        icon = chosen;
    EndOK();
}

void CQmDialog::MakeOKCancel(const DialogUnits::DluRect &ok, const DialogUnits::DluRect &cancel)
{
    m_btnOK = new QPushButton(Tr::tr("OK"), this);
    m_btnOK->setDefault(true);
    DialogUnits::Place(m_btnOK, ok);
    connect(m_btnOK, &QPushButton::clicked, this, &CQmDialog::accept);
    m_btnCancel = new QPushButton(Str::ButtonCancel(), this);
    DialogUnits::Place(m_btnCancel, cancel);
    connect(m_btnCancel, &QPushButton::clicked, this, &CQmDialog::reject);

    // Where a larger font or a longer word ("Abbruch") no longer fits inside
    // the frame, both widen alike, the pair keeping its middle and the gap
    // between them. (A button's size hint asks for more than the template
    // ever gave, even where its text fits.)
    const auto need = [](const QPushButton *button) {
        const int frame = button->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button);
        return button->fontMetrics().horizontalAdvance(QString(button->text()).remove(QLatin1Char('&')))
                + 2 * frame + 2;
    };
    const int grow = std::max(need(m_btnOK), need(m_btnCancel)) - std::max(m_btnOK->width(), m_btnCancel->width());
    if (grow > 0) {
        const QRect okAt = m_btnOK->geometry();
        const int gap = m_btnCancel->x() - (okAt.x() + okAt.width());
        const int left = std::max(TemplateFit::kMargin, okAt.x() - grow);
        m_btnOK->setGeometry(left, okAt.y(), okAt.width() + grow, okAt.height());
        m_btnCancel->setGeometry(left + okAt.width() + grow + gap, m_btnCancel->y(), m_btnCancel->width() + grow,
                                 m_btnCancel->height());
    }
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
