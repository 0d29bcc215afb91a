#pragma once

#include <QString>

#include <compare>
#include <concepts>
#include <cstdint>
#include <optional>
#include <type_traits>

// An amount of money: a signed 64-bit count of ten-thousandths of a złoty, the
// layout the database files store. Sums and differences are exact; products and
// quotients with reals go through FromReal and land on the nearest unit.
class Money {
public:
    static constexpr std::int64_t kUnitsPerZloty = 10000;
    static constexpr std::int64_t kUnitsPerGrosz = 100;

    constexpr Money() = default;

    static constexpr Money FromUnits(std::int64_t units) { Money m; m.units_ = units; return m; }
    static constexpr Money FromGrosze(std::int64_t grosze) { return FromUnits(grosze * kUnitsPerGrosz); }
    static constexpr Money FromZloty(std::int64_t zloty) { return FromUnits(zloty * kUnitsPerZloty); }
    // Nearest unit, an exact half to the even one (as the FPU stores a real into
    // the type); NaN gives 0 and values beyond the range saturate.
    static Money FromReal(long double value);

    constexpr std::int64_t units() const { return units_; }
    long double toReal() const { return static_cast<long double>(units_) / kUnitsPerZloty; }
    double toDouble() const { return static_cast<double>(toReal()); }

    constexpr bool isZero() const { return units_ == 0; }
    // True when the amount is not a whole number of złoty.
    constexpr bool hasFraction() const { return units_ % kUnitsPerZloty != 0; }

    constexpr Money operator-() const { return FromUnits(-units_); }
    constexpr Money operator+(Money other) const { return FromUnits(units_ + other.units_); }
    constexpr Money operator-(Money other) const { return FromUnits(units_ - other.units_); }
    constexpr Money& operator+=(Money other) { units_ += other.units_; return *this; }
    constexpr Money& operator-=(Money other) { units_ -= other.units_; return *this; }
    template <std::integral T>
        requires(!std::same_as<T, bool>)
    constexpr Money operator*(T factor) const { return FromUnits(units_ * static_cast<std::int64_t>(factor)); }
    template <std::floating_point T>
    Money operator*(T factor) const { return FromReal(toReal() * static_cast<long double>(factor)); }
    template <typename T>
        requires(std::is_arithmetic_v<T> && !std::same_as<T, bool>)
    Money operator/(T divisor) const { return FromReal(toReal() / static_cast<long double>(divisor)); }

    constexpr auto operator<=>(const Money&) const = default;

private:
    std::int64_t units_ = 0;
};

// Nearest integer, an exact half towards +infinity (2,5 -> 3; -2,5 -> -2).
// Throws std::overflow_error outside the signed 32-bit range (and for NaN).
int RoundHalfUp(long double value);

// Whole grosze, half a grosz towards +infinity; amounts above 999 999,00 zł and
// whole złoty are returned as they are. Never throws.
Money RoundToGrosz(Money amount);

// «1 234,57 zł»: RoundToGrosz, thousands grouped, two decimals.
QString FormatMoney(Money amount);

// The amount with `decimals` places (0-4), thousands grouped with the regional
// separator, rounded half away from zero: «1 234,57». Without grouping: «1234,57».
QString FormatMoneyNumber(Money amount, int decimals, bool grouped = true);

// The shortest decimal form: «18», «65,88», «-0,5».
QString MoneyToShortText(Money amount);

// Reads an amount typed or pasted by a user: optional sign, digits with blanks
// as thousands separators, "," or "." before up to four decimals (more are
// rounded half away from zero), an optional trailing "zł". Empty or malformed
// text gives nullopt.
std::optional<Money> ParseMoney(const QString& text);
