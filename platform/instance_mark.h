#pragma once

#include <QString>

// The mark that a copy of a program runs, standing in for a global atom whose
// text is the executable's full path. It is a small file under $QEL_HOME/run/,
// named from a hash of that path, listing the process (id and start time) of
// every copy that holds it. A process that no longer runs holds nothing, so a
// mark left by a crashed copy counts as absent.
namespace qel {

// True when a running process other than this one holds the mark.
bool InstanceMarkExists(const QString& executablePath);

struct InstanceMarkResult {
    bool created = false;       // this process now holds the mark
    bool tookOverStale = false;  // a mark of processes that no longer run was replaced
};

// Adds this process to the mark, dropping the processes that no longer run.
// Safe to call in a second copy that the user let run: the mark then stays until
// the last copy ends.
InstanceMarkResult CreateInstanceMark(const QString& executablePath);

// Removes this process from the mark (the file goes with the last holder). The
// mark of another copy is never touched. False when this process did not hold it.
bool DeleteInstanceMark(const QString& executablePath);

}  // namespace qel
