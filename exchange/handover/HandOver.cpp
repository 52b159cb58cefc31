#include "exchange/handover/HandOver.h"

#include "exchange/handover/CalendarStore.h"
#include "model/ListItem.h"
#include "res/Tr.h"

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
            messages << (why.isEmpty() ? Tr::tr("The item could not be added to Tasks.")
                                       : Tr::tr("The item could not be added to Tasks: %1").arg(why));
    }

    bool eventAdded = false;
    if (toCalendar) {
        if (!item.m_bDated) {
            messages << Tr::tr("Item is not dated, unable to add to appointments.");
        } else {
            QString why;
            eventAdded = store.AddEvent(EventValues{item.m_strName, item.m_strDesc, item.m_time}, &why);
            if (!eventAdded)
                messages << (why.isEmpty() ? Tr::tr("The item could not be added to Appointments.")
                                           : Tr::tr("The item could not be added to Appointments: %1").arg(why));
        }
    }

    if (taskAdded && eventAdded)
        messages << Tr::tr("Added Item to Tasks and Appointments.");
    else if (taskAdded)
        messages << Tr::tr("Added Items to Tasks.");
    else if (eventAdded)
        messages << Tr::tr("Added Item to Appointments.");
    return messages;
}
