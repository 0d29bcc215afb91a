#pragma once

#include <QString>
#include <QStringList>

// Profile (INI) files with the semantics of the Windows profile functions:
// section and key names match without regard to case (and to blanks around
// them); values are trimmed and lose one pair of surrounding quotes (" or ');
// the first of duplicated sections or keys wins; lines starting with ";" are
// comments. Files are Windows-1250 with CR LF line ends (LF or CR alone are read
// too) and are rewritten atomically; the order of lines, comments and the other
// entries are kept.
//
// A missing or unreadable file reads as empty, so reads give their defaults;
// writes report failure by returning false. Paths are real paths (see
// MapWindowsPath for the design's "c:\..." names).
namespace qel {

QString ReadProfileString(const QString& file, const QString& section, const QString& key,
                          const QString& defaultValue = {});
// Missing or empty value: the default. Otherwise the leading number ("12abc" is
// 12, "0x1F" is 31, "-3" is -3) and 0 when the value starts with no number.
int ReadProfileInt(const QString& file, const QString& section, const QString& key, int defaultValue);

// Line breaks in the value become blanks so that the file keeps its shape. A
// section or key name that cannot be written ("]" or "=" in it, line breaks,
// empty) fails.
bool WriteProfileString(const QString& file, const QString& section, const QString& key, const QString& value);

QStringList ProfileSections(const QString& file);                        // in file order
QStringList ProfileKeys(const QString& file, const QString& section);    // in file order
bool ProfileHasKey(const QString& file, const QString& section, const QString& key);

// False when nothing was there to delete or the file could not be rewritten.
bool DeleteProfileKey(const QString& file, const QString& section, const QString& key);
bool DeleteProfileSection(const QString& file, const QString& section);

}  // namespace qel
