#include "document/DataFileKeeper.h"

#include "model/ListMatch.h"
#include "platform/AppPaths.h"
#include "res/Tr.h"

namespace {

// Whether two looks at the file saw the same file. Two files that could not
// be read are taken for the same: nothing new is known of the second.
bool SameFile(const CFileStamp &a, const CFileStamp &b)
{
    return a.SameBytesAs(b) || (a.Exists() && b.Exists() && !a.IsReadable() && !b.IsReadable());
}

} // namespace

CDataFileKeeper::CDataFileKeeper()
    : m_store(QString())
{
}

DataFile::LoadResult CDataFileKeeper::Load(CListCollection &lists)
{
    if (m_store.Path().isEmpty())
        m_store = CDataStore(AppPaths::DataFilePath());
    lists.clear();
    const DataFile::LoadResult result = m_store.Load(lists);
    m_loaded = true;
    m_saved = lists;
    return result;
}

CDataFileKeeper::FileState CDataFileKeeper::CatchUp(const CListCollection &held, Newer &newer)
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
    CListCollection readLists;
    CFileStamp stamp;
    const DataFile::LoadResult read = m_store.Peek(readLists, stamp);
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
    UnsavedChanges::Result merged;
    if (held != m_saved)
        merged = UnsavedChanges::PutOnto(readLists, m_saved, held);
    else
        merged.lists = readLists;
    m_store.TookIn(stamp);
    m_toldNotTakenIn = false;
    m_saved = readLists;
    newer = {merged.lists, UnsavedChanges::Describe(merged.notes)};
    return FileState::TakenIn;
}

void CDataFileKeeper::Tell(const QList<UnsavedChanges::Note> &notes)
{
    const QString message = UnsavedChanges::Describe(notes);
    if (!message.isEmpty())
        emit changesFromElsewhere(message);
}

QString CDataFileKeeper::NotTakenInError() const
{
    return Tr::tr("another program changed the file, and the newer file cannot be read "
                  "completely (%1), so it is not replaced")
            .arg(m_notTakenInReason);
}

bool CDataFileKeeper::Write(const CListCollection &lists, QString &errorString)
{
    if (!m_loaded)
        return true;
    if (!m_store.Save(lists)) {
        errorString = m_store.ErrorString();
        return false;
    }
    m_lastWrite = m_store.Stamp();
    m_lastWritten = lists;
    m_lastWriteBase = m_saved;
    m_saved = lists;
    return true;
}

CListCollection CDataFileKeeper::Rebase(const CListCollection &newer, const CListCollection &before,
                                        const CListCollection &after)
{
    UnsavedChanges::Result rebased = UnsavedChanges::PutOnto(newer, before, after);
    Tell(rebased.notes);
    return rebased.lists;
}

CListCollection CDataFileKeeper::RebaseEdit(const CListCollection &newer, const CListCollection &before, int list,
                                            int item, const CListItem &value)
{
    const CListItemArray &edited = before.at(list);
    const CListItem &old = edited.m_items.at(item);
    const qsizetype l = ListMatch::NthListNamed(newer, edited.m_strName, ListMatch::ListOccurrence(before, list));
    const qsizetype t = l < 0 ? -1 : ListMatch::MatchItems(edited, newer.at(l)).at(item);
    if (t < 0) {
        CListCollection after = before;
        after[list].SetItem(item, value);
        return Rebase(newer, before, after);
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

CListCollection CDataFileKeeper::WithOwnSaveTakenBack(const CListCollection &held)
{
    // What that save changed, put onto what the lists are now.
    UnsavedChanges::Result back = UnsavedChanges::PutOnto(held, m_lastWriteBase, m_lastWritten);
    Tell(back.notes);
    m_lastWrite = CFileStamp();
    return back.lists;
}
