#include "ical/ItemFields.h"
#include "ical/VtodoMap.h"
#include "tests/testlib/Lists.h"
#include "tests/testlib/QuillmarkTest.h"

using namespace QuillmarkTest;

namespace {

constexpr CalendarTime kNow = 1704164645; // 2024-01-02 03:04:05 UTC

QByteArray Object(const QByteArrayList &todoLines, const QByteArrayList &around = {})
{
    QByteArrayList lines{"BEGIN:VCALENDAR", "VERSION:2.0", "PRODID:-//Other//Phone//EN"};
    lines << around << "BEGIN:VTODO" << todoLines << "END:VTODO"
          << "END:VCALENDAR";
    return lines.join("\r\n") + "\r\n";
}

// The object's lines, unfolded.
QByteArrayList Lines(QByteArray ics)
{
    ics.replace("\r\n ", "");
    ics.replace("\r\n", "\n");
    return ics.split('\n');
}

// A zone of its own in the object, five and a half hours east of UTC.
const QByteArrayList kOwnZone{"BEGIN:VTIMEZONE", "TZID:Own", "BEGIN:STANDARD", "DTSTART:19700101T000000",
                              "TZOFFSETFROM:+0530", "TZOFFSETTO:+0530", "END:STANDARD", "END:VTIMEZONE"};

} // namespace

class TestVtodoMap : public QObject
{
    Q_OBJECT

private slots:
    // What another client wrote, read as an item: each way of saying done,
    // each way of giving a date, a missing price and icon.
    void read_data()
    {
        QTest::addColumn<QByteArrayList>("lines");
        QTest::addColumn<QByteArrayList>("around");
        QTest::addColumn<bool>("done");
        QTest::addColumn<QString>("date"); // local, or empty when undated
        QTest::addColumn<double>("price");
        QTest::addColumn<int>("icon");

        const QByteArrayList none;
        QTest::newRow("completed stamp alone") << QByteArrayList{"COMPLETED:20240101T100000Z"} << none << true
                                               << QString() << 0.0 << 5;
        QTest::newRow("status completed") << QByteArrayList{"STATUS:COMPLETED"} << none << true << QString() << 0.0 << 5;
        QTest::newRow("cancelled") << QByteArrayList{"STATUS:CANCELLED"} << none << true << QString() << 0.0 << 5;
        QTest::newRow("percent 100") << QByteArrayList{"PERCENT-COMPLETE:100"} << none << true << QString() << 0.0 << 5;
        QTest::newRow("half done is not done") << QByteArrayList{"STATUS:IN-PROCESS", "PERCENT-COMPLETE:50"} << none
                                               << false << QString() << 0.0 << 5;
        QTest::newRow("due in UTC") << QByteArrayList{"DUE:20240315T120000Z"} << none << false
                                    << QStringLiteral("2024-3-15 8:0:0") << 0.0 << 5;
        QTest::newRow("due in a zone the object does not hold")
                << QByteArrayList{"DUE;TZID=Europe/Berlin:20240315T120000"} << none << false
                << QStringLiteral("2024-3-15 7:0:0") << 0.0 << 5;
        QTest::newRow("due in the object's own zone") << QByteArrayList{"DUE;TZID=Own:20240315T173000"} << kOwnZone
                                                      << false << QStringLiteral("2024-3-15 8:0:0") << 0.0 << 5;
        QTest::newRow("due floating") << QByteArrayList{"DUE:20240315T093007"} << none << false
                                      << QStringLiteral("2024-3-15 9:30:7") << 0.0 << 5;
        QTest::newRow("a day alone, at noon") << QByteArrayList{"DUE;VALUE=DATE:20240315"} << none << false
                                              << QStringLiteral("2024-3-15 12:0:0") << 0.0 << 5;
        QTest::newRow("start where no due is") << QByteArrayList{"DTSTART:20240316T101500Z"} << none << false
                                               << QStringLiteral("2024-3-16 6:15:0") << 0.0 << 5;
        QTest::newRow("due before start") << QByteArrayList{"DTSTART:20240301T100000", "DUE:20240310T100000"} << none
                                          << false << QStringLiteral("2024-3-10 10:0:0") << 0.0 << 5;
        QTest::newRow("price and icon") << QByteArrayList{"X-QUILLMARK-PRICE:12.5", "X-QUILLMARK-ICON:17"} << none
                                        << false << QString() << 12.5 << 17;
        QTest::newRow("icon that is no number") << QByteArrayList{"X-QUILLMARK-ICON:shop"} << none << false
                                                << QString() << 0.0 << 5;
    }
    void read()
    {
        QFETCH(QByteArrayList, lines);
        QFETCH(QByteArrayList, around);
        QFETCH(bool, done);
        QFETCH(QString, date);
        QFETCH(double, price);
        QFETCH(int, icon);

        lines.prepend("SUMMARY:Milk\\, fresh");
        lines.prepend("UID:u-1");
        QString why;
        const std::optional<VtodoMap::Todo> todo = VtodoMap::Read(Object(lines, around), &why);
        QVERIFY2(todo, qPrintable(why));
        QCOMPARE(todo->uid, QStringLiteral("u-1"));
        QCOMPARE(todo->item.m_strName, QStringLiteral("Milk, fresh"));
        QCOMPARE(todo->item.m_bDone, done);
        QCOMPARE(todo->item.m_bDated, !date.isEmpty());
        if (!date.isEmpty())
            QCOMPARE(LocalText(todo->item.m_time), date);
        QCOMPARE(todo->item.m_dPrice, price);
        QCOMPARE(todo->item.m_nIcon, icon);
    }

    // What the engine cannot take as one item is refused with a reason.
    void refused_data()
    {
        QTest::addColumn<QByteArray>("ics");
        QTest::newRow("no UID") << Object({"SUMMARY:x"});
        QTest::newRow("no to-do") << QByteArray("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nUID:e\r\n"
                                                "END:VEVENT\r\nEND:VCALENDAR\r\n");
        QTest::newRow("two to-dos") << Object({"UID:a", "END:VTODO", "BEGIN:VTODO", "UID:b"});
        QTest::newRow("not iCalendar") << QByteArray("<html>hello</html>");
    }
    void refused()
    {
        QFETCH(QByteArray, ics);
        QString why;
        QVERIFY(!VtodoMap::Read(ics, &why));
        QVERIFY(!why.isEmpty());
        QVERIFY(!VtodoMap::Update(ics, Item(QStringLiteral("x")), kNow));
    }

    // A new item carries each field where the phone apps read it,
    // and reads back as itself.
    void create()
    {
        const CListItem item = Item(QStringLiteral("Bread\r\nwhole")).Desc(QStringLiteral("two; \"big\""))
                                       .Price(3.5).Icon(12).Done().Dated(Local(2024, 3, 15, 8, 30, 9));
        const QByteArray ics = VtodoMap::Create(item, QStringLiteral("id-7"), kNow);
        const QByteArrayList lines = Lines(ics);
        for (const char *line : {"UID:id-7", "SUMMARY:Bread\\nwhole", "DUE:20240315T083009", "STATUS:COMPLETED",
                                 "COMPLETED:20240102T030405Z", "PERCENT-COMPLETE:100", "X-QUILLMARK-PRICE:3.50",
                                 "X-QUILLMARK-ICON:12", "DTSTAMP:20240102T030405Z"})
            QVERIFY2(lines.contains(line), line);
        const std::optional<VtodoMap::Todo> back = VtodoMap::Read(ics);
        QVERIFY(back);
        QVERIFY(ItemFields::SameContent(back->item, item));

        const QByteArray open = VtodoMap::Create(Item(QStringLiteral("Salt")), QStringLiteral("id-8"), kNow);
        QVERIFY(Lines(open).contains("STATUS:NEEDS-ACTION"));
        for (const char *gone : {"COMPLETED", "PERCENT-COMPLETE", "DUE"})
            QVERIFY2(!open.contains(QByteArray("\n") + gone), gone);
    }

    // An update writes only the fields that differ, into the server's own
    // object: what another client wrote stays, line for line.
    void update_keeps_what_others_wrote()
    {
        const QByteArrayList theirs{"RRULE:FREQ=WEEKLY;BYDAY=MO", "PRIORITY:1",
                                    "RELATED-TO;RELTYPE=PARENT:p-1", "ATTACH:https://example.org/a.png",
                                    "X-PHONE-COLOR;X-SHADE=dark:#ff0000", "DUE;TZID=Europe/Berlin:20240315T120000",
                                    "DTSTART;TZID=Europe/Berlin:20240301T120000"};
        // Two categories in one line come back as a line each, which says
        // the same.
        QByteArrayList lines{"UID:u-1", "SUMMARY:Milk", "STATUS:NEEDS-ACTION", "SEQUENCE:3",
                             "CATEGORIES:Weekly,Food"};
        lines << theirs << "BEGIN:VALARM" << "ACTION:DISPLAY" << "TRIGGER:-PT15M" << "DESCRIPTION:Milk"
              << "END:VALARM";
        const QByteArray server = Object(lines);
        std::optional<VtodoMap::Todo> read = VtodoMap::Read(server);
        QVERIFY(read);

        // Nothing to write: the server's bytes come back as they were.
        QCOMPARE(*VtodoMap::Update(server, read->item, kNow), server);

        CListItem item = read->item;
        item.SetName(QStringLiteral("Oat milk"));
        item.m_bDone = true;
        item.m_dPrice = 2;
        const std::optional<QByteArray> ticked = VtodoMap::Update(server, item, kNow);
        QVERIFY(ticked);
        const QByteArrayList out = Lines(*ticked);
        for (const QByteArray &line : theirs)
            QVERIFY2(out.contains(line), line.constData());
        for (const char *line : {"SUMMARY:Oat milk", "STATUS:COMPLETED", "COMPLETED:20240102T030405Z",
                                 "PERCENT-COMPLETE:100", "X-QUILLMARK-PRICE:2.00", "SEQUENCE:4", "CATEGORIES:Weekly",
                                 "CATEGORIES:Food",
                                 "LAST-MODIFIED:20240102T030405Z", "BEGIN:VALARM", "TRIGGER:-PT15M"})
            QVERIFY2(out.contains(line), line);
        QVERIFY(!out.contains("STATUS:NEEDS-ACTION"));
        // The icon it never had stays unwritten: the default was read.
        QVERIFY(!ticked->contains("X-QUILLMARK-ICON"));

        // Unticked, and given a date of its own: the done marks go, the old
        // start after the new due time goes, the due time is floating.
        CListItem again = VtodoMap::Read(*ticked)->item;
        again.m_bDone = false;
        again.m_time = Local(2024, 2, 20, 9, 0, 0);
        const QByteArrayList undone = Lines(*VtodoMap::Update(*ticked, again, kNow));
        QVERIFY(undone.contains("STATUS:NEEDS-ACTION"));
        QVERIFY(undone.contains("DUE:20240220T090000"));
        QVERIFY(undone.contains("RRULE:FREQ=WEEKLY;BYDAY=MO"));
        for (const QByteArray &line : undone) {
            QVERIFY2(!line.startsWith("COMPLETED") && !line.startsWith("PERCENT-COMPLETE")
                             && !line.startsWith("DTSTART") && !line.contains("TZID"),
                     line.constData());
        }
    }
};

QUILLMARK_GUILESS_TEST_MAIN(TestVtodoMap)
#include "tst_vtodomap.moc"
