#pragma once

#include "exchange/handover/Reminder.h"

#include <QString>

// The hand-over's settings, in the "Settings" group.
namespace HandOverSettings {

// Whether the shown item becomes a task ("ITEMTASK", on when never stored)
// and an appointment ("ITEMAPPT", off when never stored).
bool ItemToTask();
bool ItemToCalendar();
// Only the set-up dialog's OK writes these.
void SetItemToTask(bool on);
void SetItemToCalendar(bool on);

// The reminder that tasks and appointments carry ("ITEMALRM"). When it was
// never stored, or holds no valid choice: none for a setup from before
// reminders existed (either setting above is stored), so that handing over
// goes on as it did; a quarter of an hour before for a first setup. Only the
// set-up dialog's OK writes it.
Reminder ItemReminder();
void SetItemReminder(Reminder reminder);

// The two collections: one folder each, one .ics file per item. Settings
// "TasksFolder" and "CalendarFolder"; by default "pim/tasks" and
// "pim/calendar" in the per-user data folder, where users have pointed their
// calendar programs and sync tools (docs/calendar.md), so the names stay.
QString TasksFolder();
QString CalendarFolder();

} // namespace HandOverSettings
