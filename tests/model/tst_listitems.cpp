#include "model/ListItemArray.h"
#include "model/SortedAdd.h"
#include "tests/testlib/Lists.h"
#include "tests/testlib/QuillmarkTest.h"

#include <QRandomGenerator>

using namespace QuillmarkTest;

namespace {

// Each item carries the order of its adding in its description, so that
// equal names can be told apart.
QStringList Order(const CListItemArray &list)
{
    QStringList out;
    for (const CListItem &item : list.m_items)
        out.append(item.m_strName + u'#' + item.m_strDesc);
    return out;
}

CListItem Named(const QString &name, int tag)
{
    return Item(name).Desc(QString::number(tag));
}

} // namespace

class TestListItems : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { CalendarTimeOps::ClearNowForTesting(); }

    void getItemOutsideTheRange();
    void addItemSorted_data();
    void addItemSorted();
    void builderMatchesAddItemSorted_data();
    void builderMatchesAddItemSorted();
    void nameRanksFollowTheNames();
};

// A default item, never a neighbour or a crash.
void TestListItems::getItemOutsideTheRange()
{
    CalendarTimeOps::SetNowForTesting(42);
    const CListItemArray list = Lists(QStringLiteral("L: a* b*")).at(0);
    QCOMPARE(list.GetItem(-1), CListItem());
    QCOMPARE(list.GetItem(2), CListItem());
    QCOMPARE(list.GetItem(1).m_strName, QStringLiteral("b"));
}

void TestListItems::addItemSorted_data()
{
    QTest::addColumn<QStringList>("present"); // in list order, not sorted
    QTest::addColumn<QStringList>("added");
    QTest::addColumn<QStringList>("expected");

    // Names split at commas: "a," is "a" and an empty name.
    const auto L = [](const char *names) { return *names ? QString::fromUtf8(names).split(u',') : QStringList(); };
    QTest::newRow("b, a, c, b: the second b after the first") << L("") << L("b,a,c,b") << L("a#1,b#0,b#3,c#2");
    QTest::newRow("out of order list") << L("c,a") << L("b") << L("b#2,c#0,a#1");
    QTest::newRow("many into an out of order list") << L("c,a,e,b,g,d") << L("d,a,f,h,b,E")
                                                    << L("a#7,b#10,c#0,a#1,d#6,e#2,b#3,E#11,f#8,g#4,d#5,h#9");
    QTest::newRow("into a sorted list") << L("a,c") << L("b,C,a") << L("a#0,a#4,b#2,c#1,C#3");
    QTest::newRow("ignores case") << L("") << L("Banana,apple") << L("apple#1,Banana#0");
    QTest::newRow("tie differing in case goes after") << L("") << L("b,B,b") << L("b#0,B#1,b#2");
    QTest::newRow("empty name first") << L("") << L("a,") << L("#1,a#0");
    QTest::newRow("accents") << L("") << L("\u00e9t\u00e9,\u00c9t\u00e9,ete")
                             << L("ete#2,\u00e9t\u00e9#0,\u00c9t\u00e9#1");
    // Held one byte a character, yet folded as the Greek mu, as lists were
    // always ordered: after the e acute, not before it.
    QTest::newRow("micro sign") << L("") << L("\u00b5,\u00e9") << L("\u00e9#1,\u00b5#0");
}

void TestListItems::addItemSorted()
{
    QFETCH(QStringList, present);
    QFETCH(QStringList, added);
    QFETCH(QStringList, expected);
    CListItemArray list;
    int tag = 0;
    for (const QString &name : present)
        list.m_items.append(Named(name, tag++));
    // All at once (a paste, an import into a list) as one by one.
    CListItemArray atOnce = list;
    QList<CListItem> items;
    for (const QString &name : added) {
        items.append(Named(name, tag));
        list.AddItemSorted(Named(name, tag++));
    }
    QCOMPARE(Order(list), expected);
    AddItemsSorted(atOnce, items);
    QCOMPARE(Order(atOnce), expected);
}

void TestListItems::builderMatchesAddItemSorted_data()
{
    QTest::addColumn<int>("count");
    QTest::newRow("one block") << 3000;
    // Blocks merged in steps, with equal names in every block.
    QTest::newRow("several blocks") << int(3 * CSortedListBuilder::kBlock + 7);
}

void TestListItems::builderMatchesAddItemSorted()
{
    QFETCH(int, count);
    // Short names from a small alphabet: many duplicates, many differing
    // only in case.
    QRandomGenerator random(20020307);
    static const char16_t alphabet[] = u"aAbBzZ\u00e9\u00c9 1";
    QStringList names;
    for (int i = 0; i < count; ++i) {
        QString name;
        const int length = int(random.bounded(4));
        for (int k = 0; k < length; ++k)
            name.append(QChar(alphabet[random.bounded(int(std::size(alphabet)) - 1)]));
        names.append(name);
    }

    // One by one for a few thousand; for more, a stable sort, which is the
    // same order, as the few thousand show.
    CListItemArray expected;
    CSortedListBuilder builder;
    for (int i = 0; i < names.size(); ++i) {
        if (count <= 3000)
            expected.AddItemSorted(Named(names.at(i), i));
        else
            expected.m_items.append(Named(names.at(i), i));
        builder.Add(Named(names.at(i), i));
    }
    if (count > 3000) {
        std::stable_sort(expected.m_items.begin(), expected.m_items.end(), [](const CListItem &a, const CListItem &b) {
            return CompareItemNames(a.m_strName.View(), b.m_strName.View()) < 0;
        });
    }
    QCOMPARE(builder.Count(), names.size());
    int steps = 1;
    while (!builder.Sort(QDeadlineTimer(0)))
        ++steps;
    QCOMPARE(steps > 1, count > CSortedListBuilder::kBlock);
    CListItemArray built;
    built.m_items = builder.TakeSorted();
    QCOMPARE(Order(built), Order(expected));
}

// A sorted table orders names by their ranks: a pair ranked otherwise than
// the names compare would show the list out of its own order. Every pair
// of Latin-1 characters (the micro sign folds to Greek mu), characters
// beyond 16 bits (two of one surrogate block, the later name's next letter
// the lesser), lone surrogate halves, names that begin alike for more
// than eight characters, and one name beginning the other.
void TestListItems::nameRanksFollowTheNames()
{
    QStringList names;
    for (int c = 1; c < 256; ++c)
        names.append(QString(QChar(c)) + u'x');
    names << QStringLiteral("x") << QStringLiteral("") << QStringLiteral("\u03BC") << QStringLiteral("\u039C")
          << QStringLiteral("\U00010400") << QStringLiteral("\U00010428") << QStringLiteral("\U00010401b")
          << QStringLiteral("\U00010400c")
          << QStringLiteral("\uFB00") << QStringLiteral("\u0130") << QStringLiteral("\u212A")
          << QStringLiteral("Shopping list") << QStringLiteral("shopping List") << QStringLiteral("shopping")
          << QStringLiteral("SHOPPING LISTS") << QStringLiteral("Shop\u00B5") << QStringLiteral("Shop\u03BC");
    names.append(QString(QChar(0xDC00)) + u'a');
    names.append(QString(QChar(0xD801)) + u'a');
    names.append(QString(QChar(0xFFFF)) + u'b');
    QList<CListItem> items;
    for (const QString &name : names)
        items.append(Item(name));
    const std::vector<quint32> ranks = NameRanks(items);
    QCOMPARE(ranks.size(), size_t(items.size()));
    const auto sign = [](auto c) { return c < 0 ? -1 : c > 0 ? 1 : 0; };
    for (qsizetype i = 0; i < items.size(); ++i) {
        for (qsizetype j = 0; j < items.size(); ++j) {
            const int byName = sign(CompareItemNames(items.at(i).m_strName.View(), items.at(j).m_strName.View()));
            const int ranked = sign(qint64(ranks[size_t(i)]) - qint64(ranks[size_t(j)]));
            if (ranked != byName)
                QFAIL(qPrintable(QStringLiteral("%1 / %2").arg(items.at(i).m_strName, items.at(j).m_strName)));
        }
    }
}

QUILLMARK_GUILESS_TEST_MAIN(TestListItems)
#include "tst_listitems.moc"
