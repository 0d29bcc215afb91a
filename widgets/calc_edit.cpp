#include "widgets/calc_edit.h"

#include "text/regional.h"

#include <QApplication>
#include <QByteArray>
#include <QFocusEvent>

#include <algorithm>
#include <cmath>
#include <vector>

namespace qel {

namespace {

// More integer digits than this no amount of the program reaches; it also keeps
// a pasted run of digits from overflowing.
constexpr int kMaxIntegerDigits = 15;

struct PictureSection {
    QString prefix;
    QString suffix;
    bool grouping = false;
    int minIntegerDigits = 0;
    int minDecimals = 0;
    int maxDecimals = 0;
};

bool IsNumberChar(QChar c)
{
    return c == u'0' || c == u'#' || c == u'.' || c == u',';
}

QStringList SplitSections(const QString& pattern)
{
    QStringList sections;
    QString current;
    QChar quote;
    for (QChar c : pattern) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'"' || c == u'\'') {
            quote = c;
        } else if (c == u';') {
            sections << current;
            current.clear();
            continue;
        }
        current += c;
    }
    sections << current;
    return sections;
}

PictureSection ParseSection(const QString& section)
{
    PictureSection s;
    bool inNumber = false;
    bool afterNumber = false;
    bool afterPoint = false;
    QChar quote;
    for (QChar c : section) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            else
                (inNumber || afterNumber ? s.suffix : s.prefix) += c;
            continue;
        }
        if (c == u'"' || c == u'\'') {
            quote = c;
            if (inNumber) {
                inNumber = false;
                afterNumber = true;
            }
            continue;
        }
        if (IsNumberChar(c) && !afterNumber) {
            inNumber = true;
            if (c == u',') {
                s.grouping = true;
            } else if (c == u'.') {
                afterPoint = true;
            } else if (afterPoint) {
                ++s.maxDecimals;
                if (c == u'0')
                    s.minDecimals = s.maxDecimals;
            } else if (c == u'0') {
                ++s.minIntegerDigits;
            }
            continue;
        }
        if (inNumber) {
            inNumber = false;
            afterNumber = true;
        }
        (afterNumber ? s.suffix : s.prefix) += c;
    }
    return s;
}

// |value| rounded half away from zero at `decimals` places, worked on its
// 15 significant decimal digits so that 1234,565 rounds as written.
void RoundedDigits(double value, int decimals, QString& integerPart, QString& fraction)
{
    integerPart.clear();
    fraction.clear();
    const QByteArray text = QByteArray::number(std::fabs(value), 'e', 14);
    const int ePos = static_cast<int>(text.indexOf('e'));
    std::vector<int> digits;
    for (int i = 0; i < ePos; ++i) {
        if (text[i] != '.')
            digits.push_back(text[i] - '0');
    }
    int pointAt = text.mid(ePos + 1).toInt() + 1;  // digits before the point
    const int keep = pointAt + decimals;
    if (keep < 0) {
        digits.clear();
    } else if (keep < static_cast<int>(digits.size())) {
        const bool up = digits[keep] >= 5;
        digits.resize(keep);
        if (up) {
            int i = keep - 1;
            while (i >= 0 && digits[i] == 9)
                digits[i--] = 0;
            if (i >= 0) {
                ++digits[i];
            } else {
                digits.insert(digits.begin(), 1);
                ++pointAt;
            }
        }
    }
    const auto digitAt = [&digits](int i) {
        return (i >= 0 && i < static_cast<int>(digits.size())) ? digits[i] : 0;
    };
    for (int i = 0; i < pointAt; ++i)
        integerPart += QChar(u'0' + digitAt(i));
    for (int i = pointAt; i < pointAt + decimals; ++i)
        fraction += QChar(u'0' + digitAt(i));
    while (integerPart.size() > 1 && integerPart.front() == u'0')
        integerPart.remove(0, 1);
    if (integerPart.isEmpty())
        integerPart = QStringLiteral("0");
}

QString Grouped(const QString& digits)
{
    QString out;
    const qsizetype n = digits.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += Regional().thousandSeparator;
        out += digits[i];
    }
    return out;
}

QStringList LiteralTexts(const QString& pattern)
{
    QStringList texts;
    for (const QString& section : SplitSections(pattern)) {
        const PictureSection s = ParseSection(section);
        for (const QString& t : (s.prefix + u' ' + s.suffix).split(u' ', Qt::SkipEmptyParts)) {
            if (!texts.contains(t))
                texts << t;
        }
    }
    // Longest first, so that no shorter word breaks up a longer one.
    std::sort(texts.begin(), texts.end(), [](const QString& a, const QString& b) { return a.size() > b.size(); });
    return texts;
}

}  // namespace

QString FormatFloatPattern(const QString& pattern, double value)
{
    const QStringList sections = SplitSections(pattern);
    PictureSection s = ParseSection(sections.value(0));
    bool writeMinus = true;
    if (value < 0 && sections.size() > 1 && !sections[1].isEmpty()) {
        s = ParseSection(sections[1]);
        writeMinus = false;
    }
    QString integerPart;
    QString fraction;
    RoundedDigits(value, s.maxDecimals, integerPart, fraction);
    const bool zero = !std::any_of(integerPart.begin(), integerPart.end(), [](QChar c) { return c != u'0'; })
                      && !std::any_of(fraction.begin(), fraction.end(), [](QChar c) { return c != u'0'; });
    if (zero && sections.size() > 2 && !sections[2].isEmpty()) {
        s = ParseSection(sections[2]);
        RoundedDigits(0, s.maxDecimals, integerPart, fraction);
    }
    while (fraction.size() > s.minDecimals && fraction.endsWith(u'0'))
        fraction.chop(1);
    if (integerPart == QStringLiteral("0") && s.minIntegerDigits == 0)
        integerPart.clear();
    while (integerPart.size() < s.minIntegerDigits)
        integerPart.prepend(u'0');
    QString number = s.grouping ? Grouped(integerPart) : integerPart;
    if (!fraction.isEmpty())
        number += Regional().decimalSeparator + fraction;
    const bool minus = writeMinus && value < 0 && !zero;
    return (minus ? QStringLiteral("-") : QString()) + s.prefix + number + s.suffix;
}

std::optional<TypedNumber> ParseTypedNumber(const QString& text, const QString& pattern,
                                            int decimalPlaces, bool allowNegative)
{
    QString t = text;
    for (const QString& literal : LiteralTexts(pattern))
        t.remove(literal, Qt::CaseInsensitive);
    QString s;
    for (QChar c : t) {
        if (!c.isSpace())
            s += c;
    }
    TypedNumber result;
    bool negative = false;
    if (s.startsWith(u'-')) {
        if (!allowNegative)
            return std::nullopt;
        negative = true;
        s.remove(0, 1);
    }
    const qsizetype lastDot = s.lastIndexOf(u'.');
    const qsizetype lastComma = s.lastIndexOf(u',');
    const qsizetype points = s.count(u'.');
    const qsizetype commas = s.count(u',');
    // Which character, if any, is the decimal point.
    QChar decimal;
    if (points > 0 && commas > 0) {
        decimal = lastDot > lastComma ? QChar(u'.') : QChar(u',');
        if (s.count(decimal) > 1)
            return std::nullopt;
    } else if (points == 1) {
        decimal = u'.';
    } else if (commas == 1) {
        decimal = u',';
    }
    QString integerDigits;
    QString decimals;
    bool seenPoint = false;
    for (QChar c : s) {
        if (c == u'.' || c == u',') {
            if (c == decimal) {
                seenPoint = true;
            } else if (seenPoint) {
                return std::nullopt;  // grouping after the decimal point
            }
            continue;
        }
        if (!c.isDigit() || c.unicode() > 127)
            return std::nullopt;
        (seenPoint ? decimals : integerDigits) += c;
    }
    if (decimals.size() > decimalPlaces || (seenPoint && decimalPlaces == 0))
        return std::nullopt;
    QString trimmedInteger = integerDigits;
    while (trimmedInteger.size() > 1 && trimmedInteger.front() == u'0')
        trimmedInteger.remove(0, 1);
    if (trimmedInteger.size() > kMaxIntegerDigits)
        return std::nullopt;
    result.editText = (negative ? QStringLiteral("-") : QString()) + integerDigits
                      + (seenPoint ? QString(Regional().decimalSeparator) + decimals : QString());
    const QString plain = (integerDigits.isEmpty() ? QStringLiteral("0") : integerDigits) + u'.'
                          + (decimals.isEmpty() ? QStringLiteral("0") : decimals);
    result.value = plain.toDouble() * (negative ? -1 : 1);
    if (result.value == 0)
        result.value = 0;  // no "-0"
    return result;
}

CalcEditValidator::CalcEditValidator(CalcEdit* edit) : QValidator(edit), edit_(edit) {}

QValidator::State CalcEditValidator::validate(QString& input, int& pos) const
{
    if (edit_->isShowingValue())
        return Acceptable;
    const auto number = ParseTypedNumber(input, edit_->displayFormat(), edit_->decimalPlaces(),
                                         edit_->allowsNegative());
    if (!number)
        return Invalid;
    if (edit_->hasRange() && number->value > edit_->maxValue())
        return Invalid;
    if (input != number->editText) {
        pos = std::clamp(pos - static_cast<int>(input.size() - number->editText.size()), 0,
                         static_cast<int>(number->editText.size()));
        input = number->editText;
    }
    return Acceptable;
}

CalcEdit::CalcEdit(QWidget* parent) : QLineEdit(parent)
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setValidator(new CalcEditValidator(this));
    connect(this, &QLineEdit::textEdited, this, &CalcEdit::onTextEdited);
    connect(this, &QLineEdit::inputRejected, this, [] { QApplication::beep(); });
    showValue();
}

double CalcEdit::clamped(double value) const
{
    if (!hasRange())
        return value;
    return std::clamp(value, minValue_, maxValue_);
}

void CalcEdit::setValue(double value)
{
    const double v = clamped(value);
    const bool differs = v != value_;
    value_ = v;
    showValue();
    if (differs)
        emit changed();
}

void CalcEdit::setText(const QString& text)
{
    takeText(text, false);
}

bool CalcEdit::takeText(const QString& text, bool alwaysSignal)
{
    const auto number = ParseTypedNumber(text, displayFormat_, decimalPlaces_, allowsNegative());
    if (!number)
        return false;
    const double v = clamped(number->value);
    const bool differs = v != value_;
    value_ = v;
    showValue();
    if (differs || alwaysSignal)
        emit changed();
    return true;
}

void CalcEdit::simulateInput(const QString& value)
{
    takeText(value, true);
}

void CalcEdit::setDisplayFormat(const QString& pattern)
{
    displayFormat_ = pattern;
    showValue();
}

void CalcEdit::setDecimalPlaces(int places)
{
    decimalPlaces_ = std::max(0, places);
    showValue();
}

void CalcEdit::setMinValue(double value)
{
    minValue_ = value;
    setValue(value_);
}

void CalcEdit::setMaxValue(double value)
{
    maxValue_ = value;
    setValue(value_);
}

QString CalcEdit::editText() const
{
    // The plain number, without grouping or trailing zeros: what one types.
    QString pattern = QStringLiteral("0");
    if (decimalPlaces_ > 0)
        pattern += u'.' + QString(decimalPlaces_, u'#');
    return FormatFloatPattern(pattern, value_);
}

void CalcEdit::showValue()
{
    showingValue_ = true;
    QLineEdit::setText(editing_ ? editText() : FormatFloatPattern(displayFormat_, value_));
    showingValue_ = false;
}

void CalcEdit::onTextEdited(const QString& text)
{
    const auto number = ParseTypedNumber(text, displayFormat_, decimalPlaces_, allowsNegative());
    if (!number || number->value == value_)
        return;
    value_ = number->value;
    emit changed();
}

void CalcEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    if (editing_)
        return;  // back from the context menu: still the same editing
    editing_ = true;
    showValue();
    selectAll();
}

void CalcEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (event->reason() == Qt::PopupFocusReason)
        return;  // the context menu, whose paste must find the plain number
    editing_ = false;
    setValue(value_);
}

}  // namespace qel
