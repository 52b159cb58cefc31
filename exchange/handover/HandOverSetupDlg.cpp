#include "exchange/handover/HandOverSetupDlg.h"

#include "dialogs/DialogUnits.h"
#include "dialogs/TemplateFit.h"
#include "exchange/handover/HandOverSettings.h"
#include "res/Strings.h"

#include <QCheckBox>
#include <QGroupBox>

namespace {

using DialogUnits::DluRect;
using DialogUnits::Place;

// Where each control sits, in dialog units.
constexpr DluRect kGroup{5, 5, 106, 40};
constexpr DluRect kItemTask{11, 16, 92, 10};
constexpr DluRect kItemAppt{11, 31, 93, 9};
constexpr DluRect kOK{16, 50, 36, 14};
constexpr DluRect kCancel{60, 50, 36, 14};

} // namespace

CHandOverSetupDlg::CHandOverSetupDlg(QWidget *parent)
    : CQmDialog(parent)
{
    setWindowTitle(Str::HandOverSetupCaption());

    // The frame first, so the boxes lie on top of it; then in Tab order.
    m_group = new QGroupBox(Str::GroupItemsToCalendar(), this);
    Place(m_group, kGroup);
    const int groupRight = m_group->geometry().right();

    m_checkTask = new QCheckBox(Str::CheckItemToTask(), this);
    Place(m_checkTask, kItemTask);
    TemplateFit::GrowToHint(m_checkTask, groupRight);
    m_checkAppt = new QCheckBox(Str::CheckItemToCalendar(), this);
    Place(m_checkAppt, kItemAppt);
    TemplateFit::GrowToHint(m_checkAppt, groupRight);

    MakeOKCancel(kOK, kCancel);

}

CHandOverSetupDlg::~CHandOverSetupDlg() = default;

void CHandOverSetupDlg::OnInitDialog()
{
    m_bItemTask = HandOverSettings::ItemToTask() ? 1 : 0;
    m_bItemAppt = HandOverSettings::ItemToCalendar() ? 1 : 0;
    m_checkTask->setChecked(m_bItemTask != 0);
    m_checkAppt->setChecked(m_bItemAppt != 0);
}

void CHandOverSetupDlg::OnOK()
{
    m_bItemTask = m_checkTask->isChecked() ? 1 : 0;
    m_bItemAppt = m_checkAppt->isChecked() ? 1 : 0;
    HandOverSettings::SetItemToTask(m_bItemTask != 0);
    HandOverSettings::SetItemToCalendar(m_bItemAppt != 0);
    EndOK();
}
