// A database file of 32 767 generic items saved and loaded end to end: the save
// with its checks, the small copy of the previous file and the atomic replace;
// the load from disk (page cache warm).

#include "generic_item_fixture.h"
#include "scratch_home_main.h"

#include <benchmark/benchmark.h>

namespace {

QString g_path;

void BM_SaveDatabaseFile(benchmark::State& state)
{
    tQelList list;
    FillRealisticItems(list);
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
