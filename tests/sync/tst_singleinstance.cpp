// Real program starts on one data file: the test itself runs the first
// program through the application object, later starts are the real
// executable.

#include "app/MainFrame.h"
#include "app/QuillmarkApp.h"
#include "platform/AppPaths.h"
#include "platform/SingleInstance.h"
#include "tests/model/ModelTestUtil.h"
#include "tests/testlib/QuillmarkTest.h"
#include "tests/testlib/ScriptedPrompter.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>

namespace {

// Starts the program and waits, with the event loop running so that this
// process can answer it, until it ends by itself.
bool StartAndSeeItEnd(const QString &program, int *exitCode)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    QSignalSpy finished(&process, &QProcess::finished);
    process.start(program, {});
    if (!process.waitForStarted(5000))
        return false;
    if (!finished.wait(15000)) {
        process.kill();
        process.waitForFinished();
        return false;
    }
    *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return true;
}

bool WaitUntilListening(QProcess &process, const QString &dataPath)
{
    if (!process.waitForStarted(5000))
        return false;
    const CSingleInstance names(dataPath);
    QDeadlineTimer deadline(15000);
    while (!QFileInfo::exists(names.SocketName())) {
        if (deadline.hasExpired() || process.state() != QProcess::Running)
            return false;
        QTest::qWait(20);
    }
    return true;
}

} // namespace

class TestSingleInstance : public QObject
{
    Q_OBJECT

public:
    explicit TestSingleInstance(CQuillmarkApp &app) : m_app(app) {}

private slots:
    void crashedRunDoesNotBlockTheNext();
    void secondStartHandsOverAndEnds();
    void otherDataFileIsAnotherProgram();

private:
    CQuillmarkApp &m_app;
    ScriptedPrompter m_prompter;
};

void TestSingleInstance::crashedRunDoesNotBlockTheNext()
{
    QProcess crashing;
    crashing.setProcessChannelMode(QProcess::ForwardedChannels);
    crashing.start(QStringLiteral(QUILLMARK_EXE), {});
    QVERIFY(WaitUntilListening(crashing, AppPaths::DataFilePath()));
    crashing.kill();
    QVERIFY(crashing.waitForFinished(5000));
    QVERIFY(QFileInfo::exists(CSingleInstance(AppPaths::DataFilePath()).LockPath()));

    QVERIFY(m_app.InitInstance(m_prompter));
    QVERIFY(m_app.MainFrame());
    QM_VERIFY_PROMPTS(m_prompter);
}

void TestSingleInstance::secondStartHandsOverAndEnds()
{
    CMainFrame *frame = m_app.MainFrame();
    QVERIFY(frame);
    frame->showMinimized();
    QVERIFY(frame->isMinimized());

    int exitCode = -1;
    QVERIFY(StartAndSeeItEnd(QStringLiteral(QUILLMARK_EXE), &exitCode));
    QCOMPARE(exitCode, 0);
    QVERIFY(!frame->isMinimized());
    QVERIFY(frame->isVisible());
}

void TestSingleInstance::otherDataFileIsAnotherProgram()
{
    // A program with its data file beside it.
    QTemporaryDir portable;
    QVERIFY(portable.isValid());
    const QString program = portable.filePath(QStringLiteral("quillmark"));
    QVERIFY(QFile::copy(QStringLiteral(QUILLMARK_EXE), program));
    const QString dataPath = portable.filePath(QStringLiteral("Quillmark.dat"));
    QVERIFY(ModelTest::WriteFileBytes(dataPath, {}));

    CMainFrame *frame = m_app.MainFrame();
    QVERIFY(frame);
    frame->showMinimized();
    QProcess other;
    other.setProcessChannelMode(QProcess::ForwardedChannels);
    other.start(program, {});
    QVERIFY(WaitUntilListening(other, dataPath));

    // A start on that file hands over to that program, not to this one.
    int exitCode = -1;
    QVERIFY(StartAndSeeItEnd(program, &exitCode));
    QCOMPARE(exitCode, 0);
    QCOMPARE(other.state(), QProcess::Running);
    QVERIFY(frame->isMinimized());

    other.kill();
    QVERIFY(other.waitForFinished(5000));
    // What the killed program left in the shared runtime folder.
    const CSingleInstance names(dataPath);
    QFile::remove(names.LockPath());
    QFile::remove(names.SocketName());
}

QUILLMARK_APP_TEST_MAIN(TestSingleInstance)

#include "tst_singleinstance.moc"
