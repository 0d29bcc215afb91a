#pragma once

#include "text/money.h"

#include <QString>

// Polish amounts in words for the "słownie" lines of documents.

// «dwadzieścia jeden», «jeden tysiąc dwieście trzydzieści cztery», «dwa tysiące »
// (a group noun keeps its blank when nothing follows); beyond ±999 999 999 the
// fixed «### za dużo! ;) ###».
QString IntToWords(int n);

// The noun form after count: singular for exactly 1; the 2-4 form when the last
// digit is 2, 3 or 4 and the last two digits are not 12, 13 or 14; else the
// genitive plural.
QString PluralNoun(int count, const QString& singular, const QString& few, const QString& many);

// format applied to (count, noun form), e.g. "%d %s"; «--- błąd ---» on a bad format.
QString FormatCount(const QString& format, int count, const QString& singular, const QString& few,
                    const QString& many);
// format applied to (IntToWords(count), noun form), e.g. "%s %s ".
QString FormatCountInWords(const QString& format, int count, const QString& singular, const QString& few,
                           const QString& many);

// «jeden tysiąc dwieście trzydzieści cztery 56/100», «minus pięć 00/100»; the sign
// is the rounded amount's; above 999 999 999,99 zł «### za dużo! ;) ###».
QString AmountInWords(Money amount);
