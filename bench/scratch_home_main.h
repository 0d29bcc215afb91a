#pragma once

#include "core/interaction.h"
#include "core/qel_object.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTemporaryDir>

#include <functional>

// The main of a benchmark that works on files: a scratch QEL_HOME, the object
// model registered, every question answered at once; prepare(home folder) runs
// before the benchmarks.
inline int RunFileBenchmarks(int argc, char** argv, const std::function<void(const QString&)>& prepare)
{
    QTemporaryDir home;
    qputenv("QEL_HOME", home.path().toLocal8Bit());
    QCoreApplication app(argc, argv);
    qel::RegisterPersistentClasses();
    qel::ScriptedPrompts script;
    prepare(home.path());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
