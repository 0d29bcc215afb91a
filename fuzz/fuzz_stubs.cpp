// The reader under test never touches files, dialogs or progress notes; these
// stand-ins keep the fuzz program free of the file layer, the settings store and
// the windows. Each one aborts, so a path that does reach them shows at once.

#include "core/database.h"
#include "core/interaction.h"
#include "core/progress_note.h"
#include "platform/atomic_file.h"

#include <cstdlib>

namespace qel {
void ForgetDatabase(const tQelList*) {}
bool RepairFileAttributes(const QString&) { std::abort(); }
bool WriteFileAtomically(const QString&, const QByteArray&, QString*) { std::abort(); }
Reply Ask(const Prompt&) { std::abort(); }
void ShowProgressNote(const QString&) { std::abort(); }
void EndProgressNote() { std::abort(); }
}  // namespace qel

bool tQelList::LoadFromFile(const QString&, bool) { std::abort(); }
bool tQelList::SaveToFile(const QString&, bool) { std::abort(); }
bool tQelList::EmergencyCopy(const QString&) { std::abort(); }
bool tQelList::ExportToTextFile(const QString&, QChar) { std::abort(); }
QString tQelList::Statistics() { std::abort(); }
QString tQelGenericLIst::Statistics() { std::abort(); }
