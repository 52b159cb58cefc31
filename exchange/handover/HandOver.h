#pragma once

#include <QStringList>

class CCalendarStore;
class CListItem;

// Hands one item to the calendar and task store: as a task when toTask, as
// an appointment when toCalendar (only a dated item can be one). Returns the
// messages for the user, in the order they are to be shown; none when both
// flags are off. A task or appointment that could not be stored is reported
// as not added, never as added.
QStringList HandOverItem(const CListItem &item, bool toTask, bool toCalendar, CCalendarStore &store);
