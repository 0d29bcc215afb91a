#pragma once

#include "platform/datetime.h"
#include "text/money.h"

#include <QString>

#include <vector>

// The late-payment interest rates in force since 1990 and the interest on a
// principal over a period. The two tables are read from odsetki.dat once at
// start (over their built-in rows) and written back at the end of the run.

struct RateTableEntry {
    int startDate = 0;  // yyyymmdd; 0 = empty row
    Money rate;         // annual rate in percent: 21 % is 21,0000
};

struct RateTable {
    QString section;  // its section in odsetki.dat
    std::vector<RateTableEntry> rows;  // a fixed number of rows, in date order
};

// What the radio buttons of the calculators number.
enum InterestKind : int {
    ikLinear = 0,      // "liniowe (stała stopa)"
    ikTaxArrears = 1,  // "podatkowe"
    ikStatutory = 2,   // "ustawowe (cywilne)"
};

RateTable BuiltInStatutoryTable();   // "Ustawowe", 14 rows
RateTable BuiltInTaxArrearsTable();  // "Podatkowe", 41 rows

// The tables of this run.
const RateTable& StatutoryTable();
const RateTable& TaxArrearsTable();

// Called once at start: the built-in rows, then every row found in the file
// (qel::InterestTableFile()). A missing file or key keeps the built-in row; a
// value that is not "rate×100;yyyymmdd" empties the row, which then counts for
// nothing.
void LoadRateTables();
void LoadRateTablesFrom(const QString& file);
// Called once at the end: every row of both tables, also the empty ones ("0;0").
// False when the file could not be written.
bool SaveRateTables();
bool SaveRateTablesTo(const QString& file);

// The rate of the last row (in row order) whose valid start date is not later
// than the day; 0 before the first row.
Money RateAt(const RateTable& table, TDateTime day);

// Day by day from start + 1 through end, each day at its own rate over its own
// year's day count (DaysInYear), the running total kept to 1/10 000 zł; the
// result rounded to grosze. 0 when end < start + 1.
Money InterestByTable(const RateTable& table, Money principal, TDateTime start, TDateTime end);

// principal × rate / 100 × (end − start) / days of the year a month before start,
// rounded to grosze.
Money LinearInterest(Money principal, Money annualRate, TDateTime start, TDateTime end);

// 0 when not enabled, when end <= start, or for a negative result; kind 1 and 2
// by the tables, any other kind linear at annualRate.
Money InterestForKind(int kind, bool enabled, Money principal, Money annualRate, TDateTime end, TDateTime start);
