// The item and list records of the data file.

#include "model/Archive.h"
#include "model/ListItem.h"
#include "model/ListItemArray.h"
#include "res/Tr.h"

#include <QtEndian>

#include <cstring>
#include <limits>

namespace {

// An item's time as the data file stores it: eight 16-bit words of local
// time, in this order.
struct SystemTime
{
    quint16 year = 0;
    quint16 month = 1;
    quint16 dayOfWeek = 0;
    quint16 day = 1;
    quint16 hour = 0;
    quint16 minute = 0;
    quint16 second = 0;
    quint16 milliseconds = 0;
};
// Copied to and from the file's words as it stands.
static_assert(sizeof(SystemTime) == 8 * sizeof(quint16));

// An item record after its texts: done, dated, price and time. Written and
// read at once, as one piece of the archive.
constexpr qsizetype kFixedTail = 4 + 4 + 8 + sizeof(SystemTime);
// Two empty texts in their shortest form (a length byte each), the icon and
// the fixed fields.
constexpr qint64 kSmallestItemRecord = 1 + 4 + 1 + kFixedTail;

// 0 = Sunday, proleptic Gregorian calendar; for years from 0 on.
int DayOfWeek(int year, int month, int day)
{
    static constexpr int offsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    // 400 years are a whole number of weeks; the shift keeps the divisions
    // below away from negative years.
    year += 400;
    if (month < 3)
        --year;
    return (year + year / 4 - year / 100 + year / 400 + offsets[month - 1] + day) % 7;
}

SystemTime Saturated(bool late)
{
    // A time whose local year does not fit the file's WORD is stored as the
    // nearest moment that does, rather than as a wrapped-around year.
    SystemTime st;
    if (late) {
        st.year = std::numeric_limits<quint16>::max();
        st.month = 12;
        st.day = 31;
        st.hour = 23;
        st.minute = 59;
        st.second = 59;
    }
    st.dayOfWeek = static_cast<quint16>(DayOfWeek(st.year, st.month, st.day));
    return st;
}

SystemTime ToSystemTime(CalendarTime t)
{
    LocalFields f;
    if (!CalendarTimeOps::ToLocal(t, f))
        return Saturated(t > 0);
    if (f.year < 0)
        return Saturated(false);
    if (f.year > std::numeric_limits<quint16>::max())
        return Saturated(true);
    SystemTime st;
    st.year = static_cast<quint16>(f.year);
    st.month = static_cast<quint16>(f.month);
    st.dayOfWeek = static_cast<quint16>(f.dayOfWeek);
    st.day = static_cast<quint16>(f.day);
    st.hour = static_cast<quint16>(f.hour);
    st.minute = static_cast<quint16>(f.minute);
    st.second = static_cast<quint16>(f.second);
    return st;
}

// Fields in their usual ranges stay within the file's years once normalised.
bool UsualFields(const SystemTime &st)
{
    return st.year < std::numeric_limits<quint16>::max() && st.month >= 1 && st.month <= 12 && st.day >= 1
            && st.day <= 31 && st.hour <= 23 && st.minute <= 59 && st.second <= 59;
}

bool FitsFileYears(CalendarTime t)
{
    LocalFields f;
    return CalendarTimeOps::ToLocal(t, f) && f.year >= 0 && f.year <= std::numeric_limits<quint16>::max();
}

bool ReadSystemTime(CArchiveReader &ar, SystemTime &st)
{
    return ar.ReadWord(st.year) && ar.ReadWord(st.month) && ar.ReadWord(st.dayOfWeek)
            && ar.ReadWord(st.day) && ar.ReadWord(st.hour) && ar.ReadWord(st.minute)
            && ar.ReadWord(st.second) && ar.ReadWord(st.milliseconds);
}

QString DateInvalid(qint64 offset)
{
    return Tr::tr("an item's date cannot be represented (byte %1)").arg(offset);
}

} // namespace

void CListItem::Serialize(CArchiveWriter &ar) const
{
    ar.WriteString(m_strName);
    ar.WriteLong(m_nIcon);
    ar.WriteString(m_strDesc);
    char tail[kFixedTail];
    qToLittleEndian<qint32>(m_bDone ? 1 : 0, tail);
    qToLittleEndian<qint32>(m_bDated ? 1 : 0, tail + 4);
    quint64 bits;
    std::memcpy(&bits, &m_dPrice, sizeof bits);
    qToLittleEndian(bits, tail + 8);
    const SystemTime st = ToSystemTime(m_time);
    qToLittleEndian<quint16>(&st, 8, tail + 16);
    ar.WriteBytes(tail, kFixedTail);
}

bool CListItem::Serialize(CArchiveReader &ar)
{
    if (!(ar.ReadString(m_strName) && ar.ReadLong(m_nIcon) && ar.ReadString(m_strDesc)))
        return false;
    qint32 done = 0;
    qint32 dated = 0;
    SystemTime st;
    const qint64 timeAt = ar.Offset() + 16;
    // One by one only where the file does not hold them all: a short file
    // then says which field is cut.
    if (const char *p = ar.TryTake(kFixedTail)) {
        done = qFromLittleEndian<qint32>(p);
        dated = qFromLittleEndian<qint32>(p + 4);
        const quint64 bits = qFromLittleEndian<quint64>(p + 8);
        std::memcpy(&m_dPrice, &bits, sizeof m_dPrice);
        qFromLittleEndian<quint16>(p + 16, 8, &st);
    } else if (!(ar.ReadLong(done) && ar.ReadLong(dated) && ar.ReadDouble(m_dPrice) && ReadSystemTime(ar, st))) {
        return false;
    }
    m_bDone = done != 0;
    m_bDated = dated != 0;
    // Day of week and milliseconds are not needed to rebuild the time.
    // Out-of-range fields are normalised by the conversion; only a result
    // the clock cannot hold is refused.
    // The items of a file mostly share their offset from UTC: one run of
    // conversions for all the files this thread reads.
    static thread_local CalendarTimeOps::LocalTimeRun times;
    if (!times.FromLocal(st.year, st.month, st.day, st.hour, st.minute, st.second, m_time))
        return ar.Fail(DateInvalid(timeAt));
    // Fields far out of range (month 65535 of year 65535) can land beyond the
    // years the file can hold. The next save would store the nearest moment
    // it can hold; taking that moment now makes a load and a save agree.
    if (!UsualFields(st) && !FitsFileYears(m_time)) {
        const SystemTime stored = ToSystemTime(m_time);
        if (!CalendarTimeOps::FromLocal(stored.year, stored.month, stored.day, stored.hour, stored.minute,
                                        stored.second, m_time)) {
            return ar.Fail(DateInvalid(timeAt));
        }
    }
    return true;
}

void CListItemArray::Serialize(CArchiveWriter &ar) const
{
    ar.WriteString(m_strName);
    ar.WriteLong(m_nIcon);
    Q_ASSERT(m_items.size() <= std::numeric_limits<qint32>::max());
    ar.WriteLong(static_cast<qint32>(m_items.size()));
    for (const CListItem &item : m_items) {
        if (!ar.Ok())
            return;
        item.Serialize(ar);
    }
}

bool CListItemArray::Serialize(CArchiveReader &ar)
{
    qint32 count = 0;
    if (!(ar.ReadString(m_strName) && ar.ReadLong(m_nIcon) && ar.ReadLong(count)))
        return false;
    // A negative count is an empty list whose next list record follows at
    // once, so that a file holding one opens whole rather than as damaged.
    m_items.clear();
    // Room for as many items as the file can still hold, not for whatever a
    // damaged count claims.
    if (const qint64 left = ar.KnownBytesLeft(); count > 0 && left > 0)
        m_items.reserve(qMin<qint64>(count, left / kSmallestItemRecord));
    CListItem item;
    for (qint32 i = 0; i < count; ++i) {
        if (!item.Serialize(ar))
            return false;
        // Every member of the scratch item is read anew.
        m_items.append(std::move(item));
    }
    return true;
}
