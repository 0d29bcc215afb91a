#include "platform/registry.h"
#include "scratch_home.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

using qel::RegHive;
using qel::RegistryKey;
using qel::RegValue;

namespace {

QStringList DamagedCopies(const ScratchHome& home)
{
    return QDir(home.file(QStringLiteral("registry"))).entryList({QStringLiteral("*.uszkodzony-*")}, QDir::Files);
}

}  // namespace

TEST(Registry, HiveNumbers)
{
    EXPECT_EQ(qel::HiveFromNumber(1), RegHive::CurrentUser);
    EXPECT_EQ(qel::HiveFromNumber(2), RegHive::LocalMachine);
    EXPECT_EQ(qel::HiveFromNumber(3), RegHive::Users);
    EXPECT_EQ(qel::HiveFromNumber(4), RegHive::DynData);
    EXPECT_EQ(qel::HiveFromNumber(0), RegHive::ClassesRoot);
    EXPECT_EQ(qel::HiveFromNumber(7), RegHive::ClassesRoot);
    ScratchHome home;
    EXPECT_EQ(qel::HiveFilePath(RegHive::LocalMachine), home.file(QStringLiteral("registry/HKEY_LOCAL_MACHINE.reg")));
}

TEST(Registry, TypedValuesSurviveTheFile)
{
    ScratchHome home;
    const QString tricky = QStringLiteral(R"(C:\Mój "folder"\ścieżka)");
    const QByteArray bytes("\x01\x00\xff\x7f", 4);
    const QByteArray longBytes(100, '\x5a');
    {
        RegistryKey key(RegHive::CurrentUser);
        ASSERT_TRUE(key.open(QStringLiteral("Software\\QEL\\ścieżki"), true));
        EXPECT_TRUE(key.writeString(QStringLiteral("Żółw"), tricky));
        EXPECT_TRUE(key.writeString(QStringLiteral("wiersze"), QStringLiteral("a\r\nb")));
        EXPECT_TRUE(key.writeString(QString(), QStringLiteral("domyślna")));
        EXPECT_TRUE(key.writeExpandString(QStringLiteral("rozw"), QStringLiteral("%HOME%/x")));
        EXPECT_TRUE(key.writeInteger(QStringLiteral("liczba"), 0xfffffffe));
        EXPECT_TRUE(key.writeBytes(QStringLiteral("bajty"), bytes));
        EXPECT_TRUE(key.writeBytes(QStringLiteral("długie"), longBytes));
        EXPECT_TRUE(key.writeBytes(QStringLiteral("puste"), {}));
    }
    const QByteArray file = ReadFileBytes(qel::HiveFilePath(RegHive::CurrentUser));
    EXPECT_TRUE(file.startsWith("REGEDIT4\r\n"));
    EXPECT_TRUE(file.contains("[HKEY_CURRENT_USER\\Software\\QEL\\\xc5\x9b" "cie\xc5\xbc" "ki]\r\n"));
    EXPECT_TRUE(file.contains("\"liczba\"=dword:fffffffe\r\n"));

    // A fresh process would read the file from scratch: drop the cached tree by
    // touching the file through another name.
    const QString path = qel::HiveFilePath(RegHive::CurrentUser);
    ASSERT_TRUE(WriteFileBytes(path + QStringLiteral(".tmp"), file));
    QFile::remove(path);
    QFile::rename(path + QStringLiteral(".tmp"), path);

    RegistryKey key(RegHive::CurrentUser);
    ASSERT_TRUE(key.open(QStringLiteral("SOFTWARE\\qel\\ŚCIEŻKI"), false));
    EXPECT_EQ(key.path(), QStringLiteral("Software\\QEL\\ścieżki"));
    EXPECT_EQ(key.value(QStringLiteral("żółw")), RegValue::string(tricky));
    EXPECT_EQ(key.value(QStringLiteral("wiersze")), RegValue::string(QStringLiteral("a\r\nb")));
    EXPECT_EQ(key.value(QString()), RegValue::string(QStringLiteral("domyślna")));
    EXPECT_EQ(key.value(QStringLiteral("rozw")), RegValue::expandString(QStringLiteral("%HOME%/x")));
    EXPECT_EQ(key.value(QStringLiteral("liczba")), RegValue::integer(0xfffffffe));
    EXPECT_EQ(key.value(QStringLiteral("bajty")), RegValue::binary(bytes));
    EXPECT_EQ(key.value(QStringLiteral("długie")), RegValue::binary(longBytes));
    EXPECT_EQ(key.value(QStringLiteral("puste")), RegValue::binary({}));
    EXPECT_EQ(key.valueNames().size(), 8);
    EXPECT_TRUE(DamagedCopies(home).isEmpty());
}

TEST(Registry, NamesKeepTheirFirstSpelling)
{
    ScratchHome home;
    RegistryKey key(RegHive::CurrentUser);
    ASSERT_TRUE(key.open(QStringLiteral("\\Software\\QEL\\\\DontShowAgain\\"), true));
    EXPECT_TRUE(key.writeString(QStringLiteral("RegSaveErr37611"), QStringLiteral("True")));
    EXPECT_TRUE(key.writeString(QStringLiteral("REGSAVEERR37611"), QStringLiteral("False")));
    EXPECT_EQ(key.valueNames(), QStringList{QStringLiteral("RegSaveErr37611")});
    EXPECT_EQ(key.value(QStringLiteral("regsaveerr37611")).text, QStringLiteral("False"));

    RegistryKey other(RegHive::CurrentUser);
    ASSERT_TRUE(other.open(QStringLiteral("software\\QEL\\dontshowagain\\Pod"), true));
    ASSERT_TRUE(other.open(QStringLiteral("SOFTWARE"), false));
    EXPECT_EQ(other.subkeyNames(), QStringList{QStringLiteral("QEL")});
    ASSERT_TRUE(other.open(QStringLiteral("Software\\QEL\\DontShowAgain"), false));
    EXPECT_EQ(other.subkeyNames(), QStringList{QStringLiteral("Pod")});
}

TEST(Registry, MissingKeysAndValues)
{
    ScratchHome home;
    RegistryKey key(RegHive::CurrentUser);
    EXPECT_FALSE(key.open(QStringLiteral("Software\\Brak"), false));
    EXPECT_EQ(key.error(), QStringLiteral("Can't open key. Software\\Brak"));
    EXPECT_FALSE(QFileInfo::exists(qel::HiveFilePath(RegHive::CurrentUser)));  // a read writes nothing
    EXPECT_EQ(key.value(QStringLiteral("x")).type, qel::RegType::None);
    EXPECT_FALSE(key.writeString(QStringLiteral("x"), QStringLiteral("y")));  // not open

    ASSERT_TRUE(key.open(QStringLiteral("Software\\Jest"), true));
    EXPECT_FALSE(key.hasValue(QStringLiteral("x")));
    EXPECT_FALSE(key.deleteValue(QStringLiteral("x")));
    EXPECT_FALSE(key.deleteKey(QStringLiteral("Software\\Brak")));
    EXPECT_FALSE(key.writeString(QStringLiteral("zły\nklucz"), QStringLiteral("y")));
}

TEST(Registry, DeletingValuesAndKeys)
{
    ScratchHome home;
    RegistryKey key(RegHive::LocalMachine);
    ASSERT_TRUE(key.open(QStringLiteral("Software\\QEL\\A\\B\\C"), true));
    EXPECT_TRUE(key.writeString(QStringLiteral("v"), QStringLiteral("1")));
    ASSERT_TRUE(key.open(QStringLiteral("Software\\QEL\\A"), false));
    EXPECT_TRUE(key.writeString(QStringLiteral("w"), QStringLiteral("2")));
    EXPECT_TRUE(key.writeString(QStringLiteral("z"), QStringLiteral("3")));
    EXPECT_TRUE(key.deleteValue(QStringLiteral("W")));
    EXPECT_EQ(key.valueNames(), QStringList{QStringLiteral("z")});

    RegistryKey inner(RegHive::LocalMachine);
    ASSERT_TRUE(inner.open(QStringLiteral("Software\\QEL\\A\\B\\C"), false));
    EXPECT_TRUE(key.deleteKey(QStringLiteral("software\\qel\\a\\b")));
    EXPECT_FALSE(key.keyExists(QStringLiteral("Software\\QEL\\A\\B")));
    EXPECT_TRUE(key.isOpen());  // the deleted key lay below it
    EXPECT_FALSE(inner.hasValue(QStringLiteral("v")));
    EXPECT_EQ(inner.error(), QStringLiteral("Can't open key. Software\\QEL\\A\\B\\C"));
    EXPECT_FALSE(ReadFileBytes(qel::HiveFilePath(RegHive::LocalMachine)).contains("\\B"));
}

TEST(Registry, FailedWritesAreReportedAndNotSeen)
{
    ScratchHome home;
    RegistryKey key(RegHive::LocalMachine);
    ASSERT_TRUE(key.open(QStringLiteral("Software\\QEL"), true));
    ASSERT_TRUE(key.writeString(QStringLiteral("a"), QStringLiteral("1")));

    // A file in the place of the registry folder stops any user, root too.
    const QString folder = home.file(QStringLiteral("registry"));
    ASSERT_TRUE(QDir().rename(folder, folder + QStringLiteral(".bak")));
    ASSERT_TRUE(WriteFileBytes(folder, "x"));
    EXPECT_FALSE(key.open(QStringLiteral("Software\\QEL"), true));
    EXPECT_TRUE(key.error().startsWith(QStringLiteral("Nie można zapisać pliku rejestru"))) << key.error().toStdString();
    ASSERT_TRUE(QFile::remove(folder));
    ASSERT_TRUE(QDir().rename(folder + QStringLiteral(".bak"), folder));
    ASSERT_TRUE(key.open(QStringLiteral("Software\\QEL"), false));
    EXPECT_EQ(key.value(QStringLiteral("a")).text, QStringLiteral("1"));

    // A hive file that cannot be read is never replaced by what little is known.
    const QString path = qel::HiveFilePath(RegHive::Users);
    ASSERT_TRUE(QDir().mkpath(path));
    RegistryKey users(RegHive::Users);
    EXPECT_FALSE(users.open(QStringLiteral("Software"), true));
    EXPECT_TRUE(users.error().contains(QStringLiteral("nie można go odczytać")));
    EXPECT_TRUE(QFileInfo(path).isDir());
}

TEST(Registry, DamagedFilesAreReadAsFarAsTheyGo)
{
    const QByteArray good = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\QEL\\Systemowe]\r\n"
                            "\"Był Pierwszy Krok\"=\"True\"\r\n\"n\"=dword:0000002a\r\n";
    struct Case {
        const char* what;
        QByteArray text;
        bool damaged;
    };
    const Case cases[] = {
        {"intact", good, false},
        {"LF line ends", QByteArray(good).replace("\r\n", "\n"), false},
        {"cut inside a string", good + "\"x\"=\"abc", true},
        {"cut inside hex data", good + "\"x\"=hex:01,02,\\\r\n", true},
        {"odd hex", good + "\"x\"=hex:1,234\r\n", true},
        {"bad dword", good + "\"x\"=dword:zz\r\n", true},
        {"garbage bytes", good + QByteArray("\xff\xfe\x00\x01garbage\r\n", 13), true},
        {"foreign hive", good + "[HKEY_LOCAL_MACHINE\\X]\r\n\"x\"=\"1\"\r\n", true},
        {"no header", good.mid(10), true},
        {"unclosed section", good + "[HKEY_CURRENT_USER\\Y\r\n\"x\"=\"1\"\r\n", true},
        {"empty file", QByteArray(), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScratchHome home("2002-12-21T10:00:00");
        const QString path = qel::HiveFilePath(RegHive::CurrentUser);
        ASSERT_TRUE(WriteFileBytes(path, c.text));

        RegistryKey key(RegHive::CurrentUser);
        if (!c.text.isEmpty()) {
            ASSERT_TRUE(key.open(QStringLiteral("Software\\QEL\\Systemowe"), false));
            EXPECT_EQ(key.value(QStringLiteral("był pierwszy krok")).text, QStringLiteral("True"));
            EXPECT_EQ(key.value(QStringLiteral("N")).number, 42u);
        }
        const auto damage = qel::TakeRegistryDamage();
        const QStringList copies = DamagedCopies(home);
        if (!c.damaged) {
            EXPECT_TRUE(damage.isEmpty());
            EXPECT_TRUE(copies.isEmpty());
            continue;
        }
        ASSERT_EQ(damage.size(), 1);
        EXPECT_EQ(damage[0].file, path);
        ASSERT_EQ(copies, QStringList{QStringLiteral("HKEY_CURRENT_USER.reg.uszkodzony-20021221-100000")});
        EXPECT_EQ(ReadFileBytes(damage[0].copy), c.text);
        // The file was rewritten clean, so the next run reads it without a new copy.
        EXPECT_TRUE(ReadFileBytes(path).startsWith("REGEDIT4\r\n"));
        ASSERT_TRUE(key.open(QStringLiteral("Software\\QEL\\Systemowe"), false));
        EXPECT_TRUE(key.writeString(QStringLiteral("dalej"), QStringLiteral("działa")));
        EXPECT_TRUE(qel::TakeRegistryDamage().isEmpty());
        EXPECT_EQ(DamagedCopies(home).size(), 1);
    }
}

TEST(Registry, ChangesByAnotherProcessAreSeen)
{
    ScratchHome home;
    RegistryKey key(RegHive::CurrentUser);
    ASSERT_TRUE(key.open(QStringLiteral("Software\\QEL"), true));
    ASSERT_TRUE(key.writeString(QStringLiteral("a"), QStringLiteral("1")));
    const QString path = qel::HiveFilePath(RegHive::CurrentUser);
    QByteArray changed = ReadFileBytes(path);
    changed.replace("\"a\"=\"1\"", "\"a\"=\"22\"");
    ASSERT_TRUE(WriteFileBytes(path + QStringLiteral(".new"), changed));
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QFile::rename(path + QStringLiteral(".new"), path));
    EXPECT_EQ(key.value(QStringLiteral("a")).text, QStringLiteral("22"));
}

TEST(Registry, BatchWritesOnce)
{
    ScratchHome home;
    const QString path = qel::HiveFilePath(RegHive::CurrentUser);
    RegistryKey key(RegHive::CurrentUser);
    {
        qel::RegistryBatch batch(RegHive::CurrentUser);
        ASSERT_TRUE(key.open(QStringLiteral("Software\\QEL\\Okno"), true));
        for (int i = 0; i < 5; ++i)
            EXPECT_TRUE(key.writeInteger(QStringLiteral("v%1").arg(i), static_cast<quint32>(i)));
        {
            qel::RegistryBatch inner(RegHive::CurrentUser);
            EXPECT_TRUE(key.writeString(QStringLiteral("w"), QStringLiteral("x")));
        }
        EXPECT_FALSE(QFileInfo::exists(path));  // the outer batch writes
        EXPECT_EQ(key.value(QStringLiteral("v3")).number, 3u);
    }
    EXPECT_TRUE(ReadFileBytes(path).contains("\"v4\"=dword:00000004\r\n\"w\"=\"x\""));

    // A batch that cannot be written drops its changes and says why.
    const QString folder = home.file(QStringLiteral("registry"));
    {
        qel::RegistryBatch batch(RegHive::CurrentUser);
        EXPECT_TRUE(key.writeString(QStringLiteral("nowa"), QStringLiteral("1")));
        ASSERT_TRUE(QDir().rename(folder, folder + QStringLiteral(".bak")));
        ASSERT_TRUE(WriteFileBytes(folder, "x"));
        QString error;
        EXPECT_FALSE(batch.commit(&error));
        EXPECT_TRUE(error.contains(QStringLiteral("Nie można zapisać")));
    }
    ASSERT_TRUE(QFile::remove(folder));
    ASSERT_TRUE(QDir().rename(folder + QStringLiteral(".bak"), folder));
    EXPECT_FALSE(key.hasValue(QStringLiteral("nowa")));
    EXPECT_TRUE(key.writeString(QStringLiteral("po"), QStringLiteral("1")));  // no batch left open
    EXPECT_TRUE(ReadFileBytes(path).contains("\"po\"=\"1\""));
}
