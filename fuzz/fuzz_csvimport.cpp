// The CSV import of one file, held in memory, with field settings taken from
// the first bytes. Besides not crashing: the file's lines are read back as
// they stand, between their ends; a failure leaves the list exactly as it
// was; a success adds items in name order, built as the settings say, and
// importing into a list that has items gives what adding them one by one does.

#include "exchange/csv/CsvImportJob.h"
#include "exchange/csv/CsvLineReader.h"
#include "fuzz/FuzzCheck.h"

#include <QBuffer>

#include <cmath>

namespace {

constexpr size_t kSettingsBytes = 4;

CsvImport::Result Import(const QByteArray &content, const CImportFields &fields, CListItemArray &list)
{
    QBuffer buffer;
    buffer.setData(content);
    buffer.open(QIODevice::ReadOnly);
    return CsvImport::ImportCsvDevice(buffer, fields, list);
}

// Each line is the bytes between two line ends (LF, CR or CR LF), none
// longer than the limit, none holding a zero byte.
void CheckLines(const QByteArray &content)
{
    QBuffer buffer;
    buffer.setData(content);
    buffer.open(QIODevice::ReadOnly);
    CCsvLineReader reader(buffer);
    QByteArrayView line;
    qint64 end = 0;
    CCsvLineReader::Next next;
    while ((next = reader.Read(line)) == CCsvLineReader::Next::Line) {
        FUZZ_CHECK(reader.LineStart() == end);
        FUZZ_CHECK(line.size() <= CCsvLineReader::kMaxLine);
        FUZZ_CHECK(QByteArrayView(content).sliced(reader.LineStart(), line.size()) == line);
        FUZZ_CHECK(!line.contains('\n') && !line.contains('\r') && !line.contains('\0'));
        const QByteArray lineEnd = content.mid(reader.LineStart() + line.size(),
                                               reader.Position() - reader.LineStart() - line.size());
        FUZZ_CHECK(lineEnd == "\n" || lineEnd == "\r" || lineEnd == "\r\n"
                   || (lineEnd.isEmpty() && reader.Position() == content.size()));
        end = reader.Position();
    }
    FUZZ_CHECK(next != CCsvLineReader::Next::Failed);
    if (next == CCsvLineReader::Next::End)
        FUZZ_CHECK(end == content.size());
}

bool InNameOrder(const QList<CListItem> &items)
{
    for (qsizetype i = 1; i < items.size(); ++i) {
        if (CompareItemNames(items.at(i - 1).m_strName.View(), items.at(i).m_strName.View()) > 0)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < kSettingsBytes)
        return 0;
    // Field numbers from -1 to 6 reach every rule: negative, none, present
    // and beyond the line; the icon may be any number at all.
    CImportFields fields;
    fields.nameField = data[0] % 8 - 1;
    fields.descField = data[1] % 8 - 1;
    fields.priceField = data[2] % 8 - 1;
    fields.icon = static_cast<int>(static_cast<int8_t>(data[3])) * 1000;
    const QByteArray content(reinterpret_cast<const char *>(data + kSettingsBytes),
                             static_cast<qsizetype>(size - kSettingsBytes));

    CheckLines(content);

    // Into a list that already has an item the import takes another road.
    CListItemArray existing;
    CListItem first;
    first.SetName(content.isEmpty() ? QString() : QString(QChar(u'a' + data[kSettingsBytes] % 26)));
    existing.m_items.append(first);
    const CListItemArray before = existing;

    CListItemArray fresh;
    const CsvImport::Result result = Import(content, fields, fresh);
    const CsvImport::Result again = Import(content, fields, existing);
    FUZZ_CHECK(again.status == result.status && again.line == result.line);
    if (!result.Ok()) {
        FUZZ_CHECK(fresh.m_items.isEmpty());
        FUZZ_CHECK(existing == before);
        FUZZ_CHECK(result.line >= 1);
        FUZZ_CHECK(!CsvImport::ImportMessage(result).isEmpty());
        return 0;
    }
    FUZZ_CHECK(InNameOrder(fresh.m_items));
    for (const CListItem &item : fresh.m_items) {
        FUZZ_CHECK(item.m_nIcon == fields.icon);
        for (const CCompactText *text : {&item.m_strName, &item.m_strDesc}) {
            FUZZ_CHECK(text->size() <= CCsvLineReader::kMaxLine);
            for (const char16_t c : {u',', u'\n', u'\r', u'\0'})
                FUZZ_CHECK(!text->ToString().contains(QChar(c)));
        }
        FUZZ_CHECK(fields.descField > 0 || item.m_strDesc.isEmpty());
        FUZZ_CHECK(std::isfinite(item.m_dPrice));
        FUZZ_CHECK(fields.priceField > 0 || item.m_dPrice == 0.0);
        FUZZ_CHECK(!item.m_bDone && !item.m_bDated);
    }

    // There: the same items, each added by name after the one already there.
    CListItemArray expected = before;
    for (const CListItem &item : fresh.m_items)
        expected.AddItemSorted(item);
    FUZZ_CHECK(existing.m_items.size() == expected.m_items.size());
    for (qsizetype i = 0; i < expected.m_items.size(); ++i) {
        const CListItem &a = existing.m_items.at(i);
        const CListItem &b = expected.m_items.at(i);
        // Items built at a different moment may differ in their time alone.
        FUZZ_CHECK(a.m_strName == b.m_strName && a.m_strDesc == b.m_strDesc && a.m_nIcon == b.m_nIcon
                   && (a.m_dPrice == b.m_dPrice));
    }
    return 0;
}
