// SPDX-License-Identifier: GPL-2.0-or-later
#include "FakeStatusReporter.h"
#include "ModelTestUtil.h"

#include "model/Album.h"
#include "model/StreamError.h"
#include "platform/SafeFile.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstddef>
#include <cstdio>
#include <iterator>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// From here on every write to a file (the standard streams still work) fails
// as on a full disk. False where the system does not allow the filter.
bool FailFileWritesAsOnAFullDisk()
{
    sock_filter filter[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_write, 0, 3),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, args[0])),
        BPF_JUMP(BPF_JMP | BPF_JGT | BPF_K, 2, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | ENOSPC),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    sock_fprog program { static_cast<unsigned short>(std::size(filter)), filter };
    return ::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0
        && ::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0;
}

// The album of the one-photo example: object "Beach", photo "/p/abc.jp" (ten
// 7-bit characters) in 1999 with that object.
void FillOnePhotoAlbum(TAlbum& album)
{
    album.GetObjects().AddName(QStringLiteral("Beach"));
    album.GetPhotos().AddName(QStringLiteral("/p/abc.jpg"));
    TPhoto* p = album.GetPhotos().PhotoAt(0);
    p->SetYear(QStringLiteral("1999"));
    p->GetObjectIds().Add(0);
}

QByteArray OnePhotoAlbumBytes(bool versionOne)
{
    QByteArray b = Bytes({ 0x02, versionOne ? 0x01 : 0x02, 0x06, 0x00, 0x02, 0x01, 0x02, 0x00, 0x06, 0x05 });
    b += "Beach";
    b += Bytes({ 0x08, 0x02, 0x01, 0x02, 0x00, 0x02, 0x00, 0x02, 0x01, 0x02, 0x00, 0x06, 0x0A });
    b += "/p/abc.jpg";
    b += Bytes({ 0x08, 0x06, 0x00, 0x06, 0x04 });
    b += "1999";
    b += Bytes({ 0x02, 0xFF, 0x02, 0x01, 0x02, 0x00, 0x02, 0xFF, 0x06, 0x00, 0x08, 0x02, 0xFF, 0x06, 0x00 });
    if (!versionOne)
        b += Bytes({ 0x09 });
    b += Bytes({ 0x02, 0x01, 0x02, 0x28, 0x02, 0x28 });
    return b;
}

class AlbumFile : public ::testing::Test {
protected:
    QString Path(const QString& name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

} // namespace

TEST_F(AlbumFile, NewAlbumIsTwentyBytes)
{
    TAlbum album(Path(QStringLiteral("new.tvx")));
    EXPECT_TRUE(album.SaveToFile());
    EXPECT_EQ(ReadAll(album.GetFileName()),
        Bytes({ 0x02, 0x02, 0x06, 0x00, 0x02, 0x00, 0x02, 0x00, 0x02, 0x00, 0x02, 0x00, 0x02, 0x00, 0x02,
            0x00, 0x02, 0x28, 0x02, 0x28 }));
}

TEST_F(AlbumFile, OnePhotoAlbumLayout)
{
    TAlbum album(Path(QStringLiteral("one.tvx")));
    FillOnePhotoAlbum(album);
    album.SaveToFile();
    EXPECT_EQ(ReadAll(album.GetFileName()).toHex(' '), OnePhotoAlbumBytes(false).toHex(' '));
}

TEST_F(AlbumFile, VersionOneFileLoadsWithPublishFlagSet)
{
    const QString file = Path(QStringLiteral("v1.tvx"));
    ASSERT_TRUE(WriteAll(file, OnePhotoAlbumBytes(true)));
    const auto album = TAlbum::CreateFromFile(file, nullptr);
    EXPECT_EQ(album->GetFileVersion(), 1);
    ASSERT_EQ(album->GetPhotos().Count(), 1);
    const TPhoto* p = album->GetPhotos().PhotoAt(0);
    EXPECT_TRUE(p->GetUseInHtml());
    EXPECT_EQ(p->GetYear(), QStringLiteral("1999"));
    EXPECT_EQ(album->ObjectNameById(p->GetObjectIds().ValueAt(0)), QStringLiteral("Beach"));
    EXPECT_EQ(album->GetThumbWidth(), 40);

    // Saving writes version 2 but the album keeps the version it read.
    album->SaveToFile();
    EXPECT_EQ(ReadAll(file), OnePhotoAlbumBytes(false));
    EXPECT_EQ(album->GetFileVersion(), 1);
}

TEST_F(AlbumFile, LaterVersionsReadLikeVersionTwo)
{
    const QString file = Path(QStringLiteral("v7.tvx"));
    QByteArray data = OnePhotoAlbumBytes(false);
    data[1] = 7;
    ASSERT_TRUE(WriteAll(file, data + QByteArray("trailing bytes do not matter")));
    const auto album = TAlbum::CreateFromFile(file, nullptr);
    EXPECT_EQ(album->GetFileVersion(), 7);
    EXPECT_TRUE(album->IsVersionSupported());
    EXPECT_EQ(album->GetPhotos().Count(), 1);
}

TEST_F(AlbumFile, NonAsciiRoundTripIsByteIdentical)
{
    const QString file = Path(QStringLiteral("Zoë's trip.tvx"));
    TAlbum album(file);
    album.SetDescription(QStringLiteral("Été à Kraków – 東京"));
    album.GetObjects().AddName(QStringLiteral("Ærø"));
    album.GetObjects().AddName(QString(300, u'x'));
    album.GetEvents().AddName(QStringLiteral("Fête"));
    album.GetEvents().ItemAt(0)->Select();
    album.GetPhotos().AddName(QStringLiteral("/fotos/año/niño.jpg"));
    album.GetPhotos().AddName(QStringLiteral("D:\\Photos\\b.jpg"));
    TPhoto* p = album.GetPhotos().PhotoAt(0);
    p->SetDescription(QStringLiteral("Ñandú"));
    p->SetEventId(0);
    p->GetObjectIds().Add(1);
    p->GetObjectIds().Add(0);
    p->GetThumbNail().SetFileSize(123456);
    p->GetThumbNail().SetFileDate(QStringLiteral("07/15/2004/13/45"));
    album.GetPhotos().PhotoAt(1)->SetUseInHtml(false);
    // Enough photos for the file to be read in several pieces, one with a
    // description longer than a piece, and years that recur.
    for (int i = 0; i < 3000; ++i) {
        album.GetPhotos().AddName(QStringLiteral("/fotos/%1.jpg").arg(i));
        album.GetPhotos().PhotoAt(i + 2)->SetYear(QString::number(1990 + i % 7));
    }
    album.GetPhotos().PhotoAt(1502)->SetDescription(QString(100000, u'é'));
    album.SetThumbWidth(160);
    album.SetThumbHeight(120);
    album.SaveToFile();
    const QByteArray first = ReadAll(file);

    FakeStatusReporter status;
    const auto back = TAlbum::CreateFromFile(file, &status);
    EXPECT_EQ(back->GetName(), QStringLiteral("Zoë's trip"));
    EXPECT_EQ(back->GetDescription(), album.GetDescription());
    EXPECT_EQ(back->ObjectIdByName(QStringLiteral("Ærø")), 0);
    EXPECT_EQ(back->EventNameById(0), QStringLiteral("Fête"));
    EXPECT_TRUE(back->GetEvents().ItemAt(0)->IsSelected());
    EXPECT_EQ(back->GetPhotos().PhotoAt(0)->GetName(), QStringLiteral("/fotos/año/niño.jpg"));
    EXPECT_EQ(back->GetPhotos().PhotoAt(0)->GetDescription(), QStringLiteral("Ñandú"));
    EXPECT_EQ(back->GetPhotos().PhotoAt(0)->GetObjectIds().Values(), QList<int>({ 1, 0 }));
    EXPECT_EQ(back->GetPhotos().PhotoAt(0)->GetThumbNail().GetFileSize(), 123456);
    EXPECT_FALSE(back->GetPhotos().PhotoAt(1)->GetUseInHtml());
    ASSERT_EQ(back->GetPhotos().Count(), 3002);
    EXPECT_EQ(back->GetPhotos().PhotoAt(1502)->GetDescription(), QString(100000, u'é'));
    EXPECT_EQ(back->GetPhotos().PhotoAt(3001)->GetYear(), QStringLiteral("1993"));
    EXPECT_EQ(back->GetThumbHeight(), 120);

    back->SaveToFile();
    EXPECT_EQ(ReadAll(file), first);
}

TEST_F(AlbumFile, NamesAndFolders)
{
    TAlbum windows(QStringLiteral("C:\\a\\My.Album.tvx"));
    EXPECT_EQ(windows.GetName(), QStringLiteral("My.Album"));
    EXPECT_EQ(windows.GetFolder(), QStringLiteral("C:\\a\\"));
    EXPECT_EQ(windows.GetDriveLetter(), QChar(u'C'));

    TAlbum empty { QString() };
    EXPECT_EQ(empty.GetDriveLetter(), QChar(u' '));

    // A relative path (from a command line) becomes absolute, so relocation stores full paths.
    const QString old = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    TAlbum relative(QStringLiteral("sub/../rel.tvx"));
    QDir::setCurrent(old);
    EXPECT_EQ(relative.GetFileName(), QDir(dir.path()).canonicalPath() + QStringLiteral("/rel.tvx"));
    EXPECT_EQ(relative.GetFolder(), QDir(dir.path()).canonicalPath() + u'/');
}

TEST_F(AlbumFile, SaveIntoMissingFolderFailsWithCreateError)
{
    TAlbum album(Path(QStringLiteral("no/such/folder/a.tvx")));
    try {
        album.SaveToFile();
        FAIL() << "no error";
    } catch (const EStreamError& e) {
        EXPECT_TRUE(
            e.Message().startsWith(QStringLiteral("Cannot create file \"") + album.GetFileName() + u'"'))
            << e.Message().toStdString();
    }
}

TEST_F(AlbumFile, AFullDiskKeepsTheOldFileAndSaysWhy)
{
    const QString file = Path(QStringLiteral("keep.tvx"));
    TAlbum album(file);
    FillOnePhotoAlbum(album);
    album.SaveToFile();
    const QByteArray before = ReadAll(file);
    for (int i = 0; i < 200; ++i)
        album.GetPhotos().AddName(QStringLiteral("/a/long/enough/path/to/grow/the/file/photo-%1.jpg").arg(i));

    // The save runs in a child process, the only one whose disk is full.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (!FailFileWritesAsOnAFullDisk())
            std::_Exit(2);
        try {
            album.SaveToFile();
        } catch (const EStreamError& e) {
            std::fprintf(stderr, "%s\n", qPrintable(e.Message()));
            const QString expected = QStringLiteral("Stream write error. ") + SystemErrorText(ENOSPC);
            std::_Exit(e.Message() == expected ? 0 : 1);
        }
        std::_Exit(3);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 2)
        GTEST_SKIP() << "this system refuses the filter that makes a disk look full";
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: the message above is not the one expected; 3: no error";
    EXPECT_EQ(ReadAll(file), before);
    EXPECT_EQ(
        QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System), QStringList({ "keep.tvx" }));
}

TEST_F(AlbumFile, ASaveKilledHalfWayLeavesNothingOnceTheAlbumIsSavedAgain)
{
    const QString file = Path(QStringLiteral("trip.tvx"));
    TAlbum album(file);
    FillOnePhotoAlbum(album);
    album.SaveToFile();
    // A leftover of a save killed where files cannot be unnamed (a FAT stick),
    // and what must stay: the user's own copy, a link of the leftovers' form,
    // and another album's leftover.
    WriteAll(Path(QStringLiteral("trip.tvx.tavri-Ab12Cd")), "half an album");
    WriteAll(Path(QStringLiteral("trip.tvx.backup")), "the user's copy");
    WriteAll(Path(QStringLiteral("outside.txt")), "outside");
    ASSERT_TRUE(
        QFile::link(Path(QStringLiteral("outside.txt")), Path(QStringLiteral("trip.tvx.tavri-Zz99Zz"))));
    WriteAll(Path(QStringLiteral("other.tvx.tavri-Xy34Wv")), "another album's");

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        TAtomicFile save(file, TLinkPolicy::Follow, true);
        if (save.Open() && save.Write(QByteArray(1 << 20, 'x')))
            ::kill(::getpid(), SIGKILL);
        std::_Exit(1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));

    album.SaveToFile();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name),
        QStringList({ "other.tvx.tavri-Xy34Wv", "outside.txt", "trip.tvx", "trip.tvx.backup",
            "trip.tvx.tavri-Zz99Zz" }));
    EXPECT_EQ(ReadAll(Path(QStringLiteral("outside.txt"))), QByteArray("outside"));
    EXPECT_EQ(TAlbum::CreateFromFile(file, nullptr)->GetPhotos().Count(), 1);
}
