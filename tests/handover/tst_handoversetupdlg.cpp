#include "exchange/handover/HandOverSetupDlg.h"
#include "res/ClientArea.h"
#include "platform/Settings.h"
#include "tests/testlib/QuillmarkTest.h"
#include "tests/testlib/ScriptedPrompter.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QSettings>

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
        s.remove(QStringLiteral("Settings/ITEMTASK"));
        s.remove(QStringLiteral("Settings/ITEMAPPT"));
    }

    // The dialog shows what is stored (a task alone where nothing is);
    // Cancel writes nothing, OK and the Return key write both settings.
    void showsAndWritesTheSettings()
    {
        ScriptedPrompter prompter;
        bool task = false, appt = false;
        // Notes what the dialog showed, sets the boxes and ends it by `end`.
        const auto run = [&](bool toTask, bool toAppt, const std::function<void(CHandOverSetupDlg &)> &end) {
            return RunDialog(prompter, [&task, &appt, toTask, toAppt, end](CHandOverSetupDlg &d) {
                task = d.ItemTaskBox()->isChecked();
                appt = d.ItemApptBox()->isChecked();
                d.ItemTaskBox()->setChecked(toTask);
                d.ItemApptBox()->setChecked(toAppt);
                end(d);
                return d.result();
            });
        };

        QCOMPARE(run(false, true, [](CHandOverSetupDlg &d) { d.CancelButton()->click(); }), int(QDialog::Rejected));
        QCOMPARE(task, true);
        QCOMPARE(appt, false);
        QVERIFY(!Stored(QStringLiteral("ITEMTASK")));
        QVERIFY(!Stored(QStringLiteral("ITEMAPPT")));

        QCOMPARE(run(false, true, [](CHandOverSetupDlg &d) { d.OKButton()->click(); }), int(QDialog::Accepted));
        QCOMPARE(Settings::ReadInt(QStringLiteral("ITEMTASK"), -1), 0);
        QCOMPARE(Settings::ReadInt(QStringLiteral("ITEMAPPT"), -1), 1);

        QCOMPARE(run(true, true, [](CHandOverSetupDlg &d) { QTest::keyClick(&d, Qt::Key_Return); }),
                 int(QDialog::Accepted));
        QCOMPARE(task, false);
        QCOMPARE(appt, true);
        QCOMPARE(Settings::ReadInt(QStringLiteral("ITEMTASK"), -1), 1);
        QCOMPARE(Settings::ReadInt(QStringLiteral("ITEMAPPT"), -1), 1);
        QM_VERIFY_PROMPTS(prompter);
    }

    // The boxes sit inside the frame, their texts whole, and nothing
    // overlaps or leaves the work area.
    void layout()
    {
        CHandOverSetupDlg d;
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
        for (QPushButton *b : {d.OKButton(), d.CancelButton()}) {
            QVERIFY(area.contains(b->geometry()));
            QVERIFY(b->geometry().top() > frame.bottom());
        }
        QVERIFY(!d.OKButton()->geometry().intersects(d.CancelButton()->geometry()));
        QVERIFY(d.OKButton()->isDefault());
        if (qEnvironmentVariableIsSet("QUILLMARK_GRAB"))
            d.grab().save(qEnvironmentVariable("QUILLMARK_GRAB"));
    }
};

QUILLMARK_TEST_MAIN(TestHandOverSetupDlg)
#include "tst_handoversetupdlg.moc"
