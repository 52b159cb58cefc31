#include "res/ResourceIds.h"
#include "tests/testlib/QuillmarkTest.h"
#include "tests/view/ViewFixture.h"

using namespace ViewTest;

namespace {

// Each column as "heading width".
QStringList Columns(const QTreeWidget *table)
{
    QStringList columns;
    for (int c = 0; c < table->columnCount(); ++c)
        columns << QStringLiteral("%1 %2").arg(table->headerItem()->text(c)).arg(table->columnWidth(c));
    return columns;
}

QList<QStringList> Rows(const QTreeWidget *table)
{
    QList<QStringList> rows;
    for (int r = 0; r < table->topLevelItemCount(); ++r) {
        QStringList texts;
        for (int c = 0; c < table->columnCount(); ++c)
            texts << table->topLevelItem(r)->text(c);
        rows.append(texts);
    }
    return rows;
}

} // namespace

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
        QCOMPARE(f.Tree()->topLevelItemCount(), 1);
        QTreeWidgetItem *root = f.Root();
        QCOMPARE(root->text(0), QStringLiteral("Lists"));
        QCOMPARE(CTreeOptionsCtrl::GetImage(root), Res::kImageGroup);
        QCOMPARE(CTreeOptionsCtrl::GetItemData(root), 0);
        QVERIFY(root->isExpanded());
        QCOMPARE(root->childCount(), lists.size());
        for (int l = 0; l < lists.size(); ++l) {
            QTreeWidgetItem *node = root->child(l);
            QCOMPARE(node->text(0), lists[l].m_strName);
            QCOMPARE(CTreeOptionsCtrl::GetImage(node), lists[l].m_nIcon);
            QCOMPARE(CTreeOptionsCtrl::GetItemData(node), l);
            QVERIFY(!node->isExpanded());
            QCOMPARE(node->childCount(), lists[l].m_items.size());
            for (int i = 0; i < node->childCount(); ++i) {
                QTreeWidgetItem *child = node->child(i);
                QCOMPARE(child->text(0), lists[l].m_items[i].m_strName);
                QCOMPARE(CTreeOptionsCtrl::GetImage(child), lists[l].m_items[i].m_bDone ? Res::kImageChecked : Res::kImageUnchecked);
                QCOMPARE(CTreeOptionsCtrl::GetItemData(child), i);
            }
        }
        QVERIFY(f.Tree()->selectedItems().isEmpty());
        QCOMPARE(QFile::exists(f.path), !noFile); // nothing saved by starting
        QM_VERIFY_PROMPTS(f.prompter);
    }

    // A tick in the tree is a change of the lists at once, shown when the
    // list is opened and undone even after "View Lists..." built the tree
    // anew; the file is written by neither. Only "View Lists..." builds the
    // tree anew (the root and the current list open, nothing selected):
    // going back keeps it as the user left it.
    void tickInTheTreeAndViewLists()
    {
        Fixture f;
        f.Start();
        const QByteArray before = FileBytes(f.path);
        f.ListNode(1)->setExpanded(true);
        f.ToggleInTree(0, 2);
        QVERIFY(f.Lists().at(0).m_items.at(2).m_bDone);
        f.OpenList(0);
        QCOMPARE(f.Table()->topLevelItem(2)->text(2), QStringLiteral("Yes"));
        f.Tap(108); // back
        QCOMPARE(f.Mode(), Shown::Tree);
        QVERIFY(f.ListNode(1)->isExpanded());
        QCOMPARE(f.Tree()->currentItem(), f.ListNode(0));
        f.Choose(QStringLiteral("View Lists..."));
        QVERIFY(f.Root()->isExpanded());
        QVERIFY(f.ListNode(0)->isExpanded());
        QVERIFY(!f.ListNode(1)->isExpanded());
        QVERIFY(!f.ListNode(2)->isExpanded());
        QVERIFY(f.Tree()->selectedItems().isEmpty());
        QVERIFY(f.Tree()->GetCheck(f.ItemNode(0, 2)));
        f.History().undo();
        QVERIFY(!f.Tree()->GetCheck(f.ItemNode(0, 2)));
        QCOMPARE(f.Lists(), SampleLists());
        QCOMPARE(FileBytes(f.path), before);
    }

    void itemTableLayouts_data()
    {
        QTest::addColumn<CListItemArray>("list");
        QTest::addColumn<QStringList>("columns");
        QTest::addColumn<QList<QStringList>>("rows");
        const CalendarTime march7 = Local(2002, 3, 7, 13, 15);
        const CalendarTime dec31 = Local(2002, 12, 31, 23, 59);
        QTest::newRow("dated and priced")
                << MakeList(QStringLiteral("L"), 5,
                            {{QStringLiteral("A"), true, 12.5, march7}, {QStringLiteral("B"), false, 0.0}})
                << QStringList{QStringLiteral("Name 90"), QStringLiteral("Price 52"), QStringLiteral("Date 70"),
                               QStringLiteral("Done 43")}
                << QList<QStringList>{{QStringLiteral("A"), QStringLiteral("12.50"), QStringLiteral("3/7/2002"), QStringLiteral("Yes")},
                                      {QStringLiteral("B"), QStringLiteral("0.00"), QStringLiteral("---"), QStringLiteral("No")}};
        QTest::newRow("dated only")
                << MakeList(QStringLiteral("L"), 5, {{QStringLiteral("A"), false, 0.0, dec31}, {QStringLiteral("B")}})
                << QStringList{QStringLiteral("Name 86"), QStringLiteral("Date 78"), QStringLiteral("Done 43")}
                << QList<QStringList>{{QStringLiteral("A"), QStringLiteral("12/31/2002"), QStringLiteral("No")},
                                      {QStringLiteral("B"), QStringLiteral("---"), QStringLiteral("No")}};
        QTest::newRow("priced only")
                << MakeList(QStringLiteral("L"), 5, {{QStringLiteral("A"), false, 0.005}, {QStringLiteral("B"), true, 1234.5}})
                << QStringList{QStringLiteral("Name 112"), QStringLiteral("Price 52"), QStringLiteral("Done 43")}
                << QList<QStringList>{{QStringLiteral("A"), QStringLiteral("0.01"), QStringLiteral("No")},
                                      {QStringLiteral("B"), QStringLiteral("1234.50"), QStringLiteral("Yes")}};
        QTest::newRow("negative price counts")
                << MakeList(QStringLiteral("L"), 5, {{QStringLiteral("A"), false, -2.0}})
                << QStringList{QStringLiteral("Name 112"), QStringLiteral("Price 52"), QStringLiteral("Done 43")}
                << QList<QStringList>{{QStringLiteral("A"), QStringLiteral("-2.00"), QStringLiteral("No")}};
        QTest::newRow("neither")
                << MakeList(QStringLiteral("L"), 5, {{QStringLiteral("A")}})
                << QStringList{QStringLiteral("Name 163"), QStringLiteral("Done 43")}
                << QList<QStringList>{{QStringLiteral("A"), QStringLiteral("No")}};
        QTest::newRow("no items")
                << MakeList(QStringLiteral("L"), 5, {})
                << QStringList{QStringLiteral("Name 163"), QStringLiteral("Done 43")}
                << QList<QStringList>{};
    }

    void itemTableLayouts()
    {
        QFETCH(CListItemArray, list);
        QFETCH(QStringList, columns);
        QFETCH(QList<QStringList>, rows);
        // The table first shows a four-column list, so that every layout
        // replaces one that had other columns.
        Fixture f({SampleLists().at(0), list});
        f.Start();
        f.OpenList(0);
        f.Tap(108); // back
        f.OpenList(1);
        QCOMPARE(f.Mode(), Shown::Items);
        QCOMPARE(Columns(f.Table()), columns);
        QCOMPARE(Rows(f.Table()), rows);
        QVERIFY(f.Table()->selectedItems().isEmpty());
    }

    void iconNumbersPickTheSamePictureEverywhere()
    {
        Fixture f({MakeList(QStringLiteral("L"), 5, {{QStringLiteral("first"), false, 0.0, 0, 5},
                                                    {QStringLiteral("last"), false, 0.0, 0, 56},
                                                    {QStringLiteral("none"), false, 0.0, 0, 57}})});
        f.Start();
        const CImageList strip = CImageList::StripOnly();
        QCOMPARE(f.Tree()->Images().Image(5).toImage(), strip.Image(0).toImage());
        f.OpenList(0);
        QTreeWidget *table = f.Table();
        const auto rowPicture = [&](int row) {
            return table->topLevelItem(row)->icon(0).pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
        };
        QCOMPARE(rowPicture(0), strip.Image(0).toImage().convertToFormat(QImage::Format_ARGB32));
        QCOMPARE(rowPicture(1), strip.Image(51).toImage().convertToFormat(QImage::Format_ARGB32));
        QVERIFY(table->topLevelItem(2)->icon(0).isNull());
    }

    // A change touches only its own nodes: the rest of the tree stays as
    // the user left it, and the nodes after a list put in front still open
    // their own lists.
    void changesKeepTheRestOfTheTree()
    {
        Fixture f;
        f.Start();
        f.ListNode(2)->setExpanded(true);
        f.Select(f.ItemNode(1, 1));
        QTreeWidgetItem *untouched = f.ListNode(1);
        CListItem milk = f.Lists().at(0).m_items.at(1);
        milk.SetName(QStringLiteral("Oat milk"));
        f.doc.ReplaceItem(0, 1, milk);
        QCOMPARE(f.ItemNode(0, 1)->text(0), QStringLiteral("Oat milk"));
        QCOMPARE(f.ListNode(1), untouched);
        QCOMPARE(f.Tree()->currentItem(), f.ItemNode(1, 1));
        QVERIFY(f.ListNode(2)->isExpanded());

        CListCollection lists = f.Lists();
        lists.prepend(MakeList(QStringLiteral("First"), 7, {{QStringLiteral("a")}}));
        f.doc.ReplaceLists(lists);
        QCOMPARE(f.Root()->childCount(), 4);
        QCOMPARE(f.ListNode(0)->text(0), QStringLiteral("First"));
        QCOMPARE(f.ListNode(2), untouched);
        QVERIFY(f.ListNode(3)->isExpanded());

        // A list replaced around the chosen item (a newer file, List Setup)
        // keeps that item chosen.
        f.Select(f.ItemNode(2, 1));
        lists = f.Lists();
        lists[2].m_items.prepend(lists[2].m_items.at(0));
        lists[2].m_items[0].SetName(QStringLiteral("Atlas"));
        f.doc.ReplaceLists(lists);
        QCOMPARE(f.Tree()->selectedItems(), QList<QTreeWidgetItem *>{f.ItemNode(2, 2)});

        f.OpenList(2);
        QCOMPARE(Rows(f.Table()).at(2).at(0), QStringLiteral("Packing"));
    }

    // Undo and redo of an edit reach the table on show, the details on
    // show and the tree.
    void undoAndRedoShowTheItemAsItWas()
    {
        Fixture f;
        f.Start();
        CListItem rye = f.Lists().at(0).m_items.at(0);
        rye.SetName(QStringLiteral("Rye"));
        f.doc.ReplaceItem(0, 0, rye);
        f.OpenList(0);
        QCOMPARE(f.Table()->topLevelItem(0)->text(0), QStringLiteral("Rye"));
        f.History().undo();
        QCOMPARE(f.Table()->topLevelItem(0)->text(0), QStringLiteral("Bread"));
        f.History().redo();
        QCOMPARE(f.Table()->topLevelItem(0)->text(0), QStringLiteral("Rye"));
        f.SelectRows({0});
        f.Tap(83);
        f.History().undo();
        QCOMPARE(f.ItemOnShow()->m_strName, QStringLiteral("Bread"));
        QCOMPARE(f.ItemNode(0, 0)->text(0), QStringLiteral("Bread"));
    }
};

QUILLMARK_TEST_MAIN(TestViewFill)
#include "tst_viewfill.moc"
