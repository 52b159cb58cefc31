#include "exchange/handover/CalendarStore.h"
#include "exchange/handover/HandOver.h"
#include "exchange/handover/SafeFileWrite.h"
#include "model/ListItem.h"
#include "platform/AppPaths.h"
#include "tests/handover/IcsFiles.h"
#include "tests/testlib/FileSizeLimit.h"
#include "tests/testlib/QuillmarkTest.h"

#include <QTemporaryDir>
#include <QUuid>

#include <cerrno>

using namespace IcsFiles;

namespace {

// 2024-01-02 03:04:05 UTC: the stamps of everything written here.
constexpr CalendarTime kNow = 1704164645;

// 5 March of the year, 14:37:52 local time.
CListItem Item(const QString &name, const QString &desc, bool dated, bool done, int year = 2003)
{
    return QuillmarkTest::Item(name).Desc(desc).Price(1.25).Done(done).Icon(12).Dated(
            QuillmarkTest::Local(year, 3, 5, 14, 37, 52), dated);
}

// The whole file, as the programs that read these folders get it.
QByteArray Calendar(const QString &uid, const QByteArrayList &itemLines)
{
    QByteArrayList lines{"BEGIN:VCALENDAR", "PRODID:-//Fernwise//Quillmark//EN", "VERSION:2.0"};
    const QByteArray kind = itemLines.first();
    lines << "BEGIN:" + kind << "UID:" + uid.toLatin1() << "DTSTAMP:20240102T030405Z"
          << itemLines.mid(1) << "END:" + kind << "END:VCALENDAR";
    return lines.join("\r\n") + "\r\n";
}

// The item of that summary in a folder, its file name checked against its
// UID.
StoredItem Named(const QString &folder, const QString &summary)
{
    for (StoredItem item : ReadFolder(folder)) {
        if (item.summary != summary)
            continue;
        if (item.fileName != item.uid + QStringLiteral(".ics") || QUuid::fromString(item.uid).isNull())
            item.errors << QStringLiteral("file %1 for UID %2").arg(item.fileName, item.uid);
        return item;
    }
    StoredItem none;
    none.errors << QStringLiteral("no %1 in %2").arg(summary, folder);
    return none;
}

} // namespace

class TestHandOver : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_tasks, m_calendar;

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        CalendarTimeOps::SetNowForTesting(kNow);
    }

    void init()
    {
        static int n = 0;
        const QString base = m_dir.filePath(QString::number(++n));
        m_tasks = base + QStringLiteral("/tasks");
        m_calendar = base + QStringLiteral("/calendar");
    }

    void cleanupTestCase() { CalendarTimeOps::ClearNowForTesting(); }

    // What is made and what the user is told. Handing the same item over
    // twice makes two of each and tells the same.
    void outcomes_data()
    {
        QTest::addColumn<bool>("toTask");
        QTest::addColumn<bool>("toCalendar");
        QTest::addColumn<bool>("dated");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<int>("tasks");
        QTest::addColumn<int>("events");
        QTest::newRow("task") << true << false << true << QStringList{kAddedTask} << 1 << 0;
        QTest::newRow("appointment") << false << true << true << QStringList{kAddedAppt} << 0 << 1;
        QTest::newRow("both") << true << true << true << QStringList{kAddedBoth} << 1 << 1;
        QTest::newRow("both, undated: not dated, then the task")
                << true << true << false << QStringList{kNotDated, kAddedTask} << 1 << 0;
        QTest::newRow("appointment, undated: nothing made")
                << false << true << false << QStringList{kNotDated} << 0 << 0;
    }

    void outcomes()
    {
        QFETCH(bool, toTask);
        QFETCH(bool, toCalendar);
        QFETCH(bool, dated);
        QFETCH(QStringList, messages);
        QFETCH(int, tasks);
        QFETCH(int, events);
        CCalendarStore store(m_tasks, m_calendar);
        const CListItem item = Item(QStringLiteral("Milk"), QStringLiteral("Two litres"), dated, false);
        QCOMPARE(HandOverItem(item, toTask, toCalendar, store), messages);
        QCOMPARE(HandOverItem(item, toTask, toCalendar, store), messages);

        const QList<StoredItem> written = ReadFolder(m_tasks) + ReadFolder(m_calendar);
        QCOMPARE(written.size(), 2 * (tasks + events));
        for (int i = 0; i < written.size(); ++i) {
            QCOMPARE(written.at(i).errors, QStringList{});
            QCOMPARE(written.at(i).kind, i < 2 * tasks ? QStringLiteral("VTODO") : QStringLiteral("VEVENT"));
            QCOMPARE(written.at(i).summary, QStringLiteral("Milk"));
            QCOMPARE(written.at(i).alarms, QStringList{}); // no reminder asked for
        }
        if (tasks + events == 0) // nothing to make: no folder either
            QVERIFY(!QFileInfo::exists(QFileInfo(m_tasks).path()));
    }

    // The files exactly: other programs read them. A time is the item's local
    // minute, floating; the stamps are now, in UTC; the reminder is set from
    // a task's due time and an appointment's start, and an undated task has
    // none; no end, location or start of a task, so each reader's defaults
    // apply.
    void storedForm()
    {
        CCalendarStore store(m_tasks, m_calendar, Reminder::HourBefore);
        HandOverItem(Item(QStringLiteral("Dentist"), QStringLiteral("Bring the card"), true, true), true, true,
                     store);
        HandOverItem(Item(QStringLiteral("Call"), QStringLiteral("x"), false, false), true, false, store);

        const StoredItem task = Named(m_tasks, QStringLiteral("Dentist"));
        QCOMPARE(task.errors, QStringList{});
        QCOMPARE(task.bytes, Calendar(task.uid, {"VTODO", "SUMMARY:Dentist", "DESCRIPTION:Bring the card",
                                                 "DUE:20030305T143700", "STATUS:COMPLETED",
                                                 "COMPLETED:20240102T030405Z", "PERCENT-COMPLETE:100",
                                                 "BEGIN:VALARM", "ACTION:DISPLAY", "TRIGGER;RELATED=END:-PT1H",
                                                 "DESCRIPTION:Dentist", "END:VALARM"}));
        const StoredItem appt = Named(m_calendar, QStringLiteral("Dentist"));
        QCOMPARE(appt.errors, QStringList{});
        QCOMPARE(appt.bytes, Calendar(appt.uid, {"VEVENT", "SUMMARY:Dentist", "DESCRIPTION:Bring the card",
                                                 "DTSTART:20030305T143700", "BEGIN:VALARM", "ACTION:DISPLAY",
                                                 "TRIGGER:-PT1H", "DESCRIPTION:Dentist", "END:VALARM"}));
        QVERIFY(appt.uid != task.uid);
        const StoredItem undated = Named(m_tasks, QStringLiteral("Call"));
        QCOMPARE(undated.errors, QStringList{});
        QCOMPARE(undated.bytes,
                 Calendar(undated.uid, {"VTODO", "SUMMARY:Call", "DESCRIPTION:x", "STATUS:NEEDS-ACTION"}));
    }

    // What the user typed comes back as it was, except what the format
    // cannot carry: line breaks of any kind become line feeds, control
    // characters other than tab are left out, and a text left empty is not
    // written at all (the library's own parser refuses an empty one). The
    // reminder, a display alarm at the due time or start, shows the name,
    // and where that is left empty the description or else the program's.
    void textsComeBackIntact_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        const auto same = [](const QString &s) { return std::make_pair(s, s); };
        const QList<std::pair<const char *, std::pair<QString, QString>>> rows{
                {"comma, semicolon, backslash", same(QStringLiteral("a,b;c\\d\\,e\\;f\\n"))},
                {"line feeds", same(QStringLiteral("one\ntwo\n\nfour\n"))},
                {"CRLF", {QStringLiteral("one\r\ntwo\r\n"), QStringLiteral("one\ntwo\n")}},
                {"lone CR", {QStringLiteral("one\rtwo\r\rthree"), QStringLiteral("one\ntwo\n\nthree")}},
                {"tab kept, controls left out",
                 {QStringLiteral("a\tb") + QChar(0x01) + QChar(0x1b) + QChar(0x7f) + QStringLiteral("c"),
                  QStringLiteral("a\tbc")}},
                {"nothing left", {QString(QChar(0x02)), kAbsent}},
                {"long, folded mid-character",
                 same(QString::fromUtf8("ééééééééééééééééééééééééééééééééééééééééééééééé東京東京東京東京東京東京東京東京東京🍰🍰🍰🍰🍰🍰🍰🍰🍰🍰🍰🍰"))},
        };
        for (const auto &[name, values] : rows)
            QTest::newRow(name) << values.first << values.second;
    }

    void textsComeBackIntact()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        CCalendarStore store(m_tasks, m_calendar, Reminder::AtTheTime);
        HandOverItem(Item(text, text, true, false), true, true, store);

        const QList<StoredItem> all = ReadFolder(m_tasks) + ReadFolder(m_calendar);
        QCOMPARE(all.size(), 2);
        const QString shown = expected == kAbsent ? QStringLiteral("Quillmark") : expected;
        for (const StoredItem &r : all) {
            QCOMPARE(r.errors, QStringList{});
            QCOMPARE(r.summary, expected);
            QCOMPARE(r.description, expected);
            QCOMPARE(r.alarms, QStringList{QStringLiteral("DISPLAY, 0 s from %1: %2")
                                                   .arg(QLatin1String(r.kind == QLatin1String("VTODO") ? "END" : "START"), shown)});
        }
        if (expected == kAbsent) { // with a description beside the name left empty, that is shown
            CCalendarStore other(m_tasks + u'2', m_calendar + u'2', Reminder::AtTheTime);
            HandOverItem(Item(text, QStringLiteral("Two litres"), true, false), false, true, other);
            QCOMPARE(ReadFolder(m_calendar + u'2').value(0).alarms,
                     QStringList{QStringLiteral("DISPLAY, 0 s from START: Two litres")});
        }
    }

    // An item file holds a four-digit year; outside 100 to 9999 nothing is
    // written and the user is told why.
    void yearsTheStoreHolds_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("99") << 99 << QByteArray();
        QTest::newRow("100") << 100 << QByteArray("01000305T143700");
        QTest::newRow("9999") << 9999 << QByteArray("99990305T143700");
        QTest::newRow("10000") << 10000 << QByteArray();
    }

    void yearsTheStoreHolds()
    {
        QFETCH(int, year);
        QFETCH(QByteArray, written);
        CCalendarStore store(m_tasks, m_calendar);
        const QStringList shown = HandOverItem(Item(QStringLiteral("x"), QString(), true, false, year), true,
                                               true, store);
        if (written.isEmpty()) {
            const QString why = QStringLiteral(": the date lies outside the years 100 to 9999");
            QCOMPARE(shown, (QStringList{QStringLiteral("The item could not be added to Tasks") + why,
                                         QStringLiteral("The item could not be added to Appointments") + why}));
            QCOMPARE(Entries(m_tasks) + Entries(m_calendar), QStringList{});
        } else {
            QCOMPARE(shown, QStringList{kAddedBoth});
            QVERIFY(Named(m_tasks, QStringLiteral("x")).bytes.contains("DUE:" + written + "\r\n"));
            QVERIFY(Named(m_calendar, QStringLiteral("x")).bytes.contains("DTSTART:" + written + "\r\n"));
        }
    }

    // A folder that cannot be written is reported, not taken for success;
    // the other kind is still made and reported.
    void blockedFolderIsReported_data()
    {
        QTest::addColumn<bool>("tasksBlocked");
        QTest::newRow("tasks") << true;
        QTest::newRow("calendar") << false;
    }

    void blockedFolderIsReported()
    {
        QFETCH(bool, tasksBlocked);
        const QString blocked = tasksBlocked ? m_tasks : m_calendar;
        QVERIFY(QDir().mkpath(QFileInfo(blocked).path()));
        QVERIFY(QuillmarkTest::WriteFileBytes(blocked, {}));

        CCalendarStore store(m_tasks, m_calendar);
        const QStringList shown =
                HandOverItem(Item(QStringLiteral("x"), QString(), true, false), true, true, store);
        QCOMPARE(shown.size(), 2);
        const QString notAdded = QStringLiteral("The item could not be added to %1: %2")
                                         .arg(tasksBlocked ? QStringLiteral("Tasks") : QStringLiteral("Appointments"), blocked);
        QVERIFY2(shown.at(0).startsWith(notAdded), qPrintable(shown.at(0)));
        QCOMPARE(shown.at(1), tasksBlocked ? kAddedAppt : kAddedTask);
        QCOMPARE(Summaries(tasksBlocked ? m_calendar : m_tasks), QStringList{QStringLiteral("x")});
    }

    void fullDiskIsReportedAndLeavesNothing()
    {
        CCalendarStore store(m_tasks, m_calendar);
        QStringList shown;
        {
            FileSizeLimit limit(64);
            QVERIFY(limit.ok());
            const CListItem tooBig = Item(QStringLiteral("Too big"), QString(200, u'x'), true, true);
            shown = HandOverItem(tooBig, true, true, store);
        }
        QCOMPARE(shown.size(), 2);
        // The system's reason, not "Unknown error".
        for (const QString &kind : {QStringLiteral("Tasks"), QStringLiteral("Appointments")})
            QVERIFY2(shown.filter(QStringLiteral("The item could not be added to %1: ").arg(kind)).value(0).endsWith(
                             qt_error_string(EFBIG)),
                     qPrintable(shown.join(u'\n')));
        QCOMPARE(Entries(m_tasks) + Entries(m_calendar), QStringList{});
    }

    void failedRenameLeavesNoTemporaryFile()
    {
        QVERIFY(QDir().mkpath(m_tasks));
        // The target name is taken by a folder that rename cannot replace.
        QVERIFY(QDir().mkpath(m_tasks + QStringLiteral("/taken.ics/inside")));
        QString why;
        QVERIFY(!WriteFileSafely(m_tasks, QStringLiteral("taken.ics"), "data", &why));
        QVERIFY2(why.startsWith(m_tasks + QStringLiteral("/taken.ics: ")), qPrintable(why));
        QCOMPARE(Entries(m_tasks), QStringList{QStringLiteral("taken.ics")});

        QVERIFY(WriteFileSafely(m_tasks, QStringLiteral("new.ics"), "data", &why));
        QCOMPARE(Entries(m_tasks), (QStringList{QStringLiteral("new.ics"), QStringLiteral("taken.ics")}));
        QCOMPARE(QuillmarkTest::FileBytes(m_tasks + QStringLiteral("/new.ics")), QByteArray("data"));
    }

    void defaultFoldersUnderTheDataFolder()
    {
        const QString pim = QDir(AppPaths::AppDataFolder()).filePath(QStringLiteral("pim"));
        QVERIFY(QDir(pim).removeRecursively()); // the test's own home is kept between runs
        CCalendarStore store = CCalendarStore::FromSettings();
        QCOMPARE(store.TasksFolder(), pim + QStringLiteral("/tasks"));
        QCOMPARE(store.CalendarFolder(), pim + QStringLiteral("/calendar"));
        // A sync program looks at every folder here: both collections are
        // there from the first item on, and nothing else is.
        QCOMPARE(HandOverItem(Item(QStringLiteral("a"), QString(), true, false), true, false, store),
                 QStringList{kAddedTask});
        QCOMPARE(Entries(pim), (QStringList{QStringLiteral("calendar"), QStringLiteral("tasks")}));
        QCOMPARE(Entries(pim + QStringLiteral("/tasks")).size(), 1);
    }
};

QUILLMARK_GUILESS_TEST_MAIN(TestHandOver)
#include "tst_handover.moc"
