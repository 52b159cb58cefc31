#include "exchange/handover/HandOver.h"

#include "exchange/handover/CalendarStore.h"
#include "model/ListItem.h"
#include "res/Strings.h"

QStringList HandOverItem(const CListItem &item, bool toTask, bool toCalendar, CCalendarStore &store)
{
    QStringList messages;

    bool taskAdded = false;
    if (toTask) {
        TaskValues task{item.m_strName, item.m_strDesc, std::nullopt, item.m_bDone};
        if (item.m_bDated)
            task.due = item.m_time;
        QString why;
        taskAdded = store.AddTask(task, &why);
        if (!taskAdded)
            messages << Str::TaskNotAdded(why);
    }

    bool eventAdded = false;
    if (toCalendar) {
        if (!item.m_bDated) {
            messages << Str::Load(Str::IDS_ITEM_NOT_DATED);
        } else {
            QString why;
            eventAdded = store.AddEvent(EventValues{item.m_strName, item.m_strDesc, item.m_time}, &why);
            if (!eventAdded)
                messages << Str::AppointmentNotAdded(why);
        }
    }

    if (taskAdded && eventAdded)
        messages << Str::Load(Str::IDS_ADDED_TASK_AND_APPT);
    else if (taskAdded)
        messages << Str::Load(Str::IDS_ADDED_TASK);
    else if (eventAdded)
        messages << Str::Load(Str::IDS_ADDED_APPT);
    return messages;
}
