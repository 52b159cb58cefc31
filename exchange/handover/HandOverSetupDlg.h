#pragma once

#include "dialogs/QmDialog.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;

// "Setup": whether the hand-over makes a task, an appointment or both, and
// the reminder they carry. It reads the settings when it opens; only OK
// writes them back.
class CHandOverSetupDlg : public CQmDialog
{
    Q_OBJECT

public:
    explicit CHandOverSetupDlg(QWidget *parent = nullptr, Prompter *prompter = nullptr);
    ~CHandOverSetupDlg() override;

    int m_bItemTask = 0;
    int m_bItemAppt = 0;
    int m_nReminder = 0; // a Reminder

    QGroupBox *Group() const { return m_group; }
    QCheckBox *ItemTaskBox() const { return m_checkTask; }
    QCheckBox *ItemApptBox() const { return m_checkAppt; }
    QLabel *ReminderLabel() const { return m_labelReminder; }
    QComboBox *ReminderBox() const { return m_comboReminder; }

protected:
    void OnInitDialog() override;
    void OnOK() override;

private:
    QGroupBox *m_group = nullptr;
    QCheckBox *m_checkTask = nullptr;
    QCheckBox *m_checkAppt = nullptr;
    QLabel *m_labelReminder = nullptr;
    QComboBox *m_comboReminder = nullptr;
};
