// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// Settles the language of the session from the settings file, once, while the
// main window is created and before anything asks for a text.
#include "language/LanguageSelector.h"

#include <QString>

#include <functional>

class IniFile;

namespace LanguageSettings {

// Section and keys in the settings file; "Languange" is spelled so in every
// settings file written so far.
inline const QString Section = QStringLiteral("Languange");
inline const QString Selected = QStringLiteral("Selected");
inline const QString LanguageID = QStringLiteral("LanguageID");
inline const QString SaveToFile = QStringLiteral("SaveToFile");

} // namespace LanguageSettings

// When a language was chosen before, takes it (an unknown number means
// English). Otherwise calls chooseLanguage, which shows the language window and
// returns the choice, makes the record anew in that language and stores the
// choice. Then switches translator mode on when the settings ask for it.
void SettleLanguage(IniFile& settings, const std::function<TLangType()>& chooseLanguage);
