#pragma once

#include "core/qel_object.h"

#include <QList>
#include <QString>

// The databases of the program and its family: a catalogue of 44 files, each a
// tQelList, found through the registry ("Software\QEL\ścieżki") and the disk.
namespace qel {

inline constexpr int kDatabaseCount = 44;

// Catalogue indexes used by name.
enum DatabaseIndex : int {
    dbNone = 0,
    dbJournal = 1,
    dbContractors = 2,
    dbUsers = 3,
    dbCashReport = 4,
    dbPostalCodes = 9,
    dbOldTaxOffices = 12,
    dbPlan = 14,
    dbOldRates = 22,
    dbBanks = 24,
    dbTaxOffices = 25,
    dbCollectiveTransfers = 29,
    dbContracts = 30,
    dbTypicalContractors = 32,
    dbTowns = 41,
    dbBankBranches = 42,
};

QString DatabaseIdentifier(int index);       // "tts_Kontrahenci"; empty outside the catalogue
QString DatabaseDefaultFileName(int index);  // "Kontrahenci.dat"
bool IsReferenceDatabase(int index);         // loaded on first use, never created or saved by save-all

QString DatabaseLocationsKey();  // "Software\QEL\ścieżki"

// The folder databases go to by default (ends with "/"): the program's folder,
// or the documents folder when that is the desktop or a read-only medium.
QString DefaultDatabaseFolder();

// Where the file of a database is, from the registry, the disk and the user;
// records the answer in the registry and the path cache.
QString ResolveDatabaseLocation(int index, const QString& currentPath, bool ask);
QString CachedDatabasePath(int index);

// Sets up an (empty) list as database `index`: resolves its file, loads it now
// (user databases) or on first use (reference databases), offers to create a
// missing file, and enters it in the registries of open databases. Runs once a list.
void ConstructDatabase(tQelList& list, int index, QString& path);

const QList<tQelList*>& UserDatabases();
const QList<tQelList*>& ReferenceDatabases();
tQelList* FindOpenDatabase(int index);  // user databases first
void ForgetDatabase(const tQelList* list);  // a list being destroyed leaves the registries

bool SaveAllUserDatabases();

// "tts_Kontrahenci" for any path whose file name is that of a resolved
// database (the last such index wins); "(nieznany plik!)" otherwise.
QString FileIdentifier(const QString& path);
QString FileDescription(const QString& path);  // "plik ...\r\nzajmuje ...\r\nostatnio zapisany: ..."
QString SizeFormat(qint64 bytes);              // "512 B", "1,50 kB", "2,00 MB", "1,25 GB"

// Offers to make a read-only file writable; true when the file can be written
// (or does not exist).
bool RepairFileAttributes(const QString& path);

// The message of the last failed load or save.
QString LastDatabaseError();

}  // namespace qel
