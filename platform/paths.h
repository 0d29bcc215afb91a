#pragma once

#include <QString>

// Where the program's files live. QEL_HOME (default ~/.local/share/qel) is the
// root of everything the program writes and stands for drive C: of the design.
namespace qel {

QString QelHome();        // created on first use
QString DriveRoot(QChar drive);  // C: -> QEL_HOME, other letters below QEL_HOME/drives/
QString ProgramFolder();  // QEL_HOME/Mirtal, created on first use

// "c:\qel.ini" -> "$QEL_HOME/qel.ini"; a path that is already a real (absolute
// Unix) path is returned as it stands; relative Windows paths keep their shape
// with "/" as separator.
QString MapWindowsPath(const QString& windowsPath);

// The same path with a trailing separator, as the design's folder values have.
QString WithTrailingSlash(const QString& folder);

}  // namespace qel
