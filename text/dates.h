#pragma once

#include "platform/datetime.h"

#include <QString>

// Polish date texts and date arithmetic. A date is a TDateTime; 0 means "no
// date" and shows as "-". Weekdays are numbered 1 = Sunday ... 7 = Saturday.

// The platform's date formatter on the program's Polish settings (d dd ddd dddd,
// m mm mmm mmmm, yy yyyy, h hh, n nn (m right after h), s ss, z zzz, "/" the
// date separator, quoted text copied) plus "mmmmm" (month in the genitive) and
// "%r" / "%R" (month as a Roman numeral); "#" becomes '"' and "`" an apostrophe.
QString PolishFormatDateTime(const QString& format, TDateTime date);

QString LongDateText(TDateTime date);      // «sobota, 21 grudnia 2002»
QString DateText(TDateTime date);          // «21 grudnia 2002»
QString DateTimeText(TDateTime date);      // «sobota, 21 grudnia 2002, 15:30»
QString ShortDateText(TDateTime date);     // «21-12-2002»; 0 -> "-"
QString ShortDateTextOrEmpty(TDateTime date);  // the same, 0 -> ""

// «dzisiaj», «jutro», «za 3 dni», «dwa tygodnie temu», «za 2 miesiące» ...
QString RelativeDayPhrase(TDateTime date);

// «MCMXCIX»; outside 1 ... 3 998 the decimal digits.
QString RomanNumeral(int n);

int DaysInMonth(int month, int year);
// 366 for every year divisible by 4: the day count the interest rules use.
int DaysInYear(int year);

// Month steps with the day clamped to each target month; the time is dropped.
TDateTime AddMonths(int n, TDateTime date);
TDateTime FirstDayOfMonth(TDateTime date);
TDateTime LastDayOfMonth(TDateTime date);

// yyyymmdd -> date; an invalid combination gives 0.
TDateTime DateFromNumber(int yyyymmdd);

// A duration below one day: «1 godz. 5 min. 0 sek.», «12 sek.», «1,50 sek.».
QString DurationText(TDateTime duration);

// The date of a "Last-Modified:" line of an HTTP reply; 0 when it cannot be read.
TDateTime ParseLastModified(const QString& line);

// Polish statutory public holidays, the movable feasts computed for every year.
bool IsHoliday(TDateTime date);

// The date itself or the first day after it that is no holiday, no Sunday and
// (unless Saturday works) no Saturday; at most 31 days on.
TDateTime NextWorkingDay(bool saturdayWorks, TDateTime date);
