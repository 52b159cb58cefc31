#include "dialogs/IconChooser.h"
#include "dialogs/ListSetupDlg.h"
#include "dialogs/NewItemDlg.h"
#include "dialogs/NewListDlg.h"
#include "tests/testlib/QuillmarkTest.h"
#include "tests/testlib/ScriptedPrompter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTimeEdit>
#include <QTreeWidget>

namespace {

// 2 March 2021, 09:41:07 in Berlin: what "now" is for these tests.
const CalendarTime kNow = 1614674467;

CListItemArray MakeList(const QString &name, const QStringList &items, int icon = 10)
{
    CListItemArray list;
    list.SetName(name);
    list.m_nIcon = icon;
    for (const QString &itemName : items) {
        CListItem item;
        item.SetName(itemName);
        list.m_items.append(item);
    }
    return list;
}

CListCollection ThreeLists()
{
    return {MakeList(QStringLiteral("Groceries"), {QStringLiteral("bread"), QStringLiteral("milk")}),
            MakeList(QStringLiteral("Books"), {QStringLiteral("Dune")}),
            MakeList(QStringLiteral("Tools"), {})};
}

QStringList Column(const QTreeWidget *view, int column)
{
    QStringList texts;
    for (int i = 0; i < view->topLevelItemCount(); ++i)
        texts << view->topLevelItem(i)->text(column);
    return texts;
}

QStringList Entries(const QComboBox *combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts << combo->itemText(i);
    return texts;
}

void ChooseList(CListSetupDlg &dlg, int index)
{
    dlg.ListChooser()->setCurrentIndex(index);
    emit dlg.ListChooser()->activated(index);
}

void SelectItemRow(CListSetupDlg &dlg, int row)
{
    dlg.ItemList()->setCurrentItem(dlg.ItemList()->topLevelItem(row));
}

void ExpectNewList(ScriptedPrompter &prompter, const QString &name)
{
    prompter.ExpectDialog<CNewListDlg>([name](CNewListDlg &d) {
        d.NameField()->setText(name);
        d.OKButton()->click();
        return d.result();
    });
}

void ExpectNewItem(ScriptedPrompter &prompter, const QString &name)
{
    prompter.ExpectDialog<CNewItemDlg>([name](CNewItemDlg &d) {
        d.NameField()->setText(name);
        d.OKButton()->click();
        return d.result();
    });
}

} // namespace

class TestListSetupDlg : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { CalendarTimeOps::SetNowForTesting(kNow); }
    void cleanupTestCase() { CalendarTimeOps::ClearNowForTesting(); }

    void openingChoosesList_data();
    void openingChoosesList();
    void addListAppendsAndShowsIt();
    void removingSecondOfThreeShowsFirst();
    void answeringNoKeepsTheList();
    void removingOnlyListLeavesNothingToActOn();
    void editListKeepsItems();
    void itemsAddedInNameOrderAndEditedInPlace();
    void editingDoneItemKeepsItDone();
    void newItemGetsPickedDateOrConstructionTime();
    void editingUndatedItemKeepsItsTime();
    void removeItemAsksFirst();
    void tapRunsTheButtonUnderIt_data();
    void tapRunsTheButtonUnderIt();
    void cancelLeavesCallersListsAlone();
};

void TestListSetupDlg::openingChoosesList_data()
{
    QTest::addColumn<int>("lists");
    QTest::addColumn<int>("curList");
    QTest::addColumn<int>("chosen");
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("none given, three lists: the first")
            << 3 << -1 << 0 << QStringList{QStringLiteral("bread"), QStringLiteral("milk")};
    QTest::newRow("second given") << 3 << 1 << 1 << QStringList{QStringLiteral("Dune")};
    QTest::newRow("past the end: nothing") << 3 << 3 << -1 << QStringList();
    QTest::newRow("no lists") << 0 << -1 << -1 << QStringList();
}

void TestListSetupDlg::openingChoosesList()
{
    QFETCH(int, lists);
    QFETCH(int, curList);
    QFETCH(int, chosen);
    QFETCH(QStringList, rows);
    ScriptedPrompter prompter;
    CListSetupDlg dlg;
    dlg.SetPrompter(&prompter);
    dlg.m_lists = ThreeLists().first(lists);
    dlg.m_nCurList = curList;
    dlg.show();

    QCOMPARE(dlg.windowTitle(), QStringLiteral("List Setup"));
    QCOMPARE(dlg.size(), QSize(240, 268));
    QCOMPARE(dlg.ItemList()->headerItem()->text(0), QStringLiteral("Name"));
    QCOMPARE(dlg.ItemList()->headerItem()->text(1), QStringLiteral("Done"));
    QCOMPARE(dlg.ItemList()->header()->sectionSize(0), 90);
    QCOMPARE(dlg.ItemList()->header()->sectionSize(1), 45);
    QCOMPARE(Entries(dlg.ListChooser()), QStringList({QStringLiteral("Groceries"), QStringLiteral("Books"),
                                                      QStringLiteral("Tools")})
                                                 .first(lists));
    QCOMPARE(dlg.ListChooser()->currentIndex(), chosen);
    QCOMPARE(Column(dlg.ItemList(), 0), rows);
    if (chosen >= 0)
        QCOMPARE(dlg.m_nCurList, chosen);
    QM_VERIFY_PROMPTS(prompter);
}

void TestListSetupDlg::addListAppendsAndShowsIt()
{
    ScriptedPrompter prompter;
    QString offeredName = QStringLiteral("?");
    prompter.ExpectDialog<CNewListDlg>([&](CNewListDlg &d) {
        offeredName = d.NameField()->text();
        d.NameField()->setText(QStringLiteral("Hardware"));
        d.OKButton()->click();
        return d.result();
    });
    CListSetupDlg dlg;
    dlg.SetPrompter(&prompter);
    dlg.m_lists = ThreeLists();
    dlg.m_nCurList = 1;
    dlg.show();

    dlg.OnAddList();
    QCOMPARE(offeredName, QString()); // a new list: nothing filled in
    QCOMPARE(dlg.m_lists.size(), 4);
    QCOMPARE(dlg.m_lists.last().m_strName, QStringLiteral("Hardware"));
    QCOMPARE(dlg.m_lists.last().m_nIcon, 10);
    QVERIFY(dlg.m_lists.last().m_items.isEmpty());
    QCOMPARE(dlg.ListChooser()->count(), 4);
    QCOMPARE(dlg.ListChooser()->currentIndex(), 3);
    QCOMPARE(dlg.ListChooser()->currentText(), QStringLiteral("Hardware"));
    QCOMPARE(dlg.m_nCurList, 3);
    QCOMPARE(dlg.ItemList()->topLevelItemCount(), 0);
    QM_VERIFY_PROMPTS(prompter);
}

void TestListSetupDlg::removingSecondOfThreeShowsFirst()
{
    ScriptedPrompter prompter;
    prompter.ExpectQuestion(QStringLiteral("Are you sure you want to remove the list 'Books'?"), true);
    CListSetupDlg dlg;
    dlg.SetPrompter(&prompter);
    dlg.m_lists = ThreeLists();
    dlg.show();
    ChooseList(dlg, 1);
    QCOMPARE(Column(dlg.ItemList(), 0), QStringList{QStringLiteral("Dune")});

    dlg.OnRemoveList();
    QCOMPARE(Entries(dlg.ListChooser()), QStringList({QStringLiteral("Groceries"), QStringLiteral("Tools")}));
    QCOMPARE(dlg.m_lists.size(), 2);
    QCOMPARE(dlg.m_lists.at(1).m_strName, QStringLiteral("Tools"));
    QCOMPARE(dlg.ListChooser()->currentIndex(), 0);
    QCOMPARE(dlg.m_nCurList, 0);
    QCOMPARE(Column(dlg.ItemList(), 0), QStringList({QStringLiteral("bread"), QStringLiteral("milk")}));
    QM_VERIFY_PROMPTS(prompter);
}

void TestListSetupDlg::answeringNoKeepsTheList()
{
    ScriptedPrompter prompter;
    prompter.ExpectQuestion(QStringLiteral("Are you sure you want to remove the list 'Tools'?"), false);
    CListSetupDlg dlg;
    dlg.SetPrompter(&prompter);
    dlg.m_lists = ThreeLists();
    dlg.m_nCurList = 2;
    dlg.show();

    dlg.OnRemoveList();
    QCOMPARE(dlg.m_lists, ThreeLists());
    QCOMPARE(dlg.ListChooser()->count(), 3);
    QCOMPARE(dlg.ListChooser()->currentIndex(), 2);
    QM_VERIFY_PROMPTS(prompter);
}

void TestListSetupDlg::removingOnlyListLeavesNothingToActOn()
{
    ScriptedPrompter prompter;
    prompter.ExpectQuestion(QStringLiteral("Are you sure you want to remove the list 'Books'?"), true);
    CListSetupDlg dlg;
    dlg.SetPrompter(&prompter);
    dlg.m_lists = {MakeList(QStringLiteral("Books"), {QStringLiteral("Dune")})};
    dlg.show();
    SelectItemRow(dlg, 0);

    dlg.OnRemoveList();
    QVERIFY(dlg.m_lists.isEmpty());
    QCOMPARE(dlg.ListChooser()->count(), 0);
    QCOMPARE(dlg.ListChooser()->currentText(), QString());
    QCOMPARE(dlg.ItemList()->topLevelItemCount(), 0);
    QCOMPARE(dlg.m_nCurList, -1);
    QM_VERIFY_PROMPTS(prompter);

    // None of these may ask anything or touch a list.
    dlg.OnAddItem();
    dlg.OnRemoveItem();
    dlg.OnEditList();
    dlg.OnEditItem();
    QVERIFY(dlg.m_lists.isEmpty());
    QM_VERIFY_PROMPTS(prompter);

    prompter.ExpectMessage(QStringLiteral("You must select a list to remove."));
    dlg.OnRemoveList();
    QM_VERIFY_PROMPTS(prompter);

    // A list added afterwards is there to work on.
    ExpectNewList(prompter, QStringLiteral("Films"));
    ExpectNewItem(prompter, QStringLiteral("Alien"));
    dlg.OnAddList();
    dlg.OnAddItem();
    QCOMPARE(dlg.m_lists.size(), 1);
    QCOMPARE(Column(dlg.ItemList(), 0), QStringList{QStringLiteral("Alien")});
    QM_VERIFY_PROMPTS(prompter);
}

void TestListSetupDlg::editListKeepsItems()
{
    ScriptedPrompter prompter;
    QString offeredName;
    int offeredRow = -2;
    prompter.ExpectDialog<CNewListDlg>([&](CNewListDlg &d) {
        offeredName = d.NameField()->text();
        offeredRow = d.IconChooser()->SelectedRow();
        d.NameField()->setText(QStringLiteral("Novels"));
        d.OKButton()->click();
        return d.result();
    });
    CListSetupDlg dlg;
    dlg.SetPrompter(&prompter);
    dlg.m_lists = ThreeLists();
    dlg.m_lists[1].m_nIcon = 12;
    dlg.m_nCurList = 1;
    dlg.show();

    dlg.OnEditList();
    QCOMPARE(offeredName, QStringLiteral("Books"));
    QCOMPARE(offeredRow, 7);
    QCOMPARE(Entries(dlg.ListChooser()),
             QStringList({QStringLiteral("Groceries"), QStringLiteral("Novels"), QStringLiteral("Tools")}));
    QCOMPARE(dlg.ListChooser()->currentIndex(), 1);
    QCOMPARE(dlg.m_lists.at(1).m_strName, QStringLiteral("Novels"));
    QCOMPARE(dlg.m_lists.at(1).m_nIcon, 12);
    QCOMPARE(dlg.m_lists.at(1).m_items, ThreeLists().at(1).m_items);
    QCOMPARE(Column(dlg.ItemList(), 0), QStringList{QStringLiteral("Dune")});
    QM_VERIFY_PROMPTS(prompter);
}

void TestListSetupDlg::itemsAddedInNameOrderAndEditedInPlace()
{
    ScriptedPrompter prompter;
    for (const char *name : {"pear", "apple", "fig"})
        ExpectNewItem(prompter, QString::fromLatin1(name));
    CListSetupDlg dlg;
    dlg.SetPrompter(&prompter);
    dlg.m_lists = {MakeList(QStringLiteral("Fruit"), {})};
    dlg.show();

    dlg.OnAddItem();
    dlg.OnAddItem();
    dlg.OnAddItem();
    QCOMPARE(Column(dlg.ItemList(), 0),
             QStringList({QStringLiteral("apple"), QStringLiteral("fig"), QStringLiteral("pear")}));
    QCOMPARE(Column(dlg.ItemList(), 1), QStringList({QStringLiteral("No"), QStringLiteral("No"), QStringLiteral("No")}));
    QCOMPARE(dlg.m_lists.at(0).m_items.at(0).m_nIcon, 5);
    QM_VERIFY_PROMPTS(prompter);

    QString offeredName;
    prompter.ExpectDialog<CNewItemDlg>([&](CNewItemDlg &d) {
        offeredName = d.NameField()->text();
        d.NameField()->setText(QStringLiteral("zucchini"));
        d.OKButton()->click();
        return d.result();
    });
    SelectItemRow(dlg, 0);
    dlg.OnEditItem();
    QCOMPARE(offeredName, QStringLiteral("apple"));
    QCOMPARE(Column(dlg.ItemList(), 0),
             QStringList({QStringLiteral("zucchini"), QStringLiteral("fig"), QStringLiteral("pear")}));
    QM_VERIFY_PROMPTS(prompter);
}

void TestListSetupDlg::editingDoneItemKeepsItDone()
{
    ScriptedPrompter prompter;
    prompter.ExpectDialog<CNewItemDlg>([](CNewItemDlg &d) {
        d.PriceField()->setText(QStringLiteral("3.5"));
        d.OKButton()->click();
        return d.result();
    });
    CListSetupDlg dlg;
    dlg.SetPrompter(&prompter);
    dlg.m_lists = ThreeLists();
    dlg.m_lists[0].m_items[1].m_bDone = true;
    dlg.show();
    QCOMPARE(Column(dlg.ItemList(), 1), QStringList({QStringLiteral("No"), QStringLiteral("Yes")}));

    SelectItemRow(dlg, 1);
    dlg.OnEditItem();
    QCOMPARE(Column(dlg.ItemList(), 1), QStringList({QStringLiteral("No"), QStringLiteral("Yes")}));
    QVERIFY(dlg.m_lists.at(0).m_items.at(1).m_bDone);
    QCOMPARE(dlg.m_lists.at(0).m_items.at(1).m_dPrice, 3.5);
    QM_VERIFY_PROMPTS(prompter);
}

void TestListSetupDlg::newItemGetsPickedDateOrConstructionTime()
{
    ScriptedPrompter prompter;
    QDateTime offered;
    prompter.ExpectDialog<CNewItemDlg>([&](CNewItemDlg &d) {
        offered = QDateTime(d.DateField()->date(), d.TimeField()->time());
        d.NameField()->setText(QStringLiteral("leap"));
        d.DatedBox()->setChecked(true);
        d.DateField()->setDate(QDate(2004, 2, 29));
        d.TimeField()->setTime(QTime(23, 59, 59));
        d.OKButton()->click();
        return d.result();
    });
    prompter.ExpectDialog<CNewItemDlg>([](CNewItemDlg &d) {
        d.NameField()->setText(QStringLiteral("someday"));
        d.DateField()->setDate(QDate(2004, 2, 29)); // not dated: ignored
        d.OKButton()->click();
        return d.result();
    });
    CListSetupDlg dlg;
    dlg.SetPrompter(&prompter);
    dlg.m_lists = {MakeList(QStringLiteral("Dates"), {})};
    dlg.show();
    dlg.OnAddItem();
    dlg.OnAddItem();
    // A new item starts from today at noon.
    QCOMPARE(offered, QDateTime(QDate(2021, 3, 2), QTime(12, 0, 0)));

    const CListItem leap = dlg.m_lists.at(0).GetItem(0);
    QCOMPARE(leap.m_strName, QStringLiteral("leap"));
    QVERIFY(leap.m_bDated);
    LocalFields f;
    QVERIFY(CalendarTimeOps::ToLocal(leap.m_time, f));
    QCOMPARE(QDateTime(QDate(f.year, f.month, f.day), QTime(f.hour, f.minute, f.second)),
             QDateTime(QDate(2004, 2, 29), QTime(23, 59, 59)));

    const CListItem someday = dlg.m_lists.at(0).GetItem(1);
    QCOMPARE(someday.m_strName, QStringLiteral("someday"));
    QVERIFY(!someday.m_bDated);
    QCOMPARE(someday.m_time, kNow);
    QM_VERIFY_PROMPTS(prompter);
}

void TestListSetupDlg::editingUndatedItemKeepsItsTime()
{
    ScriptedPrompter prompter;
    QDateTime offered;
    prompter.ExpectDialog<CNewItemDlg>([&](CNewItemDlg &d) {
        offered = QDateTime(d.DateField()->date(), d.TimeField()->time());
        d.NameField()->setText(QStringLiteral("later"));
        d.OKButton()->click();
        return d.result();
    });
    CListSetupDlg dlg;
    dlg.SetPrompter(&prompter);
    dlg.m_lists = {MakeList(QStringLiteral("Plans"), {QStringLiteral("soon")})};
    const CalendarTime made = 1000000000; // 9 September 2001
    dlg.m_lists[0].m_items[0].m_time = made;
    dlg.show();
    SelectItemRow(dlg, 0);
    dlg.OnEditItem();
    QCOMPARE(offered, QDateTime(QDate(2021, 3, 2), QTime(12, 0, 0)));

    const CListItem item = dlg.m_lists.at(0).GetItem(0);
    QCOMPARE(item.m_strName, QStringLiteral("later"));
    QVERIFY(!item.m_bDated);
    QCOMPARE(item.m_time, made);
    QM_VERIFY_PROMPTS(prompter);
}

void TestListSetupDlg::removeItemAsksFirst()
{
    ScriptedPrompter prompter;
    CListSetupDlg dlg;
    dlg.SetPrompter(&prompter);
    dlg.m_lists = ThreeLists();
    dlg.show();

    dlg.OnRemoveItem(); // no row chosen: nothing
    QM_VERIFY_PROMPTS(prompter);

    prompter.ExpectQuestion(QStringLiteral("Are you sure you want to remove the item 'milk'?"), false);
    prompter.ExpectQuestion(QStringLiteral("Are you sure you want to remove the item 'milk'?"), true);
    SelectItemRow(dlg, 1);
    dlg.OnRemoveItem();
    QCOMPARE(Column(dlg.ItemList(), 0), QStringList({QStringLiteral("bread"), QStringLiteral("milk")}));
    dlg.OnRemoveItem();
    QCOMPARE(Column(dlg.ItemList(), 0), QStringList{QStringLiteral("bread")});
    QCOMPARE(dlg.m_lists.at(0).m_items.size(), 1);
    QCOMPARE(dlg.m_lists.at(1), ThreeLists().at(1));
    QM_VERIFY_PROMPTS(prompter);
}

void TestListSetupDlg::tapRunsTheButtonUnderIt_data()
{
    QTest::addColumn<QPoint>("tap");
    QTest::addColumn<QString>("action");
    // The list row is at top 62, the item row at 268 - 80 = 188; buttons
    // are 20 pixels wide at lefts 15, 40 and 65.
    QTest::newRow("add list, top left") << QPoint(15, 62) << QStringLiteral("add list");
    QTest::newRow("add list, bottom right") << QPoint(34, 81) << QStringLiteral("add list");
    QTest::newRow("one right of add list") << QPoint(35, 62) << QString();
    QTest::newRow("one left of add list") << QPoint(14, 62) << QString();
    QTest::newRow("one below add list") << QPoint(15, 82) << QString();
    QTest::newRow("remove list") << QPoint(40, 70) << QStringLiteral("remove list");
    QTest::newRow("edit list") << QPoint(84, 62) << QStringLiteral("edit list");
    QTest::newRow("right of edit list") << QPoint(85, 62) << QString();
    QTest::newRow("add item") << QPoint(15, 188) << QStringLiteral("add item");
    QTest::newRow("above add item") << QPoint(15, 187) << QString();
    QTest::newRow("remove item") << QPoint(59, 207) << QStringLiteral("remove item");
    QTest::newRow("below remove item") << QPoint(59, 208) << QString();
    QTest::newRow("edit item") << QPoint(65, 200) << QStringLiteral("edit item");
}

void TestListSetupDlg::tapRunsTheButtonUnderIt()
{
    QFETCH(QPoint, tap);
    QFETCH(QString, action);
    ScriptedPrompter prompter;
    QString offeredName = QStringLiteral("?");
    const auto cancelled = [&offeredName](auto &d) {
        offeredName = d.m_strName;
        d.reject();
        return d.result();
    };
    QString expectedName;
    if (action == QLatin1String("add list")) {
        prompter.ExpectDialog<CNewListDlg>(cancelled);
    } else if (action == QLatin1String("remove list")) {
        prompter.ExpectQuestion(QStringLiteral("Are you sure you want to remove the list 'Books'?"), false);
    } else if (action == QLatin1String("edit list")) {
        prompter.ExpectDialog<CNewListDlg>(cancelled);
        expectedName = QStringLiteral("Books");
    } else if (action == QLatin1String("add item")) {
        prompter.ExpectDialog<CNewItemDlg>(cancelled);
    } else if (action == QLatin1String("remove item")) {
        prompter.ExpectQuestion(QStringLiteral("Are you sure you want to remove the item 'Dune'?"), false);
    } else if (action == QLatin1String("edit item")) {
        prompter.ExpectDialog<CNewItemDlg>(cancelled);
        expectedName = QStringLiteral("Dune");
    }

    CListSetupDlg dlg;
    dlg.SetPrompter(&prompter);
    dlg.m_lists = {MakeList(QStringLiteral("Books"), {QStringLiteral("Dune")})};
    dlg.show();
    SelectItemRow(dlg, 0);
    // Through the window, as a real tap comes: whatever lies under the
    // point must let it through to the dialog.
    QTest::mouseClick(dlg.windowHandle(), Qt::LeftButton, {}, tap);
    QTest::mouseClick(dlg.windowHandle(), Qt::RightButton, {}, tap); // only the left button taps

    QCOMPARE(dlg.m_lists.size(), 1);
    if (action.contains(QLatin1String("add")) || action.contains(QLatin1String("edit")))
        QCOMPARE(offeredName, expectedName);
    QM_VERIFY_PROMPTS(prompter);
}

void TestListSetupDlg::cancelLeavesCallersListsAlone()
{
    ScriptedPrompter prompter;
    ExpectNewList(prompter, QStringLiteral("Garden"));
    const CListCollection callers = ThreeLists();
    CListSetupDlg dlg;
    dlg.SetPrompter(&prompter);
    dlg.m_lists = callers;
    dlg.show();
    dlg.OnAddList();
    dlg.CancelButton()->click();

    QCOMPARE(dlg.result(), int(QDialog::Rejected));
    QCOMPARE(callers, ThreeLists());
    QM_VERIFY_PROMPTS(prompter);
}

QUILLMARK_TEST_MAIN(TestListSetupDlg)
#include "tst_listsetupdlg.moc"
