// SPDX-License-Identifier: GPL-2.0-or-later
#include "LanguageSandbox.h"

#include "language/LanguageFills.h"
#include "language/LanguageSettling.h"
#include "platform/IniFile.h"

#include <typeinfo>

namespace {

class LanguageSettling : public LanguageSandbox {
protected:
    QString SettingsFile() const { return FilePath(QStringLiteral("tavrimolex.Ini")); }

    // Settles with a language window that answers `choice` and counts its showings.
    void Settle(TLangType choice)
    {
        IniFile settings(SettingsFile());
        SettleLanguage(settings, [&] {
            ++windowShown;
            // The window itself reads its texts from an English record.
            languageOfWindow = &typeid(*Language());
            return choice;
        });
    }

    int ReadSetting(const QString& key) const
    {
        return IniFile(SettingsFile()).ReadInteger(LanguageSettings::Section, key, -100);
    }

    void Store(const QString& key, const QString& value) const
    {
        IniFile(SettingsFile()).WriteString(LanguageSettings::Section, key, value);
    }

    int windowShown = 0;
    const std::type_info* languageOfWindow = nullptr;
};

} // namespace

TEST_F(LanguageSettling, FirstStartAsksAndStoresTheChoice)
{
    Settle(LT_Dutch);
    EXPECT_EQ(windowShown, 1);
    EXPECT_EQ(*languageOfWindow, typeid(TLanguageEnglish));
    EXPECT_EQ(CurrentLangType, LT_Dutch);
    EXPECT_EQ(typeid(*Language()), typeid(TLanguageDutch));
    EXPECT_EQ(ReadSetting(QStringLiteral("Selected")), 1);
    EXPECT_EQ(ReadSetting(QStringLiteral("LanguageID")), 1);
    EXPECT_FALSE(Language()->SaveToFile);

    // The next start takes the stored choice without asking.
    ShutdownLanguage();
    CurrentLangType = LT_Default;
    Settle(LT_Spanish);
    EXPECT_EQ(windowShown, 1);
    EXPECT_EQ(typeid(*Language()), typeid(TLanguageDutch));
}

TEST_F(LanguageSettling, ASelectedFlagOtherThanOneAsksAgain)
{
    for (const char* selected : { "0", "2", "yes" }) {
        ShutdownLanguage();
        CurrentLangType = LT_Default;
        Store(QStringLiteral("Selected"), QString::fromLatin1(selected));
        Store(QStringLiteral("LanguageID"), QStringLiteral("1"));
        windowShown = 0;
        Settle(LT_Spanish);
        EXPECT_EQ(windowShown, 1) << selected;
        EXPECT_EQ(CurrentLangType, LT_Spanish);
        EXPECT_EQ(typeid(*Language()), typeid(TLanguageSpanish));
        EXPECT_EQ(ReadSetting(QStringLiteral("Selected")), 1);
        EXPECT_EQ(ReadSetting(QStringLiteral("LanguageID")), 2);
    }
}

TEST_F(LanguageSettling, AStoredChoiceIsTakenWithoutAsking)
{
    const std::vector<std::pair<QString, TLangType>> cases {
        { QStringLiteral("2"), LT_Spanish },
        { QStringLiteral("1"), LT_Dutch },
        { QStringLiteral("0"), LT_Default },
        { QStringLiteral("7"), LT_Default },
        { QStringLiteral("-1"), LT_Default },
        { QStringLiteral("x"), LT_Default },
    };
    for (const auto& [id, expected] : cases) {
        ShutdownLanguage();
        CurrentLangType = LT_Dutch;
        Store(QStringLiteral("Selected"), QStringLiteral("1"));
        Store(QStringLiteral("LanguageID"), id);
        Settle(LT_Dutch);
        EXPECT_EQ(windowShown, 0) << qPrintable(id);
        EXPECT_EQ(CurrentLangType, expected) << qPrintable(id);
        EXPECT_EQ(Language()->MF[53], CreateLanguage(expected)->MF[53]) << qPrintable(id);
        // The stored number is left as it was.
        EXPECT_EQ(
            IniFile(SettingsFile()).ReadString(LanguageSettings::Section, QStringLiteral("LanguageID"), {}),
            id);
    }
}

TEST_F(LanguageSettling, TranslatorModeIsSwitchedOnFromTheSettings)
{
    Store(QStringLiteral("Selected"), QStringLiteral("1"));
    Store(QStringLiteral("LanguageID"), QStringLiteral("2"));
    Store(QStringLiteral("SaveToFile"), QStringLiteral("1"));
    WriteFile(QStringLiteral("language-spanish.ini"), "[General]\r\nTitle=Tavrimolex ES\r\n");
    Settle(LT_Default);
    EXPECT_TRUE(Language()->SaveToFile);
    EXPECT_EQ(Language()->Title, QStringLiteral("Tavrimolex ES"));
    // The program never writes the key itself.
    EXPECT_EQ(ReadSetting(QStringLiteral("SaveToFile")), 1);
    ShutdownLanguage();
    EXPECT_TRUE(QFile::exists(FilePath(QStringLiteral("statistics-spanish.txt"))));
}

TEST_F(LanguageSettling, TranslatorModeNeedsExactlyOne)
{
    Store(QStringLiteral("Selected"), QStringLiteral("1"));
    Store(QStringLiteral("SaveToFile"), QStringLiteral("2"));
    Settle(LT_Default);
    EXPECT_FALSE(Language()->SaveToFile);
}
