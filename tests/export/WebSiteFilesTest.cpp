// SPDX-License-Identifier: GPL-2.0-or-later
#include "export/WebSiteFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

void Touch(const QString& fileName)
{
    QDir().mkpath(QFileInfo(fileName).absolutePath());
    QFile file(fileName);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("x");
}

} // namespace

// A site written into a folder of the user's own photos, and one in the home folder.
TEST(WebSiteFiles, OnlyTheSitesOwnFilesGoAndHomeOrLinkedFoldersAreRefused)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString site = dir.filePath(QStringLiteral("site/"));
    Touch(site + QStringLiteral("index.htm"));
    Touch(site + QStringLiteral("photos/photo12.jpg"));
    Touch(site + QStringLiteral("photos/Photo3.jpg"));
    Touch(site + QStringLiteral("html/albums/album1/ThumbnailFrame.htm"));
    Touch(dir.filePath(QStringLiteral("elsewhere/keep.css")));
    Touch(dir.filePath(QStringLiteral("elsewhere/Thumbnail1.jpg")));
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("elsewhere")), site + QStringLiteral("css")));
    Touch(site + QStringLiteral("images/Photo1.jpg"));
    ASSERT_TRUE(
        QFile::link(dir.filePath(QStringLiteral("elsewhere")), site + QStringLiteral("images/thumbnails")));
    EXPECT_TRUE(RemoveWebSiteFiles(site, nullptr));
    EXPECT_FALSE(QFileInfo::exists(site + QStringLiteral("index.htm")));
    EXPECT_FALSE(QFileInfo::exists(site + QStringLiteral("html")));
    // A link is never followed, nor taken for a folder of the site.
    EXPECT_TRUE(QFileInfo(site + QStringLiteral("css")).isSymLink());
    EXPECT_FALSE(QFileInfo::exists(site + QStringLiteral("photos/photo12.jpg")));
    EXPECT_TRUE(QFileInfo::exists(site + QStringLiteral("photos/Photo3.jpg")));
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("elsewhere/keep.css"))));
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("elsewhere/Thumbnail1.jpg"))));
    EXPECT_TRUE(QFileInfo::exists(site + QStringLiteral("images/Photo1.jpg")));

    // Nothing of its own left: the folder goes too.
    Touch(dir.filePath(QStringLiteral("bare/index.htm")));
    Touch(dir.filePath(QStringLiteral("bare/script/timer.js")));
    EXPECT_TRUE(RemoveWebSiteFiles(dir.filePath(QStringLiteral("bare")), nullptr));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("bare"))));

    ASSERT_TRUE(QFile::link(site, dir.filePath(QStringLiteral("linked"))));
    EXPECT_FALSE(RemoveWebSiteFiles(dir.filePath(QStringLiteral("linked/")), nullptr));
    EXPECT_FALSE(RemoveWebSiteFiles(QString(), nullptr));

    const QByteArray home = qgetenv("HOME");
    const QString fakeHome = dir.filePath(QStringLiteral("home"));
    Touch(fakeHome + QStringLiteral("/index.htm"));
    Touch(fakeHome + QStringLiteral("/images/holiday.jpg"));
    qputenv("HOME", QFile::encodeName(fakeHome));
    const bool removed = RemoveWebSiteFiles(fakeHome + u'/', nullptr);
    qputenv("HOME", home);
    EXPECT_FALSE(removed);
    EXPECT_TRUE(QFileInfo::exists(fakeHome + QStringLiteral("/images/holiday.jpg")));
    EXPECT_TRUE(QFileInfo::exists(fakeHome + QStringLiteral("/index.htm")));
}
