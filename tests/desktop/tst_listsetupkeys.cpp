#include "dialogs/ListSetupDlg.h"
#include "dialogs/NewItemDlg.h"
#include "dialogs/NewListDlg.h"
#include "tests/testlib/QuillmarkTest.h"
#include "tests/testlib/ScriptedPrompter.h"
#include "tests/view/ViewFixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include <memory>

using QuillmarkTest::Lists;

namespace {

enum Action { AddList, RemoveList, EditList, AddItem, RemoveItem, EditItem };

// The answers the dialog's action needs, the same for the tap and the key.
void Script(ScriptedPrompter &prompter, int action)
{
    const auto nameList = [&prompter](const QString &name) {
        prompter.ExpectDialog<CNewListDlg>([name](CNewListDlg &d) {
            d.NameField()->setText(name);
            d.OKButton()->click();
            return d.result();
        });
    };
    const auto nameItem = [&prompter](const QString &name) {
        prompter.ExpectDialog<CNewItemDlg>([name](CNewItemDlg &d) {
            d.NameField()->setText(name);
            d.OKButton()->click();
            return d.result();
        });
    };
    switch (action) {
    case AddList:
        nameList(QStringLiteral("Garden"));
        break;
    case RemoveList:
        prompter.ExpectQuestion(QStringLiteral("Are you sure you want to remove the list 'Groceries'?"), true);
        break;
    case EditList:
        nameList(QStringLiteral("Food"));
        break;
    case AddItem:
        nameItem(QStringLiteral("apple"));
        break;
    case RemoveItem:
        prompter.ExpectQuestion(QStringLiteral("Are you sure you want to remove the item 'milk'?"), true);
        break;
    case EditItem:
        nameItem(QStringLiteral("oat milk"));
        break;
    }
}

// The middle of a drawn button of the list row or the item row.
QPoint ButtonCentre(const CListSetupDlg &dlg, bool itemRow, int button)
{
    const int top = itemRow ? dlg.height() - CListSetupDlg::kItemRowAboveBottom : CListSetupDlg::kListRowTop;
    return QPoint(CListSetupDlg::kButtonLefts[button], top) + QPoint(1, 1) * (CListSetupDlg::kButtonSize / 2);
}

// A shown, active List Setup on two lists, the first chosen and its second
// item selected.
struct Setup
{
    ScriptedPrompter prompter;
    std::unique_ptr<CListSetupDlg> dlg = std::make_unique<CListSetupDlg>();

    Setup()
    {
        dlg->SetPrompter(&prompter);
        dlg->m_lists = Lists(QStringLiteral("Groceries: bread milk | Books: Dune"));
        dlg->m_nCurList = 0;
        dlg->show();
        dlg->ItemList()->setCurrentItem(dlg->ItemList()->topLevelItem(1));
        dlg->activateWindow();
    }

    QStringList State() const
    {
        QStringList state;
        for (const CListItemArray &list : dlg->m_lists) {
            QStringList items;
            for (const CListItem &item : list.m_items)
                items << item.m_strName;
            state << list.m_strName + QLatin1Char(':') + items.join(QLatin1Char(','));
        }
        for (int i = 0; i < dlg->ListChooser()->count(); ++i)
            state << QStringLiteral("entry ") + dlg->ListChooser()->itemText(i);
        state << QStringLiteral("current %1, chosen %2, rows %3")
                         .arg(dlg->m_nCurList)
                         .arg(dlg->ListChooser()->currentIndex())
                         .arg(dlg->ItemList()->topLevelItemCount());
        state << prompter.Shown();
        return state;
    }
};

} // namespace

class TestListSetupKeys : public QObject
{
    Q_OBJECT

private slots:
    void keyDoesWhatItsButtonDoes_data()
    {
        QTest::addColumn<int>("action");
        QTest::addColumn<bool>("itemRow");
        QTest::addColumn<int>("button");
        QTest::newRow("Insert in the list box: add list") << int(AddList) << false << 0;
        QTest::newRow("Delete in the list box: remove list") << int(RemoveList) << false << 1;
        QTest::newRow("F2 in the list box: edit list") << int(EditList) << false << 2;
        QTest::newRow("Insert in the item list: add item") << int(AddItem) << true << 0;
        QTest::newRow("Delete in the item list: remove item") << int(RemoveItem) << true << 1;
        QTest::newRow("F2 in the item list: edit item") << int(EditItem) << true << 2;
    }

    void keyDoesWhatItsButtonDoes()
    {
        QFETCH(int, action);
        QFETCH(bool, itemRow);
        QFETCH(int, button);

        QStringList tapped;
        {
            Setup s;
            Script(s.prompter, action);
            QuillmarkTest::ClickAt(s.dlg.get(), ButtonCentre(*s.dlg, itemRow, button));
            QM_VERIFY_PROMPTS(s.prompter);
            tapped = s.State();
        }
        Setup s;
        QVERIFY(QTest::qWaitForWindowActive(s.dlg.get()));
        const QStringList before = s.State();
        Script(s.prompter, action);
        // The list box has the focus first; Tab leads on to the item list.
        QCOMPARE(QApplication::focusWidget(), s.dlg->ListChooser());
        if (itemRow)
            QTest::keyClick(s.dlg->ListChooser(), Qt::Key_Tab);
        QWidget *where = QApplication::focusWidget();
        QCOMPARE(where, itemRow ? static_cast<QWidget *>(s.dlg->ItemList()) : s.dlg->ListChooser());
        QTest::keyClick(where, CListSetupDlg::kButtonKeys[button]);
        QM_VERIFY_PROMPTS(s.prompter);
        QCOMPARE(s.State(), tapped);
        QVERIFY(s.State() != before);
    }

    // A row's keys belong to its own data: Delete in the list box never
    // removes an item, and on the buttons the keys do nothing.
    void keysActOnlyWhereTheirDataHasTheFocus_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::newRow("Insert on OK") << "ok" << int(Qt::Key_Insert);
        QTest::newRow("Delete on Cancel") << "cancel" << int(Qt::Key_Delete);
        QTest::newRow("F2 on OK") << "ok" << int(Qt::Key_F2);
    }

    void keysActOnlyWhereTheirDataHasTheFocus()
    {
        QFETCH(QString, focus);
        QFETCH(int, key);
        Setup s;
        QVERIFY(QTest::qWaitForWindowActive(s.dlg.get()));
        const QStringList before = s.State();
        QWidget *where = focus == QLatin1String("ok") ? s.dlg->OKButton() : s.dlg->CancelButton();
        where->setFocus();
        QTest::keyClick(where, Qt::Key(key));
        QCOMPARE(s.State(), before);
        QCOMPARE(s.dlg->isVisible(), true);
        QM_VERIFY_PROMPTS(s.prompter);
    }

    void removeListKeyWithoutListsSaysSo()
    {
        ScriptedPrompter prompter;
        CListSetupDlg dlg;
        dlg.SetPrompter(&prompter);
        dlg.show();
        dlg.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        prompter.ExpectMessage(QStringLiteral("You must select a list to remove."));
        dlg.ListChooser()->setFocus();
        QTest::keyClick(dlg.ListChooser(), Qt::Key_Delete);
        QM_VERIFY_PROMPTS(prompter);
    }

    void buttonTipsNameActionAndKey_data()
    {
        QTest::addColumn<bool>("itemRow");
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("tip");
        QTest::newRow("plus, list row") << false << 0 << "Add list (Ins in the list box)";
        QTest::newRow("minus, list row") << false << 1 << "Remove list (Del in the list box)";
        QTest::newRow("pencil, item row") << true << 2 << "Edit item (F2 in the item list)";
    }

    void buttonTipsNameActionAndKey()
    {
        QFETCH(bool, itemRow);
        QFETCH(int, button);
        QFETCH(QString, tip);
        Setup s;
        QCOMPARE(QuillmarkTest::TipAt(s.dlg.get(), ButtonCentre(*s.dlg, itemRow, button)), tip);
    }
};

QUILLMARK_TEST_MAIN(TestListSetupKeys)
#include "tst_listsetupkeys.moc"
