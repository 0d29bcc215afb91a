#include "platform/cp1250.h"
#include "platform/profile.h"
#include "scratch_home.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

const QByteArray kSample =
    "; uwagi na g\xf3rze\r\n"
    "[Odsetki]\r\n"
    "Plik = c:\\odsetki.dat  \r\n"
    "  Cytat=\"  w cudzys\xb3owie  \"\r\n"
    "Apostrof='raz'\r\n"
    "Pusty=\r\n"
    "P\xf3\xbf" "ny=\"\r\n"
    "Liczba=12abc\r\n"
    "Hex=0x1F\r\n"
    "Ujemna=-3\r\n"
    "Slowo=abc\r\n"
    "plik=drugi\r\n"
    "\r\n"
    "[  \xa3\xb9" "czka  ]\n"
    "K=1\r"
    "[odsetki]\r\n"
    "Plik=powt\xf3rzona sekcja\r\n";

class Profile : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = home.file(QStringLiteral("qel.ini"));
        ASSERT_TRUE(WriteFileBytes(path, kSample));
    }
    QString read(const char* section, const char* key, const char* def = "brak")
    {
        return qel::ReadProfileString(path, QString::fromUtf8(section), QString::fromUtf8(key), QString::fromUtf8(def));
    }

    ScratchHome home;
    QString path;
};

}  // namespace

TEST_F(Profile, ReadsWithWindowsRules)
{
    const struct {
        const char* section;
        const char* key;
        const char* expected;
    } cases[] = {
        {"Odsetki", "Plik", "c:\\odsetki.dat"},     // trimmed, first of the duplicates
        {"ODSETKI", " plik ", "c:\\odsetki.dat"},   // names without regard to case and blanks
        {"Odsetki", "Cytat", "  w cudzysłowie  "},  // one pair of quotes off, inside kept
        {"Odsetki", "Apostrof", "raz"},
        {"Odsetki", "Pusty", ""},                    // present but empty is not the default
        {"Odsetki", "PÓŻNY", "\""},                   // a lone quote stays
        {"Odsetki", "Brak", "brak"},
        {"łączka", "k", "1"},                         // Windows-1250 names, lone CR and LF ends
        {"ŁĄCZKA", "K", "1"},
        {"Brak", "Plik", "brak"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(read(c.section, c.key), QString::fromUtf8(c.expected)) << c.section << "/" << c.key;

    EXPECT_EQ(qel::ProfileSections(path), (QStringList{QStringLiteral("Odsetki"), QStringLiteral("Łączka")}));
    EXPECT_EQ(qel::ProfileKeys(path, QStringLiteral("odsetki")).size(), 9);
    EXPECT_TRUE(qel::ProfileHasKey(path, QStringLiteral("Odsetki"), QStringLiteral("pusty")));
}

TEST_F(Profile, Integers)
{
    const struct {
        const char* key;
        int expected;
    } cases[] = {{"Liczba", 12}, {"Hex", 31}, {"Ujemna", -3}, {"Slowo", 0}, {"Pusty", 77}, {"Brak", 77}};
    for (const auto& c : cases)
        EXPECT_EQ(qel::ReadProfileInt(path, QStringLiteral("Odsetki"), QString::fromUtf8(c.key), 77), c.expected) << c.key;
}

TEST_F(Profile, WritesKeepTheRestOfTheFile)
{
    ASSERT_TRUE(qel::WriteProfileString(path, QStringLiteral("odsetki"), QStringLiteral("PLIK"), QStringLiteral("/x/ódsetki.dat")));
    ASSERT_TRUE(qel::WriteProfileString(path, QStringLiteral("Odsetki"), QStringLiteral("Nowy"), QStringLiteral("a\r\nb")));
    ASSERT_TRUE(qel::WriteProfileString(path, QStringLiteral("Plik Pomocy"), QStringLiteral("Plik"), QStringLiteral("ż")));
    const QByteArray after = ReadFileBytes(path);
    EXPECT_TRUE(after.startsWith("; uwagi na g\xf3rze\r\n[Odsetki]\r\nPlik=/x/\xf3" "dsetki.dat\r\n"));
    EXPECT_TRUE(after.contains("plik=drugi\r\nNowy=a b\r\n\r\n[  \xa3\xb9" "czka  ]\r\nK=1\r\n"));
    EXPECT_TRUE(after.endsWith("Plik=powt\xf3rzona sekcja\r\n\r\n[Plik Pomocy]\r\nPlik=\xbf\r\n"));
    EXPECT_FALSE(after.contains("\n\n"));  // every line end is CR LF
    EXPECT_EQ(read("plik pomocy", "plik"), QStringLiteral("ż"));
    EXPECT_EQ(read("Odsetki", "Cytat"), QStringLiteral("  w cudzysłowie  "));
}

TEST_F(Profile, UnwritableNamesAreRefused)
{
    for (const char* name : {"", "a]b", "a\nb"})
        EXPECT_FALSE(qel::WriteProfileString(path, QString::fromUtf8(name), QStringLiteral("k"), QStringLiteral("v")));
    for (const char* name : {"", "a=b", "[x", ";x"})
        EXPECT_FALSE(qel::WriteProfileString(path, QStringLiteral("s"), QString::fromUtf8(name), QStringLiteral("v")));
    EXPECT_EQ(ReadFileBytes(path), kSample);
}

TEST_F(Profile, Deleting)
{
    EXPECT_TRUE(qel::DeleteProfileKey(path, QStringLiteral("ODSETKI"), QStringLiteral("plik")));
    // Every copy goes, also those in the repeated section.
    EXPECT_EQ(read("Odsetki", "Plik"), QStringLiteral("brak"));
    EXPECT_FALSE(qel::DeleteProfileKey(path, QStringLiteral("Odsetki"), QStringLiteral("Plik")));
    EXPECT_TRUE(qel::DeleteProfileSection(path, QStringLiteral("odsetki")));
    EXPECT_EQ(qel::ProfileSections(path), QStringList{QStringLiteral("Łączka")});
    EXPECT_TRUE(ReadFileBytes(path).startsWith("; uwagi"));
    EXPECT_FALSE(qel::DeleteProfileSection(path, QStringLiteral("odsetki")));
}

TEST(ProfileFiles, MissingOrUnreadableFilesGiveDefaults)
{
    ScratchHome home;
    const QString missing = home.file(QStringLiteral("brak/qel.ini"));
    EXPECT_EQ(qel::ReadProfileString(missing, QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("d")), QStringLiteral("d"));
    EXPECT_TRUE(qel::ProfileSections(missing).isEmpty());
    EXPECT_TRUE(qel::WriteProfileString(missing, QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")));
    EXPECT_EQ(ReadFileBytes(missing), QByteArray("[a]\r\nb=c\r\n"));

    // A folder where the file should be: cannot be read, and is not replaced.
    const QString folder = home.file(QStringLiteral("qel.ini"));
    ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_EQ(qel::ReadProfileInt(folder, QStringLiteral("a"), QStringLiteral("b"), 5), 5);
    EXPECT_FALSE(qel::WriteProfileString(folder, QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")));
    EXPECT_TRUE(QFileInfo(folder).isDir());

    // Binary rubbish still reads without a crash.
    const QString rubbish = home.file(QStringLiteral("rubbish.ini"));
    QByteArray bytes;
    for (int i = 0; i < 4096; ++i)
        bytes.append(static_cast<char>((i * 7919) & 0xff));
    ASSERT_TRUE(WriteFileBytes(rubbish, bytes));
    EXPECT_EQ(qel::ReadProfileString(rubbish, QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("d")), QStringLiteral("d"));
    qel::ProfileSections(rubbish);
}
