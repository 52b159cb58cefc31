#include "exchange/csv/CsvExport.h"

#include "platform/AppPaths.h"
#include "platform/CodePage.h"
#include "platform/ReplacingFile.h"
#include "platform/WriteAll.h"
#include "res/Tr.h"

#include <QDir>
#include <QFileInfo>

namespace CsvExport {

namespace {

constexpr qsizetype kWriteChunk = 64 * 1024;

bool IsAscii(const QString &text)
{
    for (QChar c : text) {
        if (c.unicode() >= 0x80)
            return false;
    }
    return true;
}

// Whether the converter works at all: plain ASCII always converts.
bool ConverterWorks()
{
    bool ok = false;
    CodePage::ToWindows1252(QStringLiteral(","), &ok);
    return ok;
}

} // namespace

RecordStatus EncodeRecord(const CListItem &item, QByteArray &bytes)
{
    const QString record = item.GetCsvRecord();
    bytes.clear();
    // Windows-1252 has one byte per character, so the length is known
    // before converting.
    if (record.size() > kMaxRecordBytes)
        return RecordStatus::TooLong;
    if (IsAscii(record)) {
        bytes = record.toLatin1(); // the same bytes in Windows-1252
        return RecordStatus::Ok;
    }
    bool ok = false;
    bytes = CodePage::ToWindows1252(record, &ok);
    if (!ok) {
        bytes.clear();
        return ConverterWorks() ? RecordStatus::NotStorable : RecordStatus::NoConversion;
    }
    if (bytes.size() > kMaxRecordBytes)
        return RecordStatus::TooLong;
    if (bytes.size() != record.size())
        return RecordStatus::NotStorable;
    return RecordStatus::Ok;
}

QString ExportFilePath()
{
    return QDir(AppPaths::DocumentsFolder()).filePath(QStringLiteral("Quillmark.csv"));
}

namespace {

// Writes the records of list to device in large writes; stops at the first
// write that does not take all its bytes.
Result WriteRecords(QIODevice &device, const CListItemArray &list)
{
    Result result;
    QByteArray pending;
    pending.reserve(kWriteChunk + kMaxRecordBytes);
    const auto writePending = [&]() {
        if (!WriteAll(device, pending)) {
            result.status = Status::Failed;
            result.reason = device.errorString();
            return false;
        }
        pending.clear();
        return true;
    };
    QByteArray bytes;
    for (const CListItem &item : list.m_items) {
        switch (EncodeRecord(item, bytes)) {
        case RecordStatus::Ok:
            pending.append(bytes);
            ++result.written;
            if (pending.size() >= kWriteChunk && !writePending())
                return result;
            break;
        case RecordStatus::TooLong:
            ++result.leftOutTooLong;
            break;
        case RecordStatus::NotStorable:
            ++result.leftOutNotStorable;
            break;
        case RecordStatus::NoConversion:
            result.status = Status::TroubleConverting;
            return result;
        }
    }
    if (!pending.isEmpty() && !writePending())
        return result;
    if (result.leftOutTooLong > 0 || result.leftOutNotStorable > 0)
        result.status = Status::DoneSomeLeftOut;
    return result;
}

} // namespace

Result ExportList(const CListItemArray &list, const QString &path)
{
    // A link in the file's place (a sync tool may carry one) is replaced by
    // the new file: writing through it would overwrite whatever file it
    // points to with the list's lines.
    CReplacingFile::RemoveLeftovers(path, CReplacingFile::Links::Replace);
    CReplacingFile file(path, CReplacingFile::Links::Replace,
                        QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::WriteGroup
                                | QFile::ReadOther | QFile::WriteOther);
    // Unbuffered, so that every refused byte shows in the write that lost
    // it; WriteRecords gathers the records into large writes.
    if (!file.Open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        Result result;
        result.status = Status::Failed;
        result.reason = file.ErrorString();
        return result;
    }
    Result result = WriteRecords(file.Device(), list);
    switch (result.status) {
    case Status::Done:
    case Status::DoneSomeLeftOut:
        if (!file.Commit()) {
            result.status = Status::Failed;
            result.reason = file.ErrorString();
        }
        break;
    case Status::TroubleConverting:
    case Status::Failed:
        // A file that stops part-way looks complete to the program that reads
        // it; better no new file than that.
        file.Cancel();
        break;
    }
    return result;
}

QString ExportMessage(const Result &result, const QString &path)
{
    const QString folder = QDir::toNativeSeparators(QFileInfo(path).absolutePath());
    switch (result.status) {
    case Status::Done:
        return Tr::tr("The File 'Quillmark.csv' was created in the folder '%1'.").arg(folder);
    case Status::DoneSomeLeftOut:
        if (result.leftOutNotStorable > 0) {
            return Tr::tr("The File 'Quillmark.csv' was created in the folder '%1', "
                          "some records were too long or held characters the file cannot store "
                          "and were left out.")
                    .arg(folder);
        }
        return Tr::tr("The File 'Quillmark.csv' was created in the folder '%1', "
                      "some records were too long and were left out.")
                .arg(folder);
    case Status::TroubleConverting:
        return Tr::tr("Trouble Converting String, file will not be completed");
    case Status::Failed:
        return Tr::tr("The File 'Quillmark.csv' could not be written: %1").arg(result.reason);
    }
    return QString();
}

} // namespace CsvExport
