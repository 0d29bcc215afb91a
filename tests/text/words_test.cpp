#include "text/words.h"


#include <gtest/gtest.h>

#include <limits>

namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

TEST(IntToWords, Cases)
{
    const struct { int n; const char* want; } cases[] = {
        {0, "zero"},
        {15, "piętnaście"},
        {21, "dwadzieścia jeden"},
        {110, "sto dziesięć"},
        {1234, "jeden tysiąc dwieście trzydzieści cztery"},
        {1000, "jeden tysiąc "},
        {2000, "dwa tysiące "},
        {-1000, "minus jeden tysiąc "},
        {-7, "minus siedem"},
        {1000000, "jeden milion "},
        {1001000, "jeden milion jeden tysiąc "},
        {1001001, "jeden milion jeden tysiąc jeden"},
        {2500000, "dwa miliony pięćset tysięcy "},
        {112000, "sto dwanaście tysięcy "},
        {122000, "sto dwadzieścia dwa tysiące "},
        {21000, "dwadzieścia jeden tysięcy "},
        {13000000, "trzynaście milionów "},
        {104000, "sto cztery tysiące "},
        {999999999, "dziewięćset dziewięćdziesiąt dziewięć milionów dziewięćset dziewięćdziesiąt dziewięć tysięcy "
                    "dziewięćset dziewięćdziesiąt dziewięć"},
        {1000000000, "### za dużo! ;) ###"},
        {-1000000000, "### za dużo! ;) ###"},
        {std::numeric_limits<int>::min(), "### za dużo! ;) ###"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IntToWords(c.n), U(c.want)) << c.n;
}

TEST(PluralNoun, PolishRule)
{
    const QString one = QStringLiteral("dzień");
    const QString few = QStringLiteral("dni2");
    const QString many = QStringLiteral("dni5");
    const struct { int count; const QString& want; } cases[] = {
        {1, one}, {2, few}, {3, few}, {4, few}, {22, few}, {104, few}, {1002, few},
        {0, many}, {5, many}, {11, many}, {12, many}, {13, many}, {14, many}, {20, many}, {21, many},
        {25, many}, {100, many}, {101, many}, {112, many}, {113, many}, {114, many}, {212, many},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PluralNoun(c.count, one, few, many), c.want) << c.count;
}

TEST(FormatCount, FigureOrWordsWithTheNoun)
{
    EXPECT_EQ(FormatCount(QStringLiteral("%d %s"), 3, U("miesiąc"), U("miesiące"), U("miesięcy")), U("3 miesiące"));
    EXPECT_EQ(FormatCount(QStringLiteral("za %d %s"), 12, U("miesiąc"), U("miesiące"), U("miesięcy")),
              U("za 12 miesięcy"));
    EXPECT_EQ(FormatCountInWords(QStringLiteral("%s %s "), 22, U("tysiąc"), U("tysiące"), U("tysięcy")),
              U("dwadzieścia dwa tysiące "));
    EXPECT_EQ(FormatCount(QStringLiteral("%s %d"), 3, U("a"), U("b"), U("c")), U("--- błąd ---"));
    EXPECT_EQ(FormatCountInWords(QStringLiteral("%d"), 3, U("a"), U("b"), U("c")), U("--- błąd ---"));
}

TEST(AmountInWords, Cases)
{
    const struct { std::int64_t units; const char* want; } cases[] = {
        {12'345'600, "jeden tysiąc dwieście trzydzieści cztery 56/100"},
        {700, "zero 07/100"},
        {-50'000, "minus pięć 00/100"},
        {30'000'000, "trzy tysiące  00/100"},
        {123'450, "dwanaście 35/100"},
        {199'950, "dwadzieścia 00/100"},
        {0, "zero 00/100"},
        {-40, "zero 00/100"},                              // rounds to nothing: no "minus"
        {1'120'000'000, "sto dwanaście tysięcy  00/100"},
        {250'000'000'000LL, "dwadzieścia pięć milionów  00/100"},  // beyond 32-bit grosze still in words
        {9'999'999'999'900LL, "dziewięćset dziewięćdziesiąt dziewięć milionów dziewięćset dziewięćdziesiąt "
                              "dziewięć tysięcy dziewięćset dziewięćdziesiąt dziewięć 99/100"},
        {10'000'000'000'000LL, "### za dużo! ;) ###"},
        {std::numeric_limits<std::int64_t>::min(), "### za dużo! ;) ###"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AmountInWords(Money::FromUnits(c.units)), U(c.want)) << c.units;
}

}  // namespace
