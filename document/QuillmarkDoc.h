#pragma once

#include "document/DataFileKeeper.h"
#include "document/ListCommands.h"
#include "model/ListItemArray.h"

#include <QObject>
#include <QUndoStack>

// The user's lists while the program runs: the collection, and every change
// as a step of the undo history (document/ListCommands). Widgets read the lists
// here and ask for changes; none writes into the collection itself. The data
// file is kept in step through a CDataFileKeeper.
//
// Changes that the program saves at once (an edit, List Setup, an import)
// save again when they are undone or redone, so that the file follows the
// history; a tick saves nothing, neither done nor undone, and stays among
// the unsaved changes until the next save. A change that saves, made on
// lists a newer file has just replaced, is put onto the newer lists, and is
// the first step of the new history.
class CQuillmarkDoc : public QObject, private CListCommand::Target
{
    Q_OBJECT

public:
    explicit CQuillmarkDoc(QObject *parent = nullptr);
    ~CQuillmarkDoc() override;

    // The data file's side, as the window asks for it (see CDataFileKeeper).
    void SetPath(const QString &path) { m_file.SetPath(path); }
    QString Path() const { return m_file.Path(); }
    // Reads the data file in place of the lists held, and starts a new
    // history.
    DataFile::LoadResult Load();
    QString DamageMessage(const DataFile::LoadResult &result) const { return m_file.DamageMessage(result); }
    // Takes a newer data file in, if another program wrote one.
    void CatchUpWithFile() { CatchUp(); }
    // Writes the lists, after taking a newer file in. A failure is told
    // through saveFailed and returns false.
    bool Save();
    // The same without telling anyone: false with the reason.
    bool TrySave(QString &errorString);
    bool IsOwnSaveSetAside(const QString &path) const { return m_file.IsOwnSaveSetAside(path); }

    // Puts lists that come from outside the history (a newer data file, a
    // merged copy) in place of the lists held, and starts a new history: the
    // steps before spoke of lists that are gone. Saves nothing; the lists as
    // saved stay as they were, so what differs from them is unsaved.
    void ResetLists(const CListCollection &lists);

    const CListCollection &Lists() const override { return m_lists; }
    // Each list's and item's identity, in the order of Lists().
    const CollectionIds &Ids() const override { return m_ids; }
    // Where the lists differ from those last read from the file or written
    // to it, the change is not saved yet.
    bool HasUnsavedChanges() const { return m_lists != m_file.Saved(); }

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
    // Delete on a list, or on items of one list: one step that saves.
    bool RemoveList(int list);
    bool RemoveItems(int list, QList<int> items);
    // Items typed, pasted or dropped into a list, each where the list's
    // order puts it: one step that saves.
    bool AddItems(int list, const QList<CListItem> &items);
    // An imported list, added at the end; saves.
    void AppendList(const CListItemArray &list);
    // Other versions' lists merged in (sync tools' conflict copies); saves.
    // True when the merged lists are in the file.
    bool MergeIn(const CListCollection &lists);
    // Puts the changes of this program's own save that a sync tool set aside
    // (IsOwnSaveSetAside) back onto the lists held, as one step that saves.
    // True when saved.
    bool TakeBackOwnSave();
    // A list used again, each a step that saves. False, with no step, when
    // an index names nothing or nothing would change.
    // Every done item of the list made not done.
    bool UntickAll(int list);
    // A copy of the list named `name`, added after the last list.
    bool DuplicateList(int list, const QString &name, bool untick);
    // The item taken into another list, where that list's name order puts it.
    bool MoveItem(int list, int item, int toList);
    // Lists changed elsewhere (a sync), with their identities, put in place
    // of those held as one step named `text` that saves.
    void ChangeFromElsewhere(const QString &text, const CListCollection &lists, const CollectionIds &ids);

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
    CDataFileKeeper::FileState CatchUp();
    // A change of the lists as a whole, made on the lists as they are.
    void ChangeLists(const QString &text, const CListCollection &after, const CollectionIds &afterIds);
    void PushLists(const QString &text, const CListCollection &after, const CollectionIds &afterIds);
    void Step(void (QUndoStack::*step)());
    // Runs once a step of the history has ended.
    void AfterStep();

    bool HasList(int list) const;
    bool HasItem(int list, int item) const;
    // What the steps of the history do (CListCommand::Target).
    void PutItem(int list, int item, const CListItem &value, CListCommand::Save save) override;
    void PutLists(const CListCollection &lists, const CollectionIds &ids, CListCommand::Save save) override;
    void SaveAfterStep(CListCommand::Save save);

    CListCollection m_lists;
    CollectionIds m_ids;
    ListIdentity::SavedShapes m_savedShapes;
    CDataFileKeeper m_file;
    QUndoStack m_history;
    // A step that saves has run; the save follows once the step has ended.
    bool m_saveDue = false;
    bool m_lastSaveOk = true;
};
