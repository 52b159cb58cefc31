#include "exchange/handover/HandOverSetupDlg.h"

#include "dialogs/DialogUnits.h"
#include "dialogs/TemplateFit.h"
#include "exchange/handover/HandOverSettings.h"
#include "platform/AppSettings.h"
#include "res/Tr.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>

namespace {

using DialogUnits::DluRect;
using DialogUnits::Place;

// Where each control sits, in dialog units.
constexpr DluRect kGroup{5, 5, 106, 40};
constexpr DluRect kItemTask{11, 16, 92, 10};
constexpr DluRect kItemAppt{11, 31, 93, 9};
// The reminder below the frame, as wide as it, its label above it so that
// neither cuts the other short in a longer language.
constexpr DluRect kReminderLabel{5, 49, 106, 9};
constexpr DluRect kReminder{5, 59, 106, 13};
constexpr DluRect kOK{16, 78, 36, 14};
constexpr DluRect kCancel{60, 78, 36, 14};

QString ReminderText(Reminder reminder)
{
    switch (reminder) {
    case Reminder::None:
        return Tr::tr("None", "no reminder");
    case Reminder::AtTheTime:
        return Tr::tr("At the time");
    case Reminder::QuarterHourBefore:
        return Tr::tr("15 minutes before");
    case Reminder::HourBefore:
        return Tr::tr("1 hour before");
    case Reminder::DayBefore:
        return Tr::tr("1 day before");
    }
    return QString();
}

} // namespace

CHandOverSetupDlg::CHandOverSetupDlg(QWidget *parent, Prompter *prompter)
    : CQmDialog(parent, prompter)
{
    setWindowTitle(Tr::tr("Setup"));

    // The frame first, so the boxes lie on top of it; then in Tab order.
    m_group = new QGroupBox(Tr::tr("Items to Calendar"), this);
    Place(m_group, kGroup);
    // Its title must not run past its frame ("Einträge an den Kalender").
    TemplateFit::GrowToHint(m_group, width() - TemplateFit::kMargin);
    const int groupRight = m_group->geometry().right();

    m_checkTask = new QCheckBox(Tr::tr("Item to Task"), this);
    Place(m_checkTask, kItemTask);
    TemplateFit::GrowToHint(m_checkTask, groupRight);
    m_checkAppt = new QCheckBox(Tr::tr("Item to Calendar"), this);
    Place(m_checkAppt, kItemAppt);
    TemplateFit::GrowToHint(m_checkAppt, groupRight);

    // The choices in the order of their stored numbers.
    m_comboReminder = new QComboBox(this);
    for (int i = 0; i < kReminderChoices; ++i)
        m_comboReminder->addItem(ReminderText(static_cast<Reminder>(i)));
    Place(m_comboReminder, kReminder);

    MakeOKCancel(kOK, kCancel);

    m_labelReminder = new QLabel(Tr::tr("&Reminder:"), this);
    Place(m_labelReminder, kReminderLabel);
    m_labelReminder->setBuddy(m_comboReminder);
    // A large font widens them up to the dialog's edge.
    TemplateFit::GrowToHint(m_labelReminder, width() - TemplateFit::kMargin);
    TemplateFit::GrowToHint(m_comboReminder, width() - TemplateFit::kMargin);
}

CHandOverSetupDlg::~CHandOverSetupDlg() = default;

void CHandOverSetupDlg::OnInitDialog()
{
    m_bItemTask = AppSettings::kItemToTask.IsOn() ? 1 : 0;
    m_bItemAppt = AppSettings::kItemToCalendar.IsOn() ? 1 : 0;
    m_nReminder = static_cast<int>(HandOverSettings::ItemReminder());
    m_checkTask->setChecked(m_bItemTask != 0);
    m_checkAppt->setChecked(m_bItemAppt != 0);
    m_comboReminder->setCurrentIndex(m_nReminder);
}

void CHandOverSetupDlg::OnOK()
{
    m_bItemTask = m_checkTask->isChecked() ? 1 : 0;
    m_bItemAppt = m_checkAppt->isChecked() ? 1 : 0;
    m_nReminder = m_comboReminder->currentIndex();
    AppSettings::kItemToTask.Set(m_bItemTask != 0);
    AppSettings::kItemToCalendar.Set(m_bItemAppt != 0);
    AppSettings::kItemReminder.Write(m_nReminder);
    EndOK();
}
