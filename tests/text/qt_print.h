#pragma once

#include <QString>

#include <ostream>

// Lets GoogleTest show QString values as text in failure messages. Every test
// file of a program includes it, so that all of them share the one printer.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
