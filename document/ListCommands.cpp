#include "document/ListCommands.h"

CListCommand::CListCommand(Target &doc, const QString &text, Save save)
    : QUndoCommand(text)
    , m_doc(doc)
    , m_save(save)
{
}

CItemChange::CItemChange(Target &doc, const QString &text, int list, int item, CListItem after, Save save)
    : CListCommand(doc, text, save)
    , m_list(list)
    , m_item(item)
    , m_before(Lists().at(list).m_items.at(item))
    , m_after(std::move(after))
{
}

CListsChange::CListsChange(Target &doc, const QString &text, CListCollection after, CollectionIds afterIds)
    : CListCommand(doc, text, Save::Now)
    , m_before(Lists())
    , m_after(std::move(after))
    , m_beforeIds(Ids())
    , m_afterIds(std::move(afterIds))
{
}
