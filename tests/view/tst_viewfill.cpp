#include "document/ListsModel.h"
#include "platform/AppSettings.h"
#include "res/ClientArea.h"
#include "res/ResourceIds.h"
#include "tests/testlib/QuillmarkTest.h"
#include "tests/view/ViewFixture.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QStyleOptionHeader>

using namespace ViewTest;

class TestViewFill : public QObject
{
    Q_OBJECT

private slots:
    // The root holds the lists, each its items, all closed but the root;
    // without a data file the root stands alone and starting saves nothing.
    void treeShowsListsAndItems_data()
    {
        QTest::addColumn<bool>("noFile");
        QTest::newRow("no data file") << true;
        QTest::newRow("three lists") << false;
    }

    void treeShowsListsAndItems()
    {
        QFETCH(bool, noFile);
        const CListCollection lists = noFile ? CListCollection() : SampleLists();
        Fixture f(lists, noFile);
        f.Start();
        QCOMPARE(f.Mode(), Shown::Tree);
        QCOMPARE(f.Tree()->model()->rowCount(), 1);
        const QModelIndex root = f.Root();
        QCOMPARE(root.data().toString(), QStringLiteral("Lists"));
        QCOMPARE(CTreeOptionsCtrl::ImageOf(root), Res::kImageGroup);
        QVERIFY(f.Expanded(root));
        QCOMPARE(f.ChildCount(root), lists.size());
        for (int l = 0; l < lists.size(); ++l) {
            const QModelIndex node = f.ListNode(l);
            QCOMPARE(node.data().toString(), lists[l].m_strName);
            QCOMPARE(CTreeOptionsCtrl::ImageOf(node), lists[l].m_nIcon);
            QCOMPARE(f.Tree()->ListsIndexOf(node).row(), l);
            QVERIFY(!f.Expanded(node));
            QCOMPARE(f.ChildCount(node), lists[l].m_items.size());
            for (int i = 0; i < f.ChildCount(node); ++i) {
                const QModelIndex child = f.ItemNode(l, i);
                QCOMPARE(child.data().toString(), lists[l].m_items[i].m_strName);
                QCOMPARE(CTreeOptionsCtrl::ImageOf(child), lists[l].m_items[i].m_bDone ? Res::kImageChecked : Res::kImageUnchecked);
            }
        }
        QVERIFY(f.SelectedNodes().isEmpty());
        QCOMPARE(QFile::exists(f.path), !noFile); // nothing saved by starting
        QM_VERIFY_PROMPTS(f.prompter);
    }

    // A tick in the tree is a change of the lists at once, shown when the
    // list is opened and undone even after "View Lists..." built the tree
    // anew; the file is written by neither. Only "View Lists..." builds the
    // tree anew (the root and the current list open, nothing selected):
    // going back keeps it as the user left it.
    // With no list the tree says under its root how to make one, and only
    // then: the last list deleted brings it back, the undo takes it away.
    void emptyTreeTellsHowToMakeAList()
    {
        Fixture f(QuillmarkTest::Lists(QStringLiteral("Groceries: bread")));
        f.Start();
        const auto hint = [&f]() -> QLabel * {
            for (QLabel *label : f.Tree()->viewport()->findChildren<QLabel *>()) {
                if (label->isVisible())
                    return label;
            }
            return nullptr;
        };
        QVERIFY(!hint());
        f.Select(f.ListNode(0));
        f.prompter.ExpectQuestion(QStringLiteral("Are you sure you want to remove the list 'Groceries'?"), true);
        f.Run("Delete");
        QM_VERIFY_PROMPTS(f.prompter);
        QVERIFY(f.Lists().isEmpty());
        QLabel *shown = hint();
        QVERIFY(shown);
        QVERIFY2(shown->text().contains(QStringLiteral("F2")), qPrintable(shown->text()));
        // Below the root, whole within the tree.
        QVERIFY(shown->geometry().top() > f.Tree()->visualRect(f.Root()).bottom());
        QVERIFY(f.Tree()->viewport()->rect().contains(shown->geometry()));
        f.History().undo();
        QVERIFY(!hint());
    }

    void tickInTheTreeAndViewLists()
    {
        Fixture f;
        f.Start();
        const QByteArray before = FileBytes(f.path);
        f.Tree()->expand(f.ListNode(1));
        f.ToggleInTree(0, 2);
        QVERIFY(f.Lists().at(0).m_items.at(2).m_bDone);
        f.OpenList(0);
        QVERIFY(f.TableRows().endsWith(QStringLiteral("Salt|0.00|[x]")));
        f.Run("Back"); // back
        QCOMPARE(f.Mode(), Shown::Tree);
        QVERIFY(f.Expanded(f.ListNode(1)));
        QCOMPARE(f.Current(), f.ListNode(0));
        f.Run("ViewLists");
        QVERIFY(f.Expanded(f.Root()));
        QVERIFY(f.Expanded(f.ListNode(0)));
        QVERIFY(!f.Expanded(f.ListNode(1)));
        QVERIFY(!f.Expanded(f.ListNode(2)));
        QVERIFY(f.SelectedNodes().isEmpty());
        QVERIFY(CTreeOptionsCtrl::GetCheck(f.ItemNode(0, 2)));
        f.History().undo();
        QVERIFY(!CTreeOptionsCtrl::GetCheck(f.ItemNode(0, 2)));
        QCOMPARE(f.Lists(), SampleLists());
        QCOMPARE(FileBytes(f.path), before);
    }

    void itemTableLayouts_data()
    {
        QTest::addColumn<CListItemArray>("list");
        QTest::addColumn<QString>("columns");
        QTest::addColumn<QString>("rows");
        const CalendarTime march7 = Local(2002, 3, 7, 13, 15);
        const CalendarTime dec31 = Local(2002, 12, 31, 23, 59);
        QTest::newRow("dated and priced")
                << CListItemArray(List(QStringLiteral("L"), {Item(QStringLiteral("A")).Done().Price(12.5).Dated(march7), Item(QStringLiteral("B"))}))
                << "Name 90|Price 52|Date 70|Done 43" << "A|12.50|3/7/2002|[x] / B|0.00|---|[ ]";
        QTest::newRow("dated only")
                << CListItemArray(List(QStringLiteral("L"), {Item(QStringLiteral("A")).Dated(dec31), Item(QStringLiteral("B"))}))
                << "Name 86|Date 78|Done 43" << "A|12/31/2002|[ ] / B|---|[ ]";
        QTest::newRow("priced only")
                << CListItemArray(List(QStringLiteral("L"), {Item(QStringLiteral("A")).Price(0.005), Item(QStringLiteral("B")).Done().Price(1234.5)}))
                << "Name 112|Price 56|Done 43" << "A|0.01|[ ] / B|1234.50|[x]";
        QTest::newRow("negative price counts") << CListItemArray(List(QStringLiteral("L"), {Item(QStringLiteral("A")).Price(-2)}))
                                               << "Name 112|Price 52|Done 43" << "A|-2.00|[ ]";
        QTest::newRow("neither") << Lists(QStringLiteral("L: A")).at(0) << "Name 163|Done 43" << "A|[ ]";
        QTest::newRow("no items") << CListItemArray(List(QStringLiteral("L"))) << "Name 163|Done 43" << "";
    }

    void itemTableLayouts()
    {
        QFETCH(CListItemArray, list);
        QFETCH(QString, columns);
        QFETCH(QString, rows);
        // The table first shows a four-column list, so that every layout
        // replaces one that had other columns.
        Fixture f({SampleLists().at(0), list});
        f.Start();
        f.OpenList(0);
        f.Run("Back"); // back
        f.OpenList(1);
        QCOMPARE(f.Mode(), Shown::Items);
        QCOMPARE(f.TableColumns(), columns);
        QCOMPARE(f.TableRows(), rows);
        QVERIFY(f.SelectedRows().isEmpty());
        if (!list.m_items.isEmpty()) // a row shows its item's own picture
            QCOMPARE(CTreeOptionsCtrl::ImageOf(f.TableRow(0)), list.m_items.at(0).m_nIcon);
    }

    // The name column takes what the window grows by. A width the user
    // drags stays, also at the next start and in every list that shows the
    // column; the name column's is kept without the growth.
    void columnWidthsGrowAndAreKept()
    {
        const auto forget = qScopeGuard([] {
            for (const AppSettings::IntSetting *width : {&AppSettings::kNameColumnWidth, &AppSettings::kPriceColumnWidth,
                                                         &AppSettings::kDateColumnWidth, &AppSettings::kDoneColumnWidth})
                width->Write(0);
        });
        {
            Fixture f;
            CQuillmarkView &view = f.Start();
            f.OpenList(0);
            view.resize(ClientArea::kWidth + 100, ClientArea::kHeight);
            QTRY_COMPARE(f.TableColumns(), QStringLiteral("Name 212|Price 52|Done 43"));
            // As a drag on a heading's edge does.
            QHeaderView *header = f.Table()->header();
            header->resizeSection(CListsModel::Name, 232);
            header->resizeSection(CListsModel::Done, 60);
            view.resize(ClientArea::kSize);
            QTRY_COMPARE(f.TableColumns(), QStringLiteral("Name 132|Price 52|Done 60"));
        }
        Fixture next;
        next.Start();
        next.OpenList(1);
        QCOMPARE(next.TableColumns(), QStringLiteral("Name 132|Date 78|Done 60"));
    }

    // A change touches only its own nodes: the rest of the tree stays as
    // the user left it, and the nodes after a list put in front still open
    // their own lists.
    void changesKeepTheRestOfTheTree()
    {
        Fixture f;
        f.Start();
        f.Tree()->expand(f.ListNode(2));
        f.Select(f.ItemNode(1, 1));
        CListItem milk = f.Lists().at(0).m_items.at(1);
        milk.SetName(QStringLiteral("Oat milk"));
        QSignalSpy removed(f.Tree()->model(), &QAbstractItemModel::rowsRemoved);
        f.doc.ReplaceItem(0, 1, milk);
        QCOMPARE(f.ItemNode(0, 1).data().toString(), QStringLiteral("Oat milk"));
        QCOMPARE(f.Current(), f.ItemNode(1, 1));
        QVERIFY(f.Expanded(f.ListNode(2)));

        CListCollection lists = f.Lists();
        lists.prepend(Lists(QStringLiteral("First: a")).at(0));
        f.doc.ReplaceLists(lists);
        QCOMPARE(f.ChildCount(f.Root()), 4);
        QCOMPARE(f.ListNode(0).data().toString(), QStringLiteral("First"));
        QCOMPARE(f.Current(), f.ItemNode(2, 1));
        QVERIFY(f.Expanded(f.ListNode(3)));
        QCOMPARE(removed.size(), 0); // nothing taken away to be put back

        // A list replaced around the chosen item (a newer file, List Setup)
        // keeps that item chosen.
        f.Select(f.ItemNode(2, 1));
        lists = f.Lists();
        lists[2].m_items.prepend(lists[2].m_items.at(0));
        lists[2].m_items[0].SetName(QStringLiteral("Atlas"));
        f.doc.ReplaceLists(lists);
        QCOMPARE(f.SelectedNodes(), QModelIndexList{f.ItemNode(2, 2)});

        f.OpenList(2);
        QCOMPARE(f.TableRow(2).data().toString(), QStringLiteral("Packing"));
    }

    // Ctrl+F from a table: the items of all lists that hold the text, as it
    // is typed, each with its list. Escape puts back the table with its way
    // back; Enter with no match chosen opens the first, whose back button
    // leads to its list's table.
    void findThroughAllLists()
    {
        Fixture f;
        MenuView &view = f.Start();
        view.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&view));
        f.OpenList(2); // its back button leads to the tree
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F, Qt::ControlModifier);
        auto *field = view.findChild<QLineEdit *>(QStringLiteral("findField"));
        QCOMPARE(QApplication::focusWidget(), field);
        const QAbstractItemModel *found = view.findChild<QAbstractItemView *>(QStringLiteral("foundItems"))->model();
        const auto matches = [found] {
            QStringList rows;
            for (int r = 0; r < found->rowCount(); ++r)
                rows << found->index(r, 0).data().toString() + u'/' + found->index(r, 1).data().toString();
            return rows;
        };
        QTest::keyClicks(field, QStringLiteral("A"));
        QCOMPARE(matches(), (QStringList{QStringLiteral("Bread/Groceries"), QStringLiteral("Salt/Groceries"),
                                         QStringLiteral("Packing/Trip")}));
        QTest::keyClicks(field, QStringLiteral("l"));
        QCOMPARE(matches(), QStringList{QStringLiteral("Salt/Groceries")});
        QTest::keyClick(field, Qt::Key_Escape);
        QCOMPARE(f.Mode(), Shown::Items);
        QCOMPARE(f.TableRowCount(), 0);
        f.Run("Back");
        QCOMPARE(f.Mode(), Shown::Tree);

        f.Run("ViewLists"); // the menu's own, from the tree
        f.Run("Find");
        QCOMPARE(field->selectedText(), QStringLiteral("Al"));
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(f.ItemOnShow()->m_strName, QStringLiteral("Salt"));
        f.Run("Back");
        QCOMPARE(f.Mode(), Shown::Items);
        QCOMPARE(f.TableRow(0).data().toString(), QStringLiteral("Bread"));
        QM_VERIFY_PROMPTS(f.prompter);
    }

    // Hide Done Items: done items leave the tree and the table, but an item
    // ticked stays until the next screen, and the choice holds for the next
    // start.
    void hideDoneItems()
    {
        Fixture f;
        MenuView &view = f.Start();
        QAction *hide = view.findChild<QAction *>(QStringLiteral("actionHideDone"));
        const auto showAgain = qScopeGuard([hide] { hide->setChecked(false); });
        f.Tree()->expand(f.ListNode(0));
        hide->trigger();
        QCOMPARE(f.ChildCount(f.ListNode(0)), 2); // Bread, Salt
        QCOMPARE(f.ChildCount(f.ListNode(1)), 1); // Packing
        f.ToggleInTree(0, 0);
        QCOMPARE(f.ChildCount(f.ListNode(0)), 2);
        QVERIFY(CTreeOptionsCtrl::GetCheck(f.ItemNode(0, 0)));
        f.OpenList(0);
        QCOMPARE(f.TableRows(), QStringLiteral("Salt|0.00|[ ]"));
        QTest::keyClick(f.Table(), Qt::Key_Space);
        QCOMPARE(f.TableRowCount(), 1);
        f.Run("Back");
        QCOMPARE(f.ChildCount(f.ListNode(0)), 0);

        CQuillmarkView next(f.doc);
        next.OnInitialUpdate();
        QVERIFY(next.findChild<QAction *>(QStringLiteral("actionHideDone"))->isChecked());
        hide->trigger();
        QCOMPARE(f.ChildCount(f.ListNode(0)), 3);
    }

    // A click on a header sorts the table by its column, a second one the
    // other way, a third gives the list's own order back. The order holds
    // for the next start; the lists and the file keep their own.
    void sortTheTableByAHeader()
    {
        const CListCollection lists{List(QStringLiteral("L"), {Item(QStringLiteral("b")).Price(2), Item(QStringLiteral("C")).Price(0.5),
                                                              Item(QStringLiteral("a")).Done().Price(1), Item(QStringLiteral("B")).Price(0.5)})};
        const auto names = [](const Fixture<> &f) {
            QString shown;
            for (int r = 0; r < f.TableRowCount(); ++r)
                shown += f.TableRow(r).data().toString();
            return shown;
        };
        Fixture f(lists);
        f.Start();
        const QByteArray before = FileBytes(f.path);
        f.OpenList(0);
        QHeaderView *header = f.Table()->header();
        const auto listOrder = qScopeGuard([header] { header->setSortIndicator(-1, Qt::AscendingOrder); });
        const auto click = [header](int column) {
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                              QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
        };
        click(CListsModel::Name);
        QCOMPARE(names(f), QStringLiteral("abBC"));
        click(CListsModel::Name);
        QCOMPARE(names(f), QStringLiteral("CbBa"));
        click(CListsModel::Name);
        QCOMPARE(names(f), QStringLiteral("bCaB"));
        // The List menu's Sort by shows the sort a click set, and sets one
        // from the keyboard.
        const auto checked = [&f](const char *command) {
            return f.view->template findChild<QAction *>(QStringLiteral("action") + QLatin1String(command))->isChecked();
        };
        QVERIFY(checked("SortOwn") && checked("SortAscending"));
        f.Run("SortDescending");
        QCOMPARE(names(f), QStringLiteral("bCaB"));
        f.Run("SortName");
        QCOMPARE(names(f), QStringLiteral("CbBa"));
        click(CListsModel::Price);
        QCOMPARE(names(f), QStringLiteral("CBab"));
        QCOMPARE(header->sortIndicatorSection(), int(CListsModel::Price));
        QVERIFY(checked("SortPrice") && checked("SortAscending") && !checked("SortName"));
        f.Run("Back");
        QCOMPARE(f.ItemNode(0, 0).data().toString(), QStringLiteral("b"));
        QCOMPARE(f.Lists(), lists);
        QCOMPARE(FileBytes(f.path), before);

        Fixture next(lists);
        next.Start();
        next.OpenList(0);
        QCOMPARE(names(next), QStringLiteral("CBab"));
    }

    // Rows removed all over a sorted table, more runs of them than the
    // lists' model tells one by one, leave the rest in the column's order,
    // and Undo brings them all back in it.
    void sortedTableKeepsItsOrderThroughARemovalAllOver()
    {
        constexpr int kCount = 300;
        List list(QStringLiteral("L"));
        QList<int> odd; // the rows whose names end in an odd number: every other row
        for (int i = 0; i < kCount; ++i) {
            list.m_items.append(Item(QStringLiteral("n%1").arg(i * 7 % kCount, 3, 10, QLatin1Char('0'))));
            if (i % 2)
                odd.append(i);
        }
        Fixture f(CListCollection{list});
        f.Start();
        f.OpenList(0);
        QHeaderView *header = f.Table()->header();
        const auto listOrder = qScopeGuard([header] { header->setSortIndicator(-1, Qt::AscendingOrder); });
        header->setSortIndicator(CListsModel::Name, Qt::AscendingOrder);
        const auto shown = [&f] {
            QStringList names;
            for (int r = 0; r < f.TableRowCount(); ++r)
                names << f.TableRow(r).data().toString();
            return names;
        };
        QStringList all;
        for (int i = 0; i < kCount; ++i)
            all << QStringLiteral("n%1").arg(i, 3, 10, QLatin1Char('0'));
        QCOMPARE(shown(), all);
        QVERIFY(f.doc.RemoveItems(0, odd));
        QStringList even;
        for (int i = 0; i < kCount; i += 2)
            even << all.at(i);
        QCOMPARE(shown(), even);
        f.Run("Undo");
        QCOMPARE(shown(), all);
    }

    // Undated items come last whichever way the dates are sorted, and the
    // sorted column's heading is read whole beside its sort mark.
    void sortByDateKeepsUndatedLast()
    {
        const CListCollection lists{List(QStringLiteral("L"), {Item(QStringLiteral("u")), Item(QStringLiteral("b")).Dated(Local(2021, 1, 1, 9, 0)),
                                                              Item(QStringLiteral("a")).Dated(Local(2020, 1, 1, 9, 0))})};
        Fixture f(lists);
        f.Start();
        f.OpenList(0);
        QString shown;
        QHeaderView *header = f.Table()->header();
        const auto listOrder = qScopeGuard([header] { header->setSortIndicator(-1, Qt::AscendingOrder); });
        for (const Qt::SortOrder order : {Qt::AscendingOrder, Qt::DescendingOrder}) {
            header->setSortIndicator(CListsModel::Date, order);
            for (int r = 0; r < f.TableRowCount(); ++r)
                shown += f.TableRow(r).data().toString();
            shown += QLatin1Char('|');
        }
        QCOMPARE(shown, QStringLiteral("abu|bau|"));
        for (const int column : {int(CListsModel::Date), int(CListsModel::Done)}) {
            header->setSortIndicator(column, Qt::DescendingOrder);
            QStyleOptionHeader option;
            option.initFrom(header);
            option.state |= QStyle::State_Horizontal;
            option.rect = QRect(0, 0, header->sectionSize(column), header->height());
            option.sortIndicator = QStyleOptionHeader::SortDown;
            const QString heading = f.Table()->model()->headerData(column, Qt::Horizontal).toString();
            const QRect label = header->style()->subElementRect(QStyle::SE_HeaderLabel, &option, header);
            QVERIFY2(label.width() >= header->fontMetrics().horizontalAdvance(heading), qPrintable(heading));
        }
    }
};

QUILLMARK_TEST_MAIN(TestViewFill)
#include "tst_viewfill.moc"
