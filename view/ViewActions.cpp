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
#include "model/ListReuse.h"
#include "prompt/Prompter.h"
#include "res/ResourceIds.h"
#include "res/Strings.h"
#include "res/Tr.h"

#include <QAction>
#include <QClipboard>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <QPersistentModelIndex>
#include <QPrinter>
#include <QUndoStack>
#include <QWidget>

#include <algorithm>
#include <utility>

namespace {

struct CommandInfo
{
    const char *name; // of the action: "action" and this
    const char *text; // in the menu, or what the button's tool tip names
    int face;         // a drawn button's picture, 0 for none
    std::array<QKeyCombination, 3> keys;
};

// By CViewActions::Command. A key runs its command from anywhere in the
// window, but only while the screen shows its button: on the item screen the
// tick stands where the magnifier was, and Enter does nothing there.
constexpr CommandInfo kCommands[] = {
        // The cross does what "Exit" does: save and end the program.
        {"Exit", QT_TRANSLATE_NOOP("ViewActions", "Exit"), Res::IDB_EXIT, {Qt::CTRL | Qt::Key_Q}},
        // A key opens the menu with its first entry active, so that the
        // arrow keys and Enter go on from there.
        {"Menu", QT_TRANSLATE_NOOP("ViewActions", "Menu"), Res::IDB_MENU,
         {Qt::Key_Menu, Qt::SHIFT | Qt::Key_F10, Qt::ALT | Qt::Key_M}},
        {"Edit", QT_TRANSLATE_NOOP("ViewActions", "Edit"), Res::IDB_EDIT, {Qt::Key_F2, Qt::CTRL | Qt::Key_E}},
        {"Open", QT_TRANSLATE_NOOP("ViewActions", "Open"), Res::IDB_VIEW, {Qt::Key_Return, Qt::Key_Enter}},
        {"ToggleDone", QT_TRANSLATE_NOOP("ViewActions", "Done or not done"), Res::IDB_DONE, {Qt::CTRL | Qt::Key_D}},
        {"HandOver", QT_TRANSLATE_NOOP("ViewActions", "Hand over to calendar or tasks"), Res::IDB_HANDOVER,
         {Qt::CTRL | Qt::Key_T}},
        {"Back", QT_TRANSLATE_NOOP("ViewActions", "Back"), Res::IDB_BACK,
         {Qt::Key_Backspace, Qt::ALT | Qt::Key_Left, Qt::ALT | Qt::Key_Up}},
        {"About", QT_TRANSLATE_NOOP("ViewActions", "About ..."), 0, {}},
        {"ViewLists", QT_TRANSLATE_NOOP("ViewActions", "View Lists..."), 0, {Qt::CTRL | Qt::Key_L}},
        {"EditLists", QT_TRANSLATE_NOOP("ViewActions", "Edit Lists..."), 0, {Qt::CTRL | Qt::SHIFT | Qt::Key_L}},
        {"HandOverSetup", QT_TRANSLATE_NOOP("ViewActions", "Configuration"), 0, {}},
        {"ImportSetup", QT_TRANSLATE_NOOP("ViewActions", "Setup Import..."), 0, {}},
        {"Import", QT_TRANSLATE_NOOP("ViewActions", "Import List..."), 0, {Qt::CTRL | Qt::Key_I}},
        {"Export", QT_TRANSLATE_NOOP("ViewActions", "Export List..."), 0, {Qt::CTRL | Qt::SHIFT | Qt::Key_E}},
        {"Delete", QT_TRANSLATE_NOOP("ViewActions", "Delete"), 0, {Qt::Key_Delete}},
        // Their texts name the change they take back or make again.
        {"Undo", nullptr, 0, {Qt::CTRL | Qt::Key_Z}},
        {"Redo", nullptr, 0, {Qt::CTRL | Qt::SHIFT | Qt::Key_Z, Qt::CTRL | Qt::Key_Y}},
        {"UntickAll", QT_TRANSLATE_NOOP("ViewActions", "&Untick All"), 0, {}},
        {"DuplicateList", QT_TRANSLATE_NOOP("ViewActions", "&Duplicate List..."), 0, {}},
        {"MoveItem", QT_TRANSLATE_NOOP("ViewActions", "&Move Item To..."), 0, {}},
        // A line edit with the keyboard (the find field) copies its own text.
        {"CopyAsText", QT_TRANSLATE_NOOP("ViewActions", "&Copy as Text"), 0, {Qt::CTRL | Qt::Key_C}},
        {"Print", QT_TRANSLATE_NOOP("ViewActions", "&Print..."), 0, {Qt::CTRL | Qt::Key_P}},
};
static_assert(std::size(kCommands) == CViewActions::CommandCount);

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

CViewActions::CViewActions(CQuillmarkDoc &doc, CListsModel &lists, QWidget *owner)
    : QObject(owner)
    , m_doc(doc)
    , m_lists(lists)
    , m_owner(owner)
    , m_prompter(&Prompter::Standard())
{
    for (int c = 0; c < CommandCount; ++c) {
        const CommandInfo &info = kCommands[c];
        auto *action = new QAction(owner);
        action->setObjectName(QStringLiteral("action") + QLatin1String(info.name));
        QList<QKeySequence> shortcuts;
        QStringList keys;
        for (const QKeyCombination key : info.keys) {
            if (key.key() == Qt::Key_unknown)
                continue;
            shortcuts.append(QKeySequence(key));
            keys.append(shortcuts.constLast().toString(QKeySequence::NativeText));
        }
        action->setShortcuts(shortcuts);
        if (info.text) {
            const QString text = QCoreApplication::translate("ViewActions", info.text);
            action->setText(text);
            const QString plain = QString(text).remove(QLatin1Char('&'));
            // The name and its keys: "Edit (F2, Ctrl+E)".
            const QString shown = keys.join(QStringLiteral(", "));
            action->setToolTip(shown.isEmpty() ? plain : QStringLiteral("%1 (%2)").arg(plain, shown));
            // Holding a key down does not repeat a command.
            action->setAutoRepeat(false);
            // The pop-up menu shows the keys beside its entries.
            action->setShortcutVisibleInContextMenu(true);
        }
        m_actions[c] = action;
    }
    owner->addActions(QList<QAction *>(m_actions.begin(), m_actions.end()));
    // Nothing is chosen before the view is set up.
    EnableListCommands(QModelIndex());

    m_actions[Menu]->installEventFilter(this);
    connect(m_actions[Menu], &QAction::triggered, this, [this] { emit menuRequested(std::exchange(m_menuByKey, false)); });

    // Through the document, which first looks for a newer data file. The
    // texts are made here rather than by QUndoStack, so that the whole text,
    // not only its start, comes from the translation.
    QUndoStack *history = m_doc.UndoStack();
    QAction *undo = m_actions[Undo];
    undo->setText(UndoText(history->undoText()));
    undo->setEnabled(history->canUndo());
    connect(undo, &QAction::triggered, &m_doc, &CQuillmarkDoc::Undo);
    connect(history, &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
    connect(history, &QUndoStack::undoTextChanged, undo,
            [undo](const QString &change) { undo->setText(UndoText(change)); });
    QAction *redo = m_actions[Redo];
    redo->setText(RedoText(history->redoText()));
    redo->setEnabled(history->canRedo());
    connect(redo, &QAction::triggered, &m_doc, &CQuillmarkDoc::Redo);
    connect(history, &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);
    connect(history, &QUndoStack::redoTextChanged, redo,
            [redo](const QString &change) { redo->setText(RedoText(change)); });
}

CViewActions::~CViewActions() = default;

void CViewActions::SetPrompter(Prompter *prompter)
{
    m_prompter = prompter ? prompter : &Prompter::Standard();
}

int CViewActions::FaceOf(Command command)
{
    return command >= 0 && command < CommandCount ? kCommands[command].face : 0;
}

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
    CNewItemDlg dlg(DialogParent());
    dlg.SetPrompter(m_prompter);
    dlg.FillFrom(&item);
    if (m_prompter->Run(dlg) != QDialog::Accepted || !at.isValid())
        return;
    // The old item's done mark (and, undated, its time) stays.
    dlg.ApplyTo(item);
    m_doc.ReplaceItem(at.parent().row(), at.row(), item);
}

void CViewActions::EditTheLists(int list)
{
    CListSetupDlg dlg(DialogParent());
    dlg.SetPrompter(m_prompter);
    dlg.m_lists = m_doc.Lists();
    dlg.m_nCurList = list;
    if (m_prompter->Run(dlg) == QDialog::Accepted)
        m_doc.ReplaceLists(dlg.m_lists);
}

void CViewActions::TickOrUntick(const QModelIndex &index)
{
    if (const CListItem *item = m_lists.Item(index))
        m_doc.SetDone(index.parent().row(), index.row(), !item->m_bDone);
}

void CViewActions::EnableListCommands(const QModelIndex &chosen)
{
    const int list = CListsModel::ListOf(chosen);
    const bool hasList = list >= 0;
    m_actions[UntickAll]->setEnabled(hasList && ListReuse::HasDone(m_lists.Lists().at(list)));
    m_actions[DuplicateList]->setEnabled(hasList);
    m_actions[MoveItem]->setEnabled(m_lists.Item(chosen) && m_lists.Lists().size() > 1);
    m_actions[CopyAsText]->setEnabled(hasList);
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
    if (m_prompter->Run(dlg) != QDialog::Accepted || !at.isValid()
        || !m_doc.DuplicateList(at.row(), dlg.Name(), dlg.UntickEveryItem()))
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
    CMoveItemDlg dlg(m_lists.Lists(), index.parent().row(), moved.m_strName, DialogParent());
    if (m_prompter->Run(dlg) != QDialog::Accepted || !at.isValid())
        return {};
    const QPersistentModelIndex target(m_lists.ListIndex(dlg.ChosenList()));
    if (!target.isValid() || !m_doc.MoveItem(at.parent().row(), at.row(), target.row()))
        return {};
    // Of equal items the moved one comes last: the name order puts it after
    // the names it equals.
    const CListItemArray &list = m_lists.Lists().at(target.row());
    for (qsizetype i = list.m_items.size() - 1; i >= 0; --i) {
        if (ListMatch::Identical(list.m_items.at(i), moved))
            return m_lists.ItemIndex(target.row(), int(i));
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
    ListPrint::RunPreview(m_lists.Lists().at(list), *m_printer, DialogParent(), *m_prompter);
}

void CViewActions::Remove(const QModelIndexList &chosen)
{
    // Of one list: the list itself, or items of it. Kept through the
    // question, while a newer file may come in.
    const QModelIndex first = chosen.value(0);
    const bool items = CListsModel::ItemOf(first) >= 0;
    QList<QPersistentModelIndex> at;
    for (const QModelIndex &index : chosen) {
        if (CListsModel::ListOf(index) == CListsModel::ListOf(first) && (CListsModel::ItemOf(index) >= 0) == items)
            at.append(index);
    }
    if (CListsModel::ListOf(first) < 0)
        return;
    QString question;
    if (!items)
        question = Str::ConfirmRemoveList(m_lists.Lists().at(first.row()).m_strName);
    else if (at.size() == 1)
        question = Str::ConfirmRemoveItem(m_lists.Item(first)->m_strName);
    else
        question = Tr::tr("Are you sure you want to remove the %n chosen items?", nullptr, int(at.size()));
    if (!m_prompter->AskYesNo(DialogParent(), question))
        return;
    QList<int> rows;
    int list = -1;
    for (const QPersistentModelIndex &index : std::as_const(at)) {
        if (index.isValid()) {
            rows.append(index.row());
            list = CListsModel::ListOf(index);
        }
    }
    if (list < 0)
        return;
    if (items)
        m_doc.RemoveItems(list, rows);
    else
        m_doc.RemoveList(list);
}
