#include "app/AboutDlg.h"
#include "app/HelpWindow.h"
#include "app/MainFrame.h"
#include "dialogs/DuplicateListDlg.h"
#include "dialogs/ListSetupDlg.h"
#include "dialogs/MoveItemDlg.h"
#include "document/QuillmarkDoc.h"
#include "platform/AppSettings.h"
#include "res/ClientArea.h"
#include "res/Strings.h"
#include "tests/app/ExitQuestion.h"
#include "tests/testlib/DataFiles.h"
#include "tests/testlib/Lists.h"
#include "tests/testlib/QuillmarkTest.h"
#include "tests/testlib/ScriptedPrompter.h"
#include "tests/view/ViewFixture.h"

#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
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
    void listMenuWorksOnWhatIsChosen();
    void opensReadyToUseThenAsLeft();
    void listSetupOpensInProportionThenAsLeft();
    void aboutRunsTwoSeparateBoxes();
    void contentsOpensTheHelpPageAtItsAnchor();
    void closeWithFailingSaveKeepsTheWindowOpen();
    void exitSavesOnceThenCloseDoesNotSaveAgain();

private:
    // A frame over a data file in the test's own folder.
    void SetUp(CMainFrame &frame, const QString &dataPath);
    // The same on SampleLists(), the window active as under a person's pointer.
    bool StartActive(CMainFrame &frame, const QString &dataPath);

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestMainFrame::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestMainFrame::SetUp(CMainFrame &frame, const QString &dataPath)
{
    frame.Document()->SetPath(dataPath);
    frame.OnInitialUpdate();
    frame.show();
    // A message queued by the start (a damaged file) would come now.
    QCoreApplication::sendPostedEvents();
}

bool TestMainFrame::StartActive(CMainFrame &frame, const QString &dataPath)
{
    if (!WriteDataFile(dataPath, SampleLists()))
        return false;
    SetUp(frame, dataPath);
    frame.activateWindow();
    return QTest::qWaitForWindowActive(&frame);
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
    QStringList menus;
    for (const QAction *menu : frame.menuBar()->actions())
        menus << menu->text() + u':' + Texts(menu->menu()).join(u'|');
    // Nothing is chosen before the lists are read.
    QCOMPARE(menus, (QStringList{QStringLiteral("&File:&Import List...|&Export List...|Export List as i&Calendar...|&Print... (greyed)||E&xit"),
                                 QStringLiteral("&Edit:&Undo (greyed)|&Redo (greyed)"),
                                 QStringLiteral("&List:&Find...|&Hide Done Items||&Add Item (greyed)|&Untick All (greyed)|"
                                                "&Duplicate List... (greyed)|&Move Item To... (greyed)||"
                                                "&Copy as Text (greyed)|Pa&ste Items (greyed)|&Print... (greyed)|S&ort by"),
                                 QStringLiteral("&Sync:&Sync Now|&Account...||Not set up (greyed)"),
                                 QStringLiteral("&Help:&About Quillmark|&Contents")}));
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
    ScriptedPrompter prompter;
    CMainFrame frame(nullptr, &prompter);
    QVERIFY(StartActive(frame, dataPath));
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
    // The title names the list on show, renamed or not.
    QCOMPARE(frame.windowTitle(), screen > 0 ? QStringLiteral("Journey – Quillmark") : QStringLiteral("Quillmark"));
    QMenu *edit = frame.menuBar()->actions().at(1)->menu();
    QCOMPARE(Texts(edit), (QStringList{QStringLiteral("&Undo List Setup"), QStringLiteral("&Redo (greyed)")}));

    const auto press = [](QKeyCombination key) {
        QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
    };
    press(Qt::CTRL | Qt::Key_Z);
    QCOMPARE(frame.Document()->Lists(), SampleLists());
    QCOMPARE(Texts(edit), (QStringList{QStringLiteral("&Undo (greyed)"), QStringLiteral("&Redo List Setup")}));
    press(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
    QCOMPARE(frame.Document()->Lists(), edited);
    press(Qt::CTRL | Qt::Key_Z);
    press(Qt::CTRL | Qt::Key_Y);
    QCOMPARE(frame.Document()->Lists(), edited);
    QCOMPARE(history->index(), 1);
    QM_VERIFY_PROMPTS(prompter);
}

// The List menu's commands work on the list or the item chosen in the tree,
// on the list on show in the table or its chosen item, and are greyed where
// nothing fits.
void TestMainFrame::listMenuWorksOnWhatIsChosen()
{
    const QString dataPath = m_dir->filePath(QStringLiteral("Quillmark.dat"));
    ScriptedPrompter prompter;
    CMainFrame frame(nullptr, &prompter);
    QVERIFY(StartActive(frame, dataPath));
    QMenu *list = frame.menuBar()->actions().at(2)->menu();
    const auto greyed = [list] {
        QStringList names;
        for (const QAction *entry : list->actions()) {
            if (!entry->isSeparator() && !entry->isEnabled())
                names << entry->objectName().mid(6);
        }
        return names;
    };
    const auto run = [list](const char *command) {
        for (QAction *entry : list->actions()) {
            if (entry->objectName() == QLatin1String("action") + QLatin1String(command))
                return entry->trigger();
        }
        QFAIL(command);
    };
    auto *tree = frame.View()->findChild<CTreeOptionsCtrl *>(QStringLiteral("listTree"));
    const auto select = [tree](int l, int item) { tree->setCurrentIndex(QuillmarkTest::TreeNode(*tree, l, item)); };
    const auto selected = [tree] {
        const QModelIndex node = tree->currentIndex();
        return node.parent().data().toString() + u'/' + node.data().toString();
    };
    CListCollection expected = SampleLists();

    QCOMPARE(greyed(), QStringLiteral("AddItem UntickAll DuplicateList MoveItem CopyAsText PasteItems Print").split(u' '));
    select(2, -1); // the empty list: nothing done, no item
    QCOMPARE(greyed(), (QStringList{QStringLiteral("UntickAll"), QStringLiteral("MoveItem")}));
    select(0, 1); // Milk, done
    QCOMPARE(greyed(), QStringList());
    QTest::keyClick(tree, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("[x] Milk  2.25"));

    run("UntickAll");
    expected[0].m_items[1].m_bDone = false;
    QCOMPARE(frame.Document()->Lists(), expected);
    QCOMPARE(greyed(), QStringList{QStringLiteral("UntickAll")});

    prompter.ExpectDialog<CMoveItemDlg>([](CMoveItemDlg &d) {
        QStringList rows;
        for (int r = 0; r < d.Chooser()->count(); ++r)
            rows << d.Chooser()->item(r)->text();
        if (rows != QStringList{QStringLiteral("Trip"), QStringLiteral("Empty")} || d.ChosenList() != 1)
            return -1;
        // The second, and the button Enter presses.
        d.Chooser()->setCurrentRow(1);
        for (QPushButton *button : d.findChildren<QPushButton *>()) {
            if (button->isDefault())
                button->click();
        }
        return d.result();
    });
    select(0, 0); // Bread
    run("MoveItem");
    expected[2].m_items.append(expected[0].m_items.takeFirst());
    QCOMPARE(frame.Document()->Lists(), expected);
    QCOMPARE(selected(), QStringLiteral("Empty/Bread"));

    // The name is asked for; the copy comes last, unticked, and is chosen.
    prompter.ExpectDialog<CDuplicateListDlg>([](CDuplicateListDlg &d) {
        if (d.NameField()->text() != QStringLiteral("Trip (copy)") || !d.UntickBox()->isChecked())
            return -1;
        d.NameField()->clear();
        if (d.OKButton()->isEnabled() || !d.OKButton()->isDefault())
            return -1;
        d.NameField()->setText(QStringLiteral("Trip 2"));
        d.OKButton()->click();
        return d.result();
    });
    select(1, 1); // an item's list
    run("DuplicateList");
    expected.append(expected.at(1));
    expected.last().SetName(QStringLiteral("Trip 2"));
    expected.last().m_items[0].m_bDone = false;
    QCOMPARE(frame.Document()->Lists(), expected);
    QCOMPARE(selected(), QStringLiteral("Lists/Trip 2"));

    prompter.ExpectDialog<QPrintPreviewDialog>([](QPrintPreviewDialog &d) {
        return d.printer()->docName() == QStringLiteral("Trip 2") ? int(QDialog::Rejected) : -1;
    });
    QTest::keyClick(tree, Qt::Key_P, Qt::ControlModifier);

    // In the table: the list on show, or its item chosen, which the table
    // then shows in its new list.
    select(1, -1);
    QTest::keyClick(tree, Qt::Key_Return);
    auto *table = frame.View()->findChild<CItemTable *>(QStringLiteral("itemTable"));
    QVERIFY(table->isVisible());
    run("CopyAsText");
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("Trip\n[x] Tickets  3/7/2002\n[ ] Packing"));
    table->setCurrentIndex(table->model()->index(1, 0, table->rootIndex()));
    prompter.ExpectDialog<CMoveItemDlg>([](CMoveItemDlg &d) { return d.ChosenList() == 0 ? 1 : -1; });
    run("MoveItem");
    expected[0].m_items.insert(1, expected[1].m_items.takeLast());
    QCOMPARE(frame.Document()->Lists(), expected);
    QCOMPARE(table->rootIndex().data().toString(), QStringLiteral("Groceries"));
    QCOMPARE(table->selectionModel()->selectedRows().value(0).data().toString(), QStringLiteral("Packing"));
    QM_VERIFY_PROMPTS(prompter);
}

void TestMainFrame::opensReadyToUseThenAsLeft()
{
    const QString path = m_dir->filePath(QStringLiteral("Quillmark.dat"));
    QVERIFY(WriteDataFile(path, SampleLists()));
    AppSettings::kWindowGeometry.Write(QString());
    QSize smallest;
    {
        // Nothing remembered: the opening size, in the middle of the screen;
        // the smallest size is still what the window may be made.
        ScriptedPrompter prompter;
        CMainFrame frame(nullptr, &prompter);
        SetUp(frame, path);
        QCOMPARE(frame.centralWidget(), frame.View());
        QCOMPARE(frame.View()->size(), CQuillmarkView::OpeningSize());
        QVERIFY(frame.View()->width() > ClientArea::kWidth && frame.View()->height() > ClientArea::kHeight);
        const QPoint off = frame.geometry().center() - frame.screen()->availableGeometry().center();
        QVERIFY2(off.manhattanLength() <= 3, // halves rounded
             qPrintable(QStringLiteral("%1, %2").arg(off.x()).arg(off.y())));
        smallest = QSize(ClientArea::kWidth, frame.menuBar()->height() + ClientArea::kHeight);
        QCOMPARE(frame.minimumSizeHint(), smallest);
        frame.resize(smallest);
        QVERIFY(frame.close());
        QM_VERIFY_PROMPTS(prompter);
    }
    // The size it was left at wins, the smallest one too.
    ScriptedPrompter prompter;
    CMainFrame frame(nullptr, &prompter);
    SetUp(frame, path);
    QCOMPARE(frame.size(), smallest);
    QCOMPARE(frame.View()->size(), ClientArea::kSize);
    QCOMPARE(frame.View()->geometry().top(), frame.menuBar()->geometry().bottom() + 1);
    AppSettings::kWindowGeometry.Write(QString());
    QM_VERIFY_PROMPTS(prompter);
}

void TestMainFrame::listSetupOpensInProportionThenAsLeft()
{
    ScriptedPrompter prompter;
    CMainFrame frame(nullptr, &prompter);
    QVERIFY(StartActive(frame, m_dir->filePath(QStringLiteral("Quillmark.dat"))));
    auto *edit = frame.findChild<QAction *>(QStringLiteral("actionEditLists"));
    QList<QSize> sizes;
    const auto note = [&sizes](QSize grow) {
        return [&sizes, grow](CListSetupDlg &d) {
            sizes << d.size();
            d.resize(d.size() + grow);
            return int(QDialog::Rejected);
        };
    };
    // Over the smallest window its smallest size; over a larger one larger,
    // yet within the window; then as the user left it.
    frame.resize(frame.minimumSizeHint());
    prompter.ExpectDialog<CListSetupDlg>(note(QSize()));
    edit->trigger();
    frame.resize(frame.minimumSizeHint() + QSize(300, 250));
    prompter.ExpectDialog<CListSetupDlg>(note(QSize(30, 20)));
    prompter.ExpectDialog<CListSetupDlg>(note(QSize()));
    edit->trigger();
    edit->trigger();
    AppSettings::kListSetupWidth.Write(0);
    AppSettings::kListSetupHeight.Write(0);
    QM_VERIFY_PROMPTS(prompter);
    QCOMPARE(sizes.size(), 3);
    QCOMPARE(sizes.at(0), ClientArea::kSize);
    QVERIFY(sizes.at(1).width() > ClientArea::kWidth + 50 && sizes.at(1).height() > ClientArea::kHeight + 50);
    QVERIFY(sizes.at(1).width() < frame.width() && sizes.at(1).height() < frame.height());
    QCOMPARE(sizes.at(2), sizes.at(1) + QSize(30, 20));
}

void TestMainFrame::aboutRunsTwoSeparateBoxes()
{
    ScriptedPrompter prompter;
    CMainFrame frame(nullptr, &prompter);
    QList<int> boxesOpen;
    const auto answer = [&](CAboutDlg &d) {
        boxesOpen << int(frame.findChildren<CAboutDlg *>().size());
        QTest::keyClick(&d, Qt::Key_Escape);
        return d.result();
    };
    prompter.ExpectDialog<CAboutDlg>(answer);
    prompter.ExpectDialog<CAboutDlg>(answer);

    // The Help menu's entry is the view's About, which its pop-up menu runs
    // too.
    auto *about = frame.findChild<QAction *>(QStringLiteral("actionAbout"));
    QCOMPARE(frame.menuBar()->actions().constLast()->menu()->actions().at(0), about);
    about->trigger();
    about->trigger();

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
    CMainFrame frame(nullptr, &prompter);
    QList<QUrl> opened;
    bool desktopCan = true;
    frame.SetUrlOpener([&](const QUrl &url, const std::function<void()> &cannotOpen) {
        opened << url;
        if (!desktopCan)
            cannotOpen();
    });
    auto *contents = frame.findChild<QAction *>(QStringLiteral("actionContents"));
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
    // It has no close button of its own: Escape closes it.
    QTest::keyClick(window, Qt::Key_Escape);
    QVERIFY(!window->isVisible());
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
    const QString question = ExitQuestion(dataPath, sameFailure.ErrorString());
    prompter.ExpectChoice(question, Str::ButtonCancel(), QStringLiteral("Try Again"));
    prompter.ExpectChoice(question, Str::ButtonCancel(), QStringLiteral("Try Again"));
    CMainFrame frame(nullptr, &prompter);
    SetUp(frame, dataPath);

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
    CMainFrame frame(nullptr, &prompter);
    const QString dataPath = m_dir->filePath(QStringLiteral("Quillmark.dat"));
    SetUp(frame, dataPath);

    QSignalSpy exits(frame.View(), &CQuillmarkView::exitRequested);
    frame.findChild<QAction *>(QStringLiteral("actionExit"))->trigger();
    QCOMPARE(exits.size(), 1);
    QVERIFY(QFile::remove(dataPath));
    QVERIFY(frame.close());
    QVERIFY(!QFileInfo::exists(dataPath));
    QM_VERIFY_PROMPTS(prompter);
}

QUILLMARK_TEST_MAIN(TestMainFrame)
#include "tst_mainframe.moc"
