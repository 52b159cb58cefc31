#pragma once

#include <QString>

class QFile;

// Reads comma-separated files into a new list: one item per line, its name,
// description and price from the fields that the import's settings name.
// Nothing here shows anything: the caller turns a failure into its message
// (ImportMessage). CCsvImportJob does the work, and runs it to its end at
// once (CsvImport::RunToTheEnd); here are what it reports and the price
// a field gives.
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
    TooLarge,      // read whole, and larger than kMaxWholeFileBytes
    // Only for an iCalendar file (IcsFile):
    NotCalendar,   // no iCalendar text
    NoTodos,       // a calendar without a single to-do
};

// A calendar or a dropped file is read whole at once, the window waiting, and
// the calendar library holds a calendar several times over: no larger than this.
constexpr qint64 kMaxWholeFileBytes = 32 * 1024 * 1024;

struct Result
{
    Status status = Status::Ok;
    qint64 line = 0; // the failing line, counting from 1
    QString reason;  // why reading failed
    QString path;    // the file that is no file, or no calendar

    bool Ok() const { return status == Status::Ok; }
};

// The price a field's text gives: leading blanks, a sign, digits, a point
// and digits, an exponent, read in the C locale whatever the user's locale;
// reading stops at the first character that does not fit; no number gives 0.
double ParsePrice(QStringView text);

// The text to show for a failure; empty for Ok.
QString ImportMessage(const Result &result);

// Opens a file that is read whole at once: a regular file (opened without
// blocking), no larger than kMaxWholeFileBytes.
Result OpenWholeFile(QFile &file, const QString &path);

} // namespace CsvImport
