#include "exchange/handover/CalendarStore.h"
#include "exchange/handover/HandOver.h"
#include "model/ListItem.h"
#include "tests/testlib/DataFiles.h"
#include "tests/testlib/Lists.h"
#include "tests/testlib/QuillmarkTest.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimeZone>

// Programs nobody here wrote read what the hand-over wrote: todoman the
// tasks, khal the appointments. The items are written in New York and read
// in Berlin: a time the user typed must stay the time on the wall. Both
// carry a reminder.
namespace {

constexpr CalendarTime kNow = 1704164645; // 2024-01-02 03:04:05 UTC
const char kReaderZone[] = "Europe/Berlin";

struct Run
{
    QByteArray out, err;
    int exitCode = -1;
    bool finished = false;
};

// A weekday far from either zone's daylight-saving changes.
CListItem Item(const QString &name, const QString &desc, bool dated, bool done)
{
    return QuillmarkTest::Item(name).Desc(desc).Done(done).Dated(QuillmarkTest::Local(2003, 3, 5, 14, 37, 52), dated);
}

const QString kDatedName = QString::fromUtf8("Dentist, 10:30; bring \\ «Zähne»");
const QString kDatedDesc = QString::fromUtf8("Card\r\nand\rthe letter\n\tÄ 東京 🍰");
const QString kDatedDescRead = QString::fromUtf8("Card\nand\nthe letter\n\tÄ 東京 🍰");
const QString kUndatedName = QStringLiteral("  Call the plumber  ");

} // namespace

class TestHandOverClients : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_tasks, m_calendar;

    QString Path(const QString &name) const { return m_dir.filePath(name); }

    // Runs a tool in the reader's zone, with a home of its own.
    Run RunTool(const QString &program, const QStringList &args) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("TZ"), QString::fromLatin1(kReaderZone));
        env.insert(QStringLiteral("HOME"), Path(QStringLiteral("home")));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), Path(QStringLiteral("home/config")));
        env.insert(QStringLiteral("XDG_DATA_HOME"), Path(QStringLiteral("home/data")));
        env.insert(QStringLiteral("XDG_CACHE_HOME"), Path(QStringLiteral("home/cache")));
        env.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(program, args);
        Run r;
        r.finished = p.waitForStarted() && p.waitForFinished(120000);
        r.out = p.readAllStandardOutput();
        r.err = p.readAllStandardError();
        r.exitCode = p.exitCode();
        return r;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(QDir().mkpath(Path(QStringLiteral("home"))));
        m_tasks = Path(QStringLiteral("vdir/tasks"));
        m_calendar = Path(QStringLiteral("vdir/calendar"));

        // Written in New York (the test runs there: see CMakeLists.txt).
        QCOMPARE(qgetenv("TZ"), QByteArray("America/New_York"));
        CalendarTimeOps::SetNowForTesting(kNow);
        CCalendarStore store(m_tasks, m_calendar, Reminder::QuarterHourBefore);
        QCOMPARE(HandOverItem(Item(kDatedName, kDatedDesc, true, true), true, true, store).size(), 1);
        QCOMPARE(HandOverItem(Item(kUndatedName, QString(), false, false), true, false, store).size(), 1);
        CalendarTimeOps::ClearNowForTesting();
    }

    void todomanReadsTheTasks()
    {
        const QString todoman = QStandardPaths::findExecutable(QStringLiteral("todoman"));
        if (todoman.isEmpty())
            QUILLMARK_SKIP_MISSING("todoman is not installed (Debian package todoman; scripts/test installs it)");
        QVERIFY(QuillmarkTest::WriteFileBytes(Path(QStringLiteral("todoman.py")),
                                          QStringLiteral("path = \"%1\"\n"
                                                         "cache_path = \"%2\"\n"
                                                         "date_format = \"%Y-%m-%d\"\n"
                                                         "time_format = \"%H:%M\"\n"
                                                         "dt_separator = \" \"\n")
                                          .arg(m_tasks, Path(QStringLiteral("todoman.sqlite3")))
                                          .toUtf8()));

        const Run run = RunTool(todoman, {QStringLiteral("--config"), Path(QStringLiteral("todoman.py")),
                                          QStringLiteral("--porcelain"), QStringLiteral("list"),
                                          QStringLiteral("--status"), QStringLiteral("ANY")});
        QVERIFY2(run.finished, run.err.constData());
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.exitCode, 0);

        QJsonParseError error;
        const QJsonArray tasks = QJsonDocument::fromJson(run.out, &error).array();
        QVERIFY2(error.error == QJsonParseError::NoError, run.out.constData());
        QCOMPARE(tasks.size(), 2);

        QJsonObject dated, undated;
        for (const QJsonValue &v : tasks)
            (v[QStringLiteral("summary")].toString() == kDatedName ? dated : undated) = v.toObject();
        QCOMPARE(dated[QStringLiteral("summary")].toString(), kDatedName);
        QCOMPARE(dated[QStringLiteral("description")].toString(), kDatedDescRead);
        QCOMPARE(dated[QStringLiteral("completed")].toBool(), true);
        QCOMPARE(dated[QStringLiteral("completed_at")].toInteger(), kNow);
        QCOMPARE(dated[QStringLiteral("percent")].toInt(), 100);
        const QDateTime wall(QDate(2003, 3, 5), QTime(14, 37), QTimeZone(kReaderZone));
        QCOMPARE(dated[QStringLiteral("due")].toInteger(), wall.toSecsSinceEpoch());

        QCOMPARE(undated[QStringLiteral("summary")].toString(), kUndatedName);
        QCOMPARE(undated[QStringLiteral("description")].toString(), QString());
        QCOMPARE(undated[QStringLiteral("completed")].toBool(), false);
        QVERIFY(undated[QStringLiteral("due")].isNull());
    }

    void khalReadsTheAppointment()
    {
        const QString khal = QStandardPaths::findExecutable(QStringLiteral("khal"));
        if (khal.isEmpty())
            QUILLMARK_SKIP_MISSING("khal is not installed (Debian package khal; scripts/test installs it)");
        QVERIFY(QuillmarkTest::WriteFileBytes(Path(QStringLiteral("khal.conf")),
                                          QStringLiteral("[calendars]\n"
                                                         "[[handed]]\n"
                                                         "path = %1\n"
                                                         "type = calendar\n"
                                                         "[locale]\n"
                                                         "timeformat = %H:%M\n"
                                                         "dateformat = %Y-%m-%d\n"
                                                         "longdateformat = %Y-%m-%d\n"
                                                         "datetimeformat = %Y-%m-%d %H:%M\n"
                                                         "longdatetimeformat = %Y-%m-%d %H:%M\n"
                                                         "unicode_symbols = False\n"
                                                         "[sqlite]\n"
                                                         "path = %2\n")
                                          .arg(m_calendar, Path(QStringLiteral("khal.db")))
                                          .toUtf8()));

        const Run run = RunTool(khal, {QStringLiteral("-c"), Path(QStringLiteral("khal.conf")),
                                       QStringLiteral("list"), QStringLiteral("--once"),
                                       QStringLiteral("--day-format"), QString(),
                                       QStringLiteral("--format"),
                                       QStringLiteral("{start}|{title}|{description}{alarm-symbol}"),
                                       QStringLiteral("2003-03-05"), QStringLiteral("1d")});
        QVERIFY2(run.finished, run.err.constData());
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.exitCode, 0);
        // " (A)": khal found a reminder it can show.
        QCOMPARE(QString::fromUtf8(run.out),
                 QStringLiteral("2003-03-05 14:37|") + kDatedName + QLatin1Char('|') + kDatedDescRead
                         + QStringLiteral(" (A)\n"));
    }
};

QUILLMARK_GUILESS_TEST_MAIN(TestHandOverClients)
#include "tst_handoverclients.moc"
