#include "core/database_dump.h"

#include "core/qel_object.h"

namespace qel {
namespace {

QString LineOf(const Persistent* item, bool title)
{
    const auto* record = dynamic_cast<const tQelObject*>(item);
    if (!record) {
        const auto* list = dynamic_cast<const tQelList*>(item);
        return list && !title ? QStringLiteral("(lista: %1 pozycji)").arg(list->LoadedCount()) : QString();
    }
    QString line = title ? record->ExportTitleString(u'\t') : record->ExportString(u'\t');
    record->NormalizeExportString(line, u'\t');
    return line;
}

}  // namespace

QString DumpDatabase(const QByteArray& fileBytes, QStringList& lines)
{
    tQelStream stream(fileBytes);
    tQelList list;
    QString error;
    try {
        list.LoadFromStream(stream);
    } catch (const EqelException& e) {
        error = e.message();
    }
    if (list.LoadedCount() > 0)
        lines.append(LineOf(list.ItemAt(0), true));
    for (int k = 0; k < list.LoadedCount(); ++k)
        lines.append(LineOf(list.ItemAt(k), false));
    return error;
}

}  // namespace qel
