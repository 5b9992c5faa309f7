// SPDX-License-Identifier: GPL-2.0-or-later
#include "language/LanguageSettling.h"

#include "platform/IniFile.h"

namespace {

TLangType LangTypeFromNumber(int number)
{
    return number == LT_Dutch || number == LT_Spanish ? TLangType(number) : LT_Default;
}

} // namespace

void SettleLanguage(IniFile& settings, const std::function<TLangType()>& chooseLanguage)
{
    using namespace LanguageSettings;
    if (settings.ReadInteger(Section, Selected, 0) == 1) {
        // No record exists yet, so the first text asked for makes it in this language.
        CurrentLangType = LangTypeFromNumber(settings.ReadInteger(Section, LanguageID, 0));
    } else {
        // The language window itself is shown in English, the record's language until now.
        CurrentLangType = LangTypeFromNumber(chooseLanguage ? chooseLanguage() : LT_Default);
        ReloadLanguage(CurrentLangType);
        settings.BeginUpdate();
        settings.WriteInteger(Section, Selected, 1);
        settings.WriteInteger(Section, LanguageID, CurrentLangType);
        settings.EndUpdate();
    }
    if (settings.ReadInteger(Section, SaveToFile, 0) == 1)
        Language()->SetSaveToFile(true);
}
