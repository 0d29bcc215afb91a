#pragma once

#include <QByteArray>
#include <QString>

// A file is only ever replaced by a complete new one: written beside, flushed to
// the disk and renamed over the old one, so a crash leaves either the old or the
// new contents, never a mixture.
namespace qel {

// Creates the folder when missing. On failure returns false and, when error is
// given, puts a short reason there; the old file is then untouched.
bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString* error = nullptr);

// Copies a damaged file aside before it is rewritten, as name + ".uszkodzony-"
// + yyyyMMdd-hhmmss (+ "-N" when that name is taken). Returns the copy's path,
// empty when the copy failed.
QString KeepDamagedCopy(const QString& path);

}  // namespace qel
