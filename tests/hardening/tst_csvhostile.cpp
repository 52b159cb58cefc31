// Files an import may be pointed at that are no ordinary files: a folder,
// an endless device. Each ends at once, cleanly, without a partial list,
// and the user is told.

#include "exchange/csv/CsvImportJob.h"
#include "tests/csv/ImportColumns.h"
#include "tests/testlib/QuillmarkTest.h"

#include <QDir>
#include <QFileInfo>

class TestCsvHostile : public QObject
{
    Q_OBJECT

private slots:
    void notAnOrdinaryFileFailsAtOnce_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("folder") << QDir::tempPath();
        QTest::newRow("zeros") << QStringLiteral("/dev/zero");
    }

    void notAnOrdinaryFileFailsAtOnce()
    {
        QFETCH(QString, path);
        if (!QFileInfo::exists(path))
            QSKIP("no such device here");
        CListItemArray list;
        const CsvImport::Result result = ImportFile(path, list);
        QCOMPARE(result.status, CsvImport::Status::NotAFile);
        QVERIFY(list.m_items.isEmpty());
        QVERIFY(CsvImport::ImportMessage(result).contains(path));
    }
};

QUILLMARK_GUILESS_TEST_MAIN(TestCsvHostile)
#include "tst_csvhostile.moc"
