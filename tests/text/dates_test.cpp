#include "text/dates.h"

#include "platform/datetime.h"
#include "scratch_home.h"
#include "text/regional.h"

#include <gtest/gtest.h>

namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

TDateTime D(int y, int m, int d) { return qel::ToDateTime(QDate(y, m, d)); }

TDateTime DT(int y, int m, int d, int h, int min, int s = 0)
{
    return qel::ToDateTime(QDateTime(QDate(y, m, d), QTime(h, min, s)));
}

TEST(DateTexts, PolishForms)
{
    const struct { QString got; const char* want; } cases[] = {
        {LongDateText(D(2002, 12, 21)), "sobota, 21 grudnia 2002"},
        {LongDateText(D(2002, 12, 17)), "wtorek, 17 grudnia 2002"},
        {LongDateText(D(2003, 6, 1)), "niedziela, 1 czerwca 2003"},
        {LongDateText(0), "-"},
        {DateText(D(2002, 10, 24)), "24 października 2002"},
        {DateText(DT(2002, 9, 5, 23, 59)), "5 września 2002"},
        {DateText(0), "-"},
        {DateTimeText(DT(2002, 12, 21, 15, 30)), "sobota, 21 grudnia 2002, 15:30"},
        {DateTimeText(DT(2002, 12, 21, 9, 5)), "sobota, 21 grudnia 2002, 9:05"},
        {ShortDateText(D(2002, 12, 7)), "7-12-2002"},
        {ShortDateText(0), "-"},
        {ShortDateTextOrEmpty(0), ""},
        {PolishFormatDateTime(QStringLiteral("dd/mm/yy"), D(2002, 3, 4)), "04-03-02"},
        {PolishFormatDateTime(QStringLiteral("d %r %R yyyy"), D(2002, 12, 4)), "4 xii XII 2002"},
        {PolishFormatDateTime(QStringLiteral("mmmmm mmmmm"), D(2002, 1, 4)), "stycznia styczeń"},
        {PolishFormatDateTime(QStringLiteral("ddd mmm mmmm"), D(2002, 2, 4)), "pon. lut luty"},
        {PolishFormatDateTime(QStringLiteral("hh:nn:ss #d# `m`"), DT(2002, 2, 4, 7, 8, 9)), "07:08:09 \"4\" '2'"},
        {PolishFormatDateTime(QStringLiteral("'d.m.' d.m."), D(2002, 2, 4)), "d.m. 4.2."},
        {PolishFormatDateTime(QStringLiteral("ddddd"), D(2002, 2, 4)), "04-02-2002"},
        {PolishFormatDateTime(QStringLiteral("dddddd"), D(2002, 2, 4)), "4 lutego 2002"},
        {PolishFormatDateTime(QStringLiteral("dddd"), 0), "-"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.got, U(c.want));
}

TEST(DateTexts, DateSeparatorFollowsTheSetting)
{
    qel::SetDateSeparator(u'.');
    const QString dotted = ShortDateText(D(2002, 12, 17));
    qel::SetDateSeparator(u'-');
    EXPECT_EQ(dotted, U("17.12.2002"));
}

TEST(RelativeDayPhrase, FromToday)
{
    ScratchHome home("2002-12-21T10:00:00");
    const TDateTime today = D(2002, 12, 21);
    const struct { int d; const char* want; } cases[] = {
        {0, "dzisiaj"}, {1, "jutro"}, {2, "pojutrze"}, {3, "za 3 dni"}, {7, "za tydzień"},
        {14, "za dwa tygodnie"}, {21, "za trzy tygodnie"}, {28, "za cztery tygodnie"}, {29, "za 29 dni"},
        {30, "za miesiąc"}, {31, "za miesiąc"}, {59, "za 59 dni"}, {60, "za 1 miesiąc"}, {62, "za 2 miesiące"},
        {155, "za 5 miesięcy"},
        {-1, "wczoraj"}, {-2, "przedwczoraj"}, {-3, "3 dni temu"}, {-4, "4 dni temu"},
        {-5, "prawie tydzień temu"}, {-7, "tydzień temu"}, {-9, "ponad tydzień temu"},
        {-12, "prawie dwa tygodnie temu"}, {-14, "dwa tygodnie temu"}, {-16, "ponad dwa tygodnie temu"},
        {-19, "prawie trzy tygodnie temu"}, {-21, "trzy tygodnie temu"}, {-22, "22 dni temu"},
        {-28, "cztery tygodnie temu"}, {-29, "ponad cztery tygodnie temu"}, {-31, "miesiąc temu"},
        {-45, "45 dni temu"}, {-59, "59 dni temu"}, {-60, "1 miesiąc temu"}, {-400, "12 miesięcy temu"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RelativeDayPhrase(today + c.d + 0.75), U(c.want)) << c.d;
    EXPECT_EQ(RelativeDayPhrase(0), U("-"));
}

TEST(RomanNumeral, Cases)
{
    const struct { int n; const char* want; } cases[] = {
        {1999, "MCMXCIX"}, {0, "0"}, {-3, "-3"}, {3999, "3999"}, {3998, "MMMCMXCVIII"}, {4, "IV"},
        {12, "XII"}, {40, "XL"}, {300, "CCC"}, {444, "CDXLIV"}, {888, "DCCCLXXXVIII"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RomanNumeral(c.n), U(c.want)) << c.n;
}

TEST(DayCounts, MonthsAndYears)
{
    EXPECT_EQ(DaysInYear(2100), 366);
    EXPECT_EQ(DaysInYear(2003), 365);
    EXPECT_EQ(DaysInMonth(2, 2100), 28);
    EXPECT_EQ(DaysInMonth(2, 2000), 29);
    EXPECT_EQ(DaysInMonth(2, 2004), 29);
    EXPECT_EQ(DaysInMonth(4, 2002), 30);
    EXPECT_EQ(DaysInMonth(0, 2002), 0);
    EXPECT_EQ(DaysInMonth(13, 2002), 0);
}

TEST(AddMonths, ClampsEachStep)
{
    const struct { int n; TDateTime from; TDateTime want; } cases[] = {
        {1, D(2004, 2, 29), D(2004, 3, 29)},
        {36, D(2002, 1, 31), D(2005, 1, 28)},
        {-1, D(2003, 3, 31), D(2003, 2, 28)},
        {1, D(2004, 1, 31), D(2004, 2, 29)},
        {2, D(2003, 1, 31), D(2003, 3, 28)},
        {12, D(2002, 5, 15), D(2003, 5, 15)},
        {-13, D(2002, 1, 15), D(2000, 12, 15)},
        {1, DT(2002, 5, 15, 12, 0), D(2002, 6, 15)},
        {0, DT(2002, 5, 15, 12, 0), DT(2002, 5, 15, 12, 0)},
        {1, D(9999, 12, 15), D(9999, 12, 15)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AddMonths(c.n, c.from), c.want) << c.n << " " << qel::DateOf(c.from).toString().toStdString();
    EXPECT_EQ(FirstDayOfMonth(DT(2002, 2, 14, 8, 0)), D(2002, 2, 1));
    EXPECT_EQ(LastDayOfMonth(D(2004, 2, 14)), D(2004, 2, 29));
    EXPECT_EQ(LastDayOfMonth(D(2002, 12, 31)), D(2002, 12, 31));
    EXPECT_EQ(LastDayOfMonth(0), 0);
}

TEST(DateFromNumber, ValidAndInvalid)
{
    EXPECT_EQ(DateFromNumber(20021024), D(2002, 10, 24));
    EXPECT_EQ(DateFromNumber(20020231), 0);
    EXPECT_EQ(DateFromNumber(20021301), 0);
    EXPECT_EQ(DateFromNumber(0), 0);
    EXPECT_EQ(DateFromNumber(-20021024), 0);
}

TEST(DurationText, Forms)
{
    const auto T = [](int h, int m, int s, int ms) {
        return ((h * 3600 + m * 60 + s) * 1000.0 + ms) / 86'400'000.0;
    };
    const struct { TDateTime t; const char* want; } cases[] = {
        {T(1, 5, 0, 0), "1 godz. 5 min. 0 sek."}, {T(0, 0, 12, 0), "12 sek."}, {T(0, 0, 1, 500), "1,50 sek."},
        {T(0, 0, 0, 0), "0 sek."}, {T(0, 0, 0, 70), "0,07 sek."}, {T(0, 0, 1, 996), "2,00 sek."},
        {T(0, 0, 1, 0), "1 sek."}, {T(0, 3, 0, 0), "3 min. 0 sek."}, {T(2, 0, 7, 0), "2 godz. 7 sek."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DurationText(c.t), U(c.want)) << c.want;
}

TEST(ParseLastModified, HttpDates)
{
    const struct { const char* line; TDateTime want; } cases[] = {
        {"Last-Modified: Sat, 21 Dec 2002 10:15:30 GMT", DT(2002, 12, 21, 10, 15, 30)},
        {"last-modified: Tue, 07 Jan 2003 08:00:00 GMT", DT(2003, 1, 7, 8, 0)},
        {"Last-Modified: 5 Mar 2001", D(2001, 3, 5)},
        {"Last-Modified: Sat, 31 Feb 2002 10:00:00 GMT", 0},
        {"Last-Modified: Sat, 21 2002 10:00:00 GMT", 0},
        {"Last-Modified: 21 Dec 1998 10:00:00 GMT", 0},
        {"", 0},
        {"śmieci: : : ::", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseLastModified(U(c.line)), c.want) << c.line;
}

TEST(IsHoliday, StatutoryList)
{
    const struct { TDateTime day; bool holiday; } cases[] = {
        {D(2001, 4, 15), true},  {D(2001, 4, 16), true},  {D(2001, 6, 14), true},   // Easter, Corpus Christi
        {D(2004, 4, 11), true},  {D(2004, 4, 12), true},  {D(2004, 6, 10), true},
        {D(2004, 5, 30), true},                                                     // Pentecost
        {D(2024, 3, 31), true},  {D(2024, 4, 1), true},   {D(2024, 5, 30), true},
        {D(2025, 4, 20), true},  {D(2025, 4, 21), true},  {D(2025, 6, 19), true},
        {D(2002, 8, 15), true},  {D(2002, 1, 1), true},   {D(2002, 5, 1), true},   {D(2002, 5, 3), true},
        {D(2002, 11, 1), true},  {D(2002, 11, 11), true}, {D(2002, 12, 25), true}, {D(2002, 12, 26), true},
        {D(2010, 1, 6), false},  {D(2011, 1, 6), true},
        {D(2024, 12, 24), false}, {D(2025, 12, 24), true},
        {D(2004, 4, 13), false}, {D(2002, 12, 23), false}, {D(2002, 5, 2), false},
        {DT(2002, 12, 25, 18, 0), true}, {0, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsHoliday(c.day), c.holiday) << qel::DateOf(c.day).toString(Qt::ISODate).toStdString();
}

TEST(NextWorkingDay, SkipsHolidaysAndWeekends)
{
    const struct { bool saturdayWorks; TDateTime from; TDateTime want; } cases[] = {
        {false, D(2002, 12, 23), D(2002, 12, 23)},
        {false, D(2002, 12, 21), D(2002, 12, 23)},   // Saturday -> Monday
        {true, D(2002, 12, 21), D(2002, 12, 21)},
        {false, D(2002, 12, 25), D(2002, 12, 27)},
        {false, D(2004, 4, 10), D(2004, 4, 13)},     // Saturday, Easter, Easter Monday
        {true, D(2002, 4, 27), D(2002, 4, 27)},
        {false, D(2002, 4, 30), D(2002, 4, 30)},
        {false, D(2002, 5, 1), D(2002, 5, 2)},
        {false, 0, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NextWorkingDay(c.saturdayWorks, c.from), c.want)
            << qel::DateOf(c.from).toString(Qt::ISODate).toStdString();
}

}  // namespace
