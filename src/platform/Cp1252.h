#pragma once
// Windows-1252, the code page of album files from other writers and of the
// exported web pages.
#include <QByteArray>
#include <QString>

namespace Cp1252 {

// The character of one byte (0x81, 0x8D, 0x8F, 0x90 and 0x9D map to the C1 control of the same code).
QChar ToUnicode(unsigned char byte);

QString Decode(const QByteArray& bytes);

// The byte of a character, or -1 when the code page lacks it.
int FromUnicode(QChar c);

bool CanEncode(QChar c);

// Characters the code page lacks become '?'.
QByteArray Encode(const QString& text);

} // namespace Cp1252
