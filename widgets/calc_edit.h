#pragma once

#include <QLineEdit>
#include <QString>
#include <QValidator>

#include <optional>

namespace qel {

// A number formatted by a picture such as ",0.00 zł", "0.00%" or "#,##0.###":
// "0" a digit always shown, "#" a digit shown when needed, the first "." the
// decimal point, a "," anywhere in the number groups thousands, text in quotes
// or outside the digits is copied as it stands; the separators are the
// program's regional ones. Rounds half away from zero on the decimal value (1234,565 ->
// 1234,57), not on the binary one.
QString FormatFloatPattern(const QString& pattern, double value);

// The number in a text typed or pasted by a user: blanks and the picture's own
// literal texts (" zł", "%") are ignored, "," and "." both serve as the decimal
// point; with both, or one of them repeated, the others group thousands.
// Empty text reads 0. Anything else (letters, two minus signs, more decimals
// than allowed) gives no value.
struct TypedNumber {
    double value = 0;
    QString editText;  // the same number as the edit shows it while typing
};
std::optional<TypedNumber> ParseTypedNumber(const QString& text, const QString& pattern,
                                            int decimalPlaces, bool allowNegative);

// The calculator edit: a right-aligned number field that shows its value by a
// display picture, and the plain number while it is being edited.
// A range is in force when maxValue differs from minValue (both 0 by default:
// no range); typing above the maximum is refused, a value set from code or left
// by typing is brought into the range.
class CalcEdit : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(double value READ value WRITE setValue NOTIFY changed)
    // Hides QLineEdit's text so that form storage and property access parse it.
    Q_PROPERTY(QString text READ text WRITE setText NOTIFY changed)
    Q_PROPERTY(QString displayFormat READ displayFormat WRITE setDisplayFormat)
    Q_PROPERTY(int decimalPlaces READ decimalPlaces WRITE setDecimalPlaces)
    Q_PROPERTY(double minValue READ minValue WRITE setMinValue)
    Q_PROPERTY(double maxValue READ maxValue WRITE setMaxValue)

public:
    explicit CalcEdit(QWidget* parent = nullptr);

    double value() const { return value_; }
    void setValue(double value);

    // Reads a number from text as a paste would; text that holds no number
    // leaves the edit as it was.
    void setText(const QString& text);
    QString text() const { return QLineEdit::text(); }

    QString displayFormat() const { return displayFormat_; }
    void setDisplayFormat(const QString& pattern);
    int decimalPlaces() const { return decimalPlaces_; }
    void setDecimalPlaces(int places);
    double minValue() const { return minValue_; }
    void setMinValue(double value);
    double maxValue() const { return maxValue_; }
    void setMaxValue(double value);
    bool hasRange() const { return maxValue_ != minValue_; }
    bool allowsNegative() const { return !hasRange() || minValue_ < 0; }

    Q_INVOKABLE QString visibleText() const { return QLineEdit::text(); }
    // The plain number shown while editing ("1234,5").
    QString editText() const;
    // True while the edit itself puts its value on show (not the user typing).
    bool isShowingValue() const { return showingValue_; }

public slots:
    // Replaces the contents as if the user selected all and typed the value.
    void simulateInput(const QString& value);

signals:
    // The value changed, by typing or from code.
    void changed();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool takeText(const QString& text, bool alwaysSignal);
    double clamped(double value) const;
    void showValue();
    void onTextEdited(const QString& text);

    double value_ = 0;
    QString displayFormat_ = QStringLiteral(",0.##");
    int decimalPlaces_ = 2;
    double minValue_ = 0;
    double maxValue_ = 0;
    bool showingValue_ = false;
    bool editing_ = false;  // between focus in and out
};

// Lets through only what reads as a number for its edit; normalises "." to ","
// and a pasted "1 234,56 zł" to "1234,56".
class CalcEditValidator : public QValidator {
    Q_OBJECT

public:
    explicit CalcEditValidator(CalcEdit* edit);
    State validate(QString& input, int& pos) const override;

private:
    CalcEdit* edit_;
};

}  // namespace qel
