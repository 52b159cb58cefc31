#pragma once

#include "document/ListIds.h"
#include "model/ListItemArray.h"

#include <QUndoCommand>

// A step of the document's history. It only puts lists into the document,
// which tells the views; a step that saves asks for it as it runs, and the
// document saves once the step has ended and the history is in order again.
class CListCommand : public QUndoCommand
{
public:
    enum class Save { Now, WithNextSave };

    // What a step may do to the document it belongs to: read the lists, and
    // put an item or the lists in, saved as `save` asks.
    class Target
    {
    public:
        virtual const CListCollection &Lists() const = 0;
        virtual const CollectionIds &Ids() const = 0;
        virtual void PutItem(int list, int item, const CListItem &value, Save save) = 0;
        virtual void PutLists(const CListCollection &lists, const CollectionIds &ids, Save save) = 0;

    protected:
        virtual ~Target() = default;
    };

protected:
    CListCommand(Target &doc, const QString &text, Save save);

    const CListCollection &Lists() const { return m_doc.Lists(); }
    const CollectionIds &Ids() const { return m_doc.Ids(); }
    void PutItem(int list, int item, const CListItem &value) { m_doc.PutItem(list, item, value, m_save); }
    void PutLists(const CListCollection &lists, const CollectionIds &ids) { m_doc.PutLists(lists, ids, m_save); }

private:
    Target &m_doc;
    const Save m_save;
};

// One item set to a new value: a tick (which waits for the next save) or an
// edit.
class CItemChange : public CListCommand
{
public:
    CItemChange(Target &doc, const QString &text, int list, int item, CListItem after, Save save);

    void undo() override { PutItem(m_list, m_item, m_before); }
    void redo() override { PutItem(m_list, m_item, m_after); }

private:
    const int m_list;
    const int m_item;
    const CListItem m_before;
    const CListItem m_after;
};

// The whole collection replaced, and saved: List Setup, an import, merged
// copies, Untick All, a duplicated list, a moved item, a sync. Both collections share all that the change left alone.
// The identities go with them, so that a list or an item undone back is the
// same one again.
class CListsChange : public CListCommand
{
public:
    CListsChange(Target &doc, const QString &text, CListCollection after, CollectionIds afterIds);

    void undo() override { PutLists(m_before, m_beforeIds); }
    void redo() override { PutLists(m_after, m_afterIds); }

private:
    const CListCollection m_before;
    const CListCollection m_after;
    const CollectionIds m_beforeIds;
    const CollectionIds m_afterIds;
};
