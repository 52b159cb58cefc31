// Real program starts on one data file: the test itself runs the first
// program through the application object, later starts are the real
// executable.

#include "app/MainFrame.h"
#include "app/QuillmarkApp.h"
#include "app/SingleWindow.h"
#include "instance/SingleInstance.h"
#include "platform/AppPaths.h"
#include "tests/testlib/DataFiles.h"
#include "tests/testlib/Lists.h"
#include "tests/testlib/QuillmarkTest.h"
#include "tests/testlib/ScriptedPrompter.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QProcess>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <unistd.h>

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

// Until the program listens on a socket of its own (not one left there).
bool WaitUntilListening(QProcess &process, const QString &dataPath)
{
    if (!process.waitForStarted(5000))
        return false;
    const CSingleInstance names(dataPath);
    QDeadlineTimer deadline(15000);
    while (!QFileInfo::exists(names.SocketName()) || QFileInfo(names.SocketName()).ownerId() != ::geteuid()) {
        if (deadline.hasExpired() || process.state() != QProcess::Running)
            return false;
        QTest::qWait(20);
    }
    return true;
}

// A copy of the program with its data file beside it, in `folder`: a
// program of its own, not this test's.
bool MakePortable(const QTemporaryDir &folder, QString &program, QString &dataPath)
{
    program = folder.filePath(QStringLiteral("quillmark"));
    dataPath = folder.filePath(QStringLiteral("Quillmark.dat"));
    return folder.isValid() && QFile::copy(QStringLiteral(QUILLMARK_EXE), program)
            && QuillmarkTest::WriteFileBytes(dataPath, {});
}

// Starts `program` in `running`; once it listens, a later start of it hands
// over to it and ends with 0 while it runs on.
bool RunsAndTakesTheNextStart(QProcess &running, const QString &program, const QString &dataPath)
{
    running.setProcessChannelMode(QProcess::ForwardedChannels);
    running.start(program, {});
    int exitCode = -1;
    return WaitUntilListening(running, dataPath) && StartAndSeeItEnd(program, &exitCode) && exitCode == 0
            && running.state() == QProcess::Running;
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
    void endlessMessageIsCutOff();
    void lockOfAnotherComputerAsksToStartAnyway();
    void startsPastWhatOthersLeft_data();
    void startsPastWhatOthersLeft();

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
    QTemporaryDir portable;
    QString program, dataPath;
    QVERIFY(MakePortable(portable, program, dataPath));

    // A start on that file hands over to that program, not to this one.
    CMainFrame *frame = m_app.MainFrame();
    QVERIFY(frame);
    frame->showMinimized();
    QProcess other;
    QVERIFY(RunsAndTakesTheNextStart(other, program, dataPath));
    QVERIFY(frame->isMinimized());

    other.kill();
    QVERIFY(other.waitForFinished(5000));
    // What the killed program left in the shared runtime folder.
    const CSingleInstance names(dataPath);
    QFile::remove(names.LockPath());
    QFile::remove(names.SocketName());
}

// A local program that writes without a line end is no later start: the
// running program closes the connection instead of gathering it all.
void TestSingleInstance::endlessMessageIsCutOff()
{
    QVERIFY(m_app.MainFrame());
    QLocalSocket stray;
    stray.connectToServer(CSingleInstance(AppPaths::DataFilePath()).SocketName());
    QVERIFY(stray.waitForConnected(5000));
    QSignalSpy closed(&stray, &QLocalSocket::disconnected);
    stray.write(QByteArray(64 * 1024, 'x'));
    QVERIFY(closed.wait(5000));
}

// A lock that names another computer, held by no program here (a shared
// home folder): that computer cannot be asked, so the user is, once told
// which computer it is.
void TestSingleInstance::lockOfAnotherComputerAsksToStartAnyway()
{
    QTemporaryDir portable;
    QVERIFY(portable.isValid());
    const QString dataPath = portable.filePath(QStringLiteral("Quillmark.dat"));
    const QString lockPath = CSingleInstance(dataPath).LockPath();
    QVERIFY(QuillmarkTest::WriteFileBytes(lockPath, "4242\nquillmark\nattic-laptop\n"));
    const auto removeLock = qScopeGuard([&] { QFile::remove(lockPath); });
    const QString question =
            QStringLiteral("The lists in %1 are marked as in use by Quillmark on the computer \"attic-laptop\", "
                           "which cannot be asked from here (a home folder shared between computers, or a disk "
                           "moved over), and no Quillmark on this computer uses them.\n\nIf Quillmark is not "
                           "running on \"attic-laptop\" with these lists, you can start anyway. Start Quillmark "
                           "anyway?")
                    .arg(dataPath);
    ScriptedPrompter prompter;
    prompter.ExpectQuestion(question, false);
    prompter.ExpectQuestion(question, true);
    {
        CSingleWindow refused;
        QVERIFY(!refused.Claim(dataPath, prompter));
        QCOMPARE(QuillmarkTest::FileBytes(lockPath), QByteArray("4242\nquillmark\nattic-laptop\n"));
    }
    CSingleWindow started;
    QVERIFY(started.Claim(dataPath, prompter));
    QM_VERIFY_PROMPTS(prompter);
    qint64 pid = 0;
    QString host, app;
    QVERIFY(QLockFile(lockPath).getLockInfo(&pid, &host, &app));
    QCOMPARE(pid, QCoreApplication::applicationPid());
}

void TestSingleInstance::startsPastWhatOthersLeft_data()
{
    QTest::addColumn<bool>("anotherUser");
    QTest::newRow("empty lock of one's own") << false;
    QTest::newRow("lock and socket of another user") << true;
}

// Without a runtime folder: what lies where the lock and the socket go
// neither keeps the program from starting nor takes a later start's knock.
void TestSingleInstance::startsPastWhatOthersLeft()
{
    QFETCH(bool, anotherUser);
    if (anotherUser && ::geteuid() != 0)
        QSKIP("files of another user (uid 4321) can only be planted by root");
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    qunsetenv("XDG_RUNTIME_DIR");
    const auto restore = qScopeGuard([&] { qputenv("XDG_RUNTIME_DIR", runtime); });
    QTemporaryDir portable;
    QString program, dataPath;
    QVERIFY(MakePortable(portable, program, dataPath));
    const CSingleInstance names(dataPath);
    const QByteArray lockPath = QFile::encodeName(names.LockPath());

    QLocalServer stranger;
    int knocks = 0;
    if (anotherUser) {
        // A lock as a living program writes it, and a socket that answers
        // as the running program does.
        QByteArray held;
        {
            QLockFile theirs(portable.filePath(QStringLiteral("theirs.lock")));
            QVERIFY(theirs.tryLock(0));
            held = QuillmarkTest::FileBytes(portable.filePath(QStringLiteral("theirs.lock")));
        }
        QVERIFY(QuillmarkTest::WriteFileBytes(names.LockPath(), held));
        QVERIFY(::chown(lockPath.constData(), 4321, 4321) == 0);
        QVERIFY(stranger.listen(names.SocketName()));
        QVERIFY(::chown(QFile::encodeName(names.SocketName()).constData(), 4321, 4321) == 0);
        connect(&stranger, &QLocalServer::newConnection, this, [&] {
            ++knocks;
            stranger.nextPendingConnection()->write("ok\n");
        });
    } else {
        QFile lock(names.LockPath());
        QVERIFY(lock.open(QIODevice::WriteOnly));
        QVERIFY(lock.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
    }

    QProcess first;
    QVERIFY(RunsAndTakesTheNextStart(first, program, dataPath));
    QCOMPARE(knocks, 0);
    first.terminate();
    QVERIFY(first.waitForFinished(5000));
}

QUILLMARK_APP_TEST_MAIN(TestSingleInstance)

#include "tst_singleinstance.moc"
