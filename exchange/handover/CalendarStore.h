#pragma once

#include "exchange/handover/Reminder.h"
#include "platform/CalendarTime.h"

#include <QString>

#include <optional>

// A to-do and an event as the store takes them. Times are written as their
// local minute, floating (no time zone), so a reader shows the wall-clock
// time the user entered wherever it runs.
struct TaskValues
{
    QString summary;
    QString description;
    std::optional<CalendarTime> due; // none: a task without a due date
    bool completed = false;
};

struct EventValues
{
    QString summary;
    QString description;
    CalendarTime start = 0;
};

// The calendar and task store: two vdir collections, a folder of to-dos and
// a folder of events, each item one new "<UID>.ics" file in it. Any program
// that reads such folders (todoman, khal, vdirsyncer) sees them. A task with
// a due date and every appointment carry the reminder the store was made
// with.
class CCalendarStore
{
public:
    CCalendarStore(QString tasksFolder, QString calendarFolder, Reminder reminder = Reminder::None);

    // The store at the folders, and with the reminder, the settings name.
    static CCalendarStore FromSettings();

    // Each stores one new item and makes both folders when missing, so that
    // a program syncing the two collections finds both from the first item
    // on. On failure false, with the reason in whyNot; no file is left
    // behind.
    bool AddTask(const TaskValues &task, QString *whyNot);
    bool AddEvent(const EventValues &event, QString *whyNot);

    QString TasksFolder() const { return m_tasksFolder; }
    QString CalendarFolder() const { return m_calendarFolder; }

private:
    void MakeFolders() const;

    QString m_tasksFolder;
    QString m_calendarFolder;
    Reminder m_reminder;
};
