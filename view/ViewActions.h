#pragma once

#include "res/ResourceIds.h"

#include <QCoreApplication>
#include <QKeyCombination>

#include <array>

// What the view's drawn buttons, pop-up menu entries and keys do, named once:
// the taps, the painting, the keys, the tool tips and the menu all read
// these tables.
namespace ViewActions {

enum class Action {
    None,
    // The drawn buttons
    Exit, Menu, Edit, Open, ToggleDone, HandOver, Back,
    // The pop-up menu's other entries
    About, ViewLists, EditLists, HandOverSetup, ImportSetup, Import, Export,
};

// The pop-up menu, opened by the "M" button: its entries in order, a command
// of 0 for a separator. `key` runs the entry from anywhere in the main
// window and is shown beside it.
struct MenuEntry
{
    int command;
    const char *text; // shown through Text(), in the user's language
    Action action = Action::None;
    QKeyCombination key = {};

    QString Text() const { return text ? QCoreApplication::translate("ViewActions", text) : QString(); }
};

inline constexpr MenuEntry kMenu[] = {
    {Res::ID_APP_ABOUT, QT_TRANSLATE_NOOP("ViewActions", "About ..."), Action::About},
    {Res::ID_VIEW_LISTS, QT_TRANSLATE_NOOP("ViewActions", "View Lists..."), Action::ViewLists,
     Qt::CTRL | Qt::Key_L},
    {Res::ID_EDIT_LISTS, QT_TRANSLATE_NOOP("ViewActions", "Edit Lists..."), Action::EditLists,
     Qt::CTRL | Qt::SHIFT | Qt::Key_L},
    {0, {}},
    {Res::ID_CONFIGURATION, QT_TRANSLATE_NOOP("ViewActions", "Configuration"), Action::HandOverSetup},
    {0, {}},
    {Res::ID_SETUP_IMPORT, QT_TRANSLATE_NOOP("ViewActions", "Setup Import..."), Action::ImportSetup},
    {Res::ID_IMPORT_LIST, QT_TRANSLATE_NOOP("ViewActions", "Import List..."), Action::Import,
     Qt::CTRL | Qt::Key_I},
    {Res::ID_EXPORT_LIST, QT_TRANSLATE_NOOP("ViewActions", "Export List..."), Action::Export,
     Qt::CTRL | Qt::SHIFT | Qt::Key_E},
    {0, {}},
    {Res::ID_APP_EXIT, QT_TRANSLATE_NOOP("ViewActions", "Exit"), Action::Exit, Qt::CTRL | Qt::Key_Q},
};

// The key of a command's entry.
constexpr QKeyCombination KeyOf(int command)
{
    for (const MenuEntry &entry : kMenu) {
        if (entry.command == command)
            return entry.key;
    }
    return {};
}

// One of the six drawn buttons, left to right: the face drawn (a Res::IDB_
// bitmap, 0 for none), what a tap does, the keys that do the same
// (Qt::Key_unknown pads) and the name its tool tip shows. A button acts by
// its place, also where no face is drawn: the back button is drawn only while
// there is somewhere to go back to, but a tap or key reaches it all the same
// (and then only repaints).
struct Button
{
    int face = 0;
    Action action = Action::None;
    std::array<QKeyCombination, 3> keys{};
    const char *tip = nullptr; // shown through Tip(), in the user's language

    QString Tip() const { return tip ? QCoreApplication::translate("ViewActions", tip) : QString(); }
};

// The cross does what "Exit" does, with its key: save and end the program.
inline constexpr Button kExit{Res::IDB_EXIT, Action::Exit, {KeyOf(Res::ID_APP_EXIT)},
                              QT_TRANSLATE_NOOP("ViewActions", "Exit")};
// A key opens the menu with its first entry active, so that the arrow keys
// and Enter go on from there.
inline constexpr Button kMenuButton{Res::IDB_MENU, Action::Menu,
                                    {Qt::Key_Menu, Qt::SHIFT | Qt::Key_F10, Qt::ALT | Qt::Key_M},
                                    QT_TRANSLATE_NOOP("ViewActions", "Menu")};
inline constexpr Button kEdit{Res::IDB_EDIT, Action::Edit, {Qt::Key_F2, Qt::CTRL | Qt::Key_E},
                              QT_TRANSLATE_NOOP("ViewActions", "Edit")};
// Enter opens in the tree and the item table; on the item screen the tick
// stands at its place and Enter does nothing.
inline constexpr Button kOpen{Res::IDB_VIEW, Action::Open, {Qt::Key_Return, Qt::Key_Enter},
                              QT_TRANSLATE_NOOP("ViewActions", "Open")};
inline constexpr Button kTick{Res::IDB_DONE, Action::ToggleDone, {Qt::CTRL | Qt::Key_D},
                              QT_TRANSLATE_NOOP("ViewActions", "Done or not done")};
inline constexpr Button kHandOver{Res::IDB_HANDOVER, Action::HandOver, {Qt::CTRL | Qt::Key_T},
                                  QT_TRANSLATE_NOOP("ViewActions", "Hand over to calendar or tasks")};
inline constexpr Button kBack{Res::IDB_BACK, Action::Back,
                              {Qt::Key_Backspace, Qt::ALT | Qt::Key_Left, Qt::ALT | Qt::Key_Up},
                              QT_TRANSLATE_NOOP("ViewActions", "Back")};

// The buttons of each mode. On the find screen the magnifier opens the
// chosen match (the first without a choice), the pencil changes it, and the
// up arrow puts back what was on show.
using Row = std::array<Button, 6>;
inline constexpr Row kTreeRow{kExit, kMenuButton, kEdit, kOpen, {}, {}};
inline constexpr Row kItemRow{kExit, kMenuButton, kEdit, kTick, kHandOver, kBack};
inline constexpr Row kItemsRow{kExit, kMenuButton, kEdit, kOpen, kBack, {}};
inline constexpr Row kFindRow = kItemsRow;
inline constexpr const Row *kRows[] = {&kTreeRow, &kItemRow, &kItemsRow, &kFindRow};

} // namespace ViewActions
