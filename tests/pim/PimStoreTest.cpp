#include "exchange/pim/IcsStore.h"
#include "exchange/pim/PimSettings.h"
#include "exchange/pim/PimTransfer.h"
#include "exchange/pim/SafeFileWrite.h"
#include "model/ListItem.h"
#include "platform/AppPaths.h"
#include "platform/Settings.h"
#include "res/Strings.h"
#include "tests/testlib/QuillmarkTest.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <libical/ical.h>

#include <csignal>
#include <sys/resource.h>

namespace {

// One item file as libical reads it back.
struct ReadItem
{
    QString fileName;
    QString kind;                 // "VTODO" or "VEVENT"
    int itemCount = 0;            // components inside the VCALENDAR
    QStringList properties;       // names, in order, of the item's properties
    QStringList errors;           // what the parser complained about
    QString prodId, version, uid, summary, description, status;
    QString due, start, stamp, completed; // as written, e.g. "20030305T143700"
    bool dueFloating = false, startFloating = false;
    int percent = -1;
    int alarms = 0;
};

QString TimeText(icaltimetype t)
{
    return QString::fromLatin1(icaltime_as_ical_string(t));
}

// Floating: no Z and no TZID parameter.
bool IsFloating(icalproperty *p)
{
    const icaltimetype t = icalproperty_get_datetime_with_component(p, nullptr);
    return !icaltime_is_utc(t) && !icalproperty_get_first_parameter(p, ICAL_TZID_PARAMETER);
}

ReadItem Parse(const QString &path)
{
    ReadItem r;
    r.fileName = QFileInfo(path).fileName();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        r.errors << QStringLiteral("cannot open");
        return r;
    }
    icalcomponent *cal = icalparser_parse_string(file.readAll().constData());
    if (!cal || icalcomponent_isa(cal) != ICAL_VCALENDAR_COMPONENT) {
        r.errors << QStringLiteral("no VCALENDAR");
        if (cal)
            icalcomponent_free(cal);
        return r;
    }
    for (icalproperty *p = icalcomponent_get_first_property(cal, ICAL_ANY_PROPERTY); p;
         p = icalcomponent_get_next_property(cal, ICAL_ANY_PROPERTY)) {
        if (icalproperty_isa(p) == ICAL_PRODID_PROPERTY)
            r.prodId = QString::fromUtf8(icalproperty_get_prodid(p));
        else if (icalproperty_isa(p) == ICAL_VERSION_PROPERTY)
            r.version = QString::fromUtf8(icalproperty_get_version(p));
        else if (icalproperty_isa(p) == ICAL_XLICERROR_PROPERTY)
            r.errors << QString::fromUtf8(icalproperty_get_xlicerror(p));
    }
    icalcomponent *item = icalcomponent_get_first_component(cal, ICAL_ANY_COMPONENT);
    for (icalcomponent *c = item; c; c = icalcomponent_get_next_component(cal, ICAL_ANY_COMPONENT))
        ++r.itemCount;
    if (item) {
        r.kind = QString::fromLatin1(icalcomponent_kind_to_string(icalcomponent_isa(item)));
        r.alarms = icalcomponent_count_components(item, ICAL_VALARM_COMPONENT);
        for (icalproperty *p = icalcomponent_get_first_property(item, ICAL_ANY_PROPERTY); p;
             p = icalcomponent_get_next_property(item, ICAL_ANY_PROPERTY)) {
            r.properties << QString::fromLatin1(icalproperty_get_property_name(p));
            switch (icalproperty_isa(p)) {
            case ICAL_UID_PROPERTY: r.uid = QString::fromUtf8(icalproperty_get_uid(p)); break;
            case ICAL_SUMMARY_PROPERTY: r.summary = QString::fromUtf8(icalproperty_get_summary(p)); break;
            case ICAL_DESCRIPTION_PROPERTY:
                r.description = QString::fromUtf8(icalproperty_get_description(p));
                break;
            case ICAL_STATUS_PROPERTY:
                r.status = QString::fromLatin1(icalproperty_status_to_string(icalproperty_get_status(p)));
                break;
            case ICAL_DUE_PROPERTY:
                r.due = TimeText(icalproperty_get_due(p));
                r.dueFloating = IsFloating(p);
                break;
            case ICAL_DTSTART_PROPERTY:
                r.start = TimeText(icalproperty_get_dtstart(p));
                r.startFloating = IsFloating(p);
                break;
            case ICAL_DTSTAMP_PROPERTY: r.stamp = TimeText(icalproperty_get_dtstamp(p)); break;
            case ICAL_COMPLETED_PROPERTY: r.completed = TimeText(icalproperty_get_completed(p)); break;
            case ICAL_PERCENTCOMPLETE_PROPERTY: r.percent = icalproperty_get_percentcomplete(p); break;
            case ICAL_XLICERROR_PROPERTY: r.errors << QString::fromUtf8(icalproperty_get_xlicerror(p)); break;
            default: break;
            }
        }
    }
    icalcomponent_free(cal);
    return r;
}

// Every entry of a folder, hidden ones included.
QStringList Entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

QList<ReadItem> ReadFolder(const QString &folder)
{
    QList<ReadItem> items;
    for (const QString &name : Entries(folder))
        items << Parse(QDir(folder).filePath(name));
    return items;
}

CListItem Item(const QString &name, const QString &desc, bool dated, bool done)
{
    CListItem item;
    item.SetName(name);
    item.SetDescription(desc);
    CalendarTime t = 0;
    CalendarTimeOps::FromLocal(2003, 3, 5, 14, 37, 52, t);
    item.SetDateTime(t);
    item.m_bDated = dated;
    item.m_bDone = done;
    return item;
}

// 2024-01-02 03:04:05 UTC: the stamps of everything written here.
constexpr CalendarTime kNow = 1704164645;

// Lowers the largest file this process may write, so that writing fails as
// on a full disk. The signal that would otherwise end the process is ignored
// for the while.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lower = m_old;
        lower.rlim_cur = bytes;
        m_ok = setrlimit(RLIMIT_FSIZE, &lower) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    bool ok() const { return m_ok; }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
    bool m_ok = false;
};

} // namespace

class PimStoreTest : public QObject
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

    void defaultFoldersAreMadeOnLogon()
    {
        const QString pim = QDir(AppPaths::AppDataFolder()).filePath(QStringLiteral("pim"));
        QCOMPARE(PimSettings::TasksFolder(), pim + QStringLiteral("/tasks"));
        QCOMPARE(PimSettings::CalendarFolder(), pim + QStringLiteral("/calendar"));
        // The test's own home is kept between runs.
        QVERIFY(QDir(pim).removeRecursively());
        QVERIFY(!QFileInfo::exists(pim));

        const std::unique_ptr<IcsStoreApplication> app = IcsStoreApplication::FromSettings();
        QVERIFY(app->Logon());
        app->Logoff();
        // Collection finders look at every folder here: nothing else may sit
        // beside the two collections.
        QCOMPARE(Entries(pim), (QStringList{QStringLiteral("calendar"), QStringLiteral("tasks")}));

        QCOMPARE(TransferItem(Item(QStringLiteral("a"), QString(), true, false), true, true, *app).size(), 1);
        QCOMPARE(Entries(pim), (QStringList{QStringLiteral("calendar"), QStringLiteral("tasks")}));
        QCOMPARE(Entries(pim + QStringLiteral("/tasks")).size(), 1);
        QCOMPARE(Entries(pim + QStringLiteral("/calendar")).size(), 1);
    }

    void foldersFromTheSettings()
    {
        Settings::WriteString(QStringLiteral("TasksFolder"), m_tasks);
        Settings::WriteString(QStringLiteral("CalendarFolder"), m_calendar);
        const std::unique_ptr<IcsStoreApplication> app = IcsStoreApplication::FromSettings();
        Settings::WriteString(QStringLiteral("TasksFolder"), QString());
        Settings::WriteString(QStringLiteral("CalendarFolder"), QString());

        QCOMPARE(app->TasksFolder(), m_tasks);
        QCOMPARE(app->CalendarFolder(), m_calendar);
        QVERIFY(app->Logon());
        QVERIFY(QFileInfo(m_tasks).isDir());
        QVERIFY(QFileInfo(m_calendar).isDir());
    }

    void doneDatedTaskAndAppointment()
    {
        IcsStoreApplication app(m_tasks, m_calendar);
        const CListItem item = Item(QStringLiteral("Dentist"), QStringLiteral("Bring the card"), true, true);
        const QList<PimMessage> shown = TransferItem(item, true, true, app);
        QCOMPARE(shown, QList<PimMessage>{(PimMessage{Str::IDS_ADDED_TASK_AND_APPT,
                                                      Str::Load(Str::IDS_ADDED_TASK_AND_APPT)})});

        const QList<ReadItem> tasks = ReadFolder(m_tasks);
        QCOMPARE(tasks.size(), 1);
        const ReadItem &t = tasks.first();
        QCOMPARE(t.errors, QStringList{});
        QCOMPARE(t.fileName, t.uid + QStringLiteral(".ics"));
        QVERIFY(!QUuid::fromString(t.uid).isNull());
        QCOMPARE(t.prodId, QStringLiteral("-//Fernwise//Quillmark//EN"));
        QCOMPARE(t.version, QStringLiteral("2.0"));
        QCOMPARE(t.kind, QStringLiteral("VTODO"));
        QCOMPARE(t.itemCount, 1);
        QCOMPARE(t.summary, QStringLiteral("Dentist"));
        QCOMPARE(t.description, QStringLiteral("Bring the card"));
        QCOMPARE(t.due, QStringLiteral("20030305T143700"));
        QVERIFY(t.dueFloating);
        QCOMPARE(t.stamp, QStringLiteral("20240102T030405Z"));
        QCOMPARE(t.status, QStringLiteral("COMPLETED"));
        QCOMPARE(t.completed, QStringLiteral("20240102T030405Z"));
        QCOMPARE(t.percent, 100);
        QCOMPARE(t.properties,
                 (QStringList{QStringLiteral("UID"), QStringLiteral("DTSTAMP"), QStringLiteral("SUMMARY"),
                              QStringLiteral("DESCRIPTION"), QStringLiteral("DUE"), QStringLiteral("STATUS"),
                              QStringLiteral("COMPLETED"), QStringLiteral("PERCENT-COMPLETE")}));

        const QList<ReadItem> events = ReadFolder(m_calendar);
        QCOMPARE(events.size(), 1);
        const ReadItem &e = events.first();
        QCOMPARE(e.errors, QStringList{});
        QCOMPARE(e.fileName, e.uid + QStringLiteral(".ics"));
        QVERIFY(e.uid != t.uid);
        QCOMPARE(e.kind, QStringLiteral("VEVENT"));
        QCOMPARE(e.itemCount, 1);
        QCOMPARE(e.summary, QStringLiteral("Dentist"));
        QCOMPARE(e.description, QStringLiteral("Bring the card"));
        QCOMPARE(e.start, QStringLiteral("20030305T143700"));
        QVERIFY(e.startFloating);
        QCOMPARE(e.alarms, 0);
        // No end, duration, location or status: the reader's defaults apply.
        QCOMPARE(e.properties,
                 (QStringList{QStringLiteral("UID"), QStringLiteral("DTSTAMP"), QStringLiteral("SUMMARY"),
                              QStringLiteral("DESCRIPTION"), QStringLiteral("DTSTART")}));
    }

    void openUndatedTask()
    {
        IcsStoreApplication app(m_tasks, m_calendar);
        const QList<PimMessage> shown =
                TransferItem(Item(QStringLiteral("Call"), QStringLiteral("x"), false, false), true, true, app);
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown.at(0).id, Str::IDS_ITEM_NOT_DATED);
        QCOMPARE(shown.at(1).id, Str::IDS_ADDED_TASK);

        const QList<ReadItem> tasks = ReadFolder(m_tasks);
        QCOMPARE(tasks.size(), 1);
        QCOMPARE(tasks.first().errors, QStringList{});
        QCOMPARE(tasks.first().status, QStringLiteral("NEEDS-ACTION"));
        QVERIFY(!tasks.first().properties.contains(QStringLiteral("DUE")));
        QVERIFY(!tasks.first().properties.contains(QStringLiteral("COMPLETED")));
        QVERIFY(!tasks.first().properties.contains(QStringLiteral("PERCENT-COMPLETE")));
        QCOMPARE(Entries(m_calendar), QStringList{});
    }

    void flagsDecideWhatIsWritten_data()
    {
        QTest::addColumn<bool>("toTask");
        QTest::addColumn<bool>("toCalendar");
        QTest::newRow("task") << true << false;
        QTest::newRow("appointment") << false << true;
        QTest::newRow("both") << true << true;
    }

    void flagsDecideWhatIsWritten()
    {
        QFETCH(bool, toTask);
        QFETCH(bool, toCalendar);
        IcsStoreApplication app(m_tasks, m_calendar);
        const CListItem item = Item(QStringLiteral("Twice"), QString(), true, false);
        TransferItem(item, toTask, toCalendar, app);
        TransferItem(item, toTask, toCalendar, app);
        // Handing the same item over twice makes two items.
        QCOMPARE(ReadFolder(m_tasks).size(), toTask ? 2 : 0);
        QCOMPARE(ReadFolder(m_calendar).size(), toCalendar ? 2 : 0);
    }

    // What the user typed comes back as it was, except what the format
    // cannot carry: line breaks of any kind become line feeds, and control
    // characters other than tab are left out.
    void textsComeBackIntact_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        const auto same = [](const QString &s) { return std::make_pair(s, s); };
        const QList<std::pair<const char *, std::pair<QString, QString>>> rows{
                {"comma, semicolon, backslash", same(QStringLiteral("a,b;c\\d\\,e\\;f\\n"))},
                {"colon and quotes", same(QStringLiteral("Time: \"now\" 'or' never"))},
                {"line feeds", same(QStringLiteral("one\ntwo\n\nfour\n"))},
                {"CRLF", {QStringLiteral("one\r\ntwo\r\n"), QStringLiteral("one\ntwo\n")}},
                {"lone CR", {QStringLiteral("one\rtwo\r\rthree"), QStringLiteral("one\ntwo\n\nthree")}},
                {"CR before CRLF", {QStringLiteral("a\r\r\nb"), QStringLiteral("a\n\nb")}},
                {"tab kept, controls left out",
                 {QStringLiteral("a\tb") + QChar(0x01) + QChar(0x1b) + QChar(0x7f) + QStringLiteral("c"),
                  QStringLiteral("a\tbc")}},
                {"non-ASCII", same(QString::fromUtf8("Grüße, Ærø; 東京 \\ café 🍰 — «ok»"))},
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
        IcsStoreApplication app(m_tasks, m_calendar);
        TransferItem(Item(text, text, true, false), true, true, app);

        QList<ReadItem> all = ReadFolder(m_tasks) + ReadFolder(m_calendar);
        QCOMPARE(all.size(), 2);
        for (const ReadItem &r : all) {
            QCOMPARE(r.errors, QStringList{});
            QCOMPARE(r.summary, expected);
            QCOMPARE(r.description, expected);
        }
    }

    // The library's parser refuses an empty text property, so none is written.
    void emptyTextsAreLeftOut()
    {
        IcsStoreApplication app(m_tasks, m_calendar);
        TransferItem(Item(QString(), QStringLiteral("\r\x01"), true, false), true, true, app);
        const QList<ReadItem> all = ReadFolder(m_tasks) + ReadFolder(m_calendar);
        QCOMPARE(all.size(), 2);
        for (const ReadItem &r : all) {
            QCOMPARE(r.errors, QStringList{});
            QVERIFY(!r.properties.contains(QStringLiteral("SUMMARY")));
            QCOMPARE(r.description, QStringLiteral("\n"));
        }
        QFile::remove(QDir(m_tasks).filePath(Entries(m_tasks).first()));
        QFile::remove(QDir(m_calendar).filePath(Entries(m_calendar).first()));

        TransferItem(Item(QStringLiteral("Name"), QString(QChar(0x02)), true, false), true, true, app);
        for (const ReadItem &r : ReadFolder(m_tasks) + ReadFolder(m_calendar)) {
            QCOMPARE(r.errors, QStringList{});
            QVERIFY(!r.properties.contains(QStringLiteral("DESCRIPTION")));
        }
    }

    // A folder that cannot be written is reported, not taken for success,
    // and leaves nothing behind.
    void blockedFolderIsReported()
    {
        QVERIFY(QDir().mkpath(QFileInfo(m_tasks).path()));
        QFile blocker(m_tasks);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();

        IcsStoreApplication app(m_tasks, m_calendar);
        const QList<PimMessage> shown =
                TransferItem(Item(QStringLiteral("x"), QString(), true, false), true, true, app);
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown.at(0).id, 0);
        QVERIFY2(shown.at(0).text.startsWith(QStringLiteral("The item could not be added to Tasks: ") + m_tasks),
                 qPrintable(shown.at(0).text));
        QCOMPARE(shown.at(1).id, Str::IDS_ADDED_APPT);
        QCOMPARE(ReadFolder(m_calendar).size(), 1);
    }

    void fullDiskIsReportedAndLeavesNothing()
    {
        IcsStoreApplication app(m_tasks, m_calendar);
        QVERIFY(app.Logon());
        QList<PimMessage> shown;
        {
            FileSizeLimit limit(64);
            QVERIFY(limit.ok());
            shown = TransferItem(Item(QStringLiteral("Too big"), QString(200, u'x'), true, true), true, true, app);
        }
        QCOMPARE(shown.size(), 2);
        QVERIFY2(shown.at(0).text.startsWith(QStringLiteral("The item could not be added to Tasks: ")),
                 qPrintable(shown.at(0).text));
        QVERIFY2(shown.at(1).text.startsWith(QStringLiteral("The item could not be added to Appointments: ")),
                 qPrintable(shown.at(1).text));
        QCOMPARE(Entries(m_tasks), QStringList{});
        QCOMPARE(Entries(m_calendar), QStringList{});
    }

    void safeWriteLeavesNoTemporaryFile()
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
        QFile written(m_tasks + QStringLiteral("/new.ics"));
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), QByteArray("data"));
    }

    // A date the format cannot hold, or an appointment without a start,
    // makes no file and no success.
    void unstorableDatesAreRefused()
    {
        IcsStoreApplication app(m_tasks, m_calendar);
        QVERIFY(app.Logon());
        std::unique_ptr<PimFolder> folder = app.GetDefaultFolder(PimFolderKind::Calendar);
        QVERIFY(folder);
        std::unique_ptr<PimItemCollection> items = folder->Items();
        QVERIFY(!items->AddTask());
        std::unique_ptr<PimAppointment> appt = items->AddAppointment();
        QVERIFY(appt);
        appt->SetSubject(QStringLiteral("x"));
        QString why;
        QVERIFY(!appt->Save(&why));
        QCOMPARE(why, Str::PimNoStart());
        appt->SetStart(std::numeric_limits<double>::quiet_NaN());
        QVERIFY(!appt->Save(&why));
        QCOMPARE(why, Str::PimDateOutOfRange());
        QCOMPARE(Entries(m_calendar), QStringList{});

        std::unique_ptr<PimTask> task = app.GetDefaultFolder(PimFolderKind::Tasks)->Items()->AddTask();
        QVERIFY(task);
        task->SetDueDate(1e9);
        QVERIFY(!task->Save(&why));
        QCOMPARE(why, Str::PimDateOutOfRange());
        QCOMPARE(Entries(m_tasks), QStringList{});
    }
};

QUILLMARK_GUILESS_TEST_MAIN(PimStoreTest)
#include "PimStoreTest.moc"
