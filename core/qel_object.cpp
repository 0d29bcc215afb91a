#include "core/qel_object.h"

#include "core/database.h"
#include "core/generic_items.h"
#include "core/progress_note.h"

#include <algorithm>
#include <memory>

namespace qel {
namespace {

struct RegistryEntry {
    int typeNumber;
    QString className;
    PersistentFactory factory;
};

QList<RegistryEntry>& Registry()
{
    static QList<RegistryEntry> registry;
    return registry;
}

}  // namespace

void RegisterQelClass(const QString& className, PersistentFactory factory, int typeNumber)
{
    if (FindQelClass(typeNumber))
        throw EqelException(QStringLiteral("201: Identyfikator \"%1\" jest już w użyciu.").arg(className));
    Registry().append({typeNumber, className, std::move(factory)});
}

const PersistentFactory* FindQelClass(int typeNumber)
{
    for (const auto& entry : Registry())
        if (entry.typeNumber == typeNumber)
            return &entry.factory;
    return nullptr;
}

int FindQelTypeNumber(const QString& className)
{
    for (const auto& entry : Registry())
        if (entry.className == className)
            return entry.typeNumber;
    return 0;
}

QString QelClassNameOf(int typeNumber)
{
    for (const auto& entry : Registry())
        if (entry.typeNumber == typeNumber)
            return entry.className;
    return {};
}

}  // namespace qel

// --- tQelObject -----------------------------------------------------------

void tQelObject::Load(tQelStream&) {}
void tQelObject::Store(tQelStream&) const {}
QString tQelObject::ExportString(QChar) const { return {}; }
QString tQelObject::ExportTitleString(QChar) const { return {}; }
void tQelObject::NormalizeExportString(QString&, QChar) const {}

// --- tQelList -------------------------------------------------------------

tQelList::~tQelList()
{
    qel::ForgetDatabase(this);
    qDeleteAll(items_);
}

void tQelList::Grow(int wanted)
{
    // The growth steps of the family's pointer list, so that the capacity a wide
    // header records matches theirs.
    while (capacity_ < wanted)
        capacity_ += capacity_ > 64 ? capacity_ / 4 : (capacity_ > 8 ? 16 : 4);
}

void tQelList::CheckIndex(int index) const
{
    if (index < 0 || index >= items_.size())
        throw EqelException(QStringLiteral("Indeks listy poza zakresem (%1, lista ma %2 pozycji).")
                                .arg(index).arg(items_.size()));
}

int tQelList::Count()
{
    EnsureLoaded();
    return LoadedCount();
}

qel::Persistent* tQelList::Get(int index)
{
    EnsureLoaded();
    CheckIndex(index);
    return items_[index];
}

void tQelList::Put(int index, qel::Persistent* item)
{
    EnsureLoaded();
    CheckIndex(index);
    if (items_[index] != item) {
        delete items_[index];
        items_[index] = item;
    }
}

qel::Persistent* tQelList::ItemAt(int index) const
{
    return index >= 0 && index < items_.size() ? items_[index] : nullptr;
}

tQelObject* tQelList::ObjectAt(int index)
{
    return index >= 0 && index < Count() ? dynamic_cast<tQelObject*>(items_[index]) : nullptr;
}

void tQelList::Add(qel::Persistent* item)
{
    Grow(static_cast<int>(items_.size()) + 1);
    items_.append(item);
}

void tQelList::Insert(int index, qel::Persistent* item)
{
    if (index < 0 || index > items_.size())
        CheckIndex(index);
    Grow(static_cast<int>(items_.size()) + 1);
    items_.insert(index, item);
}

void tQelList::Delete(int index)
{
    delete Extract(index);
}

qel::Persistent* tQelList::Extract(int index)
{
    CheckIndex(index);
    return items_.takeAt(index);
}

int tQelList::IndexOf(const qel::Persistent* item) const
{
    return static_cast<int>(items_.indexOf(const_cast<qel::Persistent*>(item)));
}

void tQelList::Sort(const std::function<bool(const qel::Persistent*, const qel::Persistent*)>& less)
{
    EnsureLoaded();
    std::stable_sort(items_.begin(), items_.end(), less);
}

void tQelList::EnsureLoaded()
{
    if (!notLoaded)
        return;
    // Cleared first: the load itself counts and adds items.
    notLoaded = false;
    qel::ShowProgressNote(QStringLiteral("Odczytuję dane... ") + fileName);
    LoadFromFile(fileName, false);
    qel::EndProgressNote();
}

void tQelList::Invalidate()
{
    FreeAll();
    notLoaded = true;
}

qel::Persistent* tQelList::FirstThatData(int direction, DataTest test, void* data)
{
    return FirstThat([&](qel::Persistent* item) { return test(data, item); }, direction);
}

void tQelList::ForEachData(int direction, DataAction action, void* data)
{
    ForEach([&](qel::Persistent* item) { action(data, item); }, direction);
}

qel::Persistent* tQelList::FirstThat(const Test& test, int direction)
{
    const int n = Count();
    if (direction == 0) {
        for (int i = 0; i < n; ++i)
            if (test(items_[i]))
                return items_[i];
    } else if (direction == 1) {
        for (int i = n - 1; i >= 0; --i)
            if (test(items_[i]))
                return items_[i];
    }
    return nullptr;
}

void tQelList::ForEach(const Action& action, int direction)
{
    const int n = Count();
    if (direction == 0) {
        for (int i = 0; i < n && i < items_.size(); ++i)
            action(items_[i]);
    } else if (direction == 1) {
        for (int i = n - 1; i >= 0; --i)
            if (i < items_.size())
                action(items_[i]);
    }
}

void tQelList::LoadFromStream(tQelStream& stream)
{
    qint64 count;
    if (wideCounts || stream.wideCounts) {
        count = stream.ReadValue<qint32>();
        stream.ReadValue<qint32>();
        stream.ReadValue<qint32>();
    } else {
        count = stream.ReadValue<qint16>();
        stream.ReadValue<qint16>();
        stream.ReadValue<qint16>();
    }
    if (count < 0)
        throw EqelException(QStringLiteral("Plik danych jest uszkodzony lub niekompletny: "
                                           "ujemna liczba pozycji listy (%1, pozycja %2).")
                                .arg(count).arg(stream.Position()));
    // Every stored object takes at least its two-byte type number, so the data
    // left bounds what is worth reserving for a count read from a file.
    items_.reserve(items_.size() + static_cast<qsizetype>(std::min(count, stream.Remaining() / 2)));
    for (qint64 i = 0; i < count; ++i)
        Add(stream.ReadObject());
}

void tQelList::SaveToStream(tQelStream& stream) const
{
    // Skipped items are not written, so they are not counted either: the header
    // must announce exactly the objects that follow.
    qint64 count = 0;
    for (const auto* item : items_) {
        const auto* record = dynamic_cast<const tQelObject*>(item);
        if (!record || !record->skip)
            ++count;
    }
    if (wideCounts || stream.wideCounts) {
        stream.WriteValue<qint32>(static_cast<qint32>(count));
        stream.WriteValue<qint32>(static_cast<qint32>(std::max<qint64>(count, capacity_)));
        stream.WriteValue<qint32>(0);
    } else {
        if (count > kMaxNormalCount)
            throw EqelException(QStringLiteral("Lista ma %1 pozycji, a w tym formacie pliku można zapisać "
                                               "najwyżej %2. Nic nie zostało zapisane.")
                                    .arg(count).arg(kMaxNormalCount));
        stream.WriteValue<qint16>(static_cast<qint16>(count));
        stream.WriteValue<qint16>(static_cast<qint16>(count));
        stream.WriteValue<qint16>(0);
    }
    for (const auto* item : items_)
        stream.WriteObject(item);
}

bool tQelList::Save()
{
    return !fileName.isEmpty() && SaveToFile(fileName, true);
}

void tQelList::FreeAll()
{
    const auto items = std::move(items_);
    items_.clear();
    qDeleteAll(items);
}

bool tQelList::HasDuplicate(const qel::Persistent* item)
{
    const auto* generic = dynamic_cast<const TqelGenericItem*>(item);
    if (!generic)
        return false;
    return FirstThat([&](qel::Persistent* other) {
               const auto* candidate = dynamic_cast<const TqelGenericItem*>(other);
               return other != item && candidate && candidate->IsEqual(generic);
           }, 0) != nullptr;
}

// --- tQelSortedList ---------------------------------------------------------

void tQelSortedList::LoadFromStream(tQelStream& stream)
{
    tQelList::LoadFromStream(stream);
    sortedFlag = stream.ReadValue<quint8>();
}

void tQelSortedList::SaveToStream(tQelStream& stream) const
{
    tQelList::SaveToStream(stream);
    stream.WriteValue<quint8>(sortedFlag);
}
