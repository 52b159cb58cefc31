#pragma once

#include "model/ListItem.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// An item as one VTODO in a calendar object, and back. This is the one
// place that knows which property carries which field:
//   SUMMARY the name, DESCRIPTION the description, DUE the date and time of
//   a dated item (its local wall-clock second, floating), STATUS:COMPLETED
//   with COMPLETED and PERCENT-COMPLETE:100 when done, STATUS:NEEDS-ACTION
//   alone when not, X-QUILLMARK-PRICE the price ("12.50") and
//   X-QUILLMARK-ICON the icon number.
// Other clients write more (recurrences, alarms, categories, their own X-
// properties); an update changes only what differs in the server's own text
// and keeps all of that.
namespace VtodoMap {

// The icon of an item that comes without one: the one the item form
// proposes for a new item.
qint32 DefaultItemIcon();

struct Todo
{
    QString uid;
    CListItem item;
};

// The VTODO of a calendar object as an item. Done is any of COMPLETED,
// STATUS:COMPLETED or CANCELLED, PERCENT-COMPLETE:100; the date is DUE, else
// DTSTART, in UTC, with a time zone or floating, or a day alone (taken at
// noon, as the item form proposes a time). None, with the reason, when the
// text holds no VTODO, more than one, or one without a UID.
std::optional<Todo> Read(const QByteArray &ics, QString *whyNot = nullptr);

// A new calendar object holding the item under that UID. `now` stamps it.
QByteArray Create(const CListItem &item, const QString &uid, CalendarTime now);

// The server's calendar object with each of the item's fields that it does
// not already say written into its VTODO, and everything else as it was.
// None, with the reason, when the text cannot be read as one VTODO.
std::optional<QByteArray> Update(const QByteArray &serverIcs, const CListItem &item, CalendarTime now,
                                 QString *whyNot = nullptr);

// A whole list as one calendar, for a file: a VTODO per item, in the list's
// order, each under a new UID, the calendar named after the list
// (X-WR-CALNAME, which calendar programs show).
QByteArray CreateCalendar(const QString &listName, const QList<CListItem> &items, CalendarTime now);

// Every VTODO in a text of one or more calendars, as items in the order
// written; events and other components are passed over, and a to-do needs
// no UID here. None when the text is no iCalendar at all.
std::optional<QList<CListItem>> ReadCalendar(const QByteArray &ics);

// The object with its VTODO given a new UID (the second of two versions
// kept), all else as it was.
std::optional<QByteArray> WithNewUid(const QByteArray &ics, const QString &uid);

} // namespace VtodoMap
