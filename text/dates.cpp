#include "text/dates.h"

#include "platform/clock.h"
#include "text/format.h"
#include "text/money.h"
#include "text/regional.h"
#include "text/strings.h"
#include "text/words.h"

#include <cmath>

namespace {

const char* const kGenitiveMonths[12] = {"stycznia", "lutego", "marca", "kwietnia", "maja", "czerwca",
                                         "lipca", "sierpnia", "września", "października", "listopada", "grudnia"};
const char* const kMonths[12] = {"styczeń", "luty", "marzec", "kwiecień", "maj", "czerwiec",
                                 "lipiec", "sierpień", "wrzesień", "październik", "listopad", "grudzień"};
const char* const kShortMonths[12] = {"sty", "lut", "mar", "kwi", "maj", "cze",
                                      "lip", "sie", "wrz", "paź", "lis", "gru"};
// Monday first, as QDate::dayOfWeek counts.
const char* const kDays[7] = {"poniedziałek", "wtorek", "środa", "czwartek", "piątek", "sobota", "niedziela"};
const char* const kShortDays[7] = {"pon.", "wt.", "śr.", "czw.", "pt.", "sob.", "niedz."};

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

QString Two(int n) { return QString::number(n).rightJustified(2, u'0'); }

// One letter: the plain number; two: two digits.
QString Field(qsizetype letters, int value) { return letters == 1 ? QString::number(value) : Two(value); }

// Replaces the first occurrence of marker by a quoted text, so the date
// formatter copies it as it stands.
void ReplaceFirstQuoted(QString& format, const QString& marker, const QString& value)
{
    const qsizetype at = format.indexOf(marker);
    if (at >= 0)
        format.replace(at, marker.size(), u'"' + value + u'"');
}

QString FormatDate(const QString& format, const QDateTime& when)
{
    const QDate date = when.date();
    const QTime time = when.time();
    QString out;
    bool afterHour = false;
    qsizetype i = 0;
    const auto run = [&](QChar letter) {
        qsizetype n = 0;
        while (i + n < format.size() && format.at(i + n).toLower() == letter)
            ++n;
        i += n;
        return n;
    };
    while (i < format.size()) {
        const QChar c = format.at(i);
        const QChar lower = c.toLower();
        if (c == u'"' || c == u'\'') {
            const qsizetype end = format.indexOf(c, i + 1);
            const qsizetype stop = end < 0 ? format.size() : end;
            out += format.mid(i + 1, stop - i - 1);
            i = stop + 1;
            continue;
        }
        if (c == u'/') {
            out += qel::Regional().dateSeparator;
            ++i;
            continue;
        }
        const QString letters = QStringLiteral("dmyhnszt");
        if (!letters.contains(lower)) {
            out += c;
            ++i;
            continue;
        }
        const qsizetype n = run(lower);
        switch (lower.unicode()) {
        case u'd':
            if (n <= 2)
                out += Field(n, date.day());
            else if (n <= 4)
                out += Text((n == 3 ? kShortDays : kDays)[date.dayOfWeek() - 1]);
            else if (n == 5)
                out += FormatDate(QStringLiteral("dd/mm/yyyy"), when);
            else
                out += QString::number(date.day()) + u' ' + Text(kGenitiveMonths[date.month() - 1]) + u' '
                       + QString::number(date.year());
            break;
        case u'm':
            if (n <= 2)
                out += Field(n, afterHour ? time.minute() : date.month());
            else
                out += Text((n == 3 ? kShortMonths : kMonths)[date.month() - 1]);
            break;
        case u'y':
            out += n <= 2 ? Two(date.year() % 100) : QString::number(date.year()).rightJustified(4, u'0');
            break;
        case u'h':
            out += Field(n, time.hour());
            break;
        case u'n':
            out += Field(n, time.minute());
            break;
        case u's':
            out += Field(n, time.second());
            break;
        case u'z':
            out += n < 3 ? QString::number(time.msec()) : QString::number(time.msec()).rightJustified(3, u'0');
            break;
        default:  // t
            out += FormatDate(n == 1 ? QStringLiteral("h:nn") : QStringLiteral("h:nn:ss"), when);
            break;
        }
        // "m" right after an hour means minutes.
        afterHour = lower == u'h';
    }
    return out;
}

QString DateOrDash(const QString& format, TDateTime date)
{
    return date == 0 ? QStringLiteral("-") : PolishFormatDateTime(format, date).toLower();
}

}  // namespace

QString PolishFormatDateTime(const QString& format, TDateTime date)
{
    const QDateTime when = qel::DateTimeOf(date);
    if (date == 0 || !when.isValid())
        return QStringLiteral("-");
    QString pattern = format;
    const int month = when.date().month();
    ReplaceFirstQuoted(pattern, QStringLiteral("mmmmm"), Text(kGenitiveMonths[month - 1]));
    ReplaceFirstQuoted(pattern, QStringLiteral("%r"), RomanNumeral(month).toLower());
    ReplaceFirstQuoted(pattern, QStringLiteral("%R"), RomanNumeral(month));
    QString out = FormatDate(pattern, when);
    out.replace(u'#', u'"');
    out.replace(u'`', u'\'');
    return out;
}

QString LongDateText(TDateTime date) { return DateOrDash(QStringLiteral("dddd, d mmmmm yyyy"), date); }

QString DateText(TDateTime date) { return DateOrDash(QStringLiteral("d mmmmm yyyy"), date); }

QString DateTimeText(TDateTime date) { return DateOrDash(QStringLiteral("dddd, d mmmmm yyyy, h:mm"), date); }

QString ShortDateText(TDateTime date) { return PolishFormatDateTime(QStringLiteral("d/mm/yyyy"), date); }

QString ShortDateTextOrEmpty(TDateTime date) { return date == 0 ? QString() : ShortDateText(date); }

QString RelativeDayPhrase(TDateTime date)
{
    const QDate day = qel::DateOf(date);
    if (date == 0 || !day.isValid())
        return QStringLiteral("-");
    const qint64 d = qel::Today().daysTo(day);
    struct Phrase {
        int from;
        int to;
        const char* text;
    };
    static const Phrase kPhrases[] = {
        {0, 0, "dzisiaj"}, {1, 1, "jutro"}, {2, 2, "pojutrze"}, {7, 7, "za tydzień"},
        {14, 14, "za dwa tygodnie"}, {21, 21, "za trzy tygodnie"}, {28, 28, "za cztery tygodnie"},
        {30, 31, "za miesiąc"}, {-1, -1, "wczoraj"}, {-2, -2, "przedwczoraj"},
        {-6, -5, "prawie tydzień temu"}, {-7, -7, "tydzień temu"}, {-10, -8, "ponad tydzień temu"},
        {-13, -11, "prawie dwa tygodnie temu"}, {-14, -14, "dwa tygodnie temu"},
        {-17, -15, "ponad dwa tygodnie temu"}, {-20, -18, "prawie trzy tygodnie temu"},
        {-21, -21, "trzy tygodnie temu"}, {-28, -28, "cztery tygodnie temu"},
        {-29, -29, "ponad cztery tygodnie temu"}, {-31, -30, "miesiąc temu"},
    };
    for (const Phrase& p : kPhrases) {
        if (d >= p.from && d <= p.to)
            return Text(p.text);
    }
    const qint64 days = d < 0 ? -d : d;
    const QString months[3] = {QStringLiteral("miesiąc"), QStringLiteral("miesiące"), QStringLiteral("miesięcy")};
    if (d > 0) {
        return days / 30 > 1 ? FormatCount(QStringLiteral("za %d %s"), static_cast<int>(days / 31), months[0], months[1], months[2])
                             : SafeFormat(QStringLiteral("za %d dni"), days);
    }
    return days / 30 > 1 ? FormatCount(QStringLiteral("%d %s temu"), static_cast<int>(days / 31), months[0], months[1], months[2])
                         : SafeFormat(QStringLiteral("%d dni temu"), days);
}

QString RomanNumeral(int n)
{
    if (n < 1 || n > 3998)
        return QString::number(n);
    struct Step {
        int value;
        const char* text;
    };
    static const Step kHundreds[] = {{900, "CM"}, {800, "DCCC"}, {700, "DCC"}, {600, "DC"}, {500, "D"}, {400, "CD"}};
    static const Step kTens[] = {{90, "XC"}, {80, "LXXX"}, {70, "LXX"}, {60, "LX"}, {50, "L"}, {40, "XL"}};
    static const char* const kUnits[10] = {"", "I", "II", "III", "IV", "V", "VI", "VII", "VIII", "IX"};
    QString out;
    int rest = n;
    // At most one numeral of a group (the largest that fits), then the repeated one.
    const auto group = [&](const auto& steps, int unit, const char* repeated) {
        for (const Step& step : steps) {
            if (rest >= step.value) {
                out += QLatin1StringView(step.text);
                rest -= step.value;
                break;
            }
        }
        while (rest >= unit) {
            out += QLatin1StringView(repeated);
            rest -= unit;
        }
    };
    while (rest >= 1000) {
        out += u'M';
        rest -= 1000;
    }
    group(kHundreds, 100, "C");
    group(kTens, 10, "X");
    return out + QLatin1StringView(kUnits[rest]);
}

int DaysInMonth(int month, int year)
{
    static const int kDaysIn[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    if (month == 2 && year % 4 == 0 && (year % 100 != 0 || year % 400 == 0))
        return 29;
    return kDaysIn[month - 1];
}

int DaysInYear(int year) { return year % 4 == 0 ? 366 : 365; }

TDateTime AddMonths(int n, TDateTime date)
{
    if (n == 0)
        return date;
    QDate day = qel::DateOf(date);
    if (!day.isValid())
        return date;
    const int step = n > 0 ? 1 : -1;
    for (int k = 0; k != n; k += step) {
        int month = day.month() + step;
        int year = day.year();
        if (month > 12) {
            month = 1;
            ++year;
        } else if (month < 1) {
            month = 12;
            --year;
        }
        const QDate next(year, month, qMin(day.day(), DaysInMonth(month, year)));
        // Years 1-9999 are what the stored date-time can carry.
        if (next.isValid() && year >= 1 && year <= 9999 && next != qel::EpochDate())
            day = next;
    }
    return qel::ToDateTime(day);
}

TDateTime FirstDayOfMonth(TDateTime date)
{
    const QDate day = qel::DateOf(date);
    return day.isValid() ? qel::ToDateTime(QDate(day.year(), day.month(), 1)) : 0;
}

TDateTime LastDayOfMonth(TDateTime date)
{
    const TDateTime first = FirstDayOfMonth(date);
    return first == 0 ? 0 : AddMonths(1, first) - 1;
}

TDateTime DateFromNumber(int yyyymmdd) { return qel::ToDateTime(qel::DateFromYmd(yyyymmdd)); }

QString DurationText(TDateTime duration)
{
    const long long totalMs = std::llround(qBound(0.0, duration, 1.0) * 86'400'000.0);
    const long long h = totalMs / 3'600'000;
    const long long m = totalMs / 60'000 % 60;
    long long s = totalMs / 1000 % 60;
    const long long ms = totalMs % 1000;
    QString out;
    if (h > 0)
        out += QString::number(h) + QStringLiteral(" godz. ");
    if (m > 0)
        out += QString::number(m) + QStringLiteral(" min. ");
    if (h > 0 || m > 0 || s > 1) {
        out += QString::number(s) + QStringLiteral(" sek. ");
    } else if (ms > 0) {
        long long hundredths = RoundHalfUp(ms / 10.0L);
        if (hundredths == 100) {  // 1,995 s and more read as the next second
            ++s;
            hundredths = 0;
        }
        out = SafeFormat(QStringLiteral("%d,%.02d sek. "), s, hundredths);
    } else {
        out = QString::number(s) + QStringLiteral(" sek. ");
    }
    return out.trimmed();
}

TDateTime ParseLastModified(const QString& line)
{
    QString text = line.toLower();
    text = ReplaceAllNoCase(QStringLiteral("last-modified:"), QString(), text);
    text = ReplaceAllNoCase(QStringLiteral("last-modified"), QString(), text);
    text = ReplaceAllNoCase(QStringLiteral("GMT"), QStringLiteral(" "), text);
    text = ReplaceAllNoCase(QStringLiteral(","), QStringLiteral(" "), text);
    text = ReplaceAllNoCase(QStringLiteral("  "), QStringLiteral(" "), text);
    static const char* const kMonthWords[12] = {"jan", "feb", "mar", "apr", "may", "jun",
                                                "jul", "aug", "sep", "oct", "nov", "dec"};
    int year = 0;
    int month = 0;
    int day = 0;
    QTime time(0, 0);
    for (const QString& word : text.split(u' ', Qt::SkipEmptyParts)) {
        for (int i = 0; i < 12; ++i) {
            if (word == QLatin1StringView(kMonthWords[i]))
                month = i + 1;
        }
        bool isNumber = false;
        const int number = word.toInt(&isNumber);
        if (isNumber && number >= 1 && number <= 31)
            day = number;
        else if (isNumber && number >= 1999)
            year = number;
        if (word.count(u':') == 2) {
            const QStringList parts = word.split(u':');
            const QTime t(parts.at(0).toInt(), parts.at(1).toInt(), parts.at(2).toInt());
            if (t.isValid())
                time = t;
        }
    }
    const QDate date(year, month, day);
    if (year == 0 || month == 0 || day == 0 || !date.isValid())
        return 0;
    return qel::ToDateTime(QDateTime(date, time));
}

namespace {

QDate EasterSunday(int year)
{
    // The Gregorian computus (the anonymous algorithm of Meeus).
    const int a = year % 19;
    const int b = year / 100;
    const int c = year % 100;
    const int d = b / 4;
    const int e = b % 4;
    const int f = (b + 8) / 25;
    const int g = (b - f + 1) / 3;
    const int h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4;
    const int k = c % 4;
    const int l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    const int month = (h + l - 7 * m + 114) / 31;
    const int day = (h + l - 7 * m + 114) % 31 + 1;
    return QDate(year, month, day);
}

}  // namespace

bool IsHoliday(TDateTime date)
{
    const QDate day = qel::DateOf(date);
    if (!day.isValid())
        return false;
    const int y = day.year();
    const int md = day.month() * 100 + day.day();
    switch (md) {
    case 101: case 501: case 503: case 815: case 1101: case 1111: case 1225: case 1226:
        return true;
    case 106:
        return y >= 2011;
    case 1224:
        return y >= 2025;
    default:
        break;
    }
    const qint64 fromEaster = EasterSunday(y).daysTo(day);
    // Easter Sunday and Monday, Pentecost Sunday, Corpus Christi.
    return fromEaster == 0 || fromEaster == 1 || fromEaster == 49 || fromEaster == 60;
}

TDateTime NextWorkingDay(bool saturdayWorks, TDateTime date)
{
    if (date == 0)
        return 0;
    for (int i = 0; i <= 31; ++i) {
        const TDateTime candidate = date + i;
        const QDate day = qel::DateOf(candidate);
        if (!day.isValid())
            continue;
        const int weekday = day.dayOfWeek();
        if (!IsHoliday(candidate) && weekday != 7 && (saturdayWorks || weekday != 6))
            return candidate;
    }
    return date + 31;
}
