#include "model/UnsavedChanges.h"
#include "tests/testlib/Lists.h"
#include "tests/testlib/QuillmarkTest.h"

using QuillmarkTest::Lists;
using QuillmarkTest::Print;
using Kind = UnsavedChanges::Note::Kind;

// A newer data file arrives while this window holds changes it has not saved.
class TestUnsavedChanges : public QObject
{
    Q_OBJECT

private slots:
    void putOntoNewerFile_data();
    void putOntoNewerFile();
};

void TestUnsavedChanges::putOntoNewerFile_data()
{
    QTest::addColumn<QString>("saved");
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("newer");
    QTest::addColumn<QString>("expected");
    // "list/item" then "+" or "-" for a tick not applied, "=" both kept,
    // "<" kept as changed here, ">" kept as changed there.
    QTest::addColumn<QStringList>("notes");

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
    // Changes whose save failed, or a List Setup made on the lists a newer
    // file has just replaced.
    QTest::newRow("edited here, another list changed there: both")
            << "Shop: Milk/1l | DIY: Nails" << "Shop: Milk/2l | DIY: Nails"
            << "Shop: Milk/1l | DIY: Nails* Screws" << "Shop: Milk/2l | DIY: Nails* Screws"
            << QStringList();
    QTest::newRow("edited here, ticked there; renamed here, untouched there")
            << "Shop: Milk/1l | DIY: Nails" << "Shop: Milk/2l | Tools: Nails"
            << "Shop: Milk/1l* | DIY: Nails" << "Shop: Milk/2l* | Tools: Nails" << QStringList();
    QTest::newRow("edited on both sides: both versions")
            << "Shop: Bread Milk/1l" << "Shop: Bread Milk/2l" << "Shop: Bread Milk/3l"
            << "Shop: Bread Milk/3l Milk/2l" << QStringList{QStringLiteral("Shop/Milk=")};
    QTest::newRow("removed on one side, changed on the other: kept as changed")
            << "Shop: Bread Milk | Car: Oil" << "Shop: Bread/rye | Car: Oil/5W"
            << "Shop: Milk/2l" << "Shop: Bread/rye Milk/2l | Car: Oil/5W"
            << QStringList{QStringLiteral("Shop/Bread<"), QStringLiteral("Shop/Milk>"),
                           QStringLiteral("Car<")};
    QTest::newRow("added on both sides: new items in name order, the same once")
            << "Shop: Milk" << "Shop: Milk Apples Tea* | Home: Soap"
            << "Shop: Milk Tea Zucchini | Home: Soap"
            << "Shop: Apples Milk Tea* Zucchini | Home: Soap" << QStringList();
}

void TestUnsavedChanges::putOntoNewerFile()
{
    QFETCH(QString, saved);
    QFETCH(QString, current);
    QFETCH(QString, newer);
    QFETCH(QString, expected);
    QFETCH(QStringList, notes);

    const UnsavedChanges::Result result =
            UnsavedChanges::PutOnto(Lists(newer), Lists(saved), Lists(current));
    QCOMPARE(Print(result.lists), expected);
    QStringList told;
    for (const UnsavedChanges::Note &note : result.notes) {
        static const QHash<Kind, QChar> marks{{Kind::KeptBoth, u'='},
                                              {Kind::KeptChangedHere, u'<'},
                                              {Kind::KeptChangedThere, u'>'}};
        const QChar mark = note.kind == Kind::TickNotApplied ? (note.done ? u'+' : u'-')
                                                             : marks.value(note.kind);
        told.append(note.list + (note.item.isEmpty() ? QString() : u'/' + note.item) + mark);
    }
    QCOMPARE(told, notes);
    // Each one is named in the one message to the user.
    const QString message = UnsavedChanges::Describe(result.notes);
    QCOMPARE(message.isEmpty(), notes.isEmpty());
    for (const UnsavedChanges::Note &note : result.notes) {
        const QString subject = note.item.isEmpty() ? QStringLiteral("'%1'").arg(note.list)
                                                    : QStringLiteral("'%1' in '%2'").arg(note.item, note.list);
        QVERIFY2(message.contains(subject), qPrintable(message));
    }
}

QUILLMARK_GUILESS_TEST_MAIN(TestUnsavedChanges)
#include "tst_unsavedchanges.moc"
