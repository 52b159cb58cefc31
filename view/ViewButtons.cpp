#include "view/QuillmarkView.h"

#include "controls/TreeOptionsCtrl.h"
#include "dialogs/ListSetupDlg.h"
#include "dialogs/NewItemDlg.h"
#include "platform/Prompter.h"
#include "res/ResourceIds.h"
#include "view/PopupMenu.h"
#include "view/ViewLook.h"

#include <QMenu>
#include <QMouseEvent>
#include <QTreeWidget>

namespace {

// The tree's selected node (the one the user sees highlighted), or nullptr.
QTreeWidgetItem *SelectedNode(const QTreeWidget *tree)
{
    const QList<QTreeWidgetItem *> selected = tree->selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

} // namespace

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
        if (m_nMode == modeItem)
            ToggleDone();
        else
            OpenSelection();
        break;
    case 4:
        if (m_nMode == modeItem)
            AddItemToOutlook();
        else if (m_nMode == modeItems)
            GoBack();
        break;
    case 5:
        if (m_nMode == modeItem)
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
        return m_nMode == modeItem ? Res::IDB_DONE : Res::IDB_VIEW;
    case 4:
        if (m_nMode == modeItem)
            return Res::IDB_OUTLOOK;
        return m_nMode == modeItems && m_nPrevMode != -1 ? Res::IDB_BACK : 0;
    case 5:
        return m_nMode == modeItem ? Res::IDB_BACK : 0;
    default:
        return 0;
    }
}

bool CQuillmarkView::SaveAndExit()
{
    // The file is written even when nothing changed. A failed save has told
    // the user why (in the frame, offering other ways out); the program
    // stays open unless the lists are safe.
    if (!(m_exitSave ? m_exitSave() : SaveDataFile()))
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
        OnAbout();
        return true;
    case Res::ID_VIEW_LISTS:
        OnViewLists();
        return true;
    case Res::ID_EDIT_LISTS:
        OnEditLists();
        return true;
    case Res::ID_CONFIGURATION:
        OnConfiguration();
        return true;
    case Res::ID_SETUP_IMPORT:
        OnSetupImport();
        return true;
    case Res::ID_IMPORT_LIST:
        OnImportList();
        return true;
    case Res::ID_EXPORT_LIST:
        OnExportList();
        return true;
    case Res::ID_APP_EXIT:
        OnExit();
        return true;
    default:
        return false;
    }
}

int CQuillmarkView::FirstSelectedRow() const
{
    int lowest = -1;
    for (QTreeWidgetItem *row : m_listItems->selectedItems()) {
        const int index = m_listItems->indexOfTopLevelItem(row);
        if (index >= 0 && (lowest < 0 || index < lowest))
            lowest = index;
    }
    return lowest;
}

void CQuillmarkView::OpenSelection()
{
    if (m_nMode == modeTree) {
        QTreeWidgetItem *node = SelectedNode(m_tree);
        if (IsItemNode(node)) {
            HarvestCheckMarks();
            m_nCurItem = CTreeOptionsCtrl::GetItemData(node);
            m_nCurList = CTreeOptionsCtrl::GetItemData(node->parent());
            ShowItem(modeTree);
        } else if (IsListNode(node)) {
            HarvestCheckMarks();
            m_nCurList = CTreeOptionsCtrl::GetItemData(node);
            m_nCurItem = -1;
            ShowItems();
        } else {
            m_nCurList = -1;
            m_nCurItem = -1;
        }
    } else if (m_nMode == modeItems) {
        const int row = FirstSelectedRow();
        if (row >= 0) {
            m_nCurItem = row;
            ShowItem(modeItems);
        }
    }
}

void CQuillmarkView::GoBack()
{
    if (m_nPrevMode == modeTree)
        ShowTree();
    else if (m_nPrevMode == modeItems)
        ShowItems();
    m_nPrevMode = -1;
    Repaint();
}

void CQuillmarkView::ToggleDone()
{
    if (!HasCurrentItem())
        return;
    CListItemArray list = m_lists.at(m_nCurList);
    CListItem item = list.GetItem(m_nCurItem);
    item.m_bDone = !item.m_bDone;
    list.SetItem(m_nCurItem, item);
    m_lists[m_nCurList] = list;
    // The tree's mark follows, or the next harvest would undo the toggle.
    if (QTreeWidgetItem *node = FindNode(m_nCurList, m_nCurItem))
        m_tree->SetCheck(node, item.m_bDone);
    Repaint();
}

void CQuillmarkView::EditSelection()
{
    switch (m_nMode) {
    case modeTree: {
        QTreeWidgetItem *node = SelectedNode(m_tree);
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
    case modeItems: {
        const int row = FirstSelectedRow();
        if (row >= 0) {
            m_nCurItem = row;
            EditCurrentItem();
        } else {
            OnEditLists();
        }
        // The table is filled again whatever the dialog's answer.
        if (m_nMode == modeItems) {
            FillItemTable();
            Repaint();
        }
        break;
    }
    case modeItem:
        EditCurrentItem();
        Repaint();
        break;
    default:
        break;
    }
}

void CQuillmarkView::EditCurrentItem()
{
    HarvestCheckMarks();
    if (!HasCurrentItem())
        return;
    const CListItem item = m_lists.at(m_nCurList).GetItem(m_nCurItem);

    CNewItemDlg dlg;
    dlg.SetPrompter(m_prompter);
    dlg.FillFrom(&item);
    if (Prompts().Run(dlg) != QDialog::Accepted)
        return;

    // A copy of the old item keeps its done mark (and, undated, its time).
    CListItem changed = item;
    dlg.ApplyTo(changed);

    CListItemArray list = m_lists.at(m_nCurList);
    list.SetItem(m_nCurItem, changed);
    m_lists[m_nCurList] = list;

    SaveDataFile();
    FillItemTable();
    FillTree();
}

void CQuillmarkView::OnEditLists()
{
    CListSetupDlg dlg;
    dlg.SetPrompter(m_prompter);
    HarvestCheckMarks();
    dlg.m_lists = m_lists;
    dlg.m_nCurList = m_nCurList;
    if (Prompts().Run(dlg) != QDialog::Accepted)
        return;
    m_lists = dlg.m_lists;
    FillTree();
    SaveDataFile();
    // Lists and items may be gone; what is shown must still exist.
    ForgetVanishedCurrent();
    if (m_nMode == modeItems)
        FillItemTable();
    Repaint();
}

void CQuillmarkView::OnViewLists()
{
    ShowTree();
}

void CQuillmarkView::OnExit()
{
    SaveAndExit();
}

void CQuillmarkView::OnAbout()
{
    emit aboutRequested();
}
