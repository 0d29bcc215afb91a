#include "text/identifiers.h"

#include "text/strings.h"

#include <span>

namespace {

int DigitAt(const QString& digits, std::size_t index)
{
    return digits.at(static_cast<qsizetype>(index)).unicode() - u'0';
}

int WeightedSum(const QString& digits, std::span<const int> weights)
{
    int sum = 0;
    for (std::size_t i = 0; i < weights.size(); ++i)
        sum += weights[i] * DigitAt(digits, i);
    return sum;
}

// The check digit is (sum mod 11) mod 10, the official rule of REGON.
bool RegonCheck(const QString& digits, std::span<const int> weights)
{
    return WeightedSum(digits, weights) % 11 % 10 == DigitAt(digits, weights.size());
}

}  // namespace

bool IsValidNip(const QString& text)
{
    static constexpr int kWeights[] = {6, 5, 7, 2, 3, 4, 5, 6, 7};
    const QString digits = DigitsOnly(text);
    if (digits.size() < 10)
        return false;
    const int control = WeightedSum(digits, kWeights) % 11;
    return control != 10 && control == DigitAt(digits, 9);
}

bool IsValidRegon(const QString& text)
{
    static constexpr int kWeights9[] = {8, 9, 2, 3, 4, 5, 6, 7};
    static constexpr int kWeights14[] = {2, 4, 8, 5, 0, 9, 7, 3, 6, 1, 2, 4, 8};
    const QString digits = DigitsOnly(text);
    if (digits.size() < 9 || !RegonCheck(digits, kWeights9))
        return false;
    return digits.size() != 14 || RegonCheck(digits, kWeights14);
}

bool IsValidPesel(const QString& text)
{
    static constexpr int kWeights[] = {1, 3, 7, 9, 1, 3, 7, 9, 1, 3};
    const QString digits = DigitsOnly(text);
    if (digits.size() < 11)
        return false;
    return (10 - WeightedSum(digits, kWeights) % 10) % 10 == DigitAt(digits, 10);
}
