#pragma once

#include <QModelIndex>
#include <QObject>

#include <array>
#include <memory>
#include <utility>

class CListsModel;
class CQuillmarkDoc;
class Prompter;
class QAction;
class QModelIndex;
class QPrinter;
class QWidget;

// The main view's commands, one QAction each, made by the view from its one
// table of commands (their names, texts, keys, pictures and handlers). The
// drawn buttons, the keys, the pop-up menus and the window's menu bar all
// trigger these actions. Each action's object name is "action" and its
// command's name ("actionOpen"). Here the actions are enabled as the screen
// and the choice allow, and the commands on the document (ticking, the item
// form, List Setup, undo and redo, the List menu's) are run.
class CViewActions : public QObject
{
    Q_OBJECT

public:
    enum Command {
        None = -1,
        // The drawn buttons
        Exit, Menu, Edit, Open, ToggleDone, HandOver, Back,
        // The pop-up menu's other entries
        About, ViewLists, EditLists, HandOverSetup, ImportSetup, Import, Export,
        // The File menu's: the list as an iCalendar file
        ExportCalendar,
        // On the chosen list or items
        Delete,
        // The Edit menu's
        Undo, Redo,
        // The List menu's: on the list chosen, or on its item chosen
        UntickAll, DuplicateList, MoveItem, CopyAsText, Print,
        // The List menu's on every screen, and the Help menu's
        Find, HideDone, Contents,
        // Into the list on show or chosen: one typed line, the clipboard's lines
        AddItem, PasteItems,
        // The Sync menu's
        SyncNow, SyncAccount,
        // The List menu's "Sort by": the table's column, or the list's own
        // order; then the direction
        SortName, SortPrice, SortDate, SortDone, SortOwn, SortAscending, SortDescending,
        CommandCount
    };

    // The buttons of each screen, left to right; None leaves a place empty.
    // On the find screen the magnifier opens the chosen match (the first
    // without a choice), the pencil changes it, and the up arrow puts back
    // what was on show.
    using Row = std::array<Command, 6>;
    static constexpr Row kTreeRow{Exit, Menu, Edit, Open, None, None};
    static constexpr Row kItemRow{Exit, Menu, Edit, ToggleDone, HandOver, Back};
    static constexpr Row kItemsRow{Exit, Menu, Edit, Open, Back, None};
    static constexpr Row kFindRow = kItemsRow;
    static constexpr Command kFirstButton = Exit;
    static constexpr Command kLastButton = Back;

    // The pop-up menu, opened by the "M" button: its entries in order, None
    // for a separator.
    // The List menu's Sort by: one column checked, and one direction.
    static constexpr std::array<Command, 5> kSortColumns{SortName, SortPrice, SortDate, SortDone, SortOwn};
    static constexpr std::array<Command, 2> kSortDirections{SortAscending, SortDescending};

    static constexpr std::array<Command, 11> kMenu{About, ViewLists, EditLists, None, HandOverSetup, None,
                                                   ImportSetup, Import, Export, None, Exit};

    // The menu of a right-click on a list's or an item's row, or on the
    // details: those of its entries that the screen on show can give, None
    // for a separator.
    static constexpr auto kRowMenu = std::to_array<Command>({
            Open, Edit, ToggleDone, HandOver, None,
            UntickAll, DuplicateList, MoveItem, CopyAsText, PasteItems, Print, None,
            Delete,
    });

    using Actions = std::array<QAction *, CommandCount>;
    // The actions, by command, are `owner`'s; their keys work in the whole
    // of its window. `prompter` answers the dialogs and messages.
    CViewActions(CQuillmarkDoc &doc, CListsModel &lists, Prompter &prompter, QWidget *owner, const Actions &actions);
    ~CViewActions() override;

    QAction *Action(Command command) const { return m_actions.at(command); }

    // Only the commands of the row on show, and the ones not on any button,
    // can be given.
    void EnableRow(const Row &row);

    Prompter &Prompts() const { return m_prompter; }
    // Whether the menu's action ran by a key (its first entry is then
    // active), once: the next run asks anew.
    bool TakeMenuByKey() { return std::exchange(m_menuByKey, false); }

    // The item (of the lists model) in the item form; after OK the document
    // takes the change, unless the item went meanwhile.
    void EditItem(const QModelIndex &item);
    // List Setup on a copy of the lists, on the list of that row (-1: none);
    // after OK the copy replaces the lists in one step of the history.
    void EditTheLists(int list);
    void TickOrUntick(const QModelIndex &item);
    // Asks as List Setup asks, then removes in one step the list, or the
    // items of one list, of these indexes of the lists model.
    void Remove(const QModelIndexList &chosen);

    // The List menu's commands on what the user has chosen: a list or an
    // item of the lists model (a list command takes an item's list). Each
    // is enabled only where it has something to work on.
    void EnableListCommands(const QModelIndex &chosen);
    void UntickAllIn(const QModelIndex &chosen);
    // The copy's index once it is made; invalid when it is not.
    QModelIndex DuplicateTheList(const QModelIndex &chosen);
    // The item's index in its new place once it moved; invalid when not.
    QModelIndex MoveTheItem(const QModelIndex &item);
    // The item, or else the list, to the clipboard as text.
    void CopyTheText(const QModelIndex &chosen);
    void PrintList(const QModelIndex &chosen);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *DialogParent() const;

    CQuillmarkDoc &m_doc;
    CListsModel &m_lists;
    QWidget *m_owner;
    Prompter &m_prompter;
    // Keeps the user's printer, paper and margins from one print to the next.
    std::unique_ptr<QPrinter> m_printer;
    const Actions m_actions;
    bool m_menuByKey = false;
};
