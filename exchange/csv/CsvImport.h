#pragma once

#include "exchange/csv/ImportFields.h"
#include "model/ListItemArray.h"
#include "res/Strings.h"

#include <QString>

class QIODevice;

// Reads comma-separated files into a new list. Nothing here shows anything:
// the caller turns a failure into its message (ImportMessage).
namespace CsvImport {

enum class Status {
    Ok = 0,
    FieldNotFound = Str::IDS_IMPORT_FIELD_NOT_FOUND, // 61213
    NameEmpty = Str::IDS_IMPORT_NAME_EMPTY,          // 61214
    ReadFailed = -1,                                 // the file broke off while being read
};

struct Result
{
    Status status = Status::Ok;
    qint64 line = 0; // the failing line (piece), counting from 1
    QString reason;  // why reading failed

    bool Ok() const { return status == Status::Ok; }
};

// How a file's bytes become text.
enum class Encoding { Windows1252, Utf8, Utf8WithBom };

// Judges a whole device from its current position, in bounded pieces: a
// byte-order mark, or well-formed UTF-8 holding at least one character of
// two or more bytes, means UTF-8; anything else is Windows-1252. Pure ASCII
// reads the same either way and counts as Windows-1252.
Encoding DetectEncoding(QIODevice &device);

// Imports the file at path: one item per line, in name order. Returns Ok
// with no items added when the file cannot be opened. On any failure the
// list is left exactly as it was: there is no partial import.
Result ImportCsvFile(const QString &path, CListItemArray &list);
// The same over an open device, from its start.
Result ImportCsvDevice(QIODevice &device, const CImportFields &fields, CListItemArray &list);

// The price a field's text gives: leading blanks, a sign, digits, a point
// and digits, an exponent, read in the C locale whatever the user's locale;
// reading stops at the first character that does not fit; no number gives 0.
double ParsePrice(const QString &text);

// The text to show for a failure; empty for Ok.
QString ImportMessage(const Result &result);

} // namespace CsvImport
