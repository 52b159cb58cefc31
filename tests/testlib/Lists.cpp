#include "tests/testlib/Lists.h"

#include <QStringList>

namespace QuillmarkTest {

CalendarTime Local(int year, int month, int day, int hour, int minute, int second)
{
    CalendarTime t = 0;
    if (!CalendarTimeOps::FromLocal(year, month, day, hour, minute, second, t))
        qWarning("cannot build local time %d-%d-%d", year, month, day);
    return t;
}

QString LocalText(CalendarTime t)
{
    LocalFields f;
    if (!CalendarTimeOps::ToLocal(t, f))
        return QStringLiteral("invalid");
    return QStringLiteral("%1-%2-%3 %4:%5:%6").arg(f.year).arg(f.month).arg(f.day).arg(f.hour).arg(f.minute).arg(f.second);
}

Item::Item(const QString &name)
{
    SetName(name);
    m_time = 0;
}

List::List(const QString &name, std::initializer_list<CListItem> items)
{
    SetName(name);
    m_items = items;
}

CListCollection Lists(const QString &text)
{
    CListCollection lists;
    if (text.trimmed().isEmpty())
        return lists;
    for (const QString &part : text.split(u'|')) {
        const qsizetype colon = part.indexOf(u':');
        List list(part.left(colon).trimmed());
        for (QString word : part.mid(colon + 1).split(u' ', Qt::SkipEmptyParts)) {
            const bool done = word.endsWith(u'*');
            if (done)
                word.chop(1);
            const qsizetype slash = word.indexOf(u'/');
            list.m_items.append(Item(word.left(slash)).Done(done).Desc(slash >= 0 ? word.mid(slash + 1) : QString()));
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

CListCollection SampleLists()
{
    return {
            List(QStringLiteral("Groceries"),
                 {Item(QStringLiteral("Bread")).Price(1.5), Item(QStringLiteral("Milk")).Done().Price(2.25),
                  Item(QStringLiteral("Salt"))})
                    .Icon(5),
            List(QStringLiteral("Trip"),
                 {Item(QStringLiteral("Tickets")).Done().Dated(Local(2002, 3, 7, 13, 15)), Item(QStringLiteral("Packing"))})
                    .Icon(12),
            List(QStringLiteral("Empty")).Icon(20),
    };
}

CListCollection RichSample()
{
    return {
            List(QStringLiteral("Groceries"),
                 {Item(QStringLiteral("Milk")).Desc(QStringLiteral("2 litres")).Price(12.5).Dated(Local(2002, 3, 7, 13, 15)),
                  Item(QStringLiteral("Café crème"))
                          .Desc(QStringLiteral("Line one\r\nLine two"))
                          .Price(-3.25)
                          .Done()
                          .Time(Local(1999, 12, 31, 23, 59, 59))
                          .Icon(50),
                  Item().Time(Local(2024, 2, 29, 0, 0))})
                    .Icon(7),
            List().Icon(-1),
            List(QString(300, QChar(u'\u00e9')),
                 {Item(QStringLiteral("Zebra \u20ac \U0001F600"))
                          .Desc(QString(254, u'x'))
                          .Price(1e9 + 0.01)
                          .Done()
                          .Dated(Local(2100, 1, 1, 12, 0))
                          .Icon(5),
                  Item(QStringLiteral("apple")).Desc(QString(255, u'y')).Price(0.1).Dated(Local(1970, 1, 2, 0, 0))})
                    .Icon(50),
    };
}

CListCollection Sentinel()
{
    return Lists(QStringLiteral("before:"));
}

} // namespace QuillmarkTest
