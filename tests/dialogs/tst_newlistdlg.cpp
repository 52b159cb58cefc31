#include "dialogs/IconChooser.h"
#include "dialogs/NewListDlg.h"
#include "tests/dialogs/ChooserRows.h"
#include "tests/testlib/QuillmarkTest.h"
#include "tests/testlib/ScriptedPrompter.h"

#include <QLineEdit>
#include <QPushButton>

using ChooserRows::Click;
using ChooserRows::InView;

class TestNewListDlg : public QObject
{
    Q_OBJECT

private slots:
    void iconNumberInAndOut_data();
    void iconNumberInAndOut();
    void cancelHandsNothingBack();
};

void TestNewListDlg::iconNumberInAndOut_data()
{
    QTest::addColumn<int>("icon");
    QTest::addColumn<int>("shownRow");
    QTest::addColumn<int>("clickRow"); // -1 leaves the chooser alone
    QTest::addColumn<bool>("unselect");
    QTest::addColumn<int>("handedBack");
    QTest::newRow("new list: row 5, icon 10") << -1 << 5 << -1 << false << 10;
    QTest::newRow("icon 12, row 0 chosen") << 12 << 7 << 0 << false << 5;
    QTest::newRow("icon 4, below the strip") << 4 << 5 << -1 << false << 10;
    QTest::newRow("icon 5: row 0, untouched") << 5 << 0 << -1 << false << 5;
    QTest::newRow("icon 40: row 35 scrolled to") << 40 << 35 << -1 << false << 40;
    QTest::newRow("new list, row taken away") << -1 << 5 << 5 << true << -1;
}

void TestNewListDlg::iconNumberInAndOut()
{
    QFETCH(int, icon);
    QFETCH(int, shownRow);
    QFETCH(int, clickRow);
    QFETCH(bool, unselect);
    QFETCH(int, handedBack);
    ScriptedPrompter prompter;
    CNewListDlg dlg(nullptr, &prompter);
    dlg.m_nIcon = icon;
    dlg.show();

    QCOMPARE(dlg.windowTitle(), QStringLiteral("New List"));
    QCOMPARE(dlg.size(), QSize(240, 268));
    QCOMPARE(dlg.focusWidget(), dlg.NameField());
    QCOMPARE(dlg.IconChooser()->topLevelItemCount(), 46);
    QCOMPARE(dlg.IconChooser()->SelectedRow(), shownRow);
    QVERIFY(InView(dlg.IconChooser(), shownRow));
    if (clickRow >= 0)
        Click(dlg.IconChooser(), clickRow, unselect ? Qt::ControlModifier : Qt::NoModifier);

    // Without a name OK is refused, and the icon not yet handed back.
    prompter.ExpectMessage(QStringLiteral("New List must have a name."));
    dlg.OKButton()->click();
    QVERIFY(dlg.isVisible());
    QCOMPARE(dlg.focusWidget(), dlg.NameField());
    QCOMPARE(dlg.m_nIcon, icon);

    QTest::keyClicks(dlg.NameField(), QStringLiteral("Garden"));
    QTest::keyClick(dlg.NameField(), Qt::Key_Return);
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(dlg.m_strName, QStringLiteral("Garden"));
    QCOMPARE(dlg.m_nIcon, handedBack);
    QM_VERIFY_PROMPTS(prompter);
}

void TestNewListDlg::cancelHandsNothingBack()
{
    ScriptedPrompter prompter;
    CNewListDlg dlg(nullptr, &prompter);
    dlg.m_strName = QStringLiteral("Books");
    dlg.m_nIcon = 12;
    dlg.show();
    QCOMPARE(dlg.NameField()->text(), QStringLiteral("Books"));
    dlg.NameField()->setText(QStringLiteral("Films"));
    Click(dlg.IconChooser(), 0);
    dlg.CancelButton()->click();

    QCOMPARE(dlg.result(), int(QDialog::Rejected));
    QCOMPARE(dlg.m_strName, QStringLiteral("Books"));
    QCOMPARE(dlg.m_nIcon, 12);
    QM_VERIFY_PROMPTS(prompter);
}

QUILLMARK_TEST_MAIN(TestNewListDlg)
#include "tst_newlistdlg.moc"
