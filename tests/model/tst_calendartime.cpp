// Alone in its executable: the zone is resolved once per process, so no
// conversion may run before this test.
#include "platform/CalendarTime.h"
#include "tests/testlib/QuillmarkTest.h"

#include <QRandomGenerator>
#include <QTimeZone>

#include <ctime>

class TestCalendarTime : public QObject
{
    Q_OBJECT

private slots:
    void unsetZoneIsResolvedWithoutChangingResults();
    void runOfTimesAgreesWithTheLibrary();
};

void TestCalendarTime::unsetZoneIsResolvedWithoutChangingResults()
{
    // As on most desktops: no TZ at all.
    qunsetenv("TZ");
    tzset();
    const QByteArray qtZone = QTimeZone::systemTimeZoneId();
    const QList<CalendarTime> times{0, 1015506900, 1035678600, 2147483648, 4102444800};

    QList<struct tm> expected;
    for (CalendarTime t : times) {
        const time_t tt = time_t(t);
        struct tm tm {};
        QVERIFY(localtime_r(&tt, &tm));
        expected.append(tm);
    }

    for (qsizetype i = 0; i < times.size(); ++i) {
        LocalFields f;
        QVERIFY(CalendarTimeOps::ToLocal(times.at(i), f));
        const struct tm &tm = expected.at(i);
        QCOMPARE((QList<int>{f.year, f.month, f.day, f.hour, f.minute, f.second, f.dayOfWeek}),
                 (QList<int>{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec, tm.tm_wday}));
        CalendarTime back = 0;
        QVERIFY(CalendarTimeOps::FromLocal(f.year, f.month, f.day, f.hour, f.minute, f.second, back));
        QCOMPARE(back, times.at(i));
    }
    // The C library now keeps the zone file it read; Qt sees the same zone.
    QCOMPARE(qgetenv("TZ"), QByteArray(":/etc/localtime"));
    QCOMPARE(QTimeZone::systemTimeZoneId(), qtZone);

    // A zone set later is still followed.
    QuillmarkTest::SetTimeZone("America/New_York");
    LocalFields f;
    QVERIFY(CalendarTimeOps::ToLocal(1015506900, f));
    QCOMPARE(f.hour, 8);
    CalendarTime t = 0;
    QVERIFY(CalendarTimeOps::FromLocal(2002, 3, 7, 8, 15, 0, t));
    QCOMPARE(t, CalendarTime(1015506900));
}

// Times in a row, as a data file holds them, in zones with summer time (of
// half an hour on Lord Howe Island) and the local mean time of old years:
// each is the instant the C library gives, out-of-range fields too.
void TestCalendarTime::runOfTimesAgreesWithTheLibrary()
{
    for (const char *zone : {"Europe/Berlin", "America/New_York", "Australia/Lord_Howe"}) {
        QuillmarkTest::SetTimeZone(zone);
        CalendarTimeOps::LocalTimeRun run;
        QRandomGenerator random(5);
        for (int i = 0; i < 5000; ++i) {
            const int year = i % 50 == 0 ? 2100 + random.bounded(8000) : 1800 + random.bounded(300);
            const int month = i % 20 == 0 ? random.bounded(14) : 1 + random.bounded(12);
            const int day = 1 + random.bounded(31);
            const int hour = random.bounded(24);
            const int minute = i % 30 == 0 ? 60 + random.bounded(100) : random.bounded(60);
            const int second = random.bounded(60);
            CalendarTime fast = 0;
            CalendarTime slow = 0;
            QCOMPARE(run.FromLocal(year, month, day, hour, minute, second, fast),
                     CalendarTimeOps::FromLocal(year, month, day, hour, minute, second, slow));
            QCOMPARE(fast, slow);
        }
    }
    // In the hour that repeats, the instant at the offset of the time before.
    QuillmarkTest::SetTimeZone("Europe/Berlin");
    CalendarTimeOps::LocalTimeRun run;
    CalendarTime t = 0;
    QVERIFY(run.FromLocal(2002, 7, 1, 12, 0, 0, t));
    QVERIFY(run.FromLocal(2002, 10, 27, 2, 30, 0, t));
    QCOMPARE(t, CalendarTime(1035678600));
    QVERIFY(run.FromLocal(2002, 12, 1, 12, 0, 0, t));
    QVERIFY(run.FromLocal(2002, 10, 27, 2, 30, 0, t));
    QCOMPARE(t, CalendarTime(1035682200));
}

QUILLMARK_GUILESS_TEST_MAIN(TestCalendarTime)
#include "tst_calendartime.moc"
