#include "view/QuillmarkView.h"

#include "controls/TreeOptionsCtrl.h"
#include "exchange/csv/CsvExport.h"
#include "platform/Prompter.h"
#include "res/Strings.h"

// "Export List...": the current list (in the tree, the selected list) as
// "Quillmark.csv" in the documents folder. Every outcome is reported.
void CQuillmarkView::OnExportList()
{
    if (m_nMode == modeTree) {
        const QList<QTreeWidgetItem *> selected = m_tree ? m_tree->selectedItems() : QList<QTreeWidgetItem *>();
        QTreeWidgetItem *node = selected.isEmpty() ? nullptr : selected.first();
        if (!IsListNode(node)) {
            Prompts().Message(this, Str::NoListSelected());
            return;
        }
        // The selected list becomes the current one, whatever follows.
        m_nCurList = CTreeOptionsCtrl::GetItemData(node);
    }
    if (m_lists.isEmpty()) {
        Prompts().Message(this, Str::NoListsToExport());
        return;
    }
    if (!HasCurrentList()) {
        Prompts().Message(this, Str::NoListSelected());
        return;
    }
    const CListItemArray list = m_lists.at(m_nCurList);
    if (list.m_items.isEmpty()) {
        Prompts().Message(this, Str::NoItemsInList());
        return;
    }
    const CsvExport::Result result = CsvExport::ExportList(list, CsvExport::ExportFilePath());
    Prompts().Message(this, CsvExport::ExportMessage(result));
}
