#pragma once

#include "exchange/pim/PimObjects.h"

#include <QList>
#include <QString>

class CListItem;

// One message for the user, in the order the hand-over produced them.
struct PimMessage
{
    int id = 0;     // the string-table id, or 0 for a text of ours without one
    QString text;
    bool operator==(const PimMessage &) const = default;
};

// Hands one item to the calendar and task store: as a task when toTask, as
// an appointment when toCalendar (only a dated item can be one). Returns the
// messages to show, in order; none when both flags are off or logging on
// failed. A task or appointment that could not be stored is reported as not
// added, never as added.
QList<PimMessage> TransferItem(const CListItem &item, bool toTask, bool toCalendar,
                               PimApplication &app);
