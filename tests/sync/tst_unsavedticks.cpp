#include "model/UnsavedTicks.h"
#include "tests/sync/CollectionText.h"
#include "tests/testlib/QuillmarkTest.h"

using CollectionText::Parse;
using CollectionText::Print;

// A newer data file arrives while this window holds ticks it has not saved.
class TestUnsavedTicks : public QObject
{
    Q_OBJECT

private slots:
    void putOntoNewerFile_data();
    void putOntoNewerFile();
};

void TestUnsavedTicks::putOntoNewerFile_data()
{
    QTest::addColumn<QString>("saved");
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("newer");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QStringList>("unapplied"); // "list/item+" ticked, "-" cleared

    QTest::newRow("found by name where the other side moved things around")
            << "Shop: Bread Milk Eggs" << "Shop: Bread Milk* Eggs"
            << "Home: Soap | Shop: Apples Bread Eggs* Milk"
            << "Home: Soap | Shop: Apples Bread Eggs* Milk*" << QStringList();
    QTest::newRow("a tick taken off is taken off there too")
            << "Shop: Milk*" << "Shop: Milk" << "Shop: Milk* Tea" << "Shop: Milk Tea"
            << QStringList();
    QTest::newRow("the second list of a name is the second there")
            << "Shop: Milk | Shop: Milk" << "Shop: Milk | Shop: Milk*"
            << "Other: X | Shop: Milk | Shop: Milk" << "Other: X | Shop: Milk | Shop: Milk*"
            << QStringList();
    QTest::newRow("an item edited there takes the tick of its old self")
            << "Shop: Milk/1l Milk/2l" << "Shop: Milk/1l* Milk/2l"
            << "Shop: Milk/2l Milk/3l" << "Shop: Milk/2l Milk/3l*" << QStringList();
    QTest::newRow("of two equal items one is gone there: not put on another")
            << "Shop: Milk/x Milk/x Milk/y" << "Shop: Milk/x Milk/x* Milk/y"
            << "Shop: Milk/x Milk/y" << "Shop: Milk/x Milk/y" << QStringList{QStringLiteral("Shop/Milk+")};
    QTest::newRow("item removed and list renamed there")
            << "Shop: Bread Milk | DIY: Nails" << "Shop: Bread* Milk | DIY: Nails*"
            << "Shop: Milk | Hardware: Nails" << "Shop: Milk | Hardware: Nails"
            << QStringList{QStringLiteral("Shop/Bread+"), QStringLiteral("DIY/Nails+")};
}

void TestUnsavedTicks::putOntoNewerFile()
{
    QFETCH(QString, saved);
    QFETCH(QString, current);
    QFETCH(QString, newer);
    QFETCH(QString, expected);
    QFETCH(QStringList, unapplied);

    const UnsavedTicks::Result result =
            UnsavedTicks::PutOnto(Parse(newer), Parse(saved), Parse(current));
    QCOMPARE(Print(result.lists), expected);
    QStringList left;
    for (const UnsavedTicks::Tick &tick : result.unapplied)
        left.append(tick.list + u'/' + tick.item + (tick.done ? u'+' : u'-'));
    QCOMPARE(left, unapplied);
    // Each one is named in the message to the user.
    const QString message = UnsavedTicks::DescribeUnapplied(result.unapplied);
    QCOMPARE(message.isEmpty(), unapplied.isEmpty());
    for (const UnsavedTicks::Tick &tick : result.unapplied)
        QVERIFY(message.contains(QStringLiteral("'%1' in '%2'").arg(tick.item, tick.list)));
}

QUILLMARK_GUILESS_TEST_MAIN(TestUnsavedTicks)
#include "tst_unsavedticks.moc"
