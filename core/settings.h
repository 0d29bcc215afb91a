#pragma once

#include <QString>
#include <QStringList>

// The settings store: the registry below "Software\QEL\" and the fixed ini file
// "c:\qel.ini" ($QEL_HOME/qel.ini).
//
// Value conventions: booleans are written "True"/"False" and read as true when,
// lower-cased, they are exactly "1", "true", "tak" or "yes"; integers are
// written as decimal text and one that cannot be parsed reads as the default.
// Reads never fail: a missing key or value gives the default and leaves the
// reason in LastRegistryError(). A failed registry write shows "Nie udała się
// wymiana danych z Rejestrem Windows! ...", which the user may silence for the
// rest of the day.
namespace qel {

// Hive numbers: 1 current user, 2 local machine, 3 users, 4 dynamic data, any
// other number the classes root.
inline constexpr int kHiveCurrentUser = 1;
inline constexpr int kHiveLocalMachine = 2;

// ---- Registry level (hive number, key path below the hive) ----

// The value as text: a string as it stands, an expandable string as
// "*** ext string ***", an integer in decimal, bytes as their first four
// bytes' 32-bit integer in decimal. An empty result gives the default.
QString RegReadValue(int hive, const QString& key, const QString& name, const QString& defaultValue = {});
bool RegWriteString(int hive, const QString& key, const QString& name, const QString& text);
bool RegWriteInteger(int hive, const QString& key, const QString& name, int number);
// False when the key cannot be opened.
bool RegValueNames(int hive, const QString& key, QStringList& names);
bool RegSubkeyNames(int hive, const QString& key, QStringList& names);
bool RegDeleteKey(int hive, const QString& key);
bool RegDeleteValue(int hive, const QString& key, const QString& name);

// "Can't open key. " + key, or the reason of the last failure; cleared at the
// start of each registry access.
QString LastRegistryError();

// ---- Section level: current user, "Software\QEL\" + section ----

QString SectionKey(const QString& section);  // "Software\QEL\" + section
QString ReadSetting(const QString& section, const QString& name, const QString& defaultValue = {});
bool WriteSetting(const QString& section, const QString& name, const QString& text);
bool ReadSettingBool(const QString& section, const QString& name, bool defaultValue);
bool WriteSettingBool(const QString& section, const QString& name, bool value);
int ReadSettingInt(const QString& section, const QString& name, int defaultValue);
bool WriteSettingInt(const QString& section, const QString& name, int value);

// ---- Ini level (a real path, section, name) ----
// Values read are limited to 200 characters; "~" stands for a double quote, which
// the ini format would drop.

inline constexpr int kIniValueLimit = 200;

QString QelIniPath();  // $QEL_HOME/qel.ini
QString IniReadString(const QString& file, const QString& section, const QString& name,
                      const QString& defaultValue = {});
bool IniWriteString(const QString& file, const QString& section, const QString& name, const QString& text);
int IniReadInt(const QString& file, const QString& section, const QString& name, int defaultValue);
bool IniWriteInt(const QString& file, const QString& section, const QString& name, int value);
bool IniReadBool(const QString& file, const QString& section, const QString& name, bool defaultValue);
bool IniWriteBool(const QString& file, const QString& section, const QString& name, bool value);

// ---- Combined: c:\qel.ini over the registry section; the ini value wins ----

QString QelReadString(const QString& section, const QString& name, const QString& defaultValue = {});
bool QelReadBool(const QString& section, const QString& name, bool defaultValue);
int QelReadInt(const QString& section, const QString& name, int defaultValue);
void QelWriteString(const QString& section, const QString& name, const QString& text);
void QelWriteBool(const QString& section, const QString& name, bool value);
void QelWriteInt(const QString& section, const QString& name, int value);

// ---- Value conventions on their own ----

bool SettingTextIsTrue(const QString& text);     // "1", "true", "tak", "yes" in any case
QString SettingBoolText(bool value);            // "True" / "False"

// ---- Auxiliary files, resolved once per run (per QEL_HOME) ----

QString NipExceptionsFile();  // "Wyjątki NIP"/"Plik", default $QEL_HOME/wyjatki.nip
QString InterestTableFile();  // "Odsetki"/"Plik", default $QEL_HOME/odsetki.dat
// "Plik Pomocy"/"Plik"; when that file is missing, the first "qel.hlp" found
// below the program's drive (bounded in depth and time); empty when none.
QString HelpFile();

// The first file of that name (without regard to case) in the folders below
// roots, breadth first; gives up after maxDepth levels, maxFolders folders or
// the time in milliseconds. Empty when none was found.
QString FindFileBelow(const QStringList& roots, const QString& fileName, int maxDepth, int maxFolders, int milliseconds);

// ---- The sender's own data, "Dane użytkownika" ----

inline constexpr int kSenderFieldCount = 14;
// "Imię", "Nazwisko", "Firma", "Adres", "Kod", "Miasto", "E-mail", "WWW",
// "Telefon", "Faks", "Bank", "Numer konta", "NIP", "Regon"
const QStringList& SenderFieldNames();
QStringList LoadSenderData();                 // always kSenderFieldCount values
bool SaveSenderData(const QStringList& values);

// ---- The registry failure message ----

// Shows "Nie udała się wymiana danych z Rejestrem Windows! " + reason, silenced
// through "DontShowAgain"/"RegSaveErr" + today's day number.
void ShowRegistryFailure(const QString& reason);

}  // namespace qel
