#include "tests/sync/CollectionText.h"

#include <QStringList>

namespace CollectionText {

CListCollection Parse(const QString &text)
{
    CListCollection lists;
    if (text.trimmed().isEmpty())
        return lists;
    const QStringList parts = text.split(u'|');
    for (const QString &part : parts) {
        CListItemArray list;
        const qsizetype colon = part.indexOf(u':');
        list.SetName(part.left(colon).trimmed());
        const QStringList words = part.mid(colon + 1).split(u' ', Qt::SkipEmptyParts);
        for (QString word : words) {
            CListItem item;
            item.SetDateTime(0);
            item.m_bDone = word.endsWith(u'*');
            if (item.m_bDone)
                word.chop(1);
            const qsizetype slash = word.indexOf(u'/');
            item.SetName(word.left(slash));
            if (slash >= 0)
                item.SetDescription(word.mid(slash + 1));
            list.m_items.append(item);
        }
        lists.append(list);
    }
    return lists;
}

QString Print(const CListCollection &lists)
{
    QStringList parts;
    for (const CListItemArray &list : lists) {
        QString part = list.m_strName + u':';
        for (const CListItem &item : list.m_items) {
            part += u' ' + item.m_strName;
            if (!item.m_strDesc.isEmpty())
                part += u'/' + item.m_strDesc;
            if (item.m_bDone)
                part += u'*';
        }
        parts.append(part);
    }
    return parts.join(QStringLiteral(" | "));
}

} // namespace CollectionText
