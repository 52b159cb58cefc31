#pragma once

#include "controls/ItemTable.h"
#include "controls/ListTree.h"
#include "document/QuillmarkDoc.h"
#include "platform/CalendarTime.h"
#include "tests/testlib/DataFiles.h"
#include "tests/testlib/Lists.h"
#include "tests/testlib/QuillmarkTest.h"
#include "tests/testlib/ScriptedPrompter.h"
#include "view/QuillmarkView.h"
#include "view/ViewLook.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <optional>

// Building blocks shared by the view's tests: a data file in a temporary
// folder, a document read from it and a set-up, shown view on that document. The tests see the view as a person does:
// its controls, its painting, what its buttons and keys do.
namespace ViewTest {

using namespace QuillmarkTest;

// A view whose pop-up menu is answered by the test: it notes what the menu
// held ("text key" per entry, "-" for a separator), where it would have
// opened and whether its first entry was active, and triggers the entry
// whose text is `choose` (none when empty).
class MenuView : public CQuillmarkView
{
public:
    using CQuillmarkView::CQuillmarkView;

    QString choose;
    QStringList entries;
    QPoint shownAt;
    int timesShown = 0;
    bool firstEntryActive = false;

protected:
    void RunPopupMenu(QMenu &menu, const QPoint &globalPos) override
    {
        ++timesShown;
        shownAt = globalPos;
        firstEntryActive = menu.activeAction() && menu.activeAction() == menu.actions().value(0);
        entries.clear();
        QAction *chosen = nullptr;
        for (QAction *action : menu.actions()) {
            if (action->isSeparator()) {
                entries << QStringLiteral("-");
                continue;
            }
            QString entry = action->text();
            if (action->isShortcutVisibleInContextMenu() && !action->shortcut().isEmpty())
                entry += QLatin1Char(' ') + action->shortcut().toString(QKeySequence::PortableText);
            entries << entry;
            if (action->text() == choose)
                chosen = action;
        }
        if (chosen)
            chosen->trigger();
    }
};

// What the view shows, told by its controls: the tree, the item table, or
// neither (one item's details).
enum class Shown { Tree, Items, Item };

// A view set up on a data file in a temporary folder, shown offscreen.
template<typename View = MenuView>
struct Fixture
{
    QTemporaryDir dir;
    QString path;
    ScriptedPrompter prompter;
    CQuillmarkDoc doc;
    std::unique_ptr<View> view;
    std::vector<std::unique_ptr<QAbstractItemModelTester>> testers;

    // lists: what the data file holds; no file at all when `noFile`.
    explicit Fixture(const CListCollection &lists = SampleLists(), bool noFile = false)
        : path(dir.filePath(QStringLiteral("Quillmark.dat")))
    {
        if (!noFile)
            WriteDataFile(path, lists);
    }

    View &Start()
    {
        doc.SetPath(path);
        doc.Load();
        view = std::make_unique<View>(doc, nullptr, &prompter);
        view->OnInitialUpdate();
        // The models between the lists and the tree and the table, checked
        // at every change the test makes.
        for (QTreeView *shown : {static_cast<QTreeView *>(Tree()), static_cast<QTreeView *>(Table())})
            testers.push_back(std::make_unique<QAbstractItemModelTester>(
                    shown->model(), QAbstractItemModelTester::FailureReportingMode::QtTest));
        view->show();
        (void)QTest::qWaitForWindowExposed(view.get());
        return *view;
    }

    const CListCollection &Lists() const { return doc.Lists(); }
    QUndoStack &History() { return *doc.UndoStack(); }

    CListTree *Tree() const { return view->template findChild<CListTree *>(QStringLiteral("listTree")); }
    CItemTable *Table() const { return view->template findChild<CItemTable *>(QStringLiteral("itemTable")); }
    // The tree's nodes: the root "Lists", a list's, an item's.
    QModelIndex Root() const { return Tree()->model()->index(0, 0); }
    QModelIndex ListNode(int list) const { return Tree()->model()->index(list, 0, Root()); }
    QModelIndex ItemNode(int list, int item) const { return Tree()->model()->index(item, 0, ListNode(list)); }
    int ChildCount(const QModelIndex &node) const { return Tree()->model()->rowCount(node); }
    bool Expanded(const QModelIndex &node) const { return Tree()->isExpanded(node); }
    QModelIndex Current() const { return Tree()->currentIndex(); }
    QModelIndexList SelectedNodes() const { return Tree()->selectionModel()->selectedIndexes(); }

    Shown Mode() const
    {
        if (!Tree()->isHidden())
            return Shown::Tree;
        return Table()->isHidden() ? Shown::Item : Shown::Items;
    }

    void Select(const QModelIndex &node) const { Tree()->setCurrentIndex(node); }

    // The table's rows, top to bottom.
    QModelIndex TableRow(int row) const { return Table()->model()->index(row, 0, Table()->rootIndex()); }
    int TableRowCount() const { return Table()->model()->rowCount(Table()->rootIndex()); }
    void SelectRows(std::initializer_list<int> rows) const
    {
        QItemSelectionModel *selection = Table()->selectionModel();
        selection->clearSelection();
        for (int row : rows)
            selection->select(TableRow(row), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    QModelIndexList SelectedRows() const { return Table()->selectionModel()->selectedRows(); }
    // The shown columns as "heading width", and each row's shown cells (its
    // text, or "[x]" and "[ ]" for a box), joined by "|" and rows by " / ".
    QString TableColumns() const { return ShownCells(-1); }
    QString TableRows() const
    {
        QStringList rows;
        for (int r = 0; r < TableRowCount(); ++r)
            rows << ShownCells(r);
        return rows.join(QStringLiteral(" / "));
    }
    QString ShownCells(int row) const
    {
        QStringList cells;
        const QHeaderView *header = Table()->header();
        for (int v = 0; v < header->count(); ++v) {
            const int c = header->logicalIndex(v);
            const QModelIndex cell = TableRow(row).siblingAtColumn(c);
            const QVariant check = cell.data(Qt::CheckStateRole);
            if (header->isSectionHidden(c))
                continue;
            if (row < 0)
                cells << QStringLiteral("%1 %2").arg(Table()->model()->headerData(c, Qt::Horizontal).toString()).arg(header->sectionSize(c));
            else
                cells << (check.isValid() ? QString::fromLatin1(check.toInt() == Qt::Checked ? "[x]" : "[ ]") : cell.data().toString());
        }
        return cells.join(u'|');
    }

    // A command, as its button, key or menu entry gives it: "Open" triggers
    // the action "actionOpen".
    void Run(const char *command) const
    {
        QAction *action = view->template findChild<QAction *>(QStringLiteral("action") + QLatin1String(command));
        if (!action)
            qFatal("the view has no command %s", command);
        action->trigger();
    }

    // Runs a pop-up menu entry by its text, as "M" and a choice do.
    void Choose(const QString &entry) const
    {
        view->choose = entry;
        Run("Menu");
        view->choose.clear();
    }

    // Ticks or unticks an item in the tree as the space bar does.
    void ToggleInTree(int list, int item) const
    {
        Select(ItemNode(list, item));
        QTest::keyClick(Tree(), Qt::Key_Space);
    }

    // Opens a list or an item from the tree with the magnifier.
    void OpenList(int list) const { Select(ListNode(list)); Run("Open"); }
    void OpenItem(int list, int item) const { Select(ItemNode(list, item)); Run("Open"); }

    // The item on show, as the hand-over button sends it; none outside the
    // item screen. Only where nothing answers the hand-over.
    std::optional<CListItem> ItemOnShow() const
    {
        if (Mode() != Shown::Item)
            return std::nullopt;
        QSignalSpy handOver(view.get(), &CQuillmarkView::handOverRequested);
        Run("HandOver");
        if (handOver.isEmpty())
            return std::nullopt;
        return handOver.at(0).at(0).template value<CListItem>();
    }
};

} // namespace ViewTest
