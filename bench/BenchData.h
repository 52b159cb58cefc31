#pragma once

// The made-up lists the benchmarks share, at the sizes a heavy user
// reaches: 100 lists of 1,000 items, and the same kind of lists at any
// other size. The same seed gives the same lists in
// every benchmark program, so their figures speak of the same data.
#include "model/ListItemArray.h"

#include <QRandomGenerator>
#include <QString>

#include <algorithm>

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

// `items` random items in 100 lists (fewer when there are fewer items), the
// first lists one item longer where they do not divide evenly.
inline CListCollection Lists(qsizetype items)
{
    QRandomGenerator random(100);
    CListCollection out;
    const qsizetype lists = std::clamp<qsizetype>(items, 1, 100);
    int serial = 0;
    for (qsizetype l = 0; l < lists; ++l) {
        CListItemArray list;
        list.SetName(QStringLiteral("List %1").arg(l));
        const qsizetype count = items / lists + (l < items % lists ? 1 : 0);
        list.m_items.reserve(count);
        for (qsizetype i = 0; i < count; ++i)
            list.m_items.append(RandomItem(random, serial++));
        out.append(std::move(list));
    }
    return out;
}

inline const CListCollection &HundredLists()
{
    static const CListCollection lists = Lists(100000);
    return lists;
}

} // namespace BenchData
