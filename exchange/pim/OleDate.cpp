#include "exchange/pim/OleDate.h"

#include <QDate>

#include <cmath>

namespace {

const QDate kEpoch(1899, 12, 30);
constexpr qint64 kMsPerDay = 86400000;
// 0100-01-01 and the end of 9999-12-31, the range the format allows.
constexpr double kMin = -657434.0;
constexpr double kMax = 2958466.0;

} // namespace

namespace OleDate {

double FromFields(const LocalFields &f)
{
    const qint64 days = kEpoch.daysTo(QDate(f.year, f.month, f.day));
    const double fraction = (f.hour * 3600 + f.minute * 60 + f.second) / 86400.0;
    return days >= 0 ? double(days) + fraction : double(days) - fraction;
}

bool ToFields(double oleDate, LocalFields &out)
{
    if (!std::isfinite(oleDate) || oleDate <= kMin - 1.0 || oleDate >= kMax)
        return false;
    const double whole = std::trunc(oleDate);
    qint64 ms = std::llround(std::fabs(oleDate - whole) * double(kMsPerDay));
    QDate date = kEpoch.addDays(qint64(whole));
    if (ms >= kMsPerDay) {
        ms -= kMsPerDay;
        date = date.addDays(1);
    }
    if (!date.isValid() || date.year() < 100 || date.year() > 9999)
        return false;
    const qint64 seconds = ms / 1000;
    out.year = date.year();
    out.month = date.month();
    out.day = date.day();
    out.hour = int(seconds / 3600);
    out.minute = int(seconds / 60 % 60);
    out.second = int(seconds % 60);
    out.dayOfWeek = date.dayOfWeek() % 7;
    return true;
}

} // namespace OleDate
