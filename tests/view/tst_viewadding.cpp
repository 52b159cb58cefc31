#include "controls/QuickAddField.h"
#include "dialogs/NewItemDlg.h"
#include "dialogs/PastePreviewDlg.h"
#include "tests/view/ViewFixture.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QCompleter>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QGuiApplication>
#include <QPushButton>
#include <QTreeWidget>
#include <QUrl>

#include <algorithm>

using namespace ViewTest;

namespace {

CQuickAddField *Field(const Fixture<> &f) { return f.view->findChild<CQuickAddField *>(QStringLiteral("quickAdd")); }

void Type(const Fixture<> &f, const QString &text, Qt::KeyboardModifiers enter = Qt::NoModifier)
{
    QTest::keyClicks(Field(f), text);
    QTest::keyClick(Field(f), Qt::Key_Return, enter);
}

} // namespace

class TestViewAdding : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    // The field opens under the table of the list chosen in the tree; each
    // Enter is one step that saves, the item chosen and the field empty for
    // the next; a name the list holds is chosen (unticked when done) unless
    // Shift+Enter; Escape gives the table its place back.
    void typedLines()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        Fixture f;
        f.Start();
        const QRect table = f.Table()->geometry();
        f.Select(f.ListNode(0));
        f.Run("AddItem");
        QCOMPARE(f.Mode(), Shown::Items);
        QVERIFY(Field(f)->isVisible());
        QVERIFY(Field(f)->hasFocus());
        QCOMPARE(f.Table()->geometry().bottom() + 1, Field(f)->geometry().top());

        Type(f, QStringLiteral("Butter 2,10"));
        QCOMPARE(f.History().count(), 1);
        QCOMPARE(f.History().undoText(), QStringLiteral("Add 'Butter'"));
        QVERIFY(!f.doc.HasUnsavedChanges());
        const CListItem &butter = f.Lists().at(0).m_items.at(1);
        QCOMPARE(QString(butter.m_strName), QStringLiteral("Butter"));
        QCOMPARE(butter.m_dPrice, 2.1);
        QCOMPARE(butter.m_nIcon, CNewItemDlg::ProposedIcon());
        QCOMPARE(f.SelectedRows().value(0).data().toString(), QStringLiteral("Butter"));
        QVERIFY(Field(f)->text().isEmpty());
        QVERIFY(Field(f)->isVisible());

        QTest::keyClicks(Field(f), QStringLiteral("BREAD"));
        QCOMPARE(Field(f)->Note(), QStringLiteral("Already on the list"));
        QTest::keyClick(Field(f), Qt::Key_Return);
        QCOMPARE(f.Lists().at(0).m_items.size(), 4);
        QCOMPARE(f.SelectedRows().value(0).data().toString(), QStringLiteral("Bread"));
        Type(f, QStringLiteral("milk"));
        QVERIFY(!f.Lists().at(0).m_items.at(2).m_bDone);
        QCOMPARE(f.History().count(), 2);
        Type(f, QStringLiteral("Bread 3"), Qt::ShiftModifier);
        QCOMPARE(f.Lists().at(0).m_items.size(), 5);

        f.History().undo();
        QCOMPARE(f.Lists().at(0).m_items.size(), 4);
        QTest::keyClick(Field(f), Qt::Key_Escape);
        QVERIFY(Field(f)->isHidden());
        QCOMPARE(f.Table()->geometry(), table);
    }

    // A name chosen among those offered brings its most recent item's
    // description, price and icon; the names come from every list.
    void completion()
    {
        CListCollection lists = SampleLists();
        lists[1].m_items.append(Item(QStringLiteral("Sunscreen")).Desc(QStringLiteral("SPF 50")).Price(7.5).Icon(40));
        Fixture f(lists);
        f.Start();
        f.Select(f.ListNode(0));
        f.Run("AddItem");
        QTest::keyClicks(Field(f), QStringLiteral("SCR"));
        QAbstractItemView *popup = Field(f)->Completer()->popup();
        QCOMPARE(popup->model()->rowCount(), 1);
        QVERIFY(popup->model()->index(0, 0).data().toString().startsWith(QStringLiteral("Sunscreen")));
        emit Field(f)->Completer()->activated(popup->model()->index(0, 0));
        QTest::keyClick(Field(f), Qt::Key_Return);
        const CListItem &added = f.Lists().at(0).m_items.at(3);
        QCOMPARE(QString(added.m_strName), QStringLiteral("Sunscreen"));
        QCOMPARE(QString(added.m_strDesc), QStringLiteral("SPF 50"));
        QCOMPARE(added.m_dPrice, 7.5);
        QCOMPARE(added.m_nIcon, 40);
    }

    // Several lines are previewed; Cancel adds nothing, "Add 2 Items" adds
    // them in one step; one line is added at once.
    void pastedLines()
    {
        Fixture f;
        f.Start();
        f.OpenList(1);
        QGuiApplication::clipboard()->setText(QStringLiteral("# Packing\n- [ ] Socks\n- [x] Shirt 12.50\n"));
        for (const bool add : {false, true}) {
            f.prompter.ExpectDialog<CPastePreviewDlg>([add](CPastePreviewDlg &d) {
                [&] {
                    QCOMPARE(d.AddButton()->text(), QStringLiteral("Add 2 Items"));
                    QVERIFY(d.AddButton()->isDefault());
                    QCOMPARE(d.Items()->topLevelItemCount(), 2);
                    QCOMPARE(d.Items()->topLevelItem(1)->text(1), QStringLiteral("12.50"));
                }();
                return add ? QDialog::Accepted : QDialog::Rejected;
            });
            f.Run("PasteItems");
            QM_VERIFY_PROMPTS(f.prompter);
            QCOMPARE(f.History().count(), add ? 1 : 0);
        }
        // The list was out of order: each comes before the first greater name.
        QCOMPARE(f.TableRows(), QStringLiteral("Shirt|12.50|---|[x] / Socks|0.00|---|[ ] / Tickets|0.00|3/7/2002|[x] / Packing|0.00|---|[ ]"));
        QGuiApplication::clipboard()->setText(QStringLiteral("Towel"));
        f.Run("PasteItems");
        QCOMPARE(f.History().count(), 2);
        f.History().undo();
        f.History().undo();
        QCOMPARE(f.Lists(), SampleLists());
    }

    // A file dropped on a list's row of the tree or on the table goes into
    // that list as a paste (a CSV through the import's fields); beside the
    // rows it becomes a list named after the file; what the import refuses
    // is refused with its message and changes nothing.
    void droppedFiles()
    {
        Fixture f;
        f.Start();
        const auto write = [&f](const QString &name, const QByteArray &bytes) {
            QFile file(f.dir.filePath(name));
            [&] { QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size()); }();
            return file.fileName();
        };
        const auto drop = [&f](const QString &path, const QPoint &at) {
            QMimeData mime;
            mime.setUrls({QUrl::fromLocalFile(path)});
            QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(f.view.get(), &enter);
            if (!enter.isAccepted())
                return false;
            QDropEvent dropped(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(f.view.get(), &dropped);
            return dropped.isAccepted();
        };
        const auto onTree = [&f](const QModelIndex &node) {
            return f.Tree()->viewport()->mapTo(f.view.get(), f.Tree()->visualRect(node).center());
        };
        const auto previewAdds = [&f](int rows) {
            f.prompter.ExpectDialog<CPastePreviewDlg>([rows](CPastePreviewDlg &d) {
                [&] { QCOMPARE(d.Items()->topLevelItemCount(), rows); }();
                return QDialog::Accepted;
            });
        };
        QVERIFY(!drop(write(QStringLiteral("photo.png"), "png"), onTree(f.ListNode(1))));

        previewAdds(2);
        QVERIFY(drop(write(QStringLiteral("packing.md"), "- [ ] Socks\n- [x] Shirt 12.50\n"), onTree(f.ListNode(1))));
        QM_VERIFY_PROMPTS(f.prompter);
        QCOMPARE(f.Lists().at(1).m_items.size(), SampleLists().at(1).m_items.size() + 2);

        f.OpenList(0);
        const QPoint onTable = f.Table()->mapTo(f.view.get(), f.Table()->rect().center());
        previewAdds(2);
        QVERIFY(drop(write(QStringLiteral("shop.CSV"), "Jam,Apricot,3.10\nTea,,2\n"), onTable));
        QM_VERIFY_PROMPTS(f.prompter);
        const QList<CListItem> &shop = f.Lists().at(0).m_items;
        const auto jam = std::find_if(shop.begin(), shop.end(), [](const CListItem &i) { return i.m_strName == u"Jam"; });
        QVERIFY(jam != shop.end());
        QCOMPARE(QString(jam->m_strDesc), QStringLiteral("Apricot"));
        QCOMPARE(jam->m_dPrice, 3.1);

        f.Run("Back");
        const int lists = f.Lists().size();
        QVERIFY(drop(write(QStringLiteral("Hardware store.txt"), "Nails 4,20\n"), QPoint(2, f.view->height() - 2)));
        QCOMPARE(f.Lists().size(), lists + 1);
        QCOMPARE(QString(f.Lists().constLast().m_strName), QStringLiteral("Hardware store"));
        QCOMPARE(f.Lists().constLast().m_items.size(), 1);

        const CListCollection before = f.Lists();
        f.prompter.ExpectMessage(QStringLiteral("Error in Import: line 2 holds a zero byte, so the file is not text. "
                                                "Nothing was imported."));
        QVERIFY(drop(write(QStringLiteral("binary.txt"), QByteArray("Milk\nE\0ggs\n", 11)), onTree(f.ListNode(0))));
        f.prompter.ExpectMessage(QStringLiteral("Error in Import: line 1 is longer than 65536 bytes. Nothing was imported."));
        QVERIFY(drop(write(QStringLiteral("long.md"), QByteArray(70000, 'x')), onTree(f.ListNode(0))));
        QM_VERIFY_PROMPTS(f.prompter);
        QCOMPARE(f.Lists(), before);
    }
};

QUILLMARK_TEST_MAIN(TestViewAdding)
#include "tst_viewadding.moc"
