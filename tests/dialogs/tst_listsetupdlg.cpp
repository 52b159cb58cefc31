#include "dialogs/ListSetupDlg.h"
#include "dialogs/NewItemDlg.h"
#include "dialogs/NewListDlg.h"
#include "tests/testlib/Lists.h"
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

CListCollection ThreeLists()
{
    return QuillmarkTest::Lists(QStringLiteral("Groceries: bread milk | Books: Dune | Tools:"));
}

// A shown List Setup over the given lists, answered by its own prompter.
struct Setup
{
    ScriptedPrompter prompter;
    CListSetupDlg dlg{nullptr, &prompter};

    explicit Setup(const CListCollection &lists, int curList = -1)
    {
        dlg.m_lists = lists;
        dlg.m_nCurList = curList;
        dlg.show();
    }

    QStringList Rows(int column = 0) const
    {
        QStringList texts;
        for (int i = 0; i < dlg.ItemList()->topLevelItemCount(); ++i)
            texts << dlg.ItemList()->topLevelItem(i)->text(column);
        return texts;
    }

    QStringList Entries() const
    {
        QStringList texts;
        for (int i = 0; i < dlg.ListChooser()->count(); ++i)
            texts << dlg.ListChooser()->itemText(i);
        return texts;
    }

    void ChooseList(int index)
    {
        dlg.ListChooser()->setCurrentIndex(index);
        emit dlg.ListChooser()->activated(index);
    }

    void SelectItemRow(int row) { dlg.ItemList()->setCurrentItem(dlg.ItemList()->topLevelItem(row)); }

    // The list or item form is expected: the name it offers goes to
    // `offered`; `name` is entered and OK pressed, or, when null, the form
    // is cancelled.
    template<typename Form>
    void ExpectForm(const QString &name, QString *offered = nullptr)
    {
        prompter.ExpectDialog<Form>([name, offered](Form &d) {
            if (offered)
                *offered = d.NameField()->text();
            if (name.isNull()) {
                d.reject();
            } else {
                d.NameField()->setText(name);
                d.OKButton()->click();
            }
            return d.result();
        });
    }
};

} // namespace

class TestListSetupDlg : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { CalendarTimeOps::SetNowForTesting(kNow); }
    void cleanupTestCase() { CalendarTimeOps::ClearNowForTesting(); }

    void openingChoosesList_data();
    void openingChoosesList();
    void listAddedAtTheEndAndEditedInPlace();
    void removingAListAsksFirst();
    void removingOnlyListLeavesNothingToActOn();
    void itemsAddedInOrderAndEditedInPlace();
    void removeItemAsksFirst();
    void largerDialogGivesTheRoomToTheItems();
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
    Setup s(ThreeLists().first(lists), curList);
    const CListSetupDlg &dlg = s.dlg;

    QCOMPARE(dlg.windowTitle(), QStringLiteral("List Setup"));
    QCOMPARE(dlg.size(), QSize(240, 268));
    QCOMPARE(dlg.ItemList()->headerItem()->text(0), QStringLiteral("Name"));
    QCOMPARE(dlg.ItemList()->headerItem()->text(1), QStringLiteral("Price"));
    QCOMPARE(dlg.ItemList()->headerItem()->text(2), QStringLiteral("Done"));
    QCOMPARE(dlg.ItemList()->header()->sectionSize(2), 45);
    QCOMPARE(s.Entries(), QStringList({QStringLiteral("Groceries"), QStringLiteral("Books"), QStringLiteral("Tools")})
                                  .first(lists));
    QCOMPARE(dlg.ListChooser()->currentIndex(), chosen);
    QCOMPARE(s.Rows(), rows);
    if (chosen >= 0)
        QCOMPARE(dlg.m_nCurList, chosen);
    QM_VERIFY_PROMPTS(s.prompter);
}

void TestListSetupDlg::listAddedAtTheEndAndEditedInPlace()
{
    CListCollection lists = ThreeLists();
    lists[1].m_nIcon = 12;
    Setup s(lists, 1);
    QString offeredName = QStringLiteral("?");
    s.ExpectForm<CNewListDlg>(QStringLiteral("Hardware"), &offeredName);

    s.dlg.OnAddList();
    QCOMPARE(offeredName, QString()); // a new list: nothing filled in
    QCOMPARE(s.dlg.m_lists.size(), 4);
    QCOMPARE(s.dlg.m_lists.last().m_strName, QStringLiteral("Hardware"));
    QCOMPARE(s.dlg.m_lists.last().m_nIcon, 10);
    QVERIFY(s.dlg.m_lists.last().m_items.isEmpty());
    QCOMPARE(s.dlg.ListChooser()->currentIndex(), 3);
    QCOMPARE(s.dlg.m_nCurList, 3);
    QCOMPARE(s.dlg.ItemList()->topLevelItemCount(), 0);
    QM_VERIFY_PROMPTS(s.prompter);

    // Editing the second list renames it where it is and keeps its items.
    s.ExpectForm<CNewListDlg>(QStringLiteral("Novels"), &offeredName);
    s.ChooseList(1);
    s.dlg.OnEditList();
    QCOMPARE(offeredName, QStringLiteral("Books"));
    QCOMPARE(s.Entries(), QStringList({QStringLiteral("Groceries"), QStringLiteral("Novels"), QStringLiteral("Tools"),
                                       QStringLiteral("Hardware")}));
    QCOMPARE(s.dlg.ListChooser()->currentIndex(), 1);
    QCOMPARE(s.dlg.m_lists.at(1).m_strName, QStringLiteral("Novels"));
    QCOMPARE(s.dlg.m_lists.at(1).m_nIcon, 12); // the form was given the list's icon
    QCOMPARE(s.dlg.m_lists.at(1).m_items, ThreeLists().at(1).m_items);
    QCOMPARE(s.Rows(), QStringList{QStringLiteral("Dune")});
    QM_VERIFY_PROMPTS(s.prompter);
}

void TestListSetupDlg::removingAListAsksFirst()
{
    Setup s(ThreeLists());
    const QString question = QStringLiteral("Are you sure you want to remove the list 'Books'?");
    s.prompter.ExpectQuestion(question, false);
    s.prompter.ExpectQuestion(question, true);
    s.ChooseList(1);

    s.dlg.OnRemoveList(); // No: nothing changes
    QCOMPARE(s.dlg.m_lists, ThreeLists());
    QCOMPARE(s.Entries(), QStringList({QStringLiteral("Groceries"), QStringLiteral("Books"), QStringLiteral("Tools")}));
    QCOMPARE(s.dlg.ListChooser()->currentIndex(), 1);
    QCOMPARE(s.dlg.m_nCurList, 1);
    QCOMPARE(s.Rows(), QStringList{QStringLiteral("Dune")});

    // Yes: the first list is shown in place of the removed second one.
    s.dlg.OnRemoveList();
    QCOMPARE(s.dlg.m_lists, (CListCollection{ThreeLists().at(0), ThreeLists().at(2)}));
    QCOMPARE(s.Entries(), QStringList({QStringLiteral("Groceries"), QStringLiteral("Tools")}));
    QCOMPARE(s.dlg.ListChooser()->currentIndex(), 0);
    QCOMPARE(s.dlg.m_nCurList, 0);
    QCOMPARE(s.Rows(), QStringList({QStringLiteral("bread"), QStringLiteral("milk")}));
    QM_VERIFY_PROMPTS(s.prompter);
}

void TestListSetupDlg::removingOnlyListLeavesNothingToActOn()
{
    Setup s(QuillmarkTest::Lists(QStringLiteral("Books: Dune")));
    s.prompter.ExpectQuestion(QStringLiteral("Are you sure you want to remove the list 'Books'?"), true);
    s.SelectItemRow(0);

    s.dlg.OnRemoveList();
    QVERIFY(s.dlg.m_lists.isEmpty());
    QCOMPARE(s.dlg.ListChooser()->count(), 0);
    QCOMPARE(s.dlg.ItemList()->topLevelItemCount(), 0);
    QCOMPARE(s.dlg.m_nCurList, -1);
    QM_VERIFY_PROMPTS(s.prompter);

    // None of these may ask anything or touch a list.
    s.dlg.OnAddItem();
    s.dlg.OnRemoveItem();
    s.dlg.OnEditList();
    s.dlg.OnEditItem();
    QVERIFY(s.dlg.m_lists.isEmpty());
    QM_VERIFY_PROMPTS(s.prompter);

    s.prompter.ExpectMessage(QStringLiteral("You must select a list to remove."));
    s.dlg.OnRemoveList();
    QM_VERIFY_PROMPTS(s.prompter);

    // A list added afterwards is there to work on.
    s.ExpectForm<CNewListDlg>(QStringLiteral("Films"));
    s.ExpectForm<CNewItemDlg>(QStringLiteral("Alien"));
    s.dlg.OnAddList();
    s.dlg.OnAddItem();
    QCOMPARE(s.dlg.m_lists.size(), 1);
    QCOMPARE(s.Rows(), QStringList{QStringLiteral("Alien")});
    QM_VERIFY_PROMPTS(s.prompter);
}

void TestListSetupDlg::itemsAddedInOrderAndEditedInPlace()
{
    // A done, undated item made long ago.
    const CalendarTime made = 1000000000; // 9 September 2001
    Setup s({QuillmarkTest::List(QStringLiteral("Fruit"), {QuillmarkTest::Item(QStringLiteral("soon")).Done().Time(made)})});

    QDateTime offered;
    s.prompter.ExpectDialog<CNewItemDlg>([&](CNewItemDlg &d) {
        offered = QDateTime(d.DateField()->date(), d.TimeField()->time());
        d.NameField()->setText(QStringLiteral("pear"));
        d.DatedBox()->setChecked(true);
        d.DateField()->setDate(QDate(2004, 2, 29));
        d.TimeField()->setTime(QTime(23, 59));
        d.OKButton()->click();
        return d.result();
    });
    s.prompter.ExpectDialog<CNewItemDlg>([](CNewItemDlg &d) {
        d.NameField()->setText(QStringLiteral("apple"));
        d.DateField()->setDate(QDate(2004, 2, 29)); // not dated: ignored
        d.OKButton()->click();
        return d.result();
    });
    s.ExpectForm<CNewItemDlg>(QStringLiteral("fig"));
    s.dlg.OnAddItem();
    // A new item starts from today at noon.
    QCOMPARE(offered, QDateTime(QDate(2021, 3, 2), QTime(12, 0, 0)));
    s.dlg.OnAddItem();
    s.dlg.OnAddItem();
    QCOMPARE(s.Rows(), QStringList({QStringLiteral("apple"), QStringLiteral("fig"), QStringLiteral("pear"),
                                    QStringLiteral("soon")}));
    QCOMPARE(s.dlg.m_lists.at(0).GetItem(1).m_nIcon, 5);
    QM_VERIFY_PROMPTS(s.prompter);

    const CListItem pear = s.dlg.m_lists.at(0).GetItem(2);
    QVERIFY(pear.m_bDated);
    LocalFields f;
    QVERIFY(CalendarTimeOps::ToLocal(pear.m_time, f));
    QCOMPARE(QDateTime(QDate(f.year, f.month, f.day), QTime(f.hour, f.minute, f.second)),
             QDateTime(QDate(2004, 2, 29), QTime(23, 59)));
    const CListItem apple = s.dlg.m_lists.at(0).GetItem(0);
    QVERIFY(!apple.m_bDated);
    QCOMPARE(apple.m_time, kNow);

    // Editing the undated, done item: the form offers its name and today at
    // noon; the item keeps its place, its mark and the time it was made.
    QString offeredName;
    offered = {};
    QString title;
    s.prompter.ExpectDialog<CNewItemDlg>([&](CNewItemDlg &d) {
        title = d.windowTitle();
        offeredName = d.NameField()->text();
        offered = QDateTime(d.DateField()->date(), d.TimeField()->time());
        d.NameField()->setText(QStringLiteral("almond"));
        d.PriceField()->setText(QStringLiteral("3.5"));
        d.OKButton()->click();
        return d.result();
    });
    s.SelectItemRow(3);
    s.dlg.OnEditItem();
    QCOMPARE(title, QStringLiteral("Change Item"));
    QCOMPARE(offeredName, QStringLiteral("soon"));
    QCOMPARE(offered, QDateTime(QDate(2021, 3, 2), QTime(12, 0, 0)));
    QCOMPARE(s.Rows(), QStringList({QStringLiteral("apple"), QStringLiteral("fig"), QStringLiteral("pear"),
                                    QStringLiteral("almond")}));
    QCOMPARE(s.Rows(1), QStringList({QString(), QString(), QString(), QStringLiteral("3.50")}));
    QCOMPARE(s.Rows(2), QStringList({QStringLiteral("No"), QStringLiteral("No"), QStringLiteral("No"),
                                     QStringLiteral("Yes")}));
    const CListItem almond = s.dlg.m_lists.at(0).GetItem(3);
    QVERIFY(almond.m_bDone);
    QVERIFY(!almond.m_bDated);
    QCOMPARE(almond.m_time, made);
    QCOMPARE(almond.m_dPrice, 3.5);
    QM_VERIFY_PROMPTS(s.prompter);
}

void TestListSetupDlg::removeItemAsksFirst()
{
    Setup s(ThreeLists());
    s.dlg.OnRemoveItem(); // no row chosen: nothing
    QM_VERIFY_PROMPTS(s.prompter);

    s.prompter.ExpectQuestion(QStringLiteral("Are you sure you want to remove the item 'milk'?"), false);
    s.prompter.ExpectQuestion(QStringLiteral("Are you sure you want to remove the item 'milk'?"), true);
    s.SelectItemRow(1);
    s.dlg.OnRemoveItem();
    QCOMPARE(s.Rows(), QStringList({QStringLiteral("bread"), QStringLiteral("milk")}));
    s.dlg.OnRemoveItem();
    QCOMPARE(s.Rows(), QStringList{QStringLiteral("bread")});
    QCOMPARE(s.dlg.m_lists.at(0).m_items.size(), 1);
    QCOMPARE(s.dlg.m_lists.at(1), ThreeLists().at(1));
    QM_VERIFY_PROMPTS(s.prompter);
}

void TestListSetupDlg::largerDialogGivesTheRoomToTheItems()
{
    Setup s(QuillmarkTest::Lists(QStringLiteral("Books: Dune")));
    const QRect items = s.dlg.ItemList()->geometry();
    const QRect ok = s.dlg.OKButton()->geometry();
    s.dlg.resize(s.dlg.width() + 200, s.dlg.height() + 150);
    QCOMPARE(s.dlg.ItemList()->geometry(), items.adjusted(0, 0, 200, 150));
    QCOMPARE(s.dlg.ItemList()->header()->sectionSize(0), 90 + 200);
    QCOMPARE(s.dlg.OKButton()->geometry(), ok.translated(100, 150));

    // The item row of buttons stays under the list: "add item" is 80
    // pixels above the bottom edge.
    s.ExpectForm<CNewItemDlg>(QString());
    QTest::mouseClick(s.dlg.windowHandle(), Qt::LeftButton, {}, QPoint(15, s.dlg.height() - 80));
    QM_VERIFY_PROMPTS(s.prompter);
}

void TestListSetupDlg::tapRunsTheButtonUnderIt_data()
{
    QTest::addColumn<QPoint>("tap");
    QTest::addColumn<QString>("form"); // the form the tap opens, or the question it asks
    QTest::addColumn<QString>("offered"); // the name the form starts with
    const QString list = QStringLiteral("list");
    const QString item = QStringLiteral("item");
    // The list row is at top 62, the item row at 268 - 80 = 188; buttons
    // are 20 pixels wide at lefts 15, 40 and 65, the same in both rows.
    QTest::newRow("add list, top left") << QPoint(15, 62) << list << QString();
    QTest::newRow("add list, bottom right") << QPoint(34, 81) << list << QString();
    QTest::newRow("one right of add list") << QPoint(35, 62) << QString() << QString();
    QTest::newRow("one left of add list") << QPoint(14, 62) << QString() << QString();
    QTest::newRow("one below add list") << QPoint(15, 82) << QString() << QString();
    QTest::newRow("remove list") << QPoint(40, 70)
                                 << QStringLiteral("Are you sure you want to remove the list 'Books'?") << QString();
    QTest::newRow("edit list") << QPoint(84, 62) << list << QStringLiteral("Books");
    QTest::newRow("add item") << QPoint(15, 188) << item << QString();
    QTest::newRow("above add item") << QPoint(15, 187) << QString() << QString();
    QTest::newRow("edit item") << QPoint(84, 207) << item << QStringLiteral("Dune");
}

void TestListSetupDlg::tapRunsTheButtonUnderIt()
{
    QFETCH(QPoint, tap);
    QFETCH(QString, form);
    QFETCH(QString, offered);
    Setup s(QuillmarkTest::Lists(QStringLiteral("Books: Dune")));
    QString offeredName = QStringLiteral("?");
    if (form == QLatin1String("list"))
        s.ExpectForm<CNewListDlg>(QString(), &offeredName);
    else if (form == QLatin1String("item"))
        s.ExpectForm<CNewItemDlg>(QString(), &offeredName);
    else if (!form.isEmpty())
        s.prompter.ExpectQuestion(form, false);

    s.SelectItemRow(0);
    // Through the window, as a real tap comes: whatever lies under the
    // point must let it through to the dialog.
    QuillmarkTest::ClickAt(&s.dlg, tap);
    QuillmarkTest::ClickAt(&s.dlg, tap, Qt::RightButton); // only the left button taps

    QCOMPARE(s.dlg.m_lists.size(), 1);
    if (form == QLatin1String("list") || form == QLatin1String("item"))
        QCOMPARE(offeredName, offered);
    QM_VERIFY_PROMPTS(s.prompter);
}

QUILLMARK_TEST_MAIN(TestListSetupDlg)
#include "tst_listsetupdlg.moc"
