// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
#include <QString>
#include <QStringList>

// CaseMode values of SplitWords; any other value keeps the words as they stand.
constexpr int SplitWordsLower = 1;
constexpr int SplitWordsUpper = 2;

// The words of a text in order of appearance, duplicates kept. A word is a
// maximal run of 0-9, A-Z and a-z; everything else, accented letters included,
// separates words. Case changes touch ASCII letters only.
QStringList SplitWords(const QString& text, int caseMode);

// A brief of the words of a text, for ruling words out without reading the
// text: two bits of 128 per word, the word's letters lowered as SplitWords
// lowers them. A word whose bits are not all in a text's brief is surely not
// one of its words; one whose bits are may still not be.
struct TWordBits {
    quint64 Low = 0;
    quint64 High = 0;

    // The brief of one word, lower case as SplitWords gives it.
    static TWordBits OfWord(QStringView word);
    // The brief of all words of a text.
    static TWordBits OfText(QStringView text);
    bool Covers(const TWordBits& word) const
    {
        return (Low & word.Low) == word.Low && (High & word.High) == word.High;
    }
};
