#pragma once

#include "exchange/pim/PimObjects.h"

#include <QString>

#include <memory>

// The real calendar and task store: two vdir collections, a folder of tasks
// and a folder of appointments, each item one "<UID>.ics" file in it. Any
// program that reads such folders (todoman, khal, vdirsyncer) sees them.
class IcsStoreApplication final : public PimApplication
{
public:
    IcsStoreApplication(QString tasksFolder, QString calendarFolder);

    // The store at the folders the settings name.
    static std::unique_ptr<IcsStoreApplication> FromSettings();

    // Creates the folders when missing. A folder that cannot be made is not a
    // failure here: saving into it fails, and the hand-over reports that for
    // its kind instead of falling silent for both.
    bool Logon() override;
    std::unique_ptr<PimFolder> GetDefaultFolder(PimFolderKind kind) override;
    void Logoff() override;

    QString TasksFolder() const { return m_tasksFolder; }
    QString CalendarFolder() const { return m_calendarFolder; }

private:
    QString m_tasksFolder;
    QString m_calendarFolder;
    bool m_loggedOn = false;
};
