#include "language/LanguageFills.h"

TLanguageEnglish::TLanguageEnglish() = default;

void TLanguageEnglish::LoadTexts()
{

}
