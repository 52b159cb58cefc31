#include "model/DataStore.h"
#include "model/FileStamp.h"
#include "platform/DataFileWatcher.h"
#include "platform/FileLook.h"
#include "tests/testlib/DataFiles.h"
#include "tests/testlib/Lists.h"
#include "tests/testlib/QuillmarkTest.h"

#include <QSignalSpy>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/stat.h>

using QuillmarkTest::WriteFileBytes;

namespace {

CFileStamp StampOf(const QByteArray &bytes)
{
    CStampHasher hasher;
    hasher.Add(bytes.constData(), bytes.size());
    return hasher.Stamp();
}

} // namespace

// Telling that another program has written the data file.
class TestFileChange : public QObject
{
    Q_OBJECT

private slots:
    void stampTellsBytesNotTimes();
    void watcherFollowsRenamesAndSettles_data();
    void watcherFollowsRenamesAndSettles();
};

void TestFileChange::stampTellsBytesNotTimes()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("Quillmark.dat"));
    const CFileStamp none = CFileStamp::OfFile(path);

    QVERIFY(WriteFileBytes(path, QByteArray()));
    const CFileStamp empty = CFileStamp::OfFile(path);
    QVERIFY(!empty.SameBytesAs(none)); // a file that turned up, or went away

    QVERIFY(WriteFileBytes(path, "Bread"));
    CFileStamp first = CFileStamp::OfFile(path);
    // Where the file system keeps change times of its own, a stamp whose
    // look has settled tells an unwritten file without reading it.
    if (FileLook::CanSettle(path))
        QTRY_VERIFY_WITH_TIMEOUT((first = CFileStamp::OfFile(path)).LooksUnchanged(path), 5000);
    QVERIFY(first.SameBytesAs(StampOf("Bread")));
    const QDateTime time = QFileInfo(path).lastModified();
    const FileLook look = FileLook::OfPath(path);

    // Another program writes the same number of bytes and sets the time back
    // to the nanosecond, as sync tools do: size and time are as before, the
    // bytes not.
    QVERIFY(WriteFileBytes(path, "Bre4d"));
    const struct timespec times[2] = {{0, UTIME_OMIT},
                                      {time_t(look.modifiedNs / 1'000'000'000), long(look.modifiedNs % 1'000'000'000)}};
    QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
    QCOMPARE(FileLook::OfPath(path).modifiedNs, look.modifiedNs);
    QCOMPARE(FileLook::OfPath(path).size, look.size);
    QVERIFY(!first.LooksUnchanged(path));
    QVERIFY(!CFileStamp::OfFile(path).SameBytesAs(first));

    // The same bytes written again, at another time: nothing new to read.
    QVERIFY(WriteFileBytes(path, "Bread"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(time.addSecs(60), QFileDevice::FileModificationTime));
    file.close();
    QVERIFY(CFileStamp::OfFile(path).SameBytesAs(first));

    // A file of several megabytes and a part, stamped as read from disk, as
    // bytes in memory and as they pass in pieces of every size (as the data
    // file's reader and writer hand them on), is one stamp; a byte changed
    // deep inside is not.
    QByteArray big(5 * 1024 * 1024 / 2 + 3, '\0');
    for (qsizetype i = 0; i < big.size(); ++i)
        big[i] = char(i * 7919 >> 5);
    QVERIFY(WriteFileBytes(path, big));
    const CFileStamp whole = StampOf(big);
    QVERIFY(CFileStamp::OfFile(path).SameBytesAs(whole));
    CStampHasher pieces;
    for (qsizetype at = 0, step = 1; at < big.size(); at += step, step = step * 3 + 1)
        pieces.Add(big.constData() + at, qMin(step, big.size() - at));
    QVERIFY(pieces.Stamp().SameBytesAs(whole));
    big[big.size() - 3] = char(big.at(big.size() - 3) ^ 1);
    QVERIFY(!CFileStamp::OfFile(path).SameBytesAs(StampOf(big)));
}

void TestFileChange::watcherFollowsRenamesAndSettles_data()
{
    QTest::addColumn<bool>("linked");
    QTest::newRow("the data file") << false;
    // Everything happens beside the file the link points to.
    QTest::newRow("a link into another folder") << true;
}

void TestFileChange::watcherFollowsRenamesAndSettles()
{
    QFETCH(bool, linked);
    QTemporaryDir home, synced;
    QVERIFY(home.isValid() && synced.isValid());
    const QString path = (linked ? synced : home).filePath(QStringLiteral("Quillmark.dat"));
    QTemporaryDir &dir = linked ? synced : home;
    QVERIFY(WriteFileBytes(path, "one"));
    const QString watched = linked ? home.filePath(QStringLiteral("Quillmark.dat")) : path;
    QVERIFY(!linked || QFile::link(path, watched));
    CDataFileWatcher watcher(watched);
    QSignalSpy changed(&watcher, &CDataFileWatcher::changedOnDisk);
    const int quiet = 3 * CDataFileWatcher::kSettleMs;

    // A sync tool's rename over the file is one change.
    QVERIFY(QuillmarkTest::RenameOver(path, "two, longer"));
    QVERIFY(changed.wait(5000));
    QVERIFY(!changed.wait(quiet));
    QCOMPARE(changed.count(), 1);

    // The renamed-in file is watched too: a program that writes into it in
    // place, in several steps, is one change more.
    QVERIFY(WriteFileBytes(path, "two, longer and three"));
    QVERIFY(WriteFileBytes(path, "two, longer and three and four"));
    QVERIFY(changed.wait(5000));
    QVERIFY(!changed.wait(quiet));
    QCOMPARE(changed.count(), 2);

    // Other files in the folder are no change of the data file.
    QVERIFY(WriteFileBytes(dir.filePath(QStringLiteral("Quillmark.csv")), "x"));
    QVERIFY(!changed.wait(quiet));
    QCOMPARE(changed.count(), 2);

    // Taken away and brought back. Meanwhile there is no file, also where a
    // link is left leading to nothing.
    QVERIFY(QFile::remove(path));
    QVERIFY(changed.wait(5000));
    QVERIFY(!CFileStamp::OfFile(watched).Exists());
    CListCollection none;
    CFileStamp stamp;
    QCOMPARE(CDataStore(watched).Peek(none, stamp).status, DataFile::LoadStatus::Missing);
    QVERIFY(WriteFileBytes(path, "five"));
    QVERIFY(changed.wait(5000));
    QVERIFY(WriteFileBytes(path, "five, six and more"));
    QVERIFY(changed.wait(5000));
    QCOMPARE(changed.count(), 5);
}

QUILLMARK_GUILESS_TEST_MAIN(TestFileChange)
#include "tst_filechange.moc"
