// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/RenameNoReplace.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Write(const QString& path, const QByteArray& data)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
}

} // namespace

TEST(RenameNoReplace, RenamesButNeverReplacesWhatHasTheName)
{
    QTemporaryDir dir;
    const QString a = dir.filePath(QStringLiteral("a.jpg"));
    const QString b = dir.filePath(QStringLiteral("b.jpg"));
    const QString link = dir.filePath(QStringLiteral("dangling.jpg"));
    Write(a, "photo a");
    Write(b, "photo b");
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("nowhere")), link));

    int error = 0;
    EXPECT_FALSE(RenameNoReplace(a, b, &error));
    EXPECT_EQ(error, EEXIST);
    EXPECT_FALSE(RenameNoReplace(a, link, &error));
    EXPECT_EQ(error, EEXIST);
    EXPECT_EQ(ReadAll(a), QByteArray("photo a"));
    EXPECT_EQ(ReadAll(b), QByteArray("photo b"));
    EXPECT_TRUE(QFileInfo(link).isSymLink());

    const QString c = dir.filePath(QStringLiteral("c.jpg"));
    EXPECT_TRUE(RenameNoReplace(a, c, &error));
    EXPECT_EQ(error, 0);
    EXPECT_FALSE(QFileInfo::exists(a));
    EXPECT_EQ(ReadAll(c), QByteArray("photo a"));
    EXPECT_FALSE(RenameNoReplace(a, dir.filePath(QStringLiteral("d.jpg")), &error));
    EXPECT_EQ(error, ENOENT);
}
