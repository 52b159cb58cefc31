#include "dialogs/ListSetupDlg.h"
#include "dialogs/NewItemDlg.h"
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

constexpr int kBarTop = 268 - 25;

// A view whose pop-up menu is answered by the test: it records what the menu
// held and where it would have opened, and picks an entry by its text.
class MenuView : public CQuillmarkView
{
public:
    QString choose; // the entry to pick; empty: dismiss the menu
    QStringList shownEntries;
    QPoint shownAt;
    int timesShown = 0;

protected:
    int RunPopupMenu(QMenu &menu, const QPoint &globalPos) override
    {
        ++timesShown;
        shownAt = globalPos;
        shownEntries.clear();
        int command = 0;
        for (const QAction *action : menu.actions()) {
            if (action->isSeparator()) {
                shownEntries << QStringLiteral("-");
                continue;
            }
            shownEntries << QStringLiteral("%1 %2").arg(action->text()).arg(action->data().toInt());
            if (action->text() == choose)
                command = action->data().toInt();
        }
        return command;
    }
};

QList<bool> DoneMarks(const CListItemArray &list)
{
    QList<bool> marks;
    for (const CListItem &item : list.m_items)
        marks << item.m_bDone;
    return marks;
}

} // namespace

class ViewButtonsTest : public QObject
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
        Fixture<MenuView> f;
        MenuView &view = f.Start();
        QSignalSpy exits(&view, &CQuillmarkView::exitRequested);
        const QByteArray before = FileBytes(f.path);
        f.Select(f.ListNode(0));
        QTest::mouseClick(&view, Qt::LeftButton, {}, at);
        QCOMPARE(exits.size(), 0);
        QCOMPARE(view.timesShown, 0);
        QCOMPARE(view.Mode(), int(CQuillmarkView::modeTree));
        QCOMPARE(FileBytes(f.path), before);
        QM_VERIFY_PROMPTS(f.prompter);
    }

    // The cross, "Exit" from the menu and the command itself: all save
    // (ticks included) and ask to end.
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
        Fixture<MenuView> f;
        MenuView &view = f.Start();
        QSignalSpy exits(&view, &CQuillmarkView::exitRequested);
        view.Tree()->SetCheck(f.ItemNode(1, 1), true);
        if (how == QLatin1String("corner")) {
            QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(8, kBarTop));
        } else if (how == QLatin1String("far corner")) {
            QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(27, kBarTop + 19));
        } else {
            view.choose = QStringLiteral("Exit");
            f.Tap(33);
            QCOMPARE(view.timesShown, 1);
        }
        QCOMPARE(exits.size(), 1);
        CListCollection expected = SampleLists();
        expected[1].m_items[1].m_bDone = true;
        QCOMPARE(view.Lists(), expected);
        QCOMPARE(ReadDataFile(f.path), expected);
        QM_VERIFY_PROMPTS(f.prompter);
    }

    void failedSaveAtExitKeepsTheProgramOpen()
    {
        Fixture f;
        const QString folder = f.dir.filePath(QStringLiteral("lists"));
        QVERIFY(QDir().mkpath(folder));
        f.path = folder + QStringLiteral("/Quillmark.dat");
        QVERIFY(WriteDataFile(f.path, SampleLists()));
        CQuillmarkView &view = f.Start();
        QSignalSpy exits(&view, &CQuillmarkView::exitRequested);
        // The folder turns into a file: no save can succeed there.
        QVERIFY(QDir(folder).removeRecursively());
        {
            QFile blocker(folder);
            QVERIFY(blocker.open(QIODevice::WriteOnly));
        }
        CDataStore probe(f.path);
        QVERIFY(!probe.Save({}));
        const QString message = Str::SaveFailed(f.path, probe.ErrorString());
        f.prompter.ExpectMessage(message);
        f.Tap(8);
        QCOMPARE(exits.size(), 0);
        // Each try tells the user again.
        f.prompter.ExpectMessage(message);
        QVERIFY(!view.SaveAndExit());
        QCOMPARE(exits.size(), 0);
        QM_VERIFY_PROMPTS(f.prompter);
        QCOMPARE(view.Lists(), SampleLists()); // nothing lost in memory
    }

    void menuHoldsTheCommandsInOrder()
    {
        Fixture<MenuView> f;
        MenuView &view = f.Start();
        f.Tap(33);
        QCOMPARE(view.timesShown, 1);
        QCOMPARE(view.shownEntries,
                 (QStringList{QStringLiteral("About ... 57664"), QStringLiteral("View Lists... 32801"),
                              QStringLiteral("Edit Lists... 32772"), QStringLiteral("-"),
                              QStringLiteral("Configuration 32775"), QStringLiteral("-"),
                              QStringLiteral("Setup Import... 32855"), QStringLiteral("Import List... 32774"),
                              QStringLiteral("Export List... 32773"), QStringLiteral("-"), QStringLiteral("Exit 57665")}));
        QCOMPARE(view.shownAt, view.mapToGlobal(QPoint(58, kBarTop)));
        QCOMPARE(view.Mode(), int(CQuillmarkView::modeTree)); // dismissed: nothing ran
    }

    void aboutIsHandedToTheApplication()
    {
        Fixture<MenuView> f;
        MenuView &view = f.Start();
        QSignalSpy about(&view, &CQuillmarkView::aboutRequested);
        view.choose = QStringLiteral("About ...");
        f.Tap(33);
        QCOMPARE(about.size(), 1);
        QVERIFY(view.OnCommand(Res::ID_APP_ABOUT));
        QCOMPARE(about.size(), 2);
        QVERIFY(!view.OnCommand(12345));
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
        CQuillmarkView &view = f.Start();
        const QByteArray before = FileBytes(f.path);
        if (list == -1)
            f.Select(view.RootItem());
        else if (list >= 0)
            f.Select(f.ListNode(list));
        int seenCurList = -99;
        int shownList = -99;
        CListCollection seenLists;
        f.prompter.ExpectDialog<CListSetupDlg>([&](CListSetupDlg &d) {
            seenCurList = view.CurList();
            shownList = d.m_nCurList; // the dialog shows the first list when given none
            seenLists = d.m_lists;
            d.CancelButton()->click();
            return d.result();
        });
        f.Tap(58);
        QM_VERIFY_PROMPTS(f.prompter);
        QCOMPARE(seenCurList, list < 0 ? -1 : list);
        QCOMPARE(shownList, list < 0 ? 0 : list);
        QCOMPARE(seenLists, SampleLists());
        QCOMPARE(view.Lists(), SampleLists());
        QCOMPARE(FileBytes(f.path), before);
    }

    void listSetupOkTakesTheListsBackAndSaves()
    {
        Fixture f;
        CQuillmarkView &view = f.Start();
        view.Tree()->SetCheck(f.ItemNode(0, 2), true); // harvested before the dialog
        CListCollection edited;
        f.prompter.ExpectDialog<CListSetupDlg>([&](CListSetupDlg &d) {
            [&] { QCOMPARE(DoneMarks(d.m_lists.at(0)), (QList<bool>{false, true, true})); }();
            d.m_lists.append(MakeList(QStringLiteral("New"), 9, {{QStringLiteral("x")}}));
            edited = d.m_lists;
            d.OKButton()->click();
            return d.result();
        });
        QVERIFY(view.OnCommand(Res::ID_EDIT_LISTS));
        QM_VERIFY_PROMPTS(f.prompter);
        QCOMPARE(view.Lists(), edited);
        QCOMPARE(ReadDataFile(f.path), edited);
        QCOMPARE(view.RootItem()->childCount(), 4);
        QCOMPARE(f.ListNode(3)->text(0), QStringLiteral("New"));
    }

    void pencilOnAnItemNodeEditsTheItem()
    {
        Fixture f;
        CQuillmarkView &view = f.Start();
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
        QCOMPARE(view.Lists(), expected); // done mark and time kept
        QCOMPARE(ReadDataFile(f.path), expected);
        QCOMPARE(f.ItemNode(1, 0)->text(0), QStringLiteral("Train tickets"));
        QVERIFY(f.ListNode(1)->isExpanded());
        QCOMPARE(view.Mode(), int(CQuillmarkView::modeTree));
    }

    void undatedItemFormStartsTodayAtNoon()
    {
        CalendarTimeOps::SetNowForTesting(LocalTime(2024, 5, 17, 8, 30));
        Fixture f;
        CQuillmarkView &view = f.Start();
        f.Select(f.ItemNode(0, 0));
        CalendarTime shown = 0;
        f.prompter.ExpectDialog<CNewItemDlg>([&](CNewItemDlg &d) {
            shown = d.m_date;
            [&] { QCOMPARE(d.m_time, d.m_date); }();
            d.CancelButton()->click();
            return d.result();
        });
        view.EditSelection();
        CalendarTimeOps::ClearNowForTesting();
        QM_VERIFY_PROMPTS(f.prompter);
        QCOMPARE(shown, LocalTime(2024, 5, 17, 12, 0));
    }

    void twoSelectedRowsActOnTheLower()
    {
        Fixture f;
        CQuillmarkView &view = f.Start();
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
        QCOMPARE(view.CurItem(), 1);
        f.SelectRows({2, 1});
        f.Tap(83);
        QCOMPARE(view.Mode(), int(CQuillmarkView::modeItem));
        QCOMPARE(view.CurItem(), 1);
        QCOMPARE(view.PrevMode(), int(CQuillmarkView::modeItems));
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
        CQuillmarkView &view = f.Start();
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
        QTreeWidgetItem *oldRow = view.ItemTable()->topLevelItem(0);
        f.Tap(58);
        QM_VERIFY_PROMPTS(f.prompter);
        QCOMPARE(view.Lists(), SampleLists());
        QCOMPARE(FileBytes(f.path), before);
        QCOMPARE(view.Mode(), int(CQuillmarkView::modeItems));
        QCOMPARE(view.ItemTable()->topLevelItemCount(), 3);
        QVERIFY(view.ItemTable()->topLevelItem(0) != oldRow); // filled again
        QVERIFY(view.ItemTable()->selectedItems().isEmpty());
    }

    void itemFormOkInTheTableSavesAndRefills()
    {
        Fixture f;
        CQuillmarkView &view = f.Start();
        f.OpenList(0);
        f.SelectRows({0});
        f.prompter.ExpectDialog<CNewItemDlg>([](CNewItemDlg &d) {
            d.PriceField()->setText(QStringLiteral("4.5"));
            d.OKButton()->click();
            return d.result();
        });
        f.Tap(58);
        QM_VERIFY_PROMPTS(f.prompter);
        QCOMPARE(view.Lists().at(0).m_items.at(0).m_dPrice, 4.5);
        QCOMPARE(ReadDataFile(f.path), view.Lists());
        QCOMPARE(view.ItemTable()->topLevelItem(0)->text(1), QStringLiteral("4.50"));
        QCOMPARE(view.GetListTotal(), 6.75);
    }

    void pencilInTheDetailsEditsThatItem()
    {
        Fixture f;
        CQuillmarkView &view = f.Start();
        f.Select(f.ItemNode(0, 2));
        view.OpenSelection();
        f.prompter.ExpectDialog<CNewItemDlg>([](CNewItemDlg &d) {
            d.NameField()->setText(QStringLiteral("Sea salt"));
            d.OKButton()->click();
            return d.result();
        });
        f.Tap(58);
        QM_VERIFY_PROMPTS(f.prompter);
        QCOMPARE(view.Mode(), int(CQuillmarkView::modeItem));
        QCOMPARE(view.Lists().at(0).m_items.at(2).m_strName, QStringLiteral("Sea salt"));
        QCOMPARE(ReadDataFile(f.path), view.Lists());
    }

    void magnifierInTheTree_data()
    {
        QTest::addColumn<int>("list");
        QTest::addColumn<int>("item");
        QTest::addColumn<int>("mode");
        QTest::newRow("root") << -1 << -1 << int(CQuillmarkView::modeTree);
        QTest::newRow("list") << 1 << -1 << int(CQuillmarkView::modeItems);
        QTest::newRow("item") << 1 << 1 << int(CQuillmarkView::modeItem);
    }

    void magnifierInTheTree()
    {
        QFETCH(int, list);
        QFETCH(int, item);
        QFETCH(int, mode);
        Fixture f;
        CQuillmarkView &view = f.Start();
        f.OpenList(0); // leaves a current list behind
        view.OnViewLists();
        QCOMPARE(view.CurList(), 0);
        f.Select(list < 0 ? view.RootItem() : item < 0 ? f.ListNode(list) : f.ItemNode(list, item));
        f.Tap(83);
        QCOMPARE(view.Mode(), mode);
        QCOMPARE(view.CurList(), list);
        QCOMPARE(view.CurItem(), item);
        QCOMPARE(view.PrevMode(), int(CQuillmarkView::modeTree));
        QCOMPARE(view.Tree()->isVisible(), mode == CQuillmarkView::modeTree);
        QCOMPARE(view.ItemTable()->isVisible(), mode == CQuillmarkView::modeItems);
    }

    void magnifierWithoutARowDoesNothing()
    {
        Fixture f;
        CQuillmarkView &view = f.Start();
        f.OpenList(0);
        f.Tap(83);
        QCOMPARE(view.Mode(), int(CQuillmarkView::modeItems));
        QCOMPARE(view.CurItem(), -1);
    }

    void tickTwiceRestoresTheMarkAndDoesNotSave()
    {
        Fixture f;
        CQuillmarkView &view = f.Start();
        const QByteArray before = FileBytes(f.path);
        f.Select(f.ItemNode(0, 1)); // done
        view.OpenSelection();
        f.Tap(83);
        QCOMPARE(view.Lists().at(0).m_items.at(1).m_bDone, false);
        QCOMPARE(view.Tree()->GetCheck(f.ItemNode(0, 1)), false);
        f.Tap(83);
        QCOMPARE(view.Lists(), SampleLists());
        QCOMPARE(view.Tree()->GetCheck(f.ItemNode(0, 1)), true);
        QCOMPARE(FileBytes(f.path), before);
    }

    // Mended: the tick in the details reaches the tree, so neither a harvest
    // nor a save undoes it.
    void doneToggleSurvivesTheNextSave()
    {
        Fixture f;
        CQuillmarkView &view = f.Start();
        f.Select(f.ItemNode(0, 0));
        view.OpenSelection();
        f.Tap(83);
        QVERIFY(view.Lists().at(0).m_items.at(0).m_bDone);
        QVERIFY(view.SaveDataFile());
        QVERIFY(ReadDataFile(f.path).at(0).m_items.at(0).m_bDone);
        f.Tap(133); // back to the tree
        QVERIFY(view.Tree()->GetCheck(f.ItemNode(0, 0)));
    }

    // Mended: "View Lists..." keeps the marks ticked in the tree.
    void viewListsKeepsTicks()
    {
        Fixture f;
        CQuillmarkView &view = f.Start();
        view.Tree()->SetCheck(f.ItemNode(0, 0), true);
        view.OnViewLists();
        QVERIFY(view.Tree()->GetCheck(f.ItemNode(0, 0)));
        QVERIFY(view.Lists().at(0).m_items.at(0).m_bDone);
    }

    void backButtons()
    {
        Fixture f;
        CQuillmarkView &view = f.Start();
        // In the tree, 108 and 133 do nothing.
        f.Select(f.ListNode(0));
        f.Tap(108);
        f.Tap(133);
        QCOMPARE(view.Mode(), int(CQuillmarkView::modeTree));
        QCOMPARE(view.CurList(), -1);

        // tree -> list -> item -> back: the table, without a way further back.
        f.Tap(83);
        QCOMPARE(view.Mode(), int(CQuillmarkView::modeItems));
        f.SelectRows({2});
        f.Tap(83);
        QCOMPARE(view.Mode(), int(CQuillmarkView::modeItem));
        f.Tap(133);
        QCOMPARE(view.Mode(), int(CQuillmarkView::modeItems));
        QCOMPARE(view.PrevMode(), -1);
        QVERIFY(view.ItemTable()->isVisible());
        f.Tap(108); // not drawn now: only repaints
        QCOMPARE(view.Mode(), int(CQuillmarkView::modeItems));
        f.Tap(133);
        QCOMPARE(view.Mode(), int(CQuillmarkView::modeItems));
        view.OnCommand(Res::ID_VIEW_LISTS);
        QCOMPARE(view.Mode(), int(CQuillmarkView::modeTree));
        QVERIFY(view.Tree()->isVisible());
        QVERIFY(!view.ItemTable()->isVisible());

        // tree -> list -> back -> tree; tree -> item -> back -> tree.
        f.OpenList(1);
        f.Tap(108);
        QCOMPARE(view.Mode(), int(CQuillmarkView::modeTree));
        QCOMPARE(view.PrevMode(), -1);
        f.Select(f.ItemNode(1, 0));
        f.Tap(83);
        f.Tap(133);
        QCOMPARE(view.Mode(), int(CQuillmarkView::modeTree));
    }

    // Mended: after List Setup removed what was shown, the view returns to
    // the tree (with its buttons) and forgets the indexes that name nothing.
    void listSetupRemovingWhatIsShown_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("removeList");
        QTest::addColumn<int>("expectMode");
        QTest::addColumn<int>("expectList");
        QTest::addColumn<int>("expectItem");
        QTest::newRow("item, its list removed")
                << int(CQuillmarkView::modeItem) << 0 << int(CQuillmarkView::modeTree) << 0 << -1;
        QTest::newRow("table, its list removed")
                << int(CQuillmarkView::modeItems) << 2 << int(CQuillmarkView::modeTree) << -1 << -1;
        QTest::newRow("item, another list removed")
                << int(CQuillmarkView::modeItem) << 2 << int(CQuillmarkView::modeItem) << 0 << 2;
    }

    void listSetupRemovingWhatIsShown()
    {
        QFETCH(int, mode);
        QFETCH(int, removeList);
        QFETCH(int, expectMode);
        QFETCH(int, expectList);
        QFETCH(int, expectItem);
        Fixture f;
        CQuillmarkView &view = f.Start();
        if (mode == CQuillmarkView::modeItem) {
            f.Select(f.ItemNode(0, 2)); // "Salt"; list 1 has two items only
            view.OpenSelection();
        } else {
            f.OpenList(2);
        }
        f.prompter.ExpectDialog<CListSetupDlg>([&](CListSetupDlg &d) {
            d.m_lists.removeAt(removeList);
            d.OKButton()->click();
            return d.result();
        });
        view.OnCommand(Res::ID_EDIT_LISTS);
        QM_VERIFY_PROMPTS(f.prompter);
        QCOMPARE(view.Lists().size(), 2);
        QCOMPARE(ReadDataFile(f.path), view.Lists());
        QCOMPARE(view.Mode(), expectMode);
        QCOMPARE(view.CurList(), expectList);
        QCOMPARE(view.CurItem(), expectItem);
        if (expectMode == CQuillmarkView::modeTree) {
            QVERIFY(view.Tree()->isVisible());
            QCOMPARE(view.PrevMode(), -1);
        }
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
        // Tapping the tick or the pencil cannot reach a vanished item.
        f.Tap(83);
        QCOMPARE(view.Lists().size(), 2);
    }

    void editingAfterTheItemVanishedDoesNothing()
    {
        Fixture f;
        CQuillmarkView &view = f.Start();
        f.Select(f.ItemNode(0, 2));
        view.OpenSelection();
        f.prompter.ExpectDialog<CListSetupDlg>([](CListSetupDlg &d) {
            d.m_lists[0].m_items.removeLast();
            d.OKButton()->click();
            return d.result();
        });
        view.OnEditLists();
        QCOMPARE(view.Mode(), int(CQuillmarkView::modeTree));
        const QByteArray before = FileBytes(f.path);
        view.EditCurrentItem(); // no current item: no dialog
        view.ToggleDone();
        QM_VERIFY_PROMPTS(f.prompter);
        QCOMPARE(FileBytes(f.path), before);
    }

    void tapsBeforeSetUpAreIgnored()
    {
        CQuillmarkView view;
        QSignalSpy exits(&view, &CQuillmarkView::exitRequested);
        view.HandleTap(10, kBarTop + 5);
        view.HandleTap(60, kBarTop + 5);
        QCOMPARE(exits.size(), 0);
        QVERIFY(!view.IsReady());
    }
};

QUILLMARK_TEST_MAIN(ViewButtonsTest)
#include "ViewButtonsTest.moc"
