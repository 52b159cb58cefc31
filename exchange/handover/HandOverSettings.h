#pragma once

#include "exchange/handover/Reminder.h"

#include <QString>

// What the hand-over's settings (AppSettings::kItemToTask and the rest) mean
// where that takes more than reading them.
namespace HandOverSettings {

// The reminder that tasks and appointments carry. When it was never stored,
// or holds no valid choice: none for a setup from before reminders existed
// (whether items become tasks or appointments is stored), so that handing
// over goes on as it did; a quarter of an hour before for a first setup.
// Only the set-up dialog's OK writes it.
Reminder ItemReminder();

// The two collections: one folder each, one .ics file per item. By default
// "pim/tasks" and "pim/calendar" in the per-user data folder, where users
// have pointed their calendar programs and sync tools (docs/calendar.md), so
// the names stay.
QString TasksFolder();
QString CalendarFolder();

} // namespace HandOverSettings
