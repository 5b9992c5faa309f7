// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
#include "language/LanguageSelector.h"

class TLanguageEnglish : public TLanguageSelector {
public:
    TLanguageEnglish();
    void LoadTexts() override;
};

// The Dutch and Spanish fills take the whole English fill first, then overwrite it.
class TLanguageDutch : public TLanguageEnglish {
public:
    TLanguageDutch();
    void LoadTexts() override;
};

class TLanguageSpanish : public TLanguageEnglish {
public:
    TLanguageSpanish();
    void LoadTexts() override;
};
