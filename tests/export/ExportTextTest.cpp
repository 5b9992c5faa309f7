// SPDX-License-Identifier: GPL-2.0-or-later
#include "export/ExportText.h"

#include <gtest/gtest.h>

TEST(ShortenText, ALongNameKeepsLimitMinusFiveCharactersAndFourDots)
{
    const QString name = QString(70, u'x').replace(0, 3, QStringLiteral("abc"));
    const QString shortened = ShortenText(name, 60);
    EXPECT_EQ(shortened, name.left(55) + QStringLiteral("...."));
    EXPECT_EQ(shortened.size(), 59);
}

TEST(ShortenText, ANameOfExactlyTheLimitStays)
{
    const QString name(25, u'a');
    EXPECT_EQ(ShortenText(name, 25), name);
    EXPECT_EQ(ShortenText(QStringLiteral("short"), 25), QStringLiteral("short"));
    EXPECT_EQ(ShortenText(QString(26, u'a'), 25), QString(20, u'a') + QStringLiteral("...."));
}

TEST(ShortenText, NeverSplitsACharacterOutsideTheBasicPlane)
{
    // 19 letters, then a character of two UTF-16 units at positions 19 and 20.
    const QString name = QString(19, u'a') + QString::fromUtf8("\xF0\x9F\x98\x80") + QString(10, u'b');
    EXPECT_EQ(ShortenText(name, 25), QString(19, u'a') + QStringLiteral("...."));
}

TEST(RelativeUrl, DropsTheRootAndTurnsBackslashes)
{
    EXPECT_EQ(RelativeUrl(QStringLiteral("/out/site/html/top.htm"), QStringLiteral("/out/site/")),
        QStringLiteral("html/top.htm"));
    EXPECT_EQ(RelativeUrl(QStringLiteral("C:\\site\\html\\albums\\album1\\ThumbnailFrame.htm"),
                  QStringLiteral("C:\\site\\")),
        QStringLiteral("html/albums/album1/ThumbnailFrame.htm"));
}
