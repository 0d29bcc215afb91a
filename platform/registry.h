#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The registry: a tree of keys per hive, kept as one REGEDIT4 text file a hive
// under $QEL_HOME/registry/ (HKEY_CURRENT_USER.reg and so on).
//
// File encoding: UTF-8, so that any file path survives (Windows-1250 would turn
// letters outside the code page into "?"). Strings holding line breaks or other
// control characters are written as hex(1): the UTF-8 bytes; expandable strings
// as hex(2): likewise, each with its zero terminator; integers as dword:; bytes as hex:.
//
// Key and value names are matched without regard to case; a name keeps the case in
// which it was first written. A key path is "\"-separated; leading, trailing and
// doubled separators are ignored. The empty value name is the key's default value.
//
// Every change goes straight to the file (rewritten atomically). A damaged or
// truncated file is read as far as it goes; a copy of it is kept beside it
// (".uszkodzony-" + time) and the file is rewritten from what could be read.
namespace qel {

// Hive numbers as the settings functions take them.
enum class RegHive { ClassesRoot = 0, CurrentUser = 1, LocalMachine = 2, Users = 3, DynData = 4 };

RegHive HiveFromNumber(int number);  // 1..4 as above, any other number is ClassesRoot
QString HiveName(RegHive hive);      // "HKEY_CURRENT_USER"
QString HiveFilePath(RegHive hive);  // $QEL_HOME/registry/HKEY_CURRENT_USER.reg

enum class RegType { None, String, ExpandString, Integer, Bytes };

struct RegValue {
    RegType type = RegType::None;
    QString text;          // String, ExpandString
    quint32 number = 0;    // Integer (a REG_DWORD)
    QByteArray bytes;      // Bytes

    static RegValue string(const QString& text) { return {RegType::String, text, 0, {}}; }
    static RegValue expandString(const QString& text) { return {RegType::ExpandString, text, 0, {}}; }
    static RegValue integer(quint32 number) { return {RegType::Integer, {}, number, {}}; }
    static RegValue binary(const QByteArray& bytes) { return {RegType::Bytes, {}, 0, bytes}; }

    bool operator==(const RegValue&) const = default;
};

// One open key of one hive, like a registry object of the original platform:
// open, read or write, close. Each failing call returns false (or an empty
// result) and leaves its reason in error().
class RegistryKey {
public:
    explicit RegistryKey(RegHive hive);
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    RegHive hive() const { return hive_; }

    // Opens path (relative to the hive's root); create makes the missing keys.
    // Without create a missing key fails with "Can't open key. " + path.
    bool open(const QString& path, bool create);
    void close();
    bool isOpen() const { return open_; }
    QString path() const { return path_; }   // as spelt in the store

    bool keyExists(const QString& path) const;

    // Of the open key.
    bool hasValue(const QString& name) const;
    RegValue value(const QString& name) const;   // type None when missing
    QStringList valueNames() const;
    QStringList subkeyNames() const;

    bool setValue(const QString& name, const RegValue& value);
    bool writeString(const QString& name, const QString& text);
    bool writeExpandString(const QString& name, const QString& text);
    bool writeInteger(const QString& name, quint32 number);
    bool writeBytes(const QString& name, const QByteArray& bytes);
    bool deleteValue(const QString& name);

    // Deletes path (relative to the hive's root) with all its subkeys; the open
    // key is closed if it lies inside. Deleting a missing key fails.
    bool deleteKey(const QString& path);

    QString error() const { return error_; }

private:
    bool commit(const QString& what);

    RegHive hive_;
    bool open_ = false;
    QString path_;
    mutable QString error_;
};

// Groups the changes to one hive into a single rewrite of its file (each
// rewrite waits for the disk): while a batch lives, writes of any RegistryKey
// to that hive only change the tree in memory; commit() or the end of the
// batch writes them. Batches nest; the outermost one writes.
class RegistryBatch {
public:
    explicit RegistryBatch(RegHive hive);
    ~RegistryBatch();
    RegistryBatch(const RegistryBatch&) = delete;
    RegistryBatch& operator=(const RegistryBatch&) = delete;

    // Writes what changed so far; false (with the reason in error) when the file
    // could not be written, and the changes are then dropped.
    bool commit(QString* error = nullptr);

private:
    RegHive hive_;
};

// What the last read of a damaged hive file left, for the program's message:
// the file and the copy kept of it. Empty when nothing was damaged since the
// last call; the call clears it.
struct RegistryDamage {
    QString file;
    QString copy;
};
QList<RegistryDamage> TakeRegistryDamage();

}  // namespace qel
