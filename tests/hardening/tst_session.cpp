// A whole session with the real application object: start on a data file,
// edit an item, export a list, hand an item over, Exit. Run in the
// sanitizer build, LeakSanitizer then checks that nothing the session made
// outlives it.

#include "app/MainFrame.h"
#include "app/QuillmarkApp.h"
#include "dialogs/IconChooser.h"
#include "dialogs/NewItemDlg.h"
#include "exchange/csv/ImportFieldsDlg.h"
#include "exchange/csv/CsvExport.h"
#include "platform/AppPaths.h"
#include "tests/testlib/DataFiles.h"
#include "tests/testlib/Lists.h"
#include "tests/testlib/QuillmarkTest.h"
#include "tests/view/ViewFixture.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>

using namespace ViewTest;

class TestSession : public QObject
{
    Q_OBJECT

public:
    explicit TestSession(CQuillmarkApp &app) : m_app(app) { }

private slots:
    void wholeSession();

private:
    CQuillmarkApp &m_app;
    ScriptedPrompter m_prompter;
};

void TestSession::wholeSession()
{
    const QString dataPath = AppPaths::DataFilePath();
    QVERIFY(QDir().mkpath(QFileInfo(dataPath).absolutePath()));
    QVERIFY(WriteDataFile(dataPath, SampleLists()));
    const QString exportPath = CsvExport::ExportFilePath();
    QFile::remove(exportPath);
    // A hand-edited settings file with values out of range, one that is no
    // number and a line of junk: the session goes on as if they were missing
    // or refused where they are used.
    const QString confPath = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
            + QStringLiteral("/Fernwise/Quillmark.conf");
    QVERIFY(QDir().mkpath(QFileInfo(confPath).absolutePath()));
    QVERIFY(QuillmarkTest::WriteFileBytes(confPath, "[Settings]\nImpNameField=-7\nImpIcon=100000\nITEMTASK=yes\n\x01\xff=\x80[\n"));

    // Start.
    QVERIFY(m_app.InitInstance(m_prompter));
    QCoreApplication::sendPostedEvents();
    CQuillmarkView *view = m_app.MainFrame()->View();
    QCOMPARE(m_app.MainFrame()->Document()->Lists(), SampleLists());
    auto *tree = view->findChild<CTreeOptionsCtrl *>();
    const auto run = [view](const char *command) {
        view->findChild<QAction *>(QStringLiteral("action") + QLatin1String(command))->trigger();
    };

    // Edit "Bread" from the tree; OK saves.
    tree->setCurrentIndex(QuillmarkTest::TreeNode(*tree, 0, 0));
    m_prompter.ExpectDialog<CNewItemDlg>([](CNewItemDlg &d) {
        d.NameField()->setText(QStringLiteral("Rye bread"));
        d.OKButton()->click();
        return d.result();
    });
    run("Edit");
    QM_VERIFY_PROMPTS(m_prompter);
    QCOMPARE(ReadDataFile(dataPath).at(0).m_items.at(0).m_strName, QStringLiteral("Rye bread"));

    // Export the groceries.
    m_prompter.ExpectMessage(CsvExport::ExportMessage(CsvExport::Result(), exportPath)); // written whole
    emit view->exportRequested(0);
    QM_VERIFY_PROMPTS(m_prompter);
    QVERIFY(FileBytes(exportPath).contains("Rye bread,"));

    // "Setup Import..." shows the defaults in place of the name column and
    // the icon the program does not have.
    m_prompter.ExpectDialog<CImportFieldsDlg>([](CImportFieldsDlg &d) {
        [&] { QCOMPARE((QList<int>{d.NameSpin()->value(), d.IconChooser()->SelectedRow()}), (QList<int>{1, 1})); }();
        d.CancelButton()->click();
        return d.result();
    });
    run("ImportSetup");
    QM_VERIFY_PROMPTS(m_prompter);

    // Hand "Tickets" over as a task ("ITEMTASK" = "yes" reads as missing).
    tree->setCurrentIndex(QuillmarkTest::TreeNode(*tree, 1, 0));
    run("Open");
    QVERIFY(tree->isHidden());
    m_prompter.ExpectMessage(QStringLiteral("Added Items to Tasks."));
    run("HandOver");
    QM_VERIFY_PROMPTS(m_prompter);

    // Exit with the cross, inside the event loop: it saves and ends the loop
    // with code 0.
    QTimer::singleShot(0, view, [run] { run("Exit"); });
    QCOMPARE(m_app.exec(), 0);
    QM_VERIFY_PROMPTS(m_prompter);
    const CListCollection saved = ReadDataFile(dataPath);
    QCOMPARE(saved.size(), 3);
    QCOMPARE(saved.at(0).m_items.at(0).m_strName, QStringLiteral("Rye bread"));
}

QUILLMARK_APP_TEST_MAIN(TestSession)

#include "tst_session.moc"
