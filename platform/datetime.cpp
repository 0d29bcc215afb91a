#include "platform/datetime.h"

#include <cmath>

namespace qel {

QDate EpochDate()
{
    return QDate(1899, 12, 30);
}

TDateTime ToDateTime(const QDate& date)
{
    if (!date.isValid())
        return 0;
    return static_cast<double>(EpochDate().daysTo(date));
}

TDateTime ToDateTime(const QDateTime& dateTime)
{
    if (!dateTime.isValid())
        return 0;
    const double days = ToDateTime(dateTime.date());
    const double fraction = dateTime.time().msecsSinceStartOfDay() / 86400000.0;
    // Before the epoch the fraction still counts forward from midnight.
    return days >= 0 ? days + fraction : days - fraction;
}

QDate DateOf(TDateTime value)
{
    if (value == 0 || !std::isfinite(value) || std::fabs(value) > 3.0e6)
        return QDate();
    return EpochDate().addDays(static_cast<qint64>(std::trunc(value)));
}

QDateTime DateTimeOf(TDateTime value)
{
    const QDate d = DateOf(value);
    if (!d.isValid())
        return QDateTime();
    const double fraction = std::fabs(value - std::trunc(value));
    const int ms = static_cast<int>(std::lround(fraction * 86400000.0));
    return QDateTime(d, QTime(0, 0)).addMSecs(qMin(ms, 86399999));
}

QDate DateFromYmd(int yyyymmdd)
{
    if (yyyymmdd <= 0)
        return QDate();
    return QDate(yyyymmdd / 10000, (yyyymmdd / 100) % 100, yyyymmdd % 100);
}

int YmdFromDate(const QDate& date)
{
    if (!date.isValid())
        return 0;
    return date.year() * 10000 + date.month() * 100 + date.day();
}

}  // namespace qel
