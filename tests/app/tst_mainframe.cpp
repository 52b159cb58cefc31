#include "app/AboutDlg.h"
#include "app/HelpWindow.h"
#include "app/MainFrame.h"
#include "model/QuillmarkDoc.h"
#include "res/ClientArea.h"
#include "res/Strings.h"
#include "tests/testlib/DataFiles.h"
#include "tests/testlib/Lists.h"
#include "tests/testlib/QuillmarkTest.h"
#include "tests/testlib/ScriptedPrompter.h"
#include "tests/view/ViewFixture.h"

#include <QFile>
#include <QFileInfo>
#include <QMenuBar>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBlock>

using namespace ViewTest;

class TestMainFrame : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void titleAndMenus();
    void undoAndRedoOnEveryScreen_data();
    void undoAndRedoOnEveryScreen();
    void damagedFileIsToldOnceAfterStart();
    void viewClientAreaIsFixed();
    void aboutRunsTwoSeparateBoxes();
    void contentsOpensTheHelpPageAtItsAnchor();
    void closeWithFailingSaveKeepsTheWindowOpen();
    void exitSavesOnceThenCloseDoesNotSaveAgain();

private:
    // A frame over a data file in the test's own folder.
    void SetUp(CMainFrame &frame, ScriptedPrompter &prompter, const QString &dataPath);

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestMainFrame::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestMainFrame::SetUp(CMainFrame &frame, ScriptedPrompter &prompter, const QString &dataPath)
{
    frame.SetPrompter(&prompter);
    frame.Document()->SetPath(dataPath);
    frame.OnInitialUpdate();
    frame.show();
    // A message queued by the start (a damaged file) would come now.
    QCoreApplication::sendPostedEvents();
}

namespace {

QStringList Texts(const QMenu *menu)
{
    QStringList texts;
    for (const QAction *entry : menu->actions())
        texts << entry->text() + (entry->isEnabled() ? QString() : QStringLiteral(" (greyed)"));
    return texts;
}

} // namespace

void TestMainFrame::titleAndMenus()
{
    CMainFrame frame;
    QCOMPARE(frame.windowTitle(), QStringLiteral("Quillmark"));
    const QList<QAction *> menus = frame.menuBar()->actions();
    QCOMPARE(menus.size(), 3);
    QCOMPARE(menus.at(0)->text(), QStringLiteral("&Edit"));
    QCOMPARE(menus.at(1)->text(), QStringLiteral("&List"));
    QCOMPARE(menus.at(2)->text(), QStringLiteral("&Help"));
    QCOMPARE(Texts(menus.at(0)->menu()), (QStringList{QStringLiteral("&Undo (greyed)"), QStringLiteral("&Redo (greyed)")}));
    QCOMPARE(Texts(menus.at(1)->menu()), (QStringList{QStringLiteral("&Find..."), QStringLiteral("&Hide Done Items")}));
    QCOMPARE(Texts(menus.at(2)->menu()), (QStringList{QStringLiteral("&About ..."), QStringLiteral("Contents")}));
}

void TestMainFrame::undoAndRedoOnEveryScreen_data()
{
    QTest::addColumn<int>("screen"); // 0 the tree, 1 an item table, 2 an item's details
    QTest::newRow("tree") << 0;
    QTest::newRow("item table") << 1;
    QTest::newRow("details") << 2;
}

// Ctrl+Z undoes and Ctrl+Shift+Z and Ctrl+Y redo wherever the focus is; the
// Edit menu names the change and is greyed when there is nothing to do.
void TestMainFrame::undoAndRedoOnEveryScreen()
{
    QFETCH(int, screen);
    const QString dataPath = m_dir->filePath(QStringLiteral("Quillmark.dat"));
    QVERIFY(WriteDataFile(dataPath, SampleLists()));
    ScriptedPrompter prompter;
    CMainFrame frame;
    SetUp(frame, prompter, dataPath);
    frame.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&frame));
    auto *tree = frame.View()->findChild<CTreeOptionsCtrl *>();
    tree->setCurrentIndex(QuillmarkTest::TreeNode(*tree, 1));
    if (screen > 0)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    if (screen > 1) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    QUndoStack *history = frame.Document()->UndoStack();
    CListCollection edited = SampleLists();
    edited[1].SetName(QStringLiteral("Journey"));
    frame.Document()->ReplaceLists(edited);
    QMenu *edit = frame.menuBar()->actions().at(0)->menu();
    QCOMPARE(Texts(edit), (QStringList{QStringLiteral("&Undo List Setup"), QStringLiteral("&Redo (greyed)")}));

    const auto press = [](QKeyCombination key) {
        QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
    };
    press(Qt::CTRL | Qt::Key_Z);
    QCOMPARE(frame.Document()->Lists(), SampleLists());
    QCOMPARE(ReadDataFile(dataPath), SampleLists());
    QCOMPARE(Texts(edit), (QStringList{QStringLiteral("&Undo (greyed)"), QStringLiteral("&Redo List Setup")}));
    press(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
    QCOMPARE(frame.Document()->Lists(), edited);
    press(Qt::CTRL | Qt::Key_Z);
    press(Qt::CTRL | Qt::Key_Y);
    QCOMPARE(frame.Document()->Lists(), edited);
    QCOMPARE(ReadDataFile(dataPath), edited);
    QCOMPARE(history->index(), 1);
    QM_VERIFY_PROMPTS(prompter);
}

void TestMainFrame::damagedFileIsToldOnceAfterStart()
{
    // Two lists announced, one and a half there.
    const QString dataPath = m_dir->filePath(QStringLiteral("Quillmark.dat"));
    QVERIFY(WriteDataFile(dataPath, SampleLists()));
    QByteArray bytes = FileBytes(dataPath);
    bytes.chop(20);
    QVERIFY(QuillmarkTest::WriteFileBytes(dataPath, bytes));
    CListCollection partial;
    const DataFile::LoadResult expected = QuillmarkTest::ReadBytes(bytes, partial);
    QCOMPARE(expected.status, DataFile::LoadStatus::Damaged);

    ScriptedPrompter prompter;
    prompter.ExpectMessage(Str::DataFileDamaged(dataPath, expected.errorString));
    CMainFrame frame;
    frame.SetPrompter(&prompter);
    frame.Document()->SetPath(dataPath);
    frame.OnInitialUpdate();
    QCOMPARE(frame.Document()->Lists(), partial); // what could be read is shown
    const auto *tree = frame.View()->findChild<CTreeOptionsCtrl *>();
    QCOMPARE(tree->model()->rowCount(QuillmarkTest::TreeNode(*tree)), partial.size());
    QCOMPARE(prompter.Shown().size(), 0); // not before the window is up
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
    QCOMPARE(prompter.Shown().size(), 1);
    QM_VERIFY_PROMPTS(prompter);
    QCOMPARE(FileBytes(dataPath), bytes); // untouched by the start
}

void TestMainFrame::viewClientAreaIsFixed()
{
    ScriptedPrompter prompter;
    CMainFrame frame;
    SetUp(frame, prompter, m_dir->filePath(QStringLiteral("Quillmark.dat")));

    QCOMPARE(frame.centralWidget(), frame.View());
    QCOMPARE(frame.View()->size(), ClientArea::kSize);
    QCOMPARE(frame.View()->geometry().top(), frame.menuBar()->geometry().bottom() + 1);
    // It opens at its smallest, which is that size.
    QCOMPARE(frame.minimumSizeHint(), frame.size());
    QCOMPARE(frame.size(), QSize(ClientArea::kWidth, frame.menuBar()->height() + ClientArea::kHeight));
    QM_VERIFY_PROMPTS(prompter);
}

void TestMainFrame::aboutRunsTwoSeparateBoxes()
{
    CMainFrame frame;
    ScriptedPrompter prompter;
    QList<int> boxesOpen;
    const auto answer = [&](CAboutDlg &d) {
        boxesOpen << int(frame.findChildren<CAboutDlg *>().size());
        QTest::keyClick(&d, Qt::Key_Escape);
        return d.result();
    };
    prompter.ExpectDialog<CAboutDlg>(answer);
    prompter.ExpectDialog<CAboutDlg>(answer);
    frame.SetPrompter(&prompter);

    // From the Help menu, then from the view's pop-up menu.
    frame.menuBar()->actions().constLast()->menu()->actions().at(0)->trigger();
    emit frame.View()->aboutRequested();

    // One box at a time over the frame, each gone when it closed.
    QCOMPARE(boxesOpen, (QList<int>{1, 1}));
    QCOMPARE(frame.findChildren<CAboutDlg *>().size(), 0);
    QM_VERIFY_PROMPTS(prompter);
}

void TestMainFrame::contentsOpensTheHelpPageAtItsAnchor()
{
    // The desktop's viewer first; where it cannot show the page, the
    // frame's own window at the same place, never nothing.
    ScriptedPrompter prompter; // a page that cannot be found is told, never a box that waits
    CMainFrame frame;
    frame.SetPrompter(&prompter);
    QList<QUrl> opened;
    bool desktopCan = true;
    frame.SetUrlOpener([&](const QUrl &url, const std::function<void()> &cannotOpen) {
        opened << url;
        if (!desktopCan)
            cannotOpen();
    });
    QAction *contents = frame.menuBar()->actions().constLast()->menu()->actions().at(1);
    contents->trigger();
    QM_VERIFY_PROMPTS(prompter);

    QCOMPARE(opened.size(), 1);
    const QUrl url = opened.at(0);
    QCOMPARE(url.scheme(), QStringLiteral("file"));
    QVERIFY2(url.toString().endsWith(QStringLiteral("quillmark.htm#Main_Contents")), qPrintable(url.toString()));
    QVERIFY2(QFileInfo(url.toLocalFile()).isFile(), qPrintable(url.toLocalFile()));
    QVERIFY(!frame.findChild<CHelpWindow *>());

    desktopCan = false;
    contents->trigger();
    auto *window = frame.findChild<CHelpWindow *>();
    QVERIFY(window);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCOMPARE(window->source(), url);
    QCOMPARE(window->windowTitle(), QStringLiteral("Quillmark Help"));
    // Scrolled past the page's heading to the contents.
    QVERIFY(window->verticalScrollBar()->value() > 0);
    const QTextBlock top = window->cursorForPosition(QPoint(4, 4)).block();
    QVERIFY2(top.text().startsWith(QStringLiteral("Contents")), qPrintable(top.text()));
}

void TestMainFrame::closeWithFailingSaveKeepsTheWindowOpen()
{
    // A folder that is really a file: no one, root included, can save there.
    const QString notAFolder = m_dir->filePath(QStringLiteral("plain-file"));
    QVERIFY(QuillmarkTest::WriteFileBytes(notAFolder, {}));
    const QString dataPath = notAFolder + QStringLiteral("/Quillmark.dat");
    CDataStore sameFailure(dataPath);
    QVERIFY(!sameFailure.Save(CListCollection()));

    // The user goes back to the program each time.
    ScriptedPrompter prompter;
    const QString question = Str::ExitSaveFailed(dataPath, sameFailure.ErrorString());
    prompter.ExpectChoice(question, Str::ButtonCancel(), Str::ChoiceTryAgain());
    prompter.ExpectChoice(question, Str::ButtonCancel(), Str::ChoiceTryAgain());
    CMainFrame frame;
    SetUp(frame, prompter, dataPath);

    QVERIFY(!frame.close());
    QVERIFY(frame.isVisible());
    // Still open, it tries again next time.
    QVERIFY(!frame.close());
    QVERIFY(frame.isVisible());
    QM_VERIFY_PROMPTS(prompter);
}

void TestMainFrame::exitSavesOnceThenCloseDoesNotSaveAgain()
{
    ScriptedPrompter prompter;
    CMainFrame frame;
    const QString dataPath = m_dir->filePath(QStringLiteral("Quillmark.dat"));
    SetUp(frame, prompter, dataPath);

    QSignalSpy exits(frame.View(), &CQuillmarkView::exitRequested);
    frame.View()->Action(CViewActions::Exit)->trigger();
    QCOMPARE(exits.size(), 1);
    QVERIFY(QFile::remove(dataPath));
    QVERIFY(frame.close());
    QVERIFY(!QFileInfo::exists(dataPath));
    QM_VERIFY_PROMPTS(prompter);
}

QUILLMARK_TEST_MAIN(TestMainFrame)
#include "tst_mainframe.moc"
