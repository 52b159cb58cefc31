#include "view/QuillmarkView.h"

#include "controls/FindPane.h"
#include "controls/ItemTable.h"
#include "controls/ListTree.h"
#include "document/ListsModel.h"
#include "document/QuillmarkDoc.h"
#include "view/ViewLook.h"

#include <QAbstractItemView>
#include <QAction>
#include <QItemSelectionModel>
#include <QMenu>

using Command = CViewActions::Command;

const CViewActions::Row &CQuillmarkView::Buttons() const
{
    switch (m_mode) {
    case Mode::Item:
        return CViewActions::kItemRow;
    case Mode::Items:
        return CViewActions::kItemsRow;
    case Mode::Find:
        return CViewActions::kFindRow;
    case Mode::Tree:
        break;
    }
    return CViewActions::kTreeRow;
}

void CQuillmarkView::ConnectCommands()
{
    const auto on = [this](Command command, auto run) { connect(Action(command), &QAction::triggered, this, run); };
    on(Command::Exit, &CQuillmarkView::exitRequested);
    connect(m_actions, &CViewActions::menuRequested, this, &CQuillmarkView::ShowMenu);
    on(Command::Edit, &CQuillmarkView::EditSelection);
    on(Command::Open, &CQuillmarkView::OpenSelection);
    on(Command::ToggleDone, [this] { m_actions->TickOrUntick(m_curItem); });
    on(Command::HandOver, [this] {
        if (HasCurrentItem())
            emit handOverRequested(CurrentItem());
    });
    on(Command::Back, &CQuillmarkView::GoBack);
    on(Command::About, &CQuillmarkView::aboutRequested);
    on(Command::ViewLists, &CQuillmarkView::ViewLists);
    on(Command::EditLists, &CQuillmarkView::EditLists);
    on(Command::HandOverSetup, &CQuillmarkView::handOverSetupRequested);
    on(Command::ImportSetup, &CQuillmarkView::importSetupRequested);
    on(Command::Import, &CQuillmarkView::importRequested);
    on(Command::Export, &CQuillmarkView::ExportList);
    on(Command::UntickAll, [this] { m_actions->UntickAllIn(Chosen()); });
    on(Command::DuplicateList, &CQuillmarkView::DuplicateList);
    on(Command::MoveItem, &CQuillmarkView::MoveItem);
    on(Command::CopyAsText, [this] { m_actions->CopyTheText(Chosen()); });
    on(Command::Print, [this] { m_actions->PrintList(Chosen()); });
    on(Command::Delete, &CQuillmarkView::DeleteSelection);
    for (QWidget *rows : {static_cast<QWidget *>(m_tree), static_cast<QWidget *>(m_listItems), static_cast<QWidget *>(this)}) {
        rows->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(rows, &QWidget::customContextMenuRequested, this, [this, rows](const QPoint &pos) { ShowRowMenu(rows, pos); });
    }

    // What they work on changes with the choice, the screen and the lists.
    for (QAbstractItemView *chooser : {static_cast<QAbstractItemView *>(m_tree),
                                       static_cast<QAbstractItemView *>(m_listItems),
                                       static_cast<QAbstractItemView *>(m_find->Matches())})
        connect(chooser->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                &CQuillmarkView::EnableListCommands);
    connect(&m_doc, &CQuillmarkDoc::itemChanged, this, &CQuillmarkView::EnableListCommands);
    connect(&m_doc, &CQuillmarkDoc::listsReplaced, this, &CQuillmarkView::EnableListCommands);
}

QModelIndex CQuillmarkView::Chosen() const
{
    switch (m_mode) {
    case Mode::Tree:
        return m_tree->Selected();
    case Mode::Items:
        if (const QModelIndex item = m_listItems->FirstSelected(); item.isValid())
            return item;
        return m_curList;
    case Mode::Item:
        return m_curItem;
    case Mode::Find:
        break;
    }
    return m_find->Chosen(false);
}

void CQuillmarkView::EnableListCommands()
{
    m_actions->EnableListCommands(Chosen());
}

// The copy is chosen in the tree, where it comes last.
void CQuillmarkView::DuplicateList()
{
    const QModelIndex copy = m_actions->DuplicateTheList(Chosen());
    if (copy.isValid() && m_mode == Mode::Tree)
        m_tree->setCurrentIndex(m_tree->NodeOf(copy));
}

// The screen on show follows the item to its new list: the tree chooses it
// there, the table shows that list with the item chosen, the item screen
// goes on showing it.
void CQuillmarkView::MoveItem()
{
    const Mode mode = m_mode;
    const std::optional<Mode> back = m_prevMode;
    const QModelIndex moved = m_actions->MoveTheItem(Chosen());
    if (!moved.isValid())
        return;
    switch (mode) {
    case Mode::Tree: {
        const QModelIndex list = m_tree->NodeOf(moved.parent());
        m_tree->expand(list);
        const QModelIndex node = m_tree->NodeOf(moved);
        // A done item is not in the tree while done items are hidden.
        m_tree->setCurrentIndex(node.isValid() ? node : list);
        break;
    }
    case Mode::Items:
        SetCurrent(moved.parent());
        Show(Mode::Items, back);
        m_listItems->SelectItem(moved);
        break;
    case Mode::Item:
        SetCurrent(moved);
        Show(Mode::Item, back);
        break;
    case Mode::Find:
        break;
    }
}

void CQuillmarkView::ShowRowMenu(QWidget *on, const QPoint &pos)
{
    // On the row under the pointer: it becomes the chosen one, unless it is
    // among several chosen already.
    if (auto *rows = qobject_cast<QAbstractItemView *>(on)) {
        const QModelIndex row = rows->indexAt(pos);
        if (!row.isValid() || (rows == m_tree && !m_tree->ListsIndexOf(row).isValid()))
            return;
        if (!rows->selectionModel()->isRowSelected(row.row(), row.parent()))
            rows->setCurrentIndex(row);
        on = rows->viewport();
    } else if (m_mode != Mode::Item) {
        return; // the details only
    }
    QMenu menu(this);
    for (const Command command : CViewActions::kRowMenu) {
        if (command == Command::None) {
            if (!menu.isEmpty() && !menu.actions().constLast()->isSeparator())
                menu.addSeparator();
        } else if (Action(command)->isEnabled()) {
            menu.addAction(Action(command));
        }
    }
    if (!menu.isEmpty() && menu.actions().constLast()->isSeparator())
        menu.removeAction(menu.actions().constLast());
    RunPopupMenu(menu, on->mapToGlobal(pos));
}

void CQuillmarkView::ShowMenu(bool byKey)
{
    QMenu menu(this);
    for (const Command command : CViewActions::kMenu) {
        if (command == Command::None)
            menu.addSeparator();
        else
            menu.addAction(Action(command));
    }
    if (byKey)
        menu.setActiveAction(menu.actions().constFirst());
    RunPopupMenu(menu, mapToGlobal(ViewLook::ButtonRect(2, height()).topLeft()));
}

void CQuillmarkView::RunPopupMenu(QMenu &menu, const QPoint &globalPos)
{
    activateWindow();
    menu.exec(globalPos);
}

// The one way to close what was open in the tree: the current list stays open.
void CQuillmarkView::ViewLists()
{
    m_tree->Fill(m_curList);
    Show(Mode::Tree, std::nullopt);
}

void CQuillmarkView::OpenSelection()
{
    switch (m_mode) {
    case Mode::Tree: {
        // The root or no selection forgets the current list and item.
        const QModelIndex node = m_tree->Selected();
        SetCurrent(node);
        if (HasCurrentItem())
            Show(Mode::Item, Mode::Tree);
        else if (HasCurrentList())
            Show(Mode::Items, Mode::Tree);
        break;
    }
    case Mode::Items:
        OpenItem(m_listItems->FirstSelected(), Mode::Items);
        break;
    case Mode::Find:
        // Back from the details leads to the match's list.
        OpenItem(m_find->Chosen(true), Mode::Items);
        break;
    case Mode::Item:
        break;
    }
}

void CQuillmarkView::OpenItem(const QModelIndex &item, Mode from)
{
    if (CListsModel::ItemOf(item) < 0)
        return;
    SetCurrent(item);
    Show(Mode::Item, from);
}

// From an item to where it was opened from, from a table to the tree. The
// find screen puts back what was on show, with its own way back.
void CQuillmarkView::GoBack()
{
    if (m_mode == Mode::Find)
        Show(m_modeBeforeFind, m_backBeforeFind);
    else if (m_prevMode)
        // The table leads up to the tree again: no screen is left with no
        // way back but the menu.
        Show(*m_prevMode, m_prevMode == Mode::Items ? std::optional(Mode::Tree) : std::nullopt);
    update();
}

void CQuillmarkView::EditSelection()
{
    switch (m_mode) {
    case Mode::Tree: {
        // An item's node edits the item; a list's node, the root or nothing
        // selected opens List Setup on that list or on none.
        const QModelIndex node = m_tree->Selected();
        SetCurrent(node);
        if (HasCurrentItem())
            m_actions->EditItem(m_curItem);
        else
            EditLists();
        break;
    }
    case Mode::Items:
        if (const QModelIndex item = m_listItems->FirstSelected(); item.isValid()) {
            SetCurrent(item);
            m_actions->EditItem(item);
        } else {
            EditLists();
        }
        // The table is shown anew whatever the dialog's answer.
        if (m_mode == Mode::Items)
            m_listItems->ShowList(m_curList);
        break;
    case Mode::Item:
        m_actions->EditItem(m_curItem);
        break;
    case Mode::Find:
        // The chosen match; what is on show behind the find screen stays.
        m_actions->EditItem(m_find->Chosen(false));
        break;
    }
}

// The tree's chosen list or item, the table's chosen items, the item on
// show, the chosen match.
void CQuillmarkView::DeleteSelection()
{
    QModelIndexList chosen;
    switch (m_mode) {
    case Mode::Tree:
        chosen.append(m_tree->Selected());
        break;
    case Mode::Items:
        for (const QModelIndex &row : m_listItems->selectionModel()->selectedRows())
            chosen.append(m_listItems->ItemOf(row));
        break;
    case Mode::Item:
        chosen.append(m_curItem);
        break;
    case Mode::Find:
        chosen.append(m_find->Chosen(false));
        break;
    }
    m_actions->Remove(chosen);
}

void CQuillmarkView::EditLists()
{
    m_actions->EditTheLists(HasCurrentList() ? m_curList.row() : -1);
}

// The current list; in the tree, the selected list, which becomes the current
// one whatever follows.
void CQuillmarkView::ExportList()
{
    if (m_mode == Mode::Tree) {
        const QModelIndex node = m_tree->Selected();
        if (!node.isValid() || CListsModel::ItemOf(node) >= 0) {
            emit exportRequested(-1);
            return;
        }
        SetCurrent(node);
    }
    emit exportRequested(HasCurrentList() ? m_curList.row() : -1);
}
