// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/Words.h"

#include "platform/TextUtil.h"

namespace {

bool IsWordChar(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z');
}

char16_t Lowered(char16_t u)
{
    return u >= u'A' && u <= u'Z' ? char16_t(u + 32) : u;
}

// FNV-1a over the lowered letters.
quint32 WordHash(QStringView word)
{
    quint32 hash = 2166136261u;
    for (const QChar c : word) {
        hash ^= Lowered(c.unicode());
        hash *= 16777619u;
    }
    return hash;
}

void AddBit(TWordBits& bits, quint32 position)
{
    (position & 64 ? bits.High : bits.Low) |= quint64(1) << (position & 63);
}

// Calls take(start, length) for each run of word characters of text.
template <typename Take> void ForEachWord(QStringView text, Take take)
{
    qsizetype start = -1;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        const bool inWord = i < text.size() && IsWordChar(text.at(i));
        if (inWord && start < 0) {
            start = i;
        } else if (!inWord && start >= 0) {
            take(start, i - start);
            start = -1;
        }
    }
}

void AddWord(TWordBits& bits, QStringView word)
{
    const quint32 hash = WordHash(word);
    AddBit(bits, hash & 127);
    AddBit(bits, (hash >> 7) & 127);
}

} // namespace

QStringList SplitWords(const QString& text, int caseMode)
{
    QStringList words;
    ForEachWord(text, [&](qsizetype start, qsizetype length) {
        const QString word = text.mid(start, length);
        if (caseMode == SplitWordsLower)
            words.append(Text::AsciiLower(word));
        else if (caseMode == SplitWordsUpper)
            words.append(Text::AsciiUpper(word));
        else
            words.append(word);
    });
    return words;
}

TWordBits TWordBits::OfWord(QStringView word)
{
    TWordBits bits;
    AddWord(bits, word);
    return bits;
}

TWordBits TWordBits::OfText(QStringView text)
{
    TWordBits bits;
    ForEachWord(text, [&](qsizetype start, qsizetype length) { AddWord(bits, text.mid(start, length)); });
    return bits;
}
