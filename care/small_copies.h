#pragma once

#include <QString>

// The small copies: before a database file is saved, its previous version is
// copied beside it as "Kopia <yy><week> <name>", one copy a week of the year;
// old copies are deleted by age when the user wants that.

// The settings of "Software\QEL\Kopie zapasowe" that drive the small copies,
// shared by the whole family. Booleans are stored "TAK"/"NIE".
struct SmallCopySettings {
    bool make = true;          // "Wykonuj małe kopie"
    bool deleteOld = false;    // "Kasuj małe kopie automatycznie"
    int deleteAfterDays = 21;  // "Kasuj małe kopie po dniach"

    static SmallCopySettings Load();
    void Save() const;
};

// "folder/Kopia 259 Faktury.dat" for Faktury.dat on 21 August 2002.
QString SmallCopyName(const QString& path);

// Copies (or, with move, renames) the file to its small copy of this week;
// with cleanUp also deletes the old small copies of that file. True when the
// copy was made.
bool MakeSmallCopy(const QString& path, bool move, bool cleanUp);
