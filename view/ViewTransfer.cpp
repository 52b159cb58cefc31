#include "view/QuillmarkView.h"

#include "exchange/handover/CalendarStore.h"
#include "exchange/handover/HandOver.h"
#include "exchange/handover/HandOverSettings.h"
#include "exchange/handover/HandOverSetupDlg.h"
#include "platform/Prompter.h"

// The hand-over of the item on show to the calendar and task store, and its
// "Configuration".
void CQuillmarkView::OnConfiguration()
{
    CHandOverSetupDlg dlg;
    dlg.SetPrompter(m_prompter);
    Prompts().Run(dlg);
}

void CQuillmarkView::AddItemToOutlook()
{
    if (!HasCurrentItem())
        return;
    const CListItem item = m_lists.at(m_nCurList).GetItem(m_nCurItem);
    CCalendarStore store = CCalendarStore::FromSettings();
    const QStringList messages = HandOverItem(item, HandOverSettings::ItemToTask(),
                                              HandOverSettings::ItemToCalendar(), store);
    for (const QString &message : messages)
        Prompts().Message(this, message);
}
