#include "core/interaction.h"
#include "core/settings.h"
#include "platform/profile.h"
#include "platform/registry.h"
#include "scratch_home.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

const QString kSection = QStringLiteral("Systemowe");

qel::Reply Silence()
{
    qel::Reply reply;
    reply.result = qel::mrOk;
    reply.dontShowAgain = true;
    return reply;
}

// Stops reading and writing one hive for any user, root too: a folder where its file should be.
void BreakHive(qel::RegHive hive)
{
    ASSERT_TRUE(QDir().mkpath(qel::HiveFilePath(hive)));
}

}  // namespace

TEST(Settings, BooleansAsText)
{
    ScratchHome home;
    const struct {
        const char* stored;  // nullptr: no value at all
        bool whenDefaultFalse;
        bool whenDefaultTrue;
    } cases[] = {
        {"TAK", true, true},    {"tak", true, true},     {"Yes", true, true},  {"1", true, true},
        {"tRuE", true, true},   {"2", false, false},     {"0", false, false},  {"nie", false, false},
        {" tak", false, false}, {"True ", false, false}, {"", false, true},    {nullptr, false, true},
    };
    const QString ini = home.file(QStringLiteral("inny.ini"));
    int n = 0;
    for (const auto& c : cases) {
        const QString name = QStringLiteral("v%1").arg(++n);
        if (c.stored) {
            ASSERT_TRUE(qel::WriteSetting(kSection, name, QString::fromUtf8(c.stored)));
            ASSERT_TRUE(qel::WriteProfileString(ini, kSection, name, u'\'' + QString::fromUtf8(c.stored) + u'\''));
        }
        EXPECT_EQ(qel::ReadSettingBool(kSection, name, false), c.whenDefaultFalse) << c.stored;
        EXPECT_EQ(qel::ReadSettingBool(kSection, name, true), c.whenDefaultTrue) << c.stored;
        EXPECT_EQ(qel::IniReadBool(ini, kSection, name, false), c.whenDefaultFalse) << c.stored;
        EXPECT_EQ(qel::IniReadBool(ini, kSection, name, true), c.whenDefaultTrue) << c.stored;
    }
    ASSERT_TRUE(qel::WriteSettingBool(kSection, QStringLiteral("Był Pierwszy Krok"), true));
    EXPECT_EQ(qel::ReadSetting(kSection, QStringLiteral("był pierwszy krok")), QStringLiteral("True"));
    ASSERT_TRUE(qel::IniWriteBool(ini, kSection, QStringLiteral("b"), false));
    EXPECT_EQ(qel::ReadProfileString(ini, kSection, QStringLiteral("b")), QStringLiteral("False"));
}

TEST(Settings, RegistryValuesReadAsText)
{
    ScratchHome home;
    {
        qel::RegistryKey key(qel::RegHive::LocalMachine);
        ASSERT_TRUE(key.open(QStringLiteral("Software\\QEL\\ścieżki"), true));
        key.writeExpandString(QStringLiteral("rozw"), QStringLiteral("%PATH%"));
        key.writeInteger(QStringLiteral("minus"), 0xffffffff);
        key.writeBytes(QStringLiteral("bajty"), QByteArray("\x10\x27\x00\x00\x99", 5));
        key.writeBytes(QStringLiteral("krótkie"), QByteArray("\x05", 1));
        key.writeBytes(QStringLiteral("puste"), {});
        key.writeString(QStringLiteral("pusty"), QString());
    }
    const QString key = QStringLiteral("Software\\QEL\\ścieżki");
    const struct {
        const char* name;
        const char* expected;
    } cases[] = {
        {"rozw", "*** ext string ***"}, {"minus", "-1"}, {"bajty", "10000"}, {"krótkie", "5"},
        {"puste", "0"},                 {"pusty", "domyślna"}, {"brak", "domyślna"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(qel::RegReadValue(qel::kHiveLocalMachine, key, QString::fromUtf8(c.name), QStringLiteral("domyślna")),
                  QString::fromUtf8(c.expected))
            << c.name;
    EXPECT_TRUE(qel::LastRegistryError().isEmpty());

    EXPECT_EQ(qel::RegReadValue(qel::kHiveLocalMachine, QStringLiteral("Software\\Brak"), QStringLiteral("x"), QStringLiteral("d")),
              QStringLiteral("d"));
    EXPECT_EQ(qel::LastRegistryError(), QStringLiteral("Can't open key. Software\\Brak"));
    QStringList names;
    EXPECT_FALSE(qel::RegValueNames(qel::kHiveLocalMachine, QStringLiteral("Software\\Brak"), names));
    EXPECT_TRUE(qel::RegValueNames(qel::kHiveLocalMachine, key, names));
    EXPECT_TRUE(qel::LastRegistryError().isEmpty());  // cleared by the next access
    EXPECT_EQ(names.size(), 6);
    EXPECT_TRUE(qel::RegSubkeyNames(qel::kHiveLocalMachine, QStringLiteral("software"), names));
    EXPECT_EQ(names, QStringList{QStringLiteral("QEL")});

    EXPECT_TRUE(qel::RegWriteInteger(qel::kHiveCurrentUser, qel::SectionKey(kSection), QStringLiteral("n"), -7));
    EXPECT_EQ(qel::ReadSettingInt(kSection, QStringLiteral("n"), 0), -7);
    EXPECT_TRUE(qel::WriteSetting(kSection, QStringLiteral("zle"), QStringLiteral("12abc")));
    EXPECT_EQ(qel::ReadSettingInt(kSection, QStringLiteral("zle"), 3), 3);
    EXPECT_TRUE(qel::RegDeleteKey(qel::kHiveCurrentUser, qel::SectionKey(kSection)));
    EXPECT_FALSE(qel::RegDeleteKey(qel::kHiveCurrentUser, qel::SectionKey(kSection)));
    EXPECT_EQ(qel::ReadSettingInt(kSection, QStringLiteral("n"), 4), 4);
}

TEST(Settings, IniValues)
{
    ScratchHome home;
    const QString ini = qel::QelIniPath();
    EXPECT_EQ(ini, home.file(QStringLiteral("qel.ini")));

    ASSERT_TRUE(qel::IniWriteString(ini, kSection, QStringLiteral("cytat"), QStringLiteral("firma \"Żuk\" s.c.")));
    EXPECT_TRUE(ReadFileBytes(ini).contains("cytat=firma ~\xafuk~ s.c.\r\n"));
    EXPECT_EQ(qel::IniReadString(ini, kSection, QStringLiteral("cytat")), QStringLiteral("firma \"Żuk\" s.c."));
    ASSERT_TRUE(qel::WriteProfileString(ini, kSection, QStringLiteral("tylda"), QStringLiteral("~a~")));
    EXPECT_EQ(qel::IniReadString(ini, kSection, QStringLiteral("tylda")), QStringLiteral("\"a\""));

    const QString longText(250, u'x');
    ASSERT_TRUE(qel::IniWriteString(ini, kSection, QStringLiteral("długi"), longText));
    EXPECT_EQ(qel::IniReadString(ini, kSection, QStringLiteral("długi")), longText.left(qel::kIniValueLimit));

    ASSERT_TRUE(qel::IniWriteInt(ini, kSection, QStringLiteral("n"), -12));
    EXPECT_EQ(qel::IniReadInt(ini, kSection, QStringLiteral("n"), 0), -12);
    ASSERT_TRUE(qel::WriteProfileString(ini, kSection, QStringLiteral("zle"), QStringLiteral("12abc")));
    EXPECT_EQ(qel::IniReadInt(ini, kSection, QStringLiteral("zle"), 5), 5);
    EXPECT_EQ(qel::IniReadString(ini, kSection, QStringLiteral("brak"), QStringLiteral("~d")), QStringLiteral("~d"));
}

TEST(Settings, CombinedIniWins)
{
    ScratchHome home;
    const QString ini = qel::QelIniPath();
    qel::WriteSetting(kSection, QStringLiteral("s"), QStringLiteral("z rejestru"));
    qel::WriteSetting(kSection, QStringLiteral("b"), QStringLiteral("True"));
    qel::WriteSetting(kSection, QStringLiteral("i"), QStringLiteral("5"));
    EXPECT_EQ(qel::QelReadString(kSection, QStringLiteral("s"), QStringLiteral("d")), QStringLiteral("z rejestru"));
    EXPECT_TRUE(qel::QelReadBool(kSection, QStringLiteral("b"), false));
    EXPECT_EQ(qel::QelReadInt(kSection, QStringLiteral("i"), 0), 5);
    EXPECT_EQ(qel::QelReadInt(kSection, QStringLiteral("brak"), 9), 9);

    qel::WriteProfileString(ini, kSection, QStringLiteral("s"), QStringLiteral("z ini"));
    qel::WriteProfileString(ini, kSection, QStringLiteral("b"), QStringLiteral("nie"));
    qel::WriteProfileString(ini, kSection, QStringLiteral("i"), QStringLiteral("7"));
    EXPECT_EQ(qel::QelReadString(kSection, QStringLiteral("s"), QStringLiteral("d")), QStringLiteral("z ini"));
    EXPECT_FALSE(qel::QelReadBool(kSection, QStringLiteral("b"), true));
    EXPECT_EQ(qel::QelReadInt(kSection, QStringLiteral("i"), 0), 7);

    qel::QelWriteBool(kSection, QStringLiteral("nowy"), true);
    EXPECT_EQ(qel::ReadSetting(kSection, QStringLiteral("nowy")), QStringLiteral("True"));
    EXPECT_EQ(qel::ReadProfileString(ini, kSection, QStringLiteral("nowy")), QStringLiteral("True"));
}

TEST(Settings, RegistryFailureSilencedForTheDay)
{
    ScratchHome home("2002-12-21T10:00:00");
    BreakHive(qel::RegHive::LocalMachine);
    qel::ScriptedPrompts script;
    script.answer(Silence());
    const QString key = QStringLiteral("Software\\QEL\\ścieżki");

    EXPECT_FALSE(qel::RegWriteString(qel::kHiveLocalMachine, key, QStringLiteral("Mirtal"), QStringLiteral("/opt/mirtal")));
    ASSERT_EQ(script.asked().size(), 1);
    const qel::Prompt& asked = script.asked()[0];
    EXPECT_TRUE(asked.text.startsWith(QStringLiteral("Nie udała się wymiana danych z Rejestrem Windows! Nie można zapisać pliku rejestru")))
        << asked.text.toStdString();
    EXPECT_EQ(asked.key, QStringLiteral("RegSaveErr37611"));
    EXPECT_TRUE(asked.offerDontShowAgain);
    EXPECT_TRUE(qel::LastRegistryError().startsWith(QStringLiteral("Nie można zapisać pliku rejestru")));
    EXPECT_TRUE(qel::ReadSettingBool(QStringLiteral("DontShowAgain"), QStringLiteral("RegSaveErr37611"), false));

    EXPECT_FALSE(qel::RegWriteInteger(qel::kHiveLocalMachine, key, QStringLiteral("x"), 1));
    EXPECT_EQ(script.asked().size(), 1);  // silenced today

    qputenv("QEL_NOW", "2002-12-22T08:00:00");
    EXPECT_FALSE(qel::RegWriteString(qel::kHiveLocalMachine, key, QStringLiteral("x"), QStringLiteral("y")));
    ASSERT_EQ(script.asked().size(), 2);
    EXPECT_EQ(script.asked()[1].key, QStringLiteral("RegSaveErr37612"));

    // Not ticked: the next failure asks again.
    script.answer(qel::mrOk);
    EXPECT_FALSE(qel::RegWriteString(qel::kHiveLocalMachine, key, QStringLiteral("x"), QStringLiteral("y")));
    EXPECT_EQ(script.asked().size(), 3);
}

TEST(Settings, SilencingHoldsWhenNoHiveCanBeWritten)
{
    ScratchHome home("2003-03-03T10:00:00");
    BreakHive(qel::RegHive::LocalMachine);
    BreakHive(qel::RegHive::CurrentUser);
    qel::ScriptedPrompts script;
    script.answer(Silence());
    EXPECT_FALSE(qel::WriteSetting(kSection, QStringLiteral("a"), QStringLiteral("1")));
    EXPECT_FALSE(qel::RegWriteString(qel::kHiveLocalMachine, QStringLiteral("Software"), QStringLiteral("a"), QStringLiteral("1")));
    EXPECT_FALSE(qel::SaveSenderData(QStringList(qel::kSenderFieldCount, QStringLiteral("x"))));
    EXPECT_EQ(script.asked().size(), 1);
}

TEST(Settings, DamagedStoreAndUnreadableIniGiveDefaults)
{
    ScratchHome home("2002-12-21T10:00:00");
    ASSERT_TRUE(WriteFileBytes(qel::HiveFilePath(qel::RegHive::CurrentUser),
                               "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\QEL\\Systemowe]\r\n"
                               "\"Był Pierwszy Krok\"=\"True\"\r\n\"n\"=\"4\"\r\n\"zepsuty\"=\"bez ko\xc5\x84" "ca"));
    ASSERT_TRUE(QDir().mkpath(qel::QelIniPath()));  // qel.ini cannot be read
    qel::ScriptedPrompts script;

    EXPECT_TRUE(qel::QelReadBool(kSection, QStringLiteral("Był Pierwszy Krok"), false));
    ASSERT_EQ(script.asked().size(), 1);
    EXPECT_TRUE(script.asked()[0].text.startsWith(QStringLiteral("Plik rejestru programu był uszkodzony!")));
    EXPECT_TRUE(script.asked()[0].detail.contains(QStringLiteral(".uszkodzony-20021221-100000")));
    EXPECT_EQ(qel::QelReadInt(kSection, QStringLiteral("n"), 0), 4);
    EXPECT_EQ(qel::QelReadString(kSection, QStringLiteral("zepsuty"), QStringLiteral("d")), QStringLiteral("d"));
    EXPECT_EQ(script.asked().size(), 1);  // told once

    qel::QelWriteString(kSection, QStringLiteral("s"), QStringLiteral("v"));  // the ini part fails silently
    EXPECT_EQ(qel::ReadSetting(kSection, QStringLiteral("s")), QStringLiteral("v"));
    EXPECT_EQ(qel::InterestTableFile(), home.file(QStringLiteral("odsetki.dat")));
    EXPECT_EQ(script.asked().size(), 1);
}

TEST(Settings, AuxiliaryFiles)
{
    ScratchHome home;
    const QString ini = qel::QelIniPath();
    EXPECT_EQ(qel::InterestTableFile(), home.file(QStringLiteral("odsetki.dat")));
    EXPECT_EQ(qel::ReadProfileString(ini, QStringLiteral("Odsetki"), QStringLiteral("Plik")), home.file(QStringLiteral("odsetki.dat")));

    ASSERT_TRUE(qel::WriteProfileString(ini, QStringLiteral("Wyjątki NIP"), QStringLiteral("Plik"), QStringLiteral("c:\\dane\\wyjatki.nip")));
    EXPECT_EQ(qel::NipExceptionsFile(), home.file(QStringLiteral("dane/wyjatki.nip")));
    // Resolved once a run: a later change of the ini is not seen.
    ASSERT_TRUE(qel::WriteProfileString(ini, QStringLiteral("Wyjątki NIP"), QStringLiteral("Plik"), QStringLiteral("/inny")));
    EXPECT_EQ(qel::NipExceptionsFile(), home.file(QStringLiteral("dane/wyjatki.nip")));
}

TEST(Settings, HelpFileIsSearchedOnceAndRemembered)
{
    ScratchHome home;
    ASSERT_TRUE(WriteFileBytes(home.file(QStringLiteral("Program Files/Qel/Pomoc/QEL.HLP")), "pomoc"));
    ASSERT_TRUE(WriteFileBytes(home.file(QStringLiteral("Program Files/Qel/Pomoc/głębiej/qel.hlp")), "druga"));
    const QString found = qel::HelpFile();
    EXPECT_EQ(found, home.file(QStringLiteral("Program Files/Qel/Pomoc/QEL.HLP")));
    EXPECT_EQ(qel::ReadProfileString(qel::QelIniPath(), QStringLiteral("Plik Pomocy"), QStringLiteral("Plik")), found);
}

TEST(Settings, FileSearchIsBounded)
{
    ScratchHome home;
    QString deep = home.file(QStringLiteral("a"));
    for (int i = 0; i < 12; ++i)
        deep += QStringLiteral("/d");
    ASSERT_TRUE(WriteFileBytes(deep + QStringLiteral("/qel.hlp"), "x"));
    for (int i = 0; i < 30; ++i)
        ASSERT_TRUE(QDir().mkpath(home.file(QStringLiteral("b/f%1").arg(i))));
    ASSERT_TRUE(WriteFileBytes(home.file(QStringLiteral("b/f29/qel.hlp")), "x"));
    // A folder link back up must not loop.
    ASSERT_TRUE(QFile::link(home.path(), home.file(QStringLiteral("b/f0/pętla"))));

    EXPECT_EQ(qel::FindFileBelow({home.file(QStringLiteral("a"))}, QStringLiteral("qel.hlp"), 12, 1000, 60000), deep + QStringLiteral("/qel.hlp"));
    EXPECT_EQ(qel::FindFileBelow({home.file(QStringLiteral("a"))}, QStringLiteral("qel.hlp"), 8, 1000, 60000), QString());
    EXPECT_EQ(qel::FindFileBelow({home.file(QStringLiteral("b"))}, QStringLiteral("qel.hlp"), 8, 1000, 60000),
              home.file(QStringLiteral("b/f29/qel.hlp")));
    EXPECT_EQ(qel::FindFileBelow({home.file(QStringLiteral("b"))}, QStringLiteral("qel.hlp"), 8, 10, 60000), QString());
    EXPECT_EQ(qel::FindFileBelow({home.file(QStringLiteral("brak"))}, QStringLiteral("qel.hlp"), 8, 10, 60000), QString());
}

TEST(Settings, SenderData)
{
    ScratchHome home;
    EXPECT_EQ(qel::SenderFieldNames().size(), qel::kSenderFieldCount);
    EXPECT_EQ(qel::LoadSenderData(), QStringList(qel::kSenderFieldCount, QString()));
    QStringList values;
    for (const QString& name : qel::SenderFieldNames())
        values.append(name + QStringLiteral(" – wartość"));
    ASSERT_TRUE(qel::SaveSenderData(values));
    EXPECT_EQ(qel::LoadSenderData(), values);
    EXPECT_EQ(qel::ReadSetting(QStringLiteral("Dane użytkownika"), QStringLiteral("numer konta")), values[11]);
}
