#pragma once

#include <QByteArray>
#include <QString>

// The byte form of text at every file and stream boundary is Windows-1250.
// The five bytes the code page leaves undefined map to U+0081 and alike, so that
// any byte string survives a decode and encode unchanged.
namespace qel {

QString DecodeCp1250(const QByteArray& bytes);
QString DecodeCp1250(const char* data, qsizetype size);
QByteArray EncodeCp1250(const QString& text);  // characters outside the code page -> '?'
char EncodeCp1250Char(QChar c);

}  // namespace qel
