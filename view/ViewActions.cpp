#include "view/QuillmarkView.h"

#include "controls/FindPane.h"
#include "controls/ItemTable.h"
#include "controls/ListTree.h"
#include "dialogs/ListSetupDlg.h"
#include "dialogs/NewItemDlg.h"
#include "model/ListsModel.h"
#include "model/QuillmarkDoc.h"
#include "platform/Prompter.h"
#include "res/Strings.h"
#include "view/ViewLook.h"

#include <QMenu>
#include <QMouseEvent>
#include <QShortcut>

#include <algorithm>

using ViewActions::Action;

const ViewActions::Row &CQuillmarkView::Buttons() const
{
    switch (m_mode) {
    case Mode::Item:
        return ViewActions::kItemRow;
    case Mode::Items:
        return ViewActions::kItemsRow;
    case Mode::Find:
        return ViewActions::kFindRow;
    case Mode::Tree:
        break;
    }
    return ViewActions::kTreeRow;
}

bool CQuillmarkView::IsDrawn(const ViewActions::Button &button) const
{
    return button.face != 0 && (button.action != Action::Back || m_prevMode);
}

QList<DrawnButton> CQuillmarkView::ButtonPlaces() const
{
    QList<DrawnButton> places;
    const ViewActions::Row &row = Buttons();
    for (int slot = 0; slot < ViewLook::kButtonCount; ++slot) {
        QStringList keys;
        for (const QKeyCombination key : row[slot].keys) {
            if (key.key() != Qt::Key_unknown)
                keys.append(QKeySequence(key).toString(QKeySequence::NativeText));
        }
        const QString tip = Str::ButtonTip(row[slot].Tip(), keys.join(QStringLiteral(", ")));
        places.append({ViewLook::ButtonRect(slot, height()), IsDrawn(row[slot]) ? tip : QString()});
    }
    return places;
}

void CQuillmarkView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && m_tree) {
        const qsizetype slot = DrawnButtons::At(ButtonPlaces(), event->position().toPoint());
        if (slot >= 0)
            Run(Buttons()[slot].action, Trigger::Tap);
    }
    event->accept();
}

bool CQuillmarkView::event(QEvent *event)
{
    // A drawn button names itself and its keys when the pointer rests on it.
    if (event->type() == QEvent::ToolTip) {
        DrawnButtons::ShowTip(this, event, ButtonPlaces());
        return true;
    }
    return QWidget::event(event);
}

void CQuillmarkView::CreateShortcuts()
{
    // One shortcut per key, window-wide, so that it works whether the tree,
    // the item table or nothing has the focus (the dialogs are windows of
    // their own). What a key does is looked up when it is pressed. Holding
    // a key down does not repeat a command.
    QList<QKeyCombination> keys;
    for (const ViewActions::Row *row : ViewActions::kRows) {
        for (const ViewActions::Button &button : *row)
            keys.append(QList<QKeyCombination>(button.keys.begin(), button.keys.end()));
    }
    for (const ViewActions::MenuEntry &entry : ViewActions::kMenu)
        keys.append(entry.key);
    std::sort(keys.begin(), keys.end(), [](QKeyCombination a, QKeyCombination b) { return a.toCombined() < b.toCombined(); });
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    for (const QKeyCombination key : std::as_const(keys)) {
        if (key.key() == Qt::Key_unknown)
            continue;
        auto *shortcut = new QShortcut(QKeySequence(key), this, [this, key] { OnKey(key); }, Qt::WindowShortcut);
        shortcut->setAutoRepeat(false);
    }
}

// A key runs exactly what a tap on its button of the mode runs, or else its
// menu entry; a key whose button the mode has not does nothing.
void CQuillmarkView::OnKey(QKeyCombination key)
{
    for (const ViewActions::Button &button : Buttons()) {
        if (std::find(button.keys.begin(), button.keys.end(), key) != button.keys.end()) {
            Run(button.action, Trigger::Key);
            return;
        }
    }
    for (const ViewActions::MenuEntry &entry : ViewActions::kMenu) {
        if (entry.command != 0 && entry.key == key) {
            Run(entry.action, Trigger::Key);
            return;
        }
    }
}

void CQuillmarkView::Run(Action action, Trigger trigger)
{
    switch (action) {
    case Action::Exit:
        emit exitRequested();
        break;
    case Action::Menu:
        ShowMenu(trigger);
        break;
    case Action::Edit:
        EditSelection();
        break;
    case Action::Open:
        OpenSelection();
        break;
    case Action::ToggleDone:
        if (HasCurrentItem())
            m_doc.SetDone(m_curList.row(), m_curItem.row(), !CurrentItem().m_bDone);
        break;
    case Action::HandOver:
        if (HasCurrentItem())
            emit handOverRequested(CurrentItem());
        break;
    case Action::Back:
        GoBack();
        break;
    case Action::About:
        emit aboutRequested();
        break;
    case Action::ViewLists:
        // The one way to close what was open in the tree: the current list
        // stays open.
        m_tree->Fill(m_curList);
        Show(Mode::Tree, std::nullopt);
        break;
    case Action::EditLists:
        EditLists();
        break;
    case Action::HandOverSetup:
        emit handOverSetupRequested();
        break;
    case Action::ImportSetup:
        emit importSetupRequested();
        break;
    case Action::Import:
        emit importRequested();
        break;
    case Action::Export:
        ExportList();
        break;
    case Action::None:
        break;
    }
}

void CQuillmarkView::ShowMenu(Trigger trigger)
{
    QMenu menu(this);
    for (const ViewActions::MenuEntry &entry : ViewActions::kMenu) {
        if (entry.command == 0) {
            menu.addSeparator();
            continue;
        }
        QAction *action = menu.addAction(entry.Text());
        action->setData(entry.command);
        // Shown only: the view's own shortcuts run the commands (the actions
        // of a menu of its own are never triggered by key).
        if (entry.key.key() != Qt::Key_unknown) {
            action->setShortcut(QKeySequence(entry.key));
            action->setShortcutVisibleInContextMenu(true);
        }
    }
    if (trigger == Trigger::Key)
        menu.setActiveAction(menu.actions().constFirst());
    const int command = RunPopupMenu(menu, mapToGlobal(ViewLook::ButtonRect(2, height()).topLeft()));
    for (const ViewActions::MenuEntry &entry : ViewActions::kMenu) {
        if (command != 0 && entry.command == command)
            Run(entry.action, Trigger::Tap);
    }
}

int CQuillmarkView::RunPopupMenu(QMenu &menu, const QPoint &globalPos)
{
    activateWindow();
    const QAction *chosen = menu.exec(globalPos);
    return chosen ? chosen->data().toInt() : 0;
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

// One step back only: from the table the item was opened from, the tree is
// reached through "View Lists...". The find screen puts back what was on
// show, with its own way back.
void CQuillmarkView::GoBack()
{
    if (m_mode == Mode::Find)
        Show(m_modeBeforeFind, m_backBeforeFind);
    else if (m_prevMode)
        Show(*m_prevMode, std::nullopt);
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
            EditItem(m_curItem);
        else
            EditLists();
        break;
    }
    case Mode::Items:
        if (const QModelIndex item = m_listItems->FirstSelected(); item.isValid()) {
            SetCurrent(item);
            EditItem(item);
        } else {
            EditLists();
        }
        // The table is shown anew whatever the dialog's answer.
        if (m_mode == Mode::Items)
            m_listItems->ShowList(m_curList);
        break;
    case Mode::Item:
        EditItem(m_curItem);
        break;
    case Mode::Find:
        // The chosen match; what is on show behind the find screen stays.
        EditItem(m_find->Chosen(false));
        break;
    }
}

void CQuillmarkView::EditItem(const QModelIndex &index)
{
    const CListItem *old = m_lists->Item(index);
    if (!old)
        return;
    const QPersistentModelIndex at(index);
    CListItem item = *old;
    CNewItemDlg dlg;
    dlg.SetPrompter(m_prompter);
    dlg.FillFrom(&item);
    if (Prompts().Run(dlg) != QDialog::Accepted || !at.isValid())
        return;
    // The old item's done mark (and, undated, its time) stays.
    dlg.ApplyTo(item);
    m_doc.ReplaceItem(at.parent().row(), at.row(), item);
}

// List Setup edits a copy of the lists; after OK the copy replaces them in
// one step of the history, and what is shown follows.
void CQuillmarkView::EditLists()
{
    CListSetupDlg dlg;
    dlg.SetPrompter(m_prompter);
    dlg.m_lists = m_doc.Lists();
    dlg.m_nCurList = HasCurrentList() ? m_curList.row() : -1;
    if (Prompts().Run(dlg) == QDialog::Accepted)
        m_doc.ReplaceLists(dlg.m_lists);
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
