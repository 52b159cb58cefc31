#pragma once

#include "platform/CalendarTime.h"

// OLE Automation dates: days since 1899-12-30 00:00 as a double, the time of
// day as the fraction. Before that day the whole part counts backwards while
// the fraction still counts forwards (-1.25 is 1899-12-29 06:00). The fields
// are local date and time fields; no time zone is involved.
namespace OleDate {

double FromFields(const LocalFields &fields);

// Breaks a date into fields, rounded to the nearest millisecond first so
// that a value a hair below a full minute or day is not taken for the one
// before it; the milliseconds are then dropped. False for NaN, infinities
// and values beyond the years 100 to 9999.
bool ToFields(double oleDate, LocalFields &out);

} // namespace OleDate
