#include "view/QuillmarkView.h"

#include "dialogs/NewListDlg.h"
#include "exchange/csv/CsvImport.h"
#include "exchange/csv/ImportFieldsDlg.h"
#include "platform/Prompter.h"
#include "res/Strings.h"

// "Import List...": a new list, named in the New List dialog, filled from a
// comma-separated file. The list joins the collection only when every line
// of the file was imported.
void CQuillmarkView::OnImportList()
{
    CNewListDlg listDlg;
    listDlg.SetPrompter(m_prompter);
    if (Prompts().Run(listDlg) != QDialog::Accepted) {
        Prompts().Message(this, Str::Load(Str::IDS_NEED_NEW_LIST));
        return;
    }
    CListItemArray list;
    list.SetName(listDlg.m_strName);
    list.m_nIcon = listDlg.m_nIcon;

    const QString path = Prompts().ChooseOpenFile(this, Str::CsvFileFilter());
    if (path.isEmpty())
        return;

    const CsvImport::Result result = CsvImport::ImportCsvFile(path, list);
    if (!result.Ok()) {
        Prompts().Message(this, CsvImport::ImportMessage(result));
        return;
    }
    // Marks ticked since the last harvest go into the save and the new tree.
    HarvestCheckMarks();
    m_lists.append(list);
    SaveDataFile();
    FillTree();
    FillItemTable();
    Repaint();
}

// "Setup Import...": the Import Fields dialog keeps its own settings.
void CQuillmarkView::OnSetupImport()
{
    CImportFieldsDlg dlg;
    dlg.SetPrompter(m_prompter);
    Prompts().Run(dlg);
}
