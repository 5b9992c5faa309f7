// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// Escaping of text the user typed (titles, names, descriptions, labels, file
// names) for the place in a page it goes to. Text without the characters a
// context treats specially comes back unchanged, so such text is written
// exactly as the page templates give it.
#include <QString>

namespace Html {

// Element content: "&", "<" and ">" become entities.
QString Text(const QString& text);

// The value of an attribute in double quotes: also '"'.
QString AttrDq(const QString& text);

// The value of an attribute in single quotes: also "'".
QString AttrSq(const QString& text);

// A relative or absolute address built from a file path: characters that
// would change what the address means or end the attribute ("%", "#", "?",
// quotes, "<", ">", "`" and control characters) are percent-encoded as UTF-8.
// Blanks, "/" and other characters stay (browsers encode them when they follow
// the link). Put the result through AttrDq or AttrSq.
QString Url(const QString& text);

// The inside of a JavaScript string literal in either quote: backslashes,
// quotes and line breaks are escaped, and "<" and ">" as \x3C and \x3E so that
// the text can never close an inline script.
QString JsString(const QString& text);

} // namespace Html
