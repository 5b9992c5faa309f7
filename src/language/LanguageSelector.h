// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The record of every user-interface text, reached through Language().
#include <QLatin1String>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>
#include <span>

// Stored as 0, 1, 2 in the settings file.
enum TLangType : unsigned char { LT_Default = 0, LT_Dutch = 1, LT_Spanish = 2 };

// The word of each language in the translator file names, indexed by TLangType.
inline constexpr std::array<QLatin1String, 3> LangTypeNames {
    QLatin1String("english"),
    QLatin1String("dutch"),
    QLatin1String("spanish"),
};

// One section of the record by name, for the code that walks all of them.
struct TLanguageSection {
    QLatin1String Name;
    std::span<QString> Texts;
};

struct TConstLanguageSection {
    QLatin1String Name;
    std::span<const QString> Texts;
};

class TLanguageSelector {
public:
    static constexpr int SectionCount = 13;
    static constexpr int TextCount = 579;

    TLanguageSelector();
    // Writes the translator files when translator mode is on.
    virtual ~TLanguageSelector();
    TLanguageSelector(const TLanguageSelector&) = delete;
    TLanguageSelector& operator=(const TLanguageSelector&) = delete;

    // Fills every section; the Dutch and Spanish fills run the English fill first.
    virtual void LoadTexts() = 0;

    // Translator mode. Switching it on reads the language file (when there is
    // one) and checks the texts; the mode is kept only when the check could
    // save its error list. Returns false when it could not.
    bool SetSaveToFile(bool value);

    // Lists every empty text in Errors; when there is one, shows a message and
    // saves the list as "errors_language.txt". False when that file could not
    // be written.
    bool CheckTexts();
    void CheckSection(std::span<const QString> texts, QLatin1String name);

    // Translator files, in the settings folder, named after CurrentLangType.
    // The language file is written in Windows-1252 and read in it or UTF-8.
    static QString LanguageFileName();
    static QString StatisticsFileName();
    static QString ErrorsFileName();
    void ReadLanguageFile();
    // Sets texts from the section's entry lines ("key=value", in file order).
    static void ReadSection(std::span<QString> texts, const QStringList& lines);
    // False when the file could not be written; nothing is thrown.
    bool WriteLanguageFile() const;
    static void WriteSection(std::span<const QString> texts, QString& out, QLatin1String name);
    bool WriteStatistics() const;
    // The number of words in the texts; adds each word to allWords, which stays
    // sorted and holds every word once whatever its letter case.
    static int CountWords(std::span<const QString> texts, QStringList& allWords);

    // The 13 sections in record order: the order of the check, the translator
    // files and the word statistics.
    std::array<TLanguageSection, SectionCount> Sections();
    std::array<TConstLanguageSection, SectionCount> Sections() const;

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

// A new, filled and checked record that the caller owns: Dutch for LT_Dutch,
// Spanish for LT_Spanish, English for any other value.
std::unique_ptr<TLanguageSelector> CreateLanguage(int langType);
// The one record; made for langType only when none exists yet.
TLanguageSelector* EnsureLanguage(TLangType langType);
// The texts of the language in force; never free the result.
TLanguageSelector* Language();
// Frees the record and makes a new one for langType.
TLanguageSelector* ReloadLanguage(TLangType langType);
// Frees the record at program end (writing translator files when that mode is on).
void ShutdownLanguage();

// The record shows no windows: its plain messages go to this handler, which the
// program installs. An empty handler restores the default (a warning on stderr).
void SetLanguageMessageHandler(std::function<void(const QString&)> handler);
