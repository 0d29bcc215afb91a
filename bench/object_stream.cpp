// Loading and saving a full database list (32 767 generic items with realistic
// contact-like strings) from and to memory, as every database open and save does.

#include "generic_item_fixture.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include <memory>

namespace {

tQelList* MakeList()
{
    auto* list = new tQelList;
    FillRealisticItems(*list);
    return list;
}

const QByteArray& Image()
{
    static const QByteArray image = [] {
        std::unique_ptr<tQelList> list(MakeList());
        tQelStream stream;
        list->SaveToStream(stream);
        return stream.Data();
    }();
    return image;
}

void BM_LoadFromMemory(benchmark::State& state)
{
    const QByteArray& image = Image();
    for (auto _ : state) {
        tQelStream stream(image);
        tQelList list;
        list.LoadFromStream(stream);
        benchmark::DoNotOptimize(list.LoadedCount());
    }
    state.SetBytesProcessed(state.iterations() * image.size());
}
BENCHMARK(BM_LoadFromMemory)->Unit(benchmark::kMillisecond);

void BM_SaveToMemory(benchmark::State& state)
{
    std::unique_ptr<tQelList> list(MakeList());
    for (auto _ : state) {
        tQelStream stream;
        list->SaveToStream(stream);
        benchmark::DoNotOptimize(stream.Size());
    }
    state.SetBytesProcessed(state.iterations() * Image().size());
}
BENCHMARK(BM_SaveToMemory)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    qel::RegisterPersistentClasses();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
