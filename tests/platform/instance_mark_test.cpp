#include "platform/instance_mark.h"
#include "scratch_home.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

const QString kProgram = QStringLiteral("/opt/qel/Mirtal/mirtal");

QString MarkFile(const ScratchHome& home)
{
    const QStringList files = QDir(home.file(QStringLiteral("run"))).entryList({QStringLiteral("instance-*.pid")}, QDir::Files);
    return files.size() == 1 ? home.file(QStringLiteral("run/") + files[0]) : QString();
}

QByteArray StartTime(qint64 pid)
{
    const QByteArray stat = ReadFileBytes(QStringLiteral("/proc/%1/stat").arg(pid));
    return stat.mid(stat.lastIndexOf(')') + 2).split(' ').value(19);
}

// A mark as another copy would have left it.
void WriteMark(const ScratchHome& home, const QList<std::pair<qint64, QByteArray>>& holders)
{
    ASSERT_FALSE(qel::InstanceMarkExists(kProgram));
    ASSERT_TRUE(qel::CreateInstanceMark(kProgram).created);
    const QString file = MarkFile(home);
    QByteArray text = kProgram.toUtf8() + '\n';
    for (const auto& [pid, start] : holders)
        text += QByteArray::number(pid) + ' ' + start + '\n';
    ASSERT_TRUE(WriteFileBytes(file, text));
}

class OtherCopy {
public:
    OtherCopy()
    {
        process.start(QStringLiteral("sleep"), {QStringLiteral("60")});
        process.waitForStarted();
    }
    ~OtherCopy()
    {
        process.kill();
        process.waitForFinished();
    }
    qint64 pid() const { return process.processId(); }

    QProcess process;
};

}  // namespace

TEST(InstanceMark, OwnMarkComesAndGoes)
{
    ScratchHome home;
    EXPECT_FALSE(qel::InstanceMarkExists(kProgram));
    const auto result = qel::CreateInstanceMark(kProgram);
    EXPECT_TRUE(result.created);
    EXPECT_FALSE(result.tookOverStale);
    const QString file = MarkFile(home);
    ASSERT_FALSE(file.isEmpty());
    EXPECT_TRUE(ReadFileBytes(file).startsWith(kProgram.toUtf8() + '\n' + QByteArray::number(QCoreApplication::applicationPid()) + ' '));
    EXPECT_FALSE(qel::InstanceMarkExists(kProgram));  // this copy's own mark is no other copy
    EXPECT_FALSE(qel::InstanceMarkExists(QStringLiteral("/opt/qel/Inny/inny")));
    EXPECT_TRUE(qel::DeleteInstanceMark(kProgram));
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_FALSE(qel::DeleteInstanceMark(kProgram));
}

TEST(InstanceMark, AnotherRunningCopyIsSeenAndKept)
{
    ScratchHome home;
    OtherCopy other;
    ASSERT_GT(other.pid(), 0);
    WriteMark(home, {{other.pid(), StartTime(other.pid())}});
    EXPECT_TRUE(qel::InstanceMarkExists(kProgram));

    // The user let this copy run as well: it joins, and leaving takes only itself.
    EXPECT_FALSE(qel::CreateInstanceMark(kProgram).tookOverStale);
    EXPECT_TRUE(qel::DeleteInstanceMark(kProgram));
    EXPECT_TRUE(qel::InstanceMarkExists(kProgram));
    EXPECT_FALSE(qel::DeleteInstanceMark(kProgram));  // never removes the other's
    EXPECT_TRUE(QFile::exists(MarkFile(home)));
}

TEST(InstanceMark, StaleMarksAreTakenOver)
{
    ScratchHome home;
    QProcess ended;
    ended.start(QStringLiteral("true"), {});
    ASSERT_TRUE(ended.waitForStarted());
    const qint64 deadPid = ended.processId();
    ASSERT_TRUE(ended.waitForFinished());
    OtherCopy reused;  // a live process whose id once belonged to a copy
    WriteMark(home, {{deadPid, "12345"}, {reused.pid(), "1"}, {0, "garbage"}});

    EXPECT_FALSE(qel::InstanceMarkExists(kProgram));
    const auto result = qel::CreateInstanceMark(kProgram);
    EXPECT_TRUE(result.created);
    EXPECT_TRUE(result.tookOverStale);
    EXPECT_EQ(ReadFileBytes(MarkFile(home)).count('\n'), 2);
    EXPECT_TRUE(qel::DeleteInstanceMark(kProgram));
    EXPECT_TRUE(MarkFile(home).isEmpty());
}

TEST(InstanceMark, DamagedMarkFileCountsAsAbsent)
{
    ScratchHome home;
    WriteMark(home, {});
    ASSERT_TRUE(WriteFileBytes(MarkFile(home), QByteArray("\x00\xff garbage\n-5 x y\n\n", 20)));
    EXPECT_FALSE(qel::InstanceMarkExists(kProgram));
    EXPECT_TRUE(qel::CreateInstanceMark(kProgram).created);
    EXPECT_TRUE(qel::DeleteInstanceMark(kProgram));
}
