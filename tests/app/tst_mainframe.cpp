#include "app/AboutDlg.h"
#include "app/MainFrame.h"
#include "model/DataFile.h"
#include "res/Strings.h"
#include "tests/testlib/QuillmarkTest.h"
#include "tests/testlib/ScriptedPrompter.h"
#include "view/QuillmarkView.h"

#include <QFile>
#include <QFileInfo>
#include <QMenuBar>
#include <QTemporaryDir>

class TestMainFrame : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void titleAndHelpMenu();
    void viewClientAreaIsExactlyTheHandhelds();
    void aboutRunsTwoSeparateBoxes();
    void viewsAboutLeadsToTheSameBox();
    void contentsOpensTheHelpPageAtItsAnchor();
    void closeWithWorkingSaveWritesTheFile();
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
    frame.View()->SetDataFilePath(dataPath);
    frame.OnInitialUpdate();
    frame.show();
    // A message queued by the start (a damaged file) would come now.
    QCoreApplication::sendPostedEvents();
}

void TestMainFrame::titleAndHelpMenu()
{
    CMainFrame frame;
    QCOMPARE(frame.windowTitle(), QStringLiteral("Quillmark"));
    const QList<QAction *> menus = frame.menuBar()->actions();
    QCOMPARE(menus.size(), 1);
    QCOMPARE(menus.at(0)->text(), QStringLiteral("&Help"));
    QVERIFY(menus.at(0)->menu());

    QStringList texts;
    QList<int> ids;
    for (const QAction *entry : menus.at(0)->menu()->actions()) {
        texts << entry->text();
        ids << entry->data().toInt();
    }
    QCOMPARE(texts, (QStringList{QStringLiteral("&About ..."), QStringLiteral("Contents")}));
    QCOMPARE(ids, (QList<int>{57664, 32776}));
}

void TestMainFrame::viewClientAreaIsExactlyTheHandhelds()
{
    ScriptedPrompter prompter;
    CMainFrame frame;
    SetUp(frame, prompter, m_dir->filePath(QStringLiteral("Quillmark.dat")));

    QCOMPARE(frame.centralWidget(), frame.View());
    QCOMPARE(frame.View()->size(), QSize(240, 268));
    QCOMPARE(frame.View()->geometry().top(), frame.menuBar()->geometry().bottom() + 1);
    // The window cannot be resized away from that.
    QCOMPARE(frame.minimumSize(), frame.maximumSize());
    QCOMPARE(frame.size(), QSize(240, frame.menuBar()->height() + 268));
    QM_VERIFY_PROMPTS(prompter);
}

void TestMainFrame::aboutRunsTwoSeparateBoxes()
{
    CMainFrame frame;
    ScriptedPrompter prompter;
    QStringList captions;
    QList<int> boxesOpen;
    const auto answer = [&](CAboutDlg &d) {
        captions << d.windowTitle();
        boxesOpen << int(frame.findChildren<CAboutDlg *>().size());
        QTest::keyClick(&d, Qt::Key_Escape);
        return d.result();
    };
    prompter.ExpectDialog<CAboutDlg>(answer);
    prompter.ExpectDialog<CAboutDlg>(answer);
    frame.SetPrompter(&prompter);

    QAction *about = frame.menuBar()->actions().at(0)->menu()->actions().at(0);
    about->trigger();
    about->trigger();

    // One box at a time over the frame, each gone when it closed.
    QCOMPARE(captions, (QStringList{QStringLiteral("About Quillmark"), QStringLiteral("About Quillmark")}));
    QCOMPARE(boxesOpen, (QList<int>{1, 1}));
    QCOMPARE(frame.findChildren<CAboutDlg *>().size(), 0);
    QM_VERIFY_PROMPTS(prompter);
}

void TestMainFrame::viewsAboutLeadsToTheSameBox()
{
    ScriptedPrompter prompter;
    prompter.ExpectDialog<CAboutDlg>([](CAboutDlg &d) { return d.result(); });
    CMainFrame frame;
    frame.SetPrompter(&prompter);
    emit frame.View()->aboutRequested();
    QM_VERIFY_PROMPTS(prompter);
}

void TestMainFrame::contentsOpensTheHelpPageAtItsAnchor()
{
    CMainFrame frame;
    QList<QUrl> opened;
    frame.SetUrlOpener([&](const QUrl &url) {
        opened << url;
        return true;
    });
    frame.menuBar()->actions().at(0)->menu()->actions().at(1)->trigger();

    QCOMPARE(opened.size(), 1);
    const QUrl url = opened.at(0);
    QCOMPARE(url.scheme(), QStringLiteral("file"));
    QVERIFY2(url.toString().endsWith(QStringLiteral("quillmark.htm#Main_Contents")), qPrintable(url.toString()));
    QVERIFY2(QFileInfo(url.toLocalFile()).isFile(), qPrintable(url.toLocalFile()));
}

void TestMainFrame::closeWithWorkingSaveWritesTheFile()
{
    ScriptedPrompter prompter;
    CMainFrame frame;
    const QString dataPath = m_dir->filePath(QStringLiteral("Quillmark.dat"));
    SetUp(frame, prompter, dataPath);

    QVERIFY(frame.close());
    QVERIFY(!frame.isVisible());
    QFile file(dataPath);
    QVERIFY(file.open(QIODevice::ReadOnly));
    // No lists: the list count alone.
    QCOMPARE(file.readAll(), QByteArray(4, '\0'));
    QM_VERIFY_PROMPTS(prompter);
}

void TestMainFrame::closeWithFailingSaveKeepsTheWindowOpen()
{
    // A folder that is really a file: no one, root included, can save there.
    const QString notAFolder = m_dir->filePath(QStringLiteral("plain-file"));
    {
        QFile f(notAFolder);
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
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

    QVERIFY(frame.View()->SaveAndExit());
    QVERIFY(QFile::remove(dataPath));
    QVERIFY(frame.close());
    QVERIFY(!QFileInfo::exists(dataPath));
    QM_VERIFY_PROMPTS(prompter);
}

QUILLMARK_TEST_MAIN(TestMainFrame)
#include "tst_mainframe.moc"
