#pragma once

#include "text/money.h"

#include <QString>

#include <concepts>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <variant>

// One argument of SafeFormat: a text, an integer, a real or an amount of money.
class FormatArg {
public:
    using Value = std::variant<QString, std::int64_t, long double, Money>;

    FormatArg(const QString& text) : value_(text) {}
    FormatArg(const char* utf8) : value_(QString::fromUtf8(utf8)) {}
    FormatArg(QChar c) : value_(QString(c)) {}
    template <std::integral T>
        requires(!std::same_as<T, bool> && !std::same_as<T, char>)
    FormatArg(T number) : value_(static_cast<std::int64_t>(number)) {}
    template <std::floating_point T>
    FormatArg(T real) : value_(static_cast<long double>(real)) {}
    FormatArg(Money amount) : value_(amount) {}

    const Value& value() const { return value_; }

private:
    Value value_;
};

// The result of formatting: the text, or the message of what was wrong.
struct FormatOutcome {
    QString text;
    QString error;  // empty on success
    bool ok() const { return error.isEmpty(); }
};

// The printf-style formatter of the program, on its own Polish settings:
//   %[index:][-][width][.precision]type, index/width/precision may be "*";
//   d u x  integers (precision = least digits, "%.02d" -> "07")
//   s      text (precision = most characters; numbers are written plainly)
//   f e g  reals (f: fixed, default 2 decimals; e: scientific; g: shortest)
//   n      like f with thousands grouped: "%.2n" -> «1 234,56»
//   m      money: like n with the currency symbol, default 2 decimals
//   %%     a percent sign
// Texts longer than 1 024 characters are shortened first.
FormatOutcome TryFormat(const QString& format, std::span<const FormatArg> args);

// Never throws: on a bad format or argument the result is the message, a line
// end and the format itself.
QString SafeFormatArgs(const QString& format, std::span<const FormatArg> args);

template <typename... Args>
QString SafeFormat(const QString& format, const Args&... args)
{
    const FormatArg list[] = {FormatArg(args)..., FormatArg(QString())};
    return SafeFormatArgs(format, std::span<const FormatArg>(list, sizeof...(Args)));
}

// "tak" / "nie".
QString YesNoText(bool value);
