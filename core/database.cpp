#include "core/database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include "platform/atomic_file.h"

namespace qel {

bool RepairFileAttributes(const QString&)
{
    return true;
}

void ForgetDatabase(const tQelList*) {}

}  // namespace qel

bool tQelList::LoadFromFile(const QString& path, bool onlyIfEmpty)
{
    if (onlyIfEmpty && LoadedCount() > 0)
        return true;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    tQelStream stream(file.readAll());
    stream.wideCounts = wideCounts;
    LoadFromStream(stream);
    return true;
}

bool tQelList::SaveToFile(const QString& path, bool)
{
    tQelStream stream;
    stream.wideCounts = wideCounts;
    SaveToStream(stream);
    return qel::WriteFileAtomically(path, stream.Data());
}

bool tQelList::EmergencyCopy(const QString&) { return false; }
bool tQelList::ExportToTextFile(const QString&, QChar) { return false; }
QString tQelList::Statistics() { return {}; }
QString tQelGenericLIst::Statistics() { return {}; }
