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
        QList<int> shown; // task, appointment and reminder as the dialog showed them
        // Notes what the dialog showed, sets the controls and ends it by `end`.
        const auto run = [&](const QList<int> &set, const std::function<void(CHandOverSetupDlg &)> &end) {
            return RunDialog(prompter, [&, set, end](CHandOverSetupDlg &d) {
                shown = {d.ItemTaskBox()->isChecked(), d.ItemApptBox()->isChecked(), d.ReminderBox()->currentIndex()};
                d.ItemTaskBox()->setChecked(set[0]);
                d.ItemApptBox()->setChecked(set[1]);
                d.ReminderBox()->setCurrentIndex(set[2]);
                end(d);
                return d.result();
            });
        };
        const auto stored = [] {
            QList<int> values; // -1: not stored
            for (const char *key : {"ITEMTASK", "ITEMAPPT", "ITEMALRM"})
                values << Settings::ReadStoredInt(QLatin1String(key)).value_or(-1);
            return values;
        };

        QCOMPARE(run({0, 1, 4}, [](CHandOverSetupDlg &d) { d.CancelButton()->click(); }), int(QDialog::Rejected));
        QCOMPARE(shown, (QList<int>{1, 0, int(Reminder::QuarterHourBefore)}));
        QCOMPARE(stored(), (QList<int>{-1, -1, -1}));
        QCOMPARE(run({0, 1, 4}, [](CHandOverSetupDlg &d) { d.OKButton()->click(); }), int(QDialog::Accepted));
        QCOMPARE(stored(), (QList<int>{0, 1, int(Reminder::DayBefore)}));
        QCOMPARE(run({1, 1, 0}, [](CHandOverSetupDlg &d) { QTest::keyClick(&d, Qt::Key_Return); }),
                 int(QDialog::Accepted));
        QCOMPARE(shown, (QList<int>{0, 1, int(Reminder::DayBefore)}));
        QCOMPARE(stored(), (QList<int>{1, 1, int(Reminder::None)}));
        QM_VERIFY_PROMPTS(prompter);
    }

    // When no reminder is stored, or a number that is no choice, where the
    // hand-over was set up before reminders existed: none, so that it goes on
    // as it did (a first setup, shown above, gets a quarter of an hour before).
    void reminderWhenNoneIsStored_data()
    {
        QTest::addColumn<QStringList>("stored"); // key=value
        QTest::newRow("task set up") << QStringList{QStringLiteral("ITEMTASK=1")};
        QTest::newRow("appointment set up") << QStringList{QStringLiteral("ITEMAPPT=0")};
        QTest::newRow("out of range") << QStringList{QStringLiteral("ITEMTASK=1"), QStringLiteral("ITEMALRM=5")};
    }

    void reminderWhenNoneIsStored()
    {
        QFETCH(QStringList, stored);
        for (const QString &setting : stored)
            Settings::WriteInt(setting.section(u'=', 0, 0), setting.section(u'=', 1).toInt());
        QCOMPARE(HandOverSettings::ItemReminder(), Reminder::None);
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
