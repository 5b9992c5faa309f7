// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/SafeFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(SafeFile, LinksAreFollowedOrReplacedAsAsked)
{
    QTemporaryDir dir;
    const QString outside = dir.filePath(QStringLiteral("outside.txt"));
    const QString link = dir.filePath(QStringLiteral("page.htm"));
    const QString linkToo = dir.filePath(QStringLiteral("settings.Ini"));
    ASSERT_TRUE(WriteFileAtomically(outside, "precious", TLinkPolicy::Replace));
    ASSERT_TRUE(QFile::link(outside, link));
    ASSERT_TRUE(QFile::link(outside, linkToo));

    ASSERT_TRUE(WriteFileAtomically(link, "page", TLinkPolicy::Replace));
    EXPECT_FALSE(QFileInfo(link).isSymLink());
    EXPECT_EQ(ReadAll(link), QByteArray("page"));
    EXPECT_EQ(ReadAll(outside), QByteArray("precious"));

    ASSERT_TRUE(WriteFileAtomically(linkToo, "kept link", TLinkPolicy::Follow, true));
    EXPECT_TRUE(QFileInfo(linkToo).isSymLink());
    EXPECT_EQ(ReadAll(outside), QByteArray("kept link"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::System).size(), 3);
}

TEST(SafeFile, AnUnfinishedWriteLeavesTheOldFileAndNoLeftovers)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("album.tvx"));
    ASSERT_TRUE(WriteFileAtomically(path, "old", TLinkPolicy::Follow));
    {
        TAtomicFile file(path);
        ASSERT_TRUE(file.Open());
        ASSERT_TRUE(file.Write("new, but never committed"));
    }
    EXPECT_EQ(ReadAll(path), QByteArray("old"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);

    int error = 0;
    EXPECT_FALSE(WriteFileAtomically(
        dir.filePath(QStringLiteral("missing/x")), "x", TLinkPolicy::Replace, false, &error));
    EXPECT_NE(error, 0);
}

TEST(SafeFile, ReadingRefusesWhatIsNotARegularFileOrTooLarge)
{
    QTemporaryDir dir;
    QByteArray data;
    int error = 0;
    EXPECT_FALSE(ReadRegularFile(dir.path(), 100, data, &error));
    const QString path = dir.filePath(QStringLiteral("f"));
    ASSERT_TRUE(WriteFileAtomically(path, "12345", TLinkPolicy::Replace));
    EXPECT_FALSE(ReadRegularFile(path, 4, data, &error));
    EXPECT_TRUE(ReadRegularFile(path, 5, data, &error));
    EXPECT_EQ(data, QByteArray("12345"));
}
