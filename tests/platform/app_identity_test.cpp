#include "platform/app_identity.h"
#include "scratch_home.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

TEST(AppIdentity, OurExecutablesCarryIt)
{
    const TNazwaAplikacji own = qel::OwnApplicationIdentity();
    EXPECT_EQ(own.companyName, QStringLiteral("QEL"));
    EXPECT_EQ(own.productName, QStringLiteral("Mirtal"));
    EXPECT_EQ(own.version.count(u'.'), 3);
    EXPECT_EQ(own.displayName, QStringLiteral("Mirtal (QEL) ") + own.version);

    // This test program links the same identity, so its file shows it to others.
    const TNazwaAplikacji read = qel::ReadApplicationIdentity(QCoreApplication::applicationFilePath());
    EXPECT_EQ(read.companyName, own.companyName);
    EXPECT_EQ(read.productName, own.productName);
    EXPECT_EQ(read.version, own.version);
    EXPECT_EQ(read.comments, own.comments);
    EXPECT_EQ(read.fileDescription, own.fileDescription);
    EXPECT_EQ(read.displayName, own.displayName);
}

TEST(AppIdentity, FilesWithoutItGiveTheFileName)
{
    ScratchHome home;
    const QByteArray self = ReadFileBytes(QCoreApplication::applicationFilePath());
    ASSERT_GT(self.size(), 4096);
    QByteArray hugeCount = self.left(64);
    hugeCount[0x3c] = '\xff';
    hugeCount[0x3d] = '\xff';
    const struct {
        const char* name;
        QByteArray bytes;
        const char* display;
    } cases[] = {
        {"kalkulator.v2.exe", "MZ not an ELF file", "kalkulator"},
        {"pusty", QByteArray(), "pusty"},
        {"ucięty.bin", self.left(self.size() / 2), "ucięty"},   // section table cut off
        {"nagłówek", self.left(40), "nagłówek"},
        {"licznik", hugeCount, "licznik"},
        {".ukryty", "\x7f" "ELF\x02\x01", ""},
    };
    for (const auto& c : cases) {
        const QString path = home.file(QString::fromUtf8(c.name));
        ASSERT_TRUE(WriteFileBytes(path, c.bytes));
        const TNazwaAplikacji identity = qel::ReadApplicationIdentity(path);
        EXPECT_TRUE(identity.companyName.isEmpty() && identity.productName.isEmpty() && identity.version.isEmpty()) << c.name;
        EXPECT_EQ(identity.displayName, QString::fromUtf8(c.display)) << c.name;
    }
    EXPECT_EQ(qel::ReadApplicationIdentity(home.file(QStringLiteral("brak.exe"))).displayName, QStringLiteral("brak"));
    EXPECT_EQ(qel::ReadApplicationIdentity(QStandardPaths::findExecutable(QStringLiteral("sh"))).companyName, QString());
}

TEST(AppIdentity, RunningExecutables)
{
    QProcess other;
    other.start(QStringLiteral("sleep"), {QStringLiteral("60")});
    ASSERT_TRUE(other.waitForStarted());
    const QStringList running = qel::RunningExecutables();
    other.kill();
    other.waitForFinished();

    EXPECT_TRUE(running.contains(QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath()));
    EXPECT_TRUE(running.contains(QFileInfo(QStandardPaths::findExecutable(QStringLiteral("sleep"))).canonicalFilePath()));
    EXPECT_EQ(running.size(), QSet<QString>(running.cbegin(), running.cend()).size());
}
