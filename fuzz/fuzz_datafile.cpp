// The data-file reader on any bytes. Whatever it accepts as complete must
// save and load back to the same lists, and save to the same bytes again.

#include "fuzz/FuzzCheck.h"
#include "model/DataFile.h"

#include <QBuffer>

#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {

bool SameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0; // a NaN price is still the same price
}

bool SameItem(const CListItem &a, const CListItem &b)
{
    return a.m_nIcon == b.m_nIcon && a.m_bDone == b.m_bDone && a.m_bDated == b.m_bDated
            && a.m_strName == b.m_strName && a.m_strDesc == b.m_strDesc && a.m_time == b.m_time
            && SameBits(a.m_dPrice, b.m_dPrice);
}

bool SameLists(const CListCollection &a, const CListCollection &b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        const CListItemArray &x = a.at(i);
        const CListItemArray &y = b.at(i);
        if (x.m_strName != y.m_strName || x.m_nIcon != y.m_nIcon || x.m_items.size() != y.m_items.size())
            return false;
        for (qsizetype j = 0; j < x.m_items.size(); ++j) {
            if (!SameItem(x.m_items.at(j), y.m_items.at(j)))
                return false;
        }
    }
    return true;
}

DataFile::LoadResult Load(const QByteArray &bytes, CListCollection &lists)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return DataFile::Read(buffer, lists);
}

// Memory that says it cannot tell its size, as a pipe cannot: the reader
// then takes long texts piece by piece instead of checking them up front.
class Pipe : public QIODevice
{
public:
    explicit Pipe(const QByteArray &data) : m_data(data) { open(QIODevice::ReadOnly); }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        const qint64 n = qMin(maxSize, m_data.size() - m_pos);
        std::memcpy(data, m_data.constData() + m_pos, static_cast<size_t>(n));
        m_pos += n;
        return n;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    const QByteArray &m_data;
    qint64 m_pos = 0;
};

QByteArray Save(const CListCollection &lists)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QString error;
    FUZZ_CHECK(DataFile::Write(buffer, lists, &error));
    return buffer.data();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // A zone without daylight saving: a repeated hour may load as either of
    // its instants, which is allowed and would look like a difference here.
    setenv("TZ", "UTC", 1);
    tzset();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    CListCollection lists;
    const DataFile::LoadResult result = Load(bytes, lists);

    // Through a pipe the same lists load, and the file is judged the same.
    CListCollection piped;
    Pipe pipe(bytes);
    FUZZ_CHECK(DataFile::Read(pipe, piped).status == result.status);
    FUZZ_CHECK(SameLists(piped, lists));
    if (result.status != DataFile::LoadStatus::Complete) {
        FUZZ_CHECK(!result.errorString.isEmpty());
        return 0;
    }
    FUZZ_CHECK(result.errorString.isEmpty());

    const QByteArray saved = Save(lists);
    CListCollection again;
    FUZZ_CHECK(Load(saved, again).status == DataFile::LoadStatus::Complete);
    FUZZ_CHECK(SameLists(lists, again));
    FUZZ_CHECK(Save(again) == saved);
    return 0;
}
