#pragma once

#include "model/DataFile.h"
#include "model/DataStore.h"
#include "model/FileStamp.h"
#include "model/ListItemArray.h"
#include "model/UnsavedChanges.h"

#include <QObject>

class CQuillmarkDoc;

// Keeps the document's lists and the data file in step. Other programs write
// the file too: a sync tool brings another computer's lists. No save writes
// over a file this keeper has not read: each one first takes a newer file in
// (CatchUp), and a newer file that cannot be read whole is not replaced.
// Taking a newer file in puts the document's unsaved changes back on top of
// the newer lists and starts a new history (CQuillmarkDoc::ResetLists), as
// the steps before spoke of lists that are gone.
class CDataFileKeeper : public QObject
{
    Q_OBJECT

public:
    explicit CDataFileKeeper(CQuillmarkDoc &doc);

    // Where the data file lives; AppPaths::DataFilePath() unless set before
    // the first Load.
    void SetPath(const QString &path) { m_store = CDataStore(path); }
    QString Path() const { return m_store.Path(); }

    // Reads the data file in place of the document's lists; they are then
    // the lists as saved. What a damaged file still gave is kept (see
    // CDataStore::Load).
    DataFile::LoadResult Load();
    QString DamageMessage(const DataFile::LoadResult &result) const { return m_store.DamageMessage(result); }
    // The lists as last read from the file or written to it.
    const CListCollection &Saved() const { return m_saved; }

    enum class FileState { Same, TakenIn, NotTakenIn };
    // Looks whether another program has written the data file since it was
    // last read or written here, and if so takes the newer lists in; what of
    // the unsaved changes could not be put back as made is told through
    // changesFromElsewhere. A newer file that cannot be read whole (still
    // arriving, or damaged) is not taken in, and that is told once for the
    // same bytes.
    FileState CatchUp();

    // Writes the document's lists as a whole, after CatchUp. Before the
    // first Load nothing was read, so nothing is written: an empty collection
    // must not replace the user's file. A failure is told through saveFailed
    // and returns false.
    bool Save();
    // The same without telling anyone: false with the reason.
    bool TrySave(QString &errorString);
    bool LastSaveOk() const { return m_lastSaveOk; }

    // A change from `before` to `after`, made on lists a newer file has just
    // replaced, put onto the document's lists, which are now the newer ones.
    CListCollection Rebase(const CListCollection &before, const CListCollection &after);
    // The same for the item form's edit of (list, item) of `before`: put on
    // the item it was made on even when the edit renamed it.
    CListCollection RebaseEdit(const CListCollection &before, int list, int item, const CListItem &value);

    // Whether the file at `path` holds the very bytes last written here,
    // while the data file holds another's since: another computer saved at
    // the same time, and the sync tool set this save aside as a conflict
    // copy.
    bool IsOwnSaveSetAside(const QString &path) const;
    // The document's lists with the changes of that save put back on (both
    // sides' changes are then known exactly: the lists it replaced are
    // kept). The save is not taken back twice.
    CListCollection WithOwnSaveTakenBack();

signals:
    void saveFailed(const QString &message);
    void changesFromElsewhere(const QString &message);

private:
    void TakeIn(const CListCollection &newer, const CFileStamp &stamp);
    void Tell(const QList<UnsavedChanges::Note> &notes);

    CQuillmarkDoc &m_doc;
    CDataStore m_store;
    CListCollection m_saved;
    bool m_loaded = false;
    bool m_lastSaveOk = true;
    // The last write here, and the lists it replaced.
    CFileStamp m_lastWrite;
    CListCollection m_lastWritten;
    CListCollection m_lastWriteBase;
    // The newer file that could not be read whole, once told about.
    CFileStamp m_notTakenIn;
    bool m_toldNotTakenIn = false;
    QString m_notTakenInReason;
};
