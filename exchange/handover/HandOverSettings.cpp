#include "exchange/handover/HandOverSettings.h"

#include "platform/AppPaths.h"
#include "platform/Settings.h"

#include <QDir>

namespace {

const QString kItemTask = QStringLiteral("ITEMTASK");
const QString kItemAppt = QStringLiteral("ITEMAPPT");
const QString kItemReminder = QStringLiteral("ITEMALRM");
const QString kTasksFolder = QStringLiteral("TasksFolder");
const QString kCalendarFolder = QStringLiteral("CalendarFolder");

QString FolderSetting(const QString &key, const QString &leaf)
{
    const QDir data(AppPaths::AppDataFolder());
    const QString stored = Settings::ReadString(key, QString()).trimmed();
    // A relative folder is taken from the data folder, not from wherever the
    // program happened to be started.
    if (!stored.isEmpty())
        return QDir::cleanPath(data.filePath(stored));
    return data.filePath(QStringLiteral("pim/") + leaf);
}

} // namespace

namespace HandOverSettings {

bool ItemToTask() { return Settings::ReadInt(kItemTask, 1) != 0; }
bool ItemToCalendar() { return Settings::ReadInt(kItemAppt, 0) != 0; }
void SetItemToTask(bool on) { Settings::WriteInt(kItemTask, on ? 1 : 0); }
void SetItemToCalendar(bool on) { Settings::WriteInt(kItemAppt, on ? 1 : 0); }

Reminder ItemReminder()
{
    const std::optional<int> stored = Settings::ReadStoredInt(kItemReminder);
    if (stored && *stored >= 0 && *stored < kReminderChoices)
        return static_cast<Reminder>(*stored);
    const bool setUpBefore = Settings::ReadStoredInt(kItemTask) || Settings::ReadStoredInt(kItemAppt);
    return setUpBefore ? Reminder::None : Reminder::QuarterHourBefore;
}

void SetItemReminder(Reminder reminder) { Settings::WriteInt(kItemReminder, static_cast<int>(reminder)); }

QString TasksFolder() { return FolderSetting(kTasksFolder, QStringLiteral("tasks")); }
QString CalendarFolder() { return FolderSetting(kCalendarFolder, QStringLiteral("calendar")); }

} // namespace HandOverSettings
