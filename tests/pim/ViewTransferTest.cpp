#include "app/ExchangeCommands.h"
#include "exchange/pim/PimSetupDlg.h"
#include "platform/AppPaths.h"
#include "platform/Settings.h"
#include "res/ResourceIds.h"
#include "res/Strings.h"
#include "tests/testlib/QuillmarkTest.h"
#include "tests/view/ViewFixture.h"

#include <QCheckBox>
#include <QDir>
#include <QPushButton>
#include <QSettings>

#include <libical/ical.h>

using namespace ViewTest;

namespace {

// The names of the items in a collection folder, as libical reads them.
QStringList Summaries(const QString &folder)
{
    QStringList names;
    const QDir dir(folder);
    for (const QString &file : dir.entryList(QDir::Files | QDir::Hidden, QDir::Name)) {
        QFile f(dir.filePath(file));
        if (!f.open(QIODevice::ReadOnly))
            continue;
        icalcomponent *cal = icalparser_parse_string(f.readAll().constData());
        icalcomponent *item = cal ? icalcomponent_get_first_component(cal, ICAL_ANY_COMPONENT) : nullptr;
        names << (item ? QString::fromUtf8(icalcomponent_get_summary(item)) : QStringLiteral("?") + file);
        if (cal)
            icalcomponent_free(cal);
    }
    return names;
}

void SetFlags(int task, int appt)
{
    Settings::WriteInt(QStringLiteral("ITEMTASK"), task);
    Settings::WriteInt(QStringLiteral("ITEMAPPT"), appt);
}

QString AddedTask() { return Str::Load(Str::IDS_ADDED_TASK); }

} // namespace

class ViewTransferTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_store;
    QString m_tasks, m_calendar;

    // Starts the view with the hand-over answered as in the program.
    static void Start(Fixture<> &f)
    {
        f.Start();
        new CExchangeCommands(f.doc, *f.view);
    }

    // Shows item `item` of list `list`, opened from the tree.
    static void OpenItem(Fixture<> &f, int list, int item)
    {
        f.OpenItem(list, item);
        QCOMPARE(f.Mode(), Shown::Item);
    }

private slots:
    void init()
    {
        static int n = 0;
        const QString base = m_store.filePath(QString::number(++n));
        m_tasks = base + QStringLiteral("/tasks");
        m_calendar = base + QStringLiteral("/calendar");
        Settings::WriteString(QStringLiteral("TasksFolder"), m_tasks);
        Settings::WriteString(QStringLiteral("CalendarFolder"), m_calendar);
        QSettings s(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Fernwise"),
                    QStringLiteral("Quillmark"));
        s.remove(QStringLiteral("Settings/ITEMTASK"));
        s.remove(QStringLiteral("Settings/ITEMAPPT"));
    }

    // The arrow button of the item details, with settings never written:
    // a task, and the message that says so.
    void arrowMakesATask()
    {
        Fixture f;
        Start(f);
        OpenItem(f, 1, 0); // "Tickets", dated
        f.prompter.ExpectMessage(AddedTask());
        f.Tap(108);
        QM_VERIFY_PROMPTS(f.prompter);
        QCOMPARE(Summaries(m_tasks), QStringList{QStringLiteral("Tickets")});
        QCOMPARE(Summaries(m_calendar), QStringList{});
        // The item itself is not changed, nor the data file written.
        QCOMPARE(f.Lists(), SampleLists());
        QCOMPARE(ReadDataFile(f.path), SampleLists());
    }

    void undatedItemWithBothOn()
    {
        SetFlags(1, 1);
        Fixture f;
        Start(f);
        OpenItem(f, 0, 1); // "Milk", undated
        f.prompter.ExpectMessage(Str::Load(Str::IDS_ITEM_NOT_DATED));
        f.prompter.ExpectMessage(AddedTask());
        f.Tap(108);
        QM_VERIFY_PROMPTS(f.prompter);
        QCOMPARE(Summaries(m_tasks), QStringList{QStringLiteral("Milk")});
        QCOMPARE(Summaries(m_calendar), QStringList{});
    }

    // Nothing to hand over, or nothing asked for: no message, and the store
    // is not even created.
    void silentStops_data()
    {
        QTest::addColumn<int>("task");
        QTest::addColumn<int>("appt");
        QTest::addColumn<bool>("openItem");
        QTest::newRow("both settings off") << 0 << 0 << true;
        QTest::newRow("no current item") << 1 << 1 << false;
    }

    void silentStops()
    {
        QFETCH(int, task);
        QFETCH(int, appt);
        QFETCH(bool, openItem);
        SetFlags(task, appt);
        Fixture f;
        Start(f);
        if (openItem)
            OpenItem(f, 1, 0);
        else
            QCOMPARE(f.Mode(), Shown::Tree);
        f.Tap(108);
        QM_VERIFY_PROMPTS(f.prompter);
        QVERIFY(!QFileInfo::exists(m_tasks));
        QVERIFY(!QFileInfo::exists(m_calendar));
    }

    // "Configuration" from the menu changes what the next hand-over makes.
    void configurationThenTransfer()
    {
        Fixture f;
        Start(f);
        f.prompter.ExpectDialog<COutlookSetupDlg>([](COutlookSetupDlg &d) {
            d.ItemTaskBox()->setChecked(false);
            d.ItemApptBox()->setChecked(true);
            d.OKButton()->click();
            return d.result();
        });
        f.Choose(QStringLiteral("Configuration"));
        OpenItem(f, 1, 0);
        f.prompter.ExpectMessage(Str::Load(Str::IDS_ADDED_APPT));
        f.Tap(108);
        QM_VERIFY_PROMPTS(f.prompter);
        QCOMPARE(Summaries(m_tasks), QStringList{});
        QCOMPARE(Summaries(m_calendar), QStringList{QStringLiteral("Tickets")});
    }

    // A task that could not be stored is reported as such, never as added.
    void failedSaveIsReported()
    {
        QVERIFY(QDir().mkpath(QFileInfo(m_tasks).path()));
        QFile blocker(m_tasks);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();

        Fixture f;
        Start(f);
        OpenItem(f, 1, 0);
        f.Tap(108);
        const QStringList shown = f.prompter.Shown();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown.first().startsWith(QStringLiteral("The item could not be added to Tasks: ")),
                 qPrintable(shown.first()));
    }
};

QUILLMARK_TEST_MAIN(ViewTransferTest)
#include "ViewTransferTest.moc"
