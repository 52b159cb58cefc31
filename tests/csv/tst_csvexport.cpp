#include "exchange/csv/CsvExport.h"
#include "res/Strings.h"
#include "tests/testlib/QuillmarkTest.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <cstdio>
#include <sys/resource.h>

namespace {

CListItem Item(const QString &name, const QString &desc, double price)
{
    CListItem item;
    item.SetName(name);
    item.SetDescription(desc);
    item.m_dPrice = price;
    return item;
}

QByteArray ReadAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// A device that takes the first limit bytes and then refuses to write.
class FailAfterDevice : public QBuffer
{
public:
    explicit FailAfterDevice(qint64 limit) : m_limit(limit) { }

protected:
    qint64 writeData(const char *data, qint64 len) override
    {
        if (pos() + len > m_limit) {
            setErrorString(QStringLiteral("No space left on device"));
            return -1;
        }
        return QBuffer::writeData(data, len);
    }

private:
    qint64 m_limit;
};

} // namespace

class TestCsvExport : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("Quillmark.csv"));
        QFile::remove(m_path);
    }

    void recordBytes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("desc");
        QTest::addColumn<double>("price");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("milk") << "Milk" << "2 litres, skim" << 1.5 << QByteArray("Milk,2 litres  skim,1.50,\n");
        QTest::newRow("tea") << "Tea" << "" << 0.0 << QByteArray("Tea,,0.00,\n");
        QTest::newRow("refund") << "Refund" << "a,b" << -3.254 << QByteArray("Refund,a b,-3.25,\n");
        QTest::newRow("car") << "Car" << "" << 1234.567 << QByteArray("Car,,1234.57,\n");
        QTest::newRow("empty name") << "" << "d" << 1.0 << QByteArray(",d,1.00,\n");
        QTest::newRow("texts as they stand")
                << " \"Quoted\" " << "two\nlines\tand tab" << 2.0
                << QByteArray(" \"Quoted\" ,two\nlines\tand tab,2.00,\n");
        QTest::newRow("windows-1252") << QString::fromUtf8("Café €") << QString::fromUtf8("ü")
                                      << 3.0 << QByteArray("Caf\xE9 \x80,\xFC,3.00,\n");
    }
    void recordBytes()
    {
        QFETCH(QString, name);
        QFETCH(QString, desc);
        QFETCH(double, price);
        QFETCH(QByteArray, line);
        QByteArray bytes;
        QCOMPARE(CsvExport::EncodeRecord(Item(name, desc, price), bytes), CsvExport::RecordStatus::Ok);
        QCOMPARE(bytes, line);
    }

    void priceRoundsLikePrintf_data()
    {
        QTest::addColumn<double>("price");
        QTest::addColumn<QString>("text");
        QTest::newRow("0.125") << 0.125 << "0.12";   // exactly half: to even
        QTest::newRow("0.135") << 0.135 << "0.14";   // a little above half in binary
        QTest::newRow("2.675") << 2.675 << "2.67";   // a little below half in binary
        QTest::newRow("1.005") << 1.005 << "1.00";
        QTest::newRow("1e20") << 1e20 << "100000000000000000000.00";
        QTest::newRow("-0.001") << -0.001 << "-0.00";
        QTest::newRow("-0.005") << -0.005 << "-0.01";
        QTest::newRow("999.999") << 999.999 << "1000.00";
    }
    void priceRoundsLikePrintf()
    {
        QFETCH(double, price);
        QFETCH(QString, text);
        const QString record = Item(QStringLiteral("N"), QString(), price).GetCsvRecord();
        QCOMPARE(record, QStringLiteral("N,,") + text + QStringLiteral(",\n"));
        // The C library itself, in the C locale the test runs under.
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.2f", price);
        QCOMPARE(text, QString::fromLatin1(buf));
    }

    void wholeListInOrder()
    {
        CListItemArray list;
        list.m_items = {Item(QStringLiteral("Milk"), QStringLiteral("2 litres, skim"), 1.5),
                        Item(QStringLiteral("Tea"), QString(), 0),
                        Item(QStringLiteral("Refund"), QStringLiteral("a,b"), -3.254),
                        Item(QStringLiteral("Car"), QString(), 1234.567)};
        const CsvExport::Result r = CsvExport::ExportList(list, m_path);
        QCOMPARE(r.status, CsvExport::Status::Done);
        QCOMPARE(r.written, 4);
        QCOMPARE(ReadAll(m_path),
                 QByteArray("Milk,2 litres  skim,1.50,\nTea,,0.00,\nRefund,a b,-3.25,\nCar,,1234.57,\n"));
        QCOMPARE(CsvExport::ExportMessage(r), Str::ExportDone());
    }

    void recordLengthLimit_data()
    {
        QTest::addColumn<int>("recordLength");
        QTest::addColumn<bool>("written");
        QTest::newRow("512") << 512 << true;
        QTest::newRow("513") << 513 << false;
    }
    void recordLengthLimit()
    {
        QFETCH(int, recordLength);
        QFETCH(bool, written);
        // name + ",," + "0.00" + ",\n" : eight characters besides the name
        const CListItem item = Item(QString(recordLength - 8, QLatin1Char('x')), QString(), 0);
        QCOMPARE(item.GetCsvRecord().size(), recordLength);
        QByteArray bytes;
        QCOMPARE(CsvExport::EncodeRecord(item, bytes) == CsvExport::RecordStatus::Ok, written);

        // The limit counts bytes, also for characters beyond ASCII.
        const CListItem accented = Item(QString(recordLength - 8, QChar(0xE9)), QString(), 0);
        QCOMPARE(CsvExport::EncodeRecord(accented, bytes) == CsvExport::RecordStatus::Ok, written);
        if (written)
            QCOMPARE(bytes.size(), recordLength);
    }

    void leftOutRecordsAreFlagged()
    {
        CListItemArray list;
        list.m_items = {Item(QStringLiteral("First"), QString(), 1),
                        Item(QString(600, QLatin1Char('L')), QString(), 2),
                        Item(QStringLiteral("Third"), QString(), 3)};
        const CsvExport::Result r = CsvExport::ExportList(list, m_path);
        QCOMPARE(r.status, CsvExport::Status::DoneSomeLeftOut);
        QCOMPARE(r.written, 2);
        QCOMPARE(r.leftOutTooLong, 1);
        QCOMPARE(ReadAll(m_path), QByteArray("First,,1.00,\nThird,,3.00,\n"));
        QCOMPARE(CsvExport::ExportMessage(r), Str::ExportDoneSomeLeftOut());
    }

    void charactersOutsideTheCodePageAreLeftOut()
    {
        // A substitute byte would change the data silently: the record is left
        // out and the message says why.
        CListItemArray list;
        list.m_items = {Item(QStringLiteral("Kept"), QString(), 1),
                        Item(QString::fromUtf8("Tea \u2615"), QString(), 2),
                        Item(QStringLiteral("Smile"), QString::fromUtf8("\U0001F600"), 3)};
        const CsvExport::Result r = CsvExport::ExportList(list, m_path);
        QCOMPARE(r.status, CsvExport::Status::DoneSomeLeftOut);
        QCOMPARE(r.leftOutNotStorable, 2);
        QCOMPARE(r.leftOutTooLong, 0);
        QCOMPARE(ReadAll(m_path), QByteArray("Kept,,1.00,\n"));
        QCOMPARE(CsvExport::ExportMessage(r), Str::ExportDoneSomeNotStorable());
    }

    void exportReplacesTheFile()
    {
        CListItemArray list;
        list.m_items = {Item(QStringLiteral("A"), QString(), 1), Item(QStringLiteral("B"), QString(), 2)};
        QCOMPARE(CsvExport::ExportList(list, m_path).status, CsvExport::Status::Done);
        list.m_items.removeLast();
        QCOMPARE(CsvExport::ExportList(list, m_path).status, CsvExport::Status::Done);
        QCOMPARE(ReadAll(m_path), QByteArray("A,,1.00,\n"));
    }

    void missingFolderIsAFailure()
    {
        const QString path = m_dir.filePath(QStringLiteral("gone/Quillmark.csv"));
        CListItemArray list;
        list.m_items = {Item(QStringLiteral("A"), QString(), 1)};
        const CsvExport::Result r = CsvExport::ExportList(list, path);
        QCOMPARE(r.status, CsvExport::Status::Failed);
        QVERIFY(!r.reason.isEmpty());
        QCOMPARE(CsvExport::ExportMessage(r), Str::ExportFailed(r.reason));
        QVERIFY(!QFileInfo::exists(m_dir.filePath(QStringLiteral("gone"))));
    }

    void failedWriteStopsAndReports()
    {
        CListItemArray list;
        list.m_items = {Item(QStringLiteral("A"), QString(), 1), Item(QStringLiteral("B"), QString(), 2)};
        FailAfterDevice device(12);
        QVERIFY(device.open(QIODevice::WriteOnly));
        const CsvExport::Result r = CsvExport::WriteRecords(device, list);
        QCOMPARE(r.status, CsvExport::Status::Failed);
        QCOMPARE(r.reason, QStringLiteral("No space left on device"));
    }

    void failedExportKeepsTheOldFile()
    {
        // A file size limit makes the disk refuse bytes, as a full disk would.
        {
            QFile old(m_path);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("old export\n");
        }
        CListItemArray list;
        for (int i = 0; i < 50; ++i)
            list.m_items.append(Item(QStringLiteral("Item %1").arg(i), QStringLiteral("desc"), i));

        rlimit saved{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        rlimit small = saved;
        small.rlim_cur = 100;
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        const CsvExport::Result r = CsvExport::ExportList(list, m_path);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);

        QCOMPARE(r.status, CsvExport::Status::Failed);
        QVERIFY(!r.reason.isEmpty());
        QCOMPARE(ReadAll(m_path), QByteArray("old export\n"));
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Quillmark.csv")});
    }

    void blockedTargetLeavesNothingBehind()
    {
        // A folder where the file should be: the save cannot replace it, and
        // nothing half-written is left beside it.
        const QString folder = m_dir.filePath(QStringLiteral("blocked"));
        QVERIFY(QDir().mkpath(folder + QStringLiteral("/Quillmark.csv")));
        CListItemArray list;
        list.m_items = {Item(QStringLiteral("A"), QString(), 1)};
        const CsvExport::Result r = CsvExport::ExportList(list, folder + QStringLiteral("/Quillmark.csv"));
        QCOMPARE(r.status, CsvExport::Status::Failed);
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{QStringLiteral("Quillmark.csv")});
        QVERIFY(QFileInfo(folder + QStringLiteral("/Quillmark.csv")).isDir());
    }

    void exportFileIsInTheDocumentsFolder()
    {
        const QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        QDir(docs).removeRecursively();
        const QString path = CsvExport::ExportFilePath();
        QCOMPARE(path, QDir(docs).filePath(QStringLiteral("Quillmark.csv")));
        QVERIFY(QFileInfo(docs).isDir());
    }

private:
    QTemporaryDir m_dir;
    QString m_path;
};

QUILLMARK_GUILESS_TEST_MAIN(TestCsvExport)
#include "tst_csvexport.moc"
