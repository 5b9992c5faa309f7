#include "language/LanguageFills.h"

TLanguageDutch::TLanguageDutch() = default;

void TLanguageDutch::LoadTexts()
{
    TLanguageEnglish::LoadTexts();
}
