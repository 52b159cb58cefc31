// Kills a writer with SIGKILL at random moments of its save and checks that
// the file is always one complete version, never a mix or nothing; then
// makes a save hit the file-size limit. QUILLMARK_CRASH_TRIALS sets the
// number of kills (200 by default), QUILLMARK_CRASH_SEED the random seed of
// their moments (fixed by default, so that a failure can be replayed with
// the same moments as far as the machine's timing allows; long runs by hand
// give other seeds),
// QUILLMARK_CRASH_DIR the folder to work in. By default that is in memory
// (/dev/shm) where there is one: a kill tests what the process leaves
// behind, which is the same there, and the trials run many times faster
// than on a disk that flushes each save.
#include "model/DataStore.h"
#include "tests/testlib/DataFiles.h"
#include "tests/model/crashtrial/TrialData.h"
#include "tests/testlib/FileSizeLimit.h"
#include "tests/testlib/QuillmarkTest.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cerrno>
#include <thread>

namespace {

// What a killed save left beside the data file, and the files of the
// user's own that were there before.
QStringList Strays(const QString &dir)
{
    QStringList out = QDir(dir).entryList(QDir::Files | QDir::Hidden);
    out.removeOne(QStringLiteral("Quillmark.dat"));
    return out;
}
const QStringList kUsersOwn{QStringLiteral("Quillmark.dat.Ab12Cd"), QStringLiteral("Quillmark.dat.before")};

// The writer as a child process. Its bytes arrive on a pipe; kill() is SIGKILL.
class Writer : public QProcess
{
public:
    explicit Writer(const QString &path)
    {
        setProcessChannelMode(QProcess::ForwardedErrorChannel);
        start(QStringLiteral(QUILLMARK_CRASHTRIAL_WRITER), {path});
    }
    ~Writer() override
    {
        kill();
        waitForFinished();
    }

    // The next signal byte of the writer; 0 once it has ended.
    char Next()
    {
        char c = 0;
        while (!getChar(&c)) {
            if (!waitForReadyRead(30000))
                return 0;
        }
        return c;
    }
};

} // namespace

class TestCrashTrial : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void killedSaveLeavesOneCompleteVersion();
    void saveBeyondTheFileSizeLimitFails();

private:
    static QString WorkFolder();

    QTemporaryDir m_dir{WorkFolder()};
    QString m_path;
    QByteArray m_versionA;
    QByteArray m_versionB;
};

QString TestCrashTrial::WorkFolder()
{
    QString base = qEnvironmentVariable("QUILLMARK_CRASH_DIR");
    if (base.isEmpty()) {
        const QFileInfo shm(QStringLiteral("/dev/shm"));
        base = shm.isDir() && shm.isWritable() ? shm.filePath() : QDir::tempPath();
    }
    return QDir(base).filePath(QStringLiteral("quillmark-crashtrial-XXXXXX"));
}

void TestCrashTrial::initTestCase()
{
    qInfo("working in %s", qPrintable(m_dir.path()));
    QVERIFY(m_dir.isValid());
    m_path = m_dir.filePath(QStringLiteral("Quillmark.dat"));
    CListCollection lists = CrashTrial::InitialLists();
    m_versionA = QuillmarkTest::WriteToBytes(lists);
    CrashTrial::NextVersion(lists);
    m_versionB = QuillmarkTest::WriteToBytes(lists);
    QVERIFY(m_versionA.size() > 1000 * 1000);
    QVERIFY(m_versionB.size() > m_versionA.size());
}

void TestCrashTrial::killedSaveLeavesOneCompleteVersion()
{
    const int trials = qEnvironmentVariableIsSet("QUILLMARK_CRASH_TRIALS")
            ? qEnvironmentVariableIntValue("QUILLMARK_CRASH_TRIALS") : 200;
    const quint32 seed = qEnvironmentVariableIsSet("QUILLMARK_CRASH_SEED")
            ? qEnvironmentVariable("QUILLMARK_CRASH_SEED").toUInt() : 1;
    QRandomGenerator random(seed);
    QVERIFY(QuillmarkTest::WriteFileBytes(m_path, m_versionA));
    // Names like those a save's temporary files once had, and a copy: the
    // user's, never removed.
    for (const QString &own : kUsersOwn)
        QVERIFY(QuillmarkTest::WriteFileBytes(m_dir.filePath(own), m_versionA));

    // How long one save takes here, so that the kills spread over it.
    qint64 saveNs = 0;
    {
        Writer writer(m_path);
        QVERIFY(writer.waitForStarted());
        QList<qint64> durations;
        QElapsedTimer timer;
        while (durations.size() < 7) {
            const char c = writer.Next();
            QVERIFY(c != 0);
            if (c == 'S')
                timer.start();
            else
                durations.append(timer.nsecsElapsed());
        }
        std::sort(durations.begin(), durations.end());
        saveNs = durations.at(durations.size() / 2);
    }

    int sameAsBefore = 0;
    int changed = 0;
    int broken = 0;
    int straysLeft = 0;
    for (int trial = 0; trial < trials; ++trial) {
        const QByteArray before = QuillmarkTest::FileBytes(m_path);
        {
            Writer writer(m_path);
            QCOMPARE(writer.Next(), 'S');
            // Anywhere in the save, and now and then just after it.
            const qint64 delay = qint64(random.bounded(1.25) * double(saveNs));
            std::this_thread::sleep_for(std::chrono::nanoseconds(delay));
            writer.kill();
            QVERIFY(writer.waitForFinished());
            QCOMPARE(writer.exitStatus(), QProcess::CrashExit);
        }
        const QByteArray after = QuillmarkTest::FileBytes(m_path);
        if (after != m_versionA && after != m_versionB) {
            ++broken;
            qWarning("trial %d: the file is neither version (%lld bytes)", trial, qint64(after.size()));
            QVERIFY(QuillmarkTest::WriteFileBytes(m_path, m_versionA));
            continue;
        }
        if (after == before)
            ++sameAsBefore;
        else
            ++changed;
        if (Strays(m_dir.path()) != kUsersOwn)
            ++straysLeft;
        // The next start takes away what the killed run left, and nothing
        // of the user's.
        CListCollection lists;
        QCOMPARE(CDataStore(m_path).Load(lists).status, DataFile::LoadStatus::Complete);
        QCOMPARE(Strays(m_dir.path()), kUsersOwn);
        QCOMPARE(QuillmarkTest::FileBytes(m_path), after);
    }
    for (const QString &own : kUsersOwn)
        QFile::remove(m_dir.filePath(own));
    qInfo("%d trials (seed %u, one save %.1f ms): %d old, %d new, %d partial or missing; "
          "%d left a temporary copy",
          trials, seed, double(saveNs) / 1e6, sameAsBefore, changed, broken, straysLeft);
    QCOMPARE(broken, 0);
}

void TestCrashTrial::saveBeyondTheFileSizeLimitFails()
{
    QVERIFY(QuillmarkTest::WriteFileBytes(m_path, m_versionA));
    CDataStore store(m_path);
    CListCollection lists;
    QCOMPARE(store.Load(lists).status, DataFile::LoadStatus::Complete);
    CrashTrial::NextVersion(lists);
    {
        const FileSizeLimit limit(256 * 1024);
        QVERIFY(limit.ok());
        QVERIFY(!store.Save(lists));
    }
    QCOMPARE(store.ErrorString(), qt_error_string(EFBIG)); // the system's reason, not "Unknown error"
    QCOMPARE(QuillmarkTest::FileBytes(m_path), m_versionA);
    QCOMPARE(QuillmarkTest::Entries(m_dir.path()), QStringList{QStringLiteral("Quillmark.dat")});
}

QUILLMARK_GUILESS_TEST_MAIN(TestCrashTrial)
#include "tst_crashtrial.moc"
