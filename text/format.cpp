#include "text/format.h"

#include "text/regional.h"
#include "text/strings.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr qsizetype kLongestTextArgument = 1024;

// A decimal value 0.digits × 10^exponent, the one form every number is written from.
struct Decimal {
    bool negative = false;
    std::string digits;  // no leading zeros; empty for zero
    int exponent = 0;
};

Decimal FromUnsigned(std::uint64_t magnitude, bool negative, int scale)
{
    Decimal d;
    d.negative = negative;
    if (magnitude == 0)
        return d;
    d.digits = std::to_string(magnitude);
    d.exponent = static_cast<int>(d.digits.size()) - scale;
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    return d;
}

std::uint64_t Magnitude(std::int64_t value)
{
    return value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
}

// Reals are written from the shortest text that reads back to the same double,
// so 1,005 shows as «1,01» the way a person reads it.
Decimal FromReal(long double value)
{
    const double v = static_cast<double>(value);
    Decimal d;
    d.negative = std::signbit(v);
    if (std::isnan(v)) {
        d.exponent = std::numeric_limits<int>::min();
        return d;
    }
    if (std::isinf(v)) {
        d.exponent = std::numeric_limits<int>::max();
        return d;
    }
    if (v == 0)
        return d;
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(v), std::chars_format::scientific);
    const std::string text(buffer, result.ptr);
    const auto e = text.find('e');
    for (std::size_t i = 0; i < e; ++i) {
        if (text[i] != '.')
            d.digits += text[i];
    }
    d.exponent = std::stoi(text.substr(e + 1)) + 1;
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    return d;
}

// Keeps `count` leading digits, an exact half and above rounding away from zero.
void RoundDigits(Decimal& d, int count)
{
    if (count < 0) {
        d.digits.clear();
        return;
    }
    if (static_cast<std::size_t>(count) >= d.digits.size())
        return;
    const bool up = d.digits[static_cast<std::size_t>(count)] >= '5';
    d.digits.resize(static_cast<std::size_t>(count));
    if (up) {
        int i = count - 1;
        while (i >= 0 && d.digits[static_cast<std::size_t>(i)] == '9') {
            d.digits[static_cast<std::size_t>(i)] = '0';
            --i;
        }
        if (i < 0) {
            d.digits.insert(d.digits.begin(), '1');
            ++d.exponent;
        } else {
            ++d.digits[static_cast<std::size_t>(i)];
        }
    }
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
}

QChar DigitAt(const Decimal& d, int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= d.digits.size())
        return u'0';
    return QChar::fromLatin1(d.digits[static_cast<std::size_t>(index)]);
}

QString Group(const QString& digits)
{
    const QChar separator = qel::Regional().thousandSeparator;
    QString out;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += separator;
        out += digits.at(i);
    }
    return out;
}

QString Fixed(Decimal d, int decimals, bool grouped)
{
    RoundDigits(d, d.exponent + decimals);
    QString whole;
    for (int i = 0; i < d.exponent; ++i)
        whole += DigitAt(d, i);
    if (whole.isEmpty())
        whole = QStringLiteral("0");
    QString out = (d.negative && !d.digits.empty()) ? QStringLiteral("-") : QString();
    out += grouped ? Group(whole) : whole;
    if (decimals > 0) {
        out += qel::Regional().decimalSeparator;
        for (int i = 0; i < decimals; ++i)
            out += DigitAt(d, d.exponent + i);
    }
    return out;
}

QString Scientific(Decimal d, int precision)
{
    precision = qBound(1, precision, 18);
    RoundDigits(d, precision);
    const int exponent = d.digits.empty() ? 0 : d.exponent - 1;
    QString out = d.negative && !d.digits.empty() ? QStringLiteral("-") : QString();
    out += DigitAt(d, 0);
    out += qel::Regional().decimalSeparator;
    for (int i = 1; i < precision; ++i)
        out += DigitAt(d, i);
    out += exponent < 0 ? QStringLiteral("E-") : QStringLiteral("E+");
    out += QString::number(std::abs(exponent)).rightJustified(3, u'0');
    return out;
}

QString General(Decimal d, int precision)
{
    precision = qBound(1, precision, 18);
    RoundDigits(d, precision);
    if (d.digits.empty())
        return QStringLiteral("0");
    QString out = d.negative ? QStringLiteral("-") : QString();
    const int count = static_cast<int>(d.digits.size());
    if (d.exponent > precision || d.exponent < -4) {
        out += DigitAt(d, 0);
        if (count > 1) {
            out += qel::Regional().decimalSeparator;
            for (int i = 1; i < count; ++i)
                out += DigitAt(d, i);
        }
        out += u'E';
        out += QString::number(d.exponent - 1);
        return out;
    }
    if (d.exponent <= 0) {
        out += u'0';
        out += qel::Regional().decimalSeparator;
        for (int i = d.exponent; i < count; ++i)
            out += DigitAt(d, i);
        return out;
    }
    for (int i = 0; i < d.exponent; ++i)
        out += DigitAt(d, i);
    if (count > d.exponent) {
        out += qel::Regional().decimalSeparator;
        for (int i = d.exponent; i < count; ++i)
            out += DigitAt(d, i);
    }
    return out;
}

QString IntegerDigits(std::uint64_t magnitude, int base, int precision)
{
    QString digits = QString::number(magnitude, base).toUpper();
    if (precision > digits.size())
        digits = digits.rightJustified(qMin(precision, 64), u'0');
    return digits;
}

// Negative numbers in %u and %x show their two's complement, 32 bits wide when they fit.
std::uint64_t AsUnsigned(std::int64_t value)
{
    if (value < 0 && value >= std::numeric_limits<std::int32_t>::min())
        return static_cast<std::uint32_t>(static_cast<std::int32_t>(value));
    return static_cast<std::uint64_t>(value);
}

struct Failure {
    QString message;
};

class Formatter {
public:
    Formatter(const QString& format, std::span<const FormatArg> args) : format_(format), args_(args) {}

    QString run()
    {
        QString out;
        qsizetype i = 0;
        while (i < format_.size()) {
            const QChar c = format_.at(i);
            if (c != u'%') {
                out += c;
                ++i;
                continue;
            }
            if (i + 1 < format_.size() && format_.at(i + 1) == u'%') {
                out += u'%';
                i += 2;
                continue;
            }
            out += placeholder(i);
        }
        return out;
    }

private:
    [[noreturn]] void invalid(qsizetype start, qsizetype end) const
    {
        throw Failure{QStringLiteral("Błędny format „%1” lub argument do niego nie pasuje")
                          .arg(format_.mid(start, end - start))};
    }

    const FormatArg& next(qsizetype start, qsizetype end)
    {
        if (argIndex_ >= args_.size())
            throw Failure{QStringLiteral("Brak argumentu dla formatu „%1”").arg(format_.mid(start, end - start))};
        return args_[argIndex_++];
    }

    // A number or "*" (taken from the arguments); -1 when there is neither.
    int number(qsizetype& i, qsizetype start)
    {
        if (i < format_.size() && format_.at(i) == u'*') {
            ++i;
            const auto* value = std::get_if<std::int64_t>(&next(start, i).value());
            if (!value)
                invalid(start, i);
            return static_cast<int>(std::clamp<std::int64_t>(*value, -1, 4096));
        }
        if (i >= format_.size() || !format_.at(i).isDigit() || format_.at(i).unicode() > 127)
            return -1;
        int n = 0;
        while (i < format_.size() && format_.at(i).isDigit() && format_.at(i).unicode() < 128) {
            n = qMin(n * 10 + (format_.at(i).unicode() - u'0'), 4096);
            ++i;
        }
        return n;
    }

    QString placeholder(qsizetype& i)
    {
        const qsizetype start = i;
        ++i;
        int width = number(i, start);
        if (width >= 0 && i < format_.size() && format_.at(i) == u':') {
            ++i;
            argIndex_ = static_cast<std::size_t>(width);
            width = -1;
        }
        bool left = false;
        if (width < 0 && i < format_.size() && format_.at(i) == u'-') {
            left = true;
            ++i;
        }
        if (width < 0)
            width = number(i, start);
        int precision = -1;
        if (i < format_.size() && format_.at(i) == u'.') {
            ++i;
            precision = qMax(number(i, start), 0);
        }
        if (i >= format_.size())
            invalid(start, i);
        const QChar type = format_.at(i).toLower();
        ++i;
        QString text = convert(type, precision, next(start, i).value(), start, i);
        if (width > text.size())
            text = left ? text.leftJustified(width) : text.rightJustified(width);
        return text;
    }

    QString convert(QChar type, int precision, const FormatArg::Value& value, qsizetype start, qsizetype end)
    {
        const auto* integer = std::get_if<std::int64_t>(&value);
        const auto* text = std::get_if<QString>(&value);
        switch (type.unicode()) {
        case u'd':
            if (!integer)
                invalid(start, end);
            return (*integer < 0 ? QStringLiteral("-") : QString()) + IntegerDigits(Magnitude(*integer), 10, precision);
        case u'u':
        case u'x':
            if (!integer)
                invalid(start, end);
            return IntegerDigits(AsUnsigned(*integer), type == u'u' ? 10 : 16, precision);
        case u's': {
            QString s = text ? *text : plain(value);
            if (precision >= 0 && precision < s.size())
                s.truncate(precision);
            return s;
        }
        case u'f':
        case u'n':
        case u'm':
        case u'e':
        case u'g':
            if (text)
                invalid(start, end);
            return real(type, precision, decimal(value));
        default:
            invalid(start, end);
        }
    }

    static Decimal decimal(const FormatArg::Value& value)
    {
        if (const auto* integer = std::get_if<std::int64_t>(&value))
            return FromUnsigned(Magnitude(*integer), *integer < 0, 0);
        if (const auto* money = std::get_if<Money>(&value))
            return FromUnsigned(Magnitude(money->units()), money->units() < 0, 4);
        return FromReal(std::get<long double>(value));
    }

    static QString real(QChar type, int precision, const Decimal& d)
    {
        if (const auto special = nonFinite(d))
            return *special;
        switch (type.unicode()) {
        case u'e':
            return Scientific(d, precision < 0 ? 15 : precision);
        case u'g':
            return General(d, precision < 0 ? 15 : precision);
        case u'f':
            return Fixed(d, precision < 0 ? 2 : qMin(precision, 18), false);
        case u'n':
            return Fixed(d, precision < 0 ? 2 : qMin(precision, 18), true);
        default:
            return Fixed(d, precision < 0 ? 2 : qMin(precision, 18), true) + u' ' + qel::Regional().currencySymbol;
        }
    }

    static std::optional<QString> nonFinite(const Decimal& d)
    {
        if (d.exponent == std::numeric_limits<int>::max())
            return d.negative ? QStringLiteral("-INF") : QStringLiteral("INF");
        if (d.exponent == std::numeric_limits<int>::min())
            return QStringLiteral("NAN");
        return std::nullopt;
    }

    static QString plain(const FormatArg::Value& value)
    {
        if (const auto* integer = std::get_if<std::int64_t>(&value))
            return QString::number(*integer);
        if (const auto* money = std::get_if<Money>(&value))
            return MoneyToShortText(*money);
        return real(u'g', 15, decimal(value));
    }

    const QString& format_;
    std::span<const FormatArg> args_;
    std::size_t argIndex_ = 0;
};

}  // namespace

FormatOutcome TryFormat(const QString& format, std::span<const FormatArg> args)
{
    std::vector<FormatArg> shortened(args.begin(), args.end());
    for (auto& arg : shortened) {
        const auto* text = std::get_if<QString>(&arg.value());
        if (text && text->size() > kLongestTextArgument)
            arg = FormatArg(Shorten(kLongestTextArgument, *text));
    }
    try {
        return {Formatter(format, shortened).run(), {}};
    } catch (const Failure& failure) {
        return {{}, failure.message};
    } catch (const std::exception& e) {
        return {{}, QString::fromLocal8Bit(e.what())};
    }
}

QString SafeFormatArgs(const QString& format, std::span<const FormatArg> args)
{
    const FormatOutcome outcome = TryFormat(format, args);
    return outcome.ok() ? outcome.text : outcome.error + QStringLiteral("\r\n") + format;
}

QString YesNoText(bool value)
{
    return value ? QStringLiteral("tak") : QStringLiteral("nie");
}
