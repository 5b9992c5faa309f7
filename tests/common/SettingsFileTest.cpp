// SPDX-License-Identifier: GPL-2.0-or-later
#include "common/SettingsFile.h"
#include "platform/AppFolders.h"
#include "platform/IniFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString LastFolder()
{
    return OpenSettingsFile()->ReadString(
        QStringLiteral("UserPaths"), QStringLiteral("LastFolder"), QString());
}

} // namespace

// The settings live in the user's config folder, also when the program's
// folder is writable (run as root it would be /usr/bin); only a tavrimolex.Ini
// already lying beside the executable, a portable copy, keeps them there.
TEST(OpenSettingsFile, UserConfigFolderUnlessAPortableCopyLiesBesideTheProgram)
{
    QTemporaryDir dir;
    const QString program = dir.filePath(QStringLiteral("bin"));
    const QString home = dir.filePath(QStringLiteral("home"));
    ASSERT_TRUE(QDir().mkpath(program));
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    const QByteArray oldHome = qgetenv("HOME");
    AppFolders::SetProgramFolderForTesting(program);

    // No config folder named: ~/.config; a relative one does not count either.
    for (const QByteArray& config : { QByteArray(), QByteArray("relative/config") }) {
        qputenv("XDG_CONFIG_HOME", config);
        qputenv("HOME", QFile::encodeName(home));
        EXPECT_EQ(
            OpenSettingsFile()->FileName(), home + QStringLiteral("/.config/tavrimolex/tavrimolex.Ini"));
    }

    const QString config = dir.filePath(QStringLiteral("config"));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config));
    OpenSettingsFile()->WriteString(
        QStringLiteral("UserPaths"), QStringLiteral("LastFolder"), QStringLiteral("/photos"));
    EXPECT_TRUE(QFile::exists(config + QStringLiteral("/tavrimolex/tavrimolex.Ini")));
    EXPECT_FALSE(QFile::exists(program + QStringLiteral("/tavrimolex.Ini")));
    EXPECT_EQ(LastFolder(), QStringLiteral("/photos"));

    QFile portable(program + QStringLiteral("/tavrimolex.Ini"));
    ASSERT_TRUE(portable.open(QIODevice::WriteOnly));
    portable.write("[UserPaths]\r\nLastFolder=/stick/photos\r\n");
    portable.close();
    EXPECT_EQ(OpenSettingsFile()->FileName(), program + QStringLiteral("/tavrimolex.Ini"));
    EXPECT_EQ(LastFolder(), QStringLiteral("/stick/photos"));

    AppFolders::SetProgramFolderForTesting(QString());
    qputenv("XDG_CONFIG_HOME", oldConfig);
    qputenv("HOME", oldHome);
}
