#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>
#include <QStringList>

// The text operations of the program. Case is ignored the Polish way (each
// character upper-cased on its own, so positions never shift); positions are
// 1-based and 0 means "absent", as in the rest of the program.

// Replaces find by replacement, case ignored; a replacement that itself
// contains find (case ignored) is made once only ("ii" -> "II" upper-cases the
// first "ii" and no other).
QString ReplaceAllNoCase(const QString& find, const QString& replacement, const QString& text);

int PosNoCase(const QString& part, const QString& text);
bool ContainsNoCase(const QString& part, const QString& text);
bool StartsWithNoCase(const QString& part, const QString& text);
bool EndsWithNoCase(const QString& part, const QString& text);
bool SameTextNoCase(const QString& a, const QString& b);

// 0-based index of the first entry starting with / containing part, case
// ignored; -1 when none.
int IndexStartingWith(const QStringList& list, const QString& part);
int IndexContaining(const QStringList& list, const QString& part);

// The characters between the first "<z>" and the first "</z>", case ignored.
QString TagContent(const QString& text);

QString TrimChar(const QString& text, QChar c);

// At most m characters, cut back to a blank (but not below m div 2) and ended
// with "…"; texts not longer than m and m <= 0 leave the text as it is.
QString Shorten(int maxLength, const QString& text);

int CountChar(QChar c, const QString& text);

// The n-th (1-based) field between separators; empty when there is none.
QString NthField(const QString& separator, int n, const QString& text);
// Fields separated by "=" or ";": «a=b;c» has the fields «a», «b», «c».
QString NthEntryField(int n, const QString& text);

// A CSV field: line ends to a blank, quotes doubled, the whole quoted.
QString CsvQuote(const QString& text);

QString DigitsOnly(const QString& text);
QString LettersOnly(const QString& text);
// Letters, digits, blank, "-", "." and "_".
QString SafeNameText(const QString& text);
// Line ends become "<br>", other control characters a blank.
QString OneLineText(const QString& text);

// Adds c on the left or on the right until the text has at least `length` characters.
QString PadWith(QChar c, bool onTheLeft, int length, const QString& text);

// Names and addresses as typed by users: «ul. jana pawła ii» -> «ul. Jana Pawła II».
// Roman numerals are upper-cased as whole words only («Armii» stays as it is).
QString ProperCase(const QString& text);

// A byte buffer (Windows-1250) of which `length` bytes count: NUL bytes become
// line ends, and so does every lone CR.
QString BufferToText(const QByteArray& buffer, qsizetype length);

// Puts the text on the system clipboard; false when there is no clipboard.
bool CopyToClipboard(const QString& text);
