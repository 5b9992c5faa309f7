#pragma once
// The record of every user-interface text, reached through Language().
#include <QString>
#include <QStringList>

#include <array>
#include <memory>

enum TLangType : unsigned char { LT_Default = 0, LT_Dutch = 1, LT_Spanish = 2 };

class TLanguageSelector {
public:
    TLanguageSelector();
    virtual ~TLanguageSelector();
    TLanguageSelector(const TLanguageSelector&) = delete;
    TLanguageSelector& operator=(const TLanguageSelector&) = delete;

    // Fills every section; the English fill first for the other languages.
    virtual void LoadTexts() = 0;

    bool SaveToFile = false;
    QString Title;
    QStringList Errors;

    std::array<QString, 3> SW;
    std::array<QString, 16> PW;
    std::array<QString, 3> PL;
    std::array<QString, 1> AM;
    std::array<QString, 8> SS;
    std::array<QString, 10> RS;
    std::array<QString, 10> SP;
    std::array<QString, 67> HG;
    std::array<QString, 12> PLF;
    std::array<QString, 10> DF;
    std::array<QString, 419> MF;
    std::array<QString, 17> TF;
    std::array<QString, 3> GI;
};

extern TLangType CurrentLangType;

std::unique_ptr<TLanguageSelector> CreateLanguage(int langType);
TLanguageSelector* EnsureLanguage(TLangType langType);
// The texts of the language in force; never free the result.
TLanguageSelector* Language();
TLanguageSelector* ReloadLanguage(TLangType langType);
// Frees the record at program end (writing translator files when that mode is on).
void ShutdownLanguage();
