#include "document/DataFileKeeper.h"

#include "document/QuillmarkDoc.h"
#include "model/ListMatch.h"
#include "platform/AppPaths.h"
#include "res/Strings.h"
#include "res/Tr.h"

namespace {

// Whether two looks at the file saw the same file. Two files that could not
// be read are taken for the same: nothing new is known of the second.
bool SameFile(const CFileStamp &a, const CFileStamp &b)
{
    return a.SameBytesAs(b) || (a.Exists() && b.Exists() && !a.IsReadable() && !b.IsReadable());
}

} // namespace

CDataFileKeeper::CDataFileKeeper(CQuillmarkDoc &doc)
    : m_doc(doc)
    , m_store(QString())
{
}

DataFile::LoadResult CDataFileKeeper::Load()
{
    if (m_store.Path().isEmpty())
        m_store = CDataStore(AppPaths::DataFilePath());
    CListCollection lists;
    const DataFile::LoadResult result = m_store.Load(lists);
    m_loaded = true;
    m_saved = lists;
    m_doc.ResetLists(lists);
    return result;
}

CDataFileKeeper::FileState CDataFileKeeper::CatchUp()
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
            emit changesFromElsewhere(
                    Tr::tr("Your lists in %1 were changed by another program or on another "
                           "computer, but the newer file cannot be read completely (%2); it may "
                           "still be arriving. The lists shown here are kept, and Quillmark does "
                           "not save over that file until it can read it whole.")
                            .arg(m_store.Path(), read.errorString));
        }
        return FileState::NotTakenIn;
    case DataFile::LoadStatus::Complete:
        break;
    }
    TakeIn(newer, stamp);
    return FileState::TakenIn;
}

void CDataFileKeeper::TakeIn(const CListCollection &newer, const CFileStamp &stamp)
{
    UnsavedChanges::Result merged;
    if (m_doc.Lists() != m_saved)
        merged = UnsavedChanges::PutOnto(newer, m_saved, m_doc.Lists());
    else
        merged.lists = newer;
    m_store.TookIn(stamp);
    m_toldNotTakenIn = false;
    m_saved = newer;
    m_doc.ResetLists(merged.lists);
    Tell(merged.notes);
}

void CDataFileKeeper::Tell(const QList<UnsavedChanges::Note> &notes)
{
    const QString message = UnsavedChanges::Describe(notes);
    if (!message.isEmpty())
        emit changesFromElsewhere(message);
}

bool CDataFileKeeper::Save()
{
    QString error;
    if (TrySave(error))
        return true;
    emit saveFailed(Str::SaveFailed(m_store.Path(), error));
    return false;
}

bool CDataFileKeeper::TrySave(QString &errorString)
{
    m_lastSaveOk = false;
    if (!m_loaded) {
        m_lastSaveOk = true;
        return true;
    }
    if (CatchUp() == FileState::NotTakenIn) {
        errorString = Tr::tr("another program changed the file, and the newer file cannot be read "
                             "completely (%1), so it is not replaced")
                              .arg(m_notTakenInReason);
        return false;
    }
    const CListCollection lists = m_doc.Lists();
    if (!m_store.Save(lists)) {
        errorString = m_store.ErrorString();
        return false;
    }
    m_lastWrite = m_store.Stamp();
    m_lastWritten = lists;
    m_lastWriteBase = m_saved;
    m_saved = lists;
    m_lastSaveOk = true;
    return true;
}

CListCollection CDataFileKeeper::Rebase(const CListCollection &before, const CListCollection &after)
{
    UnsavedChanges::Result rebased = UnsavedChanges::PutOnto(m_doc.Lists(), before, after);
    Tell(rebased.notes);
    return rebased.lists;
}

CListCollection CDataFileKeeper::RebaseEdit(const CListCollection &before, int list, int item,
                                            const CListItem &value)
{
    const CListCollection &newer = m_doc.Lists();
    const CListItemArray &edited = before.at(list);
    const CListItem &old = edited.m_items.at(item);
    const qsizetype l = ListMatch::NthListNamed(newer, edited.m_strName, ListMatch::ListOccurrence(before, list));
    const qsizetype t = l < 0 ? -1 : ListMatch::MatchItems(edited, newer.at(l)).at(item);
    if (t < 0) {
        CListCollection after = before;
        after[list].SetItem(item, value);
        return Rebase(before, after);
    }
    CListCollection after = newer;
    const UnsavedChanges::ItemMerge merged = UnsavedChanges::MergeItem(old, value, newer.at(l).m_items.at(t));
    after[l].SetItem(t, merged.inPlace);
    if (merged.mineBeside) {
        after[l].AddItemSorted(value);
        Tell({{UnsavedChanges::Note::Kind::KeptBoth, edited.m_strName, old.m_strName}});
    }
    return after;
}

bool CDataFileKeeper::IsOwnSaveSetAside(const QString &path) const
{
    return m_lastWrite.Exists() && !m_store.Stamp().SameBytesAs(m_lastWrite)
            && CFileStamp::OfFile(path).SameBytesAs(m_lastWrite);
}

CListCollection CDataFileKeeper::WithOwnSaveTakenBack()
{
    // What that save changed, put onto what the lists are now.
    UnsavedChanges::Result back = UnsavedChanges::PutOnto(m_doc.Lists(), m_lastWriteBase, m_lastWritten);
    Tell(back.notes);
    m_lastWrite = CFileStamp();
    return back.lists;
}
