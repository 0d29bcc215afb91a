#include "calc/interest_rates.h"
#include "platform/clock.h"

#include <benchmark/benchmark.h>

// Interest on the tax-arrears table over its whole span, from 1990 to today:
// about eleven thousand days, each at its own rate and year length.
static void BM_InterestByTableSince1990(benchmark::State& state)
{
    const RateTable table = BuiltInTaxArrearsTable();
    const TDateTime start = qel::ToDateTime(QDate(1990, 1, 1));
    const TDateTime end = qel::ToDateTime(qel::Today());
    for (auto _ : state)
        benchmark::DoNotOptimize(InterestByTable(table, Money::FromZloty(123456), start, end));
    state.counters["days"] = end - start;
}
BENCHMARK(BM_InterestByTableSince1990)->Unit(benchmark::kMicrosecond);

// A typical demand letter: a few months across rate changes.
static void BM_InterestByTableQuarter(benchmark::State& state)
{
    const RateTable table = BuiltInTaxArrearsTable();
    const TDateTime start = qel::ToDateTime(QDate(2002, 8, 1));
    const TDateTime end = qel::ToDateTime(QDate(2002, 11, 15));
    for (auto _ : state)
        benchmark::DoNotOptimize(InterestByTable(table, Money::FromZloty(1000), start, end));
}
BENCHMARK(BM_InterestByTableQuarter)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
