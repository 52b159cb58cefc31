#pragma once

#include "platform/CalendarTime.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The iCalendar text of one handed-over item: a VCALENDAR holding one VTODO
// or one VEVENT. Times given as local fields are written floating (no time
// zone), so a reader shows the wall-clock time the user entered wherever it
// runs; stamps are written in UTC.

struct IcsTaskData
{
    QString uid;
    QString summary;
    QString description;
    std::optional<LocalFields> due;   // floating; none for an undated item
    bool completed = false;
    CalendarTime stamp = 0;           // DTSTAMP, and COMPLETED of a done task
};

struct IcsEventData
{
    QString uid;
    QString summary;
    QString description;
    LocalFields start;                // floating
    CalendarTime stamp = 0;
};

namespace Ics {

QByteArray TaskCalendar(const IcsTaskData &task);
QByteArray EventCalendar(const IcsEventData &event);

// Text as an iCalendar TEXT value can carry it: line breaks of any kind
// become line feeds, and control characters other than tab and line feed,
// which the format does not allow, are left out.
QString CleanText(const QString &text);

} // namespace Ics
