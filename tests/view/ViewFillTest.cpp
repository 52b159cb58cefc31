#include "res/ResourceIds.h"
#include "res/Strings.h"
#include "tests/testlib/QuillmarkTest.h"
#include "tests/view/ViewFixture.h"

#include <QBuffer>
#include <QHeaderView>

using namespace ViewTest;

namespace {

struct ColumnLook
{
    QString heading;
    int width;
    bool operator==(const ColumnLook &) const = default;
};

QList<ColumnLook> Columns(const QTreeWidget *table)
{
    QList<ColumnLook> columns;
    for (int c = 0; c < table->columnCount(); ++c)
        columns.append({table->headerItem()->text(c), table->columnWidth(c)});
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

QList<bool> DoneMarks(const CListItemArray &list)
{
    QList<bool> marks;
    for (const CListItem &item : list.m_items)
        marks << item.m_bDone;
    return marks;
}

} // namespace

Q_DECLARE_METATYPE(QList<ColumnLook>)

namespace QTest {
template<>
char *toString(const ColumnLook &c)
{
    return qstrdup(qPrintable(QStringLiteral("%1 %2").arg(c.heading).arg(c.width)));
}
} // namespace QTest

class ViewFillTest : public QObject
{
    Q_OBJECT

private slots:
    void noDataFileGivesTheRootAlone()
    {
        Fixture f({}, true);
        CQuillmarkView &view = f.Start();
        QVERIFY(view.IsReady());
        QCOMPARE(view.Mode(), int(CQuillmarkView::modeTree));
        QCOMPARE(view.Lists().size(), 0);
        QCOMPARE(view.Tree()->topLevelItemCount(), 1);
        QTreeWidgetItem *root = view.RootItem();
        QCOMPARE(root->text(0), QStringLiteral("Lists"));
        QCOMPARE(CTreeOptionsCtrl::GetImage(root), Res::kImageGroup);
        QCOMPARE(root->childCount(), 0);
        QVERIFY(root->isExpanded());
        QVERIFY(view.Tree()->isVisible());
        QVERIFY(!view.ItemTable()->isVisible());
        QVERIFY(!QFile::exists(f.path)); // nothing saved by starting
        QM_VERIFY_PROMPTS(f.prompter);
    }

    void treeShowsListsAndItems()
    {
        Fixture f;
        CQuillmarkView &view = f.Start();
        QTreeWidgetItem *root = view.RootItem();
        QCOMPARE(CTreeOptionsCtrl::GetItemData(root), 0);
        QCOMPARE(root->childCount(), 3);
        const CListCollection lists = SampleLists();
        for (int l = 0; l < lists.size(); ++l) {
            QTreeWidgetItem *node = root->child(l);
            QCOMPARE(node->text(0), lists[l].m_strName);
            QCOMPARE(CTreeOptionsCtrl::GetImage(node), lists[l].m_nIcon);
            QCOMPARE(CTreeOptionsCtrl::GetItemData(node), l);
            QVERIFY(view.IsListNode(node));
            QVERIFY(!view.IsItemNode(node));
            QVERIFY(!node->isExpanded());
            QCOMPARE(node->childCount(), lists[l].m_items.size());
            for (int i = 0; i < node->childCount(); ++i) {
                QTreeWidgetItem *child = node->child(i);
                QCOMPARE(child->text(0), lists[l].m_items[i].m_strName);
                QCOMPARE(CTreeOptionsCtrl::GetImage(child), lists[l].m_items[i].m_bDone ? 1 : 0);
                QCOMPARE(CTreeOptionsCtrl::GetItemData(child), i);
                QVERIFY(view.IsItemNode(child));
                QVERIFY(!view.IsListNode(child));
            }
        }
        QVERIFY(!view.IsListNode(root));
        QVERIFY(!view.IsItemNode(root));
        QVERIFY(!view.IsItemNode(nullptr));
        QVERIFY(view.Tree()->selectedItems().isEmpty());
    }

    void currentListStaysOpenAfterARebuild()
    {
        Fixture f;
        CQuillmarkView &view = f.Start();
        f.OpenList(1);
        f.ListNode(0)->setExpanded(true); // opened by hand: not kept
        view.ShowTree();
        QCOMPARE(view.CurList(), 1);
        QVERIFY(view.RootItem()->isExpanded());
        QVERIFY(!f.ListNode(0)->isExpanded());
        QVERIFY(f.ListNode(1)->isExpanded());
        QVERIFY(!f.ListNode(2)->isExpanded());
        QVERIFY(view.Tree()->selectedItems().isEmpty());
    }

    void itemTableLayouts_data()
    {
        QTest::addColumn<CListItemArray>("list");
        QTest::addColumn<QList<ColumnLook>>("columns");
        QTest::addColumn<QList<QStringList>>("rows");
        const CalendarTime march7 = LocalTime(2002, 3, 7, 13, 15);
        const CalendarTime dec31 = LocalTime(2002, 12, 31, 23, 59);
        QTest::newRow("dated and priced")
                << MakeList(QStringLiteral("L"), 5,
                            {{QStringLiteral("A"), true, 12.5, march7}, {QStringLiteral("B"), false, 0.0}})
                << QList<ColumnLook>{{QStringLiteral("Name"), 90}, {QStringLiteral("Price"), 52},
                                     {QStringLiteral("Date"), 70}, {QStringLiteral("Done"), 43}}
                << QList<QStringList>{{QStringLiteral("A"), QStringLiteral("12.50"), QStringLiteral("3/7/2002"), QStringLiteral("Yes")},
                                      {QStringLiteral("B"), QStringLiteral("0.00"), QStringLiteral("---"), QStringLiteral("No")}};
        QTest::newRow("dated only")
                << MakeList(QStringLiteral("L"), 5, {{QStringLiteral("A"), false, 0.0, dec31}, {QStringLiteral("B")}})
                << QList<ColumnLook>{{QStringLiteral("Name"), 86}, {QStringLiteral("Date"), 78}, {QStringLiteral("Done"), 43}}
                << QList<QStringList>{{QStringLiteral("A"), QStringLiteral("12/31/2002"), QStringLiteral("No")},
                                      {QStringLiteral("B"), QStringLiteral("---"), QStringLiteral("No")}};
        QTest::newRow("priced only")
                << MakeList(QStringLiteral("L"), 5, {{QStringLiteral("A"), false, 0.005}, {QStringLiteral("B"), true, 1234.5}})
                << QList<ColumnLook>{{QStringLiteral("Name"), 112}, {QStringLiteral("Price"), 52}, {QStringLiteral("Done"), 43}}
                << QList<QStringList>{{QStringLiteral("A"), QStringLiteral("0.01"), QStringLiteral("No")},
                                      {QStringLiteral("B"), QStringLiteral("1234.50"), QStringLiteral("Yes")}};
        QTest::newRow("negative price counts")
                << MakeList(QStringLiteral("L"), 5, {{QStringLiteral("A"), false, -2.0}})
                << QList<ColumnLook>{{QStringLiteral("Name"), 112}, {QStringLiteral("Price"), 52}, {QStringLiteral("Done"), 43}}
                << QList<QStringList>{{QStringLiteral("A"), QStringLiteral("-2.00"), QStringLiteral("No")}};
        QTest::newRow("neither")
                << MakeList(QStringLiteral("L"), 5, {{QStringLiteral("A")}})
                << QList<ColumnLook>{{QStringLiteral("Name"), 163}, {QStringLiteral("Done"), 43}}
                << QList<QStringList>{{QStringLiteral("A"), QStringLiteral("No")}};
        QTest::newRow("no items")
                << MakeList(QStringLiteral("L"), 5, {})
                << QList<ColumnLook>{{QStringLiteral("Name"), 163}, {QStringLiteral("Done"), 43}}
                << QList<QStringList>{};
    }

    void itemTableLayouts()
    {
        QFETCH(CListItemArray, list);
        QFETCH(QList<ColumnLook>, columns);
        QFETCH(QList<QStringList>, rows);
        // The table first shows a four-column list, so that every layout
        // replaces one that had other columns.
        Fixture f({SampleLists().at(0), list});
        f.Start();
        CQuillmarkView &view = *f.view;
        f.OpenList(0);
        view.GoBack();
        f.OpenList(1);
        QCOMPARE(view.Mode(), int(CQuillmarkView::modeItems));
        QVERIFY(view.ItemTable()->isVisible());
        QVERIFY(!view.Tree()->isVisible());
        QCOMPARE(Columns(view.ItemTable()), columns);
        QCOMPARE(Rows(view.ItemTable()), rows);
        QVERIFY(view.ItemTable()->selectedItems().isEmpty());
    }

    void iconNumbersPickTheSamePictureEverywhere()
    {
        Fixture f({MakeList(QStringLiteral("L"), 5, {{QStringLiteral("first"), false, 0.0, 0, 5},
                                                    {QStringLiteral("last"), false, 0.0, 0, 56},
                                                    {QStringLiteral("none"), false, 0.0, 0, 57}})});
        CQuillmarkView &view = f.Start();
        const CImageList strip = CImageList::StripOnly();
        QCOMPARE(view.Tree()->Images().Image(5).toImage(), strip.Image(0).toImage());
        f.OpenList(0);
        QTreeWidget *table = view.ItemTable();
        const auto rowPicture = [&](int row) {
            return table->topLevelItem(row)->icon(0).pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
        };
        QCOMPARE(rowPicture(0), strip.Image(0).toImage().convertToFormat(QImage::Format_ARGB32));
        QCOMPARE(rowPicture(1), strip.Image(51).toImage().convertToFormat(QImage::Format_ARGB32));
        QVERIFY(table->topLevelItem(2)->icon(0).isNull());
    }

    void harvestCopiesTicksIntoTheItems()
    {
        Fixture f;
        CQuillmarkView &view = f.Start();
        view.Tree()->SetCheck(f.ItemNode(0, 0), true);
        view.Tree()->SetCheck(f.ItemNode(0, 1), false);
        view.Tree()->SetCheck(f.ItemNode(1, 1), true);
        QCOMPARE(DoneMarks(view.Lists().at(0)), (QList<bool>{false, true, false})); // not yet
        view.HarvestCheckMarks();
        QCOMPARE(DoneMarks(view.Lists().at(0)), (QList<bool>{true, false, false}));
        QCOMPARE(DoneMarks(view.Lists().at(1)), (QList<bool>{true, true}));
        // Only the marks: everything else as it was.
        CListCollection expected = SampleLists();
        expected[0].m_items[0].m_bDone = true;
        expected[0].m_items[1].m_bDone = false;
        expected[1].m_items[1].m_bDone = true;
        QCOMPARE(view.Lists(), expected);
        QVERIFY(!QFile::exists(f.path + QStringLiteral(".bak")));
    }

    void harvestStopsAtAListNodeThatNamesNoList()
    {
        Fixture f;
        CQuillmarkView &view = f.Start();
        view.Tree()->SetCheck(f.ItemNode(0, 0), true);
        view.Tree()->SetCheck(f.ItemNode(1, 1), true);
        CTreeOptionsCtrl::SetItemData(f.ListNode(1), 3); // one past the last list
        view.HarvestCheckMarks();
        QCOMPARE(DoneMarks(view.Lists().at(0)), (QList<bool>{true, true, false}));
        QCOMPARE(DoneMarks(view.Lists().at(1)), (QList<bool>{true, false})); // kept
    }

    void harvestSkipsAnItemNodeThatNamesNoItem()
    {
        Fixture f;
        CQuillmarkView &view = f.Start();
        CTreeOptionsCtrl::SetItemData(f.ItemNode(0, 2), 9);
        view.Tree()->SetCheck(view.RootItem()->child(0)->child(2), true);
        view.Tree()->SetCheck(f.ItemNode(0, 0), true);
        view.HarvestCheckMarks();
        QCOMPARE(DoneMarks(view.Lists().at(0)), (QList<bool>{true, true, false}));
        QCOMPARE(view.Lists().at(0).m_items.size(), 3);
    }

    void tickThenOpenShowsYes()
    {
        Fixture f;
        CQuillmarkView &view = f.Start();
        view.Tree()->SetCheck(f.ItemNode(0, 2), true);
        f.OpenList(0);
        QCOMPARE(view.ItemTable()->headerItem()->text(2), QStringLiteral("Done"));
        QCOMPARE(view.ItemTable()->topLevelItem(2)->text(2), QStringLiteral("Yes"));
    }

    void damagedFileIsToldOnceAfterStart()
    {
        // Two lists announced, one and a half there.
        CListCollection lists = SampleLists();
        Fixture f(lists);
        QByteArray bytes = FileBytes(f.path);
        bytes.chop(20);
        {
            QFile file(f.path);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(bytes);
        }
        CListCollection partial;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        const DataFile::LoadResult expected = DataFile::Read(buffer, partial);
        QCOMPARE(expected.status, DataFile::LoadStatus::Damaged);

        f.prompter.ExpectMessage(Str::DataFileDamaged(f.path, expected.errorString));
        CQuillmarkView view;
        view.SetDataFilePath(f.path);
        view.SetPrompter(&f.prompter);
        view.OnInitialUpdate();
        QVERIFY(view.IsReady());
        QCOMPARE(view.Lists(), partial); // what could be read is shown
        QCOMPARE(view.RootItem()->childCount(), partial.size());
        QCOMPARE(f.prompter.Shown().size(), 0); // not before the window is up
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
        QCOMPARE(f.prompter.Shown().size(), 1);
        QM_VERIFY_PROMPTS(f.prompter);
        QCOMPARE(FileBytes(f.path), bytes); // untouched by the start
    }
};

QUILLMARK_TEST_MAIN(ViewFillTest)
#include "ViewFillTest.moc"
