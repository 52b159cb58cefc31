#include "document/ListCommands.h"

#include "document/QuillmarkDoc.h"

CListCommand::CListCommand(CQuillmarkDoc &doc, const QString &text, Save save)
    : QUndoCommand(text)
    , m_doc(doc)
    , m_save(save)
{
}

const CListCollection &CListCommand::Lists() const
{
    return m_doc.Lists();
}

void CListCommand::PutItem(int list, int item, const CListItem &value)
{
    m_doc.PutItem(list, item, value);
    if (m_save == Save::Now)
        m_doc.m_saveDue = true;
}

void CListCommand::PutLists(const CListCollection &lists)
{
    m_doc.PutLists(lists);
    if (m_save == Save::Now)
        m_doc.m_saveDue = true;
}

CItemChange::CItemChange(CQuillmarkDoc &doc, const QString &text, int list, int item, CListItem after,
                         Save save)
    : CListCommand(doc, text, save)
    , m_list(list)
    , m_item(item)
    , m_before(Lists().at(list).m_items.at(item))
    , m_after(std::move(after))
{
}

CListsChange::CListsChange(CQuillmarkDoc &doc, const QString &text, CListCollection after)
    : CListCommand(doc, text, Save::Now)
    , m_before(Lists())
    , m_after(std::move(after))
{
}
