#include "platform/clock.h"
#include "platform/cp1250.h"
#include "platform/datetime.h"
#include "platform/paths.h"
#include "scratch_home.h"

#include <gtest/gtest.h>

TEST(Clock, FixedByEnvironment)
{
    ScratchHome home("2002-12-21T15:30:00");
    EXPECT_EQ(qel::Now(), QDateTime(QDate(2002, 12, 21), QTime(15, 30)));
    EXPECT_EQ(qel::Today(), QDate(2002, 12, 21));
}

TEST(Clock, DateAloneAndGarbageFallBack)
{
    ScratchHome home("2003-01-02");
    EXPECT_EQ(qel::Now(), QDateTime(QDate(2003, 1, 2), QTime(0, 0)));
    qputenv("QEL_NOW", "not a date");
    EXPECT_GE(qel::Today().year(), 2025);  // the machine's own clock
}

TEST(DateTime, DaysSinceEpoch)
{
    EXPECT_EQ(qel::ToDateTime(QDate(1899, 12, 30)), 0.0);
    EXPECT_EQ(qel::ToDateTime(QDate(2002, 12, 21)), 37611.0);
    EXPECT_EQ(qel::DateOf(37611.75), QDate(2002, 12, 21));
    EXPECT_EQ(qel::DateTimeOf(37611.75), QDateTime(QDate(2002, 12, 21), QTime(18, 0)));
    EXPECT_FALSE(qel::DateOf(0).isValid());
    EXPECT_EQ(qel::ToDateTime(QDate()), 0.0);
    EXPECT_EQ(qel::DateFromYmd(20021024), QDate(2002, 10, 24));
    EXPECT_FALSE(qel::DateFromYmd(20021399).isValid());
    EXPECT_EQ(qel::YmdFromDate(QDate(2001, 2, 3)), 20010203);
}

TEST(Paths, VirtualDrive)
{
    ScratchHome home;
    EXPECT_EQ(qel::QelHome(), home.path());
    EXPECT_EQ(qel::MapWindowsPath(QStringLiteral("c:\\qel.ini")), home.file(QStringLiteral("qel.ini")));
    EXPECT_EQ(qel::MapWindowsPath(QStringLiteral("C:\\qel\\")), home.file(QStringLiteral("qel/")));
    EXPECT_EQ(qel::MapWindowsPath(QStringLiteral("c:")), home.path() + u'/');
    EXPECT_EQ(qel::MapWindowsPath(QStringLiteral("d:\\x.txt")), home.file(QStringLiteral("drives/d/x.txt")));
    EXPECT_EQ(qel::MapWindowsPath(QStringLiteral("/tmp/a.dat")), QStringLiteral("/tmp/a.dat"));
    EXPECT_EQ(qel::ProgramFolder(), home.file(QStringLiteral("Mirtal")));
    EXPECT_TRUE(QFileInfo(qel::ProgramFolder()).isDir());
}

TEST(Cp1250, EveryByteRoundTrips)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    const QString text = qel::DecodeCp1250(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(qel::EncodeCp1250(text), all);
}

TEST(Cp1250, PolishLettersAndStrangers)
{
    const QString polish = QStringLiteral("Zażółć gęślą jaźń ĄĆĘŁŃÓŚŹŻ €„”");
    const QByteArray bytes = qel::EncodeCp1250(polish);
    EXPECT_EQ(bytes.size(), polish.size());
    EXPECT_EQ(static_cast<unsigned char>(bytes[2]), 0xBFu);  // ż
    EXPECT_EQ(qel::DecodeCp1250(bytes), polish);
    // Outside the code page: one '?' a character, a surrogate pair included.
    EXPECT_EQ(qel::EncodeCp1250(QStringLiteral("a\u4E2Db\U0001F600c")), QByteArray("a?b?c"));
}
