#pragma once

#include "model/DataFile.h"
#include "model/DataStore.h"
#include "model/ListItemArray.h"

#include <QObject>
#include <QUndoStack>

// The user's lists while the program runs: the collection, the data file it
// is read from and written to, and every change as a step of the undo
// history. Widgets read the lists here and ask for changes; none writes into
// the collection itself.
//
// Changes that the program saves at once (an edit, List Setup, an import)
// save again when they are undone or redone, so that the file follows the
// history; a tick saves nothing, neither done nor undone, and stays among
// the unsaved changes until the next save.
//
// Other programs write the file too: a sync tool brings another computer's
// lists. No save writes over a file this document has not read: each one
// first takes a newer file in (CatchUpWithFile), and a newer file that cannot
// be read whole is not replaced. A change that saves, made on lists a newer
// file has just replaced, is put onto the newer lists. Taking a newer file in
// starts a new history, as the steps before spoke of lists that are gone; the
// change that found the newer file is the first step of the new one.
class CQuillmarkDoc : public QObject
{
    Q_OBJECT

public:
    explicit CQuillmarkDoc(QObject *parent = nullptr);
    ~CQuillmarkDoc() override;

    // Where the data file lives; AppPaths::DataFilePath() unless set before
    // the first Load.
    void SetPath(const QString &path);
    QString Path() const { return m_store.Path(); }

    // Reads the data file in place of the lists held (ResetLists); they are
    // then the lists as saved. What a damaged file still gave is kept (see
    // CDataStore::Load).
    DataFile::LoadResult Load();
    // What the user is told about a load that was not complete.
    QString DamageMessage(const DataFile::LoadResult &result) const { return m_store.DamageMessage(result); }
    // Puts lists that come from outside the history (a newer data file, a
    // merged copy) in place of the lists held, and starts a new history: the
    // steps before spoke of lists that are gone. Saves nothing; the lists as
    // saved stay as they were, so what differs from them is unsaved.
    void ResetLists(const CListCollection &lists);
    // Looks whether another program has written the data file since this
    // document last read or wrote it, and if so takes the newer lists in,
    // with this window's unsaved changes put back on top of them
    // (UnsavedChanges); what could not be put back as made is told through
    // changesFromElsewhere. A newer file that cannot be read whole (still
    // arriving, or damaged) is not taken in: that is told once for the same
    // bytes, and false is returned, as no save may then replace the file.
    bool CatchUpWithFile();
    // Writes the lists as a whole, after CatchUpWithFile. Before the first
    // Load nothing was read, so nothing is written: an empty collection must
    // not replace the user's file. A failure is told through saveFailed and
    // returns false.
    bool Save();
    // The same without telling anyone: false with the reason (the way out
    // at Exit asks the user what to do instead).
    bool TrySave(QString &errorString);

    const CListCollection &Lists() const { return m_lists; }
    // The lists as last read from the file or written to it: where Lists()
    // differs, the change is not saved yet.
    const CListCollection &SavedLists() const { return m_saved; }
    bool HasUnsavedChanges() const { return m_lists != m_saved; }

    QUndoStack *UndoStack() { return &m_history; }
    // Undo and Redo as the Edit menu runs them: a newer file on disk is taken
    // in first, which leaves nothing to undo or redo.
    void Undo();
    void Redo();

    // The changes. Each that changes something is one step of the history;
    // one that would change nothing adds no step. Indexes that name nothing
    // change nothing and return false.
    bool SetDone(int list, int item, bool done);
    // The item form's OK: saves, also when the item stays as it was.
    bool ReplaceItem(int list, int item, const CListItem &value);
    // List Setup's OK: saves, also when the lists stay as they were.
    void ReplaceLists(const CListCollection &lists);
    // An imported list, added at the end; saves.
    void AppendList(const CListItemArray &list);
    // Other versions' lists merged in (sync tools' conflict copies); saves.
    // True when the merged lists are in the file.
    bool MergeIn(const CListCollection &lists);
    // Whether the file at `path` holds the very bytes this document last
    // wrote, while the data file holds another's since: another computer
    // saved at the same time, and the sync tool set this save aside as a
    // conflict copy.
    bool IsOwnSaveSetAside(const QString &path) const;
    // Puts the changes of that save back onto the lists held (both sides'
    // changes are then known exactly: the lists it replaced are kept), as one
    // step that saves. True when saved.
    bool TakeBackOwnSave();

signals:
    // The item at (list, item) has a new value; the lists around it are as
    // they were.
    void itemChanged(int list, int item);
    // The lists first .. first + removed - 1 gave way to `inserted` others,
    // which now stand at first .. first + inserted - 1; the lists before and
    // after are the same as before (those after moved by the difference).
    void listsReplaced(int first, int removed, int inserted);
    // A save failed: `message` tells the user why, and that the changes are
    // still open here.
    void saveFailed(const QString &message);
    // Another program changed the data file: `message` tells the user what of
    // their own changes could not be put on the newer lists as made, or that
    // the newer file could not be read whole.
    void changesFromElsewhere(const QString &message);

private:
    class ItemChange;
    class ListsChange;

    enum class FileState { Same, TakenIn, NotTakenIn };
    FileState CatchUp();
    void TakeIn(const CListCollection &newer, const CFileStamp &stamp);
    // `after`, made from `before`, put onto the lists a newer file brought.
    CListCollection Rebase(const CListCollection &before, const CListCollection &after);
    // A change of the lists as a whole, made on the lists as they are.
    void ChangeLists(const QString &text, const CListCollection &after);
    void PushLists(const QString &text, const CListCollection &after);
    void Push(QUndoCommand *command);
    void Step(void (QUndoStack::*step)());
    // A newer file taken in while a step ran leaves steps that speak of
    // lists that are gone; they go once the step has ended.
    void ClearStaleHistory();

    bool HasItem(int list, int item) const;
    void PutItem(int list, int item, const CListItem &value);
    void PutLists(const CListCollection &lists);

    CDataStore m_store;
    CListCollection m_lists;
    CListCollection m_saved;
    QUndoStack m_history;
    bool m_loaded = false;
    bool m_lastSaveOk = true;
    // This document's last write, and the lists it replaced.
    CFileStamp m_lastWrite;
    CListCollection m_lastWritten;
    CListCollection m_lastWriteBase;
    bool m_inStep = false;
    bool m_historyStale = false;
    // The newer file that could not be read whole, once told about.
    CFileStamp m_notTakenIn;
    bool m_toldNotTakenIn = false;
    QString m_notTakenInReason;
};
