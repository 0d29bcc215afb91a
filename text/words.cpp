#include "text/words.h"

#include "text/format.h"

#include <cstdlib>

namespace {

const QString kTooLarge = QStringLiteral("### za dużo! ;) ###");
const QString kFormatFailed = QStringLiteral("--- błąd ---");

// The words of 1-19, of the tens 20-90 and of the hundreds; the words of the
// tens and the hundreds carry their blank.
const char* const kUnits[20] = {"", "jeden", "dwa", "trzy", "cztery", "pięć", "sześć", "siedem", "osiem",
                                "dziewięć", "dziesięć", "jedenaście", "dwanaście", "trzynaście", "czternaście",
                                "piętnaście", "szesnaście", "siedemnaście", "osiemnaście", "dziewiętnaście"};
const char* const kTens[10] = {"", "", "dwadzieścia ", "trzydzieści ", "czterdzieści ", "pięćdziesiąt ",
                               "sześćdziesiąt ", "siedemdziesiąt ", "osiemdziesiąt ", "dziewięćdziesiąt "};
const char* const kHundreds[10] = {"", "sto ", "dwieście ", "trzysta ", "czterysta ", "pięćset ",
                                   "sześćset ", "siedemset ", "osiemset ", "dziewięćset "};

// The words of 0 < r < 1 000 without the trailing blank.
QString BelowThousand(int r)
{
    QString tail = QString::fromUtf8(kHundreds[r / 100]);
    r %= 100;
    if (r >= 20) {
        tail += QString::fromUtf8(kTens[r / 10]);
        r %= 10;
    }
    tail += QString::fromUtf8(kUnits[r]);
    while (tail.endsWith(u' '))
        tail.chop(1);
    return tail;
}

QString Group(int count, const char* one, const char* singular, const char* few, const char* many)
{
    if (count == 1)
        return QString::fromUtf8(one);
    return FormatCountInWords(QStringLiteral("%s %s "), count, QString::fromUtf8(singular), QString::fromUtf8(few),
                              QString::fromUtf8(many));
}

}  // namespace

QString PluralNoun(int count, const QString& singular, const QString& few, const QString& many)
{
    if (count == 1)
        return singular;
    const long long magnitude = std::llabs(static_cast<long long>(count));
    const long long lastDigit = magnitude % 10;
    const long long lastTwo = magnitude % 100;
    if (lastDigit >= 2 && lastDigit <= 4 && !(lastTwo >= 12 && lastTwo <= 14))
        return few;
    return many;
}

QString IntToWords(int n)
{
    const long long value = n;
    const long long m = std::llabs(value);
    if (m > 999'999'999)
        return kTooLarge;
    if (m == 0)
        return QStringLiteral("zero");
    QString prefix = value < 0 ? QStringLiteral("minus ") : QString();
    const int millions = static_cast<int>(m / 1'000'000);
    const int thousands = static_cast<int>(m % 1'000'000 / 1000);
    if (millions > 0)
        prefix += Group(millions, "jeden milion ", "milion", "miliony", "milionów");
    if (thousands > 0)
        prefix += Group(thousands, "jeden tysiąc ", "tysiąc", "tysiące", "tysięcy");
    const int rest = static_cast<int>(m % 1000);
    return rest > 0 ? prefix + BelowThousand(rest) : prefix;
}

QString FormatCount(const QString& format, int count, const QString& singular, const QString& few,
                    const QString& many)
{
    const FormatArg args[] = {count, PluralNoun(count, singular, few, many)};
    const FormatOutcome outcome = TryFormat(format, args);
    return outcome.ok() ? outcome.text : kFormatFailed;
}

QString FormatCountInWords(const QString& format, int count, const QString& singular, const QString& few,
                           const QString& many)
{
    const FormatArg args[] = {IntToWords(count), PluralNoun(count, singular, few, many)};
    const FormatOutcome outcome = TryFormat(format, args);
    return outcome.ok() ? outcome.text : kFormatFailed;
}

QString AmountInWords(Money amount)
{
    // The sign is the rounded amount's, so that -0,004 zł reads «zero 00/100».
    const Money rounded = RoundToGrosz(amount);
    const std::int64_t units = rounded.units();
    const std::uint64_t magnitude = units < 0 ? 0 - static_cast<std::uint64_t>(units) : static_cast<std::uint64_t>(units);
    const std::uint64_t grosze = (magnitude + Money::kUnitsPerGrosz / 2) / Money::kUnitsPerGrosz;
    if (grosze == 0)
        return QStringLiteral("zero 00/100");
    if (grosze / 100 > 999'999'999)
        return kTooLarge;
    const QString prefix = units < 0 ? QStringLiteral("minus ") : QString();
    return prefix + SafeFormat(QStringLiteral("%s %s/100"), IntToWords(static_cast<int>(grosze / 100)),
                               QString::number(grosze % 100).rightJustified(2, u'0'));
}
