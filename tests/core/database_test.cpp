#include "core/database.h"
#include "core/generic_items.h"
#include "core/interaction.h"
#include "core/settings.h"
#include "platform/paths.h"
#include "scratch_home.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <csignal>
#include <memory>
#include <sys/resource.h>

namespace {

constexpr const char* kNow = "2002-12-21T15:30:00";

class Database : public ::testing::Test {
protected:
    void SetUp() override { qel::RegisterPersistentClasses(); }

    ScratchHome home{kNow};

    static QString InProgramFolder(const QString& name) { return qel::WithTrailingSlash(qel::ProgramFolder()) + name; }

    static void Fill(tQelList& list, int count, const QString& text = QStringLiteral("Łukasz Żółkiewski"))
    {
        for (int k = 0; k < count; ++k) {
            auto* item = new TqelGenericItem;
            item->g.s[0] = text + QString::number(k);
            list.Add(item);
        }
    }

    static QByteArray ListBytes(int count)
    {
        tQelList list;
        Fill(list, count);
        tQelStream stream;
        list.SaveToStream(stream);
        return stream.Data();
    }

    static bool AnyAskedContains(const qel::ScriptedPrompts& script, const QString& part)
    {
        for (const auto& p : script.asked())
            if ((p.text + p.detail).contains(part))
                return true;
        return false;
    }
};

qel::Reply Silence()
{
    qel::Reply r;
    r.result = qel::mrOk;
    r.dontShowAgain = true;
    return r;
}

TEST_F(Database, CatalogueAndReferenceSet)
{
    int family = 0;
    for (int k = 0; k < qel::kDatabaseCount; ++k) {
        EXPECT_TRUE(qel::DatabaseIdentifier(k).startsWith(QStringLiteral("tts"))) << k;
        EXPECT_TRUE(qel::DatabaseDefaultFileName(k).endsWith(QStringLiteral(".dat"))) << k;
        family += qel::IsReferenceDatabase(k) ? 0 : 1;
    }
    EXPECT_EQ(family, 36);
    EXPECT_EQ(qel::DatabaseIdentifier(qel::dbUsers), QStringLiteral("tts_Uzytkownicy"));
    EXPECT_EQ(qel::DatabaseDefaultFileName(qel::dbUsers), QStringLiteral("Użytkownicy.dat"));
    EXPECT_EQ(qel::DatabaseDefaultFileName(qel::dbBankBranches), QStringLiteral("Oddzialy.dat"));
    EXPECT_TRUE(qel::IsReferenceDatabase(qel::dbTowns));
    EXPECT_FALSE(qel::IsReferenceDatabase(48));
    EXPECT_EQ(qel::DatabaseIdentifier(44), QString());
}

TEST_F(Database, DefaultFolderAvoidsTheDesktop)
{
    EXPECT_EQ(qel::DefaultDatabaseFolder(), qel::WithTrailingSlash(qel::ProgramFolder()));
    const QByteArray desktop = qgetenv("XDG_DESKTOP_DIR");
    qputenv("XDG_DESKTOP_DIR", qel::ProgramFolder().toLocal8Bit());
    const QString folder = qel::DefaultDatabaseFolder();
    qputenv("XDG_DESKTOP_DIR", desktop);
    EXPECT_NE(folder, qel::WithTrailingSlash(qel::ProgramFolder()));
    EXPECT_TRUE(folder.endsWith(u'/'));
}

TEST_F(Database, FirstStartAsksOnceWhenTheUserTicksDontShowAgain)
{
    for (const bool tick : {true, false}) {
        SCOPED_TRACE(tick);
        ScratchHome fresh(kNow);
        qel::ScriptedPrompts script;
        script.answer(tick ? Silence() : qel::Reply{});
        tQelList journal, contractors, users;
        QString p1, p2, p3;
        qel::ConstructDatabase(journal, qel::dbJournal, p1);
        qel::ConstructDatabase(contractors, qel::dbContractors, p2);
        qel::ConstructDatabase(users, qel::dbUsers, p3);
        EXPECT_EQ(script.asked().size(), tick ? 1 : 3);
        EXPECT_TRUE(script.asked()[0].text.contains(QStringLiteral("Nie powiodła się inicjalizacja")));
        EXPECT_EQ(script.asked()[0].key, QStringLiteral("plikInit37611"));
        EXPECT_EQ(p3, InProgramFolder(QStringLiteral("Użytkownicy.dat")));
        for (const QString& path : {p1, p2, p3})
            EXPECT_EQ(ReadFileBytes(path), QByteArray::fromHex("000000000000")) << path.toStdString();
        EXPECT_EQ(qel::RegReadValue(qel::kHiveCurrentUser, qel::DatabaseLocationsKey(), QStringLiteral("tts_Kontrahenci")), p2);
        EXPECT_EQ(qel::RegReadValue(qel::kHiveLocalMachine, qel::DatabaseLocationsKey(), QStringLiteral("tts_Kontrahenci")), p2);
        EXPECT_EQ(qel::FindOpenDatabase(qel::dbUsers), &users);
        EXPECT_TRUE(users.constructed);
        qel::ConstructDatabase(users, qel::dbUsers, p3);  // once a list
        EXPECT_EQ(qel::UserDatabases().count(&users), 1);
    }
    EXPECT_EQ(qel::FindOpenDatabase(qel::dbUsers), nullptr);  // gone with the lists
}

TEST_F(Database, FileMovedToASubfolderIsFoundAndOffered)
{
    for (const int answer : {qel::mrOk, qel::mrCancel}) {
        SCOPED_TRACE(answer);
        ScratchHome fresh(kNow);
        const QString moved = InProgramFolder(QStringLiteral("stare/dane/Kontrahenci.dat"));
        ASSERT_TRUE(WriteFileBytes(moved, ListBytes(2)));
        qel::ScriptedPrompts script;
        script.answer(answer);
        tQelList list;
        QString path;
        qel::ConstructDatabase(list, qel::dbContractors, path);
        ASSERT_GE(script.asked().size(), 1);
        EXPECT_TRUE(script.asked()[0].text.startsWith(moved + QStringLiteral(": Znalazłem plik z danymi.")));
        if (answer == qel::mrOk) {
            EXPECT_EQ(path, moved);
            EXPECT_EQ(list.Count(), 2);
        } else {
            EXPECT_EQ(path, InProgramFolder(QStringLiteral("Kontrahenci.dat")));
            EXPECT_EQ(list.Count(), 0);
            EXPECT_TRUE(QFileInfo::exists(path));
            EXPECT_EQ(ReadFileBytes(moved), ListBytes(2));
        }
    }
}

TEST_F(Database, SeveralFoundFilesArePicked)
{
    ASSERT_TRUE(WriteFileBytes(InProgramFolder(QStringLiteral("a/Umowy.dat")), ListBytes(1)));
    ASSERT_TRUE(WriteFileBytes(InProgramFolder(QStringLiteral("b/Umowy.dat")), ListBytes(3)));
    qel::ScriptedPrompts script;
    script.answerIndex(1).answer(qel::mrOk);
    tQelList list;
    QString path;
    qel::ConstructDatabase(list, qel::dbContracts, path);
    ASSERT_GE(script.asked().size(), 2);
    EXPECT_EQ(script.asked()[0].kind, qel::Prompt::Kind::Pick);
    EXPECT_EQ(script.asked()[0].title, QStringLiteral("Pliki baz danych"));
    EXPECT_EQ(script.asked()[0].items.size(), 2);
    EXPECT_TRUE(script.asked()[0].items[0].contains(QStringLiteral("<br>zajmuje ")));
    EXPECT_EQ(list.Count(), path.contains(QStringLiteral("/b/")) ? 3 : 1);
    EXPECT_TRUE(script.asked()[1].text.startsWith(path));
}

TEST_F(Database, RegistryValueWithAMissingFolderIsCorrected)
{
    ASSERT_TRUE(qel::RegWriteString(qel::kHiveCurrentUser, qel::DatabaseLocationsKey(), QStringLiteral("tts_Banki"),
                                    home.file(QStringLiteral("nie ma/takiego/Moje banki.dat"))));
    qel::ScriptedPrompts script;
    // Nothing of that name in the default folder: the default file is taken.
    EXPECT_EQ(qel::ResolveDatabaseLocation(qel::dbBanks, QString(), true), InProgramFolder(QStringLiteral("banki.dat")));
    ASSERT_TRUE(qel::RegWriteString(qel::kHiveCurrentUser, qel::DatabaseLocationsKey(), QStringLiteral("tts_Banki"),
                                    home.file(QStringLiteral("nie ma/takiego/Moje banki.dat"))));
    ASSERT_TRUE(qel::RegWriteString(qel::kHiveLocalMachine, qel::DatabaseLocationsKey(), QStringLiteral("tts_Banki"),
                                    home.file(QStringLiteral("nie ma/takiego/Moje banki.dat"))));
    ASSERT_TRUE(WriteFileBytes(InProgramFolder(QStringLiteral("Moje banki.dat")), ListBytes(1)));
    const QString path = qel::ResolveDatabaseLocation(qel::dbBanks, QString(), true);
    EXPECT_EQ(path, InProgramFolder(QStringLiteral("Moje banki.dat")));
    EXPECT_TRUE(script.asked().isEmpty());
    EXPECT_EQ(qel::RegReadValue(qel::kHiveCurrentUser, qel::DatabaseLocationsKey(), QStringLiteral("tts_Banki")), path);
    EXPECT_EQ(qel::CachedDatabasePath(qel::dbBanks), path);
    EXPECT_EQ(qel::FileIdentifier(QStringLiteral("/gdzie/indziej/MOJE BANKI.dat")), QStringLiteral("tts_Banki"));
    EXPECT_EQ(qel::FileIdentifier(QStringLiteral("obcy.dat")), QStringLiteral("(nieznany plik!)"));

    // The machine-wide value wins.
    const QString machine = InProgramFolder(QStringLiteral("Banki firmy.dat"));
    ASSERT_TRUE(WriteFileBytes(machine, ListBytes(0)));
    ASSERT_TRUE(qel::RegWriteString(qel::kHiveLocalMachine, qel::DatabaseLocationsKey(), QStringLiteral("tts_Banki"), machine));
    EXPECT_EQ(qel::ResolveDatabaseLocation(qel::dbBanks, QString(), true), machine);
}

TEST_F(Database, ReferenceDatabaseLoadsOnFirstUse)
{
    ASSERT_TRUE(WriteFileBytes(InProgramFolder(QStringLiteral("banki.dat")), ListBytes(4)));
    qel::ScriptedPrompts script;
    tQelList banks;
    QString path;
    qel::ConstructDatabase(banks, qel::dbBanks, path);
    EXPECT_TRUE(banks.notLoaded);
    EXPECT_EQ(banks.LoadedCount(), 0);
    EXPECT_EQ(qel::ReferenceDatabases().count(&banks), 1);
    EXPECT_EQ(banks.Count(), 4);
    EXPECT_FALSE(banks.notLoaded);

    tQelList towns;  // a missing reference file is neither announced nor created
    QString townsPath;
    qel::ConstructDatabase(towns, qel::dbTowns, townsPath);
    EXPECT_FALSE(QFileInfo::exists(townsPath));
    EXPECT_TRUE(script.asked().isEmpty());
}

TEST_F(Database, ConcurrentChangeAsksAndCancelWritesOnlyAnEmergencyCopy)
{
    const QString path = InProgramFolder(QStringLiteral("Kontrahenci.dat"));
    tQelList list;
    Fill(list, 3);
    ASSERT_TRUE(list.SaveToFile(path, false));
    const QByteArray theirs = ListBytes(5);
    ASSERT_TRUE(WriteFileBytes(path, theirs));
    list.Add(new TqelGenericItem);

    qel::ScriptedPrompts script;
    script.answer(qel::mrCancel);
    EXPECT_FALSE(list.SaveToFile(path, true));
    ASSERT_GE(script.asked().size(), 2);
    EXPECT_EQ(script.asked()[0].key, QStringLiteral("próbazapisu"));
    EXPECT_EQ(script.asked()[0].safeResult, qel::mrCancel);
    EXPECT_TRUE(script.asked()[0].offerDontShowAgain);
    EXPECT_EQ(ReadFileBytes(path), theirs);
    const QString copy = path + QStringLiteral(".akz.20021221.153000");
    EXPECT_EQ(ReadFileBytes(copy).left(2), QByteArray::fromHex("0400"));
    EXPECT_TRUE(script.asked()[1].text.startsWith(QStringLiteral("Zapisałem awaryjną kopię zapasową.")));

    // A second copy within the same second is refused.
    script.clear();
    EXPECT_FALSE(list.EmergencyCopy(path));
    ASSERT_EQ(script.asked().size(), 1);
    EXPECT_TRUE(script.asked()[0].detail.startsWith(QStringLiteral("File already exists")));

    script.clear();
    script.answer(qel::mrOk);  // overwrite the other program's data
    EXPECT_TRUE(list.SaveToFile(path, false));
    EXPECT_EQ(ReadFileBytes(path).left(2), QByteArray::fromHex("0400"));
}

TEST_F(Database, ShrinkingSaveIsLoggedAndAsked)
{
    const QString path = InProgramFolder(QStringLiteral("Umowy.dat"));
    ASSERT_TRUE(WriteFileBytes(path, ListBytes(100)));
    tQelList list;
    Fill(list, 10);
    qel::ScriptedPrompts script;
    script.answer(qel::mrCancel);
    EXPECT_FALSE(list.SaveToFile(path, false));
    ASSERT_EQ(script.asked().size(), 2);
    EXPECT_TRUE(script.asked()[0].text.startsWith(QStringLiteral("Plik, który chcesz zapisać, zawiera dużo mniej danych")));
    EXPECT_EQ(script.asked()[0].safeResult, qel::mrCancel);
    EXPECT_TRUE(script.asked()[1].text.startsWith(QStringLiteral("Niestety, zapisanie danych nie było możliwe.")));
    EXPECT_TRUE(script.asked()[1].detail.endsWith(QStringLiteral("Nie zapisuję nowego pliku!")));
    EXPECT_EQ(qel::LastDatabaseError(), QStringLiteral("Nie zapisuję nowego pliku!"));
    EXPECT_EQ(ReadFileBytes(path), ListBytes(100));
    const QByteArray log = ReadFileBytes(InProgramFolder(QStringLiteral("exce.txt")));
    EXPECT_TRUE(log.startsWith("21-12-2002 15:30:00 - Plik, kt\xf3ry"));
    EXPECT_TRUE(log.contains(QStringLiteral(": plik ma %1, zapisywane dane %2 bajtów.")
                                 .arg(ListBytes(100).size()).arg(ListBytes(10).size()).toLatin1().left(20)));
    EXPECT_TRUE(log.endsWith("\r\n"));

    script.clear();
    script.answer(qel::mrOk);
    EXPECT_TRUE(list.SaveToFile(path, false));
    EXPECT_EQ(ReadFileBytes(path), ListBytes(10));
}

TEST_F(Database, ReadOnlyFileOffersToClearTheAttribute)
{
    const QString path = InProgramFolder(QStringLiteral("Umowy.dat"));
    for (const int answer : {qel::mrCancel, qel::mrOk}) {
        SCOPED_TRACE(answer);
        ASSERT_TRUE(WriteFileBytes(path, ListBytes(2)));
        ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup));
        tQelList list;
        Fill(list, 2, QStringLiteral("nowy"));
        qel::ScriptedPrompts script;
        script.answer(answer);
        EXPECT_EQ(list.SaveToFile(path, false), answer == qel::mrOk);
        ASSERT_GE(script.asked().size(), 2);
        EXPECT_TRUE(script.asked()[0].text.startsWith(QStringLiteral("Atrybuty pliku uniemożliwiają zapis do niego.")));
        EXPECT_TRUE((script.asked()[0].text + script.asked()[0].detail).contains(QStringLiteral("Plik tylko do odczytu. ")));
        if (answer == qel::mrOk) {
            EXPECT_EQ(script.asked()[1].key, QStringLiteral("wyzerowanEAtrybutyPLiku"));
            EXPECT_TRUE(QFile::permissions(path) & QFile::WriteOwner);
            EXPECT_NE(ReadFileBytes(path), ListBytes(2));
        } else {
            EXPECT_EQ(ReadFileBytes(path), ListBytes(2));
        }
    }
}

TEST_F(Database, UnreadableFileIsReportedCopiedBesideItAndKeepsWhatWasRead)
{
    const QString folder = home.file(QStringLiteral("dane"));
    const QString path = folder + QStringLiteral("/Kontrahenci.dat");
    const QByteArray whole = ListBytes(3);
    ASSERT_TRUE(WriteFileBytes(path, whole.left(whole.size() - 20)));
    qel::ScriptedPrompts script;
    tQelList list;
    EXPECT_FALSE(list.LoadFromFile(path, false));
    ASSERT_EQ(script.asked().size(), 1);
    EXPECT_TRUE(script.asked()[0].text.startsWith(QStringLiteral("Plik istnieje, ale nie mogę go otworzyć!")));
    EXPECT_FALSE(script.asked()[0].detail.isEmpty());
    EXPECT_EQ(list.LoadedCount(), 2);
    const QStringList copies = QDir(folder).entryList({QStringLiteral("_akz_021221_153000_*Kontrahenci.dat.akz")});
    ASSERT_EQ(copies.size(), 1);
    EXPECT_EQ(ReadFileBytes(folder + u'/' + copies[0]), whole.left(whole.size() - 20));
    EXPECT_FALSE(qel::LastDatabaseError().isEmpty());

    tQelList missing;
    EXPECT_FALSE(missing.LoadFromFile(folder + QStringLiteral("/brak.dat"), false));
    tQelList full;
    Fill(full, 1);
    EXPECT_TRUE(full.LoadFromFile(path, true));  // only-if-empty: nothing read
    EXPECT_EQ(full.LoadedCount(), 1);
}

TEST_F(Database, FailedWriteLeavesTheOldFileWhole)
{
    const QString path = InProgramFolder(QStringLiteral("Kontrahenci.dat"));
    const QByteArray old = ListBytes(5);
    ASSERT_TRUE(WriteFileBytes(path, old));
    tQelList list;
    Fill(list, 2000);

    // The kernel stops the write part-way, as a full disk would.
    struct rlimit saved {};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 64 * 1024;
    setrlimit(RLIMIT_FSIZE, &small);
    qel::ScriptedPrompts script;
    const bool saved_ok = list.SaveToFile(path, false);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saved_ok);
    EXPECT_EQ(ReadFileBytes(path), old);
    ASSERT_EQ(script.asked().size(), 1);
    EXPECT_TRUE(script.asked()[0].text.startsWith(QStringLiteral("Niestety, zapisanie danych nie było możliwe.")));
    EXPECT_EQ(QDir(qel::ProgramFolder()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("Kontrahenci.dat")});
}

TEST_F(Database, MissingFolderIsCreatedOnRequest)
{
    const QString path = home.file(QStringLiteral("nowy/folder/Umowy.dat"));
    tQelList list;
    Fill(list, 1);
    qel::ScriptedPrompts script;
    EXPECT_TRUE(list.SaveToFile(path, false));
    ASSERT_EQ(script.asked().size(), 2);
    EXPECT_TRUE(script.asked()[0].text.startsWith(path + QStringLiteral(": taka ścieżka nie istnieje.")));
    EXPECT_EQ(script.asked()[1].text, QStringLiteral("Ścieżka została utworzona pomyślnie."));
    EXPECT_EQ(list.fileName, path);
    EXPECT_EQ(list.fileSize, QFileInfo(path).size());

    // Declined, then offered the program's folder.
    const QString other = home.file(QStringLiteral("inny/Plan.dat"));
    script.clear();
    script.answer(qel::mrCancel).answer(qel::mrOk);
    EXPECT_TRUE(list.SaveToFile(other, false));
    EXPECT_TRUE(QFileInfo::exists(InProgramFolder(QStringLiteral("Plan.dat"))));
    EXPECT_FALSE(QFileInfo::exists(other));
}

TEST_F(Database, TextsAndExport)
{
    struct Case {
        qint64 bytes;
        const char* text;
    } sizes[] = {
        {0, "0 B"}, {1024, "1024 B"}, {1025, "1,00 kB"}, {1536, "1,50 kB"}, {1048576, "1024,00 kB"},
        {3 * 1048576, "3,00 MB"}, {1073741824, "1024,00 MB"}, {5LL * 1073741824, "5,00 GB"},
    };
    for (const auto& c : sizes)
        EXPECT_EQ(qel::SizeFormat(c.bytes), QString::fromUtf8(c.text)) << c.bytes;

    const QString path = InProgramFolder(QStringLiteral("Umowy.dat"));
    tQelList list;
    Fill(list, 2);
    auto* note = new TqelGenericItem;
    note->g.s[0] = QStringLiteral("dwie\r\nlinie");
    list.Add(note);
    qel::ScriptedPrompts script;
    ASSERT_TRUE(list.SaveToFile(path, false));
    EXPECT_TRUE(qel::FileDescription(path).startsWith(QStringLiteral("plik ") + path + QStringLiteral("\r\nzajmuje ")));
    EXPECT_TRUE(qel::FileDescription(path).contains(QStringLiteral("ostatnio zapisany: ")));
    EXPECT_TRUE(list.Statistics().startsWith(QStringLiteral("baza zawiera 3 pozycji\r\nplik ")));
    tQelGenericLIst generic;
    generic.fileName = path;
    generic.fileSize = 2048;
    generic.fileTime = 37611.5;
    EXPECT_EQ(generic.Statistics(),
              QStringLiteral("baza zawiera 0 pozycji\r\nzajmuje 2,00 kB, ostatnio zapisana: sobota, 21 grudzień 2002 "
                             "12:00:00\r\nw pliku ") + path);

    const QString text = InProgramFolder(QStringLiteral("eksport.txt"));
    ASSERT_TRUE(list.ExportToTextFile(text, u';'));
    const QList<QByteArray> lines = ReadFileBytes(text).split('\n');
    ASSERT_EQ(lines.size(), 5);
    EXPECT_TRUE(lines[0].startsWith("s0;s1;"));
    EXPECT_TRUE(lines[1].startsWith("\xa3ukasz \xaf\xf3\xb3kiewski" "0;"));
    EXPECT_TRUE(lines[3].startsWith("dwie\tlinie;"));
    EXPECT_TRUE(lines[3].endsWith("\r"));
    EXPECT_TRUE(script.asked().last().text.startsWith(QStringLiteral("Wyeksportowałem bazę danych do pliku:")));

    script.clear();
    script.answer(qel::mrCancel);
    EXPECT_FALSE(list.ExportToTextFile(text, u';'));
    EXPECT_EQ(script.asked()[0].safeResult, qel::mrCancel);
}

TEST_F(Database, SaveAllSavesEveryUserDatabase)
{
    qel::ScriptedPrompts script;
    tQelList users, contracts;
    QString p1, p2;
    qel::ConstructDatabase(users, qel::dbUsers, p1);
    qel::ConstructDatabase(contracts, qel::dbContracts, p2);
    Fill(users, 2);
    Fill(contracts, 7);
    EXPECT_TRUE(qel::SaveAllUserDatabases());
    tQelList back;
    ASSERT_TRUE(back.LoadFromFile(p2, false));
    EXPECT_EQ(back.Count(), 7);
    EXPECT_TRUE(users.Save());
}

}  // namespace
