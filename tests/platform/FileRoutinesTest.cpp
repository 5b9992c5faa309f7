// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/FileRoutines.h"
#include "platform/StatusReporter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <functional>

#include <gtest/gtest.h>

namespace {

void MakeFile(const QString& path)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write("x");
}

void MakeLink(const QString& target, const QString& link)
{
    ASSERT_TRUE(QFile::link(target, link)) << link.toStdString();
}

class RecordingDisplay : public TFolderScanDisplay {
public:
    void ClearCounts() override { events.append(QStringLiteral("clear")); }
    void ShowFolder(const QString& folder) override
    {
        events.append(QStringLiteral("folder ") + folder);
        if (onFolder)
            onFolder(folder);
    }
    void AddFound(const QString& path) override { events.append(QStringLiteral("found ") + path); }
    void ShowCounts(int checked, int found) override
    {
        events.append(QStringLiteral("counts %1 %2").arg(checked).arg(found));
    }

    QStringList events;
    std::function<void(const QString&)> onFolder;
};

class RecordingStatus : public TStatusReporter {
public:
    void SetRange(int minimum, int maximum) override
    {
        min = minimum;
        max = maximum;
        ranges.append(QStringLiteral("%1..%2").arg(minimum).arg(maximum));
    }
    void SetPosition(int p) override { position = p; }
    int Position() const override { return position; }
    int Maximum() const override { return max; }
    void StepIt() override { position = qMin(position + 1, max); }
    void SetNumberToGo(const QString& text) override { toGo.append(text); }
    void SetSubject(const QString&) override { }
    void SetObject(const QString& text) override
    {
        objects.append(text);
        if (cancelAfter >= 0 && objects.size() >= cancelAfter)
            cancelled = true;
    }
    void ShowStatus() override { ++shown; }
    void ProcessEvents() override { ++pumped; }
    bool IsCancelled() const override { return cancelled; }

    int min = 0;
    int max = 100;
    int position = 0;
    int shown = 0;
    int pumped = 0;
    int cancelAfter = -1;
    bool cancelled = false;
    QStringList ranges;
    QStringList toGo;
    QStringList objects;
};

class FolderScanTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        root = dir.path() + u'/';
    }

    QStringList Scan(const QStringList& extensions, bool recursive, TFolderScanDisplay* display = nullptr)
    {
        QStringList found;
        StartFolderScan(dir.path(), extensions, &found, display, recursive);
        return found;
    }

    QTemporaryDir dir;
    QString root;
};

} // namespace

TEST_F(FolderScanTest, ExtensionComparedInLowerCase)
{
    MakeFile(root + QStringLiteral("A.TVX"));
    MakeFile(root + QStringLiteral("b.tvx"));
    MakeFile(root + QStringLiteral("c.tvx.bak"));
    MakeFile(root + QStringLiteral("tvx"));
    EXPECT_EQ(Scan({ QStringLiteral("tvx") }, false),
        (QStringList { root + QStringLiteral("A.TVX"), root + QStringLiteral("b.tvx") }));
    EXPECT_EQ(FolderScanCheckedCount, 4);
    EXPECT_EQ(FolderScanFoundCount, 2);
}

TEST_F(FolderScanTest, FilesBeforeSubfoldersDepthFirst)
{
    MakeFile(root + QStringLiteral("sub1/deep/y.jpg"));
    MakeFile(root + QStringLiteral("sub1/x.jpg"));
    MakeFile(root + QStringLiteral("sub2/z.jpg"));
    MakeFile(root + QStringLiteral("top.jpg"));
    MakeFile(root + QStringLiteral("zz.jpg"));
    EXPECT_EQ(Scan({ QStringLiteral("jpg") }, true),
        (QStringList { root + QStringLiteral("top.jpg"), root + QStringLiteral("zz.jpg"),
            root + QStringLiteral("sub1/x.jpg"), root + QStringLiteral("sub1/deep/y.jpg"),
            root + QStringLiteral("sub2/z.jpg") }));
    EXPECT_EQ(Scan({ QStringLiteral("jpg") }, false),
        (QStringList { root + QStringLiteral("top.jpg"), root + QStringLiteral("zz.jpg") }));
}

TEST_F(FolderScanTest, HiddenEntriesAreSkipped)
{
    MakeFile(root + QStringLiteral(".hidden.jpg"));
    MakeFile(root + QStringLiteral(".cache/a.jpg"));
    MakeFile(root + QStringLiteral("seen.jpg"));
    EXPECT_EQ(Scan({ QStringLiteral("jpg") }, true), QStringList { root + QStringLiteral("seen.jpg") });
    EXPECT_EQ(FolderScanCheckedCount, 1);
}

TEST_F(FolderScanTest, SymbolicLinkLoopIsNotFollowed)
{
    MakeFile(root + QStringLiteral("sub/a.jpg"));
    MakeLink(dir.path(), root + QStringLiteral("sub/back-to-top"));
    MakeLink(root + QStringLiteral("sub"), root + QStringLiteral("sideways"));
    EXPECT_EQ(Scan({ QStringLiteral("jpg") }, true), QStringList { root + QStringLiteral("sub/a.jpg") });
}

TEST_F(FolderScanTest, DisplaySeesFolderFilesThenCounts)
{
    MakeFile(root + QStringLiteral("a.jpg"));
    MakeFile(root + QStringLiteral("b.txt"));
    MakeFile(root + QStringLiteral("sub/c.jpg"));
    RecordingDisplay display;
    Scan({ QStringLiteral("jpg") }, true, &display);
    EXPECT_EQ(display.events,
        (QStringList { QStringLiteral("clear"), QStringLiteral("folder ") + root,
            QStringLiteral("found ") + root + QStringLiteral("a.jpg"), QStringLiteral("counts 2 1"),
            QStringLiteral("folder ") + root + QStringLiteral("sub/"),
            QStringLiteral("found ") + root + QStringLiteral("sub/c.jpg"), QStringLiteral("counts 3 2") }));
}

TEST_F(FolderScanTest, StopDuringScanEndsBeforeTheNextFolder)
{
    MakeFile(root + QStringLiteral("a.jpg"));
    MakeFile(root + QStringLiteral("sub/b.jpg"));
    RecordingDisplay display;
    display.onFolder = [](const QString&) { FolderScanStopped = true; };
    EXPECT_EQ(
        Scan({ QStringLiteral("jpg") }, true, &display), QStringList { root + QStringLiteral("a.jpg") });
    FolderScanStopped = false;
}

TEST_F(FolderScanTest, StartClearsAStopLeftOver)
{
    MakeFile(root + QStringLiteral("a.jpg"));
    FolderScanStopped = true;
    FolderScanCheckedCount = 99;
    EXPECT_EQ(Scan({ QStringLiteral("jpg") }, true), QStringList { root + QStringLiteral("a.jpg") });
    EXPECT_EQ(FolderScanCheckedCount, 1);

    // ScanFolder on its own honours the flag.
    FolderScanStopped = true;
    QStringList found;
    ScanFolder(dir.path(), { QStringLiteral("jpg") }, &found, nullptr, true);
    EXPECT_TRUE(found.isEmpty());
    FolderScanStopped = false;
}

TEST_F(FolderScanTest, MissingFolderFindsNothing)
{
    EXPECT_TRUE(Scan({ QStringLiteral("jpg") }, true).isEmpty());
    QStringList found;
    StartFolderScan(root + QStringLiteral("nowhere"), { QStringLiteral("jpg") }, &found, nullptr, true);
    EXPECT_TRUE(found.isEmpty());
    EXPECT_EQ(FolderScanCheckedCount, 0);
}

TEST(DeleteFolderContents, EmptiesTreeButKeepsTheFolder)
{
    QTemporaryDir dir;
    const QString root = dir.path() + u'/';
    MakeFile(root + QStringLiteral("a.jpg"));
    MakeFile(root + QStringLiteral("sub/b.jpg"));
    MakeFile(root + QStringLiteral("sub/deeper/c.jpg"));
    EXPECT_TRUE(DeleteFolderContents(dir.path(), true, nullptr));
    EXPECT_TRUE(QDir(root).exists());
    EXPECT_TRUE(QDir(root)
                    .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)
                    .isEmpty());
}

TEST(DeleteFolderContents, NotRecursiveLeavesSubfolders)
{
    QTemporaryDir dir;
    const QString root = dir.path() + u'/';
    MakeFile(root + QStringLiteral("a.jpg"));
    MakeFile(root + QStringLiteral("sub/b.jpg"));
    EXPECT_TRUE(DeleteFolderContents(dir.path(), false, nullptr));
    EXPECT_FALSE(QFile::exists(root + QStringLiteral("a.jpg")));
    EXPECT_TRUE(QFile::exists(root + QStringLiteral("sub/b.jpg")));
}

TEST(DeleteFolderContents, LinkToOutsideIsRemovedNotFollowed)
{
    QTemporaryDir dir;
    QTemporaryDir outside;
    const QString root = dir.path() + u'/';
    MakeFile(outside.path() + QStringLiteral("/precious.jpg"));
    MakeFile(root + QStringLiteral("sub/a.jpg"));
    MakeLink(outside.path(), root + QStringLiteral("sub/link-to-outside"));
    MakeLink(outside.path() + QStringLiteral("/precious.jpg"), root + QStringLiteral("file-link.jpg"));
    MakeLink(root + QStringLiteral("gone"), root + QStringLiteral("broken-link"));

    EXPECT_TRUE(DeleteFolderContents(dir.path(), true, nullptr));
    EXPECT_TRUE(QFile::exists(outside.path() + QStringLiteral("/precious.jpg")));
    EXPECT_FALSE(QFileInfo(root + QStringLiteral("sub")).exists());
    EXPECT_FALSE(QFileInfo(root + QStringLiteral("file-link.jpg")).isSymLink());
    EXPECT_FALSE(QFileInfo(root + QStringLiteral("broken-link")).isSymLink());
}

TEST(DeleteFolderContents, HiddenFileKeepsItsFolderAndFails)
{
    QTemporaryDir dir;
    const QString root = dir.path() + u'/';
    MakeFile(root + QStringLiteral("sub/.hidden"));
    MakeFile(root + QStringLiteral("sub/a.jpg"));
    EXPECT_FALSE(DeleteFolderContents(dir.path(), true, nullptr));
    EXPECT_TRUE(QFile::exists(root + QStringLiteral("sub/.hidden")));
    EXPECT_FALSE(QFile::exists(root + QStringLiteral("sub/a.jpg")));
}

TEST(DeleteFolderContents, ShowsEachFileWithNumberToGo)
{
    QTemporaryDir dir;
    const QString root = dir.path() + u'/';
    MakeFile(root + QStringLiteral("a.jpg"));
    MakeFile(root + QStringLiteral("b.jpg"));
    MakeFile(root + QStringLiteral("c.jpg"));
    RecordingStatus status;
    EXPECT_TRUE(DeleteFolderContents(dir.path(), true, &status));
    EXPECT_EQ(status.ranges, QStringList { QStringLiteral("0..3") });
    EXPECT_EQ(status.shown, 1);
    EXPECT_EQ(status.objects,
        (QStringList { root + QStringLiteral("a.jpg"), root + QStringLiteral("b.jpg"),
            root + QStringLiteral("c.jpg") }));
    EXPECT_EQ(status.toGo,
        (QStringList { QStringLiteral("3"), QStringLiteral("2"), QStringLiteral("1"), QStringLiteral("0") }));
    EXPECT_EQ(status.pumped, 3);
}

TEST(DeleteFolderContents, EmptyFolderGivesRangeZeroToZero)
{
    QTemporaryDir dir;
    RecordingStatus status;
    EXPECT_TRUE(DeleteFolderContents(dir.path(), true, &status));
    EXPECT_EQ(status.ranges, QStringList { QStringLiteral("0..0") });
}

TEST(DeleteFolderContents, CancelStopsBeforeTheNextFile)
{
    QTemporaryDir dir;
    const QString root = dir.path() + u'/';
    MakeFile(root + QStringLiteral("a.jpg"));
    MakeFile(root + QStringLiteral("b.jpg"));
    MakeFile(root + QStringLiteral("sub/c.jpg"));
    RecordingStatus status;
    status.cancelAfter = 1;
    EXPECT_FALSE(DeleteFolderContents(dir.path(), true, &status));
    EXPECT_FALSE(QFile::exists(root + QStringLiteral("a.jpg")));
    EXPECT_TRUE(QFile::exists(root + QStringLiteral("b.jpg")));
    EXPECT_TRUE(QFile::exists(root + QStringLiteral("sub/c.jpg")));
}

TEST(GetLongFileName, ExistingPathOrEmpty)
{
    QTemporaryDir dir;
    const QString file = dir.path() + QStringLiteral("/A Long Name.tvx");
    MakeFile(file);
    EXPECT_EQ(GetLongFileName(file), file);
    EXPECT_EQ(GetLongFileName(dir.path()), dir.path());
    EXPECT_EQ(GetLongFileName(dir.path() + QStringLiteral("/missing.tvx")), QString());
    EXPECT_EQ(GetLongFileName(QString()), QString());
}

TEST(DeleteFolderContents, FolderThatIsALinkOrEmptyNameIsRefused)
{
    QTemporaryDir dir;
    QTemporaryDir outside;
    const QString root = dir.path() + u'/';
    MakeFile(outside.path() + QStringLiteral("/precious.jpg"));
    MakeFile(outside.path() + QStringLiteral("/sub/also.jpg"));
    // A thumbnail folder planted as a link to the user's pictures.
    MakeLink(outside.path(), root + QStringLiteral("trip_thumbnails"));

    EXPECT_FALSE(DeleteFolderContents(root + QStringLiteral("trip_thumbnails"), true, nullptr));
    EXPECT_FALSE(DeleteFolderContents(root + QStringLiteral("trip_thumbnails/"), true, nullptr));
    EXPECT_TRUE(QFile::exists(outside.path() + QStringLiteral("/precious.jpg")));
    EXPECT_TRUE(QFile::exists(outside.path() + QStringLiteral("/sub/also.jpg")));

    // An empty name must not become the root folder.
    RecordingStatus status;
    EXPECT_FALSE(DeleteFolderContents(QString(), true, &status));
    EXPECT_EQ(status.shown, 0);
    EXPECT_TRUE(status.objects.isEmpty());
}

TEST(HasSubfolder, OnlyAShownFolderOrALinkToOneCounts)
{
    QTemporaryDir dir;
    const QString root = dir.path() + u'/';
    const auto folderWith = [&](const QString& name, const std::function<void(const QString&)>& make) {
        const QString folder = root + name;
        QDir().mkpath(folder);
        make(folder + QStringLiteral("/entry"));
        return HasSubfolder(folder);
    };
    const auto nothing = [](const QString&) {};
    const auto file = [](const QString& path) { MakeFile(path); };
    const auto folder = [](const QString& path) { QDir().mkpath(path); };
    const auto linkToFolder = [&](const QString& path) { MakeLink(dir.path(), path); };
    const auto linkToFile = [&](const QString& path) {
        MakeFile(root + QStringLiteral("target.jpg"));
        MakeLink(root + QStringLiteral("target.jpg"), path);
    };
    const auto brokenLink = [&](const QString& path) { MakeLink(root + QStringLiteral("gone"), path); };
    const auto hiddenFolder
        = [](const QString& path) { QDir().mkpath(QFileInfo(path).path() + QStringLiteral("/.hidden")); };

    EXPECT_FALSE(folderWith(QStringLiteral("empty"), nothing));
    EXPECT_FALSE(folderWith(QStringLiteral("file"), file));
    EXPECT_TRUE(folderWith(QStringLiteral("folder"), folder));
    EXPECT_TRUE(folderWith(QStringLiteral("link"), linkToFolder));
    EXPECT_FALSE(folderWith(QStringLiteral("linkToFile"), linkToFile));
    EXPECT_FALSE(folderWith(QStringLiteral("broken"), brokenLink));
    EXPECT_FALSE(folderWith(QStringLiteral("hidden"), hiddenFolder));
    EXPECT_FALSE(HasSubfolder(root + QStringLiteral("missing")));
    EXPECT_FALSE(HasSubfolder(root + QStringLiteral("file/entry")));
    EXPECT_FALSE(HasSubfolder(QString()));
}
