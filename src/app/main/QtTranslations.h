// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// Qt's own texts (the buttons of message boxes, the file and colour dialogs)
// in the desktop's language, as the desktop's own dialogs would be. The
// program's texts never come from here: they are the language record's.
#include <QLocale>

class QTranslator;

// Loads Qt's translation for locale into the application; null when none is
// installed for it (the texts then stay English). The application owns it.
QTranslator* InstallQtTranslations(const QLocale& locale = QLocale::system());
