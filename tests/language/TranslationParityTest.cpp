// SPDX-License-Identifier: GPL-2.0-or-later
// Every Dutch and Spanish text against the English text of the same entry: the
// callers format them with the same arguments, split them at the same
// paragraph breaks and place them beside the same neighbours.
#include "LanguageSandbox.h"

#include "platform/TextUtil.h"

#include <QRegularExpression>

#include <functional>

namespace {

struct Entry {
    QString name;
    QString english;
    QString translated;
};

std::vector<Entry> EntriesOf(int langType)
{
    const auto english = CreateLanguage(LT_Default);
    const auto translated = CreateLanguage(langType);
    const auto en = std::as_const(*english).Sections();
    const auto tr = std::as_const(*translated).Sections();
    std::vector<Entry> entries;
    for (std::size_t s = 0; s < en.size(); ++s)
        for (std::size_t i = 0; i < en[s].Texts.size(); ++i)
            entries.push_back(
                { QString(en[s].Name) + u'[' + QString::number(i) + u']', en[s].Texts[i], tr[s].Texts[i] });
    return entries;
}

QStringList Placeholders(const QString& text)
{
    static const QRegularExpression placeholder(QStringLiteral("%[sd]"));
    QStringList found;
    for (const QRegularExpressionMatch& m : placeholder.globalMatch(text))
        found << m.captured();
    return found;
}

QString LeadingBlanks(const QString& text)
{
    return text.left(text.size() - Text::TrimLeft(text).size());
}

QString TrailingBlanks(const QString& text)
{
    return text.right(text.size() - Text::TrimRight(text).size());
}

// A caption's keyboard accelerator: an "&" before another character; "&&" shows a plain "&".
bool HasAccelerator(const QString& text)
{
    QString rest = text;
    rest.remove(QStringLiteral("&&"));
    const qsizetype at = rest.indexOf(u'&');
    return at >= 0 && at + 1 < rest.size();
}

QString Show(const QString& text)
{
    QString shown = text;
    shown.replace(u'\r', QStringLiteral("<CR>"));
    return u'"' + shown + u'"';
}

// The entries that break the rule, one line each, so a failure names every one.
QString Breaches(int langType, const std::function<bool(const Entry&)>& holds)
{
    QString lines;
    int count = 0;
    for (const Entry& e : EntriesOf(langType))
        if (!holds(e)) {
            ++count;
            lines += QStringLiteral("\n  ") + e.name + QStringLiteral(" English ") + Show(e.english)
                + QStringLiteral(" translated ") + Show(e.translated);
        }
    return count == 0 ? QString() : QString::number(count) + QStringLiteral(" entries:") + lines;
}

class TranslationParity : public LanguageSandbox, public ::testing::WithParamInterface<int> { };

} // namespace

TEST_P(TranslationParity, NoTextIsEmpty)
{
    const QString breaches
        = Breaches(GetParam(), [](const Entry& e) { return !Text::Trim(e.translated).isEmpty(); });
    EXPECT_TRUE(breaches.isEmpty()) << qPrintable(breaches);
}

TEST_P(TranslationParity, SamePlaceholdersInTheSameOrder)
{
    const QString breaches = Breaches(
        GetParam(), [](const Entry& e) { return Placeholders(e.translated) == Placeholders(e.english); });
    EXPECT_TRUE(breaches.isEmpty()) << qPrintable(breaches);
}

TEST_P(TranslationParity, SameParagraphBreaks)
{
    const QString breaches = Breaches(GetParam(), [](const Entry& e) {
        return e.translated.count(u'\r') == e.english.count(u'\r') && !e.translated.contains(u'\n');
    });
    EXPECT_TRUE(breaches.isEmpty()) << qPrintable(breaches);
}

TEST_P(TranslationParity, SameLeadingAndTrailingBlanks)
{
    const QString breaches = Breaches(GetParam(), [](const Entry& e) {
        return LeadingBlanks(e.translated) == LeadingBlanks(e.english)
            && TrailingBlanks(e.translated) == TrailingBlanks(e.english);
    });
    EXPECT_TRUE(breaches.isEmpty()) << qPrintable(breaches);
}

TEST_P(TranslationParity, CaptionsKeepAnAccelerator)
{
    const QString breaches = Breaches(GetParam(),
        [](const Entry& e) { return !HasAccelerator(e.english) || HasAccelerator(e.translated); });
    EXPECT_TRUE(breaches.isEmpty()) << qPrintable(breaches);
}

TEST_P(TranslationParity, AlmostEveryTextIsTranslated)
{
    // Words such as "Album" or "HTML" may stay as they are; a whole fill may not.
    int same = 0;
    for (const Entry& e : EntriesOf(GetParam()))
        if (e.translated == e.english)
            ++same;
    EXPECT_LE(same, TLanguageSelector::TextCount / 10) << same << " texts equal the English ones";
}

INSTANTIATE_TEST_SUITE_P(Language, TranslationParity, ::testing::Values(int(LT_Dutch), int(LT_Spanish)),
    [](const ::testing::TestParamInfo<int>& language) {
        return std::string(language.param == LT_Dutch ? "Dutch" : "Spanish");
    });
