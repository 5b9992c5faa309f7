#include "language/LanguageSelector.h"

// Placeholder until the language fills land: every text empty.
namespace {

class TLanguageEmpty : public TLanguageSelector {
public:
    void LoadTexts() override { }
};

std::unique_ptr<TLanguageSelector> g_language;

} // namespace

TLangType CurrentLangType = LT_Default;

TLanguageSelector::TLanguageSelector()
    : Title(QStringLiteral("Tavrimolex 2005"))
{
}

TLanguageSelector::~TLanguageSelector() = default;

std::unique_ptr<TLanguageSelector> CreateLanguage(int)
{
    auto l = std::make_unique<TLanguageEmpty>();
    l->LoadTexts();
    return l;
}

TLanguageSelector* EnsureLanguage(TLangType langType)
{
    if (!g_language)
        g_language = CreateLanguage(langType);
    return g_language.get();
}

TLanguageSelector* Language()
{
    return EnsureLanguage(CurrentLangType);
}

TLanguageSelector* ReloadLanguage(TLangType langType)
{
    g_language.reset();
    return EnsureLanguage(langType);
}

void ShutdownLanguage()
{
    g_language.reset();
}
