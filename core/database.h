#pragma once

#include "core/qel_object.h"

#include <QByteArray>
#include <QString>

namespace qel {

// Offers to clear the attributes that keep a file from being written; true when
// the file can be written (or does not exist).
bool RepairFileAttributes(const QString& path);

// Removes a list being destroyed from the registries of open databases.
void ForgetDatabase(const tQelList* list);

}  // namespace qel
