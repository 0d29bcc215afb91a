#include "calc/interest_rates.h"

#include "core/progress_note.h"
#include "core/settings.h"
#include "platform/atomic_file.h"
#include "platform/cp1250.h"
#include "text/dates.h"
#include "text/strings.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <stdexcept>

namespace {

constexpr int kStatutoryRows = 14;
constexpr int kTaxArrearsRows = 41;

// Rates in hundredths of a percent, as odsetki.dat keeps them.
struct BuiltInRow {
    int startDate;
    int rateHundredths;
};

RateTable MakeTable(const QString& section, int rowCount, std::initializer_list<BuiltInRow> rows)
{
    RateTable table{section, std::vector<RateTableEntry>(static_cast<std::size_t>(rowCount))};
    std::size_t i = 0;
    for (const BuiltInRow& row : rows)
        table.rows[i++] = {row.startDate, Money::FromUnits(static_cast<std::int64_t>(row.rateHundredths) * 100)};
    return table;
}

struct Tables {
    RateTable statutory = BuiltInStatutoryTable();
    RateTable taxArrears = BuiltInTaxArrearsTable();
};

Tables& Current()
{
    static Tables tables;
    return tables;
}

// A whole number, or nothing when the text is not one.
std::optional<int> WholeNumber(const QString& text)
{
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(n) : std::nullopt;
}

void LoadTable(const QString& file, RateTable& table)
{
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        const QString value = qel::IniReadString(file, table.section, QString::number(r + 1));
        if (value.isEmpty())
            continue;
        const auto rate = WholeNumber(NthEntryField(1, value));
        const auto start = WholeNumber(NthEntryField(2, value));
        // A damaged value empties its row rather than putting a rate of 0 in force.
        if (!rate || !start) {
            table.rows[r] = {};
            continue;
        }
        table.rows[r] = {*start, Money::FromUnits(static_cast<std::int64_t>(*rate) * 100)};
    }
}

// The stored form of a row: rate × 100, ";" and the start date ("0;0" when empty).
QString RowValue(const RateTableEntry& row)
{
    if (row.startDate == 0 && row.rate.isZero())
        return QStringLiteral("0;0");
    int hundredths = 0;
    try {
        hundredths = RoundHalfUp(row.rate.toReal() * 100);
    } catch (const std::overflow_error&) {
        hundredths = 0;
    }
    return QString::number(hundredths) + u';' + QString::number(row.startDate);
}

bool SaveTable(const QString& file, const RateTable& table)
{
    bool ok = true;
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        // Each write rewrites the whole file, so only changed rows are written.
        const QString key = QString::number(r + 1);
        const QString value = RowValue(table.rows[r]);
        if (qel::IniReadString(file, table.section, key) != value)
            ok = qel::IniWriteString(file, table.section, key, value) && ok;
    }
    return ok;
}

// A file that is not there yet is written whole in one go, not key by key.
bool WriteNewFile(const QString& file, const Tables& tables)
{
    QString text;
    for (const RateTable* table : {&tables.statutory, &tables.taxArrears}) {
        text += u'[' + table->section + QStringLiteral("]\r\n");
        for (std::size_t r = 0; r < table->rows.size(); ++r)
            text += QString::number(r + 1) + u'=' + RowValue(table->rows[r]) + QStringLiteral("\r\n");
    }
    return qel::WriteFileAtomically(file, qel::EncodeCp1250(text));
}

std::int64_t SaturatingAdd(std::int64_t a, std::int64_t b)
{
    std::int64_t sum = 0;
    if (__builtin_add_overflow(a, b, &sum))
        return b > 0 ? std::numeric_limits<std::int64_t>::max() : std::numeric_limits<std::int64_t>::min();
    return sum;
}

std::int64_t SaturatingMultiply(std::int64_t a, std::int64_t b)
{
    std::int64_t product = 0;
    if (__builtin_mul_overflow(a, b, &product))
        return (a < 0) != (b < 0) ? std::numeric_limits<std::int64_t>::min() : std::numeric_limits<std::int64_t>::max();
    return product;
}

// The valid start days of the rows in row order (0 for a row that counts for nothing).
std::vector<TDateTime> StartDays(const RateTable& table)
{
    std::vector<TDateTime> days;
    days.reserve(table.rows.size());
    for (const RateTableEntry& row : table.rows)
        days.push_back(row.startDate == 0 ? 0 : DateFromNumber(row.startDate));
    return days;
}

}  // namespace

RateTable BuiltInStatutoryTable()
{
    return MakeTable(QStringLiteral("Ustawowe"), kStatutoryRows,
                     {{19930501, 5400}, {19951215, 4600}, {19970101, 3500}, {19980415, 3300}, {19990201, 2400},
                      {19990515, 2100}, {20001101, 3000}, {20011215, 2000}, {20020725, 1600}});
}

RateTable BuiltInTaxArrearsTable()
{
    return MakeTable(QStringLiteral("Podatkowe"), kTaxArrearsRows,
                     {{19900601, 9150},  {19900701, 6588},  {19901016, 8418},  {19901126, 10980}, {19910201, 14274},
                      {19910501, 11712}, {19910708, 9882},  {19910802, 8784},  {19910915, 7320},  {19930301, 6954},
                      {19940513, 6588},  {19950221, 6954},  {19950529, 5856},  {19950918, 5490},  {19960108, 5124},
                      {19980101, 5400},  {19980521, 5200},  {19980717, 4800},  {19981029, 4400},  {19981210, 4000},
                      {19990121, 3400},  {19991118, 4100},  {20000224, 4300},  {20000831, 4600},  {20010301, 4400},
                      {20010329, 4200},  {20010628, 3900},  {20010823, 3700},  {20011026, 3400},  {20011129, 3100},
                      {20020131, 2700},  {20020426, 2500},  {20020530, 2400},  {20020627, 2300},  {20020829, 2100},
                      {20020926, 2000},  {20021024, 1800}});
}

const RateTable& StatutoryTable() { return Current().statutory; }

const RateTable& TaxArrearsTable() { return Current().taxArrears; }

void LoadRateTables()
{
    qel::ShowProgressNote(QStringLiteral("Odczytuję stawki odsetek..."));
    LoadRateTablesFrom(qel::InterestTableFile());
}

void LoadRateTablesFrom(const QString& file)
{
    Tables fresh;
    LoadTable(file, fresh.statutory);
    LoadTable(file, fresh.taxArrears);
    Current() = std::move(fresh);
}

bool SaveRateTables() { return SaveRateTablesTo(qel::InterestTableFile()); }

bool SaveRateTablesTo(const QString& file)
{
    if (!QFileInfo::exists(file))
        return WriteNewFile(file, Current());
    const bool statutory = SaveTable(file, Current().statutory);
    const bool taxArrears = SaveTable(file, Current().taxArrears);
    return statutory && taxArrears;
}

Money RateAt(const RateTable& table, TDateTime day)
{
    Money rate;
    for (const RateTableEntry& row : table.rows) {
        if (row.startDate == 0)
            continue;
        const TDateTime start = DateFromNumber(row.startDate);
        if (start != 0 && start <= day)
            rate = row.rate;
    }
    return rate;
}

Money InterestByTable(const RateTable& table, Money principal, TDateTime start, TDateTime end)
{
    const double first = std::floor(start) + 1;
    const double last = std::floor(end);
    if (!(last >= first))
        return {};
    const QDate firstDate = qel::DateOf(first);
    if (!firstDate.isValid())
        return {};

    // The rows in force only grow with the day, so the row that applies (the
    // last one in row order already started) is found once per change.
    const std::vector<TDateTime> starts = StartDays(table);
    const auto rowFor = [&](TDateTime day) {
        std::ptrdiff_t found = -1;
        for (std::size_t i = 0; i < starts.size(); ++i) {
            if (starts[i] != 0 && starts[i] <= day)
                found = static_cast<std::ptrdiff_t>(i);
        }
        return found;
    };
    const auto nextStartAfter = [&](TDateTime day) {
        TDateTime next = std::numeric_limits<TDateTime>::infinity();
        for (const TDateTime s : starts) {
            if (s > day && s < next)
                next = s;
        }
        return next;
    };
    const auto rateOf = [&](std::ptrdiff_t row) {
        return row < 0 ? 0.0L : table.rows[static_cast<std::size_t>(row)].rate.toReal();
    };

    int year = firstDate.year();
    TDateTime nextYear = qel::ToDateTime(QDate(year + 1, 1, 1));
    TDateTime nextChange = nextStartAfter(first);
    long double rate = rateOf(rowFor(first));

    // Within a stretch of days of one rate and one year every day adds the same
    // amount, so the running total (rounded to a unit after each day) moves by
    // the same whole number of units each day; only an exact half, rounded to
    // the even total, needs the days one by one.
    std::int64_t total = 0;
    double day = first;
    while (day <= last) {
        if (day >= nextYear) {
            ++year;
            nextYear = qel::ToDateTime(QDate(year + 1, 1, 1));
        }
        if (day >= nextChange) {
            rate = rateOf(rowFor(day));
            nextChange = nextStartAfter(day);
        }
        const double stretchEnd = std::min({last, nextYear - 1, nextChange - 1});
        const auto days = static_cast<std::int64_t>(stretchEnd - day) + 1;
        const long double perDay = static_cast<long double>(principal.units()) * rate / 100 / DaysInYear(year);
        const long double whole = std::floor(perDay);
        if (std::fabs(whole) > 9.0e18L)  // beyond what money holds
            return Money::FromReal(whole > 0 ? std::numeric_limits<long double>::max() : std::numeric_limits<long double>::lowest());
        const long double fraction = perDay - whole;
        const auto step = static_cast<std::int64_t>(whole);
        if (fraction == 0.5L) {
            for (std::int64_t i = 0; i < days; ++i)
                total = SaturatingAdd(total, step + ((total + step) % 2 != 0 ? 1 : 0));
        } else {
            total = SaturatingAdd(total, SaturatingMultiply(step + (fraction > 0.5L ? 1 : 0), days));
        }
        day = stretchEnd + 1;
    }
    return RoundToGrosz(Money::FromUnits(total));
}

Money LinearInterest(Money principal, Money annualRate, TDateTime start, TDateTime end)
{
    const QDate monthBefore = qel::DateOf(AddMonths(-1, start));
    const int basis = DaysInYear(monthBefore.isValid() ? monthBefore.year() : qel::EpochDate().year());
    const long double interest =
        principal.toReal() * annualRate.toReal() / 100 * static_cast<long double>(end - start) / basis;
    return RoundToGrosz(Money::FromReal(interest));
}

Money InterestForKind(int kind, bool enabled, Money principal, Money annualRate, TDateTime end, TDateTime start)
{
    if (!enabled || end <= start)
        return {};
    Money interest;
    if (kind == ikTaxArrears)
        interest = InterestByTable(TaxArrearsTable(), principal, start, end);
    else if (kind == ikStatutory)
        interest = InterestByTable(StatutoryTable(), principal, start, end);
    else
        interest = LinearInterest(principal, annualRate, start, end);
    return interest < Money() ? Money() : interest;
}
