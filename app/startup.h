#pragma once

#include "app/main_window.h"

#include <QStringList>

#include <memory>

struct StartupResult {
    bool showLauncher = false;  // false: the program ends with exitCode
    int exitCode = 0;
    std::unique_ptr<TeMain> launcher;
};

// The start-up steps from registering the persistent classes to creating the
// launcher. `arguments` is the command line without the program's name.
StartupResult RunStartup(const QStringList& arguments);

// The services every window needs (regional settings, message dialog, cursors),
// for tools that open one window without the whole start-up.
void PrepareServices();

// The orderly end: the instance mark goes, "!!kopia.qel" is put aside, the
// interest tables are written back.
void EndOfRun();

// True when a switch is anywhere in the command line, in any case.
bool HasSwitch(const QStringList& arguments, const QString& name);

// "!!kopia.qel" -> "!!kopia.qel_021221_1530_.log", in the same folder; true when moved.
bool PutAsideCopyLog(const QString& folder);
