#include "app/ExchangeCommands.h"
#include "dialogs/NewListDlg.h"
#include "exchange/csv/CsvExport.h"
#include "exchange/csv/CsvImport.h"
#include "tests/csv/ImportColumns.h"
#include "tests/testlib/DataFiles.h"
#include "tests/testlib/Lists.h"
#include "tests/testlib/QuillmarkTest.h"
#include "tests/view/ViewFixture.h"

#include <QDir>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>

#include <sys/stat.h>

using namespace ViewTest;
using namespace Qt::StringLiterals;

namespace {

// The New List form of an import, given a name and OK, or cancelled.
void ExpectNewList(ScriptedPrompter &prompter, bool ok = true)
{
    prompter.ExpectDialog<CNewListDlg>([ok](CNewListDlg &d) {
        d.NameField()->setText(QStringLiteral("Fruit"));
        QTest::mouseClick(ok ? d.OKButton() : d.CancelButton(), Qt::LeftButton);
        return d.result();
    });
}

} // namespace

class TestViewCsv : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QSettings().remove(QStringLiteral("Settings")); // under the names the test's main() pinned
        QFile::remove(CsvExport::ExportFilePath());
    }

    // "Export List..." from the menu, with what the view chose.
    void exportFromTheMenu_data()
    {
        QTest::addColumn<int>("list"); // selected in the tree; -1: nothing selected
        QTest::addColumn<bool>("open"); // the list's items on show rather than selected in the tree
        QTest::addColumn<QString>("message"); // empty: a failure, whose reason the system gives
        QTest::addColumn<QByteArray>("file");
        // Names the folder the file is in.
        const QString done = QStringLiteral("The File 'Quillmark.csv' was created in the folder '%1'.")
                                     .arg(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
        QTest::newRow("nothing selected") << -1 << false << QStringLiteral("No List Selected.") << QByteArray();
        QTest::newRow("list node") << 0 << false << done << QByteArray("Bread,,1.50,\nMilk,,2.25,\nSalt,,0.00,\n");
        QTest::newRow("empty list") << 2 << false << QStringLiteral("No Items in current list.") << QByteArray();
        QTest::newRow("open list") << 1 << true << done << QByteArray("Tickets,,0.00,\nPacking,,0.00,\n");
        // A folder in the way of the file: told as a failure, not as written.
        QTest::newRow("cannot be written") << 0 << false << QString() << QByteArray();
    }
    void exportFromTheMenu()
    {
        QFETCH(int, list);
        QFETCH(bool, open);
        QFETCH(QString, message);
        QFETCH(QByteArray, file);
        Fixture<> f;
        f.Start();
        new CExchangeCommands(f.doc, *f.view);
        f.Tree()->clearSelection();
        if (open)
            f.OpenList(list);
        else if (list >= 0)
            f.Select(f.ListNode(list));
        if (message.isEmpty()) {
            QVERIFY(QDir().mkpath(CsvExport::ExportFilePath()));
            f.prompter.ExpectAnyMessage();
        } else {
            f.prompter.ExpectMessage(message);
        }
        f.Run("Export");
        QM_VERIFY_PROMPTS(f.prompter);
        if (message.isEmpty()) {
            QVERIFY2(f.prompter.Shown().at(0).startsWith(u"The File 'Quillmark.csv' could not be written: "_s),
                     qPrintable(f.prompter.Shown().at(0)));
            QVERIFY(QDir().rmdir(CsvExport::ExportFilePath()));
        } else if (file.isEmpty()) {
            QVERIFY(!QFileInfo::exists(CsvExport::ExportFilePath()));
        } else {
            QCOMPARE(FileBytes(CsvExport::ExportFilePath()), file);
        }
    }

    // "Export List as iCalendar..." writes the list on show where the user
    // chose, and says in which folder; "Import List..." takes that file as a
    // new list with everything its items had.
    void calendarExportAndImport()
    {
        Fixture<> f;
        f.Start();
        new CExchangeCommands(f.doc, *f.view);
        const QString folder = f.dir.filePath(QStringLiteral("for the phone"));
        QVERIFY(QDir().mkpath(folder));
        const QString ics = QDir(folder).filePath(QStringLiteral("trip.ics"));
        f.OpenList(1);
        f.prompter.ExpectSaveFile(ics);
        f.prompter.ExpectMessage(QStringLiteral("The File 'trip.ics' was created in the folder '%1'.").arg(folder));
        f.Run("ExportCalendar");
        QM_VERIFY_PROMPTS(f.prompter);

        ExpectNewList(f.prompter);
        f.prompter.ExpectOpenFile(ics);
        f.Run("Import");
        QM_VERIFY_PROMPTS(f.prompter);
        QCOMPARE(f.Lists().size(), 4);
        const CListItemArray trip = f.Lists().at(1);
        const CListItemArray back = f.Lists().last();
        QCOMPARE(back.m_strName, QStringLiteral("Fruit"));
        QCOMPARE(back.m_items.size(), trip.m_items.size());
        for (qsizetype i = 0; i < trip.m_items.size(); ++i) {
            QCOMPARE(back.m_items[i].m_strName, trip.m_items[i].m_strName);
            QCOMPARE(back.m_items[i].m_bDone, trip.m_items[i].m_bDone);
            QCOMPARE(back.m_items[i].m_bDated, trip.m_items[i].m_bDated);
            if (trip.m_items[i].m_bDated)
                QCOMPARE(back.m_items[i].m_time, trip.m_items[i].m_time);
        }
    }

    // From the menu: a new list, filled, sorted, saved and shown. The
    // chooser opens in the documents folder the first time, then where the
    // last import came from, and in the documents folder again once that
    // folder has gone.
    void importNewList()
    {
        Fixture<> f;
        f.Start();
        new CExchangeCommands(f.doc, *f.view);
        const QString folder = f.dir.filePath(QStringLiteral("from the bank"));
        const QString csv = QDir(folder).filePath(QStringLiteral("fruit.csv"));
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(QuillmarkTest::WriteFileBytes(csv, "Pear,ripe,2.5,\nApple,red,1,\n"));
        StoreImportColumns(1, 2, 3);
        const auto importFrom = [&f](const QString &chosen) {
            ExpectNewList(f.prompter);
            f.prompter.ExpectOpenFile(chosen);
            f.Run("Import");
        };
        importFrom(csv);
        QM_VERIFY_PROMPTS(f.prompter);
        QCOMPARE(f.Lists().size(), 4);
        const CListItemArray fruit = f.Lists().last();
        QCOMPARE(Print({fruit}), QStringLiteral("Fruit: Apple/red Pear/ripe"));
        QCOMPARE(fruit.m_nIcon, 10);
        QCOMPARE(fruit.m_items[1].m_dPrice, 2.5);
        QCOMPARE(ReadDataFile(f.path), f.Lists()); // saved
        QCOMPARE(f.ChildCount(f.Root()), 4);     // and shown
        QCOMPARE(f.ListNode(3).data().toString(), QStringLiteral("Fruit"));
        QCOMPARE(f.Mode(), Shown::Tree);
        QCOMPARE(f.History().undoText(), QStringLiteral("Import 'Fruit'"));

        importFrom(QString()); // cancelled
        QVERIFY(QDir(folder).removeRecursively());
        importFrom(QString());
        QM_VERIFY_PROMPTS(f.prompter);
        QCOMPARE(f.Lists().size(), 4);
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        QCOMPARE(f.prompter.OpenFolders(), (QStringList{documents, folder, documents}));
    }

    // Nothing changes, and nothing is saved: a dialog cancelled, a file
    // refused (a named pipe is never opened: that would wait for a writer
    // for good), or an import cancelled in its progress dialog, which comes
    // after half a second over the window that stayed alive meanwhile.
    void importChangesNothing_data()
    {
        QTest::addColumn<bool>("newList");       // false: the New List dialog is cancelled
        QTest::addColumn<QString>("kind");       // "file", "pipe", or empty: the file chooser is cancelled
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("cancel");        // in the progress dialog
        QTest::addColumn<QString>("message");
        QTest::newRow("no new list") << false << QString() << QByteArray() << false << QStringLiteral("A New List is required to Import Into.");
        QTest::newRow("chooser cancelled") << true << QString() << QByteArray() << false << QString();
        QTest::newRow("blank last line") << true << u"file"_s << QByteArray("A,x,1,\n\n") << false
                                         << QStringLiteral("Import name found empty. Invalid Data.");
        QTest::newRow("named pipe") << true << u"pipe"_s << QByteArray() << false << QString();
        QTest::newRow("cancelled while importing") << true << u"file"_s << QByteArray("a,,,\n").repeated(2000000)
                                                   << true << QString();
    }
    void importChangesNothing()
    {
        QFETCH(bool, newList);
        QFETCH(QString, kind);
        QFETCH(QByteArray, content);
        QFETCH(bool, cancel);
        QFETCH(QString, message);
        Fixture<> f;
        f.Start();
        CExchangeCommands commands(f.doc, *f.view);
        const QByteArray before = FileBytes(f.path);
        const QString chosen = kind.isEmpty() ? QString() : f.dir.filePath(QStringLiteral("in.csv"));
        if (kind == u"file")
            QVERIFY(QuillmarkTest::WriteFileBytes(chosen, content));
        if (kind == u"pipe") {
            QVERIFY(::mkfifo(QFile::encodeName(chosen).constData(), 0600) == 0);
            message = CsvImport::ImportMessage({CsvImport::Status::NotAFile, 0, {}, chosen});
            QVERIFY(message.contains(chosen));
        }
        StoreImportColumns(1, 2, 3);
        ExpectNewList(f.prompter, newList);
        if (newList)
            f.prompter.ExpectOpenFile(chosen);
        if (!message.isEmpty())
            f.prompter.ExpectMessage(message);
        commands.ImportList();
        if (cancel) {
            QVERIFY(commands.Importing());
            QProgressDialog *progress = f.view->window()->findChild<QProgressDialog *>();
            QVERIFY(progress);
            QVERIFY(progress->isHidden());
            QTRY_VERIFY_WITH_TIMEOUT(progress->isVisible(), 5000);
            QCOMPARE(progress->windowModality(), Qt::WindowModal);
            QTest::mouseClick(progress->findChild<QPushButton *>(), Qt::LeftButton);
        }
        QVERIFY(!commands.Importing());
        QM_VERIFY_PROMPTS(f.prompter);
        QCOMPARE(f.Lists().size(), 3);
        QCOMPARE(f.History().count(), 0);
        QCOMPARE(FileBytes(f.path), before);
    }
};

QUILLMARK_TEST_MAIN(TestViewCsv)
#include "tst_viewcsv.moc"
