#pragma once

#include "exchange/csv/ImportFields.h"
#include "model/ListItemArray.h"

#include <QString>

class QIODevice;

// Reads comma-separated files into a new list: one item per line, its name,
// description and price from the fields that the import's settings name.
// Nothing here shows anything: the caller turns a failure into its message
// (ImportMessage). CCsvImportJob does the work; the functions here run it
// to its end at once.
namespace CsvImport {

enum class Status {
    Ok,
    FieldNotFound, // a line lacks a field the settings name
    NameEmpty,     // a line's name field is empty
    ReadFailed,    // the file could not be opened or broke off
    NotAFile,      // a folder, a device, a named pipe
    NotText,       // a zero byte: no text at all
    NotUtf8,       // marked as UTF-8, but a line is not
    LineTooLong,   // longer than CCsvLineReader::kMaxLine
};

struct Result
{
    Status status = Status::Ok;
    qint64 line = 0; // the failing line, counting from 1
    QString reason;  // why reading failed
    QString path;    // the file that is no file

    bool Ok() const { return status == Status::Ok; }
};

// Imports the file at path: one item per line, in name order. On any
// failure the list is left exactly as it was: there is no partial import.
Result ImportCsvFile(const QString &path, CListItemArray &list);
// The same over an open, seekable device, from its start. Into a list that
// has items already, each new one is added as AddItemSorted adds it.
Result ImportCsvDevice(QIODevice &device, const CImportFields &fields, CListItemArray &list);

// The price a field's text gives: leading blanks, a sign, digits, a point
// and digits, an exponent, read in the C locale whatever the user's locale;
// reading stops at the first character that does not fit; no number gives 0.
double ParsePrice(QStringView text);

// The text to show for a failure; empty for Ok.
QString ImportMessage(const Result &result);

} // namespace CsvImport
