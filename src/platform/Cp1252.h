// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// Windows-1252, the code page of album files from other writers and of the
// exported web pages.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace Cp1252 {

// The character of one byte (0x81, 0x8D, 0x8F, 0x90 and 0x9D map to the C1 control of the same code).
QChar ToUnicode(unsigned char byte);

QString Decode(QByteArrayView bytes);

// The byte of a character, or -1 when the code page lacks it.
int FromUnicode(QChar c);

bool CanEncode(QChar c);

// Characters the code page lacks become '?'.
QByteArray Encode(const QString& text);

// True when every character of text has a byte in the code page.
bool CanEncode(const QString& text);

// Text files written by the original program are in this code page, ours
// may be UTF-8: bytes that are valid UTF-8 (a byte-order mark skipped) read
// as UTF-8, anything else as Windows-1252. Accented Windows-1252 text is
// practically never valid UTF-8, and plain ASCII reads the same either way.
QString DecodeUtf8OrCp1252(const QByteArray& bytes);

} // namespace Cp1252
