#include "exchange/csv/CsvExport.h"
#include "exchange/csv/CsvImportJob.h"
#include "tests/csv/ImportColumns.h"
#include "tests/testlib/DataFiles.h"
#include "tests/testlib/Lists.h"
#include "tests/testlib/QuillmarkTest.h"

#include <QSettings>
#include <QTemporaryDir>

#include <clocale>
#include <cstdio>

// The export and the import write and read a point whatever the user's
// locale: here the C library and Qt are both set to German, where a comma
// is the decimal separator.
class TestCsvLocale : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QSettings().remove(QStringLiteral("Settings")); // under the names the test's main() pinned
        if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
            QUILLMARK_SKIP_MISSING("The de_DE.UTF-8 locale is not installed (scripts/test generates it)");
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        char buf[16];
        std::snprintf(buf, sizeof buf, "%.2f", 1.5);
        QCOMPARE(QByteArray(buf), QByteArray("1,50")); // the locale is really in force
    }

    // With nothing set up the import reads the columns and the code page the
    // export writes: an exported list comes back whole.
    void pointBothWays()
    {
        using QuillmarkTest::Item;
        const QuillmarkTest::List list({}, {Item(QStringLiteral("Milk")).Price(1234.5),
                                            Item(QStringLiteral("Zucker")).Desc(QString::fromUtf8("süß, fein")).Price(-3.25)});

        const QString path = m_dir.filePath(QStringLiteral("Quillmark.csv"));
        QCOMPARE(CsvExport::ExportList(list, path).status, CsvExport::Status::Done);
        QCOMPARE(QuillmarkTest::FileBytes(path), QByteArray("Milk,,1234.50,\nZucker,s\xFC\xDF  fein,-3.25,\n"));

        CListItemArray back;
        QCOMPARE(ImportFile(path, back).status, CsvImport::Status::Ok);
        QCOMPARE(back.m_items.size(), 2);
        QCOMPARE(back.m_items[0].m_dPrice, 1234.5);
        QCOMPARE(back.m_items[1].m_strDesc, QString::fromUtf8("süß  fein"));
        QCOMPARE(back.m_items[1].m_dPrice, -3.25);
        for (const CListItem &item : back.m_items)
            QCOMPARE(item.m_nIcon, 6);
        QCOMPARE(CsvImport::ParsePrice(QStringLiteral("3,75")), 3.0);
        QCOMPARE(CsvImport::ParsePrice(QStringLiteral("-0.25e1")), -2.5);
    }

private:
    QTemporaryDir m_dir;
};

QUILLMARK_GUILESS_TEST_MAIN(TestCsvLocale)
#include "tst_csvlocale.moc"
