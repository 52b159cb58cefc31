#include "exchange/handover/HandOverSettings.h"
#include "exchange/handover/HandOverSetupDlg.h"
#include "res/ClientArea.h"
#include "platform/Settings.h"
#include "tests/testlib/QuillmarkTest.h"
#include "tests/testlib/ScriptedPrompter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTranslator>

namespace {

// The program's settings store, under the names the test's main() pinned.
bool Stored(const QString &key)
{
    return QSettings().contains(QStringLiteral("Settings/") + key);
}

// Runs the dialog as the program does, through the prompter; the script
// sees it shown and set up.
int RunDialog(ScriptedPrompter &prompter, std::function<int(CHandOverSetupDlg &)> answer)
{
    prompter.ExpectDialog<CHandOverSetupDlg>(std::move(answer));
    CHandOverSetupDlg dlg;
    return prompter.Run(dlg);
}

} // namespace

class TestHandOverSetupDlg : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QSettings s;
        for (const char *key : {"ITEMTASK", "ITEMAPPT", "ITEMALRM"})
            s.remove(QStringLiteral("Settings/") + QLatin1String(key));
    }

    // The dialog shows what is stored (a task alone, reminded a quarter of
    // an hour before, where nothing is); Cancel writes nothing, OK and the
    // Return key write every setting.
    void showsAndWritesTheSettings()
    {
        ScriptedPrompter prompter;
        bool task = false, appt = false;
        int reminder = -1;
        // Notes what the dialog showed, sets the controls and ends it by `end`.
        const auto run = [&](bool toTask, bool toAppt, int toReminder,
                             const std::function<void(CHandOverSetupDlg &)> &end) {
            return RunDialog(prompter, [&, toTask, toAppt, toReminder, end](CHandOverSetupDlg &d) {
                task = d.ItemTaskBox()->isChecked();
                appt = d.ItemApptBox()->isChecked();
                reminder = d.ReminderBox()->currentIndex();
                d.ItemTaskBox()->setChecked(toTask);
                d.ItemApptBox()->setChecked(toAppt);
                d.ReminderBox()->setCurrentIndex(toReminder);
                end(d);
                return d.result();
            });
        };

        QCOMPARE(run(false, true, 4, [](CHandOverSetupDlg &d) { d.CancelButton()->click(); }),
                 int(QDialog::Rejected));
        QCOMPARE(task, true);
        QCOMPARE(appt, false);
        QCOMPARE(reminder, int(Reminder::QuarterHourBefore));
        for (const char *key : {"ITEMTASK", "ITEMAPPT", "ITEMALRM"})
            QVERIFY2(!Stored(QLatin1String(key)), key);

        QCOMPARE(run(false, true, 4, [](CHandOverSetupDlg &d) { d.OKButton()->click(); }), int(QDialog::Accepted));
        QCOMPARE(Settings::ReadInt(QStringLiteral("ITEMTASK"), -1), 0);
        QCOMPARE(Settings::ReadInt(QStringLiteral("ITEMAPPT"), -1), 1);
        QCOMPARE(Settings::ReadInt(QStringLiteral("ITEMALRM"), -1), int(Reminder::DayBefore));

        QCOMPARE(run(true, true, 0, [](CHandOverSetupDlg &d) { QTest::keyClick(&d, Qt::Key_Return); }),
                 int(QDialog::Accepted));
        QCOMPARE(task, false);
        QCOMPARE(appt, true);
        QCOMPARE(reminder, int(Reminder::DayBefore));
        QCOMPARE(Settings::ReadInt(QStringLiteral("ITEMTASK"), -1), 1);
        QCOMPARE(Settings::ReadInt(QStringLiteral("ITEMAPPT"), -1), 1);
        QCOMPARE(Settings::ReadInt(QStringLiteral("ITEMALRM"), -1), int(Reminder::None));
        QM_VERIFY_PROMPTS(prompter);
    }

    // When no reminder is stored, or a number that is no choice: none where
    // the hand-over was set up before reminders existed, so that it goes on
    // as it did; a quarter of an hour before for a first setup.
    void reminderWhenNoneIsStored_data()
    {
        QTest::addColumn<QStringList>("stored"); // key=value
        QTest::addColumn<Reminder>("read");
        QTest::newRow("first setup") << QStringList{} << Reminder::QuarterHourBefore;
        QTest::newRow("set up before, task") << QStringList{QStringLiteral("ITEMTASK=1")} << Reminder::None;
        QTest::newRow("set up before, appointment") << QStringList{QStringLiteral("ITEMAPPT=0")} << Reminder::None;
        QTest::newRow("set up before, out of range")
                << QStringList{QStringLiteral("ITEMTASK=1"), QStringLiteral("ITEMALRM=5")} << Reminder::None;
        QTest::newRow("first setup, out of range") << QStringList{QStringLiteral("ITEMALRM=-1")}
                                                   << Reminder::QuarterHourBefore;
    }

    void reminderWhenNoneIsStored()
    {
        QFETCH(QStringList, stored);
        QFETCH(Reminder, read);
        for (const QString &setting : stored)
            Settings::WriteInt(setting.section(u'=', 0, 0), setting.section(u'=', 1).toInt());
        QCOMPARE(HandOverSettings::ItemReminder(), read);
    }

    // In English and in German: the boxes sit inside the frame, the reminder
    // between it and the buttons, every text whole (each choice too), and
    // nothing overlaps or leaves the work area. Tab goes down the dialog.
    void layout_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("English") << QString();
        QTest::newRow("German") << QStringLiteral("de");
    }

    void layout()
    {
        QFETCH(QString, language);
        QTranslator german;
        if (!language.isEmpty()) {
            QVERIFY(german.load(QStringLiteral(":/translations/quillmark_%1.qm").arg(language)));
            QCoreApplication::installTranslator(&german);
        }
        CHandOverSetupDlg d;
        QCoreApplication::removeTranslator(&german);
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        const QRect area(QPoint(0, 0), ClientArea::kSize);
        QCOMPARE(d.size(), area.size());
        const QRect frame = d.Group()->geometry();
        for (QCheckBox *box : {d.ItemTaskBox(), d.ItemApptBox()}) {
            QVERIFY2(frame.contains(box->geometry()), qPrintable(box->text()));
            QVERIFY2(box->width() >= box->sizeHint().width(), qPrintable(box->text()));
        }
        QVERIFY(!d.ItemTaskBox()->geometry().intersects(d.ItemApptBox()->geometry()));

        QComboBox *reminder = d.ReminderBox();
        QLabel *label = d.ReminderLabel();
        QCOMPARE(reminder->count(), kReminderChoices);
        QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(label->text()));
        QCOMPARE(label->buddy(), reminder);
        QVERIFY(label->y() > frame.bottom());
        QVERIFY(reminder->y() > label->geometry().bottom());
        QVERIFY(area.contains(reminder->geometry()));
        // Each choice shown whole: the hint is the widest one's.
        QVERIFY2(reminder->width() >= reminder->sizeHint().width(),
                 qPrintable(QStringLiteral("%1 < %2").arg(reminder->width()).arg(reminder->sizeHint().width())));

        for (QPushButton *b : {d.OKButton(), d.CancelButton()}) {
            QVERIFY(area.contains(b->geometry()));
            QVERIFY(b->geometry().top() > reminder->geometry().bottom());
        }
        QVERIFY(!d.OKButton()->geometry().intersects(d.CancelButton()->geometry()));
        QVERIFY(d.OKButton()->isDefault());

        QList<QWidget *> order{d.ItemTaskBox()};
        for (QWidget *w = order.last()->nextInFocusChain(); w != order.first() && order.size() < 10;
             w = w->nextInFocusChain()) {
            if (w->focusPolicy() & Qt::TabFocus)
                order << w;
        }
        QCOMPARE(order, (QList<QWidget *>{d.ItemTaskBox(), d.ItemApptBox(), reminder, d.OKButton(),
                                          d.CancelButton()}));
        if (language.isEmpty() && qEnvironmentVariableIsSet("QUILLMARK_GRAB"))
            d.grab().save(qEnvironmentVariable("QUILLMARK_GRAB"));
    }
};

QUILLMARK_TEST_MAIN(TestHandOverSetupDlg)
#include "tst_handoversetupdlg.moc"
