#include "exchange/csv/CsvExport.h"
#include "exchange/csv/CsvImport.h"
#include "res/Strings.h"
#include "tests/csv/ImportColumns.h"
#include "tests/model/ModelTestUtil.h"
#include "tests/testlib/QuillmarkTest.h"

#include <QBuffer>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>

using CsvImport::Status;
using namespace Qt::StringLiterals;
using Fields = QList<int>; // name, description and price column; empty: nothing stored

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

    void roundTripOfAnExport()
    {
        using ModelTest::MakeItem;
        CListItemArray source;
        source.m_items = {MakeItem(u"Apple"_s, u"2 litres  skim"_s, 1.5, false, false, 0),
                          MakeItem(u"Café"_s, u"süß"_s, 0, false, false, 0),
                          MakeItem(u"Refund"_s, u"a b"_s, -3.25, false, false, 0),
                          MakeItem(u"Zeppelin"_s, QString(), 1234.57, false, false, 0)};
        QCOMPARE(CsvExport::ExportList(source, m_path).status, CsvExport::Status::Done);
        StoreImportColumns(1, 2, 3);
        CListItemArray imported;
        QCOMPARE(CsvImport::ImportCsvFile(m_path, imported).status, Status::Ok);
        QCOMPARE(imported.m_items.size(), source.m_items.size());
        for (qsizetype i = 0; i < source.m_items.size(); ++i) {
            QCOMPARE(imported.m_items[i].m_strName, source.m_items[i].m_strName);
            QCOMPARE(imported.m_items[i].m_strDesc, source.m_items[i].m_strDesc);
            QCOMPARE(imported.m_items[i].m_dPrice, source.m_items[i].m_dPrice);
            QCOMPARE(imported.m_items[i].m_nIcon, 6);
        }
    }

    void lines_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<Fields>("fields");
        QTest::addColumn<Status>("status");
        QTest::addColumn<qint64>("line");      // of a failure
        QTest::addColumn<QStringList>("items"); // "name|desc|price" in list order
        const QByteArray exported("Milk,2 litres  skim,1.50,\n");
        const QString a255(255, QLatin1Char('a'));
        QTest::newRow("import defaults 1,4,5 miss the price") << exported << Fields{} << Status::FieldNotFound << 1ll << QStringList();
        QTest::newRow("blank last line") << exported + "Tea,,0.00,\n\n" << Fields{1, 2, 3} << Status::NameEmpty << 3ll << QStringList();
        QTest::newRow("blank line, name in 2") << QByteArray("a,b\n \t \n") << Fields{2, 0, 0} << Status::FieldNotFound << 2ll << QStringList();
        QTest::newRow("empty name") << QByteArray("A,x,1\n,x,2\n") << Fields{1, 2, 3} << Status::NameEmpty << 2ll << QStringList();
        QTest::newRow("name field 0") << exported << Fields{0, 2, 3} << Status::NameEmpty << 1ll << QStringList();
        QTest::newRow("negative name") << exported << Fields{-1, 2, 3} << Status::FieldNotFound << 1ll << QStringList();
        QTest::newRow("negative desc") << exported << Fields{1, -2, 3} << Status::FieldNotFound << 1ll << QStringList();
        QTest::newRow("short line inside") << QByteArray("B,x,1\nA\nC,y,2\n") << Fields{1, 2, 3} << Status::FieldNotFound << 2ll << QStringList();
        QTest::newRow("cut line, then blank") << QByteArray(255, 'a') + "\n\n" << Fields{1, 0, 0} << Status::NameEmpty << 3ll << QStringList();

        QTest::newRow("name order") << QByteArray("Pear,1\nApple,2\n") << Fields{1, 0, 2} << Status::Ok << 0ll
                                    << QStringList{u"Apple||2"_s, u"Pear||1"_s};
        QTest::newRow("blank name passes") << QByteArray(" \t,x\n") << Fields{1, 2, 0} << Status::Ok << 0ll << QStringList{u"|x|0"_s};
        QTest::newRow("trimmed, quotes kept") << QByteArray("  \"Big, red\"  , desc ,  12.5 ,x\r\n") << Fields{2, 3, 4}
                                              << Status::Ok << 0ll << QStringList{u"red\"|desc|12.5"_s};
        QTest::newRow("desc and price off") << QByteArray("Pear,ripe,9\n") << Fields{1, 0, 0} << Status::Ok << 0ll << QStringList{u"Pear||0"_s};
        QTest::newRow("one field for all") << QByteArray("x,42\n") << Fields{2, 2, 2} << Status::Ok << 0ll << QStringList{u"42|42|42"_s};
        QTest::newRow("300 bytes") << QByteArray(255, 'a') + QByteArray(45, 'b') + "\n" << Fields{1, 0, 0} << Status::Ok << 0ll
                                   << QStringList{a255 + u"||0"_s, QString(45, QLatin1Char('b')) + u"||0"_s};
        QTest::newRow("exactly 255 bytes") << QByteArray(255, 'a') + "\nb\n" << Fields{1, 0, 0} << Status::Ok << 0ll
                                           << QStringList{a255 + u"||0"_s, u"b||0"_s};
        QTest::newRow("254 bytes, CR LF") << QByteArray(254, 'a') + "\r\nb\r\n" << Fields{1, 0, 0} << Status::Ok << 0ll
                                          << QStringList{QString(254, QLatin1Char('a')) + u"||0"_s, u"b||0"_s};
        QTest::newRow("blanks after the cut") << QByteArray(255, 'a') + "   \t\nb" << Fields{1, 0, 0} << Status::Ok << 0ll
                                              << QStringList{a255 + u"||0"_s, u"b||0"_s};
        QTest::newRow("utf-8 never split") << QByteArray(254, 'a') + "\xC3\xA9" "b\n" << Fields{1, 0, 0} << Status::Ok << 0ll
                                           << QStringList{QString(254, QLatin1Char('a')) + u"||0"_s, QString::fromUtf8("éb||0")};

        // How the bytes are read: one name in column 1, "x" in column 2.
        const auto named = [](const char *row, const QByteArray &line, const QString &name) {
            QTest::newRow(row) << line + ",x\n" << Fields{1, 2, 0} << Status::Ok << 0ll << QStringList{name + u"|x|0"_s};
        };
        named("utf-8 with mark", "\xEF\xBB\xBF" "Caf\xC3\xA9", QString::fromUtf8("Café"));
        named("mark, ascii", "\xEF\xBB\xBF" "Tea", QStringLiteral("Tea"));
        named("utf-8", "Caf\xC3\xA9", QString::fromUtf8("Café"));
        named("utf-8 four bytes", "\xF0\x9F\x98\x80", QString::fromUtf8("\U0001F600"));
        named("windows-1252", "Caf\xE9 \x80", QString::fromUtf8("Café €"));
        named("invalid utf-8", "Caf\xC3\x28", QString::fromUtf8("CafÃ("));
        named("overlong", "\xC0\xAF", QString::fromUtf8("À¯"));
        named("surrogate", "\xED\xA0\x80", QString::fromUtf8("í\u00A0€"));
        named("undefined 1252", "\x81\x8D\x8F\x90\x9D", QString(5, QChar(0xFFFD)));
        named("mark then invalid", "\xEF\xBB\xBF" "A\xFF", QStringLiteral("A") + QChar(0xFFFD));
        named("nul byte", QByteArray("A\0B", 3), QString::fromUtf8("A\0B", 3));
    }
    void lines()
    {
        QFETCH(QByteArray, content);
        QFETCH(Fields, fields);
        QFETCH(Status, status);
        QFETCH(qint64, line);
        QFETCH(QStringList, items);
        QVERIFY(ModelTest::WriteFileBytes(m_path, content));
        if (!fields.isEmpty())
            StoreImportColumns(fields[0], fields[1], fields[2]);
        CListItemArray list;
        const CsvImport::Result r = CsvImport::ImportCsvFile(m_path, list);
        QCOMPARE(r.status, status);
        QCOMPARE(r.line, line);
        if (status != Status::Ok)
            QCOMPARE(CsvImport::ImportMessage(r), Str::Load(static_cast<int>(status)));
        QStringList got; // nothing at all after a failure: no partial import
        for (const CListItem &item : list.m_items)
            got.append(item.m_strName + u'|' + item.m_strDesc + u'|' + QString::number(item.m_dPrice));
        QCOMPARE(got, items);
    }

    void prices_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("price");
        const char *const rows[][2] = {{"12.5", "12.5"}, {"$4", "0"}, {"7 pieces", "7"}, {" -3e2", "-300"}, {"3,75", "3"},
                                       {"-.5", "-0.5"}, {"1.5e+2x", "150"}, {"2e", "2"}, {"+", "0"}, {".", "0"},
                                       {"Nanny", "0"}, {"inf", "0"}, {"0x10", "0"}, {"1e999", "0"},
                                       {"5\u2615", "5"}, {"\u26155", "0"}, {"\uFF15", "0"}};
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
        // A character split between two read chunks of the scan is no fault;
        // one bad byte far down makes even the lines before it Windows-1252.
        QByteArray head;
        while (head.size() < 65534)
            head += "a\n";
        const QByteArray split = head + "b\xC3\xA9\n";
        QCOMPARE(split.indexOf('\xC3'), 65535);
        StoreImportColumns(1, 0, 0);
        const QList<QPair<QByteArray, QString>> cases = {{split, QString::fromUtf8("bé")},
                                                         {"\xC3\xA9\n" + head + "\xFF\n", QString::fromUtf8("Ã©")}};
        for (const auto &c : cases) {
            QVERIFY(ModelTest::WriteFileBytes(m_path, c.first));
            CListItemArray list;
            QCOMPARE(CsvImport::ImportCsvFile(m_path, list).status, Status::Ok);
            QVERIFY(Names(list).contains(c.second));
        }
        for (const char *undecided : {"", "abc", "a\xE2\x82", "\xE0\x80\x80", "\xF4\x90\x80\x80"}) {
            QByteArray bytes(undecided);
            QBuffer buffer(&bytes);
            QVERIFY(buffer.open(QIODevice::ReadOnly));
            QCOMPARE(CsvImport::DetectEncoding(buffer), CsvImport::Encoding::Windows1252);
        }
    }

    void garbageAndHugeLinesDoNotCrash()
    {
        StoreImportColumns(1, 0, 0);
        QRandomGenerator random(20020307);
        for (int round = 0; round < 20; ++round) {
            QByteArray garbage(64 * 1024 + round * 977, Qt::Uninitialized);
            for (char &c : garbage)
                c = char(random.bounded(256));
            QVERIFY(ModelTest::WriteFileBytes(m_path, garbage));
            CListItemArray list;
            const CsvImport::Result r = CsvImport::ImportCsvFile(m_path, list);
            QCOMPARE(list.m_items.isEmpty(), !r.Ok());
        }
        QVERIFY(ModelTest::WriteFileBytes(m_path, QByteArray(10 * 1024 * 1024, 'x')));
        CListItemArray list;
        QCOMPARE(CsvImport::ImportCsvFile(m_path, list).status, Status::Ok);
        QCOMPARE(list.m_items.size(), (10 * 1024 * 1024 + 254) / 255);
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
        QCOMPARE(CsvImport::ImportMessage(r), Str::ImportReadFailed(QStringLiteral("Input/output error")));
    }

private:
    QTemporaryDir m_dir;
    QString m_path;
};

QUILLMARK_GUILESS_TEST_MAIN(TestCsvImport)
#include "tst_csvimport.moc"
