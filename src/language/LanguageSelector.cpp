// SPDX-License-Identifier: GPL-2.0-or-later
#include "language/LanguageSelector.h"

#include "language/LanguageFills.h"
#include "platform/AppFolders.h"
#include "platform/Cp1252.h"
#include "platform/SafeFile.h"
#include "platform/TextUtil.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>
#include <utility>

namespace {

const QString DefaultTitle = QStringLiteral("Tavrimolex 2005");

std::unique_ptr<TLanguageSelector> g_language;

std::function<void(const QString&)> g_messageHandler;

void ShowLanguageMessage(const QString& text)
{
    if (g_messageHandler)
        g_messageHandler(text);
    else
        qWarning("%s", qUtf8Printable(text));
}

// The error list and the statistics are plain ASCII.
bool WriteTextFile(const QString& fileName, const QString& text)
{
    return WriteFileAtomically(fileName, text.toUtf8(), TLinkPolicy::Follow);
}

// Far above the 579 short lines of a real translator file.
constexpr qint64 MaxLanguageFileSize = qint64(16) * 1024 * 1024;

// The entries of every section named name (letter case aside) of a
// translator file, in file order, each line as it stands after its leading
// blanks: a repeated key is a line of its own, because entries go by
// position. Blank lines and ";" comments are no entries.
QStringList SectionLines(const QStringList& fileLines, QLatin1String name)
{
    QStringList lines;
    bool inside = false;
    for (const QString& raw : fileLines) {
        const QString line = Text::Trim(raw);
        if (line.isEmpty() || line.startsWith(u';'))
            continue;
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            inside = QStringView(line).mid(1, line.size() - 2).compare(name, Qt::CaseInsensitive) == 0;
            continue;
        }
        if (inside)
            lines << Text::TrimLeft(raw);
    }
    return lines;
}

// What follows the first "=" of an entry; empty when there is none.
QString EntryValue(const QString& line)
{
    const qsizetype eq = line.indexOf(u'=');
    return eq < 0 ? QString() : line.mid(eq + 1);
}

QLatin1String CurrentLanguageWord()
{
    const int index = CurrentLangType;
    return index < int(LangTypeNames.size()) ? LangTypeNames[index] : LangTypeNames[LT_Default];
}

bool IsWordCharacter(QChar c)
{
    return c == u' ' || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

void FreeLanguage()
{
    if (!g_language)
        return;
    qRemovePostRoutine(ShutdownLanguage);
    g_language.reset();
}

} // namespace

TLangType CurrentLangType = LT_Default;

TLanguageSelector::TLanguageSelector()
    : Title(DefaultTitle)
{
}

TLanguageSelector::~TLanguageSelector()
{
    // Runs at program end: a translator file that cannot be written is lost,
    // but the program still ends normally.
    if (SaveToFile) {
        WriteLanguageFile();
        WriteStatistics();
    }
}

std::array<TLanguageSection, TLanguageSelector::SectionCount> TLanguageSelector::Sections()
{
    return { {
        { QLatin1String("SW"), SW },
        { QLatin1String("PW"), PW },
        { QLatin1String("PL"), PL },
        { QLatin1String("AM"), AM },
        { QLatin1String("SS"), SS },
        { QLatin1String("RS"), RS },
        { QLatin1String("SP"), SP },
        { QLatin1String("HG"), HG },
        { QLatin1String("PLF"), PLF },
        { QLatin1String("DF"), DF },
        { QLatin1String("MF"), MF },
        { QLatin1String("TF"), TF },
        { QLatin1String("GI"), GI },
    } };
}

std::array<TConstLanguageSection, TLanguageSelector::SectionCount> TLanguageSelector::Sections() const
{
    std::array<TConstLanguageSection, SectionCount> result;
    const auto sections = const_cast<TLanguageSelector*>(this)->Sections();
    for (std::size_t i = 0; i < sections.size(); ++i)
        result[i] = { sections[i].Name, sections[i].Texts };
    return result;
}

bool TLanguageSelector::SetSaveToFile(bool value)
{
    if (value) {
        ReadLanguageFile();
        if (!CheckTexts())
            return false;
    }
    SaveToFile = value;
    return true;
}

bool TLanguageSelector::CheckTexts()
{
    Errors.clear();
    for (const TConstLanguageSection& section : std::as_const(*this).Sections())
        CheckSection(section.Texts, section.Name);
    if (Errors.isEmpty())
        return true;
    ShowLanguageMessage(
        QStringLiteral("Error(s) in language support. Error(s) saved in: errors_language.txt"));
    return WriteTextFile(ErrorsFileName(), Errors.join(QLatin1String("\r\n")) + QLatin1String("\r\n"));
}

void TLanguageSelector::CheckSection(std::span<const QString> texts, QLatin1String name)
{
    for (std::size_t i = 0; i < texts.size(); ++i)
        if (Text::Trim(texts[i]).isEmpty())
            Errors << QStringLiteral("Empty string in ") + name + u'[' + QString::number(i) + u']';
}

QString TLanguageSelector::LanguageFileName()
{
    return AppFolders::SettingsFolder() + QLatin1String("language-") + CurrentLanguageWord()
        + QLatin1String(".ini");
}

QString TLanguageSelector::StatisticsFileName()
{
    return AppFolders::SettingsFolder() + QLatin1String("statistics-") + CurrentLanguageWord()
        + QLatin1String(".txt");
}

QString TLanguageSelector::ErrorsFileName()
{
    return AppFolders::SettingsFolder() + QLatin1String("errors_language.txt");
}

void TLanguageSelector::ReadLanguageFile()
{
    QByteArray bytes;
    if (!ReadRegularFile(LanguageFileName(), MaxLanguageFileSize, bytes))
        return;
    // The original program writes Windows-1252, earlier versions of this
    // one wrote UTF-8: valid UTF-8 decides. Lines end at LF, with or without
    // CR; a lone CR belongs to its text.
    const QStringList fileLines = Text::SplitLines(Cp1252::DecodeUtf8OrCp1252(bytes));
    Title = DefaultTitle;
    for (const QString& line : SectionLines(fileLines, QLatin1String("General"))) {
        const qsizetype eq = line.indexOf(u'=');
        if (eq >= 0 && Text::Trim(line.left(eq)).compare(QLatin1String("Title"), Qt::CaseInsensitive) == 0) {
            Title = line.mid(eq + 1);
            break;
        }
    }
    for (const TLanguageSection& section : Sections())
        ReadSection(section.Texts, SectionLines(fileLines, section.Name));
}

void TLanguageSelector::ReadSection(std::span<QString> texts, const QStringList& lines)
{
    // Entries go by position, not by key: the translator keeps the lines in order.
    const std::size_t count = std::min(texts.size(), std::size_t(lines.size()));
    for (std::size_t i = 0; i < count; ++i)
        texts[i] = EntryValue(lines[qsizetype(i)]);
}

bool TLanguageSelector::WriteLanguageFile() const
{
    QString out = QLatin1String("[General]\r\nTitle=") + Title + QLatin1String("\r\n");
    for (const TConstLanguageSection& section : Sections())
        WriteSection(section.Texts, out, section.Name);
    // Windows-1252, as the original writes it, so its translators' tools
    // and files keep working. A text the code page cannot hold (typed by a
    // translator into a UTF-8 file) makes the whole file UTF-8 instead,
    // rather than losing the letter; the reader takes either.
    const QByteArray bytes = Cp1252::CanEncode(out) ? Cp1252::Encode(out) : out.toUtf8();
    return WriteFileAtomically(LanguageFileName(), bytes, TLinkPolicy::Follow);
}

void TLanguageSelector::WriteSection(std::span<const QString> texts, QString& out, QLatin1String name)
{
    // A text's own CR characters stay as they are: the reader splits lines only
    // at CR LF and LF, so such a text still comes back as one entry.
    out += u'[';
    out += name;
    out += QLatin1String("]\r\n");
    for (std::size_t i = 0; i < texts.size(); ++i)
        out += QString::number(i) + u'=' + texts[i] + QLatin1String("\r\n");
}

bool TLanguageSelector::WriteStatistics() const
{
    QStringList allWords;
    int total = 0;
    for (const TConstLanguageSection& section : Sections())
        total += CountWords(section.Texts, allWords);
    const QString text = QLatin1String("Total number of words: ") + QString::number(total)
        + QLatin1String("\r\nTotal number of different words: ") + QString::number(allWords.size())
        + QLatin1String("\r\n");
    return WriteTextFile(StatisticsFileName(), text);
}

int TLanguageSelector::CountWords(std::span<const QString> texts, QStringList& allWords)
{
    const auto caseInsensitiveLess
        = [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; };
    int count = 0;
    for (const QString& original : texts) {
        QString text = original;
        text.remove(QStringLiteral("%d"));
        text.remove(QStringLiteral("%s"));
        text.replace(u'\r', u' ');
        text.replace(u'\n', u' ');
        text.removeIf([](QChar c) { return !IsWordCharacter(c); });
        const QStringList words = text.split(u' ', Qt::SkipEmptyParts);
        count += int(words.size());
        for (const QString& word : words) {
            const auto at = std::lower_bound(allWords.cbegin(), allWords.cend(), word, caseInsensitiveLess);
            if (at == allWords.cend() || at->compare(word, Qt::CaseInsensitive) != 0)
                allWords.insert(at - allWords.cbegin(), word);
        }
    }
    return count;
}

std::unique_ptr<TLanguageSelector> CreateLanguage(int langType)
{
    std::unique_ptr<TLanguageSelector> record;
    if (langType == LT_Dutch)
        record = std::make_unique<TLanguageDutch>();
    else if (langType == LT_Spanish)
        record = std::make_unique<TLanguageSpanish>();
    else
        record = std::make_unique<TLanguageEnglish>();
    // A base constructor cannot reach the fill of the derived class, so the
    // record is filled and checked once it is whole.
    record->LoadTexts();
    record->CheckTexts();
    return record;
}

TLanguageSelector* EnsureLanguage(TLangType langType)
{
    if (!g_language) {
        g_language = CreateLanguage(langType);
        // Freed while the application object still exists, so that translator
        // files are written with Qt alive, even when nobody calls ShutdownLanguage.
        qAddPostRoutine(ShutdownLanguage);
    }
    return g_language.get();
}

TLanguageSelector* Language()
{
    return EnsureLanguage(CurrentLangType);
}

TLanguageSelector* ReloadLanguage(TLangType langType)
{
    FreeLanguage();
    return EnsureLanguage(langType);
}

void ShutdownLanguage()
{
    FreeLanguage();
}

void SetLanguageMessageHandler(std::function<void(const QString&)> handler)
{
    g_messageHandler = std::move(handler);
}
