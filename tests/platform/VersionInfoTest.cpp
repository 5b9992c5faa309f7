// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/VersionInfo.h"

#include "Version.h"

#include <gtest/gtest.h>

TEST(VersionInfo, SplitsTheFixedFileVersion)
{
    TVersionResource resource;
    resource.FileVersionMS = (1u << 16) | 19u;
    resource.FileVersionLS = 0;
    const TVersionInfo info(resource);
    EXPECT_EQ(info.Major, 1);
    EXPECT_EQ(info.Minor, 19);
    EXPECT_EQ(info.Release, 0);
    EXPECT_EQ(info.Build, 0);
}

TEST(VersionInfo, MissingNameReadsEmptyWhileOthersAreRead)
{
    TVersionResource resource;
    for (const QString& key : TVersionInfo::Keys())
        if (key != QStringLiteral("VersionDetails"))
            resource.Strings.insert(key, key + QStringLiteral(" text"));
    const TVersionInfo info(resource);
    EXPECT_TRUE(info.VersionDetails.isEmpty());
    EXPECT_EQ(info.FileVersion, QStringLiteral("FileVersion text"));
    EXPECT_EQ(info.CurrentDatabaseVersion, QStringLiteral("CurrentDatabaseVersion text"));
    for (const QString& key : TVersionInfo::Keys()) {
        if (key != QStringLiteral("VersionDetails")) {
            EXPECT_EQ(info.Value(key), key + QStringLiteral(" text")) << key.toStdString();
        }
    }
}

TEST(VersionInfo, ThirteenNamesInOrder)
{
    ASSERT_EQ(TVersionInfo::Keys().size(), 13);
    EXPECT_EQ(TVersionInfo::Keys().first(), QStringLiteral("FileVersion"));
    EXPECT_EQ(TVersionInfo::Keys().last(), QStringLiteral("VersionDetails"));
}

TEST(VersionInfo, EmptyResourceDoesNotFail)
{
    const TVersionInfo info { TVersionResource() };
    EXPECT_TRUE(info.FileVersion.isEmpty());
    EXPECT_EQ(info.Major, 0);
}

TEST(VersionInfo, ProgramVersionComesFromTheBuild)
{
    EXPECT_EQ(VersionInfo.FileVersion, QStringLiteral(TAVRI_VERSION_STRING));
    EXPECT_EQ(VersionInfo.Major, TAVRI_VERSION_MAJOR);
    EXPECT_EQ(VersionInfo.Minor, TAVRI_VERSION_MINOR);
    EXPECT_EQ(VersionInfo.Release, TAVRI_VERSION_PATCH);
    EXPECT_EQ(VersionInfo.Build, TAVRI_VERSION_TWEAK);
    EXPECT_EQ(TVersionInfo().FileVersion, VersionInfo.FileVersion);
    EXPECT_EQ(VersionInfo.ProductName, QStringLiteral("Tavrimolex 2005"));
}
