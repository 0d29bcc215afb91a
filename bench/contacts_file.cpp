// Loading a contractors file of 32 767 records with realistic data from disk
// (page cache warm): the reading rules run on every record.

#include "contacts/contact_item.h"
#include "scratch_home_main.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using F = TDane::Field;

QString g_contractorsPath;

void WriteContractors()
{
    tQelList list;
    for (int k = 0; k < tQelList::kMaxNormalCount; ++k) {
        auto* item = new tQelItem;
        TDane& d = item->dane;
        d[F::Id] = QStringLiteral("KONTR%1").arg(k);
        d[F::Nazwa] = QStringLiteral("Hurtownia Spożywcza „Świt” %1 sp. z o.o.").arg(k);
        d[F::ImieNazwisko] = QStringLiteral("Małgorzata Wiśniewska");
        d[F::Firma] = d[F::Nazwa];
        d[F::Adres] = QStringLiteral("ul. Piłsudskiego %1").arg(k % 150);
        d[F::AdresWysylki] = k % 3 ? d[F::Adres] : QStringLiteral("skr. poczt. %1").arg(k % 90);
        d[F::Kod] = d[F::KodWysylki] = QStringLiteral("31-%1").arg(k % 1000, 3, 10, QChar(u'0'));
        d[F::Miasto] = d[F::MiastoWysylki] = QStringLiteral("Kraków");
        d[F::Bank] = QStringLiteral("Bank Pekao S.A. I O/Kraków");
        d[F::Konto] = QStringLiteral("12 1240 1431 1111 0000 %1").arg(k, 4, 10, QChar(u'0'));
        d[F::NIP] = QStringLiteral("676-%1-%2-%3").arg(100 + k % 900).arg(10 + k % 90).arg(10 + k % 89);
        d[F::Regon] = QStringLiteral("35%1").arg(k, 7, 10, QChar(u'0'));
        d[F::email] = QStringLiteral("biuro%1@swit.krakow.pl").arg(k);
        d[F::telefon] = QStringLiteral("12 422 %1").arg(k % 10000, 4, 10, QChar(u'0'));
        item->g.s[10] = QStringLiteral("Płaci w terminie, rabat po 3 zamówieniach");
        list.Add(item);
    }
    list.SaveToFile(g_contractorsPath, false);
}

void BM_LoadContractorsFile(benchmark::State& state)
{
    for (auto _ : state) {
        auto list = std::make_unique<tQelList>();
        benchmark::DoNotOptimize(list->LoadFromFile(g_contractorsPath, false));
        state.PauseTiming();  // freeing the records is no part of a load
        list.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LoadContractorsFile)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    return RunFileBenchmarks(argc, argv, [](const QString& home) {
        RegisterContactClasses();
        g_contractorsPath = home + QStringLiteral("/Kontrahenci.dat");
        WriteContractors();
    });
}
