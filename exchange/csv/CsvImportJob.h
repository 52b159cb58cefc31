#pragma once

#include "exchange/csv/CsvImport.h"
#include "exchange/csv/CsvLineReader.h"
#include "exchange/csv/ImportFields.h"
#include "model/ListItemArray.h"

#include <QDeadlineTimer>

#include <memory>

class QFile;

// One import of a comma-separated file, done a step at a time, so that the
// program can keep its window alive, show how far it has come and drop it
// half-way: nothing of it reaches a list before every line was read. Each
// line becomes one item (see CsvImport); the items end up in name order.
//
// The file's bytes are judged as they are read: UTF-8 while they are well
// formed, and once a byte shows they are not, the whole file is
// Windows-1252, the lines read so far too (they are read again when one of
// them was taken for UTF-8).
class CCsvImportJob
{
public:
    // Opens the file at `path` for an import; a folder, device or named pipe
    // is refused without being opened. Null, with `failure` saying why, when
    // the file cannot be imported at all.
    // The items are put in name order, or left in the file's order.
    enum class Order { ByName, AsInFile };
    static std::unique_ptr<CCsvImportJob> Open(const QString &path, const CImportFields &fields,
                                               CsvImport::Result &failure, Order order = Order::ByName);
    // An import of an open device from its start, which must be seekable and
    // outlive the job.
    CCsvImportJob(QIODevice &device, const CImportFields &fields, Order order = Order::ByName);
    ~CCsvImportJob();

    // Works until `until` has expired, a little at least; true once the
    // import is over (see Outcome).
    bool Step(const QDeadlineTimer &until);
    // The size of the file, as it was when the job began.
    qint64 Size() const { return m_size; }
    // How far the import has come, from 0 to 1.
    double Progress() const;
    // Ok once every line became an item.
    const CsvImport::Result &Outcome() const { return m_outcome; }
    // After an Ok outcome: the items.
    QList<CListItem> TakeItems();

private:
    enum class Code { Undecided, Utf8, Windows1252 };

    bool ReadLines(const QDeadlineTimer &until);
    void TakeLine(QByteArrayView bytes);
    bool Finish(CsvImport::Status status, qint64 line, const QString &reason = QString());

    std::unique_ptr<QFile> m_file; // when the job opened it
    QIODevice &m_device;
    CImportFields m_fields;
    Order m_order;
    qint64 m_size = 0;
    bool m_started = false;
    std::unique_ptr<CCsvLineReader> m_reader;
    Code m_code = Code::Undecided;
    qint64 m_lineNumber = 0;
    // A line was read as UTF-8 while the code was undecided.
    bool m_sawUtf8 = false;
    // A line that failed as UTF-8: whether it fails is certain only once no
    // later byte makes the file Windows-1252.
    CsvImport::Result m_pending;
    bool m_reading = true;
    bool m_over = false;
    CsvImport::Result m_outcome;
    CSortedListBuilder m_items;
    QList<CListItem> m_inFileOrder; // for Order::AsInFile
};

// A whole import at once: the job run to its end, one item per line. Into
// an empty list the items come in name order; into a list that has items
// already, each new one is added as AddItemsSorted adds it. On any failure
// the list is left exactly as it was: there is no partial import.
namespace CsvImport {

// The job, opened or made, run to its end.
Result RunToTheEnd(CCsvImportJob &job, CListItemArray &list);
// An open, seekable device, from its start.
Result ImportCsvDevice(QIODevice &device, const CImportFields &fields, CListItemArray &list);

// Files dropped on the window, read at once with the import's checks: an
// ordinary file, no larger than kMaxWholeFileBytes, text (no zero byte, no
// line longer than CCsvLineReader::kMaxLine), in UTF-8 or else
// Windows-1252, and one marked as UTF-8 must be that.
// A comma-separated file: its items, in the file's order.
Result ReadDroppedCsv(const QString &path, const CImportFields &fields, QList<CListItem> &items);
// Any other text: the whole of it, its lines ended by line feeds.
Result ReadDroppedText(const QString &path, QString &text);

} // namespace CsvImport
