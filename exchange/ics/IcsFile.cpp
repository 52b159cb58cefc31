#include "exchange/ics/IcsFile.h"

#include "exchange/csv/CsvLineReader.h"
#include "exchange/csv/Utf8Scan.h"
#include "exchange/handover/SafeFileWrite.h"
#include "ical/VtodoMap.h"
#include "platform/AppPaths.h"
#include "platform/CalendarTime.h"
#include "platform/RegularFile.h"
#include "res/Tr.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstring>

using CsvImport::Result;
using CsvImport::Status;

namespace IcsFile {

namespace {

const char kSuffix[] = ".ics";
const char kBegin[] = "BEGIN:VCALENDAR";

// Left out of a proposed file name: what Linux forbids, and what the file
// systems of memory cards and other computers do.
bool FitsFileName(QChar c)
{
    return c.unicode() >= 0x20 && c.unicode() != 0x7f && !QStringView(u"/\\:*?\"<>|").contains(c);
}

QByteArrayView WithoutBom(QByteArrayView bytes)
{
    if (bytes.size() >= 3 && std::memcmp(bytes.data(), Utf8::kBom, 3) == 0)
        return bytes.sliced(3);
    return bytes;
}

} // namespace

QString ProposedPath(const QString &listName)
{
    QString name;
    for (const QChar c : listName) {
        if (FitsFileName(c))
            name += c;
    }
    // A leading point would hide the file.
    while (name.startsWith(u'.'))
        name.remove(0, 1);
    name = name.trimmed();
    if (name.isEmpty())
        name = QStringLiteral("Quillmark");
    return QDir(AppPaths::DocumentsFolder()).filePath(name + QLatin1String(kSuffix));
}

QString ExportList(const CListItemArray &list, const QString &path)
{
    const QByteArray text = VtodoMap::CreateCalendar(list.m_strName, list.m_items, CalendarTimeOps::Now());
    const QFileInfo info(path);
    QString whyNot;
    if (!WriteFileSafely(info.absolutePath(), info.fileName(), text, &whyNot))
        return whyNot.isEmpty() ? QStringLiteral("?") : whyNot;
    return QString();
}

QString ExportMessage(const QString &path, const QString &failure)
{
    const QFileInfo info(path);
    if (failure.isEmpty()) {
        return Tr::tr("The File '%1' was created in the folder '%2'.")
                .arg(info.fileName(), QDir::toNativeSeparators(info.absolutePath()));
    }
    return Tr::tr("The File '%1' could not be written: %2").arg(info.fileName(), failure);
}

bool IsCalendarFile(const QString &path)
{
    if (path.endsWith(QLatin1String(kSuffix), Qt::CaseInsensitive))
        return true;
    // Opened as the import opens it: a named pipe is never waited for.
    QFile file;
    if (RegularFile::OpenForReading(file, path, nullptr) != RegularFile::Opened::Yes)
        return false;
    const QByteArray head = file.read(64);
    return WithoutBom(head).toByteArray().trimmed().toUpper().startsWith(kBegin);
}

Result ImportFile(const QString &path, QList<CListItem> &items)
{
    items.clear();
    QFile file;
    if (Result opened = CsvImport::OpenWholeFile(file, path); !opened.Ok())
        return opened;

    // Line by line, as the comma-separated import reads: the same limits,
    // and a zero byte or a line that is not UTF-8 (what iCalendar text is)
    // found where it is.
    CCsvLineReader reader(file);
    QByteArray text;
    text.reserve(file.size() + file.size() / 16);
    for (qint64 line = 1;; ++line) {
        QByteArrayView bytes;
        const CCsvLineReader::Next next = reader.Read(bytes);
        if (next == CCsvLineReader::Next::End)
            break;
        switch (next) {
        case CCsvLineReader::Next::Line:
        case CCsvLineReader::Next::End:
            break;
        case CCsvLineReader::Next::TooLong:
            return Result{Status::LineTooLong, line, QString(), path};
        case CCsvLineReader::Next::NotText:
            return Result{Status::NotText, line, QString(), path};
        case CCsvLineReader::Next::Failed:
            return Result{Status::ReadFailed, line, reader.ErrorString(), path};
        }
        if (line == 1)
            bytes = WithoutBom(bytes);
        CUtf8Scan scan;
        scan.Feed(bytes.data(), bytes.size());
        if (!scan.Valid())
            return Result{Status::NotUtf8, line, QString(), path};
        // The file may have grown since its size was looked at.
        if (text.size() + bytes.size() + 2 > CsvImport::kMaxWholeFileBytes)
            return Result{Status::TooLarge, 0, QString(), path};
        text.append(bytes);
        text.append("\r\n");
    }

    std::optional<QList<CListItem>> todos = VtodoMap::ReadCalendar(text);
    if (!todos)
        return Result{Status::NotCalendar, 0, QString(), path};
    if (todos->isEmpty())
        return Result{Status::NoTodos, 0, QString(), path};
    // In the file's order: a list read back from its own export is the list
    // as it was, whatever order its items had.
    items = std::move(*todos);
    return Result();
}

} // namespace IcsFile
