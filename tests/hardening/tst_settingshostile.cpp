// A settings file that is garbage or hand-edited: reading it never
// fails, and a value that is not a 32-bit number, or not one the setting
// takes, reads as its default.

#include "exchange/csv/CsvImportJob.h"
#include "tests/csv/ImportColumns.h"
#include "exchange/csv/ImportFields.h"
#include "platform/AppSettings.h"
#include "platform/Settings.h"
#include "tests/testlib/DataFiles.h"
#include "tests/testlib/QuillmarkTest.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <limits>

namespace {

QString ConfPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
            + QStringLiteral("/Fernwise/Quillmark.conf");
}

// Writes the file as an editor would. Each file gets a later time stamp, so
// the settings store cannot take it for the one it read before.
void WriteConf(const QByteArray &content)
{
    static QDateTime stamp = QDateTime::currentDateTimeUtc().addDays(-1);
    stamp = stamp.addSecs(2);
    QDir().mkpath(QFileInfo(ConfPath()).absolutePath());
    QFile file(ConfPath());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(content), content.size());
    QVERIFY(file.flush());
    QVERIFY(file.setFileTime(stamp, QFileDevice::FileModificationTime));
}

} // namespace

class TestSettingsHostile : public QObject
{
    Q_OBJECT

private slots:
    void init() { QFile::remove(ConfPath()); }

    void garbageReadsAsMissing_data();
    void garbageReadsAsMissing();
    void valuesThatAreNotNumbers_data();
    void valuesThatAreNotNumbers();
    void outOfRangeReadsAsDefault_data();
    void outOfRangeReadsAsDefault();
};

void TestSettingsHostile::garbageReadsAsMissing_data()
{
    QTest::addColumn<QByteArray>("content");
    QRandomGenerator random(20020307);
    for (int round = 0; round < 8; ++round) {
        QByteArray bytes(64 + round * 4000, Qt::Uninitialized);
        for (char &c : bytes)
            c = static_cast<char>(random.bounded(256));
        QTest::newRow(qPrintable(QStringLiteral("random %1").arg(round))) << bytes;
    }
    QTest::newRow("NUL bytes") << QByteArray(4096, '\0');
    QTest::newRow("empty values") << QByteArray("[Settings]\nImpNameField=\nImpDescField= \nImpIcon=\t\n");
    QTest::newRow("a megabyte line") << "[Settings]\nImpNameField=" + QByteArray(1024 * 1024, '7') + "\n";
    QTest::newRow("broken variant") << QByteArray("[Settings]\nImpNameField=@Variant(\\0\\0\\0\\x7f\\0\\0)\n"
                                                  "ImpIcon=@Variant(\\xff\\xff\\xff\\xff)\n");
    QTest::newRow("other types") << QByteArray("[Settings]\nImpNameField=@Rect(1 2 3 4)\nImpDescField=@ByteArray()\n"
                                               "ImpPriceField=1, 2\nImpIcon=@Invalid()\n");
    QTest::newRow("invalid utf-8") << QByteArray("[Settings]\nImpNameField=\xff\xfe\nImpIcon=\xc3\n");
}

void TestSettingsHostile::garbageReadsAsMissing()
{
    QFETCH(QByteArray, content);
    WriteConf(content);
    const CImportFields fields = CImportFields::Read();
    QCOMPARE((QList<int>{fields.nameField, fields.descField, fields.priceField, fields.icon}),
             (QList<int>{1, 2, 3, 6}));
    QCOMPARE(AppSettings::kItemToTask.IsOn(), true);
    QCOMPARE(AppSettings::kItemToCalendar.IsOn(), false);
    // The store still takes a value and gives it back.
    Settings::WriteInt(AppSettings::kImportIcon.Key(), 12);
    QCOMPARE(Settings::ReadStoredInt(AppSettings::kImportIcon.Key()).value_or(6), 12);
}

void TestSettingsHostile::valuesThatAreNotNumbers_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("read"); // with the default 42
    QTest::newRow("yes") << QByteArray("yes") << 42;
    QTest::newRow("2^31") << QByteArray("2147483648") << 42;
    QTest::newRow("-2^31") << QByteArray("-2147483648") << std::numeric_limits<int>::min();
    QTest::newRow("2^31-1") << QByteArray("2147483647") << std::numeric_limits<int>::max();
    QTest::newRow("blanks") << QByteArray(" 7 ") << 7;
    QTest::newRow("quoted") << QByteArray("\"8\"") << 8;
    QTest::newRow("trailing text") << QByteArray("7abc") << 42;
    QTest::newRow("hexadecimal") << QByteArray("0x10") << 42;
    QTest::newRow("fraction") << QByteArray("2.5") << 42;
    QTest::newRow("full-width digit") << QByteArray("\xef\xbc\x97") << 42;
    QTest::newRow("list") << QByteArray("1, 2") << 42;
}

void TestSettingsHostile::valuesThatAreNotNumbers()
{
    QFETCH(QByteArray, value);
    QFETCH(int, read);
    WriteConf("[Settings]\nITEMTASK=" + value + "\nImpIcon=" + value + "\n");
    QCOMPARE(Settings::ReadStoredInt(QStringLiteral("ITEMTASK")).value_or(42), read);
    QCOMPARE(Settings::ReadStoredInt(AppSettings::kImportIcon.Key()).value_or(42), read);
    // None is the 0 or 1 it takes: a task is made, as when nothing was ever
    // stored.
    QVERIFY(AppSettings::kItemToTask.IsOn());
}

void TestSettingsHostile::outOfRangeReadsAsDefault_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::newRow("name field 0") << QByteArray("ImpNameField=0");
    QTest::newRow("price field -2^31") << QByteArray("ImpPriceField=-2147483648");
    QTest::newRow("desc field 51") << QByteArray("ImpDescField=51");
    QTest::newRow("icon of a check box") << QByteArray("ImpIcon=4");
}

// The import then reads the export's columns and gives the default icon.
void TestSettingsHostile::outOfRangeReadsAsDefault()
{
    QFETCH(QByteArray, settings);
    WriteConf("[Settings]\n" + settings + "\n");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("in.csv"));
    QVERIFY(QuillmarkTest::WriteFileBytes(path, "Milk,2 litres,1.50,\nBread,,2.25,\n"));

    CListItemArray list;
    QCOMPARE(ImportFile(path, list).status, CsvImport::Status::Ok);
    QCOMPARE(list.m_items.size(), 2);
    QCOMPARE(list.m_items.at(1).m_strDesc, QStringLiteral("2 litres"));
    QCOMPARE(list.m_items.at(1).m_dPrice, 1.5);
    for (const CListItem &item : list.m_items)
        QCOMPARE(item.m_nIcon, 6);
}

QUILLMARK_TEST_MAIN(TestSettingsHostile)
#include "tst_settingshostile.moc"
