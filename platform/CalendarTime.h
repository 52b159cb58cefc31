#pragma once

#include <QtGlobal>

// Calendar time: seconds since 1970-01-01 00:00:00 UTC, signed 64-bit so that
// dates after January 2038 stay right. Conversions to and from calendar fields
// use the local time zone of the moment (TZ), as the C library sees it.
using CalendarTime = qint64;

struct LocalFields
{
    int year = 1970;   // full year, e.g. 2002
    int month = 1;     // 1..12
    int day = 1;       // 1..31
    int hour = 0;      // 0..23
    int minute = 0;    // 0..59
    int second = 0;    // 0..59
    int dayOfWeek = 4; // 0 = Sunday .. 6
};

namespace CalendarTimeOps {

// Breaks t down in local time. False when the C library cannot represent it.
bool ToLocal(CalendarTime t, LocalFields &out);

// Builds a calendar time from local fields, the daylight-saving decision left
// to the system (tm_isdst = -1). Out-of-range fields are normalised the way
// mktime normalises them. False when the result cannot be represented.
bool FromLocal(int year, int month, int day, int hour, int minute, int second, CalendarTime &out);

// FromLocal for many times in a row, as a data file holds them: each is
// first tried at the offset from UTC of the one before, which one
// conversion back to local time confirms or refuses, and only a time at
// another offset (summer or winter time, a zone changed meanwhile) goes to
// the C library's conversion, which costs about three such. In the hour that
// repeats when summer time ends, the instant at the offset of the time
// before is taken, as the C library itself chooses.
class LocalTimeRun
{
public:
    bool FromLocal(int year, int month, int day, int hour, int minute, int second, CalendarTime &out);

private:
    bool m_haveOffset = false;
    qint64 m_offset = 0; // local seconds minus UTC seconds
};

// The current time; tests may pin it.
CalendarTime Now();
void SetNowForTesting(CalendarTime t);
void ClearNowForTesting();

// Today's local date at 12:00:00, as the item dialogs start from.
CalendarTime TodayAtNoon();

} // namespace CalendarTimeOps
