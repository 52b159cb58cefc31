#pragma once

// The made-up lists the benchmarks share, at the sizes a heavy user
// reaches: 100 lists of 1,000 items. The same seed gives the same lists in
// every benchmark program, so their figures speak of the same data.
#include "model/ListItemArray.h"

#include <QRandomGenerator>
#include <QString>

namespace BenchData {

inline QString RandomText(QRandomGenerator &random, int length)
{
    static const QString letters = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ \u00e9\u00fc");
    QString text(length, Qt::Uninitialized);
    for (QChar &c : text)
        c = letters.at(random.bounded(int(letters.size())));
    return text;
}

// Names of about 20 characters, descriptions of about 80, every fifth
// item dated, times spread over thirty years.
inline CListItem RandomItem(QRandomGenerator &random, int serial)
{
    CListItem item;
    item.SetName(RandomText(random, 16 + random.bounded(9)));
    item.SetDescription(RandomText(random, 70 + random.bounded(21)));
    item.m_nIcon = 5 + random.bounded(46);
    item.m_bDone = random.bounded(2) == 1;
    item.m_bDated = serial % 5 == 0;
    item.m_dPrice = random.bounded(100000) / 100.0;
    item.SetDateTime(CalendarTime(946684800) + random.bounded(946080000));
    return item;
}

// One list of count random items, as RandomItem makes them: some dated, and
// priced, so that an item table of it has all four columns.
inline CListItemArray RandomList(const QString &name, int count, quint32 seed)
{
    QRandomGenerator random(seed);
    CListItemArray list;
    list.SetName(name);
    list.m_items.reserve(count);
    for (int i = 0; i < count; ++i)
        list.m_items.append(RandomItem(random, i));
    return list;
}

inline const CListCollection &HundredLists()
{
    static const CListCollection lists = [] {
        QRandomGenerator random(100);
        CListCollection out;
        int serial = 0;
        for (int l = 0; l < 100; ++l) {
            CListItemArray list;
            list.SetName(QStringLiteral("List %1").arg(l));
            for (int i = 0; i < 1000; ++i)
                list.m_items.append(RandomItem(random, serial++));
            out.append(list);
        }
        return out;
    }();
    return lists;
}

} // namespace BenchData
