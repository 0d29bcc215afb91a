#include "care/small_copies.h"
#include "core/generic_items.h"
#include "core/interaction.h"
#include "core/settings.h"
#include "platform/paths.h"
#include "scratch_home.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

class SmallCopies : public ::testing::Test {
protected:
    void SetUp() override { qel::RegisterPersistentClasses(); }

    ScratchHome home{"2002-12-21T15:30:00"};
    QString folder = home.file(QStringLiteral("dane"));
    QString file = folder + QStringLiteral("/Faktury.dat");

    void Age(const QString& path, int days)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(QDateTime(QDate(2002, 12, 21), QTime(15, 0)).addDays(-days),
                                  QFileDevice::FileModificationTime));
    }
};

TEST_F(SmallCopies, NameFollowsTheWeekOfTheYear)
{
    EXPECT_EQ(SmallCopyName(file), folder + QStringLiteral("/Kopia 287 Faktury.dat"));
    ScratchHome august("2002-08-21T10:00:00");
    EXPECT_EQ(SmallCopyName(QStringLiteral("/x/Faktury.dat")), QStringLiteral("/x/Kopia 259 Faktury.dat"));
}

TEST_F(SmallCopies, SettingsDefaultsAndStoredForm)
{
    const SmallCopySettings defaults = SmallCopySettings::Load();
    EXPECT_TRUE(defaults.make);
    EXPECT_FALSE(defaults.deleteOld);
    EXPECT_EQ(defaults.deleteAfterDays, 21);
    SmallCopySettings changed{false, true, 5};
    changed.Save();
    EXPECT_EQ(qel::ReadSetting(QStringLiteral("Kopie zapasowe"), QStringLiteral("Wykonuj małe kopie")), QStringLiteral("NIE"));
    const SmallCopySettings back = SmallCopySettings::Load();
    EXPECT_FALSE(back.make);
    EXPECT_TRUE(back.deleteOld);
    EXPECT_EQ(back.deleteAfterDays, 5);
    for (const char* yes : {"Prawda", "ok", "1", "YES", "tak"}) {
        qel::WriteSetting(QStringLiteral("Kopie zapasowe"), QStringLiteral("Wykonuj małe kopie"), QString::fromUtf8(yes));
        EXPECT_TRUE(SmallCopySettings::Load().make) << yes;
    }
}

TEST_F(SmallCopies, SaveMakesTheCopyOfThePreviousFileFirst)
{
    tQelList list;
    list.Add(new TqelGenericItem);
    qel::ScriptedPrompts script;
    ASSERT_TRUE(list.SaveToFile(file, true));  // no file yet: no copy
    EXPECT_FALSE(QFileInfo::exists(SmallCopyName(file)));
    const QByteArray first = ReadFileBytes(file);
    list.Add(new TqelGenericItem);
    ASSERT_TRUE(list.SaveToFile(file, true));
    EXPECT_EQ(ReadFileBytes(SmallCopyName(file)), first);
    EXPECT_NE(ReadFileBytes(file), first);

    SmallCopySettings{false, false, 21}.Save();
    EXPECT_FALSE(MakeSmallCopy(file, false, true));
    EXPECT_FALSE(MakeSmallCopy(folder + QStringLiteral("/brak.dat"), false, true));
}

TEST_F(SmallCopies, OldCopiesAreDeletedByAgeWhenAsked)
{
    ASSERT_TRUE(WriteFileBytes(file, QByteArray(3000, 'x')));
    struct Copy {
        const char* name;
        int days;
        bool deleted;
    } copies[] = {
        {"Kopia 280 Faktury.dat", 30, true},
        {"kopia 281 FAKTURY.DAT", 21, true},
        {"Kopia 285 Faktury.dat", 20, false},
        {"Kopia 270 Inne Faktury.dat", 40, true},  // matches "Kopia * Faktury.dat"
        {"Kopia Faktury.dat", 40, false},
        {"Kopia 270 Towary.dat", 40, false},
    };
    for (const bool deleteOld : {false, true}) {
        SCOPED_TRACE(deleteOld);
        for (const auto& c : copies) {
            ASSERT_TRUE(WriteFileBytes(folder + u'/' + QString::fromUtf8(c.name), QByteArray(1500, 'k')));
            Age(folder + u'/' + QString::fromUtf8(c.name), c.days);
        }
        SmallCopySettings{true, deleteOld, 21}.Save();
        qel::ScriptedPrompts script;
        ASSERT_TRUE(MakeSmallCopy(file, false, true));
        for (const auto& c : copies)
            EXPECT_EQ(QFileInfo::exists(folder + u'/' + QString::fromUtf8(c.name)), !(deleteOld && c.deleted)) << c.name;
        EXPECT_TRUE(QFileInfo::exists(SmallCopyName(file)));
        if (deleteOld) {
            ASSERT_EQ(script.asked().size(), 1);
            EXPECT_EQ(script.asked()[0].text, QStringLiteral("Usunąłem stare, niepotrzebne kopie zapasowe."));
            EXPECT_EQ(script.asked()[0].detail, QStringLiteral("Liczba usuniętych plików: 3\r\nZaoszczędziłem ogółem: 4 kB"));
        } else {
            EXPECT_TRUE(script.asked().isEmpty());
        }
    }
}

TEST_F(SmallCopies, MoveRenamesTheFile)
{
    ASSERT_TRUE(WriteFileBytes(file, "abc"));
    ASSERT_TRUE(MakeSmallCopy(file, true, false));
    EXPECT_FALSE(QFileInfo::exists(file));
    EXPECT_EQ(ReadFileBytes(SmallCopyName(file)), QByteArray("abc"));
}

}  // namespace
