#pragma once

#include <QString>

#include <ostream>

// Lets GoogleTest show QString values as text in failure messages. The build
// puts it in front of every test file, so all of them share the one printer.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
