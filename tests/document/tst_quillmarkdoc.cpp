#include "document/QuillmarkDoc.h"
#include "model/SortedAdd.h"
#include "tests/testlib/DataFiles.h"
#include "tests/testlib/Lists.h"
#include "tests/testlib/QuillmarkTest.h"

#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>

using namespace QuillmarkTest;

namespace {

// A document on a data file holding RichSample() in a folder of its own,
// loaded unless the test says otherwise.
struct Loaded
{
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("Quillmark.dat"));
    CQuillmarkDoc doc;

    explicit Loaded(bool load = true)
    {
        QVERIFY(WriteFileBytes(path, WriteToBytes(RichSample())));
        doc.SetPath(path);
        if (load)
            doc.Load();
    }
};

enum class Change { Tick, Untick, Edit, ListSetup, Import, UntickAll, Duplicate, MoveItem, RemoveItems, RemoveList, AddItems };

// Makes the change on the document and says what the lists must be after it.
CListCollection Make(CQuillmarkDoc &doc, Change change)
{
    CListCollection after = doc.Lists();
    switch (change) {
    case Change::Tick:
        after[2].m_items[1].m_bDone = true;
        doc.SetDone(2, 1, true);
        break;
    case Change::Untick:
        after[0].m_items[1].m_bDone = false;
        doc.SetDone(0, 1, false);
        break;
    case Change::Edit:
        after[0].m_items[0].SetName(QStringLiteral("Oat milk"));
        doc.ReplaceItem(0, 0, after[0].m_items.at(0));
        break;
    case Change::ListSetup:
        after.removeAt(1);
        after[1].SetName(QStringLiteral("Wide"));
        doc.ReplaceLists(after);
        break;
    case Change::Import:
        after.append(RichSample().at(0));
        after.last().SetName(QStringLiteral("Shop"));
        doc.AppendList(after.last());
        break;
    case Change::UntickAll:
        after[2].m_items[0].m_bDone = false;
        doc.UntickAll(2);
        break;
    case Change::Duplicate:
        after.append(after.at(0));
        after.last().SetName(QStringLiteral("Shop"));
        after.last().m_items[1].m_bDone = false;
        doc.DuplicateList(0, QStringLiteral("Shop"), true);
        break;
    case Change::MoveItem:
        // Into the place its name takes, the last one here.
        after[0].m_items.append(after.at(2).m_items.at(0));
        after[2].m_items.removeFirst();
        doc.MoveItem(2, 0, 0);
        break;
    case Change::RemoveItems:
        after[0].m_items.removeAt(2);
        after[0].m_items.removeAt(0);
        doc.RemoveItems(0, {0, 2, 0}); // in any order, a row named twice once
        break;
    case Change::RemoveList:
        after.removeAt(0);
        doc.RemoveList(0);
        break;
    case Change::AddItems: {
        const QList<CListItem> items{Item(QStringLiteral("Kiwi")), Item(QStringLiteral("Apple")).Price(2)};
        AddItemsSorted(after[1], items);
        doc.AddItems(1, items);
        break;
    }
    }
    return after;
}

} // namespace

Q_DECLARE_METATYPE(Change)

class TestQuillmarkDoc : public QObject
{
    Q_OBJECT

private slots:
    void changeUndoneAndRedone_data();
    void changeUndoneAndRedone();
    void listsReplacedNamesTheChangedRun_data();
    void listsReplacedNamesTheChangedRun();
    void ticksStayUnsavedUntilTheNextSave();
    void changesOfNothingAreNoStep();
    void stepsOwnSaveTakesNewerFileIn();
    void reuseGoesOntoNewerFile();
    void nothingIsWrittenBeforeTheFirstLoad();
    void identitiesFollowListsAndItems_data();
    void identitiesFollowListsAndItems();
};

void TestQuillmarkDoc::changeUndoneAndRedone_data()
{
    QTest::addColumn<Change>("change");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("saves");
    QTest::newRow("tick") << Change::Tick << QStringLiteral("Tick 'apple'") << false;
    QTest::newRow("untick") << Change::Untick << QStringLiteral("Untick 'Café crème'") << false;
    QTest::newRow("edit") << Change::Edit << QStringLiteral("Edit 'Milk'") << true;
    QTest::newRow("List Setup") << Change::ListSetup << QStringLiteral("List Setup") << true;
    QTest::newRow("import") << Change::Import << QStringLiteral("Import 'Shop'") << true;
    QTest::newRow("untick all") << Change::UntickAll << QStringLiteral("Untick All '%1'").arg(QString(300, u'\u00e9'))
                                << true;
    QTest::newRow("duplicate") << Change::Duplicate << QStringLiteral("Duplicate List 'Groceries'") << true;
    QTest::newRow("move") << Change::MoveItem << QStringLiteral("Move Item 'Zebra \u20ac \U0001F600'") << true;
    QTest::newRow("remove items") << Change::RemoveItems << QStringLiteral("Remove 2 items") << true;
    QTest::newRow("remove a list") << Change::RemoveList << QStringLiteral("Remove 'Groceries'") << true;
    QTest::newRow("add items") << Change::AddItems << QStringLiteral("Add 2 items") << true;
}

// The file follows the history for the changes that save: after the undo
// it is byte for byte the file before the change.
void TestQuillmarkDoc::changeUndoneAndRedone()
{
    QFETCH(Change, change);
    QFETCH(QString, text);
    QFETCH(bool, saves);
    Loaded l;
    const CListCollection before = l.doc.Lists();
    const QByteArray fileBefore = FileBytes(l.path);
    QUndoStack *history = l.doc.UndoStack();

    const CListCollection after = Make(l.doc, change);
    const QByteArray fileAfter = saves ? WriteToBytes(after) : fileBefore;
    QCOMPARE(history->count(), 1);
    QCOMPARE(history->undoText(), text);
    QCOMPARE(l.doc.Lists(), after);
    QCOMPARE(FileBytes(l.path), fileAfter);
    QCOMPARE(l.doc.HasUnsavedChanges(), !saves);

    history->undo();
    QCOMPARE(l.doc.Lists(), before);
    QCOMPARE(FileBytes(l.path), fileBefore);
    QVERIFY(!l.doc.HasUnsavedChanges());
    QCOMPARE(history->redoText(), text);

    history->redo();
    QCOMPARE(l.doc.Lists(), after);
    QCOMPARE(FileBytes(l.path), fileAfter);
    QCOMPARE(l.doc.HasUnsavedChanges(), !saves);
}

void TestQuillmarkDoc::listsReplacedNamesTheChangedRun_data()
{
    const CListCollection rich = RichSample();
    const CListItemArray a = rich.at(0), b = rich.at(1), c = rich.at(2);
    CListItemArray a2 = a;
    a2.m_items.removeLast();
    QTest::addColumn<CListCollection>("before");
    QTest::addColumn<CListCollection>("after");
    QTest::addColumn<QList<int>>("span"); // first, removed, inserted
    QTest::newRow("one list changed") << CListCollection{b, a, c} << CListCollection{b, a2, c} << QList<int>{1, 1, 1};
    QTest::newRow("one of two alike removed") << CListCollection{a, b, b, c} << CListCollection{a, b, c}
                                              << QList<int>{2, 1, 0};
    QTest::newRow("alike added after alike") << CListCollection{b} << CListCollection{b, b} << QList<int>{1, 0, 1};
    QTest::newRow("all removed") << CListCollection{a, b} << CListCollection{} << QList<int>{0, 2, 0};
    QTest::newRow("first and last changed") << CListCollection{a, b, c} << CListCollection{c, b, a}
                                            << QList<int>{0, 3, 3};
}

// The view rebuilds only the run the signal names: the lists outside it
// must really be the old ones.
void TestQuillmarkDoc::listsReplacedNamesTheChangedRun()
{
    QFETCH(CListCollection, before);
    QFETCH(CListCollection, after);
    QFETCH(QList<int>, span);
    Loaded l;
    l.doc.ReplaceLists(before);
    QSignalSpy replaced(&l.doc, &CQuillmarkDoc::listsReplaced);
    QSignalSpy items(&l.doc, &CQuillmarkDoc::itemChanged);
    l.doc.ReplaceLists(after);
    QCOMPARE(replaced.size(), 1);
    const QList<int> got{replaced.at(0).at(0).toInt(), replaced.at(0).at(1).toInt(), replaced.at(0).at(2).toInt()};
    QCOMPARE(got, span);
    QCOMPARE(items.size(), 0);
}

// A tick saves nothing: the next save takes it along, and the lists as last
// saved tell what is still open.
void TestQuillmarkDoc::ticksStayUnsavedUntilTheNextSave()
{
    Loaded l;
    QVERIFY(l.doc.SetDone(0, 0, true));
    QVERIFY(l.doc.HasUnsavedChanges());

    CListItem apple = l.doc.Lists().at(2).m_items.at(1);
    apple.m_dPrice = 7.0;
    QVERIFY(l.doc.ReplaceItem(2, 1, apple));
    QCOMPARE(FileBytes(l.path), WriteToBytes(l.doc.Lists()));
    QVERIFY(!l.doc.HasUnsavedChanges());

    // Undoing the edit writes the file again, the tick still in it; undoing
    // the tick then leaves a file that differs from the lists held.
    l.doc.UndoStack()->undo();
    QCOMPARE(FileBytes(l.path), WriteToBytes(l.doc.Lists()));
    l.doc.UndoStack()->undo();
    QCOMPARE(l.doc.Lists(), RichSample());
    QVERIFY(l.doc.HasUnsavedChanges());
    QVERIFY(l.doc.Save());
    QCOMPARE(FileBytes(l.path), WriteToBytes(RichSample()));
}

// Indexes that name no item change nothing. The item form's and List
// Setup's OK save as they always did, but a change that changes nothing is
// no step to undo.
void TestQuillmarkDoc::changesOfNothingAreNoStep()
{
    Loaded l;
    QSignalSpy changed(&l.doc, &CQuillmarkDoc::itemChanged);
    const CListItem item = l.doc.Lists().at(0).m_items.at(0);
    QVERIFY(!l.doc.SetDone(-1, 0, true));
    QVERIFY(!l.doc.SetDone(1, 0, true)); // the empty list
    QVERIFY(!l.doc.ReplaceItem(3, 0, item));
    QVERIFY(!l.doc.ReplaceItem(0, -1, item));
    QVERIFY(!l.doc.RemoveItems(0, {}));
    QVERIFY(!l.doc.RemoveItems(0, {1, 3}));
    QVERIFY(!l.doc.RemoveItems(0, {-1}));
    QVERIFY(!l.doc.RemoveList(3));
    QCOMPARE(l.doc.UndoStack()->count(), 0);
    QCOMPARE(changed.size(), 0);
    QCOMPARE(l.doc.Lists(), RichSample());

    QVERIFY(l.doc.SetDone(0, 0, true));
    QVERIFY(l.doc.ReplaceItem(2, 0, l.doc.Lists().at(2).m_items.at(0)));
    QCOMPARE(FileBytes(l.path), WriteToBytes(l.doc.Lists()));
    QVERIFY(QFile::remove(l.path));
    l.doc.ReplaceLists(l.doc.Lists());
    QCOMPARE(FileBytes(l.path), WriteToBytes(l.doc.Lists()));
    QVERIFY(l.doc.SetDone(0, 0, true)); // already done
    QCOMPARE(l.doc.UndoStack()->count(), 1);
    QCOMPARE(l.doc.UndoStack()->undoText(), QStringLiteral("Tick 'Milk'"));
}

// An undo run by the history itself saves once it has ended; a newer file
// that save finds is taken in, with the undo on it, and the history it ran
// in is gone.
void TestQuillmarkDoc::stepsOwnSaveTakesNewerFileIn()
{
    Loaded l;
    Make(l.doc, Change::Import);
    CListCollection newer = l.doc.Lists();
    newer[2].SetName(QStringLiteral("Wide"));
    QVERIFY(RenameOver(l.path, WriteToBytes(newer)));
    l.doc.UndoStack()->undo();
    newer.removeLast();
    QCOMPARE(l.doc.Lists(), newer);
    QCOMPARE(FileBytes(l.path), WriteToBytes(newer));
    QCOMPARE(l.doc.UndoStack()->count(), 0);
    QVERIFY(!l.doc.HasUnsavedChanges());
}

// A list used again on lists a newer file has replaced: the change goes
// onto the lists it was made on, found again in the newer ones, and is the
// first step of the new history.
void TestQuillmarkDoc::reuseGoesOntoNewerFile()
{
    // Another computer put a list in front and ticked the unnamed item.
    CListCollection newer = RichSample();
    newer[0].m_items[2].m_bDone = true;
    newer.prepend(RichSample().at(0));
    newer[0].SetName(QStringLiteral("Work"));
    Loaded l;
    QVERIFY(RenameOver(l.path, WriteToBytes(newer)));
    QSignalSpy told(&l.doc, &CQuillmarkDoc::changesFromElsewhere);
    Make(l.doc, Change::MoveItem);
    newer[1].m_items.append(newer[3].m_items.takeFirst());
    QCOMPARE(l.doc.Lists(), newer);
    QCOMPARE(FileBytes(l.path), WriteToBytes(newer));
    QCOMPARE(l.doc.UndoStack()->count(), 1);
    QCOMPARE(told.size(), 0);
}

// Saving before anything was read would put an empty collection in place of
// the user's file.
void TestQuillmarkDoc::nothingIsWrittenBeforeTheFirstLoad()
{
    Loaded l(false);
    QVERIFY(l.doc.Save());
    l.doc.AppendList(RichSample().at(0));
    QCOMPARE(FileBytes(l.path), WriteToBytes(RichSample()));
    l.doc.Load();
    QCOMPARE(l.doc.Lists(), RichSample());
    QCOMPARE(l.doc.UndoStack()->count(), 0); // a new history
}

namespace {

// Who each list and item is, told by what none of the changes below alters
// in RichSample(): a list's icon, an item's time.
QString Tag(const CListItemArray &list)
{
    return QStringLiteral("list %1").arg(list.m_nIcon);
}

QString Tag(const CListItem &item)
{
    return QStringLiteral("item %1").arg(item.m_time);
}

QHash<QString, QString> IdsByTag(const CQuillmarkDoc &doc)
{
    QHash<QString, QString> out;
    for (qsizetype i = 0; i < doc.Lists().size(); ++i) {
        out.insert(Tag(doc.Lists().at(i)), doc.Ids().at(i).list);
        for (qsizetype k = 0; k < doc.Lists().at(i).m_items.size(); ++k)
            out.insert(Tag(doc.Lists().at(i).m_items.at(k)), doc.Ids().at(i).items.at(k));
    }
    return out;
}

// Every list and item keeps the identity its tag had, each appears once,
// and the last `newLists` lists and all that is new have identities of
// their own.
void VerifyIds(const CQuillmarkDoc &doc, const QHash<QString, QString> &before, int newLists)
{
    const CListCollection &lists = doc.Lists();
    const CollectionIds &ids = doc.Ids();
    QCOMPARE(ids.size(), lists.size());
    QSet<QString> seen;
    const QSet<QString> old(before.cbegin(), before.cend());
    const auto check = [&](const QString &id, const QString &tag, bool isNew) {
        QVERIFY2(!id.isEmpty() && !seen.contains(id), qPrintable(tag));
        seen.insert(id);
        if (isNew || !before.contains(tag))
            QVERIFY2(!old.contains(id), qPrintable(tag));
        else
            QVERIFY2(id == before.value(tag), qPrintable(tag));
    };
    for (qsizetype i = 0; i < lists.size(); ++i) {
        const bool isNew = i >= lists.size() - newLists;
        check(ids.at(i).list, Tag(lists.at(i)), isNew);
        QCOMPARE(ids.at(i).items.size(), lists.at(i).m_items.size());
        for (qsizetype k = 0; k < lists.at(i).m_items.size(); ++k)
            check(ids.at(i).items.at(k), Tag(lists.at(i).m_items.at(k)), isNew);
    }
}

} // namespace

void TestQuillmarkDoc::identitiesFollowListsAndItems_data()
{
    QTest::addColumn<int>("change"); // a Change, or -1 merged copies, -2 a newer file
    QTest::addColumn<int>("newLists");
    for (const Change change : {Change::Tick, Change::Untick, Change::Edit, Change::ListSetup, Change::UntickAll,
                                Change::MoveItem, Change::RemoveItems, Change::RemoveList})
        QTest::addRow("change %d", int(change)) << int(change) << 0;
    QTest::newRow("import") << int(Change::Import) << 1;
    QTest::newRow("duplicate") << int(Change::Duplicate) << 1;
    QTest::newRow("merged copies") << -1 << 0;
    QTest::newRow("newer file") << -2 << 0;
}

// A sync tells by these identities which list and item on the server is
// which: through edits, ticks, moves, undo and redo, merges, a newer file
// and restarts they stay; a copy gets its own; a restart on a file changed
// meanwhile finds them by content, and one on a damaged identities file
// loses and doubles nothing.
void TestQuillmarkDoc::identitiesFollowListsAndItems()
{
    QFETCH(int, change);
    QFETCH(int, newLists);
    Loaded l;
    const CollectionIds ids0 = l.doc.Ids();
    const QHash<QString, QString> tags = IdsByTag(l.doc);
    CListCollection changed = l.doc.Lists();
    changed[0].m_items.append(Item(QStringLiteral("Bread")).Time(Local(2031, 1, 1, 0, 0)));
    changed[2].m_items[1].m_bDone = true;
    if (change == -1) {
        QVERIFY(l.doc.MergeIn(changed));
    } else if (change == -2) {
        QVERIFY(RenameOver(l.path, WriteToBytes(changed)));
        l.doc.CatchUpWithFile();
        QCOMPARE(l.doc.Lists(), changed);
    } else {
        Make(l.doc, Change(change));
    }
    VerifyIds(l.doc, tags, newLists);
    const CollectionIds ids1 = l.doc.Ids();
    if (l.doc.UndoStack()->count() > 0) {
        l.doc.Undo();
        QCOMPARE(l.doc.Ids(), ids0);
        l.doc.Redo();
        QCOMPARE(l.doc.Ids(), ids1);
    }

    QVERIFY(l.doc.Save());
    {
        CQuillmarkDoc again;
        again.SetPath(l.path);
        again.Load();
        QCOMPARE(again.Ids(), ids1);
    }
    // Another program's save the identities file does not know of.
    CListCollection other = l.doc.Lists();
    other.last().m_items.append(Item(QStringLiteral("Pears")).Time(Local(2032, 1, 1, 0, 0)));
    if (!other.first().m_items.isEmpty())
        other.first().m_items.first().m_bDone ^= true;
    QVERIFY(RenameOver(l.path, WriteToBytes(other)));
    {
        CQuillmarkDoc again;
        again.SetPath(l.path);
        again.Load();
        CollectionIds ids = again.Ids();
        QCOMPARE(ids.last().items.size(), other.last().m_items.size());
        const QString pears = ids.last().items.takeLast();
        QCOMPARE(ids, ids1);
        QVERIFY(!IdsByTag(l.doc).values().contains(pears));
    }
    const QString idsPath = ListIdentity::PathBeside(l.path);
    QVERIFY(QFile::resize(idsPath, QFileInfo(idsPath).size() / 2));
    {
        CQuillmarkDoc again;
        again.SetPath(l.path);
        again.Load();
        QCOMPARE(again.Lists(), other);
        VerifyIds(again, {}, 0);
    }
}

QUILLMARK_GUILESS_TEST_MAIN(TestQuillmarkDoc)
#include "tst_quillmarkdoc.moc"
