// SPDX-License-Identifier: GPL-2.0-or-later
#include "LanguageSandbox.h"

#include "language/LanguageFills.h"

#include <typeinfo>

namespace {

const QString CR = QStringLiteral("\r");

int TotalTexts(const TLanguageSelector& record)
{
    int total = 0;
    for (const TConstLanguageSection& section : record.Sections())
        total += int(section.Texts.size());
    return total;
}

} // namespace

using LanguageRecord = LanguageSandbox;

TEST_F(LanguageRecord, ThirteenSectionsInOrderWith579Texts)
{
    const auto record = CreateLanguage(LT_Default);
    const QStringList expectedNames { "SW", "PW", "PL", "AM", "SS", "RS", "SP", "HG", "PLF", "DF", "MF", "TF",
        "GI" };
    const std::vector<std::size_t> expectedSizes { 3, 16, 3, 1, 8, 10, 10, 67, 12, 10, 419, 17, 3 };
    const auto sections = std::as_const(*record).Sections();
    ASSERT_EQ(sections.size(), 13u);
    for (std::size_t i = 0; i < sections.size(); ++i) {
        EXPECT_EQ(QString(sections[i].Name), expectedNames[qsizetype(i)]);
        EXPECT_EQ(sections[i].Texts.size(), expectedSizes[i]) << sections[i].Name.data();
    }
    EXPECT_EQ(TotalTexts(*record), 579);
    EXPECT_EQ(TotalTexts(*record), TLanguageSelector::TextCount);
}

TEST_F(LanguageRecord, EveryLanguageFillsEveryTextAndKeepsTheTitle)
{
    for (int type : { int(LT_Default), int(LT_Dutch), int(LT_Spanish) }) {
        const auto record = CreateLanguage(type);
        EXPECT_EQ(record->Title, QStringLiteral("Tavrimolex 2005"));
        EXPECT_TRUE(record->Errors.isEmpty()) << type << ": " << qPrintable(record->Errors.join(u", "));
        EXPECT_FALSE(record->SaveToFile);
    }
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(LanguageRecord, EnglishTextsAtTheEdges)
{
    const auto en = CreateLanguage(LT_Default);
    EXPECT_EQ(en->SW[0], QStringLiteral("Number to go:"));
    EXPECT_EQ(en->AM[0], QStringLiteral("Checking:"));
    EXPECT_EQ(en->GI[2], QStringLiteral("File missing"));
    EXPECT_EQ(en->HG[66], QStringLiteral("Random"));
    EXPECT_EQ(en->TF[16], QStringLiteral("Show &info"));
    EXPECT_EQ(en->MF[0], QStringLiteral("Enter a name for the album."));
    EXPECT_EQ(en->MF[418], QStringLiteral("Start slideshow immediately upon viewing the html pages."));
    EXPECT_EQ(en->MF[101], QStringLiteral("help.rtf"));
    EXPECT_EQ(en->DF[4], QStringLiteral("Drive:"));
    EXPECT_EQ(en->DF[6], QStringLiteral("&New"));
    EXPECT_EQ(en->DF[8], QStringLiteral("&Ok"));
    // The system's own spelling stays.
    EXPECT_EQ(en->MF[45].left(18), QStringLiteral("%s is't available."));
    EXPECT_EQ(en->DF[2], QStringLiteral("Cannot create subolder %s."));
    EXPECT_EQ(en->HG[5], QStringLiteral("An error ocurred while creating thumbnails and copying photos."));
    EXPECT_EQ(en->MF[240], QStringLiteral("Selected photos from album && &disk"));
    EXPECT_EQ(en->MF[339], QStringLiteral("Quality in %:"));
    // Twin entries stay separate entries with the same text.
    EXPECT_EQ(en->SP[2], en->SP[6]);
    EXPECT_EQ(en->SP[3], en->SP[7]);
    EXPECT_EQ(en->SS[0], en->SS[7]);
}

TEST_F(LanguageRecord, EnglishQuestionsOnLabelsInUseAreTheLaterTexts)
{
    const auto en = CreateLanguage(LT_Default);
    EXPECT_EQ(en->MF[65],
        QStringLiteral("This object is used by one or more photos. Remove it anyway?") + CR + CR
            + QStringLiteral("Click NO to see a list of photos involved."));
    EXPECT_EQ(en->MF[73],
        QStringLiteral("This event is being used by one or more photos. Remove it anyway?") + CR + CR
            + QStringLiteral("Click NO to see a list of photos involved."));
}

TEST_F(LanguageRecord, ExactlyFiveEnglishTextsHoldAParagraphBreak)
{
    auto en = CreateLanguage(LT_Default);
    QStringList withCr;
    for (const TLanguageSection& section : en->Sections())
        for (std::size_t i = 0; i < section.Texts.size(); ++i)
            if (section.Texts[i].contains(u'\r')) {
                withCr << QString(section.Name) + u'[' + QString::number(i) + u']';
                EXPECT_EQ(section.Texts[i].count(u'\r'), 2);
                EXPECT_TRUE(section.Texts[i].contains(CR + CR));
            }
    EXPECT_EQ(withCr, QStringList({ "PLF[0]", "MF[11]", "MF[45]", "MF[65]", "MF[73]" }));
    EXPECT_EQ(en->PLF[0],
        QStringLiteral("The name of the new album is the same as the name of the current album.") + CR + CR
            + QStringLiteral("Please type a different name or select a different directory."));
}

TEST_F(LanguageRecord, ExactlySixEnglishTextsHaveEdgeBlanks)
{
    auto en = CreateLanguage(LT_Default);
    QStringList withBlanks;
    for (const TLanguageSection& section : en->Sections())
        for (std::size_t i = 0; i < section.Texts.size(); ++i)
            if (section.Texts[i] != section.Texts[i].trimmed())
                withBlanks << QString(section.Name) + u'[' + QString::number(i) + u']';
    EXPECT_EQ(withBlanks, QStringList({ "MF[11]", "MF[16]", "MF[95]", "MF[254]", "MF[256]", "MF[316]" }));
    EXPECT_EQ(en->MF[254], QStringLiteral(" Actions on thumbnails "));
    EXPECT_EQ(en->MF[256], QStringLiteral("&Show "));
    EXPECT_TRUE(en->MF[11].startsWith(QStringLiteral(" %s cannot be opened.")));
}

TEST_F(LanguageRecord, NoEnglishTextIsLongerThan186Characters)
{
    auto en = CreateLanguage(LT_Default);
    qsizetype longest = 0;
    for (const TLanguageSection& section : en->Sections())
        for (const QString& text : section.Texts)
            longest = std::max(longest, text.size());
    EXPECT_EQ(longest, 186);
    EXPECT_EQ(en->MF[320].size(), 186);
}

TEST_F(LanguageRecord, ConfirmationsEndWithTheRecordsOwnQuestion)
{
    const auto en = CreateLanguage(LT_Default);
    EXPECT_EQ(en->MF[395], QStringLiteral("Confirmation.Are you sure?"));
    EXPECT_EQ(en->MF[396], QStringLiteral("All photos may be used in html albums. Are you sure?"));
    EXPECT_EQ(en->MF[397], QStringLiteral("Not one photo will be used in html albums. Are you sure?"));
    EXPECT_EQ(en->MF[398], QStringLiteral("HTML settings will be inverted. Are you sure?"));
}

TEST_F(LanguageRecord, DutchTextsThatAreFixed)
{
    const auto nl = CreateLanguage(LT_Dutch);
    EXPECT_EQ(nl->DF[8], QStringLiteral("&Ok"));
    EXPECT_EQ(nl->PLF[0],
        QStringLiteral("De naam van het nieuwe album is hetzelfde als het huidige album.") + CR + CR
            + QStringLiteral("Voer a.u.b. een andere naam in of selecteer een andere map."));
    EXPECT_EQ(nl->GI[0],
        QStringLiteral("Het bestand %s is niet aanwezig. Het moet in dezelfde folder staan als Tavrimolex."));
    EXPECT_EQ(nl->MF[47], QStringLiteral("foto niet in album"));
    EXPECT_EQ(nl->MF[53], QStringLiteral("Weet u dit zeker?"));
    EXPECT_EQ(nl->MF[101], QStringLiteral("help_dutch.rtf"));
    EXPECT_EQ(nl->MF[104],
        QStringLiteral(
            "Om de taal daadwerkelijk te veranderen, moet u Tavrimolex afsluiten en daarna opnieuw "
            "opstarten."));
    EXPECT_EQ(
        nl->MF[105], QStringLiteral("De taal is niet veranderd. Nederlands blijft de taal van Tavrimolex."));
    // The Dutch confirmation is a plain text; the other three end with the Dutch question.
    EXPECT_EQ(nl->MF[395], QStringLiteral("Bevestiging."));
    EXPECT_EQ(
        nl->MF[396], QStringLiteral("Alle foto's mogen in html albums gebruikt worden. Weet u dit zeker?"));
    EXPECT_EQ(nl->MF[397], QStringLiteral("Geen enkele foto in html albums gebruiken. Weet u dit zeker?"));
    EXPECT_EQ(
        nl->MF[398], QStringLiteral("HTML gebruik wordt voor iedere foto omgedraaid. Weet u dit zeker?"));
}

TEST_F(LanguageRecord, SpanishTextsThatAreFixed)
{
    const auto es = CreateLanguage(LT_Spanish);
    // Two entries stay English in the Spanish record.
    EXPECT_EQ(es->DF[8], QStringLiteral("&Ok"));
    EXPECT_EQ(es->MF[47], QStringLiteral("photo not in album"));
    EXPECT_EQ(es->PLF[0],
        QStringLiteral("El nombre del álbum nuevo es igual que el nombre del álbum actual.") + CR + CR
            + QStringLiteral("Introduzca por favor un nombre diferente o seleccione otro directorio."));
    EXPECT_EQ(es->GI[0],
        QStringLiteral("El archivo %s no se encuentra. Debe estar en el mismo directorio que Tavrimolex."));
    EXPECT_EQ(es->MF[53], QStringLiteral("Esta seguro?"));
    EXPECT_EQ(es->MF[101], QStringLiteral("help.rtf"));
    EXPECT_EQ(
        es->MF[104], QStringLiteral("Para poder cambiar de lenguaje, debe cerrar y reiniciar Tavrimolex."));
    // Shown when the user kept Spanish: it must not claim that the language changed.
    EXPECT_EQ(es->MF[105],
        QStringLiteral("El idioma no ha sido cambiado. El español sigue siendo el idioma de Tavrimolex."));
    EXPECT_EQ(es->MF[395], QStringLiteral("Confirmacion.Esta seguro?"));
    EXPECT_EQ(
        es->MF[396], QStringLiteral("Todas las fotos pueden ser utilizadas en albums HTML. Esta seguro?"));
    EXPECT_EQ(
        es->MF[397], QStringLiteral("No hay fotos para poder utilizarlas en albums HTML. Esta seguro?"));
    EXPECT_EQ(es->MF[398], QStringLiteral("Los ajustes HTML seran invertidos. Esta seguro?"));
}

TEST_F(LanguageRecord, CreateLanguageGivesEnglishForUnknownNumbers)
{
    for (int type : { -1, 0, 3, 7, 255 }) {
        const auto record = CreateLanguage(type);
        EXPECT_EQ(typeid(*record), typeid(TLanguageEnglish)) << type;
        EXPECT_EQ(record->MF[53], QStringLiteral("Are you sure?"));
    }
    EXPECT_EQ(typeid(*CreateLanguage(LT_Dutch)), typeid(TLanguageDutch));
    EXPECT_EQ(typeid(*CreateLanguage(LT_Spanish)), typeid(TLanguageSpanish));
}

TEST_F(LanguageRecord, CreatedRecordsAreIndependentOfTheGlobalOne)
{
    TLanguageSelector* global = Language();
    const auto temporary = CreateLanguage(LT_Default);
    EXPECT_NE(temporary.get(), global);
    temporary->MF[53] = QStringLiteral("changed");
    EXPECT_EQ(Language()->MF[53], QStringLiteral("Are you sure?"));
}

TEST_F(LanguageRecord, LanguageIsMadeOnceForTheLanguageInForce)
{
    CurrentLangType = LT_Spanish;
    TLanguageSelector* first = Language();
    EXPECT_EQ(typeid(*first), typeid(TLanguageSpanish));
    // Once made, the record stays, whatever language is asked for later.
    CurrentLangType = LT_Dutch;
    EXPECT_EQ(Language(), first);
    EXPECT_EQ(EnsureLanguage(LT_Default), first);
}

TEST_F(LanguageRecord, ReloadLanguageAlwaysMakesANewRecord)
{
    TLanguageSelector* first = Language();
    first->MF[53] = QStringLiteral("changed");
    first->Errors << QStringLiteral("old");
    TLanguageSelector* second = ReloadLanguage(LT_Default);
    EXPECT_EQ(second, Language());
    EXPECT_EQ(second->MF[53], QStringLiteral("Are you sure?"));
    EXPECT_TRUE(second->Errors.isEmpty());
    EXPECT_EQ(typeid(*ReloadLanguage(LT_Dutch)), typeid(TLanguageDutch));
    // The language in force is not changed by a reload.
    EXPECT_EQ(CurrentLangType, LT_Default);
}

TEST_F(LanguageRecord, LanguageWordsOfTheFileNames)
{
    EXPECT_EQ(QString(LangTypeNames[LT_Default]), QStringLiteral("english"));
    EXPECT_EQ(QString(LangTypeNames[LT_Dutch]), QStringLiteral("dutch"));
    EXPECT_EQ(QString(LangTypeNames[LT_Spanish]), QStringLiteral("spanish"));
}
