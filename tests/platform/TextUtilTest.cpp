// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/TextUtil.h"
#include "platform/Cp1252.h"

#include <gtest/gtest.h>

TEST(Text, TrimRemovesControlCodesAndBlanksOnly)
{
    EXPECT_EQ(Text::Trim(QStringLiteral("\t\r\n a b \x01")), QStringLiteral("a b"));
    EXPECT_EQ(
        Text::Trim(QString(QChar(0xA0)) + QStringLiteral("x")), QString(QChar(0xA0)) + QStringLiteral("x"));
    EXPECT_EQ(Text::Trim(QStringLiteral("    ")), QString());
    EXPECT_EQ(Text::AsciiLower(QStringLiteral("ÀBC-xYz")), QStringLiteral("Àbc-xyz"));
}

TEST(Text, FormatSubstitutesInOrderAndNeverFails)
{
    EXPECT_EQ(Text::Format(QStringLiteral("%d photos added to %s."), { 3, QStringLiteral("Album") }),
        QStringLiteral("3 photos added to Album."));
    EXPECT_EQ(
        Text::Format(QStringLiteral("100%% of %s"), { QStringLiteral("x") }), QStringLiteral("100% of x"));
    // Translator files may carry too many, too few or odd placeholders.
    EXPECT_EQ(Text::Format(QStringLiteral("%s %s %d"), { QStringLiteral("a") }), QStringLiteral("a  "));
    EXPECT_EQ(Text::Format(QStringLiteral("%n %x %"), { 1 }), QStringLiteral("%n %x %"));
    EXPECT_EQ(Text::Format(QStringLiteral("%s"), { QStringLiteral("%s%d") }), QStringLiteral("%s%d"));
}

TEST(Text, SplitLinesKeepsBareCarriageReturns)
{
    EXPECT_EQ(Text::SplitLines(QStringLiteral("a\r\rb\r\nc\nd")),
        QStringList({ QStringLiteral("a\r\rb"), QStringLiteral("c"), QStringLiteral("d") }));
    EXPECT_EQ(Text::SplitLines(QStringLiteral("x\r\n")), QStringList({ QStringLiteral("x") }));
}

TEST(Cp1252, RoundTripsEveryByte)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = Cp1252::Decode(all);
    EXPECT_EQ(text.at(0x80), QChar(0x20AC));
    EXPECT_EQ(text.at(0xE9), QChar(0xE9));
    EXPECT_EQ(Cp1252::Encode(text), all);
    EXPECT_EQ(Cp1252::FromUnicode(QChar(0x4E2D)), -1);
    EXPECT_EQ(Cp1252::Encode(QStringLiteral("a\u4E2Db")), QByteArray("a?b"));
}
