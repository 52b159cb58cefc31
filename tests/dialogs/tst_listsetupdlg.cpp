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
    void removingAListAsksFirst_data();
    void removingAListAsksFirst();
    void removingOnlyListLeavesNothingToActOn();
    void editListKeepsItems();
    void itemsAddedInNameOrderAndEditedInPlace();
    void itemFormTimesAndDoneMark();
    void removeItemAsksFirst();
    void tapRunsTheButtonUnderIt_data();
    void tapRunsTheButtonUnderIt();
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
    QCOMPARE(dlg.ItemList()->header()->sectionSize(0), CListSetupDlg::kNameColumnWidth);
    QCOMPARE(dlg.ItemList()->header()->sectionSize(1), CListSetupDlg::kDoneColumnWidth);
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

void TestListSetupDlg::removingAListAsksFirst_data()
{
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QStringList>("rows");
    // Yes: the first list is shown in place of the removed second one.
    QTest::newRow("yes") << true << QStringList{QStringLiteral("Groceries"), QStringLiteral("Tools")}
                         << QStringList{QStringLiteral("bread"), QStringLiteral("milk")};
    QTest::newRow("no") << false
                        << QStringList{QStringLiteral("Groceries"), QStringLiteral("Books"), QStringLiteral("Tools")}
                        << QStringList{QStringLiteral("Dune")};
}

void TestListSetupDlg::removingAListAsksFirst()
{
    QFETCH(bool, yes);
    QFETCH(QStringList, entries);
    QFETCH(QStringList, rows);
    ScriptedPrompter prompter;
    prompter.ExpectQuestion(QStringLiteral("Are you sure you want to remove the list 'Books'?"), yes);
    CListSetupDlg dlg;
    dlg.SetPrompter(&prompter);
    dlg.m_lists = ThreeLists();
    dlg.show();
    ChooseList(dlg, 1);

    dlg.OnRemoveList();
    QCOMPARE(Entries(dlg.ListChooser()), entries);
    QStringList names;
    for (const CListItemArray &list : std::as_const(dlg.m_lists))
        names << list.m_strName;
    QCOMPARE(names, entries);
    QCOMPARE(dlg.ListChooser()->currentIndex(), yes ? 0 : 1);
    QCOMPARE(dlg.m_nCurList, dlg.ListChooser()->currentIndex());
    QCOMPARE(Column(dlg.ItemList(), 0), rows);
    if (!yes)
        QCOMPARE(dlg.m_lists, ThreeLists());
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

void TestListSetupDlg::itemFormTimesAndDoneMark()
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
    // An undated, done item: editing keeps its mark and the time it was made.
    prompter.ExpectDialog<CNewItemDlg>([&](CNewItemDlg &d) {
        offered = QDateTime(d.DateField()->date(), d.TimeField()->time());
        d.PriceField()->setText(QStringLiteral("3.5"));
        d.OKButton()->click();
        return d.result();
    });
    CListSetupDlg dlg;
    dlg.SetPrompter(&prompter);
    dlg.m_lists = {MakeList(QStringLiteral("Dates"), {QStringLiteral("soon")})};
    const CalendarTime made = 1000000000; // 9 September 2001
    dlg.m_lists[0].m_items[0].m_time = made;
    dlg.m_lists[0].m_items[0].m_bDone = true;
    dlg.show();
    dlg.OnAddItem();
    // A new item starts from today at noon.
    QCOMPARE(offered, QDateTime(QDate(2021, 3, 2), QTime(12, 0, 0)));
    dlg.OnAddItem();
    QCOMPARE(Column(dlg.ItemList(), 0),
             QStringList({QStringLiteral("leap"), QStringLiteral("someday"), QStringLiteral("soon")}));
    offered = {};
    SelectItemRow(dlg, 2);
    dlg.OnEditItem();
    QCOMPARE(offered, QDateTime(QDate(2021, 3, 2), QTime(12, 0, 0)));
    QM_VERIFY_PROMPTS(prompter);

    const CListItem leap = dlg.m_lists.at(0).GetItem(0);
    QVERIFY(leap.m_bDated);
    LocalFields f;
    QVERIFY(CalendarTimeOps::ToLocal(leap.m_time, f));
    QCOMPARE(QDateTime(QDate(f.year, f.month, f.day), QTime(f.hour, f.minute, f.second)),
             QDateTime(QDate(2004, 2, 29), QTime(23, 59, 59)));

    const CListItem someday = dlg.m_lists.at(0).GetItem(1);
    QVERIFY(!someday.m_bDated);
    QCOMPARE(someday.m_time, kNow);

    const CListItem soon = dlg.m_lists.at(0).GetItem(2);
    QCOMPARE(Column(dlg.ItemList(), 1), QStringList({QStringLiteral("No"), QStringLiteral("No"), QStringLiteral("Yes")}));
    QVERIFY(soon.m_bDone);
    QVERIFY(!soon.m_bDated);
    QCOMPARE(soon.m_time, made);
    QCOMPARE(soon.m_dPrice, 3.5);
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
    QTest::addColumn<QString>("form"); // the form the tap opens, or the question it asks
    QTest::addColumn<QString>("offered"); // the name the form starts with
    const QString list = QStringLiteral("list");
    const QString item = QStringLiteral("item");
    // The list row is at top 62, the item row at 268 - 80 = 188; buttons
    // are 20 pixels wide at lefts 15, 40 and 65.
    QTest::newRow("add list, top left") << QPoint(15, 62) << list << QString();
    QTest::newRow("add list, bottom right") << QPoint(34, 81) << list << QString();
    QTest::newRow("one right of add list") << QPoint(35, 62) << QString() << QString();
    QTest::newRow("one left of add list") << QPoint(14, 62) << QString() << QString();
    QTest::newRow("one below add list") << QPoint(15, 82) << QString() << QString();
    QTest::newRow("remove list") << QPoint(40, 70)
                                 << QStringLiteral("Are you sure you want to remove the list 'Books'?") << QString();
    QTest::newRow("edit list") << QPoint(84, 62) << list << QStringLiteral("Books");
    QTest::newRow("right of edit list") << QPoint(85, 62) << QString() << QString();
    QTest::newRow("add item") << QPoint(15, 188) << item << QString();
    QTest::newRow("above add item") << QPoint(15, 187) << QString() << QString();
    QTest::newRow("remove item") << QPoint(59, 207)
                                 << QStringLiteral("Are you sure you want to remove the item 'Dune'?") << QString();
    QTest::newRow("below remove item") << QPoint(59, 208) << QString() << QString();
    QTest::newRow("edit item") << QPoint(65, 200) << item << QStringLiteral("Dune");
}

void TestListSetupDlg::tapRunsTheButtonUnderIt()
{
    QFETCH(QPoint, tap);
    QFETCH(QString, form);
    QFETCH(QString, offered);
    ScriptedPrompter prompter;
    QString offeredName = QStringLiteral("?");
    const auto cancelled = [&offeredName](auto &d) {
        offeredName = d.m_strName;
        d.reject();
        return d.result();
    };
    if (form == QLatin1String("list"))
        prompter.ExpectDialog<CNewListDlg>(cancelled);
    else if (form == QLatin1String("item"))
        prompter.ExpectDialog<CNewItemDlg>(cancelled);
    else if (!form.isEmpty())
        prompter.ExpectQuestion(form, false);

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
    if (form == QLatin1String("list") || form == QLatin1String("item"))
        QCOMPARE(offeredName, offered);
    QM_VERIFY_PROMPTS(prompter);
}

QUILLMARK_TEST_MAIN(TestListSetupDlg)
#include "tst_listsetupdlg.moc"
