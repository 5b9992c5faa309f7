// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// A small reader of Rich Text Format for the help tab: paragraphs, alignment,
// bold, italic, underline, font size, the colour table, \par, \line, \tab,
// \'xx (Windows-1252) and \uN. Everything else (fonts, style sheets,
// pictures, document info) is skipped, so a file from any word processor
// still shows its text.
#include <QByteArray>
#include <QString>

class QTextDocument;

namespace Rtf {

// Replaces the document's content; false (document left empty) when the data
// does not start with "{\rtf".
bool Load(const QByteArray& data, QTextDocument* document);

// The same for a file; false when it cannot be read or is no RTF.
bool LoadFile(const QString& fileName, QTextDocument* document);

} // namespace Rtf
