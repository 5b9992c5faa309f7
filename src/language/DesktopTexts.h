#pragma once
// What the desktop's menus and file managers say of the program in each
// language: its name, the kind of program and a line about it. The name and
// the line come from the language record; the record has no word for the kind.
#include "language/LanguageSelector.h"

#include <QString>

struct TDesktopTexts {
    QString Name;
    QString GenericName;
    QString Comment;
};

TDesktopTexts DesktopTexts(TLangType type);
