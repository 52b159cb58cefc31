#include "exchange/csv/CsvExport.h"
#include "exchange/csv/CsvImportJob.h"
#include "exchange/csv/CsvLineReader.h"
#include "tests/csv/ImportColumns.h"
#include "tests/testlib/DataFiles.h"
#include "tests/testlib/Lists.h"
#include "tests/testlib/QuillmarkTest.h"

#include <QBuffer>
#include <QSettings>
#include <QTemporaryDir>

using CsvImport::Status;
using namespace Qt::StringLiterals;
using Fields = QList<int>; // name, description and price column

namespace {

QStringList Names(const CListItemArray &list)
{
    QStringList names;
    for (const CListItem &item : list.m_items)
        names.append(item.m_strName);
    return names;
}

// A seekable device whose reads fail past a given offset.
class FailAfterDevice : public QBuffer
{
public:
    FailAfterDevice(const QByteArray &data, qint64 limit) : m_limit(limit) { setData(data); }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        if (pos() > 0 && pos() + maxSize > m_limit) {
            setErrorString(QStringLiteral("Input/output error"));
            return -1;
        }
        return QBuffer::readData(data, maxSize);
    }

private:
    qint64 m_limit;
};

} // namespace

class TestCsvImport : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QSettings().remove(QStringLiteral("Settings")); // under the names the test's main() pinned
        m_path = m_dir.filePath(QStringLiteral("in.csv"));
    }

    void lines_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<Fields>("fields");
        QTest::addColumn<Status>("status");
        QTest::addColumn<qint64>("line");      // of a failure
        QTest::addColumn<QStringList>("items"); // "name|desc|price" in list order
        const QByteArray exported("Milk,2 litres  skim,1.50,\n");
        QTest::newRow("blank last line") << exported + "Tea,,0.00,\n\n" << Fields{1, 2, 3} << Status::NameEmpty << 3ll << QStringList();
        QTest::newRow("blank line, name in 2") << QByteArray("a,b\n \t \n") << Fields{2, 0, 0} << Status::FieldNotFound << 2ll << QStringList();
        QTest::newRow("short line inside") << QByteArray("B,x,1\nA\nC,y,2\n") << Fields{1, 2, 3} << Status::FieldNotFound << 2ll << QStringList();
        QTest::newRow("zero byte") << QByteArray("A,x\nB\0,x\n", 9) << Fields{1, 2, 0} << Status::NotText << 2ll << QStringList();
        QTest::newRow("a line over the limit") << "A\n" + QByteArray(CCsvLineReader::kMaxLine + 1, 'a') + "\n"
                                               << Fields{1, 0, 0} << Status::LineTooLong << 2ll << QStringList();
        // Marked as UTF-8, then Windows-1252 bytes: refused, not garbled.
        QTest::newRow("mark, then not UTF-8") << QByteArray("\xEF\xBB\xBF" "A,x\nGr\xF6\xDF" "e,x\n") << Fields{1, 2, 0}
                                             << Status::NotUtf8 << 2ll << QStringList();
        QTest::newRow("blank line of CRs") << QByteArray("A,x\r\r") << Fields{1, 2, 0} << Status::NameEmpty << 2ll << QStringList();

        QTest::newRow("name order") << QByteArray("Pear,1\nApple,2\n") << Fields{1, 0, 2} << Status::Ok << 0ll
                                    << QStringList{u"Apple||2"_s, u"Pear||1"_s};
        QTest::newRow("blank name passes") << QByteArray(" \t,x\n") << Fields{1, 2, 0} << Status::Ok << 0ll << QStringList{u"|x|0"_s};
        QTest::newRow("trimmed, quotes kept") << QByteArray("  \"Big, red\"  , desc ,  12.5 ,x\r\n") << Fields{2, 3, 4}
                                              << Status::Ok << 0ll << QStringList{u"red\"|desc|12.5"_s};
        QTest::newRow("desc and price off") << QByteArray("Pear,ripe,9\n") << Fields{1, 0, 0} << Status::Ok << 0ll << QStringList{u"Pear||0"_s};
        QTest::newRow("one field for all") << QByteArray("x,42\n") << Fields{2, 2, 2} << Status::Ok << 0ll << QStringList{u"42|42|42"_s};
        QTest::newRow("every line end, none at the end") << QByteArray("d\r\nc\rb\na") << Fields{1, 0, 0} << Status::Ok << 0ll
                                                         << QStringList{u"a||0"_s, u"b||0"_s, u"c||0"_s, u"d||0"_s};
        // The CR of a CR LF is the last byte of the reader's first chunk.
        QTest::newRow("long lines whole, CR LF across a chunk") << QByteArray(65535, 'a') + "\r\nb\r\n" + QByteArray(CCsvLineReader::kMaxLine, 'c')
                                                                << Fields{1, 0, 0} << Status::Ok << 0ll
                                                                << QStringList{QString(65535, u'a') + u"||0"_s, u"b||0"_s,
                                                                               QString(CCsvLineReader::kMaxLine, u'c') + u"||0"_s};

        // How the bytes are read: one name in column 1, "x" in column 2.
        const auto named = [](const char *row, const QByteArray &line, const QString &name) {
            QTest::newRow(row) << line + ",x\n" << Fields{1, 2, 0} << Status::Ok << 0ll << QStringList{name + u"|x|0"_s};
        };
        named("utf-8 with mark", "\xEF\xBB\xBF" "Caf\xC3\xA9", QString::fromUtf8("Café"));
        named("utf-8", "Caf\xC3\xA9", QString::fromUtf8("Café"));
        named("windows-1252", "Caf\xE9 \x80", QString::fromUtf8("Café €"));
        named("undefined 1252", "\x81\x8D\x8F\x90\x9D", QString(5, QChar(0xFFFD)));
    }
    void lines()
    {
        QFETCH(QByteArray, content);
        QFETCH(Fields, fields);
        QFETCH(Status, status);
        QFETCH(qint64, line);
        QFETCH(QStringList, items);
        QVERIFY(QuillmarkTest::WriteFileBytes(m_path, content));
        StoreImportColumns(fields[0], fields[1], fields[2]);
        CListItemArray list;
        const CsvImport::Result r = ImportFile(m_path, list);
        QCOMPARE(r.status, status);
        QCOMPARE(r.line, line);
        if (status == Status::FieldNotFound)
            QCOMPARE(CsvImport::ImportMessage(r), u"Error in Import: Import field not found in location designated in Import Setup."_s);
        else if (status != Status::Ok && status != Status::NameEmpty) // a text of its own, which says where
            QVERIFY2(CsvImport::ImportMessage(r).contains(u"line "_s + QString::number(line)),
                     qPrintable(CsvImport::ImportMessage(r)));
        QStringList got; // nothing at all after a failure: no partial import
        for (const CListItem &item : list.m_items)
            got.append(item.m_strName + u'|' + item.m_strDesc + u'|' + QString::number(item.m_dPrice));
        QCOMPARE(got, items);
    }

    void prices_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("price");
        // Only ASCII decimals: no "nan", "inf", hexadecimal or other digits.
        const char *const rows[][2] = {{"12.5", "12.5"}, {"$4", "0"}, {"7 pieces", "7"}, {" -3e2", "-300"}, {"-.5", "-0.5"},
                                       {"1.5e+2x", "150"}, {"2e", "2"}, {".", "0"}, {"Nanny", "0"}, {"0x10", "0"},
                                       {"1e999", "0"}, {"\uFF15", "0"}};
        for (const auto &row : rows)
            QTest::newRow(row[0]) << QString::fromUtf8(row[0]) << QByteArray(row[1]).toDouble();
    }
    void prices()
    {
        QFETCH(QString, text);
        QFETCH(double, price);
        QCOMPARE(CsvImport::ParsePrice(text), price);
    }

    void encodingDecidedOverTheWholeFile()
    {
        // One bad byte far down makes even the lines before it Windows-1252,
        // those read as UTF-8 meanwhile too; a line that fails only as UTF-8
        // (a no-break space there, "Â" and a blank in Windows-1252) fails only
        // when no such byte follows.
        QByteArray head;
        while (head.size() < 200000)
            head += "a,x\n";
        StoreImportColumns(2, 0, 0);
        const struct
        {
            QByteArray content;
            Status status;
            qint64 line;
            QString name;
        } cases[] = {
            {"b,\xC3\xA9\n" + head + "c,\xFF\n", Status::Ok, 0, QString::fromUtf8("Ã©")},
            {"b,\xC2\xA0\n" + head + "c,\xFF\n", Status::Ok, 0, QString::fromUtf8("Â")},
            {"b,\xC2\xA0\n" + head + "c,\xC3\xBF\n", Status::NameEmpty, 1, QString()},
        };
        for (const auto &c : cases) {
            QVERIFY(QuillmarkTest::WriteFileBytes(m_path, c.content));
            CListItemArray list;
            const CsvImport::Result r = ImportFile(m_path, list);
            QCOMPARE(r.status, c.status);
            QCOMPARE(r.line, c.line);
            QCOMPARE(list.m_items.size(), r.Ok() ? head.count('\n') + 2 : 0);
            if (r.Ok())
                QVERIFY(Names(list).contains(c.name));
        }
    }

    void stopsAtTheFirstLineThatIsNoText()
    {
        // However large the file, the first line tells; not a byte more is read.
        for (const char fill : {'\0', 'x'}) {
            QByteArray huge(20 * 1024 * 1024, fill);
            QBuffer device(&huge);
            QVERIFY(device.open(QIODevice::ReadOnly));
            CListItemArray list;
            const CsvImport::Result r = CsvImport::ImportCsvDevice(device, CImportFields{1, 0, 0, 6}, list);
            QCOMPARE(r.status, fill ? Status::LineTooLong : Status::NotText);
            QCOMPARE(r.line, 1);
            QVERIFY2(device.pos() <= 3 * CCsvLineReader::kMaxLine, qPrintable(QString::number(device.pos())));
        }
    }

    void brokenOffRead()
    {
        // A file that breaks off while being read is no import at all.
        CListItemArray list;

        QByteArray content;
        for (int i = 0; i < 20000; ++i)
            content += "Item,desc,1\n";
        FailAfterDevice device(content, 100000);
        QVERIFY(device.open(QIODevice::ReadOnly));
        const CsvImport::Result r = CsvImport::ImportCsvDevice(device, CImportFields{1, 2, 3, 6}, list);
        QCOMPARE(r.status, Status::ReadFailed);
        QVERIFY(list.m_items.isEmpty());
        QCOMPARE(CsvImport::ImportMessage(r), u"Error in Import: the file could not be read to its end (Input/output error). Nothing was imported."_s);
    }

private:
    QTemporaryDir m_dir;
    QString m_path;
};

QUILLMARK_GUILESS_TEST_MAIN(TestCsvImport)
#include "tst_csvimport.moc"
