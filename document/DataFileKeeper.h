#pragma once

#include "model/DataFile.h"
#include "model/DataStore.h"
#include "model/FileStamp.h"
#include "model/ListItemArray.h"
#include "model/UnsavedChanges.h"

#include <QObject>

// Keeps the lists held and the data file in step. Other programs write the
// file too: a sync tool brings another computer's lists. No save writes over
// a file this keeper has not read: the document first takes a newer file in
// (CatchUp), and a newer file that cannot be read whole is not replaced.
// Taking a newer file in puts the unsaved changes of the lists held back on
// top of the newer lists; the document then starts a new history, as the
// steps before spoke of lists that are gone. The keeper is told the lists
// held and hands back what it read or merged: it never holds them itself.
class CDataFileKeeper : public QObject
{
    Q_OBJECT

public:
    CDataFileKeeper();

    // Where the data file lives; AppPaths::DataFilePath() unless set before
    // the first Load.
    void SetPath(const QString &path) { m_store = CDataStore(path); }
    QString Path() const { return m_store.Path(); }

    // Reads the data file into `lists`; they are then the lists as saved.
    // What a damaged file still gave is kept (see CDataStore::Load).
    DataFile::LoadResult Load(CListCollection &lists);
    QString DamageMessage(const DataFile::LoadResult &result) const { return m_store.DamageMessage(result); }
    // The lists as last read from the file or written to it.
    const CListCollection &Saved() const { return m_saved; }

    enum class FileState { Same, TakenIn, NotTakenIn };
    // What a newer file brought: the lists held put onto it, and what of
    // their unsaved changes could not be put back as made (empty: all could).
    struct Newer
    {
        CListCollection lists;
        QString message;
    };
    // Looks whether another program has written the data file since it was
    // last read or written here, and if so takes the newer lists in, with
    // the changes of `held` on top, into `newer`. A newer file that cannot
    // be read whole (still arriving, or damaged) is not taken in, and that is
    // told once for the same bytes, through changesFromElsewhere.
    FileState CatchUp(const CListCollection &held, Newer &newer);

    // Writes `lists` as a whole; the document takes a newer file in first.
    // Before the first Load nothing was read, so nothing is written: an
    // empty collection must not replace the user's file. False with the
    // reason when it fails.
    bool Write(const CListCollection &lists, QString &errorString);
    // Why a newer file was not taken in, as a save that cannot replace it
    // tells it.
    QString NotTakenInError() const;

    // A change from `before` to `after`, made on lists a newer file has just
    // replaced, put onto `newer`, the lists held now.
    CListCollection Rebase(const CListCollection &newer, const CListCollection &before,
                           const CListCollection &after);
    // The same for the item form's edit of (list, item) of `before`: put on
    // the item it was made on even when the edit renamed it.
    CListCollection RebaseEdit(const CListCollection &newer, const CListCollection &before, int list, int item,
                               const CListItem &value);

    // Whether the file at `path` holds the very bytes last written here,
    // while the data file holds another's since: another computer saved at
    // the same time, and the sync tool set this save aside as a conflict
    // copy.
    bool IsOwnSaveSetAside(const QString &path) const;
    // The lists held with the changes of that save put back on (both sides'
    // changes are then known exactly: the lists it replaced are kept). The
    // save is not taken back twice.
    CListCollection WithOwnSaveTakenBack(const CListCollection &held);

signals:
    void changesFromElsewhere(const QString &message);

private:
    void Tell(const QList<UnsavedChanges::Note> &notes);

    CDataStore m_store;
    CListCollection m_saved;
    bool m_loaded = false;
    // The last write here, and the lists it replaced.
    CFileStamp m_lastWrite;
    CListCollection m_lastWritten;
    CListCollection m_lastWriteBase;
    // The newer file that could not be read whole, once told about.
    CFileStamp m_notTakenIn;
    bool m_toldNotTakenIn = false;
    QString m_notTakenInReason;
};
