#pragma once

#include <QDate>
#include <QDateTime>

// The stored date-time: days since 30 December 1899, the fraction being the time
// of day; 0 means "no date". All conversions to and from Qt's types live here.
using TDateTime = double;

namespace qel {

QDate EpochDate();  // 1899-12-30

TDateTime ToDateTime(const QDate& date);             // invalid date -> 0
TDateTime ToDateTime(const QDateTime& dateTime);     // invalid -> 0
QDate DateOf(TDateTime value);                       // whole days; 0 -> invalid QDate
QDateTime DateTimeOf(TDateTime value);               // 0 -> invalid QDateTime

// yyyymmdd as configuration files store dates; 0 or a bad value -> invalid date.
QDate DateFromYmd(int yyyymmdd);
int YmdFromDate(const QDate& date);

}  // namespace qel
