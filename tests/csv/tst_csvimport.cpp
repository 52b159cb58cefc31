#include "exchange/csv/CsvExport.h"
#include "exchange/csv/CsvImport.h"
#include "platform/Settings.h"
#include "res/Strings.h"
#include "tests/testlib/QuillmarkTest.h"

#include <QBuffer>
#include <QFile>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>

using CsvImport::Status;

namespace {

void StoreFields(int name, int desc, int price)
{
    Settings::WriteInt(ImportKeys::NameField(), name);
    Settings::WriteInt(ImportKeys::DescField(), desc);
    Settings::WriteInt(ImportKeys::PriceField(), price);
}

QStringList Names(const CListItemArray &list)
{
    QStringList names;
    for (const CListItem &item : list.m_items)
        names.append(item.m_strName);
    return names;
}

// A readable, seekable device whose reads fail past a given offset.
class FailAfterDevice : public QBuffer
{
public:
    FailAfterDevice(const QByteArray &data, qint64 limit) : m_limit(limit) { setData(data); }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        if (pos() + maxSize > m_limit && pos() > 0) {
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
        QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Fernwise"),
                  QStringLiteral("Quillmark"))
                .remove(QStringLiteral("Settings"));
        m_path = m_dir.filePath(QStringLiteral("in.csv"));
    }

    void roundTripOfAnExport()
    {
        CListItemArray source;
        const struct { const char *name, *desc; double price; } rows[] = {
            {"Apple", "2 litres  skim", 1.5}, {"Café", "süß", 0}, {"Refund", "a b", -3.25},
            {"Zeppelin", "", 1234.57}};
        for (const auto &row : rows) {
            CListItem item;
            item.SetName(QString::fromUtf8(row.name));
            item.SetDescription(QString::fromUtf8(row.desc));
            item.m_dPrice = row.price;
            source.m_items.append(item);
        }
        QCOMPARE(CsvExport::ExportList(source, m_path).status, CsvExport::Status::Done);

        StoreFields(1, 2, 3);
        CListItemArray imported;
        QCOMPARE(CsvImport::ImportCsvFile(m_path, imported).status, Status::Ok);
        QCOMPARE(imported.m_items.size(), source.m_items.size());
        for (qsizetype i = 0; i < source.m_items.size(); ++i) {
            QCOMPARE(imported.m_items[i].m_strName, source.m_items[i].m_strName);
            QCOMPARE(imported.m_items[i].m_strDesc, source.m_items[i].m_strDesc);
            QCOMPARE(imported.m_items[i].m_dPrice, source.m_items[i].m_dPrice);
            QCOMPARE(imported.m_items[i].m_nIcon, 6);
            QVERIFY(!imported.m_items[i].m_bDone);
            QVERIFY(!imported.m_items[i].m_bDated);
        }
    }

    void failures_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QList<int>>("fields"); // empty: nothing stored
        QTest::addColumn<Status>("status");
        QTest::addColumn<qint64>("line");
        const QByteArray exported("Milk,2 litres  skim,1.50,\n");
        QTest::newRow("import defaults 1,4,5 miss the price") << exported << QList<int>{} << Status::FieldNotFound << qint64(1);
        QTest::newRow("blank last line") << exported + "Tea,,0.00,\n\n" << QList<int>{1, 2, 3} << Status::NameEmpty << qint64(3);
        QTest::newRow("blank line, name in field 2") << QByteArray("a,b\n \t \n") << QList<int>{2, 0, 0} << Status::FieldNotFound << qint64(2);
        QTest::newRow("empty name") << QByteArray("A,x,1\n,x,2\n") << QList<int>{1, 2, 3} << Status::NameEmpty << qint64(2);
        QTest::newRow("name field 0") << exported << QList<int>{0, 2, 3} << Status::NameEmpty << qint64(1);
        QTest::newRow("negative name field") << exported << QList<int>{-1, 2, 3} << Status::FieldNotFound << qint64(1);
        QTest::newRow("negative desc field") << exported << QList<int>{1, -2, 3} << Status::FieldNotFound << qint64(1);
        QTest::newRow("negative price field") << exported << QList<int>{1, 2, -3} << Status::FieldNotFound << qint64(1);
        QTest::newRow("short line in the middle") << QByteArray("B,x,1\nA\nC,y,2\n") << QList<int>{1, 2, 3} << Status::FieldNotFound << qint64(2);
        QTest::newRow("field 51") << exported << QList<int>{51, 0, 0} << Status::FieldNotFound << qint64(1);
    }
    void failures()
    {
        QFETCH(QByteArray, content);
        QFETCH(QList<int>, fields);
        QFETCH(Status, status);
        QFETCH(qint64, line);
        WriteFile(content);
        if (!fields.isEmpty())
            StoreFields(fields[0], fields[1], fields[2]);

        // The list the import goes into keeps what it had: no partial import.
        CListItemArray list;
        CListItem kept;
        kept.SetName(QStringLiteral("kept"));
        list.m_items.append(kept);
        const CListItemArray before = list;

        const CsvImport::Result r = CsvImport::ImportCsvFile(m_path, list);
        QCOMPARE(r.status, status);
        QCOMPARE(r.line, line);
        QCOMPARE(list, before);
        QCOMPARE(CsvImport::ImportMessage(r), Str::Load(static_cast<int>(status)));
    }

    void blankNameTextPasses()
    {
        // The emptiness test looks at the field before trimming.
        WriteFile(" \t,x,1,\n");
        StoreFields(1, 2, 3);
        CListItemArray list;
        QCOMPARE(CsvImport::ImportCsvFile(m_path, list).status, Status::Ok);
        QCOMPARE(Names(list), QStringList{QString()});
    }

    void fieldsAreTrimmedAndUnquoted()
    {
        WriteFile("  \"Big, red\"  , desc ,  12.5 ,extra\r\n");
        StoreFields(2, 3, 4);
        CListItemArray list;
        QCOMPARE(CsvImport::ImportCsvFile(m_path, list).status, Status::Ok);
        QCOMPARE(list.m_items.size(), 1);
        QCOMPARE(list.m_items[0].m_strName, QStringLiteral("red\""));
        QCOMPARE(list.m_items[0].m_strDesc, QStringLiteral("desc"));
        QCOMPARE(list.m_items[0].m_dPrice, 12.5);
    }

    void descAndPriceSwitchedOff()
    {
        WriteFile("Pear,ripe,9\n");
        StoreFields(1, 0, 0);
        Settings::WriteInt(ImportKeys::Icon(), 12);
        CListItemArray list;
        QCOMPARE(CsvImport::ImportCsvFile(m_path, list).status, Status::Ok);
        QCOMPARE(list.m_items.size(), 1);
        QCOMPARE(list.m_items[0].m_strName, QStringLiteral("Pear"));
        QCOMPARE(list.m_items[0].m_strDesc, QString());
        QCOMPARE(list.m_items[0].m_dPrice, 0.0);
        QCOMPARE(list.m_items[0].m_nIcon, 12);
    }

    void sameFieldForEverything()
    {
        CListItemArray list;
        StoreFields(2, 2, 2);
        QCOMPARE(CsvImport::ImportCsvLine(QStringLiteral("x,42,"), list).status, Status::Ok);
        QCOMPARE(list.m_items[0].m_strName, QStringLiteral("42"));
        QCOMPARE(list.m_items[0].m_strDesc, QStringLiteral("42"));
        QCOMPARE(list.m_items[0].m_dPrice, 42.0);
    }

    void longLinesComeInPieces_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QList<int>>("lengths"); // name lengths in file order
        QTest::newRow("300 bytes") << QByteArray(255, 'a') + QByteArray(45, 'b') + "\n" << QList<int>{255, 45};
        QTest::newRow("exactly 255 bytes") << QByteArray(255, 'a') + "\nb\n" << QList<int>{255, 1};
        QTest::newRow("254 bytes and CR LF") << QByteArray(254, 'a') + "\r\nb\r\n" << QList<int>{254, 1};
        QTest::newRow("blanks after the cut") << QByteArray(255, 'a') + "   \t\nb\n" << QList<int>{255, 1};
        QTest::newRow("510 bytes") << QByteArray(255, 'a') + QByteArray(255, 'b') + "\n" << QList<int>{255, 255};
        QTest::newRow("no final line feed") << QByteArray("a\nb") << QList<int>{1, 1};
    }
    void longLinesComeInPieces()
    {
        QFETCH(QByteArray, content);
        QFETCH(QList<int>, lengths);
        WriteFile(content);
        StoreFields(1, 0, 0);
        CListItemArray list;
        QCOMPARE(CsvImport::ImportCsvFile(m_path, list).status, Status::Ok);
        QList<int> got;
        for (const CListItem &item : list.m_items)
            got.append(int(item.m_strName.size()));
        QCOMPARE(got, lengths);
    }

    void blankLineAfterACutLineStillFails()
    {
        WriteFile(QByteArray(255, 'a') + "\n\n");
        StoreFields(1, 0, 0);
        CListItemArray list;
        const CsvImport::Result r = CsvImport::ImportCsvFile(m_path, list);
        QCOMPARE(r.status, Status::NameEmpty);
        QCOMPARE(r.line, 3);
    }

    void prices_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("price");
        QTest::newRow("12.5") << "12.5" << 12.5;
        QTest::newRow("$4") << "$4" << 0.0;
        QTest::newRow("text") << "free" << 0.0;
        QTest::newRow("7 pieces") << "7 pieces" << 7.0;
        QTest::newRow("blank, exponent") << " -3e2" << -300.0;
        QTest::newRow("3,75") << "3,75" << 3.0;
        QTest::newRow("-.5") << "-.5" << -0.5;
        QTest::newRow("1.5e+2x") << "1.5e+2x" << 150.0;
        QTest::newRow("dangling exponent") << "2e" << 2.0;
        QTest::newRow("sign alone") << "+" << 0.0;
        QTest::newRow("point alone") << "." << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("nan") << "Nanny" << 0.0;
        QTest::newRow("inf") << "inf" << 0.0;
        QTest::newRow("hex") << "0x10" << 0.0;
        QTest::newRow("overflow") << "1e999" << 0.0;
        QTest::newRow("euro after") << QString::fromUtf8("5€") << 5.0;
        QTest::newRow("outside the code page") << QString::fromUtf8("5\u2615") << 5.0;
        QTest::newRow("outside the code page first") << QString::fromUtf8("\u26155") << 0.0;
        QTest::newRow("full-width digits") << QString::fromUtf8("\uFF15") << 0.0;
    }
    void prices()
    {
        QFETCH(QString, text);
        QFETCH(double, price);
        QCOMPARE(CsvImport::ParsePrice(text), price);
    }

    void nameOrder()
    {
        WriteFile("Pear\nApple\nbanana\nApple\nCherry\napple\n");
        StoreFields(1, 0, 0);
        CListItemArray list;
        QCOMPARE(CsvImport::ImportCsvFile(m_path, list).status, Status::Ok);

        // Exactly what adding each line's item by name gives.
        CListItemArray expected;
        for (const char *name : {"Pear", "Apple", "banana", "Apple", "Cherry", "apple"}) {
            CListItem item;
            item.SetName(QString::fromLatin1(name));
            expected.AddItemSorted(item);
        }
        QCOMPARE(Names(list), Names(expected));
        QCOMPARE(Names(list).first(), QStringLiteral("Apple"));
        QCOMPARE(Names(list).last(), QStringLiteral("Pear"));
    }

    void importIntoAListWithItems()
    {
        WriteFile("b\n");
        StoreFields(1, 0, 0);
        CListItemArray list;
        for (const char *name : {"c", "a"}) {
            CListItem item;
            item.SetName(QString::fromLatin1(name));
            list.m_items.append(item);
        }
        QCOMPARE(CsvImport::ImportCsvFile(m_path, list).status, Status::Ok);
        QCOMPARE(Names(list), (QStringList{QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("a")}));
    }

    void encodings_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("name");
        QTest::newRow("utf-8 with mark") << QByteArray("\xEF\xBB\xBF" "Caf\xC3\xA9,x\n") << QString::fromUtf8("Café");
        QTest::newRow("utf-8 mark, ascii") << QByteArray("\xEF\xBB\xBF" "Tea,x\n") << QStringLiteral("Tea");
        QTest::newRow("utf-8") << QByteArray("Caf\xC3\xA9,x\n") << QString::fromUtf8("Café");
        QTest::newRow("utf-8 four bytes") << QByteArray("\xF0\x9F\x98\x80,x\n") << QString::fromUtf8("\U0001F600");
        QTest::newRow("windows-1252") << QByteArray("Caf\xE9 \x80,x\n") << QString::fromUtf8("Café €");
        QTest::newRow("invalid utf-8") << QByteArray("Caf\xC3\x28,x\n") << QString::fromUtf8("CafÃ(");
        QTest::newRow("overlong utf-8") << QByteArray("\xC0\xAF,x\n") << QString::fromUtf8("À¯");
        QTest::newRow("utf-8 surrogate") << QByteArray("\xED\xA0\x80,x\n") << QString::fromUtf8("í\u00A0€");
        QTest::newRow("undefined 1252 bytes") << QByteArray("\x81\x8D\x8F\x90\x9D,x\n") << QString(5, QChar(0xFFFD));
        QTest::newRow("mark then invalid") << QByteArray("\xEF\xBB\xBF" "A\xFF,x\n") << QStringLiteral("A") + QChar(0xFFFD);
    }
    void encodings()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, name);
        WriteFile(content);
        StoreFields(1, 2, 0);
        CListItemArray list;
        QCOMPARE(CsvImport::ImportCsvFile(m_path, list).status, Status::Ok);
        QCOMPARE(list.m_items.size(), 1);
        QCOMPARE(list.m_items[0].m_strName, name);
        QCOMPARE(list.m_items[0].m_strDesc, QStringLiteral("x"));
    }

    void utf8DecidedOverTheWholeFile()
    {
        // One bad byte far down makes the whole file Windows-1252, even the
        // lines before it; a character split between two read chunks of the
        // scan does not count as bad.
        QByteArray head;
        while (head.size() < 65534)
            head += "a\n";
        QByteArray good = head + "b\xC3\xA9\n";
        QCOMPARE(good.indexOf('\xC3'), 65535);
        WriteFile(good);
        StoreFields(1, 0, 0);
        CListItemArray list;
        QCOMPARE(CsvImport::ImportCsvFile(m_path, list).status, Status::Ok);
        QVERIFY(Names(list).contains(QString::fromUtf8("bé")));

        WriteFile("\xC3\xA9\n" + head + "\xFF\n");
        list = CListItemArray();
        QCOMPARE(CsvImport::ImportCsvFile(m_path, list).status, Status::Ok);
        const QStringList names = Names(list);
        QVERIFY(names.contains(QString::fromUtf8("Ã©")));
        QVERIFY(names.contains(QString::fromUtf8("ÿ")));
    }

    void utf8CharacterNeverSplitAtTheLimit()
    {
        WriteFile(QByteArray(254, 'a') + "\xC3\xA9" "b\n");
        StoreFields(1, 0, 0);
        CListItemArray list;
        QCOMPARE(CsvImport::ImportCsvFile(m_path, list).status, Status::Ok);
        QCOMPARE(Names(list), (QStringList{QString(254, QLatin1Char('a')), QString::fromUtf8("éb")}));
    }

    void detectEncoding_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<CsvImport::Encoding>("encoding");
        using E = CsvImport::Encoding;
        QTest::newRow("empty") << QByteArray() << E::Windows1252;
        QTest::newRow("ascii") << QByteArray("abc\n") << E::Windows1252;
        QTest::newRow("mark alone") << QByteArray("\xEF\xBB\xBF") << E::Utf8WithBom;
        QTest::newRow("two bytes") << QByteArray("\xC3\xA9") << E::Utf8;
        QTest::newRow("three bytes") << QByteArray("\xE2\x82\xAC") << E::Utf8;
        QTest::newRow("cut off at the end") << QByteArray("a\xE2\x82") << E::Windows1252;
        QTest::newRow("overlong three bytes") << QByteArray("\xE0\x80\x80") << E::Windows1252;
        QTest::newRow("past U+10FFFF") << QByteArray("\xF4\x90\x80\x80") << E::Windows1252;
        QTest::newRow("lone continuation") << QByteArray("\x80") << E::Windows1252;
        QTest::newRow("F5") << QByteArray("\xF5\x80\x80\x80") << E::Windows1252;
    }
    void detectEncoding()
    {
        QFETCH(QByteArray, content);
        QFETCH(CsvImport::Encoding, encoding);
        QBuffer buffer(&content);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        QCOMPARE(CsvImport::DetectEncoding(buffer), encoding);
    }

    void nulBytesAndGarbageDoNotCrash()
    {
        WriteFile(QByteArray("A\0B,x,1\n", 8));
        StoreFields(1, 2, 3);
        CListItemArray list;
        QCOMPARE(CsvImport::ImportCsvFile(m_path, list).status, Status::Ok);
        QCOMPARE(list.m_items.size(), 1);
        QCOMPARE(list.m_items[0].m_strName, QString::fromUtf8("A\0B", 3));

        QRandomGenerator random(20020307);
        for (int round = 0; round < 20; ++round) {
            QByteArray garbage(64 * 1024 + round * 977, Qt::Uninitialized);
            for (char &c : garbage)
                c = char(random.bounded(256));
            WriteFile(garbage);
            CListItemArray target;
            const CsvImport::Result r = CsvImport::ImportCsvFile(m_path, target);
            if (r.Ok())
                QVERIFY(!target.m_items.isEmpty());
            else
                QVERIFY(target.m_items.isEmpty());
        }
    }

    void tenMegabyteLine()
    {
        WriteFile(QByteArray(10 * 1024 * 1024, 'x'));
        StoreFields(1, 0, 0);
        CListItemArray list;
        QCOMPARE(CsvImport::ImportCsvFile(m_path, list).status, Status::Ok);
        QCOMPARE(list.m_items.size(), (10 * 1024 * 1024 + 254) / 255);
    }

    void fileThatCannotBeOpened()
    {
        CListItemArray list;
        const CsvImport::Result r = CsvImport::ImportCsvFile(m_dir.filePath(QStringLiteral("none/x.csv")), list);
        QCOMPARE(r.status, Status::Ok);
        QVERIFY(list.m_items.isEmpty());
    }

    void readErrorIsNotAnImport()
    {
        QByteArray content;
        for (int i = 0; i < 20000; ++i)
            content += "Item,desc,1\n";
        FailAfterDevice device(content, 100000);
        QVERIFY(device.open(QIODevice::ReadOnly));
        CListItemArray list;
        const CsvImport::Result r = CsvImport::ImportCsvDevice(device, CImportFields{1, 2, 3, 6}, list);
        QCOMPARE(r.status, Status::ReadFailed);
        QVERIFY(list.m_items.isEmpty());
        QCOMPARE(CsvImport::ImportMessage(r), Str::ImportReadFailed(QStringLiteral("Input/output error")));
    }

private:
    void WriteFile(const QByteArray &content)
    {
        QFile f(m_path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(f.write(content), content.size());
    }

    QTemporaryDir m_dir;
    QString m_path;
};

QUILLMARK_GUILESS_TEST_MAIN(TestCsvImport)
#include "tst_csvimport.moc"
