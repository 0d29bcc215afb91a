#include "widgets/calc_edit.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QKeyEvent>

using qel::CalcEdit;
using qel::FormatFloatPattern;
using qel::ParseTypedNumber;

namespace {

struct FormatCase {
    const char* pattern;
    double value;
    const char* expected;
};

class FormatFloatPatternTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatFloatPatternTest, Formats)
{
    const FormatCase& c = GetParam();
    EXPECT_EQ(FormatFloatPattern(QString::fromUtf8(c.pattern), c.value), QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Pictures, FormatFloatPatternTest, ::testing::Values(
    FormatCase{",0.00 zł", 1234.565, "1 234,57 zł"},  // decimal half-up, not binary
    FormatCase{",0.00 zł", 0, "0,00 zł"},
    FormatCase{",0.00 zł", -1234567.5, "-1 234 567,50 zł"},
    FormatCase{",0.00 zł", 2147483647, "2 147 483 647,00 zł"},
    FormatCase{"0.00%", 9.76, "9,76%"},
    FormatCase{"0.00% rocznie", 24, "24,00% rocznie"},
    FormatCase{",0.##", 1000.5, "1 000,5"},
    FormatCase{",0.##", 1000, "1 000"},
    FormatCase{"0.00", 999.995, "1000,00"},  // the carry runs into a new digit
    FormatCase{"0.00", -0.001, "0,00"},      // no "-0,00"
    FormatCase{"0.00", 0.000001, "0,00"},
    FormatCase{"#.##", 0.5, ",5"},
    FormatCase{"000", 7, "007"},
    FormatCase{"0.00;(0.00)", -5, "(5,00)"},
    FormatCase{"0.00;(0.00);zero", 0, "zero"},
    FormatCase{"'Kwota: '0", 7, "Kwota: 7"}));

struct ParseCase {
    const char* text;
    int places;
    bool negative;
    bool ok;
    double value;
    const char* editText;
};

class ParseTypedNumberTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseTypedNumberTest, Reads)
{
    const ParseCase& c = GetParam();
    const auto n = ParseTypedNumber(QString::fromUtf8(c.text), QStringLiteral(",0.00 zł;;0.00% rocznie"),
                                    c.places, c.negative);
    ASSERT_EQ(n.has_value(), c.ok) << c.text;
    if (c.ok) {
        EXPECT_DOUBLE_EQ(n->value, c.value) << c.text;
        EXPECT_EQ(n->editText, QString::fromUtf8(c.editText)) << c.text;
    }
}

INSTANTIATE_TEST_SUITE_P(Typing, ParseTypedNumberTest, ::testing::Values(
    ParseCase{"1234,56", 2, false, true, 1234.56, "1234,56"},
    ParseCase{"1234.56", 2, false, true, 1234.56, "1234,56"},
    ParseCase{"1 234,56 zł", 2, false, true, 1234.56, "1234,56"},
    ParseCase{"1\u00a0234,56\u00a0ZŁ", 2, false, true, 1234.56, "1234,56"},
    ParseCase{"1.234,56", 2, false, true, 1234.56, "1234,56"},
    ParseCase{"1,234.56", 2, false, true, 1234.56, "1234,56"},
    ParseCase{"1.234.567", 2, false, true, 1234567, "1234567"},
    ParseCase{"24% rocznie", 2, false, true, 24, "24"},
    ParseCase{"", 2, false, true, 0, ""},
    ParseCase{",", 2, false, true, 0, ","},
    ParseCase{"-", 2, true, true, 0, "-"},
    ParseCase{"-12,5", 2, true, true, -12.5, "-12,5"},
    ParseCase{"-12,5", 2, false, false, 0, ""},
    ParseCase{"--5", 2, true, false, 0, ""},
    ParseCase{"12a", 2, false, false, 0, ""},
    ParseCase{"abc", 2, false, false, 0, ""},
    ParseCase{"1,234", 2, false, false, 0, ""},  // three decimals: refused, not guessed
    ParseCase{"1.2,3.4", 2, false, false, 0, ""},
    ParseCase{"12,5", 0, false, false, 0, ""},
    ParseCase{"\uff11\uff12", 2, false, false, 0, ""},  // full-width digits
    ParseCase{"1234567890123456", 2, false, false, 0, ""}));

// Counts a signal's emissions without QtTest.
struct Count {
    template <typename Sender, typename Signal>
    Count(Sender* sender, Signal signal)
    {
        QObject::connect(sender, signal, [this] { ++n; });
    }
    int n = 0;
};

void Type(QWidget& w, const QString& text)
{
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(&w, &press);
    }
}

class CalcEditTest : public ::testing::Test {
protected:
    CalcEditTest()
    {
        edit.setObjectName(QStringLiteral("ceKwotaGlowna"));
        edit.setDisplayFormat(QStringLiteral(",0.00 zł"));
        edit.setMaxValue(2147483647);
    }
    CalcEdit edit;
};

TEST_F(CalcEditTest, ShowsTheValueByItsPicture)
{
    EXPECT_EQ(edit.visibleText(), QStringLiteral("0,00 zł"));
    edit.setValue(1234.5);
    EXPECT_EQ(edit.visibleText(), QStringLiteral("1 234,50 zł"));
    EXPECT_EQ(edit.editText(), QStringLiteral("1234,5"));
}

TEST_F(CalcEditTest, TypingRefusesLettersAndTakesEitherDecimalPoint)
{
    Count changes(&edit, &CalcEdit::changed);
    edit.QLineEdit::setText(QString());
    Type(edit, QStringLiteral("12a3.4x5"));
    EXPECT_EQ(edit.text(), QStringLiteral("123,45"));
    EXPECT_DOUBLE_EQ(edit.value(), 123.45);
    EXPECT_EQ(changes.n, 5);  // one a digit that changed the value
    Type(edit, QStringLiteral("6"));  // a third decimal is refused
    EXPECT_DOUBLE_EQ(edit.value(), 123.45);
}

TEST_F(CalcEditTest, RangeRefusesMinusAndTypingAboveTheMaximum)
{
    edit.QLineEdit::setText(QString());
    Type(edit, QStringLiteral("-2147483647"));
    EXPECT_EQ(edit.text(), QStringLiteral("2147483647"));
    Type(edit, QStringLiteral("0"));
    EXPECT_DOUBLE_EQ(edit.value(), 2147483647);

    CalcEdit free;  // no range: negatives allowed
    free.QLineEdit::setText(QString());
    Type(free, QStringLiteral("-5"));
    EXPECT_DOUBLE_EQ(free.value(), -5);
}

TEST_F(CalcEditTest, PasteReadsAFormattedAmountOrNothing)
{
    edit.QLineEdit::setText(QString());
    QApplication::clipboard()->setText(QStringLiteral("1 234,56 zł"));
    edit.paste();
    EXPECT_DOUBLE_EQ(edit.value(), 1234.56);
    QApplication::clipboard()->setText(QStringLiteral("tysiąc"));
    edit.paste();
    EXPECT_DOUBLE_EQ(edit.value(), 1234.56);
}

TEST_F(CalcEditTest, SimulatedInputFiresChangeClampsAndEmptyReadsZero)
{
    Count changes(&edit, &CalcEdit::changed);
    edit.simulateInput(QStringLiteral("1000"));
    EXPECT_DOUBLE_EQ(edit.value(), 1000);
    EXPECT_EQ(edit.visibleText(), QStringLiteral("1 000,00 zł"));
    edit.simulateInput(QStringLiteral("1000"));  // a user's typing fires even when equal
    EXPECT_EQ(changes.n, 2);

    edit.simulateInput(QStringLiteral("99999999999"));
    EXPECT_DOUBLE_EQ(edit.value(), 2147483647);

    edit.simulateInput(QString());
    EXPECT_DOUBLE_EQ(edit.value(), 0);
    EXPECT_EQ(edit.visibleText(), QStringLiteral("0,00 zł"));

    changes.n = 0;
    edit.simulateInput(QStringLiteral("abc"));
    EXPECT_EQ(changes.n, 0);
    EXPECT_DOUBLE_EQ(edit.value(), 0);
}

TEST_F(CalcEditTest, EditingShowsThePlainNumberAndLeavingFormatsIt)
{
    edit.setValue(1234.5);
    QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(&edit, &in);
    EXPECT_EQ(edit.text(), QStringLiteral("1234,5"));
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(&edit, &out);
    EXPECT_EQ(edit.text(), QStringLiteral("1 234,50 zł"));
}

TEST_F(CalcEditTest, TextPropertyParsesWhatItShows)
{
    edit.setValue(42.5);
    const QString shown = edit.property("text").toString();
    edit.setValue(0);
    edit.setProperty("text", shown);
    EXPECT_DOUBLE_EQ(edit.value(), 42.5);
    EXPECT_DOUBLE_EQ(edit.property("value").toDouble(), 42.5);
}

}  // namespace
