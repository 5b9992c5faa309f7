// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/FileCopy.h"
#include "platform/FileRoutines.h"
#include "platform/RenameNoReplace.h"
#include "platform/SafeFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>

// Every call given a path that holds a NUL refuses it. Cut at the NUL, the
// path would name "short", a file that none of these calls was meant for.
TEST(NativePath, APathHoldingANulIsRefusedNeverCut)
{
    QTemporaryDir dir;
    const QString cut = dir.filePath(QStringLiteral("short"));
    const QString spare = dir.filePath(QStringLiteral("spare"));
    const QString holding = cut + QChar(0) + QStringLiteral(".jpg");
    ASSERT_TRUE(WriteFileAtomically(spare, "spare", TLinkPolicy::Replace));
    const auto files = [&dir] { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); };
    int error = 0;

    // Nothing is written under the short name.
    EXPECT_FALSE(RenameNoReplace(spare, holding, &error));
    EXPECT_EQ(error, EINVAL);
    EXPECT_FALSE(WriteFileAtomically(holding, "written", TLinkPolicy::Replace, false, &error));
    EXPECT_EQ(error, EINVAL);
    EXPECT_FALSE(CopyFileReplacing(spare, holding, &error));
    EXPECT_FALSE(FileNameUsable(holding, &error));
    EXPECT_EQ(error, EINVAL);
    EXPECT_EQ(files(), QStringList { QStringLiteral("spare") });

    // Nothing is read, moved or removed under it.
    ASSERT_TRUE(WriteFileAtomically(cut, "unrelated", TLinkPolicy::Replace));
    QByteArray data;
    EXPECT_FALSE(ReadRegularFile(holding, 100, data, &error));
    EXPECT_EQ(error, EINVAL);
    EXPECT_FALSE(CopyFileReplacing(holding, dir.filePath(QStringLiteral("copy")), &error));
    EXPECT_EQ(error, EINVAL);
    EXPECT_FALSE(RenameNoReplace(holding, dir.filePath(QStringLiteral("renamed")), &error));
    EXPECT_EQ(error, EINVAL);
    EXPECT_FALSE(DeleteFolderContents(dir.path() + QChar(0) + QStringLiteral("x"), true, nullptr));
    EXPECT_EQ(files(), (QStringList { QStringLiteral("short"), QStringLiteral("spare") }));
    ASSERT_TRUE(ReadRegularFile(cut, 100, data));
    EXPECT_EQ(data, QByteArray("unrelated"));
}
