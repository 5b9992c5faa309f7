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
