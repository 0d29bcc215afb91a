#pragma once

#include <QString>

// Check-digit tests of Polish identifiers. Everything but the digits 0-9 is
// ignored, so "PL 526-000-12-46" and "5260001246" are judged alike; digits
// beyond the required count are ignored.

// NIP: 10 digits; a weighted sum leaving 10 mod 11 is never issued and fails.
bool IsValidNip(const QString& text);
// REGON: 9 digits, or with 14 digits also the 14-digit check on top.
bool IsValidRegon(const QString& text);
// PESEL: 11 digits.
bool IsValidPesel(const QString& text);
