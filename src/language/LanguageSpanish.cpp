#include "language/LanguageFills.h"

TLanguageSpanish::TLanguageSpanish() = default;

void TLanguageSpanish::LoadTexts()
{
    TLanguageEnglish::LoadTexts();
}
