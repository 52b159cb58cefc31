#include "exchange/csv/CsvExport.h"
#include "tests/testlib/DataFiles.h"
#include "tests/testlib/Lists.h"
#include "tests/testlib/FileSizeLimit.h"
#include "tests/testlib/QuillmarkTest.h"

#include <QDir>

#include <cerrno>
#include <QTemporaryDir>

namespace {

// An undated item as an export sees it: only name, description and price count.
CListItem Item(const QString &name, const QString &desc = QString(), double price = 0)
{
    return QuillmarkTest::Item(name).Desc(desc).Price(price);
}

} // namespace

using QuillmarkTest::FileBytes;

class TestCsvExport : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_path = m_dir.filePath(QStringLiteral("Quillmark.csv")); }

    void records_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("desc");
        QTest::addColumn<double>("price");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("refund") << "Refund" << "a,b" << -3.254 << QByteArray("Refund,a b,-3.25,\n");
        QTest::newRow("as they stand") << " \"Q\" " << "tab\t" << 2.0 << QByteArray(" \"Q\" ,tab\t,2.00,\n");
        // One line per item, whatever the line ends: so the file reads back.
        QTest::newRow("line breaks") << "a\rb" << "one\ntwo\r\nthree\r" << 2.0 << QByteArray("a b,one two three ,2.00,\n");
        QTest::newRow("windows-1252") << QString::fromUtf8("Café €") << QString::fromUtf8("ü") << 3.0
                                      << QByteArray("Caf\xE9 \x80,\xFC,3.00,\n");
        // "%.2f" of the binary double, as printf rounds it
        QTest::newRow("0.125") << "N" << "" << 0.125 << QByteArray("N,,0.12,\n");
        QTest::newRow("2.675") << "N" << "" << 2.675 << QByteArray("N,,2.67,\n");
        QTest::newRow("1e20") << "N" << "" << 1e20 << QByteArray("N,,100000000000000000000.00,\n");
        QTest::newRow("-0.001") << "N" << "" << -0.001 << QByteArray("N,,-0.00,\n");
    }
    void records()
    {
        QFETCH(QString, name);
        QFETCH(QString, desc);
        QFETCH(double, price);
        QFETCH(QByteArray, line);
        QByteArray bytes;
        QCOMPARE(CsvExport::EncodeRecord(Item(name, desc, price), bytes), CsvExport::RecordStatus::Ok);
        QCOMPARE(bytes, line);
    }

    void leftOutRecords_data()
    {
        QTest::addColumn<QString>("middle");
        QTest::addColumn<bool>("written");
        QTest::addColumn<QString>("message");
        // %1: the folder the file went to.
        const QString done = QStringLiteral("The File 'Quillmark.csv' was created in the folder '%1'");
        const QString tooLong = done + QStringLiteral(", some records were too long and were left out.");
        const QString notStorable = done + QStringLiteral(", some records were too long or held characters the "
                                                          "file cannot store and were left out.");
        // name + ",," + "0.00" + ",\n": eight characters besides the name
        QTest::newRow("512 bytes") << QString(504, QLatin1Char('x')) << true << done + u'.';
        QTest::newRow("512 accented") << QString(504, QChar(0xE9)) << true << done + u'.';
        QTest::newRow("513 bytes") << QString(505, QLatin1Char('x')) << false << tooLong;
        // A substitute byte would change the data silently: left out, and said so.
        QTest::newRow("not in the code page") << QString::fromUtf8("Tea \u2615") << false << notStorable;
    }
    void leftOutRecords()
    {
        QFETCH(QString, middle);
        QFETCH(bool, written);
        QFETCH(QString, message);
        const QuillmarkTest::List list({}, {Item(QStringLiteral("First")), Item(middle), Item(QStringLiteral("Third"))});
        QVERIFY(QuillmarkTest::WriteFileBytes(m_path, QByteArray(1000, 'o'))); // replaced, not written over
        const CsvExport::Result r = CsvExport::ExportList(list, m_path);
        QCOMPARE(r.written, written ? 3 : 2);
        QCOMPARE(CsvExport::ExportMessage(r, m_path), message.arg(m_dir.path()));
        const QByteArray file = FileBytes(m_path);
        QVERIFY(file.startsWith("First,,0.00,\n"));
        QVERIFY(file.endsWith("Third,,0.00,\n"));
        QCOMPARE(file.size(), 26 + (written ? middle.size() + 8 : 0));
    }

    void refusedWriteKeepsTheOldFile()
    {
        // A file size limit makes the disk refuse bytes, as a full disk would.
        QVERIFY(QuillmarkTest::WriteFileBytes(m_path, "old export\n"));
        CListItemArray list;
        for (int i = 0; i < 50; ++i)
            list.m_items.append(Item(QStringLiteral("Item %1").arg(i), QStringLiteral("desc"), i));

        CsvExport::Result r;
        {
            FileSizeLimit limit(100);
            QVERIFY(limit.ok());
            r = CsvExport::ExportList(list, m_path);
        }

        QCOMPARE(r.status, CsvExport::Status::Failed);
        QCOMPARE(CsvExport::ExportMessage(r, m_path),
                 QStringLiteral("The File 'Quillmark.csv' could not be written: ") + r.reason);
        QCOMPARE(r.reason, qt_error_string(EFBIG)); // the system's reason, not "Unknown error"
        QCOMPARE(FileBytes(m_path), QByteArray("old export\n"));
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Quillmark.csv")});
    }

    // A link where the export goes (a sync tool may carry one) gives way to
    // the new file; the file it points to is not written.
    void linkIsReplacedNotWrittenThrough()
    {
        const QString target = m_dir.filePath(QStringLiteral("bashrc"));
        QVERIFY(QuillmarkTest::WriteFileBytes(target, "export PATH\n"));
        QFile::remove(m_path);
        QVERIFY(QFile::link(target, m_path));
        const QuillmarkTest::List list({}, {Item(QStringLiteral("A"))});
        QCOMPARE(CsvExport::ExportList(list, m_path).status, CsvExport::Status::Done);
        QCOMPARE(FileBytes(target), QByteArray("export PATH\n"));
        QVERIFY(!QFileInfo(m_path).isSymLink());
        QCOMPARE(FileBytes(m_path), QByteArray("A,,0.00,\n"));
    }

    void missingFolderIsAFailure()
    {
        const QuillmarkTest::List list({}, {Item(QStringLiteral("A"))});
        const CsvExport::Result r = CsvExport::ExportList(list, m_dir.filePath(QStringLiteral("gone/Quillmark.csv")));
        QCOMPARE(r.status, CsvExport::Status::Failed);
        QVERIFY(!r.reason.isEmpty());
        QVERIFY(!QFileInfo::exists(m_dir.filePath(QStringLiteral("gone"))));
    }

    void documentsFolderIsCreated()
    {
        const QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        QDir(docs).removeRecursively();
        QCOMPARE(CsvExport::ExportFilePath(), QDir(docs).filePath(QStringLiteral("Quillmark.csv")));
        QVERIFY(QFileInfo(docs).isDir());
    }

    // A relative path or a quote left open in user-dirs.dirs is no folder;
    // the export goes to ~/Documents, never under the working folder.
    void damagedDocumentsEntryIsIgnored_data()
    {
        QTest::addColumn<QByteArray>("entry");
        QTest::newRow("relative") << QByteArray("XDG_DOCUMENTS_DIR=\"Papers\"\n");
        QTest::newRow("quote left open") << QByteArray("XDG_DOCUMENTS_DIR=\"$HOME/Papers\n");
    }
    void damagedDocumentsEntryIsIgnored()
    {
        QFETCH(QByteArray, entry);
        const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
        QVERIFY(QDir().mkpath(config));
        const QString dirs = QDir(config).filePath(QStringLiteral("user-dirs.dirs"));
        QVERIFY(QuillmarkTest::WriteFileBytes(dirs, entry));
        const auto restore = qScopeGuard([&] { QFile::remove(dirs); });
        QCOMPARE(CsvExport::ExportFilePath(), QDir::homePath() + QStringLiteral("/Documents/Quillmark.csv"));
    }

private:
    QTemporaryDir m_dir;
    QString m_path;
};

QUILLMARK_GUILESS_TEST_MAIN(TestCsvExport)
#include "tst_csvexport.moc"
