#include "view/QuillmarkView.h"

#include "controls/TreeOptionsCtrl.h"
#include "dialogs/ListSetupDlg.h"
#include "dialogs/NewItemDlg.h"
#include "model/QuillmarkDoc.h"
#include "platform/Prompter.h"
#include "res/ResourceIds.h"
#include "view/PopupMenu.h"
#include "view/ViewLook.h"

#include <QMenu>
#include <QMouseEvent>
#include <QTreeWidget>

void CQuillmarkView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        const QPoint p = event->position().toPoint();
        HandleTap(p.x(), p.y());
    }
    event->accept();
}

void CQuillmarkView::HandleTap(int x, int y)
{
    if (!m_bReady)
        return;
    const QPoint p(x, y);
    for (int button = 0; button < ViewLook::kButtonCount; ++button) {
        if (ViewLook::ButtonRect(button, height()).contains(p)) {
            PressButton(button);
            return;
        }
    }
}

void CQuillmarkView::PressButton(int button, Trigger trigger)
{
    if (!m_bReady)
        return;
    // A button acts by its place, whether or not it is drawn just now.
    switch (button) {
    case 0:
        SaveAndExit();
        break;
    case 1:
        ShowMenu(trigger);
        break;
    case 2:
        EditSelection();
        break;
    case 3:
        if (m_mode == Mode::Item)
            ToggleDone();
        else
            OpenSelection();
        break;
    case 4:
        if (m_mode == Mode::Item)
            HandOver();
        else if (m_mode == Mode::Items)
            GoBack();
        break;
    case 5:
        if (m_mode == Mode::Item)
            GoBack();
        break;
    default:
        break;
    }
}

int CQuillmarkView::FaceAt(int button) const
{
    switch (button) {
    case 0:
        return Res::IDB_EXIT;
    case 1:
        return Res::IDB_MENU;
    case 2:
        return Res::IDB_EDIT;
    case 3:
        return m_mode == Mode::Item ? Res::IDB_DONE : Res::IDB_VIEW;
    case 4:
        if (m_mode == Mode::Item)
            return Res::IDB_OUTLOOK;
        return m_mode == Mode::Items && m_prevMode ? Res::IDB_BACK : 0;
    case 5:
        return m_mode == Mode::Item ? Res::IDB_BACK : 0;
    default:
        return 0;
    }
}

bool CQuillmarkView::SaveAndExit()
{
    // The file is written even when nothing changed. A failed save has told
    // the user why; the program stays open so nothing is lost.
    if (!m_doc.Save())
        return false;
    emit exitRequested();
    return true;
}

void CQuillmarkView::ShowMenu(Trigger trigger)
{
    QMenu menu(this);
    for (const PopupMenu::Entry &entry : PopupMenu::kEntries) {
        if (entry.command == 0) {
            menu.addSeparator();
        } else {
            QAction *action = menu.addAction(entry.text.toString());
            action->setData(entry.command);
            // Shown only: the view's own shortcuts run the commands (the
            // actions of a menu of its own are never triggered by key).
            if (entry.key.key() != Qt::Key_unknown) {
                action->setShortcut(QKeySequence(entry.key));
                action->setShortcutVisibleInContextMenu(true);
            }
        }
    }
    if (trigger == Trigger::Key && !menu.actions().isEmpty())
        menu.setActiveAction(menu.actions().constFirst());
    const QPoint at = mapToGlobal(QPoint(ViewLook::kButtonLefts[2], height() - ViewLook::kButtonBarRise));
    const int command = RunPopupMenu(menu, at);
    if (command != 0)
        OnCommand(command);
}

int CQuillmarkView::RunPopupMenu(QMenu &menu, const QPoint &globalPos)
{
    activateWindow();
    const QAction *chosen = menu.exec(globalPos);
    return chosen ? chosen->data().toInt() : 0;
}

bool CQuillmarkView::OnCommand(int id)
{
    switch (id) {
    case Res::ID_APP_ABOUT:
        emit aboutRequested();
        return true;
    case Res::ID_VIEW_LISTS:
        OnViewLists();
        return true;
    case Res::ID_EDIT_LISTS:
        OnEditLists();
        return true;
    case Res::ID_CONFIGURATION:
        emit handOverSetupRequested();
        return true;
    case Res::ID_SETUP_IMPORT:
        emit importSetupRequested();
        return true;
    case Res::ID_IMPORT_LIST:
        emit importRequested();
        return true;
    case Res::ID_EXPORT_LIST:
        OnExportList();
        return true;
    case Res::ID_APP_EXIT:
        SaveAndExit();
        return true;
    default:
        return false;
    }
}

void CQuillmarkView::OpenSelection()
{
    if (m_mode == Mode::Tree) {
        QTreeWidgetItem *node = m_tree->SelectedItem();
        if (IsItemNode(node)) {
            m_nCurItem = CTreeOptionsCtrl::GetItemData(node);
            m_nCurList = CTreeOptionsCtrl::GetItemData(node->parent());
            ShowItem(Mode::Tree);
        } else if (IsListNode(node)) {
            m_nCurList = CTreeOptionsCtrl::GetItemData(node);
            m_nCurItem = -1;
            ShowItems();
        } else {
            m_nCurList = -1;
            m_nCurItem = -1;
        }
    } else if (m_mode == Mode::Items) {
        const int row = FirstSelectedRow();
        if (row >= 0) {
            m_nCurItem = row;
            ShowItem(Mode::Items);
        }
    }
}

// One step back only: from the table the item was opened from, the tree is
// reached through "View Lists...".
void CQuillmarkView::GoBack()
{
    if (m_prevMode == Mode::Tree)
        ShowTree();
    else if (m_prevMode == Mode::Items)
        ShowItems();
    m_prevMode.reset();
    update();
}

void CQuillmarkView::ToggleDone()
{
    if (HasCurrentItem())
        m_doc.SetDone(m_nCurList, m_nCurItem, !m_doc.Lists().at(m_nCurList).m_items.at(m_nCurItem).m_bDone);
}

void CQuillmarkView::EditSelection()
{
    switch (m_mode) {
    case Mode::Tree: {
        QTreeWidgetItem *node = m_tree->SelectedItem();
        if (IsItemNode(node)) {
            m_nCurItem = CTreeOptionsCtrl::GetItemData(node);
            m_nCurList = CTreeOptionsCtrl::GetItemData(node->parent());
            EditCurrentItem();
        } else if (IsListNode(node)) {
            m_nCurList = CTreeOptionsCtrl::GetItemData(node);
            OnEditLists();
        } else {
            m_nCurItem = -1;
            m_nCurList = -1;
            OnEditLists();
        }
        break;
    }
    case Mode::Items: {
        const int row = FirstSelectedRow();
        if (row >= 0) {
            m_nCurItem = row;
            EditCurrentItem();
        } else {
            OnEditLists();
        }
        // The table is filled again whatever the dialog's answer.
        if (m_mode == Mode::Items) {
            FillItemTable();
            update();
        }
        break;
    }
    case Mode::Item:
        EditCurrentItem();
        break;
    }
}

void CQuillmarkView::EditCurrentItem()
{
    if (!HasCurrentItem())
        return;
    const CListItem item = m_doc.Lists().at(m_nCurList).m_items.at(m_nCurItem);
    CNewItemDlg dlg;
    dlg.SetPrompter(m_prompter);
    dlg.FillFrom(&item);
    if (Prompts().Run(dlg) != QDialog::Accepted)
        return;
    // A copy of the old item keeps its done mark (and, undated, its time).
    CListItem changed = item;
    dlg.ApplyTo(changed);
    m_doc.ReplaceItem(m_nCurList, m_nCurItem, changed);
}

// List Setup edits a copy of the lists; after OK the copy replaces them in
// one step of the history. What is shown follows (OnListsReplaced).
void CQuillmarkView::OnEditLists()
{
    CListSetupDlg dlg;
    dlg.SetPrompter(m_prompter);
    dlg.m_lists = m_doc.Lists();
    dlg.m_nCurList = m_nCurList;
    if (Prompts().Run(dlg) == QDialog::Accepted)
        m_doc.ReplaceLists(dlg.m_lists);
}

// "Export List...": the current list; in the tree, the selected list, which
// becomes the current one whatever follows.
void CQuillmarkView::OnExportList()
{
    if (m_mode == Mode::Tree) {
        QTreeWidgetItem *node = m_tree->SelectedItem();
        if (!IsListNode(node)) {
            emit exportRequested(-1);
            return;
        }
        m_nCurList = CTreeOptionsCtrl::GetItemData(node);
    }
    emit exportRequested(HasCurrentList() ? m_nCurList : -1);
}

void CQuillmarkView::HandOver()
{
    if (HasCurrentItem())
        emit handOverRequested(m_doc.Lists().at(m_nCurList).m_items.at(m_nCurItem));
}
