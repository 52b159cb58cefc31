#include "model/ListItemArray.h"
#include "tests/model/ModelTestUtil.h"
#include "tests/testlib/QuillmarkTest.h"

#include <QRandomGenerator>

using ModelTest::MakeItem;

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
    return MakeItem(name, QString::number(tag), 0, false, false, 0);
}

} // namespace

class TestListItems : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { CalendarTimeOps::ClearNowForTesting(); }

    void defaultItem();
    void itemsAreValues();
    void setDateTimeLeavesUndated();
    void getItemOutsideTheRange_data();
    void getItemOutsideTheRange();
    void listsAreValues();
    void collectionAfterRemovingTheOnlyList();
    void addItemSorted_data();
    void addItemSorted();
    void builderMatchesAddItemSorted_data();
    void builderMatchesAddItemSorted();
};

void TestListItems::defaultItem()
{
    CalendarTimeOps::SetNowForTesting(1015506900);
    const CListItem item;
    QCOMPARE(item.m_nIcon, 6);
    QCOMPARE(item.m_bDone, false);
    QCOMPARE(item.m_bDated, false);
    QCOMPARE(item.m_dPrice, 0.0);
    QVERIFY(item.m_strName.isEmpty());
    QVERIFY(item.m_strDesc.isEmpty());
    QCOMPARE(item.m_time, CalendarTime(1015506900));
}

void TestListItems::itemsAreValues()
{
    CListItem source = MakeItem(QStringLiteral("source"), QStringLiteral("desc"), 1.5, true, true, 77);
    CListItem target;
    target = source;
    QVERIFY(target == source);
    target.SetName(QStringLiteral("changed"));
    target.m_strDesc[0] = u'D';
    QCOMPARE(source.m_strName, QStringLiteral("source"));
    QCOMPARE(source.m_strDesc, QStringLiteral("desc"));
}

void TestListItems::setDateTimeLeavesUndated()
{
    CListItem item;
    item.SetDateTime(ModelTest::Local(2002, 3, 7, 13, 15));
    QCOMPARE(item.m_bDated, false);
    QCOMPARE(item.m_time, ModelTest::Local(2002, 3, 7, 13, 15));
}

void TestListItems::getItemOutsideTheRange_data()
{
    QTest::addColumn<qsizetype>("index");
    QTest::newRow("-1") << qsizetype(-1);
    QTest::newRow("count") << qsizetype(2);
    QTest::newRow("far") << qsizetype(1000);
}

void TestListItems::getItemOutsideTheRange()
{
    QFETCH(qsizetype, index);
    CalendarTimeOps::SetNowForTesting(42);
    CListItemArray list;
    list.m_items.append(MakeItem(QStringLiteral("a"), QStringLiteral("x"), 3, true, true, 5, 20));
    list.m_items.append(MakeItem(QStringLiteral("b"), QStringLiteral("y"), 4, true, true, 6, 21));
    QVERIFY(list.GetItem(index) == CListItem());
    QCOMPARE(list.GetItem(1).m_strName, QStringLiteral("b"));
}

void TestListItems::listsAreValues()
{
    CListItemArray source;
    source.SetName(QStringLiteral("three"));
    for (int i = 0; i < 3; ++i)
        source.m_items.append(Named(QString::number(i), i));
    CListItemArray copy = source;
    copy.m_items.removeAt(1);
    CListItem changed = copy.GetItem(0);
    changed.SetName(QStringLiteral("renamed"));
    copy.SetItem(0, changed);
    QCOMPARE(source.m_items.size(), 3);
    QCOMPARE(source.GetItem(0).m_strName, QStringLiteral("0"));
    QCOMPARE(Order(copy), (QStringList{QStringLiteral("renamed#0"), QStringLiteral("2#2")}));
}

void TestListItems::collectionAfterRemovingTheOnlyList()
{
    CListCollection lists;
    lists.append(CListItemArray());
    lists.removeAt(0);
    QVERIFY(lists.isEmpty());
    lists.append(CListItemArray());
    QCOMPARE(lists.size() - 1, 0);
}

void TestListItems::addItemSorted_data()
{
    QTest::addColumn<QStringList>("present"); // in list order, not sorted
    QTest::addColumn<QStringList>("added");
    QTest::addColumn<QStringList>("expected");

    const auto L = [](std::initializer_list<const char *> names) {
        QStringList out;
        for (const char *n : names)
            out.append(QString::fromUtf8(n));
        return out;
    };
    QTest::newRow("b, a, c") << L({}) << L({"b", "a", "c"}) << L({"a#1", "b#0", "c#2"});
    QTest::newRow("second b after the first") << L({}) << L({"b", "a", "c", "b"})
                                              << L({"a#1", "b#0", "b#3", "c#2"});
    QTest::newRow("out of order list") << L({"c", "a"}) << L({"b"}) << L({"b#2", "c#0", "a#1"});
    QTest::newRow("ignores case") << L({}) << L({"Banana", "apple"}) << L({"apple#1", "Banana#0"});
    QTest::newRow("ignores case, other way") << L({}) << L({"apple", "Banana"}) << L({"apple#0", "Banana#1"});
    QTest::newRow("tie differing in case goes after") << L({}) << L({"b", "B", "b"}) << L({"b#0", "B#1", "b#2"});
    QTest::newRow("empty name first") << L({}) << L({"a", ""}) << L({"#1", "a#0"});
    QTest::newRow("accents") << L({}) << L({"\u00e9t\u00e9", "\u00c9t\u00e9", "ete"})
                             << L({"ete#2", "\u00e9t\u00e9#0", "\u00c9t\u00e9#1"});
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
    for (const QString &name : added)
        list.AddItemSorted(Named(name, tag++));
    QCOMPARE(Order(list), expected);
}

void TestListItems::builderMatchesAddItemSorted_data()
{
    QTest::addColumn<bool>("sortedInput");
    QTest::newRow("random order") << false;
    QTest::newRow("sorted order") << true;
}

void TestListItems::builderMatchesAddItemSorted()
{
    QFETCH(bool, sortedInput);
    // Short names from a small alphabet: many duplicates, many differing
    // only in case.
    QRandomGenerator random(20020307);
    static const char16_t alphabet[] = u"aAbBzZ\u00e9\u00c9 1";
    QStringList names;
    for (int i = 0; i < 3000; ++i) {
        QString name;
        const int length = int(random.bounded(4));
        for (int k = 0; k < length; ++k)
            name.append(QChar(alphabet[random.bounded(int(std::size(alphabet)) - 1)]));
        names.append(name);
    }
    if (sortedInput)
        std::sort(names.begin(), names.end());

    CListItemArray oneByOne;
    CSortedListBuilder builder;
    for (int i = 0; i < names.size(); ++i) {
        oneByOne.AddItemSorted(Named(names.at(i), i));
        builder.Add(Named(names.at(i), i));
    }
    QCOMPARE(builder.Count(), names.size());
    CListItemArray built;
    builder.FinishInto(built);
    QCOMPARE(Order(built), Order(oneByOne));
}

QUILLMARK_GUILESS_TEST_MAIN(TestListItems)
#include "tst_listitems.moc"
