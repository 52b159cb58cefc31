#pragma once

#include "model/ListItemArray.h"

#include <QUndoCommand>

class CQuillmarkDoc;

// A step of the document's history. It only puts lists into the document,
// which tells the views; a step that saves asks for it as it runs, and the
// document saves once the step has ended and the history is in order again.
class CListCommand : public QUndoCommand
{
public:
    enum class Save { Now, WithNextSave };

protected:
    CListCommand(CQuillmarkDoc &doc, const QString &text, Save save);

    const CListCollection &Lists() const;
    void PutItem(int list, int item, const CListItem &value);
    void PutLists(const CListCollection &lists);

private:
    CQuillmarkDoc &m_doc;
    const Save m_save;
};

// One item set to a new value: a tick (which waits for the next save) or an
// edit.
class CItemChange : public CListCommand
{
public:
    CItemChange(CQuillmarkDoc &doc, const QString &text, int list, int item, CListItem after, Save save);

    void undo() override { PutItem(m_list, m_item, m_before); }
    void redo() override { PutItem(m_list, m_item, m_after); }

private:
    const int m_list;
    const int m_item;
    const CListItem m_before;
    const CListItem m_after;
};

// The whole collection replaced, and saved: List Setup, an import, merged
// copies, Untick All, a duplicated list, a moved item. Both collections share all that the change left alone.
class CListsChange : public CListCommand
{
public:
    CListsChange(CQuillmarkDoc &doc, const QString &text, CListCollection after);

    void undo() override { PutLists(m_before); }
    void redo() override { PutLists(m_after); }

private:
    const CListCollection m_before;
    const CListCollection m_after;
};
