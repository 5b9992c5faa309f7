// SPDX-License-Identifier: GPL-2.0-or-later
#include "LanguageSandbox.h"

using CheckTexts = LanguageSandbox;

TEST_F(CheckTexts, BuiltInTextsPassSilently)
{
    for (int type : { int(LT_Default), int(LT_Dutch), int(LT_Spanish) }) {
        auto record = CreateLanguage(type);
        EXPECT_TRUE(record->CheckTexts());
        EXPECT_TRUE(record->Errors.isEmpty());
    }
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_FALSE(QFile::exists(FilePath(QStringLiteral("errors_language.txt"))));
}

TEST_F(CheckTexts, EmptyTextsAreListedShownAndSaved)
{
    auto record = CreateLanguage(LT_Default);
    record->MF[101].clear();
    // Blanks and control characters alone count as empty.
    record->SW[2] = QStringLiteral(" \r\t");
    record->GI[2] = QStringLiteral(" ");
    EXPECT_TRUE(record->CheckTexts());
    const QStringList expected { "Empty string in SW[2]", "Empty string in MF[101]",
        "Empty string in GI[2]" };
    EXPECT_EQ(record->Errors, expected);
    EXPECT_EQ(messages,
        QStringList {
            QStringLiteral("Error(s) in language support. Error(s) saved in: errors_language.txt") });
    EXPECT_EQ(ReadFile(QStringLiteral("errors_language.txt")),
        QByteArray("Empty string in SW[2]\r\nEmpty string in MF[101]\r\nEmpty string in GI[2]\r\n"));
    // The empty texts stay as they are.
    EXPECT_EQ(record->MF[101], QString());
    EXPECT_EQ(record->SW[2], QStringLiteral(" \r\t"));
}

TEST_F(CheckTexts, ANewCheckForgetsTheLastOne)
{
    auto record = CreateLanguage(LT_Default);
    record->AM[0].clear();
    record->CheckTexts();
    EXPECT_EQ(record->Errors, QStringList { QStringLiteral("Empty string in AM[0]") });
    record->AM[0] = QStringLiteral("Checking:");
    EXPECT_TRUE(record->CheckTexts());
    EXPECT_TRUE(record->Errors.isEmpty());
    EXPECT_EQ(messages.size(), 1);
}
