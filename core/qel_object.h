#pragma once

#include "core/qel_stream.h"
#include "platform/datetime.h"

#include <QList>
#include <QString>

#include <functional>

namespace qel {

// Everything a stream can hold: records (tQelObject) and lists (tQelList).
class Persistent {
public:
    virtual ~Persistent() = default;
    virtual QString ClassName() const = 0;
};

using PersistentFactory = std::function<Persistent*()>;

// The type registry: class names under 16-bit type numbers, in registration order.
// Raises EqelException 201 when the number is taken.
void RegisterQelClass(const QString& className, PersistentFactory factory, int typeNumber);
template <typename T>
void RegisterQelClass(int typeNumber)
{
    RegisterQelClass(T::StaticClassName(), [] { return new T; }, typeNumber);
}
// First entry with that number / that class name; 0 or null when none.
const PersistentFactory* FindQelClass(int typeNumber);
int FindQelTypeNumber(const QString& className);
QString QelClassNameOf(int typeNumber);

// Registers the classes of the object model in their fixed order; runs once.
// The contact record (4021) is registered by RegisterContactClasses().
void RegisterPersistentClasses();

}  // namespace qel

#define QEL_CLASS(Name) \
    static QString StaticClassName() { return QStringLiteral(#Name); } \
    QString ClassName() const override { return StaticClassName(); }

class tQelObject : public qel::Persistent {
public:
    QEL_CLASS(tQelObject)

    bool skip = false;  // left out when written

    virtual void Load(tQelStream& stream);
    virtual void Store(tQelStream& stream) const;
    virtual QString ExportString(QChar separator) const;
    virtual QString ExportTitleString(QChar separator) const;
    virtual void NormalizeExportString(QString& text, QChar separator) const;
};

// A database: a list of owned items (null slots allowed) that may live in a file.
class tQelList : public qel::Persistent {
public:
    QEL_CLASS(tQelList)

    tQelList() = default;
    ~tQelList() override;
    tQelList(const tQelList&) = delete;
    tQelList& operator=(const tQelList&) = delete;

    bool wideCounts = false;
    QString fileName;
    qint32 fileSize = 0;
    TDateTime fileTime = 0;
    quint8 databaseIndex = 0;
    bool notLoaded = false;
    bool constructed = false;

    // Every access through these loads the list first when it is not loaded.
    int Count();
    qel::Persistent* Get(int index);
    void Put(int index, qel::Persistent* item);  // takes ownership, frees the old item

    // The stored items as they stand, without loading.
    int LoadedCount() const { return static_cast<int>(items_.size()); }
    int Capacity() const { return capacity_; }
    qel::Persistent* ItemAt(int index) const;  // null outside the range

    virtual tQelObject* ObjectAt(int index);
    void Add(qel::Persistent* item);  // takes ownership
    void Insert(int index, qel::Persistent* item);
    void Delete(int index);  // frees the item
    qel::Persistent* Extract(int index);  // hands the item back to the caller
    int IndexOf(const qel::Persistent* item) const;
    void Sort(const std::function<bool(const qel::Persistent*, const qel::Persistent*)>& less);

    virtual void EnsureLoaded();
    virtual void Invalidate();

    using DataTest = bool (*)(void* data, qel::Persistent* item);
    using DataAction = void (*)(void* data, qel::Persistent* item);
    using Test = std::function<bool(qel::Persistent*)>;
    using Action = std::function<void(qel::Persistent*)>;
    // Direction 0 walks first to last, 1 last to first; any other value finds nothing.
    virtual qel::Persistent* FirstThatData(int direction, DataTest test, void* data);
    virtual void ForEachData(int direction, DataAction action, void* data);
    virtual qel::Persistent* FirstThat(const Test& test, int direction);
    virtual void ForEach(const Action& action, int direction);

    virtual void LoadFromStream(tQelStream& stream);
    virtual void SaveToStream(tQelStream& stream) const;
    virtual bool Save();
    virtual void FreeAll();
    virtual bool HasDuplicate(const qel::Persistent* item);
    virtual QString Statistics();

    // The file operations of a database (database.cpp).
    bool LoadFromFile(const QString& path, bool onlyIfEmpty);
    bool SaveToFile(const QString& path, bool makeBackup);
    bool EmergencyCopy(const QString& path);
    bool ExportToTextFile(const QString& path, QChar separator);

    // The header value that stands for "this many items" when written.
    static constexpr int kMaxNormalCount = 32767;

private:
    void Grow(int wanted);
    void CheckIndex(int index) const;

    QList<qel::Persistent*> items_;
    int capacity_ = 0;
};

class tQelSortedList : public tQelList {
public:
    QEL_CLASS(tQelSortedList)

    quint8 sortedFlag = 1;

    void LoadFromStream(tQelStream& stream) override;
    void SaveToStream(tQelStream& stream) const override;
};

class tQelGenericLIst : public tQelSortedList {
public:
    QEL_CLASS(tQelGenericLIst)

    QString Statistics() override;
};
