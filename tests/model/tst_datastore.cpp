#include "model/DataStore.h"
#include "model/FileStamp.h"
#include "platform/ReplacingFile.h"
#include "tests/testlib/DataFiles.h"
#include "tests/testlib/Lists.h"
#include "tests/testlib/QuillmarkTest.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

using namespace QuillmarkTest;
using DataFile::LoadStatus;

namespace {

CListCollection Changed()
{
    CListCollection lists = RichSample();
    lists[0].SetName(QStringLiteral("changed"));
    return lists;
}

} // namespace

class TestDataStore : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void firstSaveCreatesTheFileLaterOnesReplaceIt();
    void failedSaveLeavesNothingBeside();
    void unreadableFileIsNeverReplaced();
    void damagedFileIsKeptBeforeTheFirstSave();
    void notAFileIsNeitherReadNorReplaced_data();
    void notAFileIsNeitherReadNorReplaced();
    void startClearsWhatKilledSavesLeft();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
};

void TestDataStore::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_path = m_dir->filePath(QStringLiteral("Quillmark.dat"));
}

void TestDataStore::firstSaveCreatesTheFileLaterOnesReplaceIt()
{
    CDataStore store(m_path);
    CListCollection lists = RichSample();
    QCOMPARE(store.Load(lists).status, LoadStatus::Missing);
    QCOMPARE(lists, RichSample()); // untouched
    QVERIFY(!QFile::exists(m_path));

    QVERIFY2(store.Save(lists), qPrintable(store.ErrorString()));
    QCOMPARE(FileBytes(m_path), WriteToBytes(lists));
    QCOMPARE(Entries(m_dir->path()), QStringList{QStringLiteral("Quillmark.dat")});

    // The longer old file must not leave its tail behind.
    QVERIFY(store.Save({}));
    QCOMPARE(FileBytes(m_path), QByteArray(4, '\0'));
    QCOMPARE(Entries(m_dir->path()), QStringList{QStringLiteral("Quillmark.dat")});
}

// A folder where the file belongs: the new file cannot take its place, and
// its temporary copy goes too.
void TestDataStore::failedSaveLeavesNothingBeside()
{
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("Quillmark.dat")));
    CDataStore store(m_path);
    QVERIFY(!store.Save(Changed()));
    QVERIFY(!store.ErrorString().isEmpty());
    QCOMPARE(Entries(m_dir->path()), QStringList{QStringLiteral("Quillmark.dat")});
}

// Not one of its lists was read, so even a backup first would put an empty
// collection in their place: no save replaces it, readable by now or not.
void TestDataStore::unreadableFileIsNeverReplaced()
{
    // Root may read any file, but no one reads a folder as one.
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("Quillmark.dat")));
    CDataStore store(m_path);
    CListCollection lists = Sentinel();
    QCOMPARE(store.Load(lists).status, LoadStatus::Damaged);
    QCOMPARE(lists, Sentinel());

    const QByteArray old = WriteToBytes(RichSample());
    QVERIFY(QDir(m_dir->path()).rmdir(QStringLiteral("Quillmark.dat")));
    QVERIFY(WriteFileBytes(m_path, old));
    QVERIFY(!store.Save(Changed()));
    QCOMPARE(store.ErrorString(), QStringLiteral("the file could not be read when Quillmark started, so it is not replaced"));
    QCOMPARE(FileBytes(m_path), old);
    QCOMPARE(Entries(m_dir->path()), QStringList{QStringLiteral("Quillmark.dat")});
}

// Before the first save over a damaged file, the file is kept as .bak; if
// that fails, so does the save.
void TestDataStore::damagedFileIsKeptBeforeTheFirstSave()
{
    const QByteArray damaged = WriteToBytes(RichSample()).chopped(5);
    QVERIFY(WriteFileBytes(m_path, damaged));
    const QString backup = m_path + QStringLiteral(".bak");
    CDataStore store(m_path);
    CListCollection lists;
    QCOMPARE(store.Load(lists).status, LoadStatus::Damaged);
    QVERIFY(!QFile::exists(backup)); // nothing yet

    // A folder where the backup belongs: it cannot be replaced by a file.
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("Quillmark.dat.bak")));
    QVERIFY(!store.Save(lists));
    QVERIFY2(store.ErrorString().startsWith(QStringLiteral("the damaged file could not be kept as %1: ").arg(backup)),
             qPrintable(store.ErrorString()));
    QCOMPARE(FileBytes(m_path), damaged);
    QCOMPARE(Entries(m_dir->path()), (QStringList{QStringLiteral("Quillmark.dat"), QStringLiteral("Quillmark.dat.bak")}));

    // Once the way is clear the backup is made and the save goes through.
    QVERIFY(QDir(m_dir->path()).rmdir(QStringLiteral("Quillmark.dat.bak")));
    QVERIFY2(store.Save(lists), qPrintable(store.ErrorString()));
    QCOMPARE(FileBytes(backup), damaged);
    QCOMPARE(FileBytes(m_path), WriteToBytes(lists));

    // Only the damaged file is kept: later saves leave the backup alone.
    QVERIFY(WriteFileBytes(backup, "kept"));
    QVERIFY(store.Save(Changed()));
    QCOMPARE(FileBytes(backup), QByteArray("kept"));
    QCOMPARE(Entries(m_dir->path()), (QStringList{QStringLiteral("Quillmark.dat"), QStringLiteral("Quillmark.dat.bak")}));
}

void TestDataStore::notAFileIsNeitherReadNorReplaced_data()
{
    QTest::addColumn<bool>("pipe");
    QTest::addColumn<bool>("atStart");
    QTest::newRow("named pipe at the start") << true << true;
    QTest::newRow("link to /dev/zero at the start") << false << true;
    QTest::newRow("named pipe since the last read") << true << false;
}

// A named pipe waits for a writer, /dev/zero never ends: a read or a save
// that opened either would never come back. Neither is read, stamped, kept
// as .bak or replaced.
void TestDataStore::notAFileIsNeitherReadNorReplaced()
{
    QFETCH(bool, pipe);
    QFETCH(bool, atStart);
    const QByteArray name = QFile::encodeName(m_path);
    const auto plant = [&] {
        QFile::remove(m_path);
        return pipe ? ::mkfifo(name.constData(), 0600) == 0 : QFile::link(QStringLiteral("/dev/zero"), m_path);
    };
    CDataStore store(m_path);
    CListCollection lists = Sentinel();
    if (atStart) {
        QVERIFY(plant());
        QCOMPARE(store.Load(lists).status, LoadStatus::Damaged);
        QCOMPARE(lists, Sentinel());
        QVERIFY2(store.DamageMessage(store.Load(lists)).contains(QStringLiteral("it is no ordinary file")),
                 qPrintable(store.DamageMessage(store.Load(lists))));
    } else {
        // Damaged, so that the save would first copy it to .bak.
        QVERIFY(WriteFileBytes(m_path, WriteToBytes(RichSample()).chopped(5)));
        QCOMPARE(store.Load(lists).status, LoadStatus::Damaged);
        QVERIFY(plant());
    }
    const CFileStamp stamp = CFileStamp::OfFile(m_path);
    QVERIFY(stamp.Exists() && !stamp.IsReadable());
    QVERIFY(!store.Save(Changed()));
    QVERIFY(!store.ErrorString().isEmpty());
    struct stat st = {};
    QVERIFY(::lstat(name.constData(), &st) == 0);
    QVERIFY(pipe ? S_ISFIFO(st.st_mode) : S_ISLNK(st.st_mode));
    QCOMPARE(Entries(m_dir->path()), QStringList{QStringLiteral("Quillmark.dat")});
}

// A save killed where the new file has a name (a file system without
// unnamed files, or between the naming and the rename) leaves it behind.
// The next start removes those of runs that are over, and nothing else:
// not a living run's, not a folder, not the user's own files.
void TestDataStore::startClearsWhatKilledSavesLeft()
{
    QProcess ended;
    ended.start(QStringLiteral("true"), {});
    QVERIFY(ended.waitForStarted());
    const qint64 over = ended.processId();
    QVERIFY(ended.waitForFinished());
    const QString dead = CReplacingFile::TemporaryName(QStringLiteral("Quillmark.dat"), over, 12345);
    const QString living = CReplacingFile::TemporaryName(QStringLiteral("Quillmark.dat"), ::getppid(), 12345);
    const QString folder = CReplacingFile::TemporaryName(QStringLiteral("Quillmark.dat"), over, 999);
    const QStringList usersOwn{QStringLiteral("Quillmark.dat.Ab12Cd"), QStringLiteral("Quillmark.dat.before"),
                               dead + QStringLiteral(".copy")};
    QVERIFY(WriteFileBytes(m_path, WriteToBytes(RichSample())));
    for (const QString &name : usersOwn + QStringList{dead, living})
        QVERIFY(WriteFileBytes(m_dir->filePath(name), "lists"));
    QVERIFY(QDir(m_dir->path()).mkdir(folder));

    CListCollection lists;
    QCOMPARE(CDataStore(m_path).Load(lists).status, LoadStatus::Complete);
    QStringList kept = usersOwn + QStringList{living, folder, QStringLiteral("Quillmark.dat")};
    kept.sort();
    QCOMPARE(Entries(m_dir->path()), kept);
}

QUILLMARK_GUILESS_TEST_MAIN(TestDataStore)
#include "tst_datastore.moc"
