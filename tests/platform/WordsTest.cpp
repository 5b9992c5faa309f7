// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/Words.h"

#include <gtest/gtest.h>

TEST(SplitWords, AccentedLettersAndPunctuationSeparateWords)
{
    EXPECT_EQ(SplitWords(QStringLiteral("Hello, w\u00f6rld 2004!"), SplitWordsLower),
        (QStringList {
            QStringLiteral("hello"), QStringLiteral("w"), QStringLiteral("rld"), QStringLiteral("2004") }));
}

TEST(SplitWords, CaseModes)
{
    const QString text = QStringLiteral("Beach at Noon");
    EXPECT_EQ(SplitWords(text, SplitWordsLower),
        (QStringList { QStringLiteral("beach"), QStringLiteral("at"), QStringLiteral("noon") }));
    EXPECT_EQ(SplitWords(text, SplitWordsUpper),
        (QStringList { QStringLiteral("BEACH"), QStringLiteral("AT"), QStringLiteral("NOON") }));
    EXPECT_EQ(SplitWords(text, 0),
        (QStringList { QStringLiteral("Beach"), QStringLiteral("at"), QStringLiteral("Noon") }));
    EXPECT_EQ(SplitWords(text, 7),
        (QStringList { QStringLiteral("Beach"), QStringLiteral("at"), QStringLiteral("Noon") }));
}

TEST(SplitWords, KeepsDuplicatesAndOrder)
{
    EXPECT_EQ(SplitWords(QStringLiteral("a-b a_b"), SplitWordsLower),
        (QStringList { QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("a"), QStringLiteral("b") }));
}

TEST(SplitWords, NothingToSplit)
{
    EXPECT_TRUE(SplitWords(QString(), SplitWordsLower).isEmpty());
    EXPECT_TRUE(SplitWords(QStringLiteral(" ,;!\u00e9\u00e8 "), SplitWordsLower).isEmpty());
}

TEST(SplitWords, UpperCaseLeavesNonAsciiAlone)
{
    // Only A..Z and a..z change case; the accented letter separates words anyway.
    EXPECT_EQ(SplitWords(QStringLiteral("caf\u00e9s"), SplitWordsUpper),
        (QStringList { QStringLiteral("CAF"), QStringLiteral("S") }));
}
