#include "document/QuillmarkDoc.h"

#include "model/ListReuse.h"
#include "model/SortedAdd.h"
#include "res/Strings.h"
#include "res/Tr.h"

#include <algorithm>
#include <functional>
#include <utility>

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

QString MergeCopiesText()
{
    return Tr::tr("Merge Conflict Copies");
}

} // namespace

CQuillmarkDoc::CQuillmarkDoc(QObject *parent)
    : QObject(parent)
{
    // Undo and Redo run through the stack too (the Edit menu, tests): the
    // save follows whichever way the step ran.
    connect(&m_history, &QUndoStack::indexChanged, this, &CQuillmarkDoc::AfterStep);
    connect(&m_file, &CDataFileKeeper::changesFromElsewhere, this, &CQuillmarkDoc::changesFromElsewhere);
}

CQuillmarkDoc::~CQuillmarkDoc()
{
    // The history clears itself as it goes: no step runs then.
    disconnect(&m_history, nullptr, this, nullptr);
}

DataFile::LoadResult CQuillmarkDoc::Load()
{
    CListCollection lists;
    const DataFile::LoadResult result = m_file.Load(lists);
    m_history.clear();
    const CollectionIds ids = Path().isEmpty() ? ListIdentity::Fresh(lists)
                                               : ListIdentity::Load(ListIdentity::PathBeside(Path()), lists);
    PutLists(lists, ids, CListCommand::Save::WithNextSave);
    return result;
}

void CQuillmarkDoc::ResetLists(const CListCollection &lists)
{
    m_history.clear();
    PutLists(lists, ListIdentity::Carry(m_lists, m_ids, lists), CListCommand::Save::WithNextSave);
}

CDataFileKeeper::FileState CQuillmarkDoc::CatchUp()
{
    CDataFileKeeper::Newer newer;
    const CDataFileKeeper::FileState state = m_file.CatchUp(m_lists, newer);
    if (state == CDataFileKeeper::FileState::TakenIn) {
        ResetLists(newer.lists);
        if (!newer.message.isEmpty())
            emit changesFromElsewhere(newer.message);
    }
    return state;
}

bool CQuillmarkDoc::Save()
{
    QString error;
    if (TrySave(error))
        return true;
    emit saveFailed(Str::SaveFailed(Path(), error));
    return false;
}

bool CQuillmarkDoc::TrySave(QString &errorString)
{
    if (CatchUp() == CDataFileKeeper::FileState::NotTakenIn) {
        errorString = m_file.NotTakenInError();
        m_lastSaveOk = false;
    } else {
        m_lastSaveOk = m_file.Write(m_lists, errorString);
        // Without the identities a restart finds the lists again by their
        // content: the save stands even if they cannot be written.
        if (m_lastSaveOk)
            ListIdentity::Save(ListIdentity::PathBeside(Path()), m_lists, m_ids, nullptr, &m_savedShapes);
    }
    return m_lastSaveOk;
}

void CQuillmarkDoc::AfterStep()
{
    // Saving may take a newer file in and so clear the history: the stack
    // has finished the step by now, so that is safe.
    if (std::exchange(m_saveDue, false))
        Save();
}

void CQuillmarkDoc::PushLists(const QString &text, const CListCollection &after, const CollectionIds &afterIds)
{
    if (after == m_lists && afterIds == m_ids)
        Save();
    else
        m_history.push(new CListsChange(*this, text, after, afterIds));
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
    // A newer file starts a new history: nothing is left to step through.
    if (CatchUp() == CDataFileKeeper::FileState::TakenIn)
        return;
    (m_history.*step)();
}

bool CQuillmarkDoc::HasList(int list) const
{
    return list >= 0 && list < m_lists.size();
}

bool CQuillmarkDoc::HasItem(int list, int item) const
{
    return HasList(list) && item >= 0 && item < m_lists.at(list).m_items.size();
}

bool CQuillmarkDoc::SetDone(int list, int item, bool done)
{
    if (!HasItem(list, item))
        return false;
    CListItem value = m_lists.at(list).m_items.at(item);
    if (value.m_bDone == done)
        return true;
    value.m_bDone = done;
    //: The names of the changes shown after "&Undo" and "&Redo"; %1 is an item's or a list's name.
    const QString text = (done ? Tr::tr("Tick '%1'") : Tr::tr("Untick '%1'")).arg(value.m_strName);
    m_history.push(new CItemChange(*this, text, list, item, value, CListCommand::Save::WithNextSave));
    return true;
}

bool CQuillmarkDoc::ReplaceItem(int list, int item, const CListItem &value)
{
    if (!HasItem(list, item))
        return false;
    const CListCollection before = m_lists;
    const CListItem &old = before.at(list).m_items.at(item);
    const QString text = Tr::tr("Edit '%1'").arg(old.m_strName);
    if (CatchUp() == CDataFileKeeper::FileState::TakenIn) {
        const CListCollection after = m_file.RebaseEdit(m_lists, before, list, item, value);
        PushLists(text, after, ListIdentity::Carry(m_lists, m_ids, after));
    } else if (value == old)
        Save();
    else
        m_history.push(new CItemChange(*this, text, list, item, value, CListCommand::Save::Now));
    return true;
}

void CQuillmarkDoc::ReplaceLists(const CListCollection &lists)
{
    ChangeLists(Tr::tr("List Setup"), lists, ListIdentity::Carry(m_lists, m_ids, lists));
}

bool CQuillmarkDoc::RemoveList(int list)
{
    if (!HasList(list))
        return false;
    CListCollection lists = m_lists;
    const QString text = Tr::tr("Remove '%1'").arg(lists.at(list).m_strName);
    lists.removeAt(list);
    CollectionIds ids = m_ids;
    ids.removeAt(list);
    ChangeLists(text, lists, ids);
    return true;
}

bool CQuillmarkDoc::RemoveItems(int list, QList<int> items)
{
    // Sorted and each once; the first and the last bound them all.
    std::sort(items.begin(), items.end(), std::greater<>());
    items.erase(std::unique(items.begin(), items.end()), items.end());
    if (items.isEmpty() || !HasItem(list, items.constFirst()) || !HasItem(list, items.constLast()))
        return false;
    CListCollection lists = m_lists;
    QList<CListItem> &rows = lists[list].m_items;
    const QString text = items.size() == 1 ? Tr::tr("Remove '%1'").arg(rows.at(items.constFirst()).m_strName)
                                           : Tr::tr("Remove %n items", nullptr, int(items.size()));
    // In one pass: one removal after another moved the rest of a long list
    // once for each.
    QList<bool> gone(rows.size(), false);
    for (const int item : items)
        gone[item] = true;
    QList<CListItem> kept;
    kept.reserve(rows.size() - items.size());
    CollectionIds ids = m_ids;
    QList<QString> keptIds;
    keptIds.reserve(kept.capacity());
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (!gone.at(i)) {
            kept.append(rows.at(i));
            keptIds.append(ids.at(list).items.at(i));
        }
    }
    rows = std::move(kept);
    ids[list].items = std::move(keptIds);
    ChangeLists(text, lists, ids);
    return true;
}

bool CQuillmarkDoc::AddItems(int list, const QList<CListItem> &items)
{
    if (!HasList(list) || items.isEmpty())
        return false;
    CListCollection after = m_lists;
    AddItemsSorted(after[list], items);
    //: A change in the Edit menu; %1 is an item's name.
    ChangeLists(items.size() == 1 ? Tr::tr("Add '%1'").arg(items.constFirst().m_strName)
                                  : Tr::tr("Add %n items", nullptr, int(items.size())),
                after, ListIdentity::Carry(m_lists, m_ids, after));
    return true;
}

void CQuillmarkDoc::AppendList(const CListItemArray &list)
{
    CListCollection lists = m_lists;
    lists.append(list);
    ChangeLists(Tr::tr("Import '%1'").arg(list.m_strName), lists, m_ids + CollectionIds{ListIdentity::Fresh(list)});
}

bool CQuillmarkDoc::MergeIn(const CListCollection &lists)
{
    ChangeLists(MergeCopiesText(), lists, ListIdentity::Carry(m_lists, m_ids, lists));
    return m_lastSaveOk;
}

bool CQuillmarkDoc::TakeBackOwnSave()
{
    const CListCollection after = m_file.WithOwnSaveTakenBack(m_lists);
    ChangeLists(MergeCopiesText(), after, ListIdentity::Carry(m_lists, m_ids, after));
    return m_lastSaveOk;
}

bool CQuillmarkDoc::UntickAll(int list)
{
    if (!HasList(list) || !ListReuse::HasDone(m_lists.at(list)))
        return false;
    CListCollection after = m_lists;
    after[list] = ListReuse::Unticked(after.at(list));
    //: A change in the Edit menu; %1 is a list's name.
    ChangeLists(Tr::tr("Untick All '%1'").arg(m_lists.at(list).m_strName), after, m_ids);
    return true;
}

bool CQuillmarkDoc::DuplicateList(int list, const QString &name, bool untick)
{
    if (!HasList(list))
        return false;
    CListCollection after = m_lists;
    after.append(ListReuse::Duplicate(m_lists.at(list), name, untick));
    //: A change in the Edit menu; %1 is the name of the list copied.
    ChangeLists(Tr::tr("Duplicate List '%1'").arg(m_lists.at(list).m_strName), after,
                m_ids + CollectionIds{ListIdentity::Fresh(after.constLast())});
    return true;
}

bool CQuillmarkDoc::MoveItem(int list, int item, int toList)
{
    CListCollection after = m_lists;
    if (!ListReuse::MoveItem(after, list, item, toList))
        return false;
    // The item went in where the target list first differs from before.
    const QList<CListItem> &was = m_lists.at(toList).m_items;
    const QList<CListItem> &now = after.at(toList).m_items;
    qsizetype at = 0;
    while (at < was.size() && was.at(at) == now.at(at))
        ++at;
    CollectionIds ids = m_ids;
    ids[toList].items.insert(at, ids.at(list).items.at(item));
    ids[list].items.removeAt(item);
    //: A change in the Edit menu; %1 is an item's name.
    ChangeLists(Tr::tr("Move Item '%1'").arg(m_lists.at(list).m_items.at(item).m_strName), after, ids);
    return true;
}

void CQuillmarkDoc::ChangeFromElsewhere(const QString &text, const CListCollection &lists, const CollectionIds &ids)
{
    Q_ASSERT(lists.size() == ids.size());
    ChangeLists(text, lists, ids);
}

void CQuillmarkDoc::ChangeLists(const QString &text, const CListCollection &after, const CollectionIds &afterIds)
{
    const CListCollection before = m_lists;
    if (CatchUp() == CDataFileKeeper::FileState::TakenIn) {
        const CListCollection rebased = m_file.Rebase(m_lists, before, after);
        PushLists(text, rebased, ListIdentity::Carry(after, afterIds, rebased));
    } else {
        PushLists(text, after, afterIds);
    }
}

void CQuillmarkDoc::PutItem(int list, int item, const CListItem &value, CListCommand::Save save)
{
    m_lists[list].SetItem(item, value);
    emit itemChanged(list, item);
    SaveAfterStep(save);
}

void CQuillmarkDoc::PutLists(const CListCollection &lists, const CollectionIds &ids, CListCommand::Save save)
{
    const Span span = Difference(m_lists, lists);
    m_lists = lists;
    m_ids = ids;
    if (span.removed != 0 || span.inserted != 0)
        emit listsReplaced(span.first, span.removed, span.inserted);
    SaveAfterStep(save);
}

void CQuillmarkDoc::SaveAfterStep(CListCommand::Save save)
{
    if (save == CListCommand::Save::Now)
        m_saveDue = true;
}
