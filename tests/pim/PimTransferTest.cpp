#include "exchange/pim/OleDate.h"
#include "exchange/pim/PimSettings.h"
#include "exchange/pim/PimTransfer.h"
#include "model/ListItem.h"
#include "res/Strings.h"
#include "tests/testlib/QuillmarkTest.h"

#include <QSet>

namespace {

// A stand-in store that writes down every call, with its value, in order.
struct Recorder
{
    QStringList calls;
    bool logonOk = true;
    QSet<PimFolderKind> missingFolders;
    QString taskSaveError;   // non-empty: the task's Save fails with it
    QString apptSaveError;
    double lastDate = 0.0;
};

QString DateText(double oleDate)
{
    LocalFields f;
    if (!OleDate::ToFields(oleDate, f))
        return QStringLiteral("bad date");
    return QStringLiteral("%1-%2-%3 %4:%5:%6")
            .arg(f.year)
            .arg(f.month, 2, 10, QLatin1Char('0'))
            .arg(f.day, 2, 10, QLatin1Char('0'))
            .arg(f.hour, 2, 10, QLatin1Char('0'))
            .arg(f.minute, 2, 10, QLatin1Char('0'))
            .arg(f.second, 2, 10, QLatin1Char('0'));
}

bool SaveAs(Recorder &r, const QString &what, const QString &error, QString *whyNot)
{
    r.calls << what;
    if (error.isEmpty())
        return true;
    if (whyNot)
        *whyNot = error;
    return false;
}

class RecordingTask final : public PimTask
{
public:
    explicit RecordingTask(Recorder &r) : m_r(r) {}
    void SetSubject(const QString &s) override { m_r.calls << QStringLiteral("Task.SetSubject ") + s; }
    void SetDueDate(double d) override
    {
        m_r.lastDate = d;
        m_r.calls << QStringLiteral("Task.SetDueDate ") + DateText(d);
    }
    void SetComplete(bool c) override { m_r.calls << QStringLiteral("Task.SetComplete %1").arg(int(c)); }
    void SetBody(const QString &b) override { m_r.calls << QStringLiteral("Task.SetBody ") + b; }
    bool Save(QString *whyNot) override
    {
        return SaveAs(m_r, QStringLiteral("Task.Save"), m_r.taskSaveError, whyNot);
    }

private:
    Recorder &m_r;
};

class RecordingAppointment final : public PimAppointment
{
public:
    explicit RecordingAppointment(Recorder &r) : m_r(r) {}
    void SetSubject(const QString &s) override { m_r.calls << QStringLiteral("Appt.SetSubject ") + s; }
    void SetStart(double d) override
    {
        m_r.lastDate = d;
        m_r.calls << QStringLiteral("Appt.SetStart ") + DateText(d);
    }
    void SetBody(const QString &b) override { m_r.calls << QStringLiteral("Appt.SetBody ") + b; }
    bool Save(QString *whyNot) override
    {
        return SaveAs(m_r, QStringLiteral("Appt.Save"), m_r.apptSaveError, whyNot);
    }

private:
    Recorder &m_r;
};

class RecordingCollection final : public PimItemCollection
{
public:
    RecordingCollection(Recorder &r, PimFolderKind kind) : m_r(r), m_kind(kind) {}
    std::unique_ptr<PimTask> AddTask() override
    {
        m_r.calls << QStringLiteral("Items.AddTask");
        return m_kind == PimFolderKind::Tasks ? std::make_unique<RecordingTask>(m_r) : nullptr;
    }
    std::unique_ptr<PimAppointment> AddAppointment() override
    {
        m_r.calls << QStringLiteral("Items.AddAppointment");
        return m_kind == PimFolderKind::Calendar ? std::make_unique<RecordingAppointment>(m_r) : nullptr;
    }

private:
    Recorder &m_r;
    PimFolderKind m_kind;
};

class RecordingFolder final : public PimFolder
{
public:
    RecordingFolder(Recorder &r, PimFolderKind kind) : m_r(r), m_kind(kind) {}
    std::unique_ptr<PimItemCollection> Items() override
    {
        m_r.calls << QStringLiteral("Folder.Items");
        return std::make_unique<RecordingCollection>(m_r, m_kind);
    }

private:
    Recorder &m_r;
    PimFolderKind m_kind;
};

class RecordingApplication final : public PimApplication
{
public:
    explicit RecordingApplication(Recorder &r) : m_r(r) {}
    bool Logon() override
    {
        m_r.calls << QStringLiteral("Logon");
        return m_r.logonOk;
    }
    std::unique_ptr<PimFolder> GetDefaultFolder(PimFolderKind kind) override
    {
        m_r.calls << QStringLiteral("GetDefaultFolder %1").arg(int(kind));
        if (m_r.missingFolders.contains(kind))
            return nullptr;
        return std::make_unique<RecordingFolder>(m_r, kind);
    }
    void Logoff() override { m_r.calls << QStringLiteral("Logoff"); }

private:
    Recorder &m_r;
};

// 5 March 2003, 14:37:52 local time.
CListItem Item(bool dated, bool done)
{
    CListItem item;
    item.SetName(QStringLiteral("Milk"));
    item.SetDescription(QStringLiteral("Two litres, semi-skimmed"));
    CalendarTime t = 0;
    CalendarTimeOps::FromLocal(2003, 3, 5, 14, 37, 52, t);
    item.SetDateTime(t);
    item.m_bDated = dated;
    item.m_bDone = done;
    item.m_dPrice = 1.25;
    item.m_nIcon = 12;
    return item;
}

QStringList TaskCalls(bool dated, bool done)
{
    QStringList calls{QStringLiteral("GetDefaultFolder 13"), QStringLiteral("Folder.Items"),
                      QStringLiteral("Items.AddTask"), QStringLiteral("Task.SetSubject Milk")};
    if (dated)
        calls << QStringLiteral("Task.SetDueDate 2003-03-05 14:37:00");
    calls << QStringLiteral("Task.SetComplete %1").arg(int(done))
          << QStringLiteral("Task.SetBody Two litres, semi-skimmed") << QStringLiteral("Task.Save");
    return calls;
}

QStringList ApptCalls()
{
    return {QStringLiteral("GetDefaultFolder 9"), QStringLiteral("Folder.Items"),
            QStringLiteral("Items.AddAppointment"), QStringLiteral("Appt.SetSubject Milk"),
            QStringLiteral("Appt.SetStart 2003-03-05 14:37:00"),
            QStringLiteral("Appt.SetBody Two litres, semi-skimmed"), QStringLiteral("Appt.Save")};
}

const QString kLogon = QStringLiteral("Logon");
const QString kLogoff = QStringLiteral("Logoff");

QStringList Texts(const QList<PimMessage> &messages)
{
    QStringList out;
    for (const PimMessage &m : messages)
        out << m.text;
    return out;
}

QList<int> Ids(const QList<PimMessage> &messages)
{
    QList<int> out;
    for (const PimMessage &m : messages)
        out << m.id;
    return out;
}

} // namespace

class PimTransferTest : public QObject
{
    Q_OBJECT

private slots:
    void settingsNeverWrittenMakeATaskOnly()
    {
        QVERIFY(PimSettings::ItemToTask());
        QVERIFY(!PimSettings::ItemToCalendar());

        Recorder r;
        RecordingApplication app(r);
        const QList<PimMessage> messages =
                TransferItem(Item(true, false), PimSettings::ItemToTask(), PimSettings::ItemToCalendar(), app);

        QCOMPARE(r.calls, QStringList{kLogon} + TaskCalls(true, false) + QStringList{kLogoff});
        QCOMPARE(Texts(messages), QStringList{QStringLiteral("Added Items to Tasks.")});
        QCOMPARE(Ids(messages), QList<int>{Str::IDS_ADDED_TASK});
    }

    void sequences_data()
    {
        QTest::addColumn<bool>("toTask");
        QTest::addColumn<bool>("toCalendar");
        QTest::addColumn<bool>("dated");
        QTest::addColumn<bool>("done");
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<QList<int>>("messages");

        QTest::newRow("task, dated, open")
                << true << false << true << false
                << QStringList{kLogon} + TaskCalls(true, false) + QStringList{kLogoff}
                << QList<int>{Str::IDS_ADDED_TASK};
        QTest::newRow("task, undated, done: no due date, complete")
                << true << false << false << true
                << QStringList{kLogon} + TaskCalls(false, true) + QStringList{kLogoff}
                << QList<int>{Str::IDS_ADDED_TASK};
        QTest::newRow("both, undated: not dated, then the task")
                << true << true << false << false
                << QStringList{kLogon} + TaskCalls(false, false) + QStringList{kLogoff}
                << QList<int>{Str::IDS_ITEM_NOT_DATED, Str::IDS_ADDED_TASK};
        QTest::newRow("calendar only, undated: nothing made")
                << false << true << false << false << QStringList{kLogon, kLogoff}
                << QList<int>{Str::IDS_ITEM_NOT_DATED};
        QTest::newRow("calendar only, dated")
                << false << true << true << true
                << QStringList{kLogon} + ApptCalls() + QStringList{kLogoff}
                << QList<int>{Str::IDS_ADDED_APPT};
        QTest::newRow("both, dated, done")
                << true << true << true << true
                << QStringList{kLogon} + TaskCalls(true, true) + ApptCalls() + QStringList{kLogoff}
                << QList<int>{Str::IDS_ADDED_TASK_AND_APPT};
        QTest::newRow("both off: silent, the store is not touched")
                << false << false << true << false << QStringList{} << QList<int>{};
    }

    void sequences()
    {
        QFETCH(bool, toTask);
        QFETCH(bool, toCalendar);
        QFETCH(bool, dated);
        QFETCH(bool, done);
        QFETCH(QStringList, calls);
        QFETCH(QList<int>, messages);

        Recorder r;
        RecordingApplication app(r);
        const QList<PimMessage> shown = TransferItem(Item(dated, done), toTask, toCalendar, app);

        QCOMPARE(r.calls, calls);
        QCOMPARE(Ids(shown), messages);
        for (const PimMessage &m : shown)
            QCOMPARE(m.text, Str::Load(m.id));
    }

    void logonFailureStopsSilently()
    {
        Recorder r;
        r.logonOk = false;
        RecordingApplication app(r);
        QCOMPARE(TransferItem(Item(true, false), true, true, app), QList<PimMessage>{});
        QCOMPARE(r.calls, QStringList{kLogon});
    }

    // The due date and the start are the item's local minute, as an OLE
    // date: 37685 days after 1899-12-30, and 14:37 of 24 hours.
    void dateIsTheLocalMinute()
    {
        Recorder r;
        RecordingApplication app(r);
        TransferItem(Item(true, false), true, false, app);
        QCOMPARE(r.lastDate, 37685.0 + (14 * 60 + 37) / 1440.0);

        TransferItem(Item(true, false), false, true, app);
        QCOMPARE(r.lastDate, 37685.0 + (14 * 60 + 37) / 1440.0);
    }

    // A store that could not keep the item must not be reported as having
    // it; the kind that did work is still reported.
    void failuresAreNotReportedAsSuccess_data()
    {
        QTest::addColumn<bool>("toTask");
        QTest::addColumn<bool>("toCalendar");
        QTest::addColumn<QString>("taskError");
        QTest::addColumn<QString>("apptError");
        QTest::addColumn<QList<PimFolderKind>>("missing");
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<QStringList>("texts");

        const QString full = QStringLiteral("No space left on device");
        const QStringList both = QStringList{kLogon} + TaskCalls(true, false) + ApptCalls() + QStringList{kLogoff};
        QTest::newRow("task fails, appointment made")
                << true << true << full << QString() << QList<PimFolderKind>{} << both
                << QStringList{Str::TaskNotAdded(full), Str::Load(Str::IDS_ADDED_APPT)};
        QTest::newRow("appointment fails, task made")
                << true << true << QString() << full << QList<PimFolderKind>{} << both
                << QStringList{Str::AppointmentNotAdded(full), Str::Load(Str::IDS_ADDED_TASK)};
        QTest::newRow("both fail")
                << true << true << full << full << QList<PimFolderKind>{} << both
                << QStringList{Str::TaskNotAdded(full), Str::AppointmentNotAdded(full)};
        QTest::newRow("task only, fails")
                << true << false << full << QString() << QList<PimFolderKind>{}
                << QStringList{kLogon} + TaskCalls(true, false) + QStringList{kLogoff}
                << QStringList{Str::TaskNotAdded(full)};
        QTest::newRow("no task folder: the rest of the task is skipped")
                << true << true << QString() << QString() << QList<PimFolderKind>{PimFolderKind::Tasks}
                << QStringList{kLogon, QStringLiteral("GetDefaultFolder 13")} + ApptCalls() + QStringList{kLogoff}
                << QStringList{Str::TaskNotAdded(QString()), Str::Load(Str::IDS_ADDED_APPT)};
        QTest::newRow("no calendar folder")
                << false << true << QString() << QString() << QList<PimFolderKind>{PimFolderKind::Calendar}
                << QStringList{kLogon, QStringLiteral("GetDefaultFolder 9"), kLogoff}
                << QStringList{Str::AppointmentNotAdded(QString())};
    }

    void failuresAreNotReportedAsSuccess()
    {
        QFETCH(bool, toTask);
        QFETCH(bool, toCalendar);
        QFETCH(QString, taskError);
        QFETCH(QString, apptError);
        QFETCH(QList<PimFolderKind>, missing);
        QFETCH(QStringList, calls);
        QFETCH(QStringList, texts);

        Recorder r;
        r.taskSaveError = taskError;
        r.apptSaveError = apptError;
        r.missingFolders = QSet<PimFolderKind>(missing.begin(), missing.end());
        RecordingApplication app(r);
        const QList<PimMessage> shown = TransferItem(Item(true, false), toTask, toCalendar, app);

        QCOMPARE(r.calls, calls);
        QCOMPARE(Texts(shown), texts);
    }
};

QUILLMARK_GUILESS_TEST_MAIN(PimTransferTest)
#include "PimTransferTest.moc"
