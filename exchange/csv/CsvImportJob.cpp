#include "exchange/csv/CsvImportJob.h"

#include "exchange/csv/Utf8Scan.h"
#include "model/SortedAdd.h"
#include "platform/CodePage.h"
#include "platform/RegularFile.h"

#include <QFile>

#include <cstring>

using CsvImport::Result;
using CsvImport::Status;

namespace {

// Lines between two looks at the clock.
constexpr int kLinesPerLook = 256;
// The share of the progress bar that reading takes; putting the items in
// order takes the rest.
constexpr double kReadingShare = 0.85;

bool IsAscii(QByteArrayView bytes)
{
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
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

// Builds the item of one line; on failure the item is to be discarded.
Status ItemFromLine(const QString &line, const CImportFields &fields, CListItem &item)
{
    QStringView field;
    if (!ExtractField(line, fields.nameField, field))
        return Status::FieldNotFound;
    if (field.isEmpty())
        return Status::NameEmpty; // tested before trimming: blanks pass
    item.m_nIcon = fields.icon;
    item.m_strName = field.trimmed();

    if (fields.descField != 0) {
        if (!ExtractField(line, fields.descField, field))
            return Status::FieldNotFound;
        item.m_strDesc = field.trimmed();
    }
    if (fields.priceField != 0) {
        if (!ExtractField(line, fields.priceField, field))
            return Status::FieldNotFound;
        item.m_dPrice = CsvImport::ParsePrice(field.trimmed());
    }
    return Status::Ok;
}

} // namespace

std::unique_ptr<CCsvImportJob> CCsvImportJob::Open(const QString &path, const CImportFields &fields,
                                                   Result &failure, Order order)
{
    auto file = std::make_unique<QFile>();
    QString reason;
    switch (RegularFile::OpenForReading(*file, path, &reason)) {
    case RegularFile::Opened::Yes:
        break;
    case RegularFile::Opened::NotRegular:
        failure = Result{Status::NotAFile, 0, QString(), path};
        return nullptr;
    case RegularFile::Opened::Failed:
        // A file the user chose but that cannot be read is a failed import,
        // not an empty list that looks as if the file held nothing.
        failure = Result{Status::ReadFailed, 0, reason, path};
        return nullptr;
    }
    auto job = std::make_unique<CCsvImportJob>(*file, fields, order);
    job->m_file = std::move(file);
    return job;
}

CCsvImportJob::CCsvImportJob(QIODevice &device, const CImportFields &fields, Order order)
    : m_device(device)
    , m_fields(fields)
    , m_order(order)
    , m_size(device.size())
{
}

CCsvImportJob::~CCsvImportJob() = default;

bool CCsvImportJob::Step(const QDeadlineTimer &until)
{
    if (m_over)
        return true;
    if (m_reading && !ReadLines(until))
        return m_over;
    if (m_order == Order::ByName && !m_items.Sort(until))
        return false;
    m_over = true;
    return true;
}

double CCsvImportJob::Progress() const
{
    if (m_over)
        return 1.0;
    if (m_reading)
        return m_reader && m_size > 0 ? kReadingShare * double(m_reader->Position()) / double(m_size) : 0.0;
    return kReadingShare + (1.0 - kReadingShare) * m_items.SortProgress();
}

bool CCsvImportJob::Finish(Status status, qint64 line, const QString &reason)
{
    m_outcome = Result{status, line, reason, QString()};
    m_over = true;
    return false;
}

bool CCsvImportJob::ReadLines(const QDeadlineTimer &until)
{
    if (!m_reader) {
        if (m_device.isSequential() || !m_device.seek(0))
            return Finish(Status::ReadFailed, 0, m_device.errorString());
        char head[3] = {};
        const qint64 got = m_device.read(head, 3);
        if (got == 3 && std::memcmp(head, Utf8::kBom, 3) == 0)
            m_code = Code::Utf8; // marked as UTF-8: a bad byte is no sign of another code
        else if (!m_device.seek(0))
            return Finish(Status::ReadFailed, 0, m_device.errorString());
        m_reader = std::make_unique<CCsvLineReader>(m_device);
    }
    for (int n = 1;; ++n) {
        if (n % kLinesPerLook == 0 && until.hasExpired())
            return false;
        QByteArrayView bytes;
        const CCsvLineReader::Next next = m_reader->Read(bytes);
        if (next == CCsvLineReader::Next::Line) {
            ++m_lineNumber;
            TakeLine(bytes);
            if (m_over)
                return false;
            continue;
        }
        // An earlier line that failed as UTF-8 fails for good now.
        if (!m_pending.Ok()) {
            m_outcome = m_pending;
            m_over = true;
            return false;
        }
        switch (next) {
        case CCsvLineReader::Next::Line:
        case CCsvLineReader::Next::End:
            break;
        case CCsvLineReader::Next::TooLong:
            return Finish(Status::LineTooLong, m_lineNumber + 1);
        case CCsvLineReader::Next::NotText:
            return Finish(Status::NotText, m_lineNumber + 1);
        case CCsvLineReader::Next::Failed:
            return Finish(Status::ReadFailed, m_lineNumber + 1, m_reader->ErrorString());
        }
        m_reading = false;
        return true;
    }
}

void CCsvImportJob::TakeLine(QByteArrayView bytes)
{
    const bool ascii = IsAscii(bytes);
    if (!ascii && m_code == Code::Utf8) {
        // The mark says UTF-8: other bytes would be read as U+FFFD, the
        // names garbled without a word.
        CUtf8Scan scan;
        scan.Feed(bytes.data(), bytes.size());
        if (!scan.Valid()) {
            Finish(Status::NotUtf8, m_lineNumber);
            return;
        }
    }
    if (!ascii && m_code == Code::Undecided) {
        CUtf8Scan scan;
        scan.Feed(bytes.data(), bytes.size());
        if (!scan.Valid()) {
            m_code = Code::Windows1252;
            if (m_sawUtf8) {
                // Lines were read as UTF-8 that were not: all are read again.
                m_pending = Result();
                m_items.Clear();
                m_inFileOrder.clear();
                m_lineNumber = 0;
                if (!m_reader->Restart(0))
                    Finish(Status::ReadFailed, 1, m_reader->ErrorString());
                return;
            }
        } else {
            m_sawUtf8 = true;
        }
    }
    if (!m_pending.Ok())
        return; // only looking for a byte that makes the file Windows-1252

    QString line = ascii                       ? QString::fromLatin1(bytes)
            : m_code == Code::Windows1252 ? CodePage::FromWindows1252(bytes.toByteArray())
                                          : QString::fromUtf8(bytes);
    TrimEnd(line);
    line.append(u',');
    CListItem item;
    const Status status = ItemFromLine(line, m_fields, item);
    if (status == Status::Ok) {
        if (m_order == Order::ByName)
            m_items.Add(std::move(item));
        else
            m_inFileOrder.append(std::move(item));
    } else if (!ascii && m_code == Code::Undecided) {
        // Read as Windows-1252 the line may pass (a trailing byte that is
        // a blank in UTF-8 is none there).
        m_pending = Result{status, m_lineNumber, QString(), QString()};
    } else {
        Finish(status, m_lineNumber);
    }
}

QList<CListItem> CCsvImportJob::TakeItems()
{
    return m_order == Order::ByName ? m_items.TakeSorted() : std::exchange(m_inFileOrder, {});
}

namespace CsvImport {

Result RunToTheEnd(CCsvImportJob &job, CListItemArray &list)
{
    job.Step(QDeadlineTimer(QDeadlineTimer::Forever));
    if (!job.Outcome().Ok())
        return job.Outcome();
    if (list.m_items.isEmpty())
        list.m_items = job.TakeItems();
    else
        AddItemsSorted(list, job.TakeItems());
    return {};
}

Result ImportCsvDevice(QIODevice &device, const CImportFields &fields, CListItemArray &list)
{
    CCsvImportJob job(device, fields,
                      list.m_items.isEmpty() ? CCsvImportJob::Order::ByName : CCsvImportJob::Order::AsInFile);
    return RunToTheEnd(job, list);
}

Result ReadDroppedCsv(const QString &path, const CImportFields &fields, QList<CListItem> &items)
{
    Result failure;
    std::unique_ptr<CCsvImportJob> job = CCsvImportJob::Open(path, fields, failure, CCsvImportJob::Order::AsInFile);
    if (!job)
        return failure;
    if (job->Size() > kMaxWholeFileBytes)
        return Result{Status::TooLarge, 0, QString(), path};
    job->Step(QDeadlineTimer(QDeadlineTimer::Forever));
    if (!job->Outcome().Ok())
        return job->Outcome();
    items = job->TakeItems();
    return {};
}

Result ReadDroppedText(const QString &path, QString &text)
{
    QFile file;
    if (Result opened = OpenWholeFile(file, path); !opened.Ok())
        return opened;
    char head[3] = {};
    const bool marked = file.read(head, 3) == 3 && std::memcmp(head, Utf8::kBom, 3) == 0;
    if (!marked && !file.seek(0))
        return Result{Status::ReadFailed, 0, file.errorString(), path};
    CCsvLineReader reader(file);
    QByteArray bytes;
    CUtf8Scan scan;
    for (qint64 line = 1;; ++line) {
        QByteArrayView read;
        switch (reader.Read(read)) {
        case CCsvLineReader::Next::Line:
            break;
        case CCsvLineReader::Next::End:
            text = marked || scan.Valid() ? QString::fromUtf8(bytes) : CodePage::FromWindows1252(bytes);
            return {};
        case CCsvLineReader::Next::TooLong:
            return Result{Status::LineTooLong, line, QString(), QString()};
        case CCsvLineReader::Next::NotText:
            return Result{Status::NotText, line, QString(), QString()};
        case CCsvLineReader::Next::Failed:
            return Result{Status::ReadFailed, line, reader.ErrorString(), QString()};
        }
        scan.Feed(read.data(), read.size());
        scan.Feed("\n", 1);
        // Marked as UTF-8, a bad byte would become U+FFFD without a word.
        if (marked && scan.Malformed())
            return Result{Status::NotUtf8, line, QString(), QString()};
        bytes.append(read);
        bytes.append('\n');
    }
}

} // namespace CsvImport
