#include "app/ExchangeCommands.h"
#include "exchange/handover/HandOverSetupDlg.h"
#include "platform/Settings.h"
#include "res/Strings.h"
#include "tests/handover/IcsFiles.h"
#include "tests/testlib/QuillmarkTest.h"
#include "tests/view/ViewFixture.h"

#include <QCheckBox>
#include <QPushButton>
#include <QSettings>

using namespace IcsFiles;
using namespace ViewTest;

namespace {

void SetFlags(int task, int appt)
{
    Settings::WriteInt(QStringLiteral("ITEMTASK"), task);
    Settings::WriteInt(QStringLiteral("ITEMAPPT"), appt);
}

QString AddedTask() { return Str::Load(Str::IDS_ADDED_TASK); }

} // namespace

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

    // With no item on show there is nothing to hand over: no message, and
    // the store is not even created.
    void noItemOnShow()
    {
        SetFlags(1, 1);
        Fixture f;
        Start(f);
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
        f.prompter.ExpectDialog<CHandOverSetupDlg>([](CHandOverSetupDlg &d) {
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
};

QUILLMARK_TEST_MAIN(TestViewHandOver)
#include "tst_viewhandover.moc"
