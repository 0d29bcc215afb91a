#pragma once

#include <QDate>
#include <QDateTime>

namespace qel {

// The program's one source of "now". QEL_NOW (ISO form, e.g. 2002-12-21T15:30:00)
// fixes it, so tests, demonstrations and snapshots see the same day everywhere.
QDateTime Now();
QDate Today();

}  // namespace qel
