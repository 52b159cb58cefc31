#include "view/QuillmarkView.h"

#include "controls/FindPane.h"
#include "controls/ItemTable.h"
#include "controls/ListTree.h"
#include "document/ListsModel.h"
#include "document/QuillmarkDoc.h"
#include "platform/AppSettings.h"
#include "res/ResourceIds.h"
#include "res/Tr.h"
#include "view/ViewLook.h"

#include <QAbstractItemView>
#include <QAction>
#include <QActionGroup>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMenu>

using Command = CViewActions::Command;

// By CViewActions::Command. A key runs its command from anywhere in the
// window, but only while the screen shows its button: on the item screen the
// tick stands where the magnifier was, and Enter does nothing there.
const CQuillmarkView::CommandRow CQuillmarkView::kCommands[] = {
        // The cross does what "Exit" does: save and end the program.
        {"Exit", QT_TRANSLATE_NOOP("Quillmark", "E&xit"), Res::IDB_EXIT, {Qt::CTRL | Qt::Key_Q}, CommandRow::Plain,
         &CQuillmarkView::exitRequested},
        // A key opens the menu with its first entry active, so that the
        // arrow keys and Enter go on from there. The keyboard's Menu key is
        // the desktop's: it opens the menu of the chosen row.
        {"Menu", QT_TRANSLATE_NOOP("Quillmark", "Menu"), Res::IDB_MENU,
         {Qt::SHIFT | Qt::Key_F10, Qt::ALT | Qt::Key_M}, CommandRow::Plain,
         &CQuillmarkView::ShowMenuAsAsked},
        {"Edit", QT_TRANSLATE_NOOP("Quillmark", "&Edit"), Res::IDB_EDIT, {Qt::Key_F2, Qt::CTRL | Qt::Key_E},
         CommandRow::Plain, &CQuillmarkView::EditSelection},
        {"Open", QT_TRANSLATE_NOOP("Quillmark", "&Open"), Res::IDB_VIEW, {Qt::Key_Return, Qt::Key_Enter},
         CommandRow::Plain, &CQuillmarkView::OpenSelection},
        {"ToggleDone", QT_TRANSLATE_NOOP("Quillmark", "Do&ne or not done"), Res::IDB_DONE, {Qt::CTRL | Qt::Key_D},
         CommandRow::Plain, &CQuillmarkView::TickOrUntick},
        {"HandOver", QT_TRANSLATE_NOOP("Quillmark", "&Hand over to calendar or tasks"), Res::IDB_HANDOVER,
         {Qt::CTRL | Qt::Key_T}, CommandRow::Plain, &CQuillmarkView::HandOver},
        {"Back", QT_TRANSLATE_NOOP("Quillmark", "Back"), Res::IDB_BACK,
         {Qt::Key_Backspace, Qt::ALT | Qt::Key_Left, Qt::ALT | Qt::Key_Up}, CommandRow::Plain,
         &CQuillmarkView::GoBack},
        // The Help menu's too: it runs before the lists are read.
        {"About", QT_TRANSLATE_NOOP("Quillmark", "&About Quillmark"), 0, {}, CommandRow::AnyTime,
         &CQuillmarkView::aboutRequested},
        {"ViewLists", QT_TRANSLATE_NOOP("Quillmark", "&View Lists..."), 0, {Qt::CTRL | Qt::Key_L}, CommandRow::Plain,
         &CQuillmarkView::ViewLists},
        {"EditLists", QT_TRANSLATE_NOOP("Quillmark", "Edi&t Lists..."), 0, {Qt::CTRL | Qt::SHIFT | Qt::Key_L},
         CommandRow::Plain, &CQuillmarkView::EditLists},
        {"HandOverSetup", QT_TRANSLATE_NOOP("Quillmark", "&Configuration"), 0, {}, CommandRow::Plain,
         &CQuillmarkView::handOverSetupRequested},
        {"ImportSetup", QT_TRANSLATE_NOOP("Quillmark", "&Setup Import..."), 0, {}, CommandRow::Plain,
         &CQuillmarkView::importSetupRequested},
        {"Import", QT_TRANSLATE_NOOP("Quillmark", "&Import List..."), 0, {Qt::CTRL | Qt::Key_I}, CommandRow::Plain,
         &CQuillmarkView::importRequested},
        {"Export", QT_TRANSLATE_NOOP("Quillmark", "&Export List..."), 0, {Qt::CTRL | Qt::SHIFT | Qt::Key_E},
         CommandRow::Plain, &CQuillmarkView::ExportList},
        {"ExportCalendar", QT_TRANSLATE_NOOP("Quillmark", "Export List as i&Calendar..."), 0, {}, CommandRow::Plain,
         &CQuillmarkView::ExportListAsCalendar},
        {"Delete", QT_TRANSLATE_NOOP("Quillmark", "De&lete"), 0, {Qt::Key_Delete}, CommandRow::Plain,
         &CQuillmarkView::DeleteSelection},
        // Their texts name the change they take back or make again
        // (CViewActions); through the document, which first looks for a
        // newer data file.
        {"Undo", nullptr, 0, {Qt::CTRL | Qt::Key_Z}, CommandRow::AnyTime, &CQuillmarkView::Undo},
        {"Redo", nullptr, 0, {Qt::CTRL | Qt::SHIFT | Qt::Key_Z, Qt::CTRL | Qt::Key_Y}, CommandRow::AnyTime,
         &CQuillmarkView::Redo},
        {"UntickAll", QT_TRANSLATE_NOOP("Quillmark", "&Untick All"), 0, {}, CommandRow::Plain,
         &CQuillmarkView::UntickAll},
        {"DuplicateList", QT_TRANSLATE_NOOP("Quillmark", "&Duplicate List..."), 0, {}, CommandRow::Plain,
         &CQuillmarkView::DuplicateList},
        {"MoveItem", QT_TRANSLATE_NOOP("Quillmark", "&Move Item To..."), 0, {}, CommandRow::Plain,
         &CQuillmarkView::MoveItem},
        // A line edit with the keyboard (the find field) copies its own text.
        {"CopyAsText", QT_TRANSLATE_NOOP("Quillmark", "&Copy as Text"), 0, {Qt::CTRL | Qt::Key_C}, CommandRow::Plain,
         &CQuillmarkView::CopyAsText},
        {"Print", QT_TRANSLATE_NOOP("Quillmark", "&Print..."), 0, {Qt::CTRL | Qt::Key_P}, CommandRow::Plain,
         &CQuillmarkView::PrintList},
        // Find an item by a piece of its text; hide done items (remembered
        // for the next start).
        {"Find", QT_TRANSLATE_NOOP("Quillmark", "&Find..."), 0, {Qt::CTRL | Qt::Key_F}, CommandRow::AnyTime,
         &CQuillmarkView::StartFind},
        {"HideDone", QT_TRANSLATE_NOOP("Quillmark", "&Hide Done Items"), 0, {Qt::CTRL | Qt::Key_H},
         CommandRow::Checkable, &CQuillmarkView::OnHideDone},
        {"Contents", QT_TRANSLATE_NOOP("Quillmark", "&Contents"), 0, {}, CommandRow::AnyTime,
         &CQuillmarkView::contentsRequested},
        // The one-line field under the table; a line edit with the keyboard
        // pastes into itself.
        {"AddItem", QT_TRANSLATE_NOOP("Quillmark", "&Add Item"), 0, {Qt::Key_Insert, Qt::CTRL | Qt::Key_N},
         CommandRow::Plain, &CQuillmarkView::StartAdding},
        {"PasteItems", QT_TRANSLATE_NOOP("Quillmark", "Pa&ste Items"), 0, {Qt::CTRL | Qt::Key_V}, CommandRow::Plain,
         &CQuillmarkView::PasteItems},
        {"SyncNow", QT_TRANSLATE_NOOP("Quillmark", "&Sync Now"), 0, {Qt::Key_F5}, CommandRow::AnyTime,
         &CQuillmarkView::syncNowRequested},
        {"SyncAccount", QT_TRANSLATE_NOOP("Quillmark", "&Account..."), 0, {}, CommandRow::AnyTime,
         &CQuillmarkView::syncAccountRequested},
        {"SortName", QT_TRANSLATE_NOOP("Quillmark", "&Name"), 0, {}, CommandRow::Sort, &CQuillmarkView::SortFromMenu},
        {"SortPrice", QT_TRANSLATE_NOOP("Quillmark", "&Price"), 0, {}, CommandRow::Sort, &CQuillmarkView::SortFromMenu},
        {"SortDate", QT_TRANSLATE_NOOP("Quillmark", "&Date"), 0, {}, CommandRow::Sort, &CQuillmarkView::SortFromMenu},
        {"SortDone", QT_TRANSLATE_NOOP("Quillmark", "D&one"), 0, {}, CommandRow::Sort, &CQuillmarkView::SortFromMenu},
        {"SortOwn", QT_TRANSLATE_NOOP("Quillmark", "&Unsorted"), 0, {}, CommandRow::Sort,
         &CQuillmarkView::SortFromMenu},
        {"SortAscending", QT_TRANSLATE_NOOP("Quillmark", "&Ascending"), 0, {}, CommandRow::Sort,
         &CQuillmarkView::SortFromMenu},
        {"SortDescending", QT_TRANSLATE_NOOP("Quillmark", "D&escending"), 0, {}, CommandRow::Sort,
         &CQuillmarkView::SortFromMenu},
};

int CQuillmarkView::FaceOf(Command command)
{
    return command >= 0 && command < CViewActions::CommandCount ? kCommands[command].face : 0;
}

CViewActions::Actions CQuillmarkView::MakeActions()
{
    static_assert(std::size(kCommands) == CViewActions::CommandCount);
    CViewActions::Actions actions{};
    for (int c = 0; c < CViewActions::CommandCount; ++c) {
        const CommandRow &row = kCommands[c];
        auto *action = new QAction(this);
        action->setObjectName(QStringLiteral("action") + QLatin1String(row.name));
        QList<QKeySequence> shortcuts;
        for (const QKeyCombination key : row.keys) {
            if (key.key() != Qt::Key_unknown)
                shortcuts.append(QKeySequence(key));
        }
        action->setShortcuts(shortcuts);
        if (row.text) {
            const QString text = Tr::tr(row.text);
            action->setText(text);
            SetTip(action, QString(text).remove(QLatin1Char('&')));
            // Holding a key down does not repeat a command.
            action->setAutoRepeat(false);
            // The pop-up menu shows the keys beside its entries.
            action->setShortcutVisibleInContextMenu(true);
        }
        if (row.kind == CommandRow::Checkable) {
            action->setCheckable(true);
            action->setChecked(AppSettings::kHideDone.IsOn());
            connect(action, &QAction::toggled, this, row.handler);
        } else if (row.kind == CommandRow::Sort) {
            action->setCheckable(true);
            connect(action, &QAction::triggered, this, row.handler);
        } else {
            connect(action, &QAction::triggered, this, [this, &row] {
                if (m_tree || row.kind == CommandRow::AnyTime)
                    (this->*row.handler)();
            });
        }
        actions[c] = action;
    }
    auto *columns = new QActionGroup(this);
    for (Command c : CViewActions::kSortColumns)
        columns->addAction(actions[c]);
    auto *directions = new QActionGroup(this);
    for (Command c : CViewActions::kSortDirections)
        directions->addAction(actions[c]);
    addActions(QList<QAction *>(actions.begin(), actions.end()));
    return actions;
}

namespace {

constexpr std::pair<CViewActions::Command, int> kSortColumns[] = {
        {CViewActions::SortName, CListsModel::Name},
        {CViewActions::SortPrice, CListsModel::Price},
        {CViewActions::SortDate, CListsModel::Date},
        {CViewActions::SortDone, CListsModel::Done},
};

} // namespace

void CQuillmarkView::SortFromMenu()
{
    if (!m_listItems)
        return;
    int column = -1;
    for (const auto &[command, c] : kSortColumns) {
        if (Action(command)->isChecked())
            column = c;
    }
    const Qt::SortOrder order = Action(Command::SortDescending)->isChecked() ? Qt::DescendingOrder : Qt::AscendingOrder;
    m_listItems->header()->setSortIndicator(column, order);
}

void CQuillmarkView::ShowSortInMenu()
{
    const QHeaderView *header = m_listItems->header();
    const int column = header->sortIndicatorSection();
    Action(Command::SortOwn)->setChecked(true);
    for (const auto &[command, c] : kSortColumns) {
        if (c == column)
            Action(command)->setChecked(true);
    }
    Action(header->sortIndicatorOrder() == Qt::DescendingOrder ? Command::SortDescending : Command::SortAscending)
            ->setChecked(true);
}

// What the action does, and its keys: "Edit (F2, Ctrl+E)".
void CQuillmarkView::SetTip(QAction *action, const QString &what)
{
    QStringList keys;
    for (const QKeySequence &key : action->shortcuts())
        keys.append(key.toString(QKeySequence::NativeText));
    action->setToolTip(keys.isEmpty() ? what : QStringLiteral("%1 (%2)").arg(what, keys.join(QStringLiteral(", "))));
}

// The pencil and the magnifier work on what the screen on show offers, and
// say so: a new user learns from them how to make a list and open it.
void CQuillmarkView::TellWhatButtonsDo()
{
    QString edit, open;
    switch (m_mode) {
    case Mode::Tree:
        edit = Tr::tr("Make and change lists in List Setup, or change the chosen item");
        open = Tr::tr("Open the chosen list or item");
        break;
    case Mode::Items:
        edit = Tr::tr("Change the chosen item, or the list in List Setup when none is chosen");
        open = Tr::tr("Open the chosen item");
        break;
    case Mode::Item:
        edit = Tr::tr("Change this item");
        break;
    case Mode::Find:
        edit = Tr::tr("Change the chosen match");
        open = Tr::tr("Open the chosen match");
        break;
    }
    SetTip(Action(Command::Edit), edit);
    // The item screen has the tick where the magnifier was.
    if (!open.isEmpty())
        SetTip(Action(Command::Open), open);
}

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

void CQuillmarkView::TickOrUntick()
{
    m_actions->TickOrUntick(m_curItem);
}

void CQuillmarkView::HandOver()
{
    if (HasCurrentItem())
        emit handOverRequested(CurrentItem());
}

void CQuillmarkView::Undo()
{
    m_doc.Undo();
}

void CQuillmarkView::Redo()
{
    m_doc.Redo();
}

void CQuillmarkView::UntickAll()
{
    m_actions->UntickAllIn(Chosen());
}

void CQuillmarkView::CopyAsText()
{
    m_actions->CopyTheText(Chosen());
}

void CQuillmarkView::PrintList()
{
    m_actions->PrintList(Chosen());
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

void CQuillmarkView::ShowMenuAsAsked()
{
    ShowMenu(m_actions->TakeMenuByKey());
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
        OpenItem(m_listItems->Focused(), Mode::Items);
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
        if (const QModelIndex item = m_listItems->Focused(); item.isValid()) {
            SetCurrent(item);
            m_actions->EditItem(item);
        } else {
            EditLists();
        }
        // The table is shown anew whatever the dialog's answer, with the
        // item it was about still chosen.
        if (m_mode == Mode::Items) {
            m_listItems->ShowList(m_curList);
            if (HasCurrentItem())
                m_listItems->SelectItem(m_curItem);
        }
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
        chosen = m_listItems->SelectedItems();
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
    m_actions->EditTheLists(CListsModel::ListOf(m_curList));
}

// The current list; in the tree, the selected list, which becomes the current
// one whatever follows. -1 when the tree has no list selected.
int CQuillmarkView::ListToExport()
{
    if (m_mode == Mode::Tree) {
        const QModelIndex node = m_tree->Selected();
        if (!node.isValid() || CListsModel::ItemOf(node) >= 0)
            return -1;
        SetCurrent(node);
    }
    return CListsModel::ListOf(m_curList);
}

void CQuillmarkView::ExportList()
{
    emit exportRequested(ListToExport());
}

void CQuillmarkView::ExportListAsCalendar()
{
    emit exportCalendarRequested(ListToExport());
}
