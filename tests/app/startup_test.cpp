#include "app/startup.h"
#include "core/app_state.h"
#include "core/interaction.h"
#include "core/settings.h"
#include "platform/instance_mark.h"
#include "platform/shortcuts.h"
#include "scratch_home.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>

namespace {

// A scratch home with the desktop and start menu inside it.
class StartupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        qputenv("XDG_DESKTOP_DIR", home.file(QStringLiteral("Pulpit")).toLocal8Bit());
        qputenv("XDG_DATA_HOME", home.file(QStringLiteral("data")).toLocal8Bit());
        qel::SetBatchMode(false);
    }
    void TearDown() override
    {
        EndOfRun();
        qel::SetBatchMode(false);
    }

    // The prompts whose head line contains the text.
    static int CountAsked(const qel::ScriptedPrompts& script, const QString& text)
    {
        int n = 0;
        for (const qel::Prompt& p : script.asked())
            n += p.text.contains(text) ? 1 : 0;
        return n;
    }

    ScratchHome home{"2002-12-21T15:30:00"};
};

const QString kSecondCopy = QStringLiteral("KOLEJNĄ kopię");

// Another live process holding the instance mark of this very executable.
class MarkHolder {
public:
    MarkHolder()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        // The child's test main makes a home of its own; this one is shared with it.
        env.insert(QStringLiteral("MIRTAL_HOLD_MARK"), qEnvironmentVariable("QEL_HOME"));
        process_.setProcessEnvironment(env);
        process_.start(QCoreApplication::applicationFilePath(),
                       {QStringLiteral("--gtest_filter=InstanceMarkHolder.Hold")});
        process_.waitForReadyRead(10000);
        while (!process_.readAllStandardOutput().contains("holding") && process_.waitForReadyRead(10000)) {
        }
    }
    ~MarkHolder() { stop(); }
    void stop()
    {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(10000);
        }
    }

private:
    QProcess process_;
};

}  // namespace

// Runs only as the child of the single-instance tests.
TEST(InstanceMarkHolder, Hold)
{
    if (qEnvironmentVariableIsEmpty("MIRTAL_HOLD_MARK"))
        GTEST_SKIP() << "helper process of the single-instance tests";
    qputenv("QEL_HOME", qgetenv("MIRTAL_HOLD_MARK"));
    qel::CreateInstanceMark(QCoreApplication::applicationFilePath());
    std::fputs("holding\n", stdout);
    std::fflush(stdout);
    QThread::sleep(60);
}

TEST_F(StartupTest, FirstStepSwitchRunsTheStepsAndStops)
{
    qel::ScriptedPrompts script;
    StartupResult r = RunStartup({QStringLiteral("/PierwszyKrok")});
    EXPECT_FALSE(r.showLauncher);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_FALSE(r.launcher);
    EXPECT_TRUE(qel::BatchMode());
    EXPECT_EQ(CountAsked(script, kSecondCopy), 0);
    EXPECT_EQ(qel::RegReadValue(qel::kHiveLocalMachine, QStringLiteral("Software\\QEL\\ścieżki"),
                                QStringLiteral("Mirtal")),
              QCoreApplication::applicationFilePath());
}

TEST_F(StartupTest, PlainStartCreatesTheLauncher)
{
    qel::ScriptedPrompts script;
    StartupResult r = RunStartup({});
    ASSERT_TRUE(r.showLauncher);
    ASSERT_TRUE(r.launcher);
    EXPECT_FALSE(qel::BatchMode());
    EXPECT_TRUE(qel::PickContractorEveryTime());
    EndOfRun();
    EXPECT_TRUE(QFile::exists(qel::InterestTableFile())) << "the interest tables are written back at the end";
}

TEST_F(StartupTest, SecondCopyAsksAndStaleMarkDoesNot)
{
    MarkHolder holder;
    const QString exe = QCoreApplication::applicationFilePath();
    ASSERT_TRUE(qel::InstanceMarkExists(exe));
    {
        qel::ScriptedPrompts script;
        script.answer(qel::mrCancel);  // "&Nie"
        StartupResult r = RunStartup({});
        EXPECT_FALSE(r.showLauncher);
        ASSERT_EQ(CountAsked(script, kSecondCopy), 1);
        EXPECT_TRUE(script.asked()[0].text.contains(QStringLiteral("<b>Mirtal</b>")));
        EXPECT_TRUE(script.asked()[0].detail.startsWith(QStringLiteral("Zignoruj to ostrzeżenie")));
        EndOfRun();
        EXPECT_TRUE(qel::InstanceMarkExists(exe)) << "the other copy's mark stays";
    }
    {
        qel::ScriptedPrompts script;  // "&Tak": a second copy runs
        StartupResult r = RunStartup({});
        EXPECT_TRUE(r.showLauncher);
        EXPECT_EQ(CountAsked(script, kSecondCopy), 1);
        EndOfRun();
    }
    holder.stop();
    {
        qel::ScriptedPrompts script;
        StartupResult r = RunStartup({});
        EXPECT_TRUE(r.showLauncher);
        EXPECT_EQ(CountAsked(script, kSecondCopy), 0) << "a mark of a finished process is taken over";
    }
}

TEST_F(StartupTest, FirstRunOffersShortcutsOnceAndMendsWrongOnes)
{
    const QString desktop = QDir(qel::DesktopFolder()).filePath(qel::ShortcutFileName(QStringLiteral("Mirtal")));
    const QString menu = QDir(qel::StartMenuFolder()).filePath(qel::ShortcutFileName(QStringLiteral("Mirtal")));
    const QString create = QStringLiteral("Czy stworzyć automatycznie skrót do programu?");
    {
        qel::ScriptedPrompts script;
        RunStartup({QStringLiteral("/pierwszyraz"), QStringLiteral("/pierwszykrok")});
        EXPECT_EQ(CountAsked(script, create), 2);
        EXPECT_EQ(qel::ShortcutTarget(desktop), QCoreApplication::applicationFilePath());
        EXPECT_EQ(qel::ShortcutTarget(menu), QCoreApplication::applicationFilePath());
        EXPECT_EQ(qel::RegReadValue(qel::kHiveCurrentUser, QStringLiteral("Software\\Qel\\Lnk"),
                                    QStringLiteral("Mirtal")),
                  menu);
    }
    EndOfRun();
    ASSERT_TRUE(qel::WriteShortcut(desktop, QStringLiteral("Mirtal"), QStringLiteral("/usr/bin/true")));
    {
        qel::ScriptedPrompts script;
        script.answer(qel::mrOk);
        RunStartup({QStringLiteral("/pierwszyraz"), QStringLiteral("/pierwszykrok")});
        EXPECT_EQ(CountAsked(script, create), 0);
        EXPECT_EQ(CountAsked(script, QStringLiteral("wskazuje na inny plik")), 1);
        EXPECT_EQ(qel::ShortcutTarget(desktop), QCoreApplication::applicationFilePath());
    }
}

TEST_F(StartupTest, BatchSwitchesGoInTheirOrder)
{
    qel::ScriptedPrompts script;
    // "/about" comes after "/pierwszykrok": the first present in the list decides.
    StartupResult r = RunStartup({QStringLiteral("/about"), QStringLiteral("/pierwszykrok")});
    EXPECT_FALSE(r.showLauncher);
    for (const qel::Prompt& p : script.asked())
        EXPECT_NE(p.kind, qel::Prompt::Kind::Window);
}

TEST(OrderlyEnd, CopyLogIsPutAsideWithTheTime)
{
    ScratchHome home("2002-12-21T15:30:00");
    const QString folder = home.path();
    EXPECT_FALSE(PutAsideCopyLog(folder));
    ASSERT_TRUE(WriteFileBytes(folder + QStringLiteral("/!!kopia.qel"), "log"));
    EXPECT_TRUE(PutAsideCopyLog(folder));
    EXPECT_FALSE(QFile::exists(folder + QStringLiteral("/!!kopia.qel")));
    EXPECT_EQ(ReadFileBytes(folder + QStringLiteral("/!!kopia.qel_021221_1530_.log")), QByteArray("log"));
}

TEST(CommandLine, SwitchesMatchAnywhereInAnyCase)
{
    EXPECT_TRUE(HasSwitch({QStringLiteral("x"), QStringLiteral("/KOLORYSTANDARDOWE")},
                          QStringLiteral("/kolorystandardowe")));
    EXPECT_TRUE(HasSwitch({QStringLiteral("--opt=/about")}, QStringLiteral("/about")));
    EXPECT_FALSE(HasSwitch({QStringLiteral("/abou")}, QStringLiteral("/about")));
}
