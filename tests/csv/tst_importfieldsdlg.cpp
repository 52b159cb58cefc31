#include "dialogs/IconChooser.h"
#include "exchange/csv/ImportFields.h"
#include "exchange/csv/ImportFieldsDlg.h"
#include "platform/Settings.h"
#include "res/Strings.h"
#include "tests/testlib/QuillmarkTest.h"
#include "tests/testlib/ScriptedPrompter.h"

#include <QPushButton>
#include <QScrollBar>
#include <QSettings>

namespace {

constexpr int kAbsent = -99;

QList<int> Stored()
{
    return {Settings::ReadInt(ImportKeys::NameField(), kAbsent), Settings::ReadInt(ImportKeys::DescField(), kAbsent),
            Settings::ReadInt(ImportKeys::PriceField(), kAbsent), Settings::ReadInt(ImportKeys::Icon(), kAbsent)};
}

void Store(int name, int desc, int price, int icon)
{
    Settings::WriteInt(ImportKeys::NameField(), name);
    Settings::WriteInt(ImportKeys::DescField(), desc);
    Settings::WriteInt(ImportKeys::PriceField(), price);
    Settings::WriteInt(ImportKeys::Icon(), icon);
}

void Type(QSpinBox *spin, const QString &text)
{
    spin->setFocus();
    spin->selectAll();
    QTest::keyClick(spin, Qt::Key_Delete);
    QTest::keyClicks(spin, text);
}

void ClickRow(CIconChooser *chooser, int row)
{
    QTreeWidgetItem *item = chooser->topLevelItem(row);
    chooser->scrollToItem(item);
    QTest::mouseClick(chooser->viewport(), Qt::LeftButton, {}, chooser->visualItemRect(item).center());
}

} // namespace

class TestImportFieldsDlg : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Fernwise"),
                  QStringLiteral("Quillmark"))
                .remove(QStringLiteral("Settings"));
    }

    void firstUse()
    {
        ScriptedPrompter prompter;
        CImportFieldsDlg dlg;
        dlg.SetPrompter(&prompter);
        dlg.show();
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Import Fields"));
        QCOMPARE(dlg.NameSpin()->text(), QStringLiteral("1"));
        QCOMPARE(dlg.DescSpin()->text(), QStringLiteral("2"));
        QCOMPARE(dlg.PriceSpin()->text(), QStringLiteral("3"));
        QCOMPARE(dlg.IconChooser()->topLevelItemCount(), 46);
        QCOMPARE(dlg.IconChooser()->SelectedRow(), 1);

        QTest::mouseClick(dlg.OKButton(), Qt::LeftButton);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(Stored(), (QList<int>{1, 2, 3, 6}));
        QM_VERIFY_PROMPTS(prompter);
    }

    void storedValuesAreShown()
    {
        Store(4, 0, 7, 40);
        CImportFieldsDlg dlg;
        dlg.show();
        QCOMPARE(dlg.NameSpin()->value(), 4);
        QCOMPARE(dlg.DescSpin()->value(), 0);
        QCOMPARE(dlg.PriceSpin()->value(), 7);
        QCOMPARE(dlg.IconChooser()->SelectedRow(), 35);
        // Selected where it is: the list is not scrolled to it.
        QCOMPARE(dlg.IconChooser()->verticalScrollBar()->value(), 0);
    }

    void iconOutsideTheOfferedRowsSelectsNothing()
    {
        Store(1, 2, 3, 51);
        CImportFieldsDlg dlg;
        dlg.show();
        QCOMPARE(dlg.IconChooser()->SelectedRow(), -1);
    }

    void chosenRowIsStored_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("icon");
        QTest::newRow("first") << 0 << 5;
        QTest::newRow("last") << 45 << 50;
    }
    void chosenRowIsStored()
    {
        QFETCH(int, row);
        QFETCH(int, icon);
        CImportFieldsDlg dlg;
        dlg.show();
        ClickRow(dlg.IconChooser(), row);
        QCOMPARE(dlg.IconChooser()->SelectedRow(), row);
        QTest::mouseClick(dlg.OKButton(), Qt::LeftButton);
        QCOMPARE(Stored(), (QList<int>{1, 2, 3, icon}));
    }

    void noSelectionKeepsTheIcon()
    {
        Settings::WriteInt(ImportKeys::Icon(), 20);
        CImportFieldsDlg dlg;
        dlg.show();
        Type(dlg.NameSpin(), QStringLiteral("9"));
        dlg.IconChooser()->clearSelection();
        QTest::mouseClick(dlg.OKButton(), Qt::LeftButton);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(Stored(), (QList<int>{9, 2, 3, 20}));

        init();
        CImportFieldsDlg fresh;
        fresh.show();
        fresh.IconChooser()->clearSelection();
        QTest::mouseClick(fresh.OKButton(), Qt::LeftButton);
        QCOMPARE(Stored(), (QList<int>{1, 2, 3, kAbsent}));
    }

    void outOfRangeIsRefused_data()
    {
        QTest::addColumn<int>("field"); // 0 name, 1 desc, 2 price
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("pressEnter");
        QTest::addColumn<QString>("message");
        const QString name = Str::EnterIntegerBetween(1, 50);
        const QString other = Str::EnterIntegerBetween(0, 50);
        QTest::newRow("name 0, OK clicked") << 0 << "0" << false << name;
        QTest::newRow("name 0, Enter") << 0 << "0" << true << name;
        QTest::newRow("name 51") << 0 << "51" << false << name;
        QTest::newRow("desc 51") << 1 << "51" << true << other;
        QTest::newRow("price 999") << 2 << "999" << false << other;
    }
    void outOfRangeIsRefused()
    {
        QFETCH(int, field);
        QFETCH(QString, typed);
        QFETCH(bool, pressEnter);
        QFETCH(QString, message);
        ScriptedPrompter prompter;
        prompter.ExpectMessage(message);
        CImportFieldsDlg dlg;
        dlg.SetPrompter(&prompter);
        dlg.show();
        QActiveWindowHelper(dlg);
        CFieldSpinBox *spins[] = {dlg.NameSpin(), dlg.DescSpin(), dlg.PriceSpin()};
        CFieldSpinBox *spin = spins[field];
        Type(spin, typed);
        if (pressEnter)
            QTest::keyClick(spin, Qt::Key_Return);
        else
            QTest::mouseClick(dlg.OKButton(), Qt::LeftButton);

        QM_VERIFY_PROMPTS(prompter);
        QVERIFY(dlg.isVisible());
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QCOMPARE(spin->text(), typed); // not changed behind the user's back
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(spin));
        QCOMPARE(Stored(), (QList<int>{kAbsent, kAbsent, kAbsent, kAbsent}));

        // Put right, the same OK goes through.
        Type(spin, QStringLiteral("5"));
        QTest::mouseClick(dlg.OKButton(), Qt::LeftButton);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(Stored().at(field), 5);
    }

    void zeroSwitchesDescAndPriceOff()
    {
        CImportFieldsDlg dlg;
        dlg.show();
        Type(dlg.DescSpin(), QStringLiteral("0"));
        Type(dlg.PriceSpin(), QStringLiteral("0"));
        QTest::mouseClick(dlg.OKButton(), Qt::LeftButton);
        QCOMPARE(Stored(), (QList<int>{1, 0, 0, 6}));
    }

    void arrowsStopAtTheRange_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<int>("low");
        QTest::newRow("name") << 0 << 1;
        QTest::newRow("desc") << 1 << 0;
        QTest::newRow("price") << 2 << 0;
    }
    void arrowsStopAtTheRange()
    {
        QFETCH(int, field);
        QFETCH(int, low);
        CImportFieldsDlg dlg;
        dlg.show();
        CFieldSpinBox *spins[] = {dlg.NameSpin(), dlg.DescSpin(), dlg.PriceSpin()};
        QSpinBox *spin = spins[field];
        spin->setValue(low);
        spin->stepDown();
        QCOMPARE(spin->value(), low);
        spin->setValue(49);
        spin->stepUp();
        spin->stepUp();
        QCOMPARE(spin->value(), 50);
        QTest::keyClick(spin, Qt::Key_Up);
        QCOMPARE(spin->value(), 50);
    }

    void cancelWritesNothing()
    {
        Store(2, 3, 4, 9);
        CImportFieldsDlg dlg;
        dlg.show();
        Type(dlg.NameSpin(), QStringLiteral("7"));
        ClickRow(dlg.IconChooser(), 10);
        QTest::mouseClick(dlg.CancelButton(), Qt::LeftButton);
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QCOMPARE(Stored(), (QList<int>{2, 3, 4, 9}));
    }

private:
    // Makes the dialog the active window, so that focus can be checked.
    static void QActiveWindowHelper(QWidget &w)
    {
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
    }
};

QUILLMARK_TEST_MAIN(TestImportFieldsDlg)
#include "tst_importfieldsdlg.moc"
