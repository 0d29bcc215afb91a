// Time from process start to the end of "/pierwszykrok" and to the launcher
// shown (the snapshot tool runs the real start-up, shows the launcher and ends).

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>

namespace {

QString BuildDir()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/..");
}

void RunProgram(benchmark::State& state, const QString& program, const QStringList& args)
{
    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QEL_HOME"), home.path());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_DESKTOP_DIR"), home.path() + QStringLiteral("/Pulpit"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.path() + QStringLiteral("/data"));
    for (auto _ : state) {
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(program, args);
        if (!p.waitForFinished(30000) || p.exitCode() != 0) {
            state.SkipWithError("the program did not end cleanly");
            return;
        }
    }
}

void BM_FirstStepSwitch(benchmark::State& state)
{
    RunProgram(state, BuildDir() + QStringLiteral("/mirtal"), {QStringLiteral("/pierwszykrok")});
}
BENCHMARK(BM_FirstStepSwitch)->Unit(benchmark::kMillisecond);

void BM_LauncherShown(benchmark::State& state)
{
    RunProgram(state, BuildDir() + QStringLiteral("/tools/snapshot"), {QStringLiteral("TeMain")});
}
BENCHMARK(BM_LauncherShown)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
