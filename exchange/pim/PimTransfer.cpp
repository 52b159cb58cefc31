#include "exchange/pim/PimTransfer.h"

#include "exchange/pim/OleDate.h"
#include "model/ListItem.h"
#include "res/Strings.h"

#include <limits>

namespace {

PimMessage FromTable(int id)
{
    return PimMessage{id, Str::Load(id)};
}

// The item's local date and time, seconds set to 0, as the store takes it.
double ItemDate(const CListItem &item)
{
    LocalFields f;
    if (!CalendarTimeOps::ToLocal(item.m_time, f))
        return std::numeric_limits<double>::quiet_NaN(); // the store refuses it

    f.second = 0;
    return OleDate::FromFields(f);
}

// Each returns whether the item was stored; on failure why holds the reason
// when the store gave one.
bool MakeTask(const CListItem &item, PimApplication &app, QString &why)
{
    const std::unique_ptr<PimFolder> folder = app.GetDefaultFolder(PimFolderKind::Tasks);
    const std::unique_ptr<PimItemCollection> items = folder ? folder->Items() : nullptr;
    const std::unique_ptr<PimTask> task = items ? items->AddTask() : nullptr;
    if (!task)
        return false;
    task->SetSubject(item.m_strName);
    if (item.m_bDated)
        task->SetDueDate(ItemDate(item));
    task->SetComplete(item.m_bDone);
    task->SetBody(item.m_strDesc);
    return task->Save(&why);
}

bool MakeAppointment(const CListItem &item, PimApplication &app, QString &why)
{
    const std::unique_ptr<PimFolder> folder = app.GetDefaultFolder(PimFolderKind::Calendar);
    const std::unique_ptr<PimItemCollection> items = folder ? folder->Items() : nullptr;
    const std::unique_ptr<PimAppointment> appt = items ? items->AddAppointment() : nullptr;
    if (!appt)
        return false;
    appt->SetSubject(item.m_strName);
    appt->SetStart(ItemDate(item));
    appt->SetBody(item.m_strDesc);
    return appt->Save(&why);
}

} // namespace

QList<PimMessage> TransferItem(const CListItem &item, bool toTask, bool toCalendar,
                               PimApplication &app)
{
    QList<PimMessage> messages;
    if (!toTask && !toCalendar)
        return messages;
    if (!app.Logon())
        return messages;

    bool taskAdded = false;
    if (toTask) {
        QString why;
        taskAdded = MakeTask(item, app, why);
        if (!taskAdded)
            messages << PimMessage{0, Str::TaskNotAdded(why)};
    }

    bool apptAdded = false;
    if (toCalendar) {
        if (!item.m_bDated) {
            messages << FromTable(Str::IDS_ITEM_NOT_DATED);
        } else {
            QString why;
            apptAdded = MakeAppointment(item, app, why);
            if (!apptAdded)
                messages << PimMessage{0, Str::AppointmentNotAdded(why)};
        }
    }

    app.Logoff();

    if (taskAdded && apptAdded)
        messages << FromTable(Str::IDS_ADDED_TASK_AND_APPT);
    else if (taskAdded)
        messages << FromTable(Str::IDS_ADDED_TASK);
    else if (apptAdded)
        messages << FromTable(Str::IDS_ADDED_APPT);
    return messages;
}
