#include "app/MainFrame.h"
#include "app/QuillmarkApp.h"
#include "controls/TreeOptionsCtrl.h"
#include "model/QuillmarkDoc.h"
#include "platform/AppPaths.h"
#include "tests/testlib/QuillmarkTest.h"
#include "tests/testlib/ScriptedPrompter.h"
#include "view/QuillmarkView.h"

#include <QFile>
#include <QFileInfo>
#include <QTimer>

// Starts the real application object, so this test has a main of its own.
class TestAppStart : public QObject
{
    Q_OBJECT

public:
    explicit TestAppStart(CQuillmarkApp &app) : m_app(app) {}

private slots:
    void startWithoutDataFile();
    void quittingSavesTheLists();

private:
    static QString DataFilePath();
    // Starts the program as main() does, on a home without a data file.
    // Each test starts it anew, so that each can run alone.
    bool Start();

    CQuillmarkApp &m_app;
    ScriptedPrompter m_prompter;
};

QString TestAppStart::DataFilePath()
{
    return QStringLiteral("%1/Fernwise/Quillmark/Quillmark.dat").arg(qEnvironmentVariable("XDG_DATA_HOME"));
}

bool TestAppStart::Start()
{
    QFile::remove(DataFilePath());
    if (!m_app.InitInstance(m_prompter))
        return false;
    QCoreApplication::sendPostedEvents();
    return m_app.MainFrame() != nullptr;
}

void TestAppStart::startWithoutDataFile()
{
    QCoreApplication::setOrganizationName(QString());
    QCoreApplication::setApplicationName(QString());
    QVERIFY(Start());

    // The names that choose the settings file and the data folder.
    QCOMPARE(QCoreApplication::organizationName(), QStringLiteral("Fernwise"));
    QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Quillmark"));
    QCOMPARE(AppPaths::DataFilePath(), DataFilePath());
    QVERIFY(!QApplication::windowIcon().isNull());

    CMainFrame *frame = m_app.MainFrame();
    QVERIFY(frame->isVisible());
    QCOMPARE(frame->windowTitle(), QStringLiteral("Quillmark"));
    QVERIFY(!frame->isMaximized());
    const auto *tree = frame->View()->findChild<CTreeOptionsCtrl *>();
    QVERIFY(tree);
    QCOMPARE(tree->topLevelItemCount(), 1);
    QCOMPARE(tree->topLevelItem(0)->text(0), QStringLiteral("Lists"));
    QCOMPARE(tree->topLevelItem(0)->childCount(), 0);
    QVERIFY(m_prompter.Shown().isEmpty());
    QM_VERIFY_PROMPTS(m_prompter);
}

void TestAppStart::quittingSavesTheLists()
{
    QVERIFY(Start());
    // The event loop ends by other means than Exit (as when the desktop
    // session ends): the lists are saved all the same.
    const QString dataPath = m_app.MainFrame()->Document()->Path();
    QVERIFY(!QFileInfo::exists(dataPath));
    QTimer::singleShot(0, &m_app, &QCoreApplication::quit);
    QCOMPARE(m_app.exec(), 0);
    QVERIFY(QFileInfo(dataPath).isFile());
    QM_VERIFY_PROMPTS(m_prompter);
}

int main(int argc, char *argv[])
{
    QuillmarkTest::PinCoreEnvironment();
    CQuillmarkApp app(argc, argv);
    QuillmarkTest::PinGuiEnvironment();
    TestAppStart tc(app);
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_appstart.moc"
