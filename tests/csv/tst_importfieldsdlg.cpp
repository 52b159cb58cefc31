#include "dialogs/IconChooser.h"
#include "exchange/csv/ImportFields.h"
#include "exchange/csv/ImportFieldsDlg.h"
#include "platform/Settings.h"
#include "res/Strings.h"
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
    return {Settings::ReadInt(ImportKeys::NameField(), kAbsent), Settings::ReadInt(ImportKeys::DescField(), kAbsent),
            Settings::ReadInt(ImportKeys::PriceField(), kAbsent), Settings::ReadInt(ImportKeys::Icon(), kAbsent)};
}

void Store(const Values &v)
{
    const QString keys[] = {ImportKeys::NameField(), ImportKeys::DescField(), ImportKeys::PriceField(), ImportKeys::Icon()};
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
        QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Fernwise"), QStringLiteral("Quillmark"))
                .remove(QStringLiteral("Settings"));
    }

    void opening_data()
    {
        QTest::addColumn<Values>("stored");
        QTest::addColumn<Values>("shown"); // the three columns and the selected row
        QTest::newRow("first use") << Values{kAbsent, kAbsent, kAbsent, kAbsent} << Values{1, 2, 3, 1};
        QTest::newRow("stored") << Values{4, 0, 7, 40} << Values{4, 0, 7, 35};
        QTest::newRow("icon not offered") << Values{1, 2, 3, 51} << Values{1, 2, 3, -1};
    }
    void opening()
    {
        QFETCH(Values, stored);
        QFETCH(Values, shown);
        Store(stored);
        CImportFieldsDlg dlg;
        dlg.show();
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Import Fields"));
        QCOMPARE((Values{dlg.NameSpin()->value(), dlg.DescSpin()->value(), dlg.PriceSpin()->value(),
                         dlg.IconChooser()->SelectedRow()}),
                 shown);
        // Selected where it is: the list is not scrolled to it.
        QCOMPARE(dlg.IconChooser()->verticalScrollBar()->value(), 0);
    }

    void okStores_data()
    {
        QTest::addColumn<Values>("before");
        QTest::addColumn<int>("row"); // -1: selection cleared
        QTest::addColumn<Values>("after");
        QTest::newRow("first use") << Values{kAbsent, kAbsent, kAbsent, kAbsent} << 1 << Values{1, 2, 3, 6};
        QTest::newRow("no row keeps the icon") << Values{9, 8, 7, 20} << -1 << Values{9, 8, 7, 20};
        QTest::newRow("no row, none stored") << Values{kAbsent, kAbsent, kAbsent, kAbsent} << -1 << Values{1, 2, 3, kAbsent};
    }
    void okStores()
    {
        QFETCH(Values, before);
        QFETCH(int, row);
        QFETCH(Values, after);
        Store(before);
        ScriptedPrompter prompter;
        CImportFieldsDlg dlg;
        dlg.SetPrompter(&prompter);
        dlg.show();
        if (row < 0)
            dlg.IconChooser()->clearSelection();
        else
            ChooserRows::Click(dlg.IconChooser(), row);
        QTest::mouseClick(dlg.OKButton(), Qt::LeftButton);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(Stored(), after);
        QM_VERIFY_PROMPTS(prompter);
    }

    void outOfRangeIsRefused_data()
    {
        QTest::addColumn<int>("field"); // 0 name, 1 desc, 2 price
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("pressEnter");
        QTest::newRow("name 0, OK clicked") << 0 << "0" << false;
        QTest::newRow("name 0, Enter") << 0 << "0" << true;
        QTest::newRow("name 51") << 0 << "51" << false;
        QTest::newRow("desc 51") << 1 << "51" << true;
        QTest::newRow("price 999") << 2 << "999" << false;
    }
    void outOfRangeIsRefused()
    {
        QFETCH(int, field);
        QFETCH(QString, typed);
        QFETCH(bool, pressEnter);
        ScriptedPrompter prompter;
        prompter.ExpectMessage(Str::EnterIntegerBetween(field == 0 ? 1 : 0, 50));
        CImportFieldsDlg dlg;
        dlg.SetPrompter(&prompter);
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

    void cancelWritesNothing()
    {
        Store({2, 3, 4, 9});
        CImportFieldsDlg dlg;
        dlg.show();
        Type(dlg.NameSpin(), QStringLiteral("7"));
        dlg.IconChooser()->SelectRow(10);
        QTest::mouseClick(dlg.CancelButton(), Qt::LeftButton);
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QCOMPARE(Stored(), (Values{2, 3, 4, 9}));
    }
};

QUILLMARK_TEST_MAIN(TestImportFieldsDlg)
#include "tst_importfieldsdlg.moc"
