#include "text/money.h"


#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>

namespace {

Money Units(std::int64_t units) { return Money::FromUnits(units); }

TEST(RoundHalfUp, HalvesGoTowardsPlusInfinity)
{
    const struct { long double in; int out; } cases[] = {
        {2.5L, 3}, {-2.5L, -2}, {2.4999L, 2}, {-2.5001L, -3}, {0.0L, 0}, {-0.5L, 0},
        {2147483647.0L, 2147483647}, {-2147483648.0L, -2147483647 - 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RoundHalfUp(c.in), c.out) << static_cast<double>(c.in);
}

TEST(RoundHalfUp, OutsideTheRangeThrows)
{
    EXPECT_THROW(RoundHalfUp(2147483647.5L), std::overflow_error);
    EXPECT_THROW(RoundHalfUp(-2147483649.0L), std::overflow_error);
    EXPECT_THROW(RoundHalfUp(std::numeric_limits<long double>::quiet_NaN()), std::overflow_error);
}

TEST(RoundToGrosz, Cases)
{
    const struct { std::int64_t in; std::int64_t out; } cases[] = {
        {123450, 123500},                                   // 12,345 -> 12,35
        {123449, 123400},                                   // 12,3449 -> 12,34
        {-123450, -123400},                                 // -12,345 -> -12,34
        {-50, 0},                                           // -0,005 -> 0,00
        {-51, -100},
        {50000, 50000},                                     // 5,00 unchanged
        {10'000'000'050LL, 10'000'000'050LL},               // 1 000 000,005 unchanged
        {9'999'990'000LL, 9'999'990'000LL},                 // 999 999,00 exactly
        {9'999'980'050LL, 9'999'980'100LL},                 // 999 998,005 still rounded
        {-300'000'000'050LL, -300'000'000'050LL},           // beyond the 32-bit grosze: unchanged
        {std::numeric_limits<std::int64_t>::min(), std::numeric_limits<std::int64_t>::min()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RoundToGrosz(Units(c.in)).units(), c.out) << c.in;
}

TEST(FormatMoney, PolishForm)
{
    const struct { std::int64_t in; const char* out; } cases[] = {
        {0, "0,00 zł"},
        {12'345'650, "1 234,57 zł"},
        {-12'345'650, "-1 234,56 zł"},
        {10'000'000'050LL, "1 000 000,01 zł"},  // not rounded to grosze, the text rounds
        {1'234'567'890'000LL, "123 456 789,00 zł"},
        {-40, "0,00 zł"},
        {std::numeric_limits<std::int64_t>::min(), "-922 337 203 685 477,58 zł"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatMoney(Units(c.in)), QString::fromUtf8(c.out)) << c.in;
}

TEST(MoneyText, ShortestFormAndParsing)
{
    EXPECT_EQ(MoneyToShortText(Money::FromZloty(18)), QStringLiteral("18"));
    EXPECT_EQ(MoneyToShortText(Units(658800)), QStringLiteral("65,88"));
    EXPECT_EQ(MoneyToShortText(Units(-5000)), QStringLiteral("-0,5"));
    EXPECT_EQ(MoneyToShortText(Units(12'345'678'9)), QStringLiteral("12345,6789"));
    EXPECT_EQ(MoneyToShortText(Money()), QStringLiteral("0"));

    const struct { const char* in; std::optional<std::int64_t> out; } cases[] = {
        {"1 234,56", 12'345'600}, {"1234.56 zł", 12'345'600}, {"-0,5", -5000}, {"+7", 70000},
        {"0,00005", 1}, {"0,00004", 0}, {"  12  ", 120000}, {"", std::nullopt}, {"abc", std::nullopt},
        {"1,2,3", std::nullopt}, {"12a", std::nullopt}, {",", std::nullopt},
        {"99999999999999999999", std::nullopt},
    };
    for (const auto& c : cases) {
        const auto parsed = ParseMoney(QString::fromUtf8(c.in));
        ASSERT_EQ(parsed.has_value(), c.out.has_value()) << c.in;
        if (parsed) {
            EXPECT_EQ(parsed->units(), *c.out) << c.in;
        }
    }
}

TEST(Money, RealConversionRoundsToTheNearestUnit)
{
    EXPECT_EQ(Money::FromReal(0.98630136986L).units(), 9863);
    EXPECT_EQ(Money::FromReal(-1.23456L).units(), -12346);
    EXPECT_EQ(Money::FromReal(std::numeric_limits<long double>::quiet_NaN()).units(), 0);
    EXPECT_EQ(Money::FromReal(1e30L).units(), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ((Money::FromZloty(1000) * 0.18L / 365).units(), 4932);
    EXPECT_EQ((Money::FromGrosze(150) * 3).units(), 45000);
    EXPECT_EQ((Money::FromGrosze(150) * 0.5).units(), 7500);
    EXPECT_EQ((Money::FromGrosze(100) / 3).units(), 3333);
}

}  // namespace
