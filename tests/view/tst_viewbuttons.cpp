#include "dialogs/ListSetupDlg.h"
#include "dialogs/NewItemDlg.h"
#include "document/ListsModel.h"
#include "res/ClientArea.h"
#include "tests/testlib/QuillmarkTest.h"
#include "tests/view/ViewFixture.h"

#include <QAccessible>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>

using namespace ViewTest;

Q_DECLARE_METATYPE(ViewTest::Shown)

class TestViewButtons : public QObject
{
    Q_OBJECT

private slots:
    // A tap acts only on a button's face, its edge pixels included (the
    // edges on every side are List Setup's test of the same buttons), and
    // nothing over the button row takes it.
    void tapsHitOnlyTheButtonFaces_data()
    {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<bool>("exits");
        const QRect cross = ViewLook::ButtonRect(0, ClientArea::kHeight);
        const QRect last = ViewLook::ButtonRect(ViewLook::kButtonCount - 1, ClientArea::kHeight);
        QTest::newRow("cross, top left corner") << cross.topLeft() << true;
        QTest::newRow("cross, bottom right corner") << cross.bottomRight() << true;
        QTest::newRow("right of the cross") << cross.topRight() + QPoint(1, 0) << false;
        QTest::newRow("right of the last button") << last.topRight() + QPoint(1, 5) << false;
        QTest::newRow("the banner") << QPoint(10, 10) << false;
    }

    void tapsHitOnlyTheButtonFaces()
    {
        QFETCH(QPoint, at);
        QFETCH(bool, exits);
        Fixture f;
        MenuView &view = f.Start();
        QSignalSpy exited(&view, &CQuillmarkView::exitRequested);
        const QByteArray before = FileBytes(f.path);
        f.Select(f.ListNode(0));
        QuillmarkTest::ClickAt(&view, at);
        QCOMPARE(exited.size(), exits ? 1 : 0);
        QCOMPARE(view.timesShown, 0);
        QCOMPARE(f.Mode(), Shown::Tree);
        QCOMPARE(FileBytes(f.path), before);
        QM_VERIFY_PROMPTS(f.prompter);
    }

    // A screen reader finds the item screen's buttons by name, with their
    // keys as description, and pressing one runs its command: the tick of
    // the details, which the tree follows at once and which writes nothing.
    void screenReaderFindsAndPressesTheButtons()
    {
        Fixture f;
        MenuView &view = f.Start();
        const QByteArray before = FileBytes(f.path);
        f.OpenItem(0, 1); // Milk, done
        QAccessibleInterface *viewInterface = QAccessible::queryAccessibleInterface(&view);
        QVERIFY(viewInterface);
        QStringList buttons;
        QAccessibleInterface *tick = nullptr;
        for (int i = 0; i < viewInterface->childCount(); ++i) {
            QAccessibleInterface *child = viewInterface->child(i);
            if (child->role() != QAccessible::Button || child->state().invisible)
                continue;
            buttons << child->text(QAccessible::Name) + QStringLiteral(" | ") + child->text(QAccessible::Description);
            if (child->text(QAccessible::Name) == QLatin1String("Done or not done"))
                tick = child;
        }
        QCOMPARE(buttons, (QStringList{QStringLiteral("Exit | Exit (Ctrl+Q)"),
                                       QStringLiteral("Menu | Menu (Shift+F10, Alt+M)"),
                                       QStringLiteral("Edit | Change this item (F2, Ctrl+E)"),
                                       QStringLiteral("Done or not done | Done or not done (Ctrl+D)"),
                                       QStringLiteral("Hand over to calendar or tasks | Hand over to calendar or tasks (Ctrl+T)"),
                                       QStringLiteral("Back | Back (Backspace, Alt+Left, Alt+Up)")}));
        QVERIFY(tick && tick->actionInterface());
        // Pressed as a click is animated.
        tick->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTRY_COMPARE(f.Lists().at(0).m_items.at(1).m_bDone, false);
        QCOMPARE(CTreeOptionsCtrl::GetCheck(f.ItemNode(0, 1)), false);
        QCOMPARE(f.History().count(), 1);
        f.Run("ToggleDone");
        QCOMPARE(f.Lists(), SampleLists());
        QCOMPARE(FileBytes(f.path), before);
    }

    // The entries in order with, beside them, their keys; the menu opens
    // above the pencil.
    void menuShowsItsCommandsAndHandsAboutOn()
    {
        Fixture f;
        MenuView &view = f.Start();
        f.Run("Menu");
        QCOMPARE(view.timesShown, 1);
        QCOMPARE(view.entries.join(u'|'), QStringLiteral("&About Quillmark|&View Lists... Ctrl+L|Edi&t Lists... Ctrl+Shift+L|-|"
                                                          "&Configuration|-|&Setup Import...|&Import List... Ctrl+I|"
                                                          "&Export List... Ctrl+Shift+E|-|E&xit Ctrl+Q"));
        QCOMPARE(view.shownAt, view.mapToGlobal(ViewLook::ButtonRect(2, view.height()).topLeft()));
        QCOMPARE(view.firstEntryActive, false); // a tap chooses nothing in advance
        QCOMPARE(f.Mode(), Shown::Tree); // dismissed: nothing ran

        // "&About Quillmark" is the application's to run (as is "Exit", the window's
        // test).
        QSignalSpy about(&view, &CQuillmarkView::aboutRequested);
        f.Choose(QStringLiteral("&About Quillmark"));
        QCOMPARE(about.size(), 1);
        QM_VERIFY_PROMPTS(f.prompter);
    }

    // What the pencil, the magnifier and "Export List..." each do with the
    // tree's selection, each from a fresh start: the pencil opens List Setup
    // on the selected list (the first for the root or nothing; the item form
    // is pencilEditsTheItem's); the magnifier opens the list or the item,
    // whose back button leads to the tree; the export names the selected
    // list, which becomes the current one.
    void treeSelection_data()
    {
        QTest::addColumn<int>("list"); // -1: the root selected; -2: nothing selected
        QTest::addColumn<int>("item");
        QTest::addColumn<int>("setupList"); // -1: the item form
        QTest::addColumn<Shown>("opens");
        QTest::addColumn<int>("exported");
        QTest::newRow("nothing selected") << -2 << -1 << 0 << Shown::Tree << -1;
        QTest::newRow("root") << -1 << -1 << 0 << Shown::Tree << -1;
        QTest::newRow("list 1") << 1 << -1 << 1 << Shown::Items << 1;
        QTest::newRow("item 1 of list 1") << 1 << 1 << -1 << Shown::Item << -1;
    }

    void treeSelection()
    {
        QFETCH(int, list);
        QFETCH(int, item);
        QFETCH(int, setupList);
        QFETCH(Shown, opens);
        QFETCH(int, exported);
        const auto start = [&](Fixture<> &f) {
            f.Start();
            if (list == -1)
                f.Select(f.Root());
            else if (list >= 0)
                f.Select(item < 0 ? f.ListNode(list) : f.ItemNode(list, item));
        };
        if (setupList >= 0) {
            Fixture f;
            start(f);
            int shownList = -99;
            CListCollection seenLists;
            f.prompter.ExpectDialog<CListSetupDlg>([&](CListSetupDlg &d) {
                shownList = d.m_nCurList; // the dialog shows the first list when given none
                seenLists = d.m_lists;
                d.CancelButton()->click();
                return d.result();
            });
            f.Run("Edit");
            QM_VERIFY_PROMPTS(f.prompter);
            QCOMPARE(shownList, setupList);
            QCOMPARE(seenLists, SampleLists());
        }
        {
            Fixture f;
            start(f);
            f.Run("Open");
            QCOMPARE(f.Mode(), opens);
            if (opens == Shown::Items)
                QCOMPARE(f.TableRow(1).data().toString(), QStringLiteral("Packing"));
            if (opens == Shown::Item)
                QCOMPARE(f.ItemOnShow()->m_strName, QStringLiteral("Packing"));
            f.Run("Back"); // back leads to the tree
            QCOMPARE(f.Mode(), Shown::Tree);
            QVERIFY(f.Table()->isHidden()); // not left under the tree
        }
        Fixture f;
        start(f);
        QSignalSpy exports(f.view.get(), &CQuillmarkView::exportRequested);
        f.Run("Export");
        f.Run("ViewLists");
        QCOMPARE(exports.size(), 1);
        QCOMPARE(exports.at(0).at(0).toInt(), exported);
        if (exported >= 0)
            QVERIFY(f.Expanded(f.ListNode(exported))); // the current list
    }

    // The pencil on an item, in the tree, the table or its details: the form
    // shows the item (an undated one from today at noon); OK saves the
    // change and shows it where the pencil was.
    void pencilEditsTheItem_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<int>("list");
        QTest::addColumn<int>("item");
        QTest::addColumn<qint64>("formDate");
        const CalendarTime todayAtNoon = Local(2024, 5, 17, 12, 0);
        QTest::newRow("tree, dated and done") << "tree" << 1 << 0 << Local(2002, 3, 7, 13, 15);
        QTest::newRow("table, undated") << "table" << 0 << 0 << todayAtNoon;
        QTest::newRow("details, undated") << "details" << 0 << 2 << todayAtNoon;
    }

    void pencilEditsTheItem()
    {
        QFETCH(QString, where);
        QFETCH(int, list);
        QFETCH(int, item);
        QFETCH(qint64, formDate);
        CalendarTimeOps::SetNowForTesting(Local(2024, 5, 17, 8, 30));
        const auto clearNow = qScopeGuard([] { CalendarTimeOps::ClearNowForTesting(); });
        Fixture f;
        f.Start();
        const CListItem old = SampleLists().at(list).m_items.at(item);
        if (where == QLatin1String("tree")) {
            f.Select(f.ItemNode(list, item));
        } else if (where == QLatin1String("table")) {
            f.OpenList(list);
            f.SelectRows({item});
        } else {
            f.OpenItem(list, item);
        }
        const Shown mode = f.Mode();
        f.prompter.ExpectDialog<CNewItemDlg>([&](CNewItemDlg &d) {
            [&] {
                QCOMPARE(d.m_strName, old.m_strName);
                QCOMPARE(d.m_bDated, old.m_bDated);
                QCOMPARE(d.m_date, formDate);
                QCOMPARE(d.m_time, formDate);
                QCOMPARE(d.m_nIcon, old.m_nIcon);
            }();
            d.NameField()->setText(QStringLiteral("Changed"));
            d.OKButton()->click();
            return d.result();
        });
        f.Run("Edit");
        QM_VERIFY_PROMPTS(f.prompter);
        CListCollection expected = SampleLists();
        expected[list].m_items[item].SetName(QStringLiteral("Changed"));
        QCOMPARE(f.Lists(), expected); // done mark and time kept
        QCOMPARE(ReadDataFile(f.path), expected);
        QCOMPARE(f.History().count(), 1);
        QCOMPARE(f.Mode(), mode);
        QCOMPARE(f.ItemNode(list, item).data().toString(), QStringLiteral("Changed"));
        if (mode == Shown::Tree)
            QCOMPARE(f.Current(), f.ItemNode(list, item));
        else if (mode == Shown::Items)
            QCOMPARE(f.TableRow(item).data().toString(), QStringLiteral("Changed"));
        else
            QCOMPARE(f.ItemOnShow()->m_strName, QStringLiteral("Changed"));
    }

    // In the table the pencil and the magnifier act on the topmost of the
    // rows selected, or else on the current row that a freshly opened table
    // marks; with no row at all the pencil opens List Setup. Cancel changes
    // nothing, and the row the form was about stays chosen.
    void pencilAndMagnifierInTheTable()
    {
        Fixture f;
        f.Start();
        const QByteArray before = FileBytes(f.path);
        f.OpenList(0);
        const QString third = f.TableRow(2).data().toString();
        for (const int rows : {2, 0, -1}) {
            if (rows == 2)
                f.SelectRows({2, 1});
            else if (rows == 0)
                f.Table()->selectionModel()->setCurrentIndex(f.TableRow(2), QItemSelectionModel::Clear);
            else
                f.Table()->selectionModel()->clear();
            const QString expected = rows == 2 ? QStringLiteral("Milk") : third;
            if (rows >= 0) {
                f.prompter.ExpectDialog<CNewItemDlg>([&](CNewItemDlg &d) {
                    [&] { QCOMPARE(d.m_strName, expected); }();
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
            f.Run("Edit");
            QM_VERIFY_PROMPTS(f.prompter);
            QCOMPARE(f.Lists(), SampleLists());
            QCOMPARE(FileBytes(f.path), before);
            QCOMPARE(f.History().count(), 0);
            QCOMPARE(f.Mode(), Shown::Items);
            QCOMPARE(f.TableRowCount(), 3);
            if (rows >= 0) {
                const QModelIndex row = f.TableRow(rows == 2 ? 1 : 2);
                QCOMPARE(f.Table()->currentIndex().row(), row.row());
                QCOMPARE(f.SelectedRows().size(), 1);
                QCOMPARE(f.SelectedRows().constFirst().data().toString(), expected);
            }
        }
        f.Table()->selectionModel()->setCurrentIndex(f.TableRow(2), QItemSelectionModel::Clear);
        f.Run("Open");
        QCOMPARE(f.ItemOnShow()->m_strName, third);
    }

    // In the table the done box ticks as the tree's does: a click on it or
    // the space bar, each one step of the history that writes nothing. A
    // double click on a row opens its item as the magnifier does.
    void tableTicksAndOpensAsTheTreeDoes()
    {
        Fixture f;
        f.Start();
        const QByteArray before = FileBytes(f.path);
        f.OpenList(0);
        CItemTable *table = f.Table();
        // Through the window, as a person's clicks arrive.
        const auto at = [table](const QPoint &inViewport) { return table->viewport()->mapTo(table->window(), inViewport); };
        const QRect saltBox = table->IconRect(f.TableRow(2).siblingAtColumn(CListsModel::Done));
        QTest::mouseClick(table->window()->windowHandle(), Qt::LeftButton, {}, at(saltBox.center()));
        QVERIFY(f.Lists().at(0).m_items.at(2).m_bDone);
        QCOMPARE(f.Table()->currentIndex().row(), 2);
        QTest::keyClick(table, Qt::Key_Space);
        QVERIFY(!f.Lists().at(0).m_items.at(2).m_bDone);
        QCOMPARE(f.History().count(), 2);
        QCOMPARE(FileBytes(f.path), before);

        QTest::mouseDClick(table->window()->windowHandle(), Qt::LeftButton, {},
                           at(table->visualRect(f.TableRow(1)).center()));
        QCOMPARE(f.Mode(), Shown::Item);
        QCOMPARE(f.ItemOnShow()->m_strName, QStringLiteral("Milk"));
        f.Run("Back");
        QCOMPARE(f.Mode(), Shown::Items);
    }

    // List Setup's OK: it got the lists as they are now (a tick made before
    // among them), they come back as one step of the history and are saved,
    // and what was shown follows them; where it was removed, the view returns
    // to the tree and nothing on show is left to act on.
    void listSetupOk_data()
    {
        QTest::addColumn<bool>("itemShown");
        QTest::addColumn<int>("removeList"); // -1: a list added instead
        QTest::addColumn<Shown>("shown");
        QTest::newRow("item, its list removed") << true << 1 << Shown::Tree;
        QTest::newRow("table, its list removed") << false << 2 << Shown::Tree;
        QTest::newRow("item, a list before it removed") << true << 0 << Shown::Item;
        QTest::newRow("item, a list after it removed") << true << 2 << Shown::Item;
        QTest::newRow("table, a list added") << false << -1 << Shown::Items;
    }

    void listSetupOk()
    {
        QFETCH(bool, itemShown);
        QFETCH(int, removeList);
        QFETCH(Shown, shown);
        CListCollection lists = SampleLists();
        lists.swapItemsAt(0, 1); // "Salt" of the groceries, now second
        Fixture f(lists);
        f.Start();
        f.ToggleInTree(0, 1);
        QVERIFY(f.Lists().at(0).m_items.at(1).m_bDone); // a tick List Setup must get
        if (itemShown)
            f.OpenItem(1, 2);
        else
            f.OpenList(2);
        CListCollection edited;
        f.prompter.ExpectDialog<CListSetupDlg>([&](CListSetupDlg &d) {
            [&] { QCOMPARE(d.m_lists, f.Lists()); }();
            if (removeList < 0)
                d.m_lists.append(Lists(QStringLiteral("New: x")).at(0));
            else
                d.m_lists.removeAt(removeList);
            edited = d.m_lists;
            d.OKButton()->click();
            return d.result();
        });
        f.Run("EditLists");
        QM_VERIFY_PROMPTS(f.prompter);
        QCOMPARE(f.Lists(), edited);
        QCOMPARE(ReadDataFile(f.path), edited);
        QCOMPARE(f.History().undoText(), QStringLiteral("List Setup"));
        QCOMPARE(f.Mode(), shown);
        if (shown == Shown::Item) // the item of the same list, wherever it is now
            QCOMPARE(f.ItemOnShow()->m_strName, QStringLiteral("Salt"));
        // Tapping the tick cannot reach a vanished item.
        f.Run("ToggleDone");
        QCOMPARE(f.History().count(), shown == Shown::Item ? 3 : 2);
    }

    // Delete, by its key or from a right-click's menu, asks as List Setup
    // asks; Yes removes the tree's list or item, the table's chosen rows or
    // the item on show, as one step that saves and undoes; No changes
    // nothing. Deleted on show, an item leads back to its table.
    void deleteAsksThenRemovesInOneStep_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<bool>("byMenu");
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("question");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QList<int>>("removed"); // the list, then its items; only the list for a list
        QTest::addColumn<Shown>("shown");
        // The list's commands too, on the list of the item (Milk is done).
        const QString listCommands = QStringLiteral("&Untick All|&Duplicate List...|&Move Item To...|&Copy as Text Ctrl+C|"
                                                    "Pa&ste Items Ctrl+V|&Print... Ctrl+P|-|De&lete Del");
        const QString rowMenu = QStringLiteral("&Open Return|&Edit F2|-|") + listCommands;
        QTest::newRow("tree, a list") << "tree list" << false << QString()
                                      << "Are you sure you want to remove the list 'Trip'?" << true << QList<int>{1}
                                      << Shown::Tree;
        QTest::newRow("tree, an item, No") << "tree item" << true << rowMenu
                                           << "Are you sure you want to remove the item 'Milk'?" << false
                                           << QList<int>{} << Shown::Tree;
        QTest::newRow("table, two rows") << "table" << false << QString()
                                         << "Are you sure you want to remove the 2 chosen items?" << true
                                         << QList<int>{0, 0, 2} << Shown::Items;
        QTest::newRow("table, a row's menu") << "table" << true << rowMenu
                                             << "Are you sure you want to remove the 2 chosen items?" << true
                                             << QList<int>{0, 0, 2} << Shown::Items;
        QTest::newRow("details") << "details" << true
                                 << QStringLiteral("&Edit F2|Do&ne or not done Ctrl+D|&Hand over to calendar or tasks Ctrl+T|-|") + listCommands
                                 << "Are you sure you want to remove the item 'Salt'?" << true << QList<int>{0, 2}
                                 << Shown::Items;
    }

    void deleteAsksThenRemovesInOneStep()
    {
        QFETCH(QString, where);
        QFETCH(bool, byMenu);
        QFETCH(QString, menu);
        QFETCH(QString, question);
        QFETCH(bool, yes);
        QFETCH(QList<int>, removed);
        QFETCH(Shown, shown);
        Fixture f;
        MenuView &view = f.Start();
        view.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&view));
        const QByteArray before = FileBytes(f.path);
        QWidget *rows = f.Tree();
        QRect row;
        if (where == QLatin1String("tree list")) {
            f.Select(f.ListNode(1));
        } else if (where == QLatin1String("tree item")) {
            f.Tree()->expand(f.ListNode(0));
            row = f.Tree()->visualRect(f.ItemNode(0, 1));
        } else if (where == QLatin1String("table")) {
            f.OpenList(0);
            f.SelectRows({2, 0});
            rows = f.Table();
            row = f.Table()->visualRect(f.TableRow(2)); // one of the chosen: both stay chosen
        } else {
            f.OpenList(0);
            f.SelectRows({2});
            f.Run("Open");
            rows = &view;
            row = QRect(20, 80, 10, 10);
        }
        f.prompter.ExpectQuestion(question, yes);
        view.choose = QStringLiteral("De&lete");
        if (byMenu) {
            QWidget *area = rows == &view ? rows : static_cast<QAbstractItemView *>(rows)->viewport();
            QTest::mouseClick(view.windowHandle(), Qt::RightButton, {}, area->mapTo(&view, row.center()));
            QCOMPARE(view.entries.join(u'|'), menu);
        } else {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
        }
        QM_VERIFY_PROMPTS(f.prompter);
        CListCollection after = SampleLists();
        if (removed.size() == 1)
            after.removeAt(removed.at(0));
        for (qsizetype i = removed.size() - 1; i >= 1; --i)
            after[removed.at(0)].m_items.removeAt(removed.at(i));
        QCOMPARE(f.Lists(), after);
        QCOMPARE(f.Mode(), shown);
        if (!yes) {
            QCOMPARE(f.History().count(), 0);
            QCOMPARE(FileBytes(f.path), before);
            return;
        }
        QCOMPARE(ReadDataFile(f.path), after);
        QCOMPARE(f.ChildCount(f.Root()), after.size());
        if (shown == Shown::Items)
            QCOMPARE(f.TableRowCount(), after.at(0).m_items.size());
        f.Run("Undo");
        QCOMPARE(f.Lists(), SampleLists());
        QCOMPARE(FileBytes(f.path), before);
    }

    // Before its set-up the view has no controls: it paints nothing, not
    // even the banner, and a tap on a button's place does nothing.
    void nothingBeforeSetUp()
    {
        CQuillmarkDoc doc;
        CQuillmarkView view(doc);
        QImage canvas(ClientArea::kSize, QImage::Format_RGB32);
        canvas.fill(Qt::green);
        view.render(&canvas);
        QImage green(ClientArea::kSize, QImage::Format_RGB32);
        green.fill(Qt::green);
        QCOMPARE(canvas, green);
        QSignalSpy exits(&view, &CQuillmarkView::exitRequested);
        for (int slot : {0, 2})
            QuillmarkTest::ClickAt(&view, ViewLook::ButtonRect(slot, ClientArea::kHeight).center());
        QCOMPARE(exits.size(), 0);
        QCOMPARE(view.findChild<QTreeView *>(), nullptr);
    }
};

QUILLMARK_TEST_MAIN(TestViewButtons)
#include "tst_viewbuttons.moc"
