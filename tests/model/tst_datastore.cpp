#include "model/DataStore.h"
#include "res/Strings.h"
#include "tests/model/ModelTestUtil.h"
#include "tests/testlib/QuillmarkTest.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <functional>
#include <sys/wait.h>
#include <unistd.h>

using namespace ModelTest;
using DataFile::LoadStatus;

namespace {

// Root may write into any folder, so permission cases run in a child that
// has given root up; an ordinary user runs them in place.
int RunUnprivileged(const std::function<int()> &job)
{
    if (::geteuid() != 0)
        return job();
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(90);
        ::_exit(job());
    }
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid)
        return 91;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 92;
}

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
    void failedSaveLeavesTheOldFile_data();
    void failedSaveLeavesTheOldFile();
    void unreadableFileIsNeverReplaced();
    void damagedFileIsKeptBeforeTheFirstSave();
    void failedBackupFailsTheSave();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
};

void TestDataStore::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    // The unprivileged child must reach the folder.
    QVERIFY(QFile::setPermissions(m_dir->path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                                         | QFileDevice::ReadOther | QFileDevice::ExeOther));
    m_path = m_dir->filePath(QStringLiteral("Quillmark.dat"));
}

void TestDataStore::firstSaveCreatesTheFileLaterOnesReplaceIt()
{
    CDataStore store(m_path);
    CListCollection lists = RichSample();
    lists.append(RichSample());
    const CListCollection held = lists;
    const DataFile::LoadResult result = store.Load(lists);
    QCOMPARE(result.status, LoadStatus::Missing);
    QCOMPARE(lists, held); // untouched
    QVERIFY(!QFile::exists(m_path));

    QVERIFY2(store.Save(lists), qPrintable(store.ErrorString()));
    QCOMPARE(FileBytes(m_path), WriteToBytes(lists));
    QCOMPARE(Entries(m_dir->path()), QStringList{QStringLiteral("Quillmark.dat")});
    CListCollection back;
    QCOMPARE(CDataStore(m_path).Load(back).status, LoadStatus::Complete);
    QCOMPARE(back, lists);

    // The longer old file must not leave its tail behind.
    QVERIFY(store.Save({}));
    QCOMPARE(FileBytes(m_path), QByteArray(4, '\0'));
    QCOMPARE(Entries(m_dir->path()), QStringList{QStringLiteral("Quillmark.dat")});
}

void TestDataStore::failedSaveLeavesTheOldFile_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("read-only folder") << QStringLiteral("read-only");
    QTest::newRow("folder missing") << QStringLiteral("missing");
    QTest::newRow("file name taken by a folder") << QStringLiteral("folder");
}

void TestDataStore::failedSaveLeavesTheOldFile()
{
    QFETCH(QString, how);
    const QByteArray old = WriteToBytes(RichSample());
    QString path = m_path;
    if (how == QLatin1String("missing")) {
        path = m_dir->filePath(QStringLiteral("gone/Quillmark.dat"));
        QVERIFY(WriteFileBytes(m_path, old));
    } else if (how == QLatin1String("folder")) {
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("Quillmark.dat")));
    } else {
        QVERIFY(WriteFileBytes(m_path, old));
    }
    const QStringList before = Entries(m_dir->path());
    if (how == QLatin1String("read-only"))
        QVERIFY(QFile::setPermissions(m_dir->path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner
                                                             | QFileDevice::ReadOther | QFileDevice::ExeOther));

    const int outcome = RunUnprivileged([path] {
        CDataStore store(path);
        if (store.Save(Changed()))
            return 1;
        return store.ErrorString().isEmpty() ? 2 : 0;
    });
    QFile::setPermissions(m_dir->path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QCOMPARE(outcome, 0);
    QCOMPARE(Entries(m_dir->path()), before);
    if (how != QLatin1String("folder"))
        QCOMPARE(FileBytes(m_path), old);
}

void TestDataStore::unreadableFileIsNeverReplaced()
{
    const QByteArray old = WriteToBytes(RichSample());
    QVERIFY(WriteFileBytes(m_path, old));
    QVERIFY(QFile::setPermissions(m_path, {}));
    // The child that gives root up must own the file to make it readable again.
    if (::geteuid() == 0)
        QCOMPARE(::chown(QFile::encodeName(m_path).constData(), 65534, 65534), 0);
    QVERIFY(QFile::setPermissions(m_dir->path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                                         | QFileDevice::ReadOther | QFileDevice::WriteOther
                                                         | QFileDevice::ExeOther));
    const int outcome = RunUnprivileged([this] {
        CDataStore store(m_path);
        CListCollection lists;
        const DataFile::LoadResult result = store.Load(lists);
        if (result.status != LoadStatus::Damaged || !lists.isEmpty())
            return 1;
        if (store.DamageMessage(result) != Str::DataFileUnreadable(m_path, result.errorString))
            return 2;
        // Readable by now or not: not one of its lists was read, so even a
        // backup first would put an empty collection in their place.
        QFile::setPermissions(m_path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        if (store.Save(Changed()))
            return 3;
        return store.ErrorString() == Str::UnreadableNotReplaced() ? 0 : 4;
    });
    QFile::setPermissions(m_dir->path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QCOMPARE(outcome, 0);
    QFile::setPermissions(m_path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QCOMPARE(FileBytes(m_path), old);
    QCOMPARE(Entries(m_dir->path()), QStringList{QStringLiteral("Quillmark.dat")});
}

void TestDataStore::damagedFileIsKeptBeforeTheFirstSave()
{
    const CListCollection sample = RichSample();
    const QByteArray damaged = WriteToBytes(sample).chopped(5);
    QVERIFY(WriteFileBytes(m_path, damaged));
    QVERIFY(WriteFileBytes(m_path + QStringLiteral(".bak"), "an older backup"));

    CDataStore store(m_path);
    CListCollection lists;
    const DataFile::LoadResult result = store.Load(lists);
    QCOMPARE(result.status, LoadStatus::Damaged);
    QCOMPARE(result.errorString, QStringLiteral("the file ends too early (byte %1)").arg(damaged.size() - 1));
    QCOMPARE(lists, sample.first(2)); // the last list was cut
    QCOMPARE(FileBytes(store.BackupPath()), QByteArray("an older backup")); // nothing yet

    QVERIFY2(store.Save(lists), qPrintable(store.ErrorString()));
    QCOMPARE(FileBytes(store.BackupPath()), damaged);
    QCOMPARE(FileBytes(m_path), WriteToBytes(lists));

    // Only the damaged file is kept: later saves leave the backup alone.
    QVERIFY(WriteFileBytes(store.BackupPath(), "kept"));
    QVERIFY(store.Save(Changed()));
    QCOMPARE(FileBytes(store.BackupPath()), QByteArray("kept"));
    QCOMPARE(Entries(m_dir->path()), (QStringList{QStringLiteral("Quillmark.dat"), QStringLiteral("Quillmark.dat.bak")}));
}

void TestDataStore::failedBackupFailsTheSave()
{
    const QByteArray damaged("\x01\x00\x00\x00\x05", 5);
    QVERIFY(WriteFileBytes(m_path, damaged));
    // A folder where the backup belongs: it cannot be replaced by a file.
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("Quillmark.dat.bak")));
    CDataStore store(m_path);
    CListCollection lists;
    QCOMPARE(store.Load(lists).status, LoadStatus::Damaged);
    QVERIFY(!store.Save(RichSample()));
    QVERIFY2(store.ErrorString().startsWith(QStringLiteral("the damaged file could not be kept as %1: ").arg(store.BackupPath())),
             qPrintable(store.ErrorString()));
    QCOMPARE(FileBytes(m_path), damaged);
    QCOMPARE(Entries(m_dir->path()), (QStringList{QStringLiteral("Quillmark.dat"), QStringLiteral("Quillmark.dat.bak")}));

    // Once the way is clear the backup is made and the save goes through.
    QVERIFY(QDir(m_dir->path()).rmdir(QStringLiteral("Quillmark.dat.bak")));
    QVERIFY(store.Save(RichSample()));
    QCOMPARE(FileBytes(store.BackupPath()), damaged);
}

QUILLMARK_GUILESS_TEST_MAIN(TestDataStore)
#include "tst_datastore.moc"
