#pragma once

#include "res/ResourceIds.h"

#include <QKeyCombination>
#include <QStringView>

// The view's pop-up menu (menu 210): its entries in order, command ids and
// texts together. A command of 0 is a separator.
//
// `key` runs the command from anywhere in the main window and is shown beside
// the entry; Qt::Key_unknown for none. Ctrl+Q ("Exit") is also the cross's
// key: both save and end the program.
namespace PopupMenu {

struct Entry
{
    int command;
    QStringView text;
    QKeyCombination key = {};
};

inline constexpr Entry kEntries[] = {
    {Res::ID_APP_ABOUT, u"About ..."},
    {Res::ID_VIEW_LISTS, u"View Lists...", Qt::CTRL | Qt::Key_L},
    {Res::ID_EDIT_LISTS, u"Edit Lists...", Qt::CTRL | Qt::SHIFT | Qt::Key_L},
    {0, {}},
    {Res::ID_CONFIGURATION, u"Configuration"},
    {0, {}},
    {Res::ID_SETUP_IMPORT, u"Setup Import..."},
    {Res::ID_IMPORT_LIST, u"Import List...", Qt::CTRL | Qt::Key_I},
    {Res::ID_EXPORT_LIST, u"Export List...", Qt::CTRL | Qt::SHIFT | Qt::Key_E},
    {0, {}},
    {Res::ID_APP_EXIT, u"Exit", Qt::CTRL | Qt::Key_Q},
};

} // namespace PopupMenu
