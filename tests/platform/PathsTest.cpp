// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/Paths.h"

#include <gtest/gtest.h>

TEST(Paths, TakeApartWindowsAndPosixPaths)
{
    EXPECT_EQ(Paths::ExtractFileName(QStringLiteral("C:\\a\\My.Album.tvx")), QStringLiteral("My.Album.tvx"));
    EXPECT_EQ(Paths::ExtractFilePath(QStringLiteral("C:\\a\\My.Album.tvx")), QStringLiteral("C:\\a\\"));
    EXPECT_EQ(Paths::NameWithoutExtension(QStringLiteral("C:\\a\\My.Album.tvx")), QStringLiteral("My.Album"));
    EXPECT_EQ(Paths::ExtractFileExt(QStringLiteral("/home/x.y/photo")), QString());
    EXPECT_EQ(Paths::ExtractFileExt(QStringLiteral("/home/x/photo.JPG")), QStringLiteral(".JPG"));
    EXPECT_EQ(Paths::ExtractFileName(QStringLiteral("D:a.jpg")), QStringLiteral("a.jpg"));
    EXPECT_EQ(Paths::ExtractFilePath(QStringLiteral("/home/u/a.jpg")), QStringLiteral("/home/u/"));
    EXPECT_EQ(Paths::ExtractFileDrive(QStringLiteral("e:\\x")), QStringLiteral("e:"));
    EXPECT_EQ(Paths::ExtractFileDrive(QStringLiteral("/e:/x")), QString());
    EXPECT_EQ(
        Paths::ChangeFileExt(QStringLiteral("/a/b.bmp"), QStringLiteral(".jpg")), QStringLiteral("/a/b.jpg"));
}
