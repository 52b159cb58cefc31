#include "dialogs/NewListDlg.h"
#include "exchange/csv/CsvExport.h"
#include "exchange/csv/ImportFields.h"
#include "exchange/csv/ImportFieldsDlg.h"
#include "platform/Settings.h"
#include "res/Strings.h"
#include "tests/testlib/QuillmarkTest.h"
#include "tests/view/ViewFixture.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>

using namespace ViewTest;

namespace {

QString ExportPath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
            .filePath(QStringLiteral("Quillmark.csv"));
}

QStringList Names(const CListItemArray &list)
{
    QStringList names;
    for (const CListItem &item : list.m_items)
        names.append(item.m_strName);
    return names;
}

} // namespace

class TestViewCsv : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Fernwise"),
                  QStringLiteral("Quillmark"))
                .remove(QStringLiteral("Settings"));
        QFile::remove(ExportPath());
    }

    void exportFromTheTree_data()
    {
        QTest::addColumn<int>("list");  // -2: nothing selected, -1: the root
        QTest::addColumn<int>("item");  // an item node of the list, or -1
        QTest::addColumn<QString>("message");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("curList");
        QTest::newRow("nothing selected") << -2 << -1 << Str::NoListSelected() << QByteArray() << -1;
        QTest::newRow("root") << -1 << -1 << Str::NoListSelected() << QByteArray() << -1;
        QTest::newRow("item node") << 0 << 1 << Str::NoListSelected() << QByteArray() << -1;
        QTest::newRow("list node") << 0 << -1 << Str::ExportDone()
                                   << QByteArray("Bread,,1.50,\nMilk,,2.25,\nSalt,,0.00,\n") << 0;
        QTest::newRow("empty list") << 2 << -1 << Str::NoItemsInList() << QByteArray() << 2;
    }
    void exportFromTheTree()
    {
        QFETCH(int, list);
        QFETCH(int, item);
        QFETCH(QString, message);
        QFETCH(QByteArray, file);
        QFETCH(int, curList);
        Fixture<> f;
        CQuillmarkView &view = f.Start();
        view.Tree()->clearSelection();
        if (list == -1)
            f.Select(view.RootItem());
        else if (list >= 0)
            f.Select(item >= 0 ? f.ItemNode(list, item) : f.ListNode(list));
        f.prompter.ExpectMessage(message);
        view.OnExportList();
        QM_VERIFY_PROMPTS(f.prompter);
        QCOMPARE(view.CurList(), curList);
        if (file.isEmpty())
            QVERIFY(!QFileInfo::exists(ExportPath()));
        else
            QCOMPARE(FileBytes(ExportPath()), file);
    }

    void exportWithNoListsAtAll()
    {
        Fixture<> f(CListCollection{});
        CQuillmarkView &view = f.Start();
        f.prompter.ExpectMessage(Str::NoListSelected());
        view.OnExportList();
        QM_VERIFY_PROMPTS(f.prompter);
    }

    void exportTheOpenList()
    {
        Fixture<> f;
        CQuillmarkView &view = f.Start();
        f.OpenList(1);
        QCOMPARE(view.Mode(), int(CQuillmarkView::modeItems));
        f.prompter.ExpectMessage(Str::ExportDone());
        view.OnExportList();
        QM_VERIFY_PROMPTS(f.prompter);
        QCOMPARE(FileBytes(ExportPath()), QByteArray("Tickets,,0.00,\nPacking,,0.00,\n"));
    }

    void exportFailureIsReported()
    {
        // A folder in the way of the file: the export cannot write it.
        QVERIFY(QDir().mkpath(ExportPath()));
        const QString reason = CsvExport::ExportList(SampleLists().at(0), ExportPath()).reason;
        QVERIFY(!reason.isEmpty());
        Fixture<> f;
        CQuillmarkView &view = f.Start();
        f.Select(f.ListNode(0));
        f.prompter.ExpectMessage(Str::ExportFailed(reason));
        view.OnExportList();
        QM_VERIFY_PROMPTS(f.prompter);
        QVERIFY(QDir().rmdir(ExportPath()));
    }

    void importNewList()
    {
        Fixture<> f;
        CQuillmarkView &view = f.Start();
        const QString csv = f.dir.filePath(QStringLiteral("fruit.csv"));
        {
            QFile file(csv);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("Pear,ripe,2.5,\nApple,red,1,\n");
        }
        Settings::WriteInt(ImportKeys::NameField(), 1);
        Settings::WriteInt(ImportKeys::DescField(), 2);
        Settings::WriteInt(ImportKeys::PriceField(), 3);

        f.prompter.ExpectDialog<CNewListDlg>([](CNewListDlg &d) {
            d.NameField()->setText(QStringLiteral("Fruit"));
            QTest::mouseClick(d.OKButton(), Qt::LeftButton);
            return d.result();
        });
        f.prompter.ExpectOpenFile(csv);
        view.OnImportList();
        QM_VERIFY_PROMPTS(f.prompter);

        QCOMPARE(view.Lists().size(), 4);
        const CListItemArray fruit = view.Lists().last();
        QCOMPARE(fruit.m_strName, QStringLiteral("Fruit"));
        QCOMPARE(fruit.m_nIcon, 10);
        QCOMPARE(Names(fruit), (QStringList{QStringLiteral("Apple"), QStringLiteral("Pear")}));
        QCOMPARE(fruit.m_items[1].m_strDesc, QStringLiteral("ripe"));
        QCOMPARE(fruit.m_items[1].m_dPrice, 2.5);
        QCOMPARE(ReadDataFile(f.path), view.Lists()); // saved
        QCOMPARE(view.RootItem()->childCount(), 4);    // and shown
        QCOMPARE(view.RootItem()->child(3)->text(0), QStringLiteral("Fruit"));
        QCOMPARE(view.Mode(), int(CQuillmarkView::modeTree));
    }

    void importChangesNothing_data()
    {
        QTest::addColumn<bool>("newList");       // false: the New List dialog is cancelled
        QTest::addColumn<QByteArray>("content"); // empty: the file chooser is cancelled
        QTest::addColumn<QString>("message");
        QTest::newRow("no new list") << false << QByteArray() << Str::Load(Str::IDS_NEED_NEW_LIST);
        QTest::newRow("chooser cancelled") << true << QByteArray() << QString();
        QTest::newRow("blank last line") << true << QByteArray("A,x,1,\n\n") << Str::Load(Str::IDS_IMPORT_NAME_EMPTY);
        QTest::newRow("field missing") << true << QByteArray("A,x,1,\nB\n") << Str::Load(Str::IDS_IMPORT_FIELD_NOT_FOUND);
    }
    void importChangesNothing()
    {
        QFETCH(bool, newList);
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        Fixture<> f;
        CQuillmarkView &view = f.Start();
        const QByteArray before = FileBytes(f.path);
        QString csv;
        if (!content.isEmpty()) {
            csv = f.dir.filePath(QStringLiteral("in.csv"));
            QFile file(csv);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        Settings::WriteInt(ImportKeys::NameField(), 1);
        Settings::WriteInt(ImportKeys::DescField(), 2);
        Settings::WriteInt(ImportKeys::PriceField(), 3);
        f.prompter.ExpectDialog<CNewListDlg>([newList](CNewListDlg &d) {
            d.NameField()->setText(QStringLiteral("New"));
            QTest::mouseClick(newList ? d.OKButton() : d.CancelButton(), Qt::LeftButton);
            return d.result();
        });
        if (newList)
            f.prompter.ExpectOpenFile(csv);
        if (!message.isEmpty())
            f.prompter.ExpectMessage(message);
        view.OnImportList();
        QM_VERIFY_PROMPTS(f.prompter);
        QCOMPARE(view.Lists().size(), 3);
        QCOMPARE(view.RootItem()->childCount(), 3);
        QCOMPARE(FileBytes(f.path), before);
    }

    void setupImportRunsTheDialog()
    {
        Fixture<> f;
        CQuillmarkView &view = f.Start();
        f.prompter.ExpectDialog<CImportFieldsDlg>([](CImportFieldsDlg &d) {
            d.DescSpin()->setValue(0);
            QTest::mouseClick(d.OKButton(), Qt::LeftButton);
            return d.result();
        });
        view.OnSetupImport();
        QM_VERIFY_PROMPTS(f.prompter);
        QCOMPARE(Settings::ReadInt(ImportKeys::DescField(), -1), 0);
        QCOMPARE(Settings::ReadInt(ImportKeys::Icon(), -1), 6);
    }
};

QUILLMARK_TEST_MAIN(TestViewCsv)
#include "tst_viewcsv.moc"
