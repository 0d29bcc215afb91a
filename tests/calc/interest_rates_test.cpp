#include "calc/interest_rates.h"

#include "core/progress_note.h"
#include "platform/cp1250.h"
#include "scratch_home.h"
#include "text/dates.h"

#include <QFile>

#include <cmath>

#include <gtest/gtest.h>

namespace {

TDateTime D(int y, int m, int d) { return qel::ToDateTime(QDate(y, m, d)); }

Money Zl(std::int64_t grosze) { return Money::FromGrosze(grosze); }

bool SameRows(const RateTable& a, const RateTable& b)
{
    if (a.rows.size() != b.rows.size())
        return false;
    for (std::size_t i = 0; i < a.rows.size(); ++i) {
        if (a.rows[i].startDate != b.rows[i].startDate || a.rows[i].rate != b.rows[i].rate)
            return false;
    }
    return true;
}

TEST(RateTables, BuiltInRows)
{
    const RateTable statutory = BuiltInStatutoryTable();
    const RateTable tax = BuiltInTaxArrearsTable();
    EXPECT_EQ(statutory.section, QStringLiteral("Ustawowe"));
    EXPECT_EQ(tax.section, QStringLiteral("Podatkowe"));
    ASSERT_EQ(statutory.rows.size(), 14u);
    ASSERT_EQ(tax.rows.size(), 41u);
    EXPECT_EQ(statutory.rows[8].startDate, 20020725);
    EXPECT_EQ(statutory.rows[8].rate, Money::FromZloty(16));
    EXPECT_EQ(statutory.rows[9].startDate, 0);
    EXPECT_EQ(tax.rows[1].rate, Money::FromUnits(658800));
    EXPECT_EQ(tax.rows[36].startDate, 20021024);
    EXPECT_EQ(tax.rows[37].startDate, 0);
}

TEST(RateAt, RowInForceOnTheDay)
{
    const RateTable tax = BuiltInTaxArrearsTable();
    const struct { TDateTime day; std::int64_t percent100; } cases[] = {
        {D(1990, 5, 31), 0}, {D(1990, 6, 1), 9150}, {D(1990, 6, 30), 9150}, {D(2002, 10, 23), 2000},
        {D(2002, 10, 24), 1800}, {D(2002, 10, 24) + 0.5, 1800}, {D(2030, 1, 1), 1800}, {0, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RateAt(tax, c.day), Money::FromUnits(c.percent100 * 100)) << c.day;

    RateTable odd = tax;
    odd.rows[40] = {20000101, Money::FromZloty(5)};  // out of order: the last row in row order wins
    EXPECT_EQ(RateAt(odd, D(2002, 12, 1)), Money::FromZloty(5));
    odd.rows[40] = {20021399, Money::FromZloty(5)};  // no such date: ignored
    EXPECT_EQ(RateAt(odd, D(2002, 12, 1)), Money::FromZloty(18));
}

TEST(Interest, Examples)
{
    const RateTable tax = BuiltInTaxArrearsTable();
    const RateTable statutory = BuiltInStatutoryTable();
    const Money thousand = Money::FromZloty(1000);
    const struct { const char* what; Money got; Money want; } cases[] = {
        {"two days at 18 %", InterestByTable(tax, thousand, D(2002, 10, 23), D(2002, 10, 25)), Zl(99)},
        {"20 % then 18 %", InterestByTable(tax, thousand, D(2002, 10, 22), D(2002, 10, 24)), Zl(104)},
        {"end = start", InterestByTable(tax, thousand, D(2002, 10, 22), D(2002, 10, 22)), Zl(0)},
        {"end before start", InterestByTable(tax, thousand, D(2002, 10, 22), D(2002, 10, 1)), Zl(0)},
        {"before the first row", InterestByTable(tax, thousand, D(1990, 5, 1), D(1990, 5, 31)), Zl(0)},
        // 1990-05-31 .. 1990-06-02: one day without a rate, one at 91,5 %
        {"into the first row", InterestByTable(tax, thousand, D(1990, 5, 30), D(1990, 6, 1)), Zl(251)},
        // 16 %: 31 Dec over 365 days (0,4384) and 1 Jan over 366 (0,4372)
        {"across 1 January", InterestByTable(statutory, thousand, D(2003, 12, 30), D(2004, 1, 1)), Zl(88)},
        {"negative principal", InterestByTable(tax, -thousand, D(2002, 10, 23), D(2002, 10, 25)), Zl(-99)},
        {"linear 24 %", LinearInterest(thousand, Money::FromZloty(24), D(2004, 1, 15), D(2004, 2, 14)), Zl(1973)},
        {"linear, basis of 2004", LinearInterest(thousand, Money::FromZloty(24), D(2004, 2, 15), D(2004, 3, 16)),
         Zl(1967)},
        {"linear negative", LinearInterest(-thousand, Money::FromZloty(24), D(2004, 1, 15), D(2004, 2, 14)),
         Zl(-1973)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.got.units(), c.want.units()) << c.what;
}

// The rule itself, one day after another, for periods over year ends and rate changes.
Money DayByDay(const RateTable& table, Money principal, TDateTime start, TDateTime end)
{
    long double total = 0;
    for (TDateTime day = start + 1; day <= end; ++day) {
        const long double perDay = static_cast<long double>(principal.units()) * RateAt(table, day).toReal() / 100
                                   / DaysInYear(qel::DateOf(day).year());
        total = std::nearbyint(total + perDay);
    }
    return RoundToGrosz(Money::FromUnits(static_cast<std::int64_t>(total)));
}

TEST(Interest, AgreesWithTheDailyRule)
{
    const RateTable tables[] = {BuiltInTaxArrearsTable(), BuiltInStatutoryTable()};
    const std::int64_t principals[] = {1, 365, 73'000'000, 123'456'789, -5'000'000, 99'999'999'999};
    std::uint32_t seed = 12345;
    const auto next = [&seed](std::uint32_t bound) {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) % bound;
    };
    const TDateTime from = qel::ToDateTime(QDate(1989, 6, 1));
    for (int i = 0; i < 150; ++i) {
        const RateTable& table = tables[i % 2];
        const Money principal = Money::FromUnits(principals[next(6)]);
        const TDateTime start = from + next(5000);
        const TDateTime end = start + next(i % 10 == 0 ? 6000 : 800);
        EXPECT_EQ(InterestByTable(table, principal, start, end).units(), DayByDay(table, principal, start, end).units())
            << table.section.toStdString() << " " << principal.units() << " " << start << " " << end;
    }
}

TEST(InterestForKind, KindsAndGuards)
{
    ScratchHome home;
    LoadRateTablesFrom(home.file(QStringLiteral("brak.dat")));
    const Money thousand = Money::FromZloty(1000);
    const Money rate = Money::FromZloty(24);
    const struct { int kind; bool enabled; Money principal; TDateTime end; TDateTime start; Money want; } cases[] = {
        {ikTaxArrears, true, thousand, D(2002, 10, 25), D(2002, 10, 23), Zl(99)},
        {ikStatutory, true, thousand, D(2002, 10, 25), D(2002, 10, 23), Zl(88)},
        {ikLinear, true, thousand, D(2004, 2, 14), D(2004, 1, 15), Zl(1973)},
        {7, true, thousand, D(2004, 2, 14), D(2004, 1, 15), Zl(1973)},
        {ikTaxArrears, false, thousand, D(2002, 10, 25), D(2002, 10, 23), Zl(0)},
        {ikLinear, true, thousand, D(2004, 1, 15), D(2004, 1, 15), Zl(0)},
        {ikStatutory, true, thousand, D(2002, 10, 23), D(2002, 10, 23), Zl(0)},
        {ikTaxArrears, true, -thousand, D(2002, 10, 25), D(2002, 10, 23), Zl(0)},
        {ikLinear, true, -thousand, D(2004, 2, 14), D(2004, 1, 15), Zl(0)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(InterestForKind(c.kind, c.enabled, c.principal, rate, c.end, c.start).units(), c.want.units())
            << c.kind;
    }
}

TEST(RateFile, RoundTripAndDamagedValues)
{
    ScratchHome home;
    const QString file = home.file(QStringLiteral("odsetki.dat"));
    LoadRateTablesFrom(file);  // missing file: the built-in rows
    EXPECT_TRUE(SameRows(TaxArrearsTable(), BuiltInTaxArrearsTable()));
    ASSERT_TRUE(SaveRateTablesTo(file));

    const QString text = qel::DecodeCp1250(ReadFileBytes(file));
    EXPECT_TRUE(text.contains(QStringLiteral("[Podatkowe]")));
    EXPECT_TRUE(text.contains(QStringLiteral("37=1800;20021024\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("2=6588;19900701\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("41=0;0\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("14=0;0\r\n")));
    LoadRateTablesFrom(file);
    EXPECT_TRUE(SameRows(StatutoryTable(), BuiltInStatutoryTable()));
    EXPECT_TRUE(SameRows(TaxArrearsTable(), BuiltInTaxArrearsTable()));

    ASSERT_TRUE(WriteFileBytes(file, QByteArray("[Podatkowe]\r\n"
                                                "37=1500;20021024\r\n"
                                                "38=1300=20030101\r\n"
                                                "36=abc;xyz\r\n"
                                                "35=2100;20021399\r\n"
                                                "34=;\r\n"
                                                "33=99999999999999;20020530\r\n"
                                                "[ustawowe]\r\n"
                                                "10= 1400 ; 20030101 \r\n")));
    LoadRateTablesFrom(file);
    const RateTable& tax = TaxArrearsTable();
    EXPECT_EQ(tax.rows[36].rate, Money::FromZloty(15));
    EXPECT_EQ(tax.rows[37].startDate, 20030101);
    EXPECT_EQ(tax.rows[37].rate, Money::FromZloty(13));
    EXPECT_EQ(tax.rows[35].startDate, 0);   // damaged: the row is emptied
    EXPECT_TRUE(tax.rows[35].rate.isZero());
    EXPECT_EQ(tax.rows[33].startDate, 0);
    EXPECT_EQ(tax.rows[32].startDate, 0);
    EXPECT_EQ(tax.rows[34].startDate, 20021399);  // kept as read, but no date: ignored
    EXPECT_EQ(RateAt(tax, D(2002, 10, 1)), Money::FromZloty(25));  // rows 33-36 count for nothing
    EXPECT_EQ(tax.rows[30].startDate, 20020131);  // keys missing: built-in rows stay
    EXPECT_EQ(StatutoryTable().rows[9].startDate, 20030101);
    EXPECT_EQ(StatutoryTable().rows[9].rate, Money::FromZloty(14));
    EXPECT_EQ(RateAt(StatutoryTable(), D(2003, 6, 1)), Money::FromZloty(14));
}

TEST(RateFile, LoadAtStartFromTheSettingsLocation)
{
    ScratchHome home;
    QStringList notes;
    qel::SetProgressSink({[&](const QString& text) { notes << text; }, {}, {}});
    ASSERT_TRUE(WriteFileBytes(home.file(QStringLiteral("odsetki.dat")),
                               QByteArray("; uwagi\r\n[Ustawowe]\r\n9=1500;20020725\r\n[Inne]\r\nx=1\r\n")));
    LoadRateTables();
    qel::SetProgressSink({});
    EXPECT_EQ(notes, QStringList{QStringLiteral("Odczytuję stawki odsetek...")});
    EXPECT_EQ(StatutoryTable().rows[8].rate, Money::FromZloty(15));
    ASSERT_TRUE(SaveRateTables());
    const QString saved = qel::DecodeCp1250(ReadFileBytes(home.file(QStringLiteral("odsetki.dat"))));
    EXPECT_TRUE(saved.contains(QStringLiteral("9=1500;20020725\r\n")));
    EXPECT_TRUE(saved.contains(QStringLiteral("37=1800;20021024\r\n")));
    EXPECT_TRUE(saved.startsWith(QStringLiteral("; uwagi\r\n")));  // the rest of the file is kept
    EXPECT_TRUE(saved.contains(QStringLiteral("[Inne]\r\nx=1\r\n")));
    LoadRateTablesFrom(home.file(QStringLiteral("brak.dat")));
}

}  // namespace
