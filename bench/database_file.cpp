// A database file of 32 767 generic items saved and loaded end to end: the save
// with its checks, the small copy of the previous file and the atomic replace;
// the load from disk (page cache warm).

#include "core/generic_items.h"
#include "scratch_home_main.h"

#include <benchmark/benchmark.h>

namespace {

QString g_path;

void Fill(tQelList& list)
{
    for (int k = 0; k < tQelList::kMaxNormalCount; ++k) {
        auto* item = new TqelGenericItem;
        item->g.s[0] = QStringLiteral("Zakład Usług Różnych „Jaźń” sp. z o.o. %1").arg(k);
        item->g.s[1] = QStringLiteral("ul. Długa %1 m. %2").arg(k % 300).arg(k % 40);
        item->g.s[2] = QStringLiteral("80-%1").arg(k % 1000, 3, 10, QChar(u'0'));
        item->g.s[3] = QStringLiteral("Gdańsk");
        item->g.s[4] = QStringLiteral("583-%1-%2-%3").arg(k % 1000).arg(k % 100).arg(k % 89);
        for (int j = 0; j < 11; ++j) {
            item->g.i[j] = k + j;
            item->g.c[j] = Money::FromUnits(k * 100LL);
            item->g.d[j] = 37000 + k % 500;
        }
        list.Add(item);
    }
}

void BM_SaveDatabaseFile(benchmark::State& state)
{
    tQelList list;
    Fill(list);
    list.SaveToFile(g_path, false);
    for (auto _ : state)
        benchmark::DoNotOptimize(list.SaveToFile(g_path, true));
}
BENCHMARK(BM_SaveDatabaseFile)->Unit(benchmark::kMillisecond);

void BM_LoadDatabaseFile(benchmark::State& state)
{
    for (auto _ : state) {
        tQelList list;
        benchmark::DoNotOptimize(list.LoadFromFile(g_path, false));
    }
}
BENCHMARK(BM_LoadDatabaseFile)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    return RunFileBenchmarks(argc, argv, [](const QString& home) { g_path = home + QStringLiteral("/Umowy.dat"); });
}
