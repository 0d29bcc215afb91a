#pragma once

#include <QString>

// Document mark-up (and HTML) turned into plain text and cut to fit.

// Tags go, entities and blank runs are simplified; with keepBasicTags the tags
// <b> <i> <u> <hr> </b> </i> </u> stay.
QString MarkupToPlain(const QString& text, bool keepBasicTags);

// Deletes every stretch from `open` through the next `close` (case ignored);
// an open marker without its close leaves the rest alone.
QString RemoveBetween(const QString& open, const QString& close, const QString& text);

// "[*DATA]", "#DATA", "[*DATADŁUGA]", "[*f10]", "[*PATH]" ... replaced by today's
// date texts, font tags and the program file's path.
QString ExpandTemplateTokens(const QString& templateText);

// Plain text of at most about three lines of `width` characters.
QString WrapThreeLines(int width, const QString& markup);

// The text cut to maxLength with one line break at the last blank at or before
// breakAt ("<br>" and a closing "</b>" when markup).
QString BreakAtBlank(int maxLength, int breakAt, const QString& text, bool markup);
QString ShortBold(int maxLength, const QString& text);
