#include "widgets/date_edit.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCalendarWidget>
#include <QKeyEvent>

using qel::DateEdit;
using qel::ParseTypedDate;

namespace {

struct DateCase {
    const char* text;
    int year, month, day;  // year 0: no date
};

class ParseTypedDateTest : public ::testing::TestWithParam<DateCase> {};

TEST_P(ParseTypedDateTest, Reads)
{
    const DateCase& c = GetParam();
    const QDate d = ParseTypedDate(QString::fromLatin1(c.text));
    if (c.year == 0)
        EXPECT_FALSE(d.isValid()) << c.text << " read as " << d.toString(Qt::ISODate).toStdString();
    else
        EXPECT_EQ(d, QDate(c.year, c.month, c.day)) << c.text;
}

INSTANTIATE_TEST_SUITE_P(Forms, ParseTypedDateTest, ::testing::Values(
    DateCase{"21-12-2002", 2002, 12, 21},
    DateCase{"21.12.2002", 2002, 12, 21},
    DateCase{"21/12/2002", 2002, 12, 21},
    DateCase{" 2002-12-21 ", 2002, 12, 21},
    DateCase{"21122002", 2002, 12, 21},
    DateCase{"1-2-2003", 2003, 2, 1},
    DateCase{"21-12-02", 2002, 12, 21},
    DateCase{"21-12-99", 1999, 12, 21},
    DateCase{"29-02-2004", 2004, 2, 29},
    DateCase{"31-02-2002", 0, 0, 0},
    DateCase{"29-02-2100", 0, 0, 0},
    DateCase{"21-13-2002", 0, 0, 0},
    DateCase{"21-12-202", 0, 0, 0},
    DateCase{"2002-12", 0, 0, 0},
    DateCase{"31-12-1899", 0, 0, 0},
    DateCase{"", 0, 0, 0}));

// Counts the edit's change signals.
struct Changes {
    explicit Changes(DateEdit& e) { QObject::connect(&e, &DateEdit::changed, [this] { ++n; }); }
    int n = 0;
};

void Type(QWidget& w, const QString& text)
{
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(&w, &press);
    }
}

TEST(DateEdit, TakesIsoInputShowsFourDigitYearsAndEmptyReadsZero)
{
    DateEdit e;
    Changes changes(e);
    EXPECT_EQ(e.date(), 0);
    e.simulateInput(QStringLiteral("2002-07-20"));
    EXPECT_EQ(e.visibleText(), QStringLiteral("20-07-2002"));
    EXPECT_EQ(e.date(), qel::ToDateTime(QDate(2002, 7, 20)));
    e.simulateInput(QStringLiteral("1.8.02"));
    EXPECT_EQ(e.visibleText(), QStringLiteral("01-08-2002"));
    e.simulateInput(QString());
    EXPECT_EQ(e.date(), 0);
    EXPECT_FALSE(e.isInvalid());
    EXPECT_EQ(changes.n, 3);
}

TEST(DateEdit, AnInvalidDateStaysAsTypedMarkedAndReadsZero)
{
    DateEdit e;
    e.setQDate(QDate(2002, 12, 21));
    const QColor normal = e.palette().color(QPalette::Base);
    Changes changes(e);
    e.simulateInput(QStringLiteral("31-02-2002"));
    EXPECT_EQ(e.visibleText(), QStringLiteral("31-02-2002"));
    EXPECT_TRUE(e.isInvalid());
    EXPECT_EQ(e.date(), 0);
    EXPECT_NE(e.palette().color(QPalette::Base), normal);
    EXPECT_TRUE(e.toolTip().contains(QStringLiteral("Nieprawidłowa data")));
    EXPECT_EQ(changes.n, 1);

    e.simulateInput(QStringLiteral("28-02-2002"));
    EXPECT_FALSE(e.isInvalid());
    EXPECT_EQ(e.palette().color(QPalette::Base), normal);
    EXPECT_TRUE(e.toolTip().isEmpty());

    e.simulateInput(QStringLiteral("jutro"));  // letters: refused, nothing changes
    EXPECT_EQ(e.visibleText(), QStringLiteral("28-02-2002"));
}

TEST(DateEdit, KeyboardTypingRefusesLetters)
{
    DateEdit e;
    Type(e, QStringLiteral("2x1-12-2002"));
    EXPECT_EQ(e.text(), QStringLiteral("21-12-2002"));
    EXPECT_EQ(e.qdate(), QDate(2002, 12, 21));
}

TEST(DateEdit, CalendarDropsDownOnTodayAndPicksADate)
{
    DateEdit e;
    Changes changes(e);
    QKeyEvent f4(QEvent::KeyPress, Qt::Key_F4, Qt::NoModifier);
    QApplication::sendEvent(&e, &f4);
    ASSERT_TRUE(e.isCalendarShown());
    EXPECT_EQ(e.calendar()->selectedDate(), QDate(2002, 12, 21));  // QEL_NOW of the tests
    emit e.calendar()->clicked(QDate(2002, 7, 30));
    EXPECT_FALSE(e.isCalendarShown());
    EXPECT_EQ(e.visibleText(), QStringLiteral("30-07-2002"));
    EXPECT_EQ(changes.n, 1);

    e.showCalendar();
    EXPECT_EQ(e.calendar()->selectedDate(), QDate(2002, 7, 30));
}

TEST(DateEdit, TextPropertyParsesWhatItShows)
{
    DateEdit e;
    e.setProperty("text", QStringLiteral("20-07-2002"));
    EXPECT_EQ(e.qdate(), QDate(2002, 7, 20));
    EXPECT_EQ(e.property("date").toDouble(), qel::ToDateTime(QDate(2002, 7, 20)));
}

}  // namespace
