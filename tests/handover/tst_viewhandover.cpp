#include "app/ExchangeCommands.h"
#include "exchange/handover/HandOverSetupDlg.h"
#include "exchange/handover/Reminder.h"
#include "platform/Settings.h"
#include "tests/handover/IcsFiles.h"
#include "tests/testlib/QuillmarkTest.h"
#include "tests/view/ViewFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QSettings>

using namespace IcsFiles;
using namespace ViewTest;

class TestViewHandOver : public QObject
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

    // Shows item `item` of list `list`, opened from the tree, and hands it
    // over with the arrow button.
    static void HandOver(Fixture<> &f, int list, int item, const QStringList &messages)
    {
        f.OpenItem(list, item);
        QCOMPARE(f.Mode(), Shown::Item);
        for (const QString &message : messages)
            f.prompter.ExpectMessage(message);
        f.Run("HandOver");
        QM_VERIFY_PROMPTS(f.prompter);
        f.Run("Back"); // back to the tree
    }

    // "Configuration" from the menu.
    static void Configure(Fixture<> &f, bool task, bool appt, Reminder reminder)
    {
        f.prompter.ExpectDialog<CHandOverSetupDlg>([task, appt, reminder](CHandOverSetupDlg &d) {
            d.ItemTaskBox()->setChecked(task);
            d.ItemApptBox()->setChecked(appt);
            d.ReminderBox()->setCurrentIndex(int(reminder));
            d.OKButton()->click();
            return d.result();
        });
        f.Run("HandOverSetup");
    }

private slots:
    void init()
    {
        m_tasks = m_store.filePath(QStringLiteral("tasks"));
        m_calendar = m_store.filePath(QStringLiteral("calendar"));
        Settings::WriteString(QStringLiteral("TasksFolder"), m_tasks);
        Settings::WriteString(QStringLiteral("CalendarFolder"), m_calendar);
        QSettings s; // under the names the test's main() pinned
        for (const char *key : {"ITEMTASK", "ITEMAPPT", "ITEMALRM"})
            s.remove(QStringLiteral("Settings/") + QLatin1String(key));
    }

    // The arrow button of the item details hands the item over as
    // "Configuration" chose, every message of it shown in turn.
    void arrowHandsOverAsConfigured()
    {
        Fixture f;
        Start(f);
        // With no item on show there is nothing to hand over: no message,
        // and the store is not even created.
        QCOMPARE(f.Mode(), Shown::Tree);
        f.Run("HandOver");
        QM_VERIFY_PROMPTS(f.prompter);
        QVERIFY(!QFileInfo::exists(m_tasks));
        QVERIFY(!QFileInfo::exists(m_calendar));

        // With settings never written: a task, with a reminder a quarter of
        // an hour before it is due.
        HandOver(f, 1, 0, {IcsFiles::kAddedTask}); // "Tickets", dated
        QCOMPARE(Summaries(m_tasks), QStringList{QStringLiteral("Tickets")});
        QCOMPARE(ReadFolder(m_tasks).value(0).alarms,
                 QStringList{QStringLiteral("DISPLAY, -900 s from END: Tickets")});
        QCOMPARE(Summaries(m_calendar), QStringList{});
        // The item itself is not changed, nor the data file written.
        QCOMPARE(f.Lists(), SampleLists());
        QCOMPARE(ReadDataFile(f.path), SampleLists());

        Configure(f, false, true, Reminder::DayBefore);
        HandOver(f, 1, 0, {IcsFiles::kAddedAppt});
        QCOMPARE(Summaries(m_tasks), QStringList{QStringLiteral("Tickets")});
        QCOMPARE(Summaries(m_calendar), QStringList{QStringLiteral("Tickets")});
        QCOMPARE(ReadFolder(m_calendar).value(0).alarms,
                 QStringList{QStringLiteral("DISPLAY, -86400 s from START: Tickets")});

        Configure(f, true, true, Reminder::None);
        HandOver(f, 0, 1, {IcsFiles::kNotDated, IcsFiles::kAddedTask}); // "Milk", undated
        QStringList tasks = Summaries(m_tasks); // in the order of their random file names
        tasks.sort();
        QCOMPARE(tasks, (QStringList{QStringLiteral("Milk"), QStringLiteral("Tickets")}));
        QCOMPARE(Summaries(m_calendar), QStringList{QStringLiteral("Tickets")});
    }
};

QUILLMARK_TEST_MAIN(TestViewHandOver)
#include "tst_viewhandover.moc"
