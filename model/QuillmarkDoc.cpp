#include "model/QuillmarkDoc.h"

#include "model/ListMatch.h"
#include "model/UnsavedChanges.h"
#include "platform/AppPaths.h"
#include "res/Strings.h"

#include <QUndoCommand>

#include <algorithm>

namespace {

struct Span
{
    int first = 0;
    int removed = 0;
    int inserted = 0;
};

// The part of `after` that differs from `before`: what lies between their
// common start and their common end. Lists that were not touched still
// share their items with the old collection, so each comparison of an
// untouched list is a pointer comparison.
Span Difference(const CListCollection &before, const CListCollection &after)
{
    const int common = int(std::min(before.size(), after.size()));
    int head = 0;
    while (head < common && before.at(head) == after.at(head))
        ++head;
    int tail = 0;
    while (tail < common - head && before.at(before.size() - 1 - tail) == after.at(after.size() - 1 - tail))
        ++tail;
    return {head, int(before.size()) - head - tail, int(after.size()) - head - tail};
}

// Whether two looks at the file saw the same file. Two files that could not
// be read are taken for the same: nothing new is known of the second.
bool SameFile(const CFileStamp &a, const CFileStamp &b)
{
    return a.SameBytesAs(b) || (a.Exists() && b.Exists() && !a.IsReadable() && !b.IsReadable());
}

// Marks the document busy with a step of its history for as long as it lives.
class StepGuard
{
public:
    explicit StepGuard(bool &flag) : m_flag(flag), m_was(flag) { m_flag = true; }
    ~StepGuard() { m_flag = m_was; }
    StepGuard(const StepGuard &) = delete;
    StepGuard &operator=(const StepGuard &) = delete;

private:
    bool &m_flag;
    const bool m_was;
};

} // namespace

// One item set to a new value: a tick (which saves nothing) or an edit.
class CQuillmarkDoc::ItemChange : public QUndoCommand
{
public:
    ItemChange(CQuillmarkDoc &doc, const QString &text, int list, int item, CListItem after, bool saves)
        : QUndoCommand(text)
        , m_doc(doc)
        , m_list(list)
        , m_item(item)
        , m_before(doc.m_lists.at(list).m_items.at(item))
        , m_after(std::move(after))
        , m_saves(saves)
    {
    }

    void undo() override { Put(m_before); }
    void redo() override { Put(m_after); }

private:
    void Put(const CListItem &value)
    {
        const StepGuard guard(m_doc.m_inStep);
        m_doc.PutItem(m_list, m_item, value);
        if (m_saves)
            m_doc.Save();
    }

    CQuillmarkDoc &m_doc;
    const int m_list;
    const int m_item;
    const CListItem m_before;
    const CListItem m_after;
    const bool m_saves;
};

// The whole collection replaced, and saved: List Setup and an import. Both
// collections share all that the change left alone.
class CQuillmarkDoc::ListsChange : public QUndoCommand
{
public:
    ListsChange(CQuillmarkDoc &doc, const QString &text, CListCollection after)
        : QUndoCommand(text)
        , m_doc(doc)
        , m_before(doc.m_lists)
        , m_after(std::move(after))
    {
    }

    void undo() override { Put(m_before); }
    void redo() override { Put(m_after); }

private:
    void Put(const CListCollection &lists)
    {
        const StepGuard guard(m_doc.m_inStep);
        m_doc.PutLists(lists);
        m_doc.Save();
    }

    CQuillmarkDoc &m_doc;
    const CListCollection m_before;
    const CListCollection m_after;
};

CQuillmarkDoc::CQuillmarkDoc(QObject *parent)
    : QObject(parent)
    , m_store(QString())
{
}

CQuillmarkDoc::~CQuillmarkDoc() = default;

void CQuillmarkDoc::SetPath(const QString &path)
{
    m_store = CDataStore(path);
}

DataFile::LoadResult CQuillmarkDoc::Load()
{
    if (m_store.Path().isEmpty())
        m_store = CDataStore(AppPaths::DataFilePath());
    CListCollection lists;
    const DataFile::LoadResult result = m_store.Load(lists);
    m_loaded = true;
    m_saved = lists;
    ResetLists(lists);
    return result;
}

void CQuillmarkDoc::ResetLists(const CListCollection &lists)
{
    m_history.clear();
    m_historyStale = false;
    PutLists(lists);
}

bool CQuillmarkDoc::CatchUpWithFile()
{
    ClearStaleHistory();
    return CatchUp() != FileState::NotTakenIn;
}

CQuillmarkDoc::FileState CQuillmarkDoc::CatchUp()
{
    if (!m_loaded)
        return FileState::Same;
    // The cheap looks first: what the system tells of the file, else the
    // file read and hashed, not parsed.
    if (m_store.Stamp().LooksUnchanged(m_store.Path()))
        return FileState::Same;
    const CFileStamp now = CFileStamp::OfFile(m_store.Path());
    if (SameFile(now, m_store.Stamp())) {
        m_store.SawAgain(now);
        return FileState::Same;
    }
    CListCollection newer;
    CFileStamp stamp;
    const DataFile::LoadResult read = m_store.Peek(newer, stamp);
    switch (read.status) {
    case DataFile::LoadStatus::Missing:
        // Nothing there that a save could overwrite: the lists held here are
        // all there is, and the next save puts them back.
        return FileState::Same;
    case DataFile::LoadStatus::Damaged:
        // Most likely still arriving: a sync tool or a shared folder writing
        // it in place. Replacing it, even after keeping it as .bak, would
        // hide the other side's changes from the user and clash with the
        // rest of the file when it comes; so it is left alone until it can
        // be read whole, and the user is told once.
        m_notTakenInReason = read.errorString;
        if (!m_toldNotTakenIn || !SameFile(stamp, m_notTakenIn)) {
            m_notTakenIn = stamp;
            m_toldNotTakenIn = true;
            emit changesFromElsewhere(Str::NewerFileNotTakenIn(m_store.Path(), read.errorString));
        }
        return FileState::NotTakenIn;
    case DataFile::LoadStatus::Complete:
        break;
    }
    TakeIn(newer, stamp);
    return FileState::TakenIn;
}

void CQuillmarkDoc::TakeIn(const CListCollection &newer, const CFileStamp &stamp)
{
    UnsavedChanges::Result merged;
    if (HasUnsavedChanges())
        merged = UnsavedChanges::PutOnto(newer, m_saved, m_lists);
    else
        merged.lists = newer;
    m_store.TookIn(stamp);
    m_toldNotTakenIn = false;
    m_saved = newer;
    if (m_inStep) {
        // The step that runs now is still on the history: it goes when the
        // step has ended.
        PutLists(merged.lists);
        m_historyStale = true;
    } else {
        ResetLists(merged.lists);
    }
    const QString message = UnsavedChanges::Describe(merged.notes);
    if (!message.isEmpty())
        emit changesFromElsewhere(message);
}

CListCollection CQuillmarkDoc::Rebase(const CListCollection &before, const CListCollection &after)
{
    UnsavedChanges::Result rebased = UnsavedChanges::PutOnto(m_lists, before, after);
    const QString message = UnsavedChanges::Describe(rebased.notes);
    if (!message.isEmpty())
        emit changesFromElsewhere(message);
    return rebased.lists;
}

void CQuillmarkDoc::ClearStaleHistory()
{
    if (m_historyStale && !m_inStep) {
        m_historyStale = false;
        m_history.clear();
    }
}

void CQuillmarkDoc::Push(QUndoCommand *command)
{
    m_history.push(command);
    ClearStaleHistory();
}

void CQuillmarkDoc::PushLists(const QString &text, const CListCollection &after)
{
    if (after == m_lists)
        Save();
    else
        Push(new ListsChange(*this, text, after));
}

void CQuillmarkDoc::Undo()
{
    Step(&QUndoStack::undo);
}

void CQuillmarkDoc::Redo()
{
    Step(&QUndoStack::redo);
}

void CQuillmarkDoc::Step(void (QUndoStack::*step)())
{
    ClearStaleHistory();
    // A newer file starts a new history: nothing is left to step through.
    if (CatchUp() == FileState::TakenIn)
        return;
    (m_history.*step)();
    ClearStaleHistory();
}

bool CQuillmarkDoc::Save()
{
    QString error;
    if (TrySave(error))
        return true;
    emit saveFailed(Str::SaveFailed(m_store.Path(), error));
    return false;
}

bool CQuillmarkDoc::TrySave(QString &errorString)
{
    m_lastSaveOk = false;
    if (!m_loaded) {
        m_lastSaveOk = true;
        return true;
    }
    if (CatchUp() == FileState::NotTakenIn) {
        errorString = Str::NewerFileNotReplaced(m_notTakenInReason);
        return false;
    }
    if (!m_store.Save(m_lists)) {
        errorString = m_store.ErrorString();
        return false;
    }
    m_lastWrite = m_store.Stamp();
    m_lastWritten = m_lists;
    m_lastWriteBase = m_saved;
    m_saved = m_lists;
    m_lastSaveOk = true;
    return true;
}

bool CQuillmarkDoc::HasItem(int list, int item) const
{
    return list >= 0 && list < m_lists.size() && item >= 0 && item < m_lists.at(list).m_items.size();
}

bool CQuillmarkDoc::SetDone(int list, int item, bool done)
{
    if (!HasItem(list, item))
        return false;
    ClearStaleHistory();
    CListItem value = m_lists.at(list).m_items.at(item);
    if (value.m_bDone == done)
        return true;
    value.m_bDone = done;
    const QString text = done ? Str::ChangeTick(value.m_strName) : Str::ChangeUntick(value.m_strName);
    Push(new ItemChange(*this, text, list, item, value, false));
    return true;
}

bool CQuillmarkDoc::ReplaceItem(int list, int item, const CListItem &value)
{
    if (!HasItem(list, item))
        return false;
    ClearStaleHistory();
    const CListCollection before = m_lists;
    const CListItem &old = before.at(list).m_items.at(item);
    const QString text = Str::ChangeEdit(old.m_strName);
    if (CatchUp() == FileState::TakenIn) {
        // Made on the lists the newer file replaced: put onto the newer ones,
        // on the item it was made on even when the edit renamed it.
        const CListItemArray &edited = before.at(list);
        const qsizetype l = ListMatch::NthListNamed(m_lists, edited.m_strName, ListMatch::ListOccurrence(before, list));
        const qsizetype t = l < 0 ? -1 : ListMatch::MatchItems(edited, m_lists.at(l)).at(item);
        if (t < 0) {
            CListCollection after = before;
            after[list].SetItem(item, value);
            PushLists(text, Rebase(before, after));
            return true;
        }
        CListCollection after = m_lists;
        const UnsavedChanges::ItemMerge merged = UnsavedChanges::MergeItem(old, value, m_lists.at(l).m_items.at(t));
        after[l].SetItem(t, merged.inPlace);
        if (merged.mineBeside) {
            after[l].AddItemSorted(value);
            emit changesFromElsewhere(UnsavedChanges::Describe(
                    {{UnsavedChanges::Note::Kind::KeptBoth, edited.m_strName, old.m_strName}}));
        }
        PushLists(text, after);
    } else if (value == old) {
        Save();
    } else {
        Push(new ItemChange(*this, text, list, item, value, true));
    }
    return true;
}

void CQuillmarkDoc::ReplaceLists(const CListCollection &lists)
{
    ChangeLists(Str::ChangeListSetup(), lists);
}

void CQuillmarkDoc::AppendList(const CListItemArray &list)
{
    CListCollection lists = m_lists;
    lists.append(list);
    ChangeLists(Str::ChangeImport(list.m_strName), lists);
}

bool CQuillmarkDoc::MergeIn(const CListCollection &lists)
{
    ChangeLists(Str::ChangeMergeCopies(), lists);
    return m_lastSaveOk;
}

bool CQuillmarkDoc::IsOwnSaveSetAside(const QString &path) const
{
    return m_lastWrite.Exists() && !m_store.Stamp().SameBytesAs(m_lastWrite)
            && CFileStamp::OfFile(path).SameBytesAs(m_lastWrite);
}

bool CQuillmarkDoc::TakeBackOwnSave()
{
    // What that save changed, put onto what the lists are now.
    UnsavedChanges::Result back = UnsavedChanges::PutOnto(m_lists, m_lastWriteBase, m_lastWritten);
    const QString message = UnsavedChanges::Describe(back.notes);
    if (!message.isEmpty())
        emit changesFromElsewhere(message);
    m_lastWrite = CFileStamp();
    ChangeLists(Str::ChangeMergeCopies(), back.lists);
    return m_lastSaveOk;
}

void CQuillmarkDoc::ChangeLists(const QString &text, const CListCollection &after)
{
    ClearStaleHistory();
    const CListCollection before = m_lists;
    if (CatchUp() == FileState::TakenIn)
        PushLists(text, Rebase(before, after));
    else
        PushLists(text, after);
}

void CQuillmarkDoc::PutItem(int list, int item, const CListItem &value)
{
    m_lists[list].SetItem(item, value);
    emit itemChanged(list, item);
}

void CQuillmarkDoc::PutLists(const CListCollection &lists)
{
    const Span span = Difference(m_lists, lists);
    m_lists = lists;
    if (span.removed != 0 || span.inserted != 0)
        emit listsReplaced(span.first, span.removed, span.inserted);
}
