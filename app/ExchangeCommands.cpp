#include "app/ExchangeCommands.h"

#include "app/ImportRun.h"
#include "dialogs/NewListDlg.h"
#include "document/QuillmarkDoc.h"
#include "exchange/csv/CsvExport.h"
#include "exchange/csv/CsvImport.h"
#include "exchange/csv/CsvImportJob.h"
#include "exchange/csv/ImportFieldsDlg.h"
#include "exchange/handover/CalendarStore.h"
#include "exchange/handover/HandOver.h"
#include "exchange/handover/HandOverSetupDlg.h"
#include "exchange/ics/IcsFile.h"
#include "platform/AppPaths.h"
#include "platform/AppSettings.h"
#include "prompt/Prompter.h"
#include "res/Strings.h"
#include "res/Tr.h"
#include "view/QuillmarkView.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The import's file chooser opens in the folder of the last import; the
// first time, and when that folder has gone, in the documents folder, where
// the export goes.
QString ImportStartFolder()
{
    const QString last = AppSettings::kImportFolder.Read();
    if (QDir::isAbsolutePath(last) && QFileInfo(last).isDir())
        return last;
    return AppPaths::DocumentsFolder();
}

} // namespace

CExchangeCommands::CExchangeCommands(CQuillmarkDoc &doc, CQuillmarkView &view)
    : QObject(&view)
    , m_doc(doc)
    , m_view(view)
{
    connect(&view, &CQuillmarkView::exportRequested, this, &CExchangeCommands::ExportList);
    connect(&view, &CQuillmarkView::exportCalendarRequested, this, &CExchangeCommands::ExportCalendar);
    connect(&view, &CQuillmarkView::importRequested, this, &CExchangeCommands::ImportList);
    connect(&view, &CQuillmarkView::importSetupRequested, this, &CExchangeCommands::SetupImport);
    connect(&view, &CQuillmarkView::handOverSetupRequested, this, &CExchangeCommands::SetupHandOver);
    connect(&view, &CQuillmarkView::handOverRequested, this, &CExchangeCommands::HandOver);
}

Prompter &CExchangeCommands::Prompts() const
{
    return m_view.Prompts();
}

const CListItemArray *CExchangeCommands::ListToExport(int list)
{
    if (list < 0 || list >= m_doc.Lists().size()) {
        Prompts().Message(&m_view, Tr::tr("No List Selected."));
        return nullptr;
    }
    const CListItemArray &chosen = m_doc.Lists().at(list);
    if (chosen.m_items.isEmpty()) {
        Prompts().Message(&m_view, Tr::tr("No Items in current list."));
        return nullptr;
    }
    return &chosen;
}

void CExchangeCommands::ExportList(int list)
{
    const CListItemArray *chosen = ListToExport(list);
    if (!chosen)
        return;
    const QString path = CsvExport::ExportFilePath();
    const CsvExport::Result result = CsvExport::ExportList(*chosen, path);
    Prompts().Message(&m_view, CsvExport::ExportMessage(result, path));
}

void CExchangeCommands::ExportCalendar(int list)
{
    const CListItemArray *found = ListToExport(list);
    if (!found)
        return;
    // A copy: a sync or a reload may change the lists while the chooser is open.
    const CListItemArray chosen = *found;
    //: A file chooser's filters: translate the names, keep the patterns in brackets and the ";;".
    const QString filter = Tr::tr("iCalendar Files (*.ics);;All Files (*)");
    const QString path = Prompts().ChooseSaveFile(&m_view, IcsFile::ProposedPath(chosen.m_strName), filter);
    if (path.isEmpty())
        return;
    Prompts().Message(&m_view, IcsFile::ExportMessage(path, IcsFile::ExportList(chosen, path)));
}

void CExchangeCommands::ImportList()
{
    if (Importing())
        return;
    CNewListDlg listDlg(nullptr, &Prompts());
    if (listDlg.Run() != QDialog::Accepted) {
        Prompts().Message(&m_view, Tr::tr("A New List is required to Import Into."));
        return;
    }
    CListItemArray list;
    list.SetName(listDlg.m_strName);
    list.m_nIcon = listDlg.m_nIcon;

    //: A file chooser's filters: translate the names, keep the patterns in brackets and the ";;".
    const QString filter = Tr::tr("Comma Delimited Files (*.csv);;iCalendar Files (*.ics);;All Files (*)");
    const QString path = Prompts().ChooseOpenFile(&m_view, ImportStartFolder(), filter);
    if (path.isEmpty())
        return;
    AppSettings::kImportFolder.Write(QFileInfo(path).absolutePath());
    if (IcsFile::IsCalendarFile(path)) {
        // Read at once: its size is bounded, and libical reads it whole.
        QList<CListItem> items;
        const CsvImport::Result result = IcsFile::ImportFile(path, items);
        if (!result.Ok()) {
            Prompts().Message(&m_view, CsvImport::ImportMessage(result));
            return;
        }
        list.m_items = items;
        m_doc.AppendList(list);
        return;
    }
    CsvImport::Result failure;
    std::unique_ptr<CCsvImportJob> job = CCsvImportJob::Open(path, CImportFields::Read(), failure);
    if (!job) {
        Prompts().Message(&m_view, CsvImport::ImportMessage(failure));
        return;
    }
    m_import = new CImportRun(std::move(job), QFileInfo(path).fileName(), list.m_strName, m_view.window());
    connect(m_import, &CImportRun::imported, this, [this, list](const QList<CListItem> &items) mutable {
        list.m_items = items;
        m_doc.AppendList(list);
    });
    connect(m_import, &CImportRun::failed, this, [this](const CsvImport::Result &result) {
        Prompts().Message(&m_view, CsvImport::ImportMessage(result));
    });
    m_import->Start();
}

void CExchangeCommands::AbandonImport()
{
    if (m_import)
        m_import->Abandon();
}

bool CExchangeCommands::Importing() const
{
    return m_import && m_import->Running();
}

// The Import Fields dialog keeps its own settings.
void CExchangeCommands::SetupImport()
{
    CImportFieldsDlg dlg(m_view.window(), &Prompts());
    dlg.Run();
}

void CExchangeCommands::SetupHandOver()
{
    CHandOverSetupDlg dlg(m_view.window(), &Prompts());
    dlg.Run();
}

void CExchangeCommands::HandOver(const CListItem &item)
{
    CCalendarStore store = CCalendarStore::FromSettings();
    const QStringList messages = HandOverItem(item, AppSettings::kItemToTask.IsOn(),
                                              AppSettings::kItemToCalendar.IsOn(), store);
    for (const QString &message : messages)
        Prompts().Message(&m_view, message);
}
