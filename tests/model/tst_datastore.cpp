#include "model/DataStore.h"
#include "tests/testlib/DataFiles.h"
#include "tests/testlib/Lists.h"
#include "tests/testlib/QuillmarkTest.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <functional>
#include <sys/wait.h>
#include <unistd.h>

using namespace QuillmarkTest;
using DataFile::LoadStatus;

namespace {

// Root may read any file, so the unreadable file's case runs in a child that
// has given root up; an ordinary user runs it in place.
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
    QTest::addColumn<bool>("folderMissing");
    QTest::newRow("folder missing") << true;
    QTest::newRow("file name taken by a folder") << false;
}

void TestDataStore::failedSaveLeavesTheOldFile()
{
    QFETCH(bool, folderMissing);
    const QByteArray old = WriteToBytes(RichSample());
    if (folderMissing)
        QVERIFY(WriteFileBytes(m_path, old));
    else
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("Quillmark.dat")));
    const QStringList before = Entries(m_dir->path());

    CDataStore store(folderMissing ? m_dir->filePath(QStringLiteral("gone/Quillmark.dat")) : m_path);
    QVERIFY(!store.Save(Changed()));
    QVERIFY(!store.ErrorString().isEmpty());
    QCOMPARE(Entries(m_dir->path()), before);
    if (folderMissing)
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
        // Readable by now or not: not one of its lists was read, so even a
        // backup first would put an empty collection in their place.
        QFile::setPermissions(m_path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        if (store.Save(Changed()))
            return 2;
        const QString notReplaced =
                QStringLiteral("the file could not be read when Quillmark started, so it is not replaced");
        return store.ErrorString() == notReplaced ? 0 : 3;
    });
    QFile::setPermissions(m_dir->path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QCOMPARE(outcome, 0);
    QFile::setPermissions(m_path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QCOMPARE(FileBytes(m_path), old);
    QCOMPARE(Entries(m_dir->path()), QStringList{QStringLiteral("Quillmark.dat")});
}

// Before the first save over a damaged file, the file is kept as .bak; if
// that fails, so does the save.
void TestDataStore::damagedFileIsKeptBeforeTheFirstSave()
{
    const CListCollection sample = RichSample();
    const QByteArray damaged = WriteToBytes(sample).chopped(5);
    QVERIFY(WriteFileBytes(m_path, damaged));
    const QString backup = m_path + QStringLiteral(".bak");
    QVERIFY(WriteFileBytes(backup, "an older backup"));

    CDataStore store(m_path);
    CListCollection lists;
    const DataFile::LoadResult result = store.Load(lists);
    QCOMPARE(result.status, LoadStatus::Damaged);
    QCOMPARE(result.errorString, QStringLiteral("the file ends too early (byte %1)").arg(damaged.size() - 1));
    QCOMPARE(lists, sample.first(2)); // the last list was cut
    QCOMPARE(FileBytes(backup), QByteArray("an older backup")); // nothing yet

    // A folder where the backup belongs: it cannot be replaced by a file.
    QVERIFY(QFile::remove(backup));
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

QUILLMARK_GUILESS_TEST_MAIN(TestDataStore)
#include "tst_datastore.moc"
