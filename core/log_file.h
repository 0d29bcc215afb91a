#pragma once

#include <QString>

namespace qel {

// Appends one event to a plain-text log: "dd-mm-yyyy hh:mm:ss - text" and CR LF,
// in Windows-1250; line breaks inside the text become blanks, so an event stays
// on one line. False when the file cannot be written.
bool AppendLogLine(const QString& path, const QString& text);

}  // namespace qel
