#include "view/ViewActions.h"

#include "dialogs/DuplicateListDlg.h"
#include "dialogs/ListSetupDlg.h"
#include "dialogs/MoveItemDlg.h"
#include "dialogs/NewItemDlg.h"
#include "document/ListsModel.h"
#include "document/QuillmarkDoc.h"
#include "exchange/share/ListText.h"
#include "exchange/share/PrintPreview.h"
#include "model/ListMatch.h"
#include "platform/AppSettings.h"
#include "model/ListReuse.h"
#include "prompt/Prompter.h"
#include "res/Strings.h"
#include "res/Tr.h"

#include <QAction>
#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <QPersistentModelIndex>
#include <QPrinter>
#include <QScreen>
#include <QUndoStack>
#include <QWidget>

#include <algorithm>
#include <utility>

namespace {

// The Edit menu's entries, alone and followed by the change they take back
// or make again.
QString UndoText(const QString &change)
{
    //: The Edit menu entry, alone and followed by the change it takes back (%1, e.g. "Tick 'Bread'").
    return change.isEmpty() ? Tr::tr("&Undo") : Tr::tr("&Undo %1").arg(change);
}
QString RedoText(const QString &change)
{
    return change.isEmpty() ? Tr::tr("&Redo") : Tr::tr("&Redo %1").arg(change);
}

} // namespace

CViewActions::CViewActions(CQuillmarkDoc &doc, CListsModel &lists, Prompter &prompter, QWidget *owner,
                           const Actions &actions)
    : QObject(owner)
    , m_doc(doc)
    , m_lists(lists)
    , m_owner(owner)
    , m_prompter(prompter)
    , m_actions(actions)
{
    // Nothing is chosen before the view is set up.
    EnableListCommands(QModelIndex());

    m_actions[Menu]->installEventFilter(this);

    // The texts are made here rather than by QUndoStack, so that the whole
    // text, not only its start, comes from the translation.
    QUndoStack *history = m_doc.UndoStack();
    QAction *undo = m_actions[Undo];
    undo->setText(UndoText(history->undoText()));
    undo->setEnabled(history->canUndo());
    connect(history, &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
    connect(history, &QUndoStack::undoTextChanged, undo,
            [undo](const QString &change) { undo->setText(UndoText(change)); });
    QAction *redo = m_actions[Redo];
    redo->setText(RedoText(history->redoText()));
    redo->setEnabled(history->canRedo());
    connect(history, &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);
    connect(history, &QUndoStack::redoTextChanged, redo,
            [redo](const QString &change) { redo->setText(RedoText(change)); });
}

CViewActions::~CViewActions() = default;

void CViewActions::EnableRow(const Row &row)
{
    // Back stays on: with nowhere to go it does nothing, and its keys never
    // reach the tree (where Alt+Left would close a node).
    for (int c = kFirstButton; c <= kLastButton; ++c)
        m_actions[c]->setEnabled(c == Back || std::find(row.begin(), row.end(), Command(c)) != row.end());
}

bool CViewActions::eventFilter(QObject *watched, QEvent *event)
{
    // A key reaches an action as a shortcut event just before it triggers.
    if (watched == m_actions[Menu] && event->type() == QEvent::Shortcut)
        m_menuByKey = true;
    return QObject::eventFilter(watched, event);
}

QWidget *CViewActions::DialogParent() const
{
    return m_owner->window();
}

void CViewActions::EditItem(const QModelIndex &index)
{
    const CListItem *old = m_lists.Item(index);
    if (!old)
        return;
    const QPersistentModelIndex at(index);
    CListItem item = *old;
    CNewItemDlg dlg(DialogParent(), &m_prompter);
    dlg.FillFrom(&item);
    if (dlg.Run() != QDialog::Accepted || !at.isValid())
        return;
    // The old item's done mark (and, undated, its time) stays.
    dlg.ApplyTo(item);
    m_doc.ReplaceItem(CListsModel::ListOf(at), CListsModel::ItemOf(at), item);
}

void CViewActions::EditTheLists(int list)
{
    CListSetupDlg dlg(DialogParent(), &m_prompter);
    dlg.m_lists = m_doc.Lists();
    dlg.m_nCurList = list;
    // As large as the user left it; else in proportion to the window, where
    // the smallest window keeps the dialog's smallest size.
    const QWidget *over = DialogParent();
    QSize size(AppSettings::kListSetupWidth.Read(), AppSettings::kListSetupHeight.Read());
    if (size.isEmpty())
        size = QSize(over->width() * 3 / 5, over->height() * 4 / 5);
    if (const QScreen *screen = over->screen())
        size = size.boundedTo(screen->availableSize());
    size = size.expandedTo(dlg.minimumSize());
    dlg.resize(size);
    const int result = dlg.Run();
    if (dlg.size() != size) {
        AppSettings::kListSetupWidth.Write(dlg.width());
        AppSettings::kListSetupHeight.Write(dlg.height());
    }
    if (result == QDialog::Accepted)
        m_doc.ReplaceLists(dlg.m_lists);
}

void CViewActions::TickOrUntick(const QModelIndex &index)
{
    if (const CListItem *item = m_lists.Item(index))
        m_doc.SetDone(CListsModel::ListOf(index), CListsModel::ItemOf(index), !item->m_bDone);
}

void CViewActions::EnableListCommands(const QModelIndex &chosen)
{
    const int list = CListsModel::ListOf(chosen);
    const bool hasList = list >= 0;
    m_actions[UntickAll]->setEnabled(hasList && ListReuse::HasDone(m_lists.Lists().at(list)));
    m_actions[DuplicateList]->setEnabled(hasList);
    m_actions[MoveItem]->setEnabled(m_lists.Item(chosen) && m_lists.Lists().size() > 1);
    m_actions[CopyAsText]->setEnabled(hasList);
    m_actions[AddItem]->setEnabled(hasList);
    m_actions[PasteItems]->setEnabled(hasList);
    m_actions[Print]->setEnabled(hasList);
}

void CViewActions::UntickAllIn(const QModelIndex &chosen)
{
    m_doc.UntickAll(CListsModel::ListOf(chosen));
}

QModelIndex CViewActions::DuplicateTheList(const QModelIndex &chosen)
{
    const int list = CListsModel::ListOf(chosen);
    if (list < 0)
        return {};
    const QPersistentModelIndex at(m_lists.ListIndex(list));
    CDuplicateListDlg dlg(m_lists.Lists().at(list).m_strName, DialogParent());
    if (m_prompter.Run(dlg) != QDialog::Accepted || !at.isValid()
        || !m_doc.DuplicateList(CListsModel::ListOf(at), dlg.Name(), dlg.UntickEveryItem()))
        return {};
    return m_lists.ListIndex(int(m_lists.Lists().size()) - 1);
}

QModelIndex CViewActions::MoveTheItem(const QModelIndex &index)
{
    const CListItem *item = m_lists.Item(index);
    if (!item)
        return {};
    const CListItem moved = *item;
    const QPersistentModelIndex at(index);
    CMoveItemDlg dlg(m_lists.Lists(), CListsModel::ListOf(index), moved.m_strName, DialogParent());
    if (m_prompter.Run(dlg) != QDialog::Accepted || !at.isValid())
        return {};
    const QPersistentModelIndex target(m_lists.ListIndex(dlg.ChosenList()));
    if (!target.isValid() || !m_doc.MoveItem(CListsModel::ListOf(at), CListsModel::ItemOf(at), CListsModel::ListOf(target)))
        return {};
    // Of equal items the moved one comes last: the name order puts it after
    // the names it equals.
    const int to = CListsModel::ListOf(target);
    const CListItemArray &list = m_lists.Lists().at(to);
    for (qsizetype i = list.m_items.size() - 1; i >= 0; --i) {
        if (ListMatch::Identical(list.m_items.at(i), moved))
            return m_lists.ItemIndex(to, int(i));
    }
    return {};
}

void CViewActions::CopyTheText(const QModelIndex &chosen)
{
    QMimeData *text = nullptr;
    if (const CListItem *item = m_lists.Item(chosen))
        text = ListText::ToMimeData(*item);
    else if (const int list = CListsModel::ListOf(chosen); list >= 0)
        text = ListText::ToMimeData(m_lists.Lists().at(list));
    if (text)
        QGuiApplication::clipboard()->setMimeData(text);
}

void CViewActions::PrintList(const QModelIndex &chosen)
{
    const int list = CListsModel::ListOf(chosen);
    if (list < 0)
        return;
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    ListPrint::RunPreview(m_lists.Lists().at(list), *m_printer, DialogParent(), m_prompter);
}

void CViewActions::Remove(const QModelIndexList &chosen)
{
    // Of one list: the list itself, or items of it.
    const QModelIndex first = chosen.value(0);
    const int list = CListsModel::ListOf(first);
    if (list < 0)
        return;
    const bool items = CListsModel::ItemOf(first) >= 0;
    QList<int> rows;
    for (const QModelIndex &index : chosen) {
        if (CListsModel::ListOf(index) == list && (CListsModel::ItemOf(index) >= 0) == items)
            rows.append(CListsModel::ItemOf(index));
    }
    // A newer file may come in during the question: the list is found again
    // where it went, its items in the list as it is then. The items are
    // found again by matching the two versions once, not by one persistent
    // index each, which on half a list of a million items the model kept up
    // to date at every change of rows.
    const QPersistentModelIndex listAt = m_lists.ListIndex(list);
    const CListItemArray asked = m_lists.Lists().at(list);
    QString question;
    if (!items)
        question = Str::ConfirmRemoveList(asked.m_strName);
    else if (rows.size() == 1)
        question = Str::ConfirmRemoveItem(m_lists.Item(first)->m_strName);
    else
        question = Tr::tr("Are you sure you want to remove the %n chosen items?", nullptr, int(rows.size()));
    if (!m_prompter.AskYesNo(DialogParent(), question) || !listAt.isValid())
        return;
    if (!items) {
        m_doc.RemoveList(listAt.row());
        return;
    }
    const CListItemArray &now = m_lists.Lists().at(listAt.row());
    if (!now.m_items.isSharedWith(asked.m_items)) {
        const QList<qsizetype> match = ListMatch::MatchItems(asked, now);
        QList<int> found;
        for (const int row : std::as_const(rows)) {
            if (match.at(row) >= 0)
                found.append(int(match.at(row)));
        }
        rows = found;
    }
    if (!rows.isEmpty())
        m_doc.RemoveItems(listAt.row(), rows);
}
