#include "common/SettingsFile.h"
#include "platform/AppFolders.h"
#include "platform/IniFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(OpenSettingsFile, BesideTheProgramWhenWritable)
{
    QTemporaryDir dir;
    AppFolders::SetProgramFolderForTesting(dir.path());
    {
        const std::unique_ptr<IniFile> ini = OpenSettingsFile();
        EXPECT_EQ(ini->FileName(), dir.path() + QStringLiteral("/tavrimolex.Ini"));
        ini->WriteString(
            QStringLiteral("UserPaths"), QStringLiteral("LastFolder"), QStringLiteral("/photos"));
    }
    EXPECT_TRUE(QFile::exists(dir.path() + QStringLiteral("/tavrimolex.Ini")));
    EXPECT_EQ(
        OpenSettingsFile()->ReadString(QStringLiteral("UserPaths"), QStringLiteral("LastFolder"), QString()),
        QStringLiteral("/photos"));
    AppFolders::SetProgramFolderForTesting(QString());
}
