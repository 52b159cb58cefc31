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

QSettings Store()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Fernwise"),
                     QStringLiteral("Quillmark"));
}

bool Stored(const QString &key)
{
    return Store().contains(QStringLiteral("Settings/") + key);
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
        QSettings s = Store();
        s.remove(QStringLiteral("Settings/ITEMTASK"));
        s.remove(QStringLiteral("Settings/ITEMAPPT"));
    }

    void showsTheDefaultsAndCancelWritesNothing()
    {
        ScriptedPrompter prompter;
        bool task = false, appt = true;
        const int result = RunDialog(prompter, [&](CHandOverSetupDlg &d) {
            task = d.ItemTaskBox()->isChecked();
            appt = d.ItemApptBox()->isChecked();
            d.ItemTaskBox()->setChecked(false);
            d.ItemApptBox()->setChecked(true);
            d.CancelButton()->click();
            return d.result();
        });
        QM_VERIFY_PROMPTS(prompter);
        QCOMPARE(result, int(QDialog::Rejected));
        QCOMPARE(task, true);
        QCOMPARE(appt, false);
        QVERIFY(!Stored(QStringLiteral("ITEMTASK")));
        QVERIFY(!Stored(QStringLiteral("ITEMAPPT")));
    }

    void okWritesBothAndTheNextRunShowsThem()
    {
        ScriptedPrompter prompter;
        int result = RunDialog(prompter, [&](CHandOverSetupDlg &d) {
            d.ItemTaskBox()->setChecked(false);
            d.ItemApptBox()->setChecked(true);
            d.OKButton()->click();
            return d.result();
        });
        QCOMPARE(result, int(QDialog::Accepted));
        QCOMPARE(Settings::ReadInt(QStringLiteral("ITEMTASK"), -1), 0);
        QCOMPARE(Settings::ReadInt(QStringLiteral("ITEMAPPT"), -1), 1);

        bool task = true, appt = false;
        result = RunDialog(prompter, [&](CHandOverSetupDlg &d) {
            task = d.ItemTaskBox()->isChecked();
            appt = d.ItemApptBox()->isChecked();
            d.ItemTaskBox()->setChecked(true);
            QTest::keyClick(&d, Qt::Key_Return); // the default button
            return d.result();
        });
        QM_VERIFY_PROMPTS(prompter);
        QCOMPARE(result, int(QDialog::Accepted));
        QCOMPARE(task, false);
        QCOMPARE(appt, true);
        QCOMPARE(Settings::ReadInt(QStringLiteral("ITEMTASK"), -1), 1);
        QCOMPARE(Settings::ReadInt(QStringLiteral("ITEMAPPT"), -1), 1);
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
