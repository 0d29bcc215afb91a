// libFuzzer target: any byte string read as a database file must either load or
// end in EqelException; nothing else (no crash, no hang, no huge allocation).

#include "contacts/contact_item.h"
#include "core/generic_items.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool registered = [] {
        qel::RegisterPersistentClasses();
        RegisterContactClasses();
        return true;
    }();
    (void)registered;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (const bool wide : {false, true}) {
        tQelStream stream(bytes);
        stream.wideCounts = wide;
        tQelSortedList list;
        try {
            list.LoadFromStream(stream);
            tQelStream again;
            again.wideCounts = true;
            list.SaveToStream(again);
        } catch (const EqelException&) {
        }
    }
    return 0;
}
