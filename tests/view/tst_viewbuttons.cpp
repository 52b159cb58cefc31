#include "dialogs/ListSetupDlg.h"
#include "dialogs/NewItemDlg.h"
#include "res/ClientArea.h"
#include "res/ResourceIds.h"
#include "res/Strings.h"
#include "tests/testlib/QuillmarkTest.h"
#include "tests/view/ViewFixture.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>

using namespace ViewTest;

namespace {

constexpr int kBarTop = ClientArea::kHeight - ViewLook::kButtonBarRise;

} // namespace

Q_DECLARE_METATYPE(ViewTest::Shown)

class TestViewButtons : public QObject
{
    Q_OBJECT

private slots:
    void tapsOutsideTheButtonsDoNothing_data()
    {
        QTest::addColumn<QPoint>("at");
        QTest::newRow("x 28, the cross's right edge") << QPoint(28, kBarTop + 5);
        QTest::newRow("x 30, between two buttons") << QPoint(30, kBarTop + 5);
        QTest::newRow("x 7") << QPoint(7, kBarTop + 5);
        QTest::newRow("under the cross") << QPoint(8, kBarTop + 20);
        QTest::newRow("over the cross") << QPoint(8, kBarTop - 1);
        QTest::newRow("x 153") << QPoint(153, kBarTop + 5);
        QTest::newRow("the banner") << QPoint(10, 10);
    }

    void tapsOutsideTheButtonsDoNothing()
    {
        QFETCH(QPoint, at);
        Fixture f;
        MenuView &view = f.Start();
        QSignalSpy exits(&view, &CQuillmarkView::exitRequested);
        const QByteArray before = FileBytes(f.path);
        f.Select(f.ListNode(0));
        QTest::mouseClick(&view, Qt::LeftButton, {}, at);
        QCOMPARE(exits.size(), 0);
        QCOMPARE(view.timesShown, 0);
        QCOMPARE(f.Mode(), Shown::Tree);
        QCOMPARE(FileBytes(f.path), before);
        QM_VERIFY_PROMPTS(f.prompter);
    }

    // The cross, at both corners, and "Exit" from the menu ask to end (the
    // frame saves on the way out).
    void exitSavesAndAsksToEnd_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("cross, top left corner") << "corner";
        QTest::newRow("cross, bottom right corner") << "far corner";
        QTest::newRow("menu entry") << "menu";
    }

    void exitSavesAndAsksToEnd()
    {
        QFETCH(QString, how);
        Fixture f;
        MenuView &view = f.Start();
        QSignalSpy exits(&view, &CQuillmarkView::exitRequested);
        if (how == QLatin1String("corner"))
            QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(8, kBarTop));
        else if (how == QLatin1String("far corner"))
            QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(27, kBarTop + 19));
        else
            f.Choose(QStringLiteral("Exit"));
        QCOMPARE(exits.size(), 1);
        QM_VERIFY_PROMPTS(f.prompter);
    }

    // The entries in order with their command ids and, beside them, their
    // keys; the menu opens above the pencil.
    void menuHoldsTheCommandsInOrder()
    {
        Fixture f;
        MenuView &view = f.Start();
        f.Tap(33);
        QCOMPARE(view.timesShown, 1);
        QCOMPARE(view.entries,
                 (QStringList{QStringLiteral("About ... 57664"), QStringLiteral("View Lists... 32801 Ctrl+L"),
                              QStringLiteral("Edit Lists... 32772 Ctrl+Shift+L"), QStringLiteral("-"),
                              QStringLiteral("Configuration 32775"), QStringLiteral("-"),
                              QStringLiteral("Setup Import... 32855"), QStringLiteral("Import List... 32774 Ctrl+I"),
                              QStringLiteral("Export List... 32773 Ctrl+Shift+E"), QStringLiteral("-"),
                              QStringLiteral("Exit 57665 Ctrl+Q")}));
        QCOMPARE(view.shownAt, view.mapToGlobal(QPoint(58, kBarTop)));
        QCOMPARE(view.firstEntryActive, false); // a tap chooses nothing in advance
        QCOMPARE(f.Mode(), Shown::Tree); // dismissed: nothing ran
    }

    void aboutIsHandedToTheApplication()
    {
        Fixture f;
        MenuView &view = f.Start();
        QSignalSpy about(&view, &CQuillmarkView::aboutRequested);
        f.Choose(QStringLiteral("About ..."));
        QCOMPARE(about.size(), 1);
    }

    // "Export List..." names the list: in the tree the selected one (which
    // stays the current one afterwards), elsewhere the current one.
    void exportNamesTheList_data()
    {
        QTest::addColumn<int>("selectList"); // -2: nothing selected, -1: the root
        QTest::addColumn<int>("selectItem");
        QTest::addColumn<int>("list");
        QTest::newRow("nothing selected") << -2 << -1 << -1;
        QTest::newRow("root") << -1 << -1 << -1;
        QTest::newRow("item node") << 0 << 1 << -1;
        QTest::newRow("list node") << 2 << -1 << 2;
    }

    void exportNamesTheList()
    {
        QFETCH(int, selectList);
        QFETCH(int, selectItem);
        QFETCH(int, list);
        Fixture f;
        MenuView &view = f.Start();
        QSignalSpy exports(&view, &CQuillmarkView::exportRequested);
        if (selectList == -1)
            f.Select(f.Root());
        else if (selectList >= 0)
            f.Select(selectItem >= 0 ? f.ItemNode(selectList, selectItem) : f.ListNode(selectList));
        f.Choose(QStringLiteral("Export List..."));
        f.Choose(QStringLiteral("View Lists..."));
        QCOMPARE(exports.size(), 1);
        QCOMPARE(exports.at(0).at(0).toInt(), list);
        if (list >= 0)
            QVERIFY(f.ListNode(list)->isExpanded()); // the current list
        f.OpenList(1);
        f.Choose(QStringLiteral("Export List..."));
        QCOMPARE(exports.at(1).at(0).toInt(), 1);
    }

    void pencilInTheTreeOpensListSetup_data()
    {
        QTest::addColumn<int>("list"); // -1: the root selected; -2: nothing selected
        QTest::newRow("root") << -1;
        QTest::newRow("nothing selected") << -2;
        QTest::newRow("list 1") << 1;
    }

    void pencilInTheTreeOpensListSetup()
    {
        QFETCH(int, list);
        Fixture f;
        f.Start();
        const QByteArray before = FileBytes(f.path);
        if (list == -1)
            f.Select(f.Root());
        else if (list >= 0)
            f.Select(f.ListNode(list));
        int shownList = -99;
        CListCollection seenLists;
        f.prompter.ExpectDialog<CListSetupDlg>([&](CListSetupDlg &d) {
            shownList = d.m_nCurList; // the dialog shows the first list when given none
            seenLists = d.m_lists;
            d.CancelButton()->click();
            return d.result();
        });
        f.Tap(58);
        QM_VERIFY_PROMPTS(f.prompter);
        QCOMPARE(shownList, list < 0 ? 0 : list);
        QCOMPARE(seenLists, SampleLists());
        QCOMPARE(f.Lists(), SampleLists());
        QCOMPARE(FileBytes(f.path), before);
        QCOMPARE(f.History().count(), 0);
    }

    void listSetupOkTakesTheListsBackAndSaves()
    {
        Fixture f;
        f.Start();
        f.ToggleInTree(0, 2); // a tick made before is among the lists it gets
        CListCollection edited;
        f.prompter.ExpectDialog<CListSetupDlg>([&](CListSetupDlg &d) {
            [&] { QVERIFY(d.m_lists.at(0).m_items.at(2).m_bDone); }();
            d.m_lists.append(MakeList(QStringLiteral("New"), 9, {{QStringLiteral("x")}}));
            edited = d.m_lists;
            d.OKButton()->click();
            return d.result();
        });
        f.Choose(QStringLiteral("Edit Lists..."));
        QM_VERIFY_PROMPTS(f.prompter);
        QCOMPARE(f.Lists(), edited);
        QCOMPARE(ReadDataFile(f.path), edited);
        QCOMPARE(f.History().undoText(), QStringLiteral("List Setup"));
        QCOMPARE(f.Root()->childCount(), 4);
        QCOMPARE(f.ListNode(3)->text(0), QStringLiteral("New"));
    }

    void pencilOnAnItemNodeEditsTheItem()
    {
        Fixture f;
        f.Start();
        const CListItem old = SampleLists().at(1).m_items.at(0); // dated, done
        f.Select(f.ItemNode(1, 0));
        f.prompter.ExpectDialog<CNewItemDlg>([&](CNewItemDlg &d) {
            [&] {
                QCOMPARE(d.m_strName, old.m_strName);
                QVERIFY(d.m_bDated);
                QCOMPARE(d.m_date, old.m_time);
                QCOMPARE(d.m_time, old.m_time);
                QCOMPARE(d.m_nIcon, old.m_nIcon);
            }();
            d.NameField()->setText(QStringLiteral("Train tickets"));
            d.OKButton()->click();
            return d.result();
        });
        f.Tap(58);
        QM_VERIFY_PROMPTS(f.prompter);
        CListCollection expected = SampleLists();
        expected[1].m_items[0].SetName(QStringLiteral("Train tickets"));
        QCOMPARE(f.Lists(), expected); // done mark and time kept
        QCOMPARE(ReadDataFile(f.path), expected);
        QCOMPARE(f.History().undoText(), QStringLiteral("Edit 'Tickets'"));
        QCOMPARE(f.ItemNode(1, 0)->text(0), QStringLiteral("Train tickets"));
        QCOMPARE(f.Tree()->currentItem(), f.ItemNode(1, 0));
        QCOMPARE(f.Mode(), Shown::Tree);
    }

    void undatedItemFormStartsTodayAtNoon()
    {
        CalendarTimeOps::SetNowForTesting(LocalTime(2024, 5, 17, 8, 30));
        Fixture f;
        f.Start();
        f.Select(f.ItemNode(0, 0));
        CalendarTime shown = 0;
        f.prompter.ExpectDialog<CNewItemDlg>([&](CNewItemDlg &d) {
            shown = d.m_date;
            [&] { QCOMPARE(d.m_time, d.m_date); }();
            d.CancelButton()->click();
            return d.result();
        });
        f.Tap(58);
        CalendarTimeOps::ClearNowForTesting();
        QM_VERIFY_PROMPTS(f.prompter);
        QCOMPARE(shown, LocalTime(2024, 5, 17, 12, 0));
    }

    void twoSelectedRowsActOnTheLower()
    {
        Fixture f;
        f.Start();
        f.OpenList(0);
        f.SelectRows({2, 1});
        QString edited;
        f.prompter.ExpectDialog<CNewItemDlg>([&](CNewItemDlg &d) {
            edited = d.m_strName;
            d.CancelButton()->click();
            return d.result();
        });
        f.Tap(58);
        QM_VERIFY_PROMPTS(f.prompter);
        QCOMPARE(edited, QStringLiteral("Milk"));
        f.SelectRows({2, 1});
        f.Tap(83);
        QCOMPARE(f.ItemOnShow()->m_strName, QStringLiteral("Milk"));
    }

    void cancellingChangesNothingButRefillsTheTable_data()
    {
        QTest::addColumn<bool>("rowSelected"); // item form, else List Setup
        QTest::newRow("item form") << true;
        QTest::newRow("List Setup") << false;
    }

    void cancellingChangesNothingButRefillsTheTable()
    {
        QFETCH(bool, rowSelected);
        Fixture f;
        f.Start();
        const QByteArray before = FileBytes(f.path);
        f.OpenList(0);
        if (rowSelected) {
            f.SelectRows({1});
            f.prompter.ExpectDialog<CNewItemDlg>([](CNewItemDlg &d) {
                d.NameField()->setText(QStringLiteral("changed"));
                d.CancelButton()->click();
                return d.result();
            });
        } else {
            f.prompter.ExpectDialog<CListSetupDlg>([](CListSetupDlg &d) {
                d.m_lists.clear();
                d.CancelButton()->click();
                return d.result();
            });
        }
        QTreeWidgetItem *oldRow = f.Table()->topLevelItem(0);
        f.Tap(58);
        QM_VERIFY_PROMPTS(f.prompter);
        QCOMPARE(f.Lists(), SampleLists());
        QCOMPARE(FileBytes(f.path), before);
        QCOMPARE(f.History().count(), 0);
        QCOMPARE(f.Mode(), Shown::Items);
        QCOMPARE(f.Table()->topLevelItemCount(), 3);
        QVERIFY(f.Table()->topLevelItem(0) != oldRow); // filled again
        QVERIFY(f.Table()->selectedItems().isEmpty());
    }

    void itemFormOkInTheTableSavesAndRefills()
    {
        Fixture f;
        f.Start();
        f.OpenList(0);
        f.SelectRows({0});
        f.prompter.ExpectDialog<CNewItemDlg>([](CNewItemDlg &d) {
            d.PriceField()->setText(QStringLiteral("4.5"));
            d.OKButton()->click();
            return d.result();
        });
        f.Tap(58);
        QM_VERIFY_PROMPTS(f.prompter);
        QCOMPARE(f.Lists().at(0).m_items.at(0).m_dPrice, 4.5);
        QCOMPARE(ReadDataFile(f.path), f.Lists());
        QCOMPARE(f.Table()->topLevelItem(0)->text(1), QStringLiteral("4.50"));
    }

    void pencilInTheDetailsEditsThatItem()
    {
        Fixture f;
        f.Start();
        f.OpenItem(0, 2);
        f.prompter.ExpectDialog<CNewItemDlg>([](CNewItemDlg &d) {
            d.NameField()->setText(QStringLiteral("Sea salt"));
            d.OKButton()->click();
            return d.result();
        });
        f.Tap(58);
        QM_VERIFY_PROMPTS(f.prompter);
        QCOMPARE(f.ItemOnShow()->m_strName, QStringLiteral("Sea salt"));
        QCOMPARE(ReadDataFile(f.path), f.Lists());
    }

    void magnifierInTheTree_data()
    {
        QTest::addColumn<int>("list");
        QTest::addColumn<int>("item");
        QTest::addColumn<Shown>("shown");
        QTest::newRow("root") << -1 << -1 << Shown::Tree;
        QTest::newRow("list") << 1 << -1 << Shown::Items;
        QTest::newRow("item") << 1 << 1 << Shown::Item;
    }

    void magnifierInTheTree()
    {
        QFETCH(int, list);
        QFETCH(int, item);
        QFETCH(Shown, shown);
        Fixture f;
        f.Start();
        f.Select(list < 0 ? f.Root() : item < 0 ? f.ListNode(list) : f.ItemNode(list, item));
        f.Tap(83);
        QCOMPARE(f.Mode(), shown);
        if (shown == Shown::Items)
            QCOMPARE(f.Table()->topLevelItem(1)->text(0), QStringLiteral("Packing"));
        if (shown == Shown::Item)
            QCOMPARE(f.ItemOnShow()->m_strName, QStringLiteral("Packing"));
        f.Tap(shown == Shown::Item ? 133 : 108); // back leads to the tree
        QCOMPARE(f.Mode(), Shown::Tree);
    }

    void magnifierWithoutARowDoesNothing()
    {
        Fixture f;
        f.Start();
        f.OpenList(0);
        f.Tap(83);
        QCOMPARE(f.Mode(), Shown::Items);
    }

    // The tick of the details: twice gives the mark back, the tree follows
    // at once, and the file is written by neither.
    void detailTickFollowsInTheTreeAndSavesNothing()
    {
        Fixture f;
        f.Start();
        const QByteArray before = FileBytes(f.path);
        f.OpenItem(0, 1); // done
        f.Tap(83);
        QCOMPARE(f.Lists().at(0).m_items.at(1).m_bDone, false);
        QCOMPARE(f.Tree()->GetCheck(f.ItemNode(0, 1)), false);
        QCOMPARE(f.History().undoText(), QStringLiteral("Untick 'Milk'"));
        f.Tap(83);
        QCOMPARE(f.Lists(), SampleLists());
        QCOMPARE(f.Tree()->GetCheck(f.ItemNode(0, 1)), true);
        QCOMPARE(FileBytes(f.path), before);
    }

    void backButtons()
    {
        Fixture f;
        f.Start();
        // In the tree, 108 and 133 do nothing.
        f.Select(f.ListNode(0));
        f.Tap(108);
        f.Tap(133);
        QCOMPARE(f.Mode(), Shown::Tree);

        // tree -> list -> item -> back: the table, without a way further back.
        f.Tap(83);
        QCOMPARE(f.Mode(), Shown::Items);
        f.SelectRows({2});
        f.Tap(83);
        QCOMPARE(f.Mode(), Shown::Item);
        f.Tap(133);
        QCOMPARE(f.Mode(), Shown::Items);
        QVERIFY(f.Table()->isVisible());
        f.Tap(108); // not drawn now: only repaints
        QCOMPARE(f.Mode(), Shown::Items);
        f.Tap(133);
        QCOMPARE(f.Mode(), Shown::Items);
        f.Choose(QStringLiteral("View Lists..."));
        QCOMPARE(f.Mode(), Shown::Tree);
        QVERIFY(f.Tree()->isVisible());
        QVERIFY(!f.Table()->isVisible());

        // tree -> list -> back -> tree; tree -> item -> back -> tree.
        f.OpenList(1);
        f.Tap(108);
        QCOMPARE(f.Mode(), Shown::Tree);
        f.OpenItem(1, 0);
        f.Tap(133);
        QCOMPARE(f.Mode(), Shown::Tree);
    }

    // After List Setup removed what was shown, the view returns to the tree
    // (with its buttons) and nothing on show is left to act on.
    void listSetupRemovingWhatIsShown_data()
    {
        QTest::addColumn<bool>("itemShown");
        QTest::addColumn<int>("removeList");
        QTest::addColumn<Shown>("shown");
        QTest::newRow("item, its list removed") << true << 1 << Shown::Tree;
        QTest::newRow("table, its list removed") << false << 2 << Shown::Tree;
        QTest::newRow("item, a list before it removed") << true << 0 << Shown::Item;
        QTest::newRow("item, a list after it removed") << true << 2 << Shown::Item;
    }

    void listSetupRemovingWhatIsShown()
    {
        QFETCH(bool, itemShown);
        QFETCH(int, removeList);
        QFETCH(Shown, shown);
        CListCollection lists = SampleLists();
        lists.swapItemsAt(0, 1); // "Salt" of the groceries, now second
        Fixture f(lists);
        MenuView &view = f.Start();
        if (itemShown)
            f.OpenItem(1, 2);
        else
            f.OpenList(2);
        f.prompter.ExpectDialog<CListSetupDlg>([&](CListSetupDlg &d) {
            d.m_lists.removeAt(removeList);
            d.OKButton()->click();
            return d.result();
        });
        f.Choose(QStringLiteral("Edit Lists..."));
        QM_VERIFY_PROMPTS(f.prompter);
        QCOMPARE(f.Lists().size(), 2);
        QCOMPARE(ReadDataFile(f.path), f.Lists());
        QCOMPARE(f.Mode(), shown);
        if (shown == Shown::Item) // the item of the same list, wherever it is now
            QCOMPARE(f.ItemOnShow()->m_strName, QStringLiteral("Salt"));
        // Buttons are there to go on with.
        const QImage shot = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage cross = [] {
            QImage i(20, 20, QImage::Format_RGB32);
            i.fill(Qt::white);
            QPainter p(&i);
            p.drawPixmap(0, 0, Art::Bitmap(Res::IDB_EXIT));
            return i;
        }();
        QCOMPARE(shot.copy(8, kBarTop, 20, 20), cross);
        // Tapping the tick cannot reach a vanished item.
        f.Tap(83);
        QCOMPARE(f.History().count(), shown == Shown::Item ? 2 : 1);
    }

    void tapsBeforeSetUpAreIgnored()
    {
        CQuillmarkDoc doc;
        CQuillmarkView view(doc);
        QSignalSpy exits(&view, &CQuillmarkView::exitRequested);
        QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(10, kBarTop + 5));
        QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(60, kBarTop + 5));
        QCOMPARE(exits.size(), 0);
        QCOMPARE(view.findChild<QTreeWidget *>(), nullptr);
    }
};

QUILLMARK_TEST_MAIN(TestViewButtons)
#include "tst_viewbuttons.moc"
