// The settings store as windows use it: form storage writing a window's inputs
// into a hive of a thousand values, one by one and in a batch, and the reads of
// start-up.

#include "core/settings.h"
#include "platform/registry.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTemporaryDir>

#include <optional>

namespace {

void FillHive()
{
    qel::RegistryBatch batch(qel::RegHive::CurrentUser);
    qel::RegistryKey key(qel::RegHive::CurrentUser);
    for (int window = 0; window < 50; ++window) {
        key.open(QStringLiteral("Software\\QEL\\Okno%1").arg(window), true);
        for (int i = 0; i < 20; ++i)
            key.writeString(QStringLiteral("ceKwota%1_Value").arg(i), QStringLiteral("1 234,56 zł"));
    }
}

void WriteWindow(benchmark::State& state, bool batched)
{
    FillHive();
    int round = 0;
    for (auto _ : state) {
        std::optional<qel::RegistryBatch> batch;
        if (batched)
            batch.emplace(qel::RegHive::CurrentUser);
        qel::RegistryKey key(qel::RegHive::CurrentUser);
        key.open(QStringLiteral("Software\\QEL\\Okno7"), true);
        ++round;
        for (int i = 0; i < 20; ++i)
            key.writeString(QStringLiteral("ceKwota%1_Value").arg(i), QString::number(round * 100 + i));
    }
}

void BM_WriteWindowValueByValue(benchmark::State& state) { WriteWindow(state, false); }
void BM_WriteWindowInBatch(benchmark::State& state) { WriteWindow(state, true); }

void BM_ReadSettings(benchmark::State& state)
{
    FillHive();
    for (auto _ : state)
        for (int i = 0; i < 20; ++i)
            benchmark::DoNotOptimize(qel::ReadSetting(QStringLiteral("Okno%1").arg(i), QStringLiteral("ceKwota3_Value")));
}

BENCHMARK(BM_WriteWindowValueByValue)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteWindowInBatch)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadSettings)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    QTemporaryDir home;
    qputenv("QEL_HOME", home.path().toLocal8Bit());
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
