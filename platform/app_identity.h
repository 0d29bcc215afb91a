#pragma once

#include <QString>
#include <QStringList>

// The identity an executable carries, like the version information of the
// original platform: our programs keep it in an ELF section "qel_version", so
// that any copy of the family can read it from the file of another running
// process without starting it.
struct TNazwaAplikacji {
    QString displayName;      // "%s (%s) %s" of product, company and version
    QString companyName;      // CompanyName
    QString productName;      // ProductName
    QString version;          // "%d.%d.%d.%d" of the file version
    QString comments;         // Comments
    QString fileDescription;  // FileDescription
};

namespace qel {

// The identity read from a file. A file without it (another program, not an
// ELF file, damaged) gives empty fields, and the display name is then the file
// name without its folder and without everything from its first dot.
TNazwaAplikacji ReadApplicationIdentity(const QString& executablePath);

// This program's own identity (company "QEL", product "Mirtal", the project's version).
TNazwaAplikacji OwnApplicationIdentity();

// "%s (%s) %s", or the file-name rule when product and company are empty.
QString IdentityDisplayName(const TNazwaAplikacji& identity, const QString& executablePath);

// The executables of all running processes that can be seen, each once, in the
// order of the process ids.
QStringList RunningExecutables();

}  // namespace qel
