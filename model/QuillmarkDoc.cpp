#include "model/QuillmarkDoc.h"

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
    PutLists(lists);
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
    if (!m_loaded)
        return true;
    if (!m_store.Save(m_lists)) {
        errorString = m_store.ErrorString();
        return false;
    }
    m_saved = m_lists;
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
    CListItem value = m_lists.at(list).m_items.at(item);
    if (value.m_bDone == done)
        return true;
    value.m_bDone = done;
    const QString text = done ? Str::ChangeTick(value.m_strName) : Str::ChangeUntick(value.m_strName);
    m_history.push(new ItemChange(*this, text, list, item, value, false));
    return true;
}

bool CQuillmarkDoc::ReplaceItem(int list, int item, const CListItem &value)
{
    if (!HasItem(list, item))
        return false;
    const CListItem &old = m_lists.at(list).m_items.at(item);
    if (value == old)
        Save();
    else
        m_history.push(new ItemChange(*this, Str::ChangeEdit(old.m_strName), list, item, value, true));
    return true;
}

void CQuillmarkDoc::ReplaceLists(const CListCollection &lists)
{
    if (lists == m_lists)
        Save();
    else
        m_history.push(new ListsChange(*this, Str::ChangeListSetup(), lists));
}

void CQuillmarkDoc::AppendList(const CListItemArray &list)
{
    CListCollection lists = m_lists;
    lists.append(list);
    m_history.push(new ListsChange(*this, Str::ChangeImport(list.m_strName), lists));
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
