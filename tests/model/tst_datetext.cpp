#include "model/ListItem.h"
#include "model/ShownText.h"
#include "tests/testlib/Lists.h"
#include "tests/testlib/QuillmarkTest.h"

#include <QTranslator>

class TestDateText : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QuillmarkTest::SetTimeZone("UTC"); }

    void text_data();
    void text();
    void followsTheZoneOfTheMoment();
    void shownAsTheLocaleWritesIt_data();
    void shownAsTheLocaleWritesIt();
};

// Midnight's hour shows as 0, noon's as 12, the afternoon's less 12; the
// minutes always with two digits. The zone matters not: the test of the
// zone follows.
void TestDateText::text_data()
{
    QTest::addColumn<QList<int>>("fields"); // year, month, day, hour, minute
    QTest::addColumn<bool>("dateOnly");
    QTest::addColumn<QString>("expected");
    QTest::newRow("00:05") << QList<int>{2002, 3, 7, 0, 5} << false << QStringLiteral("3/7/2002 at 0:05 AM");
    QTest::newRow("12:30") << QList<int>{2002, 3, 7, 12, 30} << false << QStringLiteral("3/7/2002 at 12:30 PM");
    QTest::newRow("23:59") << QList<int>{2002, 12, 31, 23, 59} << false << QStringLiteral("12/31/2002 at 11:59 PM");
    QTest::newRow("date only") << QList<int>{2002, 3, 7, 13, 15} << true << QStringLiteral("3/7/2002");
    QTest::newRow("after 2038") << QList<int>{2040, 7, 4, 18, 1} << false << QStringLiteral("7/4/2040 at 6:01 PM");
}

void TestDateText::text()
{
    QFETCH(QList<int>, fields);
    QFETCH(bool, dateOnly);
    QFETCH(QString, expected);
    const CListItem item = QuillmarkTest::Item().Time(QuillmarkTest::Local(fields[0], fields[1], fields[2], fields[3], fields[4]));
    QCOMPARE(item.GetDateText(dateOnly), expected);
}

void TestDateText::followsTheZoneOfTheMoment()
{
    QuillmarkTest::SetTimeZone("UTC");
    CListItem item;
    item.SetDateTime(QuillmarkTest::Local(2002, 3, 7, 13, 15));
    QCOMPARE(item.GetDateText(false), QStringLiteral("3/7/2002 at 1:15 PM"));
    QuillmarkTest::SetTimeZone("America/New_York");
    QCOMPARE(item.GetDateText(false), QStringLiteral("3/7/2002 at 8:15 AM"));
    // Late in the evening in New York is already the next day in Berlin.
    QuillmarkTest::SetTimeZone("America/New_York");
    item.SetDateTime(QuillmarkTest::Local(2002, 12, 31, 23, 59));
    QuillmarkTest::SetTimeZone("Europe/Berlin");
    QCOMPARE(item.GetDateText(true), QStringLiteral("1/1/2003"));
}

void TestDateText::shownAsTheLocaleWritesIt_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("dateAndTime");
    QTest::addColumn<QString>("price");
    // English keeps the program's own texts, whatever the country.
    QTest::newRow("British") << QLocale(QLocale::English, QLocale::UnitedKingdom) << QStringLiteral("3/7/2002")
                             << QStringLiteral("3/7/2002 at 1:15 PM") << QStringLiteral("-1234.50");
    QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany) << QStringLiteral("07.03.2002")
                            << QStringLiteral("07.03.2002 um 13:15") << QStringLiteral("-1234,50");
}

void TestDateText::shownAsTheLocaleWritesIt()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, date);
    QFETCH(QString, dateAndTime);
    QFETCH(QString, price);
    QTranslator german;
    QVERIFY(german.load(QStringLiteral(":/translations/quillmark_de.qm")));
    QCoreApplication::installTranslator(&german);
    QLocale::setDefault(locale);
    const CListItem item = QuillmarkTest::Item().Time(QuillmarkTest::Local(2002, 3, 7, 13, 15, 42));
    const QString shownDate = ShownText::Date(item);
    const QString shownDateAndTime = ShownText::DateAndTime(item);
    const QString shownPrice = ShownText::Price(-1234.5);
    QLocale::setDefault(QLocale::c());
    QCoreApplication::removeTranslator(&german);
    QCOMPARE(shownDate, date);
    QCOMPARE(shownDateAndTime, dateAndTime);
    QCOMPARE(shownPrice, price);
}

QUILLMARK_GUILESS_TEST_MAIN(TestDateText)
#include "tst_datetext.moc"
