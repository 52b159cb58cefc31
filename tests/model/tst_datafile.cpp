#include "model/Archive.h"
#include "model/DataFile.h"
#include "tests/testlib/DataFiles.h"
#include "tests/testlib/FileSizeLimit.h"
#include "tests/testlib/Lists.h"
#include "tests/testlib/QuillmarkTest.h"

#include <QFile>
#include <QTemporaryDir>

#include <cerrno>
#include <limits>

using namespace QuillmarkTest;
using DataFile::LoadStatus;

namespace {

QByteArray ItemBytes(const CListItem &item)
{
    return ArchiveBytes([&](CArchiveWriter &ar) { item.Serialize(ar); });
}

} // namespace

class TestDataFile : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QuillmarkTest::SetTimeZone("UTC"); }

    void bytesInEachZone_data();
    void bytesInEachZone();
    void readsLegacySample();
    void hostileCounts_data();
    void hostileCounts();
    void timesOutsideTheFileYears_data();
    void timesOutsideTheFileYears();
    void writeErrorAtAnyOffset();
};

void TestDataFile::bytesInEachZone_data()
{
    QTest::addColumn<QByteArray>("zone");
    QTest::newRow("UTC") << QByteArray("UTC");
    QTest::newRow("New York") << QByteArray("America/New_York");
    QTest::newRow("Berlin") << QByteArray("Europe/Berlin");
}

// A time is stored as its local calendar fields, so the bytes are the same
// in every zone, and a file read and written again is the same file.
void TestDataFile::bytesInEachZone()
{
    QFETCH(QByteArray, zone);
    QuillmarkTest::SetTimeZone(zone.constData());
    QCOMPARE(WriteToBytes({List(QStringLiteral("A")).Icon(7)}).toHex(' '), Hex("01000000 fffeff014100 07000000 00000000").toHex(' '));

    // Thursday 7 March 2002, 13:15:00 local time.
    const CListItem item = Item(QStringLiteral("Milk")).Desc(QStringLiteral("2 l")).Price(12.5).Dated(Local(2002, 3, 7, 13, 15));
    const QByteArray expected = Hex("fffeff04 4d00 6900 6c00 6b00 06000000")
            + StringBytes(QStringLiteral("2 l")) + Hex("00000000 01000000 0000000000002940")
            + Hex("d207 0300 0400 0700 0d00 0f00 0000 0000");
    QCOMPARE(ItemBytes(item).toHex(' '), expected.toHex(' '));

    CListCollection lists = RichSample();
    lists.append(List(QString(70000, u'\u0416'),
                      {Item(QString(300, u'n')).Desc(QString(70000, u'd')).Price(5).Time(Local(2038, 1, 19, 3, 14, 8))}));
    const QByteArray bytes = WriteToBytes(lists);
    CListCollection back;
    const DataFile::LoadResult result = ReadBytes(bytes, back);
    QCOMPARE(result.status, LoadStatus::Complete);
    QCOMPARE(result.errorString, QString());
    QCOMPARE(back, lists);
    QCOMPARE(WriteToBytes(back), bytes);
}

void TestDataFile::readsLegacySample()
{
    QFile file(QStringLiteral(QUILLMARK_TESTDATA "/legacy-narrow.dat"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    CListCollection lists;
    const DataFile::LoadResult result = DataFile::Read(file, lists);
    QCOMPARE(result.status, LoadStatus::Complete);

    const CListCollection expected{
            List(QStringLiteral("Einkauf"),
                 {Item(QStringLiteral("Caf\u00e9"))
                          .Desc(QStringLiteral("Line one\r\nLine two"))
                          .Price(4.99)
                          .Done()
                          .Dated(Local(2002, 3, 7, 13, 15))
                          .Icon(12),
                  Item(QStringLiteral("Tee \u20ac")).Desc(QString(300, u'a')).Time(Local(1998, 1, 1, 0, 0))})
                    .Icon(9),
            List(QStringLiteral("\u03a9 list"),
                 {Item(QStringLiteral("xyz")).Price(-2.5).Dated(Local(2037, 12, 31, 23, 59, 59)).Icon(5)})
                    .Icon(-1)};
    QCOMPARE(lists, expected);
}

void TestDataFile::hostileCounts_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<LoadStatus>("status");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("reason");

    const QByteArray oneItem = Hex("00 06000000 00 00000000 00000000 0000000000000000")
            + Hex("d207 0300 0400 0700 0d00 0f00 0000 0000");
    QTest::newRow("12 bytes, 2^31-1 lists") << Hex("ffffff7f 00 07000000 ffffff") << LoadStatus::Damaged
                                            << QStringList() << QStringLiteral("the file ends too early (byte 9)");
    QTest::newRow("2^31-1 items") << Hex("01000000 00 00000000 ffffff7f") + oneItem << LoadStatus::Damaged
                                  << QStringList() << QStringLiteral("the file ends too early (byte 51)");
    // A count of zero or below empties the collection; lists after such a
    // count, or beyond a count that is too low, make the file damaged.
    QTest::newRow("negative list count alone") << Hex("ffffffff") << LoadStatus::Complete << QStringList() << QString();
    QTest::newRow("negative list count before a list")
            << Hex("ffffffff 00 07000000 00000000") << LoadStatus::Damaged << QStringList()
            << QStringLiteral("the file holds more than its list count announces (byte 4)");
    QTest::newRow("count 1, two lists") << Hex("01000000 0141 05000000 00000000 0142 06000000 00000000")
                                        << LoadStatus::Damaged << QStringList{QStringLiteral("A:0")}
                                        << QStringLiteral("the file holds more than its list count announces (byte 14)");
    // A negative item count reads as no items; the next list follows.
    QTest::newRow("negative item count") << Hex("02000000 0141 05000000 00000080 0142 06000000 01000000") + oneItem
                                         << LoadStatus::Complete << QStringList{QStringLiteral("A:0"), QStringLiteral("B:1")}
                                         << QString();
}

void TestDataFile::hostileCounts()
{
    QFETCH(QByteArray, bytes);
    QFETCH(LoadStatus, status);
    QFETCH(QStringList, names);
    QFETCH(QString, reason);
    CListCollection lists = Sentinel();
    const DataFile::LoadResult result = ReadBytes(bytes, lists);
    QCOMPARE(result.status, status);
    QCOMPARE(result.errorString, reason);
    QStringList read;
    for (const CListItemArray &list : lists)
        read.append(list.m_strName + u':' + QString::number(list.m_items.size()));
    QCOMPARE(read, names);

    // A pipe cannot tell how much is left, yet judges the file the same.
    CListCollection piped = Sentinel();
    QCOMPARE(ReadBytes(bytes, piped, true).status, status);
    QCOMPARE(piped, lists);
}

void TestDataFile::timesOutsideTheFileYears_data()
{
    QTest::addColumn<CalendarTime>("time");
    QTest::addColumn<QByteArray>("fields");

    // Stored as the nearest moment the file's WORD year can hold.
    const QByteArray latest = Hex("ffff 0c00 0200 1f00 1700 3b00 3b00 0000");
    const QByteArray earliest = Hex("0000 0100 0600 0100 0000 0000 0000 0000");
    QTest::newRow("year 70000") << CalendarTime(2146828435200) << latest;
    QTest::newRow("beyond the C library") << std::numeric_limits<CalendarTime>::max() << latest;
    QTest::newRow("year -300000") << CalendarTime(-9'500'000'000'000) << earliest;
    QTest::newRow("lowest") << std::numeric_limits<CalendarTime>::min() << earliest;
}

void TestDataFile::timesOutsideTheFileYears()
{
    QFETCH(CalendarTime, time);
    QFETCH(QByteArray, fields);
    const CListItem item = Item(QStringLiteral("t")).Dated(time);
    QCOMPARE(ItemBytes(item).right(16).toHex(' '), fields.toHex(' '));

    CListCollection lists;
    QCOMPARE(ReadBytes(WriteToBytes({List({}, {item})}), lists).status, LoadStatus::Complete);
    // Loaded, it is that nearest moment: saved again, the same fields.
    QCOMPARE(ItemBytes(lists.at(0).m_items.at(0)).right(16).toHex(' '), fields.toHex(' '));
}

// The file may grow to `limit` bytes only, as on a disk that fills up: the
// writer stops there and says why.
void TestDataFile::writeErrorAtAnyOffset()
{
    CListCollection lists = RichSample();
    lists.append(List({}, {Item().Desc(QString(100000, u'd'))}));
    const QByteArray bytes = WriteToBytes(lists);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Quillmark.dat"));
    for (qint64 limit : {qint64(0), qint64(3), qint64(4), qint64(50), qint64(70000), bytes.size() / 2, bytes.size() - 1}) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered));
        QString error;
        {
            const FileSizeLimit full(limit);
            QVERIFY(full.ok());
            QVERIFY(!DataFile::Write(file, lists, &error));
        }
        QCOMPARE(error, qt_error_string(EFBIG));
        file.close();
        QCOMPARE(FileBytes(path), bytes.left(limit));
    }
}

QUILLMARK_GUILESS_TEST_MAIN(TestDataFile)
#include "tst_datafile.moc"
