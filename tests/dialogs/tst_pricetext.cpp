#include "dialogs/PriceText.h"
#include "tests/testlib/QuillmarkTest.h"

#include <limits>

// Bit for bit: QCOMPARE on doubles would forgive the last digits.

class TestPriceText : public QObject
{
    Q_OBJECT

private slots:
    void showsAndReadsBack_data();
    void showsAndReadsBack();
    void readsWhatPeopleType_data();
    void readsWhatPeopleType();
    void refusesWhatIsNotOneNumber_data();
    void refusesWhatIsNotOneNumber();
};

void TestPriceText::showsAndReadsBack_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0.0 << QStringLiteral("0");
    QTest::newRow("minus zero") << -0.0 << QStringLiteral("0");
    QTest::newRow("1e-7") << 1e-7 << QStringLiteral("0.0000001");
    QTest::newRow("0.1 + 0.2") << 0.1 + 0.2 << QStringLiteral("0.30000000000000004");
    // Short enough to show plainly, but past the digits a double holds.
    QTest::newRow("1e16") << 1e16 << QStringLiteral("1e+16");
    QTest::newRow("tiny") << 1.5e-300 << QStringLiteral("1.5e-300");
}

void TestPriceText::showsAndReadsBack()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(PriceText::Format(value), text);
    double back = -1.0;
    QVERIFY(PriceText::Parse(text, back));
    QCOMPARE(back, value); // -0.0 shows as "0" and reads back as +0.0, an equal price
    if (value != 0.0)
        QM_COMPARE_BITS(back, value);
}

void TestPriceText::readsWhatPeopleType_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("blanks around") << QStringLiteral("  12.5\t") << 12.5;
    QTest::newRow("empty is no price") << QString() << 0.0;
    QTest::newRow("plus sign") << QStringLiteral("+3") << 3.0;
    QTest::newRow("exponent") << QStringLiteral("1.25E2") << 125.0;
}

void TestPriceText::readsWhatPeopleType()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    double back = -1.0;
    QVERIFY(PriceText::Parse(text, back));
    QM_COMPARE_BITS(back, value);
}

void TestPriceText::refusesWhatIsNotOneNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("decimal comma") << QStringLiteral("12,50");
    QTest::newRow("word") << QStringLiteral("abc");
    QTest::newRow("trailing letters") << QStringLiteral("1.5x");
    QTest::newRow("two signs") << QStringLiteral("+-3");
    QTest::newRow("hex") << QStringLiteral("0x10");
    QTest::newRow("nan") << QStringLiteral("nan");
    QTest::newRow("inf") << QStringLiteral("inf");
    QTest::newRow("overflow") << QStringLiteral("1e999");
    QTest::newRow("full-width digits") << QStringLiteral("\uFF11\uFF12");
}

void TestPriceText::refusesWhatIsNotOneNumber()
{
    QFETCH(QString, text);
    double value = 7.0;
    QVERIFY(!PriceText::Parse(text, value));
    QCOMPARE(value, 7.0);
}

QUILLMARK_GUILESS_TEST_MAIN(TestPriceText)
#include "tst_pricetext.moc"
