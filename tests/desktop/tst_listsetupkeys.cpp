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
// Plain functions, not member pointers: GCC's sanitizer build takes a
// member pointer picked by index for one that may be unset.
constexpr void (*kHandlers[])(CListSetupDlg &) = {
        [](CListSetupDlg &d) { d.OnAddList(); },  [](CListSetupDlg &d) { d.OnRemoveList(); },
        [](CListSetupDlg &d) { d.OnEditList(); }, [](CListSetupDlg &d) { d.OnAddItem(); },
        [](CListSetupDlg &d) { d.OnRemoveItem(); }, [](CListSetupDlg &d) { d.OnEditItem(); }};

// The name typed into a list's or an item's form, then OK.
template<typename Form>
void ExpectName(ScriptedPrompter &prompter, const QString &name)
{
    prompter.ExpectDialog<Form>([name](Form &d) {
        d.NameField()->setText(name);
        d.OKButton()->click();
        return d.result();
    });
}

// The answers the dialog's action needs, the same for its button and its
// key: the name for a form, or the question answered Yes.
void Script(ScriptedPrompter &prompter, int action, const QString &answer)
{
    if (action == RemoveList || action == RemoveItem)
        prompter.ExpectQuestion(answer, true);
    else if (action == AddList || action == EditList)
        ExpectName<CNewListDlg>(prompter, answer);
    else
        ExpectName<CNewItemDlg>(prompter, answer);
}

// A shown, active List Setup on two lists, the first chosen and its second
// item selected.
struct Setup
{
    ScriptedPrompter prompter;
    std::unique_ptr<CListSetupDlg> dlg = std::make_unique<CListSetupDlg>(nullptr, &prompter);

    Setup()
    {
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
    // A key in the list box or the item list runs what the button of its row
    // runs (which button runs what, where it is tapped, is List Setup's own
    // test).
    void keyDoesWhatItsButtonDoes_data()
    {
        QTest::addColumn<int>("action");
        QTest::addColumn<bool>("itemRow");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("answer");
        QTest::newRow("Insert in the list box: add list") << int(AddList) << false << int(Qt::Key_Insert) << "Garden";
        QTest::newRow("Delete in the list box: remove list")
                << int(RemoveList) << false << int(Qt::Key_Delete) << "Are you sure you want to remove the list 'Groceries'?";
        QTest::newRow("F2 in the list box: edit list") << int(EditList) << false << int(Qt::Key_F2) << "Food";
        QTest::newRow("Insert in the item list: add item") << int(AddItem) << true << int(Qt::Key_Insert) << "apple";
        QTest::newRow("Delete in the item list: remove item")
                << int(RemoveItem) << true << int(Qt::Key_Delete) << "Are you sure you want to remove the item 'milk'?";
        QTest::newRow("F2 in the item list: edit item") << int(EditItem) << true << int(Qt::Key_F2) << "oat milk";
    }

    void keyDoesWhatItsButtonDoes()
    {
        QFETCH(int, action);
        QFETCH(bool, itemRow);
        QFETCH(int, key);
        QFETCH(QString, answer);
        QStringList byButton;
        {
            Setup s;
            Script(s.prompter, action, answer);
            kHandlers[action](*s.dlg);
            QM_VERIFY_PROMPTS(s.prompter);
            byButton = s.State();
        }
        Setup s;
        QVERIFY(QTest::qWaitForWindowActive(s.dlg.get()));
        const QStringList before = s.State();
        Script(s.prompter, action, answer);
        // The list box has the focus first; Tab leads on to the item list.
        QCOMPARE(QApplication::focusWidget(), s.dlg->ListChooser());
        if (itemRow)
            QTest::keyClick(s.dlg->ListChooser(), Qt::Key_Tab);
        QWidget *where = QApplication::focusWidget();
        QCOMPARE(where, itemRow ? static_cast<QWidget *>(s.dlg->ItemList()) : s.dlg->ListChooser());
        QTest::keyClick(where, Qt::Key(key));
        QM_VERIFY_PROMPTS(s.prompter);
        QCOMPARE(s.State(), byButton);
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

    // A click on the item row's plus, then Insert: a second item, not a
    // list; the click took the keyboard to the item list.
    void keysFollowTheRowOfTheButtonClicked()
    {
        Setup s;
        QVERIFY(QTest::qWaitForWindowActive(s.dlg.get()));
        QCOMPARE(QApplication::focusWidget(), s.dlg->ListChooser());
        ExpectName<CNewItemDlg>(s.prompter, QStringLiteral("apple"));
        ExpectName<CNewItemDlg>(s.prompter, QStringLiteral("pear"));
        QuillmarkTest::ClickAt(s.dlg.get(), QPoint(CListSetupDlg::kButtonLefts[0] + 10,
                                                   s.dlg->height() - CListSetupDlg::kItemRowAboveBottom + 10));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Insert);
        QM_VERIFY_PROMPTS(s.prompter);
        QCOMPARE(s.State().constFirst(), QStringLiteral("Groceries:apple,bread,milk,pear"));
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
        const int top = itemRow ? s.dlg->height() - CListSetupDlg::kItemRowAboveBottom : CListSetupDlg::kListRowTop;
        QCOMPARE(QuillmarkTest::TipAt(s.dlg.get(), QPoint(CListSetupDlg::kButtonLefts[button] + 10, top + 10)), tip);
    }
};

QUILLMARK_TEST_MAIN(TestListSetupKeys)
#include "tst_listsetupkeys.moc"
