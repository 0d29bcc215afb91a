#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace qel {

// The text form of a database file for support: the column names of the first
// item, then one line a item (TAB-separated, each kept on one line). Returns the
// reading error, empty when the whole file was read; the lines hold what was
// read before it.
QString DumpDatabase(const QByteArray& fileBytes, QStringList& lines);

}  // namespace qel
