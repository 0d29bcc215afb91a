// Loading and saving a full database list (32 767 generic items with realistic
// contact-like strings) from and to memory, as every database open and save does.

#include "core/generic_items.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include <memory>

namespace {

tQelList* MakeList()
{
    auto* list = new tQelList;
    for (int k = 0; k < tQelList::kMaxNormalCount; ++k) {
        auto* item = new TqelGenericItem;
        item->g.s[0] = QStringLiteral("Przedsiębiorstwo Handlowo-Usługowe „Żuraw” nr %1").arg(k);
        item->g.s[1] = QStringLiteral("ul. Świętokrzyska %1/%2").arg(k % 200).arg(k % 17);
        item->g.s[2] = QStringLiteral("00-%1").arg(k % 1000, 3, 10, QChar(u'0'));
        item->g.s[3] = QStringLiteral("Łódź");
        item->g.s[4] = QStringLiteral("526-%1-%2-%3").arg(k % 1000).arg(k % 100).arg(k % 97);
        item->g.s[5] = QStringLiteral("PKO BP S.A. O/Kraków 10201097-%1").arg(k, 10, 10, QChar(u'0'));
        item->g.s[6] = QStringLiteral("Jan Kowalski, tel. (0-22) 628-%1").arg(k % 10000);
        for (int j = 0; j < 11; ++j) {
            item->g.i[j] = k * j;
            item->g.c[j] = Money::FromUnits(k * 1234LL + j);
            item->g.b[j] = (k + j) % 2;
            item->g.d[j] = 37000 + k % 1000 + j;
        }
        list->Add(item);
    }
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
