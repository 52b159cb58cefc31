#pragma once

#include "exchange/csv/PastedText.h"
#include "model/ListItem.h"
#include "view/ViewActions.h"

#include <QPersistentModelIndex>
#include <QWidget>

#include <array>
#include <optional>

class CDrawnButton;
class CFindPane;
class CItemNames;
class CItemTable;
class CListTree;
class CListsModel;
class CQuickAddField;
class CQuillmarkDoc;
class Prompter;
class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QMimeData;
class QPainter;

// The main view: shows the document's lists in one of four modes (the tree
// of all lists, one list's item table, one item's details, the items found
// by a piece of their text), paints its banner and detail pane, and lays out
// the button row under them; it turns the commands (CViewActions) into what
// the user asked for on the screen on show. Changes go to the document; the
// tree, the table and the matches show the lists through one model of them,
// which follows the document row by row, and the view keeps the list and the
// item on show as indexes of it. Commands that only start here (export,
// import, the hand-over and their set-up) are asked for through signals.
//
//   QuillmarkView.cpp   set-up, modes, following the document
//   ViewCommands.cpp    the table of commands, and what each does on the screen on show
//   ViewDraw.cpp        painting and the layout at any size
//   ViewAdding.cpp      adding items by typing, pasting and dropping
class CQuillmarkView : public QWidget
{
    Q_OBJECT

public:
    // `prompter` answers message boxes and runs dialogs; null: the standard
    // one.
    explicit CQuillmarkView(CQuillmarkDoc &doc, QWidget *parent = nullptr, Prompter *prompter = nullptr);
    ~CQuillmarkView() override;

    Prompter &Prompts() const;

    // First set-up: child controls, pictures, the drawn buttons, the tree of
    // the lists.
    void OnInitialUpdate();

    // The view's commands, for the window's menus too.
    QAction *Action(CViewActions::Command command) const { return m_actions->Action(command); }
    // The Res::IDB_ picture of a drawn button's face.
    static int FaceOf(CViewActions::Command command);

    QSize sizeHint() const override;
    // The size the view opens at before the user gave the window one: the
    // item table's columns whole and what is left beside the total, at the
    // desktop's font size.
    static QSize OpeningSize();

signals:
    // "Exit" or the cross: the application saves the lists and ends.
    void exitRequested();
    void aboutRequested();
    // "Contents": the help page.
    void contentsRequested();
    // The Sync menu's: sync now (F5), the account dialog.
    void syncNowRequested();
    void syncAccountRequested();
    // "Export List...": the list to export, -1 when none is chosen.
    void exportRequested(int list);
    // "Export List as iCalendar...": the same.
    void exportCalendarRequested(int list);
    void importRequested();
    void importSetupRequested();
    // "Configuration": the hand-over's set-up.
    void handOverSetupRequested();
    // The item on show, to hand over to the calendar and task store.
    void handOverRequested(const CListItem &item);
    // The list whose items or item are on show, by its name; empty for the
    // tree and the matches.
    void shownListChanged(const QString &name);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    // Files dropped (ViewAdding.cpp): on a list of the tree or on the table,
    // their items go into that list; elsewhere each becomes a new list.
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

    // Shows the pop-up menu at a point of the screen; a chosen entry triggers
    // its action. Tests override it.
    virtual void RunPopupMenu(QMenu &menu, const QPoint &globalPos);

private:
    enum class Mode { Tree, Item, Items, Find };

    // A row of the table of commands (ViewCommands.cpp), by
    // CViewActions::Command.
    struct CommandRow
    {
        const char *name; // of the action: "action" and this
        const char *text; // in the menus, or what the button's tool tip names
        int face;         // a drawn button's picture, 0 for none
        std::array<QKeyCombination, 3> keys;
        // Checkable (Hide Done Items, checked as its setting says): the
        // handler runs when the check changes. Any time: also before the
        // first set-up (the others wait for the controls). Sort: one of a
        // checkable group that shows the table's sort.
        enum Kind { Plain, Checkable, AnyTime, Sort } kind;
        void (CQuillmarkView::*handler)();
    };
    static const CommandRow kCommands[];
    // The actions of the table, with their handlers connected.
    CViewActions::Actions MakeActions();

    // Modes. Show falls back to the tree when what the mode shows is gone;
    // the back button then leads to `back`.
    void Show(Mode mode, std::optional<Mode> back);
    bool HasCurrentList() const { return m_curList.isValid(); }
    bool HasCurrentItem() const { return m_curItem.isValid(); }
    const CListItem &CurrentItem() const;
    // The current list and item: an item (of the lists model) with its
    // list, or a list alone; none when `index` is invalid.
    void SetCurrent(const QModelIndex &index);
    void StartFind();
    // The Hide Done Items action's check: remembered, and shown.
    void OnHideDone();
    // The table sorted as the Sort by entries say, and they as it is sorted.
    void SortFromMenu();
    void ShowSortInMenu();
    void SetHideDone(bool hide);

    // Following the document
    void OnListsReplaced();
    void TellShownList();

    // Commands (ViewCommands.cpp)
    void ConnectCommands();
    const CViewActions::Row &Buttons() const;
    static void SetTip(QAction *action, const QString &what);
    void TellWhatButtonsDo();
    void ShowMenu(bool byKey);
    void ShowMenuAsAsked();
    void OpenSelection();
    void OpenItem(const QModelIndex &item, Mode from);
    void GoBack();
    void TickOrUntick();
    void HandOver();
    void Undo();
    void Redo();
    void EditSelection();
    void EditLists();
    void DeleteSelection();
    // A right-click at `pos` of `on` (the tree, the table or the details).
    void ShowRowMenu(QWidget *on, const QPoint &pos);
    int ListToExport();
    void ExportList();
    void ExportListAsCalendar();
    void ViewLists();
    // What the List menu's commands work on: in the tree the selected list
    // or item, in the table its selected item or else the list on show, on
    // the item screen the item, on the find screen the chosen match.
    QModelIndex Chosen() const;
    void EnableListCommands();
    void UntickAll();
    void DuplicateList();
    void MoveItem();
    void CopyAsText();
    void PrintList();

    // Adding (ViewAdding.cpp): the one-line field under the table, the
    // clipboard's lines and dropped files, into the list on show or chosen.
    // The field shows the list of the chosen row, and opens with the keyboard.
    void StartAdding();
    void StopAdding();
    bool IsAdding() const;
    void AddTyped(bool evenIfHeld);
    void NoteWhetherHeld();
    // The index of an item named as `name` in the list, -1 for none.
    int HeldItem(int list, const QString &name) const;
    void PasteItems();
    // Lines of text into the list: a preview of more than one line, then
    // one step. False when nothing was added.
    bool AddLines(int list, const QString &text);
    // The same for items read already; into a new list named `newList` when
    // `list` is -1.
    bool AddRead(int list, const PastedText::Parsed &parsed, const QString &newList = QString());
    // The files of a drag that the window takes: .csv, .txt and .md files
    // on this computer.
    static QStringList DroppedFiles(const QMimeData *mime);
    // The list of the tree's row or the table under `pos`; -1 elsewhere.
    int ListAt(const QPoint &pos) const;
    void DropFile(const QString &path, int list);
    void SelectAdded(int list, const CListItem &item);

    // Drawing and layout (ViewDraw.cpp)
    void LayOut();
    void DrawBanner(QPainter &dc);
    void DrawItemDetails(QPainter &dc);
    // The read-outs: the item's name, date, price and description, and the
    // list's total, what is left and what is done.
    enum ReadOut { ItemName, ItemDate, ItemPrice, ItemDescription, Total, TotalLeft, TotalDone, ReadOutCount };
    // The total of the list on show: its texts, where they are drawn, and
    // what its tool tip says over `area`; no amount when there is none.
    struct TotalLook
    {
        QString amount, label, leftAmount, leftLabel, tip;
        QPoint amountAt, labelAt, leftAmountAt, leftLabelAt;
        QRect frame, area;
    };
    TotalLook LayOutTotal() const;
    void DrawTotal(QPainter &dc);
    // Where the item screen's texts are drawn, and what they say.
    struct ItemLook
    {
        struct Section
        {
            ReadOut readOut;
            QString label, value;
            QPoint labelAt, valueAt;
            QRect area; // the label and the value
        };
        QString name;
        QRect nameArea;
        int rule = 0; // the line under the name
        QList<Section> sections; // the date and the price, as far as the item has them
        QString description; // its line breaks as "\n"
        QPoint descriptionLabelAt; // with a description only
        QRect descriptionLabelArea, descriptionBox;
        QRect tickArea; // with a tick only
    };
    ItemLook LayOutItem() const;

    // What a screen reader reads of the drawn texts (ViewDraw.cpp): the
    // item's name, date, price, description and done state, and the totals
    // of the list; children that draw nothing, over what they stand for, and
    // shown only while it is.
    void ShowReadOuts();

    CQuillmarkDoc &m_doc;
    CListsModel *m_lists;
    CViewActions *m_actions;
    CListTree *m_tree = nullptr; // none before the first set-up
    CItemTable *m_listItems = nullptr;
    CFindPane *m_find = nullptr;
    CItemNames *m_names = nullptr;
    CQuickAddField *m_quickAdd = nullptr;
    // By command, for the drawn ones (CViewActions::kFirstButton on).
    std::array<CDrawnButton *, CViewActions::kLastButton + 1> m_buttons{};
    std::array<QLabel *, ReadOutCount> m_readOuts{};
    // The item's done tick, for a screen reader and the space bar.
    QCheckBox *m_doneBox = nullptr;
    Mode m_mode = Mode::Tree;
    // Where the back button leads; none when it leads nowhere.
    std::optional<Mode> m_prevMode;
    // What the find screen puts back: the mode before it and its way back.
    Mode m_modeBeforeFind = Mode::Tree;
    std::optional<Mode> m_backBeforeFind;
    // Indexes of the lists model: they follow the list and the item through
    // every change, and are gone when they are.
    QPersistentModelIndex m_curList;
    QPersistentModelIndex m_curItem;
};
