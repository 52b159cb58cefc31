#include "exchange/handover/HandOverSettings.h"

#include "platform/AppPaths.h"
#include "platform/AppSettings.h"

#include <QDir>

using namespace AppSettings;

static_assert(kItemReminder.Low() == 0 && kItemReminder.High() == kReminderChoices - 1);
static_assert(kItemReminder.Default() == int(Reminder::QuarterHourBefore));

namespace {

QString FolderSetting(const TextSetting &setting, const QString &leaf)
{
    const QDir data(AppPaths::AppDataFolder());
    const QString stored = setting.Read().trimmed();
    // A relative folder is taken from the data folder, not from wherever the
    // program happened to be started.
    if (!stored.isEmpty())
        return QDir::cleanPath(data.filePath(stored));
    return data.filePath(QStringLiteral("pim/") + leaf);
}

} // namespace

namespace HandOverSettings {

Reminder ItemReminder()
{
    if (const std::optional<int> stored = kItemReminder.Stored())
        return static_cast<Reminder>(*stored);
    const bool setUpBefore = kItemToTask.Stored() || kItemToCalendar.Stored();
    return setUpBefore ? Reminder::None : static_cast<Reminder>(kItemReminder.Default());
}

QString TasksFolder() { return FolderSetting(kTasksFolder, QStringLiteral("tasks")); }
QString CalendarFolder() { return FolderSetting(kCalendarFolder, QStringLiteral("calendar")); }

} // namespace HandOverSettings
