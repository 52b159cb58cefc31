#include "tests/model/crashtrial/TrialData.h"

namespace CrashTrial {

namespace {
const QString kExtraName = QStringLiteral("~extra item of the trial");
}

CListCollection InitialLists()
{
    CListCollection lists;
    int serial = 0;
    for (int l = 0; l < 8; ++l) {
        CListItemArray list;
        list.SetName(QStringLiteral("List %1").arg(l));
        list.m_nIcon = 5 + l;
        for (int i = 0; i < 500; ++i, ++serial) {
            CListItem item;
            item.SetName(QStringLiteral("Item %1 of list %2 \u00e9").arg(i, 4, 10, QLatin1Char('0')).arg(l));
            item.SetDescription(QStringLiteral("Description %1: ").arg(serial) + QString(60 + serial % 40, u'd'));
            item.m_dPrice = serial * 0.25;
            item.m_bDone = serial % 3 == 0;
            item.m_bDated = serial % 5 == 0;
            item.SetDateTime(CalendarTime(1000000000) + serial * 3671);
            list.m_items.append(item);
        }
        lists.append(list);
    }
    return lists;
}

void NextVersion(CListCollection &lists)
{
    if (lists.isEmpty())
        lists.append(CListItemArray());
    QList<CListItem> &items = lists.last().m_items;
    if (!items.isEmpty() && items.last().m_strName == kExtraName) {
        items.removeLast();
        return;
    }
    CListItem extra;
    extra.SetName(kExtraName);
    extra.SetDescription(QString(100000, u'x'));
    extra.SetDateTime(CalendarTime(1500000000));
    items.append(extra);
}

} // namespace CrashTrial
