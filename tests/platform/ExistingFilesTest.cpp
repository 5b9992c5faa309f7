#include "platform/ExistingFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Whether a folder is answered from its listing or file by file, the answers
// are those of the file system itself.
TEST(ExistingFiles, ListedFoldersAnswerAsTheFileSystemDoes)
{
    QTemporaryDir dir;
    const QString d = dir.path() + u'/';
    QDir().mkpath(d + QStringLiteral("sub"));
    for (const char* name : { "a.jpg", "B.JPG", "sub/c.jpg" }) {
        QFile f(d + QLatin1String(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    ASSERT_TRUE(QFile::link(d + QStringLiteral("a.jpg"), d + QStringLiteral("link.jpg")));
    ASSERT_TRUE(QFile::link(d + QStringLiteral("gone.jpg"), d + QStringLiteral("dangling.jpg")));
    ASSERT_TRUE(QFile::link(d + QStringLiteral("sub"), d + QStringLiteral("folderlink")));

    const QStringList paths = { d + QStringLiteral("a.jpg"), d + QStringLiteral("A.jpg"),
        d + QStringLiteral("B.JPG"), d + QStringLiteral("missing.jpg"), d + QStringLiteral("sub"),
        d + QStringLiteral("link.jpg"), d + QStringLiteral("dangling.jpg"), d + QStringLiteral("folderlink"),
        d + QStringLiteral("sub/c.jpg"), d + QStringLiteral("sub/../a.jpg"), d + QStringLiteral("./a.jpg"),
        QStringLiteral("a.jpg"), QString() };
    TExistingFiles files;
    // Enough rounds that every folder is read whole.
    for (int round = 0; round < TExistingFiles::ListingThreshold + 2; ++round) {
        for (const QString& path : paths) {
            const bool expected = QDir::isAbsolutePath(path) && QFileInfo(path).isFile();
            EXPECT_EQ(files.IsFile(path), expected) << path.toStdString() << " round " << round;
        }
    }
}
