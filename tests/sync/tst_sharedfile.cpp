// The window open on a data file that another program writes meanwhile: a
// sync tool bringing another computer's lists, whole or cut off. The frame
// runs with its real file watcher; nothing either side changed may be lost.

#include "app/MainFrame.h"
#include "dialogs/NewItemDlg.h"
#include "document/QuillmarkDoc.h"
#include "model/ConflictCopies.h"
#include "model/UnsavedChanges.h"
#include "platform/DataFileWatcher.h"
#include "res/Strings.h"
#include "tests/sync/ConflictOffer.h"
#include "tests/testlib/DataFiles.h"
#include "tests/testlib/Lists.h"
#include "tests/testlib/QuillmarkTest.h"
#include "tests/testlib/ScriptedPrompter.h"
#include "tests/view/ViewFixture.h"

#include <QDir>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>

using namespace ViewTest;
using QuillmarkTest::RenameOver;
using QuillmarkTest::WriteToBytes;

namespace {

// The sample as another computer changed it: "Packing" gone from "Trip",
// "Salt" ticked and "Passport" added; with "Bread" ticked here on top.
CListCollection Elsewhere(bool breadTickedHere = false)
{
    CListCollection lists = SampleLists();
    lists[1].m_items.removeLast();
    lists[1].AddItemSorted(Item(QStringLiteral("Passport")));
    lists[0].m_items[2].m_bDone = true;
    lists[0].m_items[0].m_bDone = breadTickedHere;
    return lists;
}

QString UndoText(const CMainFrame &frame)
{
    return frame.View()->Action(CViewActions::Undo)->text();
}

} // namespace

class TestSharedFile : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void newerFileRenamedOver_data();
    void newerFileRenamedOver();
    void saveFindsNewerFile();
    void cutOffNewerFileIsNotTakenIn();
    void conflictCopyOfferedAtStart_data();
    void conflictCopyOfferedAtStart();
    void ownSaveSetAsideIsTakenBack_data() { conflictCopyOfferedAtStart_data(); }
    void ownSaveSetAsideIsTakenBack();

private:
    // The data file moves into a synced folder and a link takes its place;
    // m_target is where the file itself is now.
    void LinkIntoSyncedFolder();
    // Where a sync tool puts the copy it keeps of the data file.
    QString SyncthingCopy() const
    {
        return QFileInfo(m_target).absoluteDir().filePath(QFileInfo(m_target).completeBaseName()
                                                          + QStringLiteral(".sync-conflict-20240131-153045-ABCDEF7.dat"));
    }
    void Start(CMainFrame &frame);
    CTreeOptionsCtrl *Tree(const CMainFrame &frame) const { return frame.View()->findChild<CTreeOptionsCtrl *>(); }
    void Tick(const CMainFrame &frame, int list, int item) const
    {
        Tree(frame)->setCurrentIndex(QuillmarkTest::TreeNode(*Tree(frame), list, item));
        QTest::keyClick(Tree(frame), Qt::Key_Space);
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
    QString m_target;
};

void TestSharedFile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_path = m_dir->filePath(QStringLiteral("Quillmark.dat"));
    m_target = m_path;
    QVERIFY(WriteDataFile(m_path, SampleLists()));
}

void TestSharedFile::LinkIntoSyncedFolder()
{
    QFETCH(bool, linked);
    if (!linked)
        return;
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("Sync")));
    m_target = m_dir->filePath(QStringLiteral("Sync/Lists.dat"));
    QVERIFY(QFile::rename(m_path, m_target));
    QVERIFY(QFile::link(m_target, m_path));
}

void TestSharedFile::conflictCopyOfferedAtStart_data()
{
    QTest::addColumn<bool>("linked");
    QTest::newRow("the data file") << false;
    QTest::newRow("a link into a synced folder") << true;
}

void TestSharedFile::Start(CMainFrame &frame)
{
    frame.Document()->SetPath(m_path);
    frame.OnInitialUpdate();
    frame.show();
    frame.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&frame));
    QCoreApplication::sendPostedEvents();
}

void TestSharedFile::newerFileRenamedOver_data()
{
    QTest::addColumn<bool>("ticksHere");
    QTest::newRow("nothing unsaved here") << false;
    QTest::newRow("ticks unsaved here") << true;
}

// Shown as soon as it is there; unsaved ticks go on top of it, and the one
// whose item is gone there is named, not dropped in silence. Nothing is
// written until the user saves.
void TestSharedFile::newerFileRenamedOver()
{
    QFETCH(bool, ticksHere);
    ScriptedPrompter prompter;
    CMainFrame frame(nullptr, &prompter);
    Start(frame);
    const CListCollection expected = Elsewhere(ticksHere);
    if (ticksHere) {
        Tick(frame, 0, 0); // Bread
        Tick(frame, 1, 1); // Packing, which is gone there
        prompter.ExpectMessage(UnsavedChanges::Describe(
                {{UnsavedChanges::Note::Kind::TickNotApplied, QStringLiteral("Trip"), QStringLiteral("Packing"), true}}));
    }
    Tree(frame)->expand(QuillmarkTest::TreeNode(*Tree(frame), 0));
    // The details of "Packing" are on show.
    Tree(frame)->setCurrentIndex(QuillmarkTest::TreeNode(*Tree(frame), 1, 1));
    QTest::keyClick(Tree(frame), Qt::Key_Return);
    QVERIFY(Tree(frame)->isHidden());

    QVERIFY(RenameOver(m_path, WriteToBytes(Elsewhere())));
    QTRY_COMPARE_WITH_TIMEOUT(frame.Document()->Lists(), expected, 5000);
    QM_VERIFY_PROMPTS(prompter);
    QVERIFY(!Tree(frame)->isHidden()); // its item is gone: back to the tree
    QVERIFY(Tree(frame)->isExpanded(QuillmarkTest::TreeNode(*Tree(frame), 0))); // as it was
    QCOMPARE(QuillmarkTest::TreeNode(*Tree(frame), 1, 0).data().toString(), QStringLiteral("Passport"));
    QCOMPARE(frame.Document()->HasUnsavedChanges(), ticksHere);
    QCOMPARE(FileBytes(m_path), WriteToBytes(Elsewhere()));

    frame.close();
    QCOMPARE(ReadDataFile(m_path), expected);
}

// An edit saves while another program has just changed another list, before
// the watcher has said so: both changes are in the file, with the tick that
// was still unsaved here. The edit is the one step to undo, on top of the
// newer lists; an Undo that itself finds a newer file takes it in instead.
void TestSharedFile::saveFindsNewerFile()
{
    ScriptedPrompter prompter;
    CMainFrame frame(nullptr, &prompter);
    Start(frame);
    Tick(frame, 0, 0); // Bread
    QVERIFY(RenameOver(m_path, WriteToBytes(Elsewhere())));

    prompter.ExpectDialog<CNewItemDlg>([](CNewItemDlg &d) {
        d.NameField()->setText(QStringLiteral("Sea salt"));
        d.OKButton()->click();
        return d.result();
    });
    Tree(frame)->setCurrentIndex(QuillmarkTest::TreeNode(*Tree(frame), 0, 2));
    frame.findChild<QAction *>(QStringLiteral("actionEdit"))->trigger();
    QM_VERIFY_PROMPTS(prompter);
    const CListCollection expected = Elsewhere(true);
    CListCollection edited = expected;
    edited[0].m_items[2].SetName(QStringLiteral("Sea salt")); // ticked there, kept so
    QCOMPARE(frame.Document()->Lists(), edited);
    QCOMPARE(ReadDataFile(m_path), edited);
    QCOMPARE(UndoText(frame), QStringLiteral("&Undo Edit 'Salt'"));

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(frame.Document()->Lists(), expected);
    QCOMPARE(ReadDataFile(m_path), expected);

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(ReadDataFile(m_path), edited);
    // Another computer renames a list in the file as saved here.
    CListCollection third = edited;
    third[2].SetName(QStringLiteral("Nothing yet"));
    QVERIFY(RenameOver(m_path, WriteToBytes(third)));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(frame.Document()->Lists(), third);
    QVERIFY(!frame.Document()->UndoStack()->canUndo());
    QM_VERIFY_PROMPTS(prompter);
}

// A file cut off mid-sync is not taken in and not saved over: the user is
// told once for those bytes, a save refuses and says why, and once the
// whole file is there, it is taken in with every change made here meanwhile.
void TestSharedFile::cutOffNewerFileIsNotTakenIn()
{
    ScriptedPrompter prompter;
    CMainFrame frame(nullptr, &prompter);
    Start(frame);
    Tick(frame, 0, 0); // Bread

    const QByteArray whole = WriteToBytes(Elsewhere());
    const QByteArray cut = whole.left(whole.size() - 30);
    CListCollection partial;
    const QString reason = QuillmarkTest::ReadBytes(cut, partial).errorString;
    QVERIFY(!reason.isEmpty());
    prompter.ExpectMessage(QStringLiteral("Your lists in %1 were changed by another program or on another "
                                          "computer, but the newer file cannot be read completely (%2); it "
                                          "may still be arriving. The lists shown here are kept, and Quillmark "
                                          "does not save over that file until it can read it whole.")
                                   .arg(m_path, reason));
    QVERIFY(RenameOver(m_path, cut));
    QTRY_COMPARE_WITH_TIMEOUT(prompter.Shown().size(), 1, 5000);
    QVERIFY(RenameOver(m_path, cut)); // the same bytes again: not told again
    QTest::qWait(3 * CDataFileWatcher::kSettleMs);
    QM_VERIFY_PROMPTS(prompter);

    // List Setup's OK saves: refused.
    CListCollection setUp = frame.Document()->Lists();
    setUp[2].SetName(QStringLiteral("Later"));
    prompter.ExpectMessage(Str::SaveFailed(m_path, QStringLiteral("another program changed the file, and the "
                                                                  "newer file cannot be read completely (%1), "
                                                                  "so it is not replaced")
                                                           .arg(reason)));
    frame.Document()->ReplaceLists(setUp);
    QM_VERIFY_PROMPTS(prompter);
    QCOMPARE(FileBytes(m_path), cut);
    QCOMPARE(frame.Document()->Lists(), setUp);

    QVERIFY(RenameOver(m_path, whole));
    CListCollection expected = Elsewhere(true);
    expected[2].SetName(QStringLiteral("Later"));
    QTRY_COMPARE_WITH_TIMEOUT(frame.Document()->Lists(), expected, 5000);
    frame.close();
    QCOMPARE(ReadDataFile(m_path), expected);
    QM_VERIFY_PROMPTS(prompter);
}

// Once the window is up; saved as one step before the copy moves aside.
void TestSharedFile::conflictCopyOfferedAtStart()
{
    LinkIntoSyncedFolder();
    const QString copy = SyncthingCopy();
    QVERIFY(WriteDataFile(copy, Elsewhere()));
    const QString folder = ConflictCopies::MergedFolder(m_path);
    ScriptedPrompter prompter;
    prompter.ExpectQuestion(ConflictOffer::Question(copy, m_path), true);
    prompter.ExpectMessage(ConflictOffer::Merged(
            QStringLiteral("0 lists added, 1 item added to lists you had, 1 tick taken over"), m_path));
    CMainFrame frame(nullptr, &prompter);
    Start(frame);
    QM_VERIFY_PROMPTS(prompter);
    QCOMPARE(ReadDataFile(m_path), ConflictCopies::Merge(SampleLists(), Elsewhere()).lists);
    QVERIFY(!QFileInfo::exists(copy));
    QCOMPARE(QFileInfo(folder).absolutePath(), QFileInfo(m_target).absolutePath());
    QCOMPARE(ReadDataFile(QDir(folder).filePath(QFileInfo(copy).fileName())), Elsewhere());
    QCOMPARE(UndoText(frame), QStringLiteral("&Undo Merge Conflict Copies"));
    QCOMPARE(QFileInfo(m_path).isSymLink(), m_target != m_path); // saved through the link
}

// Another computer saved at the same moment as this window, and the sync
// tool kept the other save, setting this one aside as a conflict copy. The
// window knows what its save changed, so it puts that back at once without
// asking, an untick included, which no merge of the copy alone could tell
// from an older tick.
void TestSharedFile::ownSaveSetAsideIsTakenBack()
{
    LinkIntoSyncedFolder();
    ScriptedPrompter prompter;
    CMainFrame frame(nullptr, &prompter);
    Start(frame);
    Tick(frame, 0, 1); // Milk, done in the sample: unticked
    QVERIFY(frame.Document()->Save());
    CListCollection there = SampleLists();
    there[1].m_items[1].m_bDone = true; // Packing

    // The sync tool works beside the file itself.
    const QString copy = SyncthingCopy();
    QVERIFY(QFile::rename(m_target, copy));
    QVERIFY(RenameOver(m_target, WriteToBytes(there)));
    CListCollection both = there;
    both[0].m_items[1].m_bDone = false;
    QTRY_COMPARE_WITH_TIMEOUT(ReadDataFile(m_path), both, 5000);
    QCOMPARE(frame.Document()->Lists(), both);
    QVERIFY(!QFileInfo::exists(copy));
    QVERIFY(QFileInfo::exists(QDir(ConflictCopies::MergedFolder(m_path)).filePath(QFileInfo(copy).fileName())));
    QCOMPARE(UndoText(frame), QStringLiteral("&Undo Merge Conflict Copies"));
    QM_VERIFY_PROMPTS(prompter);
}

QUILLMARK_TEST_MAIN(TestSharedFile)
#include "tst_sharedfile.moc"
