#include "text/money.h"

#include "text/regional.h"

#include <cmath>
#include <limits>
#include <stdexcept>

Money Money::FromReal(long double value)
{
    if (std::isnan(value))
        return {};
    const long double scaled = std::nearbyint(value * kUnitsPerZloty);
    constexpr long double kMax = static_cast<long double>(std::numeric_limits<std::int64_t>::max());
    if (scaled >= kMax)
        return FromUnits(std::numeric_limits<std::int64_t>::max());
    if (scaled <= -kMax)
        return FromUnits(std::numeric_limits<std::int64_t>::min());
    return FromUnits(static_cast<std::int64_t>(scaled));
}

int RoundHalfUp(long double value)
{
    const long double below = std::floor(value);
    const long double rounded = value - below >= 0.5L ? below + 1 : below;
    if (!(rounded >= std::numeric_limits<int>::min() && rounded <= std::numeric_limits<int>::max()))
        throw std::overflow_error("RoundHalfUp: value outside the 32-bit range");
    return static_cast<int>(rounded);
}

Money RoundToGrosz(Money amount)
{
    if (amount > Money::FromUnits(999'999 * Money::kUnitsPerZloty) || !amount.hasFraction())
        return amount;
    // Floor division of (units + half a grosz) gives half a grosz towards +infinity.
    const std::int64_t shifted = amount.units() + Money::kUnitsPerGrosz / 2;
    std::int64_t grosze = shifted / Money::kUnitsPerGrosz;
    if (shifted % Money::kUnitsPerGrosz < 0)
        --grosze;
    if (grosze < std::numeric_limits<int>::min())
        return amount;  // beyond what the 32-bit rounding can hold: left alone
    return Money::FromGrosze(grosze);
}

namespace {

QString GroupDigits(const QString& digits, QChar separator)
{
    QString out;
    out.reserve(digits.size() + digits.size() / 3);
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += separator;
        out += digits.at(i);
    }
    return out;
}

}  // namespace

QString FormatMoneyNumber(Money amount, int decimals, bool grouped)
{
    decimals = qBound(0, decimals, 4);
    std::int64_t step = 1;
    for (int i = decimals; i < 4; ++i)
        step *= 10;
    const bool negative = amount.units() < 0;
    // Magnitude in unsigned form so that the most negative amount survives.
    std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(amount.units())
                                       : static_cast<std::uint64_t>(amount.units());
    const std::uint64_t ustep = static_cast<std::uint64_t>(step);
    magnitude = (magnitude / ustep + (magnitude % ustep >= ustep / 2 && ustep > 1 ? 1 : 0));
    std::uint64_t fractionScale = 1;
    for (int i = 0; i < decimals; ++i)
        fractionScale *= 10;
    const std::uint64_t whole = magnitude / fractionScale;
    const std::uint64_t fraction = magnitude % fractionScale;

    const QString wholeDigits = QString::number(whole);
    QString out;
    if (negative && magnitude != 0)
        out += u'-';
    out += grouped ? GroupDigits(wholeDigits, qel::Regional().thousandSeparator) : wholeDigits;
    if (decimals > 0) {
        out += qel::Regional().decimalSeparator;
        out += QString::number(fraction).rightJustified(decimals, u'0');
    }
    return out;
}

QString FormatMoney(Money amount)
{
    return FormatMoneyNumber(RoundToGrosz(amount), 2) + QStringLiteral(" zł");
}

QString MoneyToShortText(Money amount)
{
    QString text = FormatMoneyNumber(amount, 4, false);
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(qel::Regional().decimalSeparator))
        text.chop(1);
    return text == QStringLiteral("-0") ? QStringLiteral("0") : text;
}

std::optional<Money> ParseMoney(const QString& input)
{
    QString text = input.trimmed();
    const QString symbol = QStringLiteral("zł");
    if (text.endsWith(symbol, Qt::CaseInsensitive))
        text = text.chopped(symbol.size()).trimmed();
    bool negative = false;
    if (text.startsWith(u'-') || text.startsWith(u'+')) {
        negative = text.at(0) == u'-';
        text.remove(0, 1);
    }
    std::uint64_t whole = 0;
    std::uint64_t fraction = 0;
    int fractionDigits = 0;
    bool roundUp = false;
    bool inFraction = false;
    bool anyDigit = false;
    for (const QChar c : text) {
        if (c.isDigit() && c.unicode() < 128) {
            anyDigit = true;
            const int digit = c.unicode() - u'0';
            if (!inFraction) {
                if (whole > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) / 100'000)
                    return std::nullopt;
                whole = whole * 10 + static_cast<std::uint64_t>(digit);
            } else if (fractionDigits < 4) {
                fraction = fraction * 10 + static_cast<std::uint64_t>(digit);
                ++fractionDigits;
            } else if (fractionDigits == 4) {
                roundUp = digit >= 5;
                ++fractionDigits;
            }
        } else if ((c == u',' || c == u'.') && !inFraction) {
            inFraction = true;
        } else if ((c == u' ' || c == QChar(0x00A0)) && !inFraction && anyDigit) {
            continue;
        } else {
            return std::nullopt;
        }
    }
    if (!anyDigit)
        return std::nullopt;
    for (int i = fractionDigits; i < 4; ++i)
        fraction *= 10;
    const std::int64_t units = static_cast<std::int64_t>(whole * Money::kUnitsPerZloty + fraction + (roundUp ? 1 : 0));
    return Money::FromUnits(negative ? -units : units);
}
