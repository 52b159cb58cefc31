#include "document/FoundItems.h"
#include "document/ItemSearch.h"
#include "document/ListsModel.h"
#include "document/QuillmarkDoc.h"
#include "tests/testlib/DataFiles.h"
#include "tests/testlib/Lists.h"
#include "tests/testlib/QuillmarkTest.h"

#include <QAbstractItemModelTester>
#include <QTemporaryDir>

#include <functional>

using namespace QuillmarkTest;

namespace {

CListCollection Sample()
{
    return Lists(QStringLiteral("A: a b c | B: x y | C:"));
}

// A loaded document on a file of its own, and the model on it, checked by
// QAbstractItemModelTester at every notice.
struct Model
{
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("Quillmark.dat"));
    CQuillmarkDoc doc;
    CListsModel model{doc};
    QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::QtTest};
    QStringList notices;

    explicit Model(const CListCollection &lists = Sample())
    {
        QVERIFY(WriteFileBytes(path, WriteToBytes(lists)));
        doc.SetPath(path);
        doc.Load();
        const auto where = [](const QModelIndex &parent) {
            return parent.isValid() ? parent.data().toString() : QStringLiteral("lists");
        };
        const auto rows = [this, where](const char *what) {
            return [this, where, what](const QModelIndex &parent, int first, int last) {
                notices << QStringLiteral("%1 %2 %3..%4").arg(QLatin1String(what), where(parent)).arg(first).arg(last);
            };
        };
        QObject::connect(&model, &QAbstractItemModel::rowsInserted, rows("+"));
        QObject::connect(&model, &QAbstractItemModel::rowsRemoved, rows("-"));
        QObject::connect(&model, &QAbstractItemModel::dataChanged,
                         [this, where](const QModelIndex &topLeft, const QModelIndex &bottomRight) {
                             notices << QStringLiteral("~ %1 %2..%3").arg(where(topLeft.parent())).arg(topLeft.row()).arg(bottomRight.row());
                         });
        QObject::connect(&model, &QAbstractItemModel::rowsMoved, [this] { notices << QStringLiteral("move"); });
        QObject::connect(&model, &QAbstractItemModel::modelReset, [this] { notices << QStringLiteral("reset"); });
        QObject::connect(&model, &QAbstractItemModel::layoutChanged, [this] { notices << QStringLiteral("layout"); });
    }

    // What the rows show, written as Print() writes lists.
    QString Rows() const
    {
        CListCollection shown;
        for (int l = 0; l < model.rowCount(); ++l) {
            const QModelIndex list = model.index(l, CListsModel::Name);
            shown.append(List(list.data().toString()));
            for (int i = 0; i < model.rowCount(list); ++i) {
                const QModelIndex item = model.index(i, CListsModel::Name, list);
                shown.last().m_items.append(
                        Item(item.data().toString())
                                .Desc(item.siblingAtColumn(CListsModel::Description).data().toString())
                                .Done(item.siblingAtColumn(CListsModel::Done).data(Qt::CheckStateRole).toInt() == Qt::Checked));
            }
        }
        return Print(shown);
    }
};

using Change = std::function<void(CQuillmarkDoc &)>;

// List Setup's OK with the lists as `edit` leaves them.
Change Setup(const std::function<void(CListCollection &)> &edit)
{
    return [edit](CQuillmarkDoc &doc) {
        CListCollection lists = doc.Lists();
        edit(lists);
        doc.ReplaceLists(lists);
    };
}

} // namespace

Q_DECLARE_METATYPE(Change)

class TestListsModel : public QObject
{
    Q_OBJECT

private slots:
    // Each change is told by the rows it touched, never by a reset, and an
    // index kept on item "y" of list B follows it (or is gone with it).
    void changesAreToldRowByRow_data()
    {
        QTest::addColumn<Change>("change");
        QTest::addColumn<QStringList>("notices");
        QTest::addColumn<QString>("y"); // where the kept index is: "list/item", or "" for gone
        QTest::newRow("tick") << Change([](CQuillmarkDoc &doc) { doc.SetDone(1, 1, true); })
                              << QStringList{QStringLiteral("~ B 1..1")} << "1/1";
        QTest::newRow("a list removed")
                << Setup([](CListCollection &l) { l.removeAt(0); }) << QStringList{QStringLiteral("- lists 0..0")} << "0/1";
        QTest::newRow("its list removed")
                << Setup([](CListCollection &l) { l.removeAt(1); }) << QStringList{QStringLiteral("- lists 1..1")} << "";
        QTest::newRow("a list put in front, the last one renamed")
                << Setup([](CListCollection &l) {
                       l.prepend(Lists(QStringLiteral("New: n")).at(0));
                       l[3].SetName(QStringLiteral("Cee"));
                   })
                << QStringList{QStringLiteral("+ lists 0..0"), QStringLiteral("~ lists 3..3")} << "2/1";
        QTest::newRow("an item put before it, another one ticked")
                << Setup([](CListCollection &l) {
                       l[1].m_items.insert(1, l[1].m_items.at(0));
                       l[1].m_items[1].SetName(QStringLiteral("xy"));
                       l[1].m_items[0].m_bDone = true;
                   })
                << QStringList{QStringLiteral("+ B 1..1"), QStringLiteral("~ B 0..0")} << "1/2";
        QTest::newRow("an item removed, its neighbour edited")
                << Setup([](CListCollection &l) {
                       l[0].m_items.removeAt(1);
                       l[0].m_items[1].m_strDesc = QStringLiteral("changed");
                   })
                << QStringList{QStringLiteral("- A 1..1"), QStringLiteral("~ A 1..1")} << "1/1";
        QTest::newRow("the item itself removed")
                << Setup([](CListCollection &l) { l[1].m_items.removeAt(1); }) << QStringList{QStringLiteral("- B 1..1")} << "";
        // Another computer's lists: A's last item moved to the front.
        QTest::newRow("a newer file") << Change([](CQuillmarkDoc &doc) {
            CListCollection lists = doc.Lists();
            lists[0].m_items.move(2, 0);
            doc.ResetLists(lists);
        }) << QStringList{QStringLiteral("- A 2..2"), QStringLiteral("+ A 0..0")} << "1/1";
    }

    void changesAreToldRowByRow()
    {
        QFETCH(Change, change);
        QFETCH(QStringList, notices);
        QFETCH(QString, y);
        Model m;
        const QPersistentModelIndex kept = m.model.ItemIndex(1, 1);
        QCOMPARE(kept.data().toString(), QStringLiteral("y"));
        change(m.doc);
        QCOMPARE(m.notices, notices);
        QCOMPARE(m.Rows(), Print(m.doc.Lists()));
        QCOMPARE(kept.isValid() ? QStringLiteral("%1/%2").arg(kept.parent().row()).arg(kept.row()) : QString(), y);
        if (kept.isValid())
            QCOMPARE(kept.data().toString(), QStringLiteral("y"));

        // Undone, the same rows the other way, and the rows as before.
        m.notices.clear();
        m.doc.Undo();
        QCOMPARE(m.Rows(), Print(m.doc.Lists()));
        QVERIFY(!m.notices.contains(QStringLiteral("reset")));
    }

    // A change all over a long list is a few notices, never one per row: a
    // view answers each on its own, and row by row a list-wide command on
    // a long list kept the window busy for minutes.
    void listWideChangesAreFewNotices()
    {
        CListItemArray list;
        list.SetName(QStringLiteral("L"));
        for (int i = 0; i < 300; ++i)
            list.m_items.append(Item(QStringLiteral("i%1").arg(i, 3, 10, QLatin1Char('0'))).Done(i % 2 == 1));
        Model m({list});
        QList<int> columns;
        QObject::connect(&m.model, &QAbstractItemModel::dataChanged,
                         [&](const QModelIndex &topLeft, const QModelIndex &bottomRight) {
                             columns << topLeft.column() << bottomRight.column();
                         });

        // Only the Done column changed, from the first ticked item to the last.
        QVERIFY(m.doc.UntickAll(0));
        QCOMPARE(m.notices, QStringList{QStringLiteral("~ L 1..299")});
        QCOMPARE(columns, (QList<int>{CListsModel::Done, CListsModel::Done}));
        m.notices.clear();
        m.doc.Undo();
        QCOMPARE(m.notices, QStringList{QStringLiteral("~ L 1..299")});
        QCOMPARE(m.Rows(), Print(m.doc.Lists()));

        // Every other item deleted: the rows between the first and the last
        // change go and come as one run each.
        m.notices.clear();
        QList<int> even;
        for (int i = 0; i < 300; i += 2)
            even << i;
        QVERIFY(m.doc.RemoveItems(0, even));
        QCOMPARE(m.notices, (QStringList{QStringLiteral("- L 0..298"), QStringLiteral("+ L 0..148")}));
        QCOMPARE(m.Rows(), Print(m.doc.Lists()));
    }

    // The box of the Done column is the document's tick: one step of the
    // history, saved by nothing; nothing else is written through the model.
    void tickThroughTheModel()
    {
        Model m;
        const QByteArray before = FileBytes(m.path);
        const QModelIndex b = m.model.ItemIndex(0, 1, CListsModel::Done);
        QVERIFY(m.model.flags(b) & Qt::ItemIsUserCheckable);
        QVERIFY(!m.model.setData(b.siblingAtColumn(CListsModel::Name), Qt::Checked, Qt::CheckStateRole));
        QVERIFY(!m.model.setData(b, QStringLiteral("b2"), Qt::EditRole));
        QVERIFY(!m.model.setData(m.model.ListIndex(0, CListsModel::Done), Qt::Checked, Qt::CheckStateRole));
        QCOMPARE(m.doc.UndoStack()->count(), 0);
        QVERIFY(m.model.setData(b, Qt::Checked, Qt::CheckStateRole));
        QCOMPARE(b.data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
        QVERIFY(m.doc.Lists().at(0).m_items.at(1).m_bDone);
        QCOMPARE(m.doc.UndoStack()->undoText(), QStringLiteral("Tick 'b'"));
        QCOMPARE(FileBytes(m.path), before);
        m.doc.Undo();
        QCOMPARE(b.data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
    }

    // Case and accents do not count, in the text typed as in the items.
    void findIgnoresCaseAndAccents_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("found");
        QTest::newRow("accent in the item") << QStringLiteral("Café crème") << QStringLiteral("cafe") << true;
        QTest::newRow("accent typed") << QStringLiteral("Cafe") << QStringLiteral("CAFÉ") << true;
        QTest::newRow("accent as a mark of its own") << QStringLiteral("Cafe\u0301 noir") << QStringLiteral("café n") << true;
        QTest::newRow("full width") << QStringLiteral("\uFF2D\uFF49\uFF4C\uFF4B") << QStringLiteral("milk") << true;
        QTest::newRow("final sigma") << QStringLiteral("ΟΔΟΣ") << QStringLiteral("οδος") << true;
        QTest::newRow("another letter") << QStringLiteral("Milk") << QStringLiteral("mild") << false;
        QTest::newRow("longer than the text") << QStringLiteral("Mil") << QStringLiteral("milk") << false;
        QTest::newRow("Hangul syllables stay apart") << QStringLiteral("하") << QStringLiteral("한") << false;
        QTest::newRow("nothing typed") << QStringLiteral("Milk") << QString() << false;
    }

    void findIgnoresCaseAndAccents()
    {
        QFETCH(QString, text);
        QFETCH(QString, typed);
        QFETCH(bool, found);
        QCOMPARE(ItemSearch::Contains(text, ItemSearch::Fold(typed)), found);
    }

    // The items found in all lists, by name or description, with their
    // lists' names; a longer text looks among those found, yet an edit that
    // makes an item match is found by the next text, and the rows follow
    // ticks and lists that come and go.
    void foundItemsFollowTheLists()
    {
        CListCollection lists = Sample();
        lists[1].m_items[0].m_strDesc = QStringLiteral("by the bay");
        Model m(lists);
        CFoundItems found(m.model);
        QAbstractItemModelTester tester(&found, QAbstractItemModelTester::FailureReportingMode::QtTest);
        const auto rows = [&found] {
            QStringList texts;
            for (int r = 0; r < found.rowCount(); ++r)
                texts << found.index(r, CFoundItems::Name).data().toString() + u'/'
                                + found.index(r, CFoundItems::List).data().toString();
            return texts;
        };
        found.SetText(QStringLiteral("B"));
        QCOMPARE(rows(), (QStringList{QStringLiteral("b/A"), QStringLiteral("x/B")}));

        CListItem c = m.doc.Lists().at(0).m_items.at(2);
        c.m_strDesc = QStringLiteral("bay leaves");
        m.doc.ReplaceItem(0, 2, c);
        found.SetText(QStringLiteral("Bay"));
        QCOMPARE(rows(), (QStringList{QStringLiteral("c/A"), QStringLiteral("x/B")}));

        QVERIFY(found.setData(found.index(1, CFoundItems::Name), Qt::Checked, Qt::CheckStateRole));
        QVERIFY(m.doc.Lists().at(1).m_items.at(0).m_bDone);
        QCOMPARE(found.index(1, CFoundItems::Name).data(Qt::CheckStateRole).toInt(), int(Qt::Checked));

        CListCollection edited = m.doc.Lists();
        edited.removeAt(0);
        m.doc.ReplaceLists(edited);
        QCOMPARE(rows(), QStringList{QStringLiteral("x/B")});
        QCOMPARE(found.ItemAt(0), m.model.ItemIndex(0, 0));
    }
};

QUILLMARK_GUILESS_TEST_MAIN(TestListsModel)
#include "tst_listsmodel.moc"
