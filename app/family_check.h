#pragma once

#include <QString>
#include <QStringList>

// The display names of the other programs of the family that run now: every
// running executable whose company contains "qel", except this program itself,
// the family's launcher and the installers.
QStringList RunningFamilyPrograms(const QString& ownPath, const QStringList& running);

// The family's installers, which the check passes over and which skip it.
bool IsInstallerFile(const QString& fileName);

struct FamilyCheckResult {
    bool othersRun = false;    // the result: another program runs and the user did not wave it through
    bool stopProgram = false;  // the user declined and stop was asked for
};

// With ask, the user is asked whether to go on; confirming makes the result false.
FamilyCheckResult FamilyCheck(bool ask, bool stop);
