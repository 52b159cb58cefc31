#include "exchange/pim/OleDate.h"
#include "tests/testlib/QuillmarkTest.h"

#include <cmath>
#include <limits>

namespace {

LocalFields Fields(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    LocalFields f;
    f.year = y;
    f.month = mo;
    f.day = d;
    f.hour = h;
    f.minute = mi;
    f.second = s;
    return f;
}

QString Text(const LocalFields &f)
{
    return QStringLiteral("%1-%2-%3 %4:%5:%6")
            .arg(f.year, 4, 10, QLatin1Char('0'))
            .arg(f.month, 2, 10, QLatin1Char('0'))
            .arg(f.day, 2, 10, QLatin1Char('0'))
            .arg(f.hour, 2, 10, QLatin1Char('0'))
            .arg(f.minute, 2, 10, QLatin1Char('0'))
            .arg(f.second, 2, 10, QLatin1Char('0'));
}

} // namespace

class OleDateTest : public QObject
{
    Q_OBJECT

private slots:
    // Values the format's definition fixes, both ways.
    void knownValues_data()
    {
        QTest::addColumn<double>("ole");
        QTest::addColumn<QString>("text");
        QTest::newRow("day zero") << 0.0 << QStringLiteral("1899-12-30 00:00:00");
        QTest::newRow("noon of day zero") << 0.5 << QStringLiteral("1899-12-30 12:00:00");
        QTest::newRow("1 January 1900") << 2.0 << QStringLiteral("1900-01-01 00:00:00");
        QTest::newRow("before day zero, fraction forwards") << -1.25 << QStringLiteral("1899-12-29 06:00:00");
        QTest::newRow("2003") << 37685.0 + 877.0 / 1440.0 << QStringLiteral("2003-03-05 14:37:00");
        QTest::newRow("leap day 2000") << 36585.75 << QStringLiteral("2000-02-29 18:00:00");
        QTest::newRow("after 2038") << 50000.0 << QStringLiteral("2036-11-21 00:00:00");
    }

    void knownValues()
    {
        QFETCH(double, ole);
        QFETCH(QString, text);
        LocalFields f;
        QVERIFY(OleDate::ToFields(ole, f));
        QCOMPARE(Text(f), text);
        QCOMPARE(OleDate::FromFields(f), ole);
    }

    // A value a hair below a whole second is that second, but one a hair
    // below midnight stays on its own day: rounding goes to the millisecond.
    void roundsToTheMillisecond_data()
    {
        QTest::addColumn<double>("ole");
        QTest::addColumn<QString>("text");
        QTest::newRow("2.999999 is late on 1 January") << 2.999999 << QStringLiteral("1900-01-01 23:59:59");
        QTest::newRow("within half a millisecond of midnight") << 2.999999999 << QStringLiteral("1900-01-02 00:00:00");
        QTest::newRow("a hair below 14:37") << 37685.0 + 877.0 / 1440.0 - 1e-9 << QStringLiteral("2003-03-05 14:37:00");
        QTest::newRow("before day zero, near its midnight") << -1.999999999 << QStringLiteral("1899-12-30 00:00:00");
    }

    void roundsToTheMillisecond()
    {
        QFETCH(double, ole);
        QFETCH(QString, text);
        LocalFields f;
        QVERIFY(OleDate::ToFields(ole, f));
        QCOMPARE(Text(f), text);
    }

    // Every minute of a day comes back as itself, however the fraction
    // happens to round in binary.
    void everyMinuteRoundTrips()
    {
        for (int minute = 0; minute < 24 * 60; ++minute) {
            const LocalFields in = Fields(2011, 10, 30, minute / 60, minute % 60);
            LocalFields out;
            QVERIFY(OleDate::ToFields(OleDate::FromFields(in), out));
            QCOMPARE(Text(out), Text(in));
        }
    }

    void refusesWhatIsNoDate_data()
    {
        QTest::addColumn<double>("ole");
        QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN();
        QTest::newRow("infinity") << std::numeric_limits<double>::infinity();
        QTest::newRow("after 9999") << 2958466.0;
        QTest::newRow("before 100") << -657435.0;
    }

    void refusesWhatIsNoDate()
    {
        QFETCH(double, ole);
        LocalFields f;
        QVERIFY(!OleDate::ToFields(ole, f));
    }
};

QUILLMARK_GUILESS_TEST_MAIN(OleDateTest)
#include "OleDateTest.moc"
