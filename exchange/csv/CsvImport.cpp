#include "exchange/csv/CsvImport.h"

#include "exchange/csv/CsvPieceReader.h"
#include "exchange/csv/Utf8Scan.h"
#include "platform/CodePage.h"
#include "platform/NumberText.h"

#include <QFile>

#include <cmath>
#include <cstring>

namespace CsvImport {

namespace {

constexpr qsizetype kScanChunk = 64 * 1024;

bool ScanEncoding(QIODevice &device, Encoding &encoding, QString &error)
{
    QByteArray chunk(kScanChunk, Qt::Uninitialized);
    QByteArray head;
    CUtf8Scan scan;
    encoding = Encoding::Windows1252;
    for (;;) {
        const qint64 got = device.read(chunk.data(), kScanChunk);
        if (got < 0) {
            error = device.errorString();
            return false;
        }
        if (got == 0)
            break;
        if (head.size() < 3) {
            head.append(chunk.constData(), qMin<qsizetype>(got, 3 - head.size()));
            if (head.size() == 3 && std::memcmp(head.constData(), Utf8::kBom, 3) == 0) {
                encoding = Encoding::Utf8WithBom;
                return true;
            }
        }
        scan.Feed(chunk.constData(), got);
        if (scan.Malformed())
            return true; // Windows-1252: no need to read further
    }
    if (scan.Valid() && scan.SawMultiByte())
        encoding = Encoding::Utf8;
    return true;
}

// Field k (counting from 1) of a line ending in a comma: the text before the
// k-th comma. False when the line has fewer fields or k is negative; field 0
// exists and is empty.
bool ExtractField(QStringView line, int k, QStringView &field)
{
    field = QStringView();
    if (k < 0)
        return false;
    qsizetype start = 0;
    for (int i = 0; i < k; ++i) {
        const qsizetype comma = line.indexOf(u',', start);
        if (comma < 0)
            return false;
        field = line.sliced(start, comma - start);
        start = comma + 1;
    }
    return true;
}

void TrimEnd(QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1).isSpace())
        --end;
    text.truncate(end);
}

bool IsCSpace(QChar c)
{
    const char16_t u = c.unicode();
    return u == u' ' || (u >= u'\t' && u <= u'\r');
}

bool IsDigit(QChar c)
{
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

Result Fail(Status status, qint64 line, QString reason = QString())
{
    Result r;
    r.status = status;
    r.line = line;
    r.reason = std::move(reason);
    return r;
}

} // namespace

Encoding DetectEncoding(QIODevice &device)
{
    Encoding encoding = Encoding::Windows1252;
    QString error;
    ScanEncoding(device, encoding, error);
    return encoding;
}

double ParsePrice(const QString &text)
{
    // Only the decimal form is taken: the C library's strtod would also read
    // "nan", "inf" and hexadecimal numbers, so a field such as "Nanny" would
    // give a price that is not a number.
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n && IsCSpace(text.at(i)))
        ++i;
    const qsizetype start = i;
    if (i < n && (text.at(i) == u'+' || text.at(i) == u'-'))
        ++i;
    qsizetype digits = 0;
    while (i < n && IsDigit(text.at(i)))
        ++i, ++digits;
    if (i < n && text.at(i) == u'.') {
        ++i;
        while (i < n && IsDigit(text.at(i)))
            ++i, ++digits;
    }
    if (digits == 0)
        return 0.0;
    qsizetype end = i;
    if (i < n && (text.at(i) == u'e' || text.at(i) == u'E')) {
        qsizetype j = i + 1;
        if (j < n && (text.at(j) == u'+' || text.at(j) == u'-'))
            ++j;
        if (j < n && IsDigit(text.at(j))) {
            while (j < n && IsDigit(text.at(j)))
                ++j;
            end = j;
        }
    }
    // The prefix is plain ASCII, so it reads the same in any code page.
    const double value = NumberText::ParseCDouble(text.sliced(start, end - start).toLatin1());
    return std::isfinite(value) ? value : 0.0; // "1e999" is no price either
}

namespace {

// Builds the item of one line; on failure the item is to be discarded.
Status ItemFromLine(const QString &line, const CImportFields &fields, CListItem &item)
{
    QStringView field;
    if (!ExtractField(line, fields.nameField, field))
        return Status::FieldNotFound;
    if (field.isEmpty())
        return Status::NameEmpty; // tested before trimming: blanks pass
    item.m_nIcon = fields.icon;
    item.SetName(field.trimmed().toString());

    if (fields.descField != 0) {
        if (!ExtractField(line, fields.descField, field))
            return Status::FieldNotFound;
        item.SetDescription(field.trimmed().toString());
    }
    if (fields.priceField != 0) {
        if (!ExtractField(line, fields.priceField, field))
            return Status::FieldNotFound;
        item.m_dPrice = ParsePrice(field.trimmed().toString());
    }
    return Status::Ok;
}

} // namespace

Result ImportCsvDevice(QIODevice &device, const CImportFields &fields, CListItemArray &list)
{
    Encoding encoding = Encoding::Windows1252;
    QString error;
    if (!device.seek(0) || !ScanEncoding(device, encoding, error) || !device.seek(0))
        return Fail(Status::ReadFailed, 0, error.isEmpty() ? device.errorString() : error);
    if (encoding == Encoding::Utf8WithBom && device.skip(3) != 3)
        return Fail(Status::ReadFailed, 0, device.errorString());
    const bool utf8 = encoding != Encoding::Windows1252;

    // Items go into the list only when every line was read: a bad line
    // leaves the list as it was. Into an empty list one sort at the end
    // gives exactly the order that adding each item by name would.
    const bool fresh = list.m_items.isEmpty();
    CSortedListBuilder builder;
    QList<CListItem> inFileOrder;

    CCsvPieceReader reader(device, utf8);
    QByteArrayView piece;
    qint64 lineNumber = 0;
    bool previousCut = false;
    while (reader.Next(piece)) {
        ++lineNumber;
        QString line = utf8 ? QString::fromUtf8(piece) : CodePage::FromWindows1252(piece.toByteArray());
        TrimEnd(line);
        // A line cut at the limit leaves its line feed (and any blanks before
        // it) as a piece of its own; that is the end of the cut line, not a
        // blank line of the file.
        const bool restOfCutLine = previousCut && line.isEmpty();
        previousCut = reader.LastCutAtLimit();
        if (restOfCutLine)
            continue;
        line.append(u',');
        CListItem item;
        const Status status = ItemFromLine(line, fields, item);
        if (status != Status::Ok)
            return Fail(status, lineNumber);
        if (fresh)
            builder.Add(std::move(item));
        else
            inFileOrder.append(std::move(item));
    }
    if (reader.Failed())
        return Fail(Status::ReadFailed, lineNumber + 1, reader.ErrorString());

    if (fresh) {
        builder.FinishInto(list);
    } else {
        for (CListItem &item : inFileOrder)
            list.AddItemSorted(std::move(item));
    }
    return Result();
}

Result ImportCsvFile(const QString &path, CListItemArray &list)
{
    QFile file(path);
    // A file the user chose but that cannot be read is a failed import, not
    // an empty list that looks as if the file held nothing.
    if (!file.open(QIODevice::ReadOnly))
        return Fail(Status::ReadFailed, 0, file.errorString());
    // The four settings are read once per file, not once per line: nothing
    // writes them while an import runs, so every line sees the same values,
    // and a long file is spared a settings read per line.
    return ImportCsvDevice(file, CImportFields::Read(kImportDefaults), list);
}

QString ImportMessage(const Result &result)
{
    switch (result.status) {
    case Status::Ok:
        return QString();
    case Status::FieldNotFound:
    case Status::NameEmpty:
        return Str::Load(static_cast<int>(result.status));
    case Status::ReadFailed:
        return Str::ImportReadFailed(result.reason);
    }
    return QString();
}

} // namespace CsvImport
