#include "dialogs/IconChooser.h"
#include "dialogs/NewItemDlg.h"
#include "model/ShownText.h"
#include "res/ResourceIds.h"
#include "tests/testlib/QuillmarkTest.h"
#include "tests/view/ViewFixture.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>

using namespace ViewTest;

// What a screen reader gets: the accessible tree of each screen of the view
// and of the item form, walked as a reader walks it, with the names, roles
// and states a person hears.
namespace {

QAccessibleInterface *Of(QObject *object)
{
    return QAccessible::queryAccessibleInterface(object);
}

// Every interface under `root` (the cells of a table or a tree too) whose
// name is `name`.
QList<QAccessibleInterface *> Named(QAccessibleInterface *root, const QString &name)
{
    QList<QAccessibleInterface *> found;
    for (int i = 0; i < root->childCount(); ++i) {
        QAccessibleInterface *child = root->child(i);
        if (!child)
            continue;
        if (child->text(QAccessible::Name) == name)
            found << child;
        found << Named(child, name);
    }
    return found;
}

// What a reader hears of the view's texts that are neither hidden nor
// covered: "role name" per child of the view, in the Tab order's sequence.
QStringList Heard(QWidget &view)
{
    QStringList heard;
    QAccessibleInterface *root = Of(&view);
    for (int i = 0; i < root->childCount(); ++i) {
        QAccessibleInterface *child = root->child(i);
        if (child->state().invisible)
            continue;
        if (child->role() == QAccessible::StaticText)
            heard << child->text(QAccessible::Name);
        else if (child->role() == QAccessible::CheckBox)
            heard << QStringLiteral("%1 [%2]").arg(child->text(QAccessible::Name),
                                                  child->state().checked ? QStringLiteral("x") : QStringLiteral(" "));
    }
    return heard;
}

// "[x]" for a checked checkable row, "[ ]" for an unchecked one, "-" for a
// row that a reader cannot tick: the row's cells, any of which may carry the
// check.
QString CheckOfRow(QAccessibleInterface *view, const QString &name)
{
    const QList<QAccessibleInterface *> cells = Named(view, name);
    if (cells.isEmpty())
        return QStringLiteral("missing");
    QAccessibleTableCellInterface *cell = cells.first()->tableCellInterface();
    QList<QAccessibleInterface *> row{cells.first()};
    if (cell) {
        QAccessibleTableInterface *table = cell->table()->tableInterface();
        for (int c = 0; c < table->columnCount(); ++c)
            row << table->cellAt(cell->rowIndex(), c);
    }
    for (QAccessibleInterface *part : row) {
        if (part && part->state().checkable)
            return part->state().checked ? QStringLiteral("[x]") : QStringLiteral("[ ]");
    }
    return QStringLiteral("-");
}

QString Labelled(const char *label, const QString &value)
{
    return QString::fromLatin1(label) + QStringLiteral(": ") + value;
}

} // namespace

class TestViewAccess : public QObject
{
    Q_OBJECT

private slots:
    // The tree is "Lists", and every item in it can be ticked and says
    // whether it is.
    void treeScreen()
    {
        Fixture<> f;
        CQuillmarkView &view = f.Start();
        f.Tree()->expandAll();
        QAccessibleInterface *tree = Of(f.Tree());
        QCOMPARE(tree->role(), QAccessible::Tree);
        QCOMPARE(tree->text(QAccessible::Name), QStringLiteral("Lists"));
        QCOMPARE(CheckOfRow(tree, QStringLiteral("Bread")), QStringLiteral("[ ]"));
        QCOMPARE(CheckOfRow(tree, QStringLiteral("Milk")), QStringLiteral("[x]"));
        QCOMPARE(CheckOfRow(tree, QStringLiteral("Groceries")), QStringLiteral("-"));

        // Nothing of the item screen or the total is read out here.
        QCOMPARE(Heard(view), QStringList());
    }

    // The table bears its list's name, its rows can be ticked, and the
    // total, what is left and what is done are read out and follow a tick.
    void tableScreen()
    {
        Fixture<> f;
        CQuillmarkView &view = f.Start();
        f.OpenList(0);
        QCOMPARE(f.Mode(), Shown::Items);
        QAccessibleInterface *table = Of(f.Table());
        QCOMPARE(table->text(QAccessible::Name), QStringLiteral("Groceries"));
        QCOMPARE(CheckOfRow(table, QStringLiteral("Bread")), QStringLiteral("[ ]"));
        QCOMPARE(CheckOfRow(table, QStringLiteral("Milk")), QStringLiteral("[x]"));
        QCOMPARE(CheckOfRow(table, QStringLiteral("Salt")), QStringLiteral("[ ]"));
        const auto price = [](double amount) { return ShownText::Price(amount); };
        QCOMPARE(Heard(view), (QStringList{Labelled("Total", price(3.75)), Labelled("Left", price(1.5)),
                                           Labelled("Done", price(2.25))}));

        QTest::keyClick(f.Table(), Qt::Key_Space); // on the first row, Bread
        QCOMPARE(CheckOfRow(table, QStringLiteral("Bread")), QStringLiteral("[x]"));
        QCOMPARE(Heard(view), (QStringList{Labelled("Total", price(3.75)), Labelled("Left", price(0)),
                                           Labelled("Done", price(3.75))}));
        // Another list is another name; one without prices reads no total.
        f.Run("Back");
        f.OpenList(2);
        QCOMPARE(table->text(QAccessible::Name), QStringLiteral("Empty"));
        QCOMPARE(Heard(view), QStringList());
    }

    // The item screen reads the name, date, price and done state, each with
    // its label, reached with Tab from the name on; the tick is a check box
    // that follows the item and ticks it with the space bar.
    void itemScreen()
    {
        Fixture<> f;
        CQuillmarkView &view = f.Start();
        f.OpenItem(1, 0); // Tickets: done, dated, no price
        QCOMPARE(f.Mode(), Shown::Item);
        QCOMPARE(Heard(view), (QStringList{QStringLiteral("Name: Tickets"), Labelled("Date", ShownText::DateAndTime(f.Lists().at(1).m_items.at(0))),
                                           QStringLiteral("Done [x]")}));
        QWidget *focus = QApplication::focusWidget();
        QCOMPARE(Of(focus)->text(QAccessible::Name), QStringLiteral("Name: Tickets"));
        QCOMPARE(Of(focus)->role(), QAccessible::StaticText);
        QTest::keyClick(focus, Qt::Key_Tab);
        QCOMPARE(Of(QApplication::focusWidget())->text(QAccessible::Name).left(5), QStringLiteral("Date:"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QAccessibleInterface *box = Of(QApplication::focusWidget());
        QCOMPARE(box->role(), QAccessible::CheckBox);
        QVERIFY(box->state().checkable);
        QVERIFY(box->state().checked);

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QVERIFY(!f.Lists().at(1).m_items.at(0).m_bDone);
        QVERIFY(!box->state().checked);
        QCOMPARE(Heard(view).last(), QStringLiteral("Done [ ]"));

        f.Run("Back");
        f.OpenList(0);
        f.SelectRows({1}); // Milk: done, with a price
        f.Run("Open");
        QCOMPARE(Heard(view), (QStringList{QStringLiteral("Name: Milk"), Labelled("Price", ShownText::Price(2.25)), QStringLiteral("Done [x]")}));
        // The whole description, its line breaks as the screen shows them.
        Fixture<> rich(RichSample());
        CQuillmarkView &other = rich.Start();
        rich.OpenItem(0, 1);
        QCOMPARE(Heard(other).at(2), Labelled("Description", QStringLiteral("Line one\nLine two")));
    }

    // The item form's icon chooser names each picture, not its number.
    void itemForm()
    {
        ScriptedPrompter prompter;
        CNewItemDlg dlg(nullptr, &prompter);
        dlg.m_strName = QStringLiteral("Lamp");
        dlg.show();
        QAccessibleInterface *chooser = Of(dlg.IconChooser());
        QCOMPARE(Named(chooser, QStringLiteral("0")).size(), 0);
        QCOMPARE(Named(chooser, QStringLiteral("Red pin")).size(), 1);
        QCOMPARE(Named(chooser, QStringLiteral("Coffee cup")).size(), 1);
        QCOMPARE(Of(dlg.NameField())->text(QAccessible::Name), QStringLiteral("Name:"));
    }
};

QUILLMARK_TEST_MAIN(TestViewAccess)
#include "tst_viewaccess.moc"
