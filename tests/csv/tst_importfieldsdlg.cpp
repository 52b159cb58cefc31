#include "dialogs/IconChooser.h"
#include "exchange/csv/ImportFields.h"
#include "exchange/csv/ImportFieldsDlg.h"
#include "platform/AppSettings.h"
#include "platform/Settings.h"
#include "tests/dialogs/ChooserRows.h"
#include "tests/testlib/QuillmarkTest.h"
#include "tests/testlib/ScriptedPrompter.h"

#include <QPushButton>
#include <QScrollBar>
#include <QSettings>

namespace {

constexpr int kAbsent = -99;
using Values = QList<int>; // name, desc, price, icon; kAbsent: not stored

Values Stored()
{
    const auto stored = [](const AppSettings::IntSetting &setting) {
        return Settings::ReadStoredInt(setting.Key()).value_or(kAbsent);
    };
    return {stored(AppSettings::kImportNameField), stored(AppSettings::kImportDescField),
            stored(AppSettings::kImportPriceField), stored(AppSettings::kImportIcon)};
}

void Store(const Values &v)
{
    const QString keys[] = {AppSettings::kImportNameField.Key(), AppSettings::kImportDescField.Key(), AppSettings::kImportPriceField.Key(), AppSettings::kImportIcon.Key()};
    for (int i = 0; i < 4; ++i) {
        if (v[i] != kAbsent)
            Settings::WriteInt(keys[i], v[i]);
    }
}

void Type(QSpinBox *spin, const QString &text)
{
    spin->setFocus();
    spin->selectAll();
    QTest::keyClick(spin, Qt::Key_Delete);
    QTest::keyClicks(spin, text);
}

CFieldSpinBox *Spin(const CImportFieldsDlg &dlg, int field)
{
    CFieldSpinBox *spins[] = {dlg.NameSpin(), dlg.DescSpin(), dlg.PriceSpin()};
    return spins[field];
}

} // namespace

class TestImportFieldsDlg : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QSettings().remove(QStringLiteral("Settings")); // under the names the test's main() pinned
    }

    void openAndClose_data()
    {
        QTest::addColumn<Values>("stored");
        QTest::addColumn<Values>("shown"); // the three columns and the selected row
        QTest::addColumn<int>("row");      // clicked; -1: selection cleared; -2: left alone
        QTest::addColumn<bool>("cancel");  // after typing 7 as the name column
        QTest::addColumn<Values>("after");
        const Values none{kAbsent, kAbsent, kAbsent, kAbsent};
        QTest::newRow("first use") << none << Values{1, 2, 3, 1} << 1 << false << Values{1, 2, 3, 6};
        QTest::newRow("first use, no row") << none << Values{1, 2, 3, 1} << -1 << false << Values{1, 2, 3, kAbsent};
        QTest::newRow("stored") << Values{4, 0, 7, 40} << Values{4, 0, 7, 35} << -2 << false << Values{4, 0, 7, 40};
        QTest::newRow("icon not offered") << Values{1, 2, 3, 51} << Values{1, 2, 3, -1} << -2 << false
                                          << Values{1, 2, 3, 51};
        QTest::newRow("cancel") << Values{2, 3, 4, 9} << Values{2, 3, 4, 4} << 10 << true << Values{2, 3, 4, 9};
    }
    void openAndClose()
    {
        QFETCH(Values, stored);
        QFETCH(Values, shown);
        QFETCH(int, row);
        QFETCH(bool, cancel);
        QFETCH(Values, after);
        Store(stored);
        ScriptedPrompter prompter;
        CImportFieldsDlg dlg(nullptr, &prompter);
        dlg.show();
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Import Fields"));
        QCOMPARE((Values{dlg.NameSpin()->value(), dlg.DescSpin()->value(), dlg.PriceSpin()->value(),
                         dlg.IconChooser()->SelectedRow()}),
                 shown);
        // Selected where it is: the list is not scrolled to it.
        QCOMPARE(dlg.IconChooser()->verticalScrollBar()->value(), 0);

        if (cancel)
            Type(dlg.NameSpin(), QStringLiteral("7"));
        if (row == -1)
            dlg.IconChooser()->clearSelection();
        else if (row >= 0)
            ChooserRows::Click(dlg.IconChooser(), row);
        QTest::mouseClick(cancel ? dlg.CancelButton() : dlg.OKButton(), Qt::LeftButton);
        QCOMPARE(dlg.result(), int(cancel ? QDialog::Rejected : QDialog::Accepted));
        QCOMPARE(Stored(), after);
        QM_VERIFY_PROMPTS(prompter);
    }

    void outOfRangeIsRefused_data()
    {
        QTest::addColumn<int>("field"); // 0 name, 1 desc, 2 price
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("pressEnter");
        QTest::newRow("name 0") << 0 << "0" << false;
        QTest::newRow("desc 51") << 1 << "51" << true;
        QTest::newRow("price 999") << 2 << "999" << false;
    }
    void outOfRangeIsRefused()
    {
        QFETCH(int, field);
        QFETCH(QString, typed);
        QFETCH(bool, pressEnter);
        ScriptedPrompter prompter;
        prompter.ExpectMessage(QStringLiteral("Please enter an integer between %1 and 50.").arg(field == 0 ? 1 : 0));
        CImportFieldsDlg dlg(nullptr, &prompter);
        dlg.show();
        dlg.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        CFieldSpinBox *spin = Spin(dlg, field);
        Type(spin, typed);
        if (pressEnter)
            QTest::keyClick(spin, Qt::Key_Return);
        else
            QTest::mouseClick(dlg.OKButton(), Qt::LeftButton);

        QM_VERIFY_PROMPTS(prompter);
        QVERIFY(dlg.isVisible());
        QCOMPARE(spin->text(), typed); // not changed behind the user's back
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(spin));
        QCOMPARE(Stored(), (Values{kAbsent, kAbsent, kAbsent, kAbsent}));

        // Put right (0 switches a description or price column off), OK goes through.
        const int fixed = field == 0 ? 5 : 0;
        Type(spin, QString::number(fixed));
        QTest::mouseClick(dlg.OKButton(), Qt::LeftButton);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(Stored().at(field), fixed);
    }

    void arrowsStopAtTheRange()
    {
        CImportFieldsDlg dlg;
        dlg.show();
        for (int field = 0; field < 3; ++field) {
            QSpinBox *spin = Spin(dlg, field);
            const int low = field == 0 ? 1 : 0;
            spin->setValue(low);
            spin->stepDown();
            QCOMPARE(spin->value(), low);
            spin->setValue(49);
            spin->stepUp();
            QTest::keyClick(spin, Qt::Key_Up);
            QCOMPARE(spin->value(), 50);
        }
    }
};

QUILLMARK_TEST_MAIN(TestImportFieldsDlg)
#include "tst_importfieldsdlg.moc"
