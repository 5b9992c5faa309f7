// SPDX-License-Identifier: GPL-2.0-or-later
#include "LanguageSandbox.h"

#include <QDir>

namespace {

const QString CR = QStringLiteral("\r");

QStringList LinesOf(const QByteArray& bytes)
{
    QStringList lines = QString::fromUtf8(bytes).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// Every entry as "SECTION[i]=text", to compare whole records at once.
QStringList Dump(const TLanguageSelector& record)
{
    QStringList out { QStringLiteral("Title=") + record.Title };
    for (const TConstLanguageSection& section : record.Sections())
        for (std::size_t i = 0; i < section.Texts.size(); ++i)
            out << QString(section.Name) + u'[' + QString::number(i) + QStringLiteral("]=")
                    + section.Texts[i];
    return out;
}

void Blank(TLanguageSelector& record)
{
    record.Title = QStringLiteral("none");
    for (const TLanguageSection& section : record.Sections())
        for (QString& text : section.Texts)
            text = QStringLiteral("x");
}

} // namespace

using TranslatorFiles = LanguageSandbox;

TEST_F(TranslatorFiles, OffModeNeverTouchesAFile)
{
    ReloadLanguage(LT_Dutch);
    ShutdownLanguage();
    CreateLanguage(LT_Spanish).reset();
    EXPECT_TRUE(QDir(Folder()).entryList(QDir::Files).isEmpty());
}

TEST_F(TranslatorFiles, FirstRunWritesTheBuiltInTextsAtExit)
{
    TLanguageSelector* record = Language();
    EXPECT_TRUE(record->SetSaveToFile(true));
    EXPECT_TRUE(record->SaveToFile);
    EXPECT_TRUE(record->Errors.isEmpty());
    EXPECT_TRUE(messages.isEmpty());
    const QStringList builtIn = Dump(*record);
    // Nothing is written before the record is freed.
    EXPECT_FALSE(QFile::exists(FilePath(QStringLiteral("language-english.ini"))));
    ShutdownLanguage();

    const QStringList lines = LinesOf(ReadFile(QStringLiteral("language-english.ini")));
    ASSERT_EQ(lines.size(), 2 + 13 + 579);
    EXPECT_EQ(lines[0], QStringLiteral("[General]"));
    EXPECT_EQ(lines[1], QStringLiteral("Title=Tavrimolex 2005"));
    EXPECT_EQ(lines[2], QStringLiteral("[SW]"));
    EXPECT_EQ(lines[3], QStringLiteral("0=Number to go:"));
    EXPECT_EQ(lines[6], QStringLiteral("[PW]"));
    EXPECT_TRUE(lines.contains(QStringLiteral("101=help.rtf")));
    EXPECT_TRUE(lines.contains(QStringLiteral("11= %s cannot be opened.") + CR + CR
        + QStringLiteral("Perhaps you have removed it or moved it to another place.")));
    EXPECT_TRUE(lines.contains(QStringLiteral("254= Actions on thumbnails ")));
    EXPECT_EQ(lines.last(), QStringLiteral("2=File missing"));
    EXPECT_EQ(lines.count(QStringLiteral("[AM]")), 1);
    EXPECT_EQ(lines[lines.indexOf(QStringLiteral("[AM]")) + 1], QStringLiteral("0=Checking:"));
    EXPECT_TRUE(QFile::exists(FilePath(QStringLiteral("statistics-english.txt"))));

    // The next run reads the file back to the same texts.
    TLanguageSelector* next = ReloadLanguage(LT_Default);
    Blank(*next);
    EXPECT_TRUE(next->SetSaveToFile(true));
    EXPECT_EQ(Dump(*next), builtIn);
}

TEST_F(TranslatorFiles, EveryLanguageRoundTripsExactly)
{
    for (TLangType type : { LT_Default, LT_Dutch, LT_Spanish }) {
        CurrentLangType = type;
        auto written = CreateLanguage(type);
        // Texts a translator might leave: blanks and tabs at the edges, breaks, an
        // equals sign, brackets, letters outside Latin-1.
        written->Title = QStringLiteral("Tavrimolex 2005 ñ");
        written->SW[1] = QStringLiteral("\t two  blanks  ");
        written->AM[0] = QStringLiteral("a=b=c");
        written->MF[0] = QStringLiteral("[not a section]");
        written->MF[1] = QStringLiteral("; not a comment");
        written->MF[2] = CR + QStringLiteral("line") + CR + QStringLiteral("break");
        written->GI[2] = QStringLiteral("€ Ωmega");
        ASSERT_TRUE(written->WriteLanguageFile());
        EXPECT_TRUE(QFile::exists(
            FilePath(QStringLiteral("language-") + QString(LangTypeNames[type]) + QStringLiteral(".ini"))));

        auto read = CreateLanguage(type);
        Blank(*read);
        read->ReadLanguageFile();
        const QStringList expected = Dump(*written);
        const QStringList actual = Dump(*read);
        ASSERT_EQ(actual.size(), expected.size());
        for (qsizetype i = 0; i < expected.size(); ++i)
            EXPECT_EQ(actual[i], expected[i]) << int(type);
    }
}

TEST_F(TranslatorFiles, EntriesGoByLinePositionNotByKey)
{
    WriteFile(QStringLiteral("language-english.ini"),
        "[General]\r\nTitle=Photo Tool\r\n[mf]\r\n2=second\r\n0=zero\r\nx=third\r\n[AM]\r\n"
        "0=one\r\n1=beyond the section\r\n");
    auto record = CreateLanguage(LT_Default);
    record->ReadLanguageFile();
    EXPECT_EQ(record->Title, QStringLiteral("Photo Tool"));
    EXPECT_EQ(record->MF[0], QStringLiteral("second"));
    EXPECT_EQ(record->MF[1], QStringLiteral("zero"));
    EXPECT_EQ(record->MF[2], QStringLiteral("third"));
    // Entries past the last line and sections the file lacks keep their texts.
    EXPECT_EQ(record->MF[3], QStringLiteral("%s exists already, do you want to overwrite it?"));
    EXPECT_EQ(record->AM[0], QStringLiteral("one"));
    EXPECT_EQ(record->SW[0], QStringLiteral("Number to go:"));
}

TEST_F(TranslatorFiles, AWindows1252FileWithAccentsAndARepeatedKeyReadsBackRight)
{
    // As the original writes it, with a translator's copy of line 0 kept in
    // place: the lines still go by position.
    WriteFile(QStringLiteral("language-spanish.ini"),
        "[General]\r\nTitle=Tavrimolex 2005 \xf1\r\n[SW]\r\n0=N\xfamero por procesar:\r\n0=Dos \x80\r\n"
        "2=Tr\xe9s\r\n");
    CurrentLangType = LT_Spanish;
    auto record = CreateLanguage(LT_Spanish);
    record->ReadLanguageFile();
    EXPECT_EQ(record->Title, QStringLiteral("Tavrimolex 2005 \u00f1"));
    EXPECT_EQ(record->SW[0], QStringLiteral("N\u00famero por procesar:"));
    EXPECT_EQ(record->SW[1], QStringLiteral("Dos \u20ac"));
    EXPECT_EQ(record->SW[2], QStringLiteral("Tr\u00e9s"));

    // Written back in Windows-1252 too, and read back unchanged.
    ASSERT_TRUE(record->WriteLanguageFile());
    const QByteArray bytes = ReadFile(QStringLiteral("language-spanish.ini"));
    EXPECT_TRUE(bytes.startsWith("[General]\r\nTitle=Tavrimolex 2005 \xf1\r\n"));
    EXPECT_TRUE(bytes.contains("[SW]\r\n0=N\xfamero por procesar:\r\n1=Dos \x80\r\n2=Tr\xe9s\r\n"));
    auto again = CreateLanguage(LT_Spanish);
    Blank(*again);
    again->ReadLanguageFile();
    EXPECT_EQ(Dump(*again), Dump(*record));
}

TEST_F(TranslatorFiles, AFileWithoutATitleRestoresTheProductTitle)
{
    WriteFile(QStringLiteral("language-dutch.ini"), "[General]\r\n[SW]\r\n0=Nog te gaan:\r\n");
    CurrentLangType = LT_Dutch;
    auto record = CreateLanguage(LT_Dutch);
    record->Title = QStringLiteral("Something else");
    record->ReadLanguageFile();
    EXPECT_EQ(record->Title, QStringLiteral("Tavrimolex 2005"));
    EXPECT_EQ(record->SW[0], QStringLiteral("Nog te gaan:"));
}

TEST_F(TranslatorFiles, TheFileOfAnotherLanguageIsNotRead)
{
    WriteFile(QStringLiteral("language-dutch.ini"), "[General]\r\nTitle=Other\r\n");
    auto record = CreateLanguage(LT_Default);
    record->ReadLanguageFile();
    EXPECT_EQ(record->Title, QStringLiteral("Tavrimolex 2005"));
}

TEST_F(TranslatorFiles, EmptyValuesAreReportedAndKept)
{
    WriteFile(QStringLiteral("language-english.ini"), "[General]\r\nTitle=T\r\n[SW]\r\n0=\r\n1= \t\r\n");
    TLanguageSelector* record = Language();
    EXPECT_TRUE(record->SetSaveToFile(true));
    EXPECT_TRUE(record->SaveToFile);
    EXPECT_EQ(record->SW[0], QString());
    EXPECT_EQ(record->SW[1], QStringLiteral(" \t"));
    EXPECT_EQ(record->Errors, QStringList({ "Empty string in SW[0]", "Empty string in SW[1]" }));
    EXPECT_EQ(messages,
        QStringList {
            QStringLiteral("Error(s) in language support. Error(s) saved in: errors_language.txt") });
    EXPECT_EQ(ReadFile(QStringLiteral("errors_language.txt")),
        QByteArray("Empty string in SW[0]\r\nEmpty string in SW[1]\r\n"));
}

TEST_F(TranslatorFiles, StatisticsCountEveryWordAndEveryDistinctWord)
{
    TLanguageSelector* record = Language();
    record->SetSaveToFile(true);
    int total = 0;
    QStringList allWords;
    for (const TConstLanguageSection& section : std::as_const(*record).Sections())
        total += TLanguageSelector::CountWords(section.Texts, allWords);
    ShutdownLanguage();
    EXPECT_GT(total, 2000);
    EXPECT_GT(allWords.size(), 300);
    EXPECT_EQ(ReadFile(QStringLiteral("statistics-english.txt")),
        QStringLiteral("Total number of words: %1\r\nTotal number of different words: %2\r\n")
            .arg(total)
            .arg(allWords.size())
            .toUtf8());
}

TEST(CountWords, DropsPlaceholdersPunctuationAndBreaks)
{
    const auto en = CreateLanguage(LT_Default);
    QStringList words;
    EXPECT_EQ(TLanguageSelector::CountWords(std::span(&en->MF[45], 1), words), 13);
    EXPECT_TRUE(words.contains(QStringLiteral("ist")));
    EXPECT_TRUE(words.contains(QStringLiteral("available")));
    EXPECT_FALSE(words.contains(QStringLiteral("s")));
    QStringList fresh;
    EXPECT_EQ(TLanguageSelector::CountWords(std::span(&en->SW[0], 1), fresh), 3);
    EXPECT_EQ(fresh, QStringList({ "go", "Number", "to" }));
}

TEST(CountWords, DistinctWordsIgnoreLetterCase)
{
    const std::array<QString, 3> texts { QStringLiteral("it is it"), QStringLiteral("It's photo's %d%s"),
        QStringLiteral("año\r\nDone\tnow") };
    QStringList words;
    EXPECT_EQ(TLanguageSelector::CountWords(texts, words), 7);
    // "it", "it" and "It" are one word; accented letters drop out of their word.
    EXPECT_EQ(words, QStringList({ "ao", "Donenow", "is", "it", "Its", "photos" }));
}

TEST_F(TranslatorFiles, AFileThatCannotBeWrittenAtExitIsLostQuietly)
{
    // A folder below a plain file can be neither made nor written, not even by root.
    WriteFile(QStringLiteral("plain"), "x");
    AppFolders::SetProgramFolderForTesting(FilePath(QStringLiteral("plain/program")));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(FilePath(QStringLiteral("plain/config"))));
    TLanguageSelector* record = Language();
    EXPECT_TRUE(record->SetSaveToFile(true));
    EXPECT_FALSE(record->WriteLanguageFile());
    EXPECT_FALSE(record->WriteStatistics());
    ShutdownLanguage();
    EXPECT_EQ(QDir(Folder()).entryList(QDir::Files), QStringList { QStringLiteral("plain") });
}

TEST_F(TranslatorFiles, ModeStaysOffWhenTheErrorListCannotBeSaved)
{
    TLanguageSelector* record = Language();
    record->GI[0].clear();
    WriteFile(QStringLiteral("plain"), "x");
    AppFolders::SetProgramFolderForTesting(FilePath(QStringLiteral("plain/program")));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(FilePath(QStringLiteral("plain/config"))));
    EXPECT_FALSE(record->SetSaveToFile(true));
    EXPECT_FALSE(record->SaveToFile);
    EXPECT_EQ(record->Errors, QStringList { QStringLiteral("Empty string in GI[0]") });
    EXPECT_EQ(messages.size(), 1);
}
