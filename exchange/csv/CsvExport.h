#pragma once

#include "model/ListItemArray.h"

#include <QByteArray>
#include <QString>

// Writes one list as comma-separated records in Windows-1252, one line per
// item, in the list's order. Nothing here shows anything: the caller turns
// the result into its message (ExportMessage).
namespace CsvExport {

// A record is written only when its converted form is at most this long
// (line feed included) and has one byte per character.
constexpr qsizetype kMaxRecordBytes = 512;

enum class RecordStatus {
    Ok,
    TooLong,        // more than 512 bytes
    NotStorable,    // a character the code page cannot hold
    NoConversion,   // the code page converter itself is missing
};

// The bytes of an item's record, or why there are none.
RecordStatus EncodeRecord(const CListItem &item, QByteArray &bytes);

enum class Status {
    Done,              // every record written
    DoneSomeLeftOut,   // written; some records were left out
    TroubleConverting, // the converter failed: nothing was written
    Failed,            // the file could not be created or written
};

struct Result
{
    Status status = Status::Done;
    int written = 0;
    int leftOutTooLong = 0;
    int leftOutNotStorable = 0;
    QString reason; // why the file could not be written
};

// "Quillmark.csv" in the documents folder (created when missing).
QString ExportFilePath();

// Writes the list to path as a whole: the file appears, or replaces an
// older one, only when every byte reached the disk. On failure an older
// file stays as it was and no partial file is left.
Result ExportList(const CListItemArray &list, const QString &path);

// The text to show for a result of the export to path.
QString ExportMessage(const Result &result, const QString &path);

} // namespace CsvExport
