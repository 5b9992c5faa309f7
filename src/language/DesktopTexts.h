// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// What the desktop's menus and file managers say of the program in each
// language: its name, the kind of program, a line about it and the words a
// menu search finds it by. The name and the line come from the language
// record; the record has no word for the kind, nor a list of search words.
#include "language/LanguageSelector.h"

#include <QString>

struct TDesktopTexts {
    QString Name;
    QString GenericName;
    QString Comment;
    // Separated and ended by ";", as the desktop entry lists them.
    QString Keywords;
};

TDesktopTexts DesktopTexts(TLangType type);
