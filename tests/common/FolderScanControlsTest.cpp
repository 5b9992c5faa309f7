// SPDX-License-Identifier: GPL-2.0-or-later
#include "common/FolderScanControls.h"
#include "common/BusyGuard.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class FolderScanControlsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        root = dir.path() + u'/';
        for (const char* name : { "a.tvx", "b.txt", "sub/c.tvx", "sub/deeper/d.tvx" }) {
            const QString path = root + QString::fromUtf8(name);
            QDir().mkpath(QFileInfo(path).path());
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
    }

    QTemporaryDir dir;
    QString root;
    const QStringList extensions { QStringLiteral("tvx") };
};

} // namespace

TEST_F(FolderScanControlsTest, FillsListFolderAndCounters)
{
    QListWidget list;
    QLineEdit folder;
    QLabel checked(QStringLiteral("old"));
    QLineEdit foundCount(QStringLiteral("old"));
    QStringList found;
    EXPECT_TRUE(StartFolderScan(dir.path(), extensions, &found, &list, &folder, &checked, &foundCount, true));
    ASSERT_EQ(list.count(), 3);
    EXPECT_EQ(list.item(0)->text(), root + QStringLiteral("a.tvx"));
    EXPECT_EQ(list.item(2)->text(), root + QStringLiteral("sub/deeper/d.tvx"));
    EXPECT_EQ(found.size(), 3);
    EXPECT_EQ(folder.text(), root + QStringLiteral("sub/deeper/"));
    EXPECT_EQ(checked.text(), QStringLiteral("4"));
    EXPECT_EQ(foundCount.text(), QStringLiteral("3"));
    EXPECT_FALSE(TBusyGuard::IsBusy());
}

TEST_F(FolderScanControlsTest, RefusedWhileAnotherLongOperationRuns)
{
    QListWidget list;
    {
        const TBusyGuard running;
        ASSERT_TRUE(running.Acquired());
        EXPECT_TRUE(TBusyGuard::IsBusy());
        EXPECT_FALSE(
            StartFolderScan(dir.path(), extensions, nullptr, &list, nullptr, nullptr, nullptr, true));
        EXPECT_EQ(list.count(), 0);
        const TBusyGuard second;
        EXPECT_FALSE(second.Acquired());
    }
    EXPECT_FALSE(TBusyGuard::IsBusy());
    EXPECT_TRUE(StartFolderScan(dir.path(), extensions, nullptr, &list, nullptr, nullptr, nullptr, true));
    EXPECT_EQ(list.count(), 3);
}

TEST_F(FolderScanControlsTest, SecondScanStartedFromInsideTheFirstIsRefused)
{
    QListWidget list;
    QLineEdit folder;
    QListWidget secondList;
    int secondResult = -1;
    // The scan lets pending events run when it shows a folder: a click on a
    // second search button arrives then.
    QTimer::singleShot(0, [&] {
        secondResult
            = StartFolderScan(dir.path(), extensions, nullptr, &secondList, nullptr, nullptr, nullptr, true)
            ? 1
            : 0;
    });
    EXPECT_TRUE(StartFolderScan(dir.path(), extensions, nullptr, &list, &folder, nullptr, nullptr, true));
    EXPECT_EQ(secondResult, 0);
    EXPECT_EQ(secondList.count(), 0);
    EXPECT_EQ(list.count(), 3);
}

TEST_F(FolderScanControlsTest, ControlsDestroyedDuringTheScanAreLeftAlone)
{
    auto list = std::make_unique<QListWidget>();
    auto folder = std::make_unique<QLineEdit>();
    auto checked = std::make_unique<QLabel>();
    QTimer::singleShot(0, [&] {
        list.reset();
        checked.reset();
    });
    QStringList found;
    EXPECT_TRUE(StartFolderScan(
        dir.path(), extensions, &found, list.get(), folder.get(), checked.get(), nullptr, true));
    EXPECT_EQ(found.size(), 3);
    EXPECT_FALSE(list);
}

TEST_F(FolderScanControlsTest, StopButtonEndsTheScanBeforeTheNextFolder)
{
    QListWidget list;
    QLineEdit folder;
    QTimer::singleShot(0, [] { FolderScanStopped = true; });
    EXPECT_TRUE(StartFolderScan(dir.path(), extensions, nullptr, &list, &folder, nullptr, nullptr, true));
    ASSERT_EQ(list.count(), 1);
    EXPECT_EQ(list.item(0)->text(), root + QStringLiteral("a.tvx"));
    FolderScanStopped = false;
}
