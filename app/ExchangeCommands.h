#pragma once

#include <QObject>
#include <QPointer>

class CImportRun;
class CListItem;
class CListItemArray;
class CQuillmarkDoc;
class CQuillmarkView;
class Prompter;

// What the main view's menu and buttons start but the view does not show:
// the export and import of comma-separated files, the hand-over of an item
// to the calendar and task store, and the set-up of both. Answers the view's
// requests and reports every outcome through the view's prompter; an import
// is a change of the document like any other.
class CExchangeCommands : public QObject
{
    Q_OBJECT

public:
    // Lives as long as the view it answers.
    CExchangeCommands(CQuillmarkDoc &doc, CQuillmarkView &view);

    // The list at index `list` as "Quillmark.csv" in the documents folder;
    // -1: no list was chosen.
    void ExportList(int list);
    // The same list as an iCalendar file of to-dos, where the user chooses
    // (the documents folder and the list's name proposed).
    void ExportCalendar(int list);
    // A new list, named in the New List dialog, filled from a file the user
    // chooses (starting in the folder of the last import, remembered in the
    // settings): comma-separated, or an iCalendar file of to-dos. It joins
    // the lists only when every line or to-do was imported. A large
    // comma-separated file is read in steps while the window stays alive
    // (CImportRun); one import at a time.
    void ImportList();
    // The program ends: an import under way is dropped.
    void AbandonImport();
    bool Importing() const;
    void SetupImport();
    void SetupHandOver();
    // As a task, an appointment or both, as the settings say.
    void HandOver(const CListItem &item);

private:
    Prompter &Prompts() const;
    // The list at that index when it can be exported; null after saying why not.
    const CListItemArray *ListToExport(int list);

    CQuillmarkDoc &m_doc;
    CQuillmarkView &m_view;
    QPointer<CImportRun> m_import;
};
