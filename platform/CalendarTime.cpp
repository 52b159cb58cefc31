#include "platform/CalendarTime.h"

#include <QByteArray>

#include <atomic>
#include <ctime>
#include <limits>
#include <mutex>

namespace {
std::atomic<bool> g_pinned{false};
std::atomic<CalendarTime> g_pinnedNow{0};

// With TZ unset, glibc's mktime goes back to the zone file on every call
// (a stat each time: loading 100,000 items took ten times as long). Naming
// the very file the library falls back to gives identical results and lets
// it keep what it has read. Qt reads ":/etc/localtime" as the system zone.
// A TZ set by the user or a test, even an empty one, is left alone.
void ResolveZoneOnce()
{
    static std::once_flag once;
    std::call_once(once, [] {
#ifdef __GLIBC__
        if (!qEnvironmentVariableIsSet("TZ"))
            qputenv("TZ", QByteArrayLiteral(":/etc/localtime"));
#endif
        tzset();
    });
}
// Days from 1970-01-01 to a date of the proleptic Gregorian calendar, as
// the C library counts them; a day past the month's end runs on into the next.
qint64 DaysFromCivil(qint64 year, int month, int day)
{
    year -= month <= 2 ? 1 : 0;
    const qint64 era = (year >= 0 ? year : year - 399) / 400;
    const qint64 yearOfEra = year - era * 400;
    const qint64 dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const qint64 dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}
} // namespace

namespace CalendarTimeOps {

bool ToLocal(CalendarTime t, LocalFields &out)
{
    if (t < std::numeric_limits<time_t>::min() || t > std::numeric_limits<time_t>::max())
        return false;
    ResolveZoneOnce();
    const time_t tt = static_cast<time_t>(t);
    struct tm tm {};
    if (!localtime_r(&tt, &tm))
        return false;
    out.year = tm.tm_year + 1900;
    out.month = tm.tm_mon + 1;
    out.day = tm.tm_mday;
    out.hour = tm.tm_hour;
    out.minute = tm.tm_min;
    out.second = tm.tm_sec;
    out.dayOfWeek = tm.tm_wday;
    return true;
}

bool FromLocal(int year, int month, int day, int hour, int minute, int second, CalendarTime &out)
{
    ResolveZoneOnce();
    struct tm tm {};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    tm.tm_isdst = -1;
    // mktime answers -1 both for failure and for 1969-12-31 23:59:59 UTC;
    // tm_wday stays untouched only on failure.
    tm.tm_wday = -1;
    const time_t t = mktime(&tm);
    if (t == static_cast<time_t>(-1) && tm.tm_wday == -1)
        return false;
    out = static_cast<CalendarTime>(t);
    return true;
}

bool LocalTimeRun::FromLocal(int year, int month, int day, int hour, int minute, int second, CalendarTime &out)
{
    const bool usual = month >= 1 && month <= 12 && day >= 1 && day <= 31 && hour >= 0 && hour <= 23
            && minute >= 0 && minute <= 59 && second >= 0 && second <= 59;
    if (!usual) {
        // Normalised by the C library alone.
        m_haveOffset = false;
        return CalendarTimeOps::FromLocal(year, month, day, hour, minute, second, out);
    }
    const qint64 local = DaysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
    if (m_haveOffset) {
        ResolveZoneOnce();
        const time_t guess = static_cast<time_t>(local - m_offset);
        struct tm tm {};
        if (localtime_r(&guess, &tm) && tm.tm_year == year - 1900 && tm.tm_mon == month - 1 && tm.tm_mday == day
            && tm.tm_hour == hour && tm.tm_min == minute && tm.tm_sec == second) {
            out = static_cast<CalendarTime>(guess);
            return true;
        }
    }
    m_haveOffset = CalendarTimeOps::FromLocal(year, month, day, hour, minute, second, out);
    m_offset = local - out;
    return m_haveOffset;
}

CalendarTime Now()
{
    if (g_pinned.load())
        return g_pinnedNow.load();
    return static_cast<CalendarTime>(std::time(nullptr));
}

void SetNowForTesting(CalendarTime t)
{
    g_pinnedNow.store(t);
    g_pinned.store(true);
}

void ClearNowForTesting()
{
    g_pinned.store(false);
}

CalendarTime TodayAtNoon()
{
    LocalFields f;
    const CalendarTime now = Now();
    if (!ToLocal(now, f))
        return now;
    CalendarTime t = now;
    FromLocal(f.year, f.month, f.day, 12, 0, 0, t);
    return t;
}

} // namespace CalendarTimeOps
