#pragma once

#include "res/ResourceIds.h"

#include <QStringView>

// The view's pop-up menu (menu 210): its entries in order, command ids and
// texts together. A command of 0 is a separator.
namespace PopupMenu {

struct Entry
{
    int command;
    QStringView text;
};

inline constexpr Entry kEntries[] = {
    {Res::ID_APP_ABOUT, u"About ..."},
    {Res::ID_VIEW_LISTS, u"View Lists..."},
    {Res::ID_EDIT_LISTS, u"Edit Lists..."},
    {0, {}},
    {Res::ID_CONFIGURATION, u"Configuration"},
    {0, {}},
    {Res::ID_SETUP_IMPORT, u"Setup Import..."},
    {Res::ID_IMPORT_LIST, u"Import List..."},
    {Res::ID_EXPORT_LIST, u"Export List..."},
    {0, {}},
    {Res::ID_APP_EXIT, u"Exit"},
};

} // namespace PopupMenu
