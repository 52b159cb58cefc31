#pragma once

#include "exchange/csv/CsvImport.h"
#include "model/ListItemArray.h"

#include <QString>

// A list as an iCalendar file of to-dos (.ics), and such a file read into a
// new list. Unlike the comma-separated file it keeps everything an item
// has: name, description, price, date, done mark and icon (VtodoMap says
// how). The import judges the file as the comma-separated import does and
// reports in its terms (CsvImport::Result, CsvImport::ImportMessage).
namespace IcsFile {

// "<list name>.ics" in the documents folder; characters that no file name
// may hold are left out.
QString ProposedPath(const QString &listName);

// Writes the list to path as a whole, replacing an older file only once the
// new one is complete. Empty on success, else why not.
QString ExportList(const CListItemArray &list, const QString &path);
// The text to show after ExportList.
QString ExportMessage(const QString &path, const QString &failure);

// Whether a file chosen for an import is a calendar: its name ends in
// ".ics", or its text begins as a calendar does.
bool IsCalendarFile(const QString &path);

// The to-dos of the file at path as items, in the file's order; on any
// failure none.
CsvImport::Result ImportFile(const QString &path, QList<CListItem> &items);

} // namespace IcsFile
