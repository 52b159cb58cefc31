#include "view/QuillmarkView.h"

#include "exchange/pim/IcsStore.h"
#include "exchange/pim/PimSettings.h"
#include "exchange/pim/PimSetupDlg.h"
#include "exchange/pim/PimTransfer.h"
#include "platform/Prompter.h"

// The hand-over of the item on show to the calendar and task store, and its
// "Configuration".
void CQuillmarkView::OnConfiguration()
{
    COutlookSetupDlg dlg;
    dlg.SetPrompter(m_prompter);
    Prompts().Run(dlg);
}

void CQuillmarkView::AddItemToOutlook()
{
    const bool toTask = PimSettings::ItemToTask();
    const bool toCalendar = PimSettings::ItemToCalendar();
    if ((!toTask && !toCalendar) || !HasCurrentItem())
        return;
    const CListItem item = m_lists.at(m_nCurList).GetItem(m_nCurItem);

    const std::unique_ptr<IcsStoreApplication> store = IcsStoreApplication::FromSettings();
    for (const PimMessage &message : TransferItem(item, toTask, toCalendar, *store))
        Prompts().Message(this, message.text);
}
