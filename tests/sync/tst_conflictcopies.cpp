#include "app/ConflictCopyOffer.h"
#include "model/ConflictCopies.h"
#include "model/DataFile.h"
#include "tests/sync/ConflictOffer.h"
#include "tests/testlib/DataFiles.h"
#include "tests/testlib/Lists.h"
#include "tests/testlib/QuillmarkTest.h"
#include "tests/testlib/ScriptedPrompter.h"

#include <QDir>
#include <QTemporaryDir>

using namespace QuillmarkTest;

// Copies that sync tools keep beside the data file when two computers
// changed it at once.
class TestConflictCopies : public QObject
{
    Q_OBJECT

private slots:
    void recognisesEachToolsEntries();
    void merge_data();
    void merge();
    void offerAtStart();
};

void TestConflictCopies::recognisesEachToolsEntries()
{
    const QStringList copies = {
        QStringLiteral("Quillmark (Ann's conflicted copy 2024-01-31 (1)).dat"),
        QStringLiteral("Quillmark (Ann's conflicted copy 2024-01-31).dat"),
        QStringLiteral("Quillmark (Ann\u2019s conflicted copy 2024-02-01) (2).dat"),
        QStringLiteral("Quillmark (conflicted copy 2024-01-31 153045).dat"),
        QStringLiteral("Quillmark.sync-conflict-20160101-010101.dat"),
        QStringLiteral("Quillmark.sync-conflict-20240131-153045-ABCDEF7.dat"),
    };
    const QStringList others = {
        QStringLiteral("Quillmark.dat"),
        QStringLiteral("Quillmark.dat.bak"),
        QStringLiteral("Quillmark.dat.AbCdEf"),
        QStringLiteral("Quillmark (conflicted copy).dat"),
        QStringLiteral("Quillmark.sync-conflict-20240131-153045-ABCDEF7.csv"),
        QStringLiteral("Quillmark.sync-conflict-2024-ABCDEF7.dat"),
        QStringLiteral("My Quillmark (conflicted copy 2024-01-31 153045).dat"),
        QStringLiteral("Lists.sync-conflict-20240131-153045-ABCDEF7.dat"),
    };
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    for (const QString &name : copies + others)
        QVERIFY(WriteFileBytes(dir.filePath(name), QByteArray(4, '\0')));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Quillmark.sync-conflict-20240131-153045-FOLDER7.dat")));

    QStringList found;
    for (const QString &path : ConflictCopies::Find(dir.filePath(QStringLiteral("Quillmark.dat"))))
        found.append(QFileInfo(path).fileName());
    QCOMPARE(found, copies);
    // The pattern comes from the data file's own name.
    const QString listsCopy = QStringLiteral("Lists (conflicted copy 2024-01-31 153045).dat");
    QVERIFY(WriteFileBytes(dir.filePath(listsCopy), QByteArray(4, '\0')));
    found.clear();
    for (const QString &path : ConflictCopies::Find(dir.filePath(QStringLiteral("Lists.dat"))))
        found.append(QFileInfo(path).fileName());
    QCOMPARE(found, (QStringList{listsCopy, QStringLiteral("Lists.sync-conflict-20240131-153045-ABCDEF7.dat")}));
}

void TestConflictCopies::merge_data()
{
    QTest::addColumn<QString>("ours");
    QTest::addColumn<QString>("copy");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QList<int>>("added"); // lists, items, ticks taken

    QTest::newRow("a list only the copy has comes last; equal lists once")
            << "Shop: Bread Milk" << "DIY: Nails | Shop: Bread Milk"
            << "Shop: Bread Milk | DIY: Nails" << QList<int>{1, 0, 0};
    QTest::newRow("a second list of one name is another list")
            << "Shop: A" << "Shop: A | Shop: B" << "Shop: A | Shop: B" << QList<int>{1, 0, 0};
    QTest::newRow("new items in name order; done where either has it done")
            << "Shop: Bread Milk* Tea" << "Shop: Apples Bread* Milk Tea Cheese"
            << "Shop: Apples Bread* Cheese Milk* Tea" << QList<int>{0, 2, 1};
    QTest::newRow("an edited item comes in both versions; each equal one stands for one")
            << "Shop: Milk/1l Milk/1l" << "Shop: Milk/1l Milk/2l Milk/1l Milk/1l"
            << "Shop: Milk/1l Milk/1l Milk/2l Milk/1l" << QList<int>{0, 2, 0};
}

void TestConflictCopies::merge()
{
    QFETCH(QString, ours);
    QFETCH(QString, copy);
    QFETCH(QString, expected);
    QFETCH(QList<int>, added);

    const ConflictCopies::Merged merged = ConflictCopies::Merge(Lists(ours), Lists(copy));
    QCOMPARE(Print(merged.lists), expected);
    QCOMPARE((QList<int>{merged.listsAdded, merged.itemsAdded, merged.ticksTaken}), added);
}

void TestConflictCopies::offerAtStart()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString dataPath = dir.filePath(QStringLiteral("Quillmark.dat"));
    const CListCollection ours = Lists(QStringLiteral("Shop: Bread Milk"));
    QVERIFY(WriteFileBytes(dataPath, WriteToBytes(ours)));

    const QString accepted = dir.filePath(QStringLiteral("Quillmark.sync-conflict-20240131-153045-ABCDEF7.dat"));
    QVERIFY(WriteFileBytes(accepted, WriteToBytes(Lists(QStringLiteral("Shop: Bread* Milk Tea | DIY: Nails")))));
    const QString declined = dir.filePath(QStringLiteral("Quillmark (Ann's conflicted copy 2024-02-01).dat"));
    QVERIFY(WriteFileBytes(declined, WriteToBytes(Lists(QStringLiteral("Garden: Seeds")))));
    // Cut off in the middle of its second list.
    const QString damaged = dir.filePath(QStringLiteral("Quillmark (conflicted copy 2024-01-31 153045).dat"));
    const QByteArray whole = WriteToBytes(Lists(QStringLiteral("Shop: Eggs | Car: Oil Tyres")));
    QVERIFY(WriteFileBytes(damaged, whole.left(whole.size() - 10)));
    CListCollection partial;
    const QString damage = QuillmarkTest::ReadBytes(whole.left(whole.size() - 10), partial).errorString;
    QVERIFY(!damage.isEmpty());

    const QString folder = ConflictCopies::MergedFolder(dataPath);
    const auto expectPrompts = [&](ScriptedPrompter &prompter) {
        prompter.ExpectQuestion(ConflictOffer::Question(declined, dataPath), false);
        prompter.ExpectMessage(QStringLiteral("A sync tool kept another version of your lists as %1, but it "
                                              "cannot be read (%2). It was left where it is.")
                                       .arg(damaged, damage));
        prompter.ExpectQuestion(ConflictOffer::Question(accepted, dataPath), true);
    };

    // The save fails: the copies stay where they are, as the only record of
    // what they hold.
    ScriptedPrompter failing;
    expectPrompts(failing);
    QStringList saved; // what each save was given
    bool saveWorks = false;
    const auto save = [&](const CListCollection &merged) {
        saved << Print(merged);
        return saveWorks;
    };
    QCOMPARE(ConflictCopyOffer::Run(nullptr, failing, dataPath, ConflictCopies::Find(dataPath), ours, save), 0);
    QM_VERIFY_PROMPTS(failing);
    QCOMPARE(saved, QStringList{QStringLiteral("Shop: Bread* Milk Tea | DIY: Nails")});
    QVERIFY(QFileInfo::exists(accepted));
    QVERIFY(!QFileInfo::exists(folder));

    // Saved: the merged copy moves aside, beside one of the same name that
    // is kept there already; the others stay.
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(WriteFileBytes(QDir(folder).filePath(QFileInfo(accepted).fileName()), "older"));
    ScriptedPrompter prompter;
    expectPrompts(prompter);
    prompter.ExpectMessage(ConflictOffer::Merged(
            QStringLiteral("1 list added, 1 item added to lists you had, 1 tick taken over"), dataPath));
    saveWorks = true;
    QCOMPARE(ConflictCopyOffer::Run(nullptr, prompter, dataPath, ConflictCopies::Find(dataPath), ours, save), 1);
    QM_VERIFY_PROMPTS(prompter);
    QCOMPARE(Entries(folder),
             (QStringList{QStringLiteral("Quillmark.sync-conflict-20240131-153045-ABCDEF7 (2).dat"),
                          QFileInfo(accepted).fileName()}));
    QCOMPARE(Entries(dir.path()),
             (QStringList{QStringLiteral("Merged conflict copies"), QFileInfo(declined).fileName(),
                          QFileInfo(damaged).fileName(), QStringLiteral("Quillmark.dat")}));
}

QUILLMARK_TEST_MAIN(TestConflictCopies)
#include "tst_conflictcopies.moc"
