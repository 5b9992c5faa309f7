// SPDX-License-Identifier: GPL-2.0-or-later
#include "FakeStatusReporter.h"
#include "ModelTestUtil.h"

#include "imaging/JpegCodec.h"
#include "language/LanguageSelector.h"
#include "model/Album.h"
#include "model/StreamError.h"
#include "model/UserMessage.h"
#include "platform/OrderedWork.h"
#include "platform/Paths.h"
#include "platform/TextUtil.h"
#include "support/ScopedWorkerThreads.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QMap>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

bool NearColor(QRgb pixel, QColor expected, int tolerance = 24)
{
    return std::abs(qRed(pixel) - expected.red()) <= tolerance
        && std::abs(qGreen(pixel) - expected.green()) <= tolerance
        && std::abs(qBlue(pixel) - expected.blue()) <= tolerance;
}

class ThumbnailCache : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = QDir(dir.path()).canonicalPath() + u'/';
        albumFile = root + QStringLiteral("Trip.tvx");
        folder = root + QStringLiteral("Trip_thumbnails/");
        SetUserMessageHandler([this](const QString& text) { messages << text; });
    }
    void TearDown() override { SetUserMessageHandler({}); }

    // A red photo of the given size.
    QString MakePhoto(const QString& name, int width = 200, int height = 100)
    {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(QColor(200, 0, 0));
        const QString path = root + name;
        EXPECT_TRUE(SaveJpegFile(image, path, 95));
        return path;
    }

    std::unique_ptr<TAlbum> AlbumWith(const QStringList& paths)
    {
        auto album = std::make_unique<TAlbum>(albumFile);
        for (const QString& p : paths)
            album->GetPhotos().AddName(p);
        return album;
    }

    QStringList IndexLines() const
    {
        QString text = QString::fromUtf8(ReadAll(folder + QStringLiteral("thumbnails.pct")));
        EXPECT_TRUE(text.endsWith(QStringLiteral("\r\n")));
        QStringList lines = text.split(QStringLiteral("\r\n"));
        lines.removeLast();
        return lines;
    }

    QTemporaryDir dir;
    QString root;
    QString albumFile;
    QString folder;
    QStringList messages;
};

} // namespace

TEST_F(ThumbnailCache, Names)
{
    auto album = AlbumWith({});
    EXPECT_EQ(album->Thumbnails().Folder(), folder);
    EXPECT_EQ(album->Thumbnails().IndexFileName(), folder + QStringLiteral("thumbnails.pct"));
    EXPECT_FALSE(QFileInfo::exists(folder));
    EXPECT_EQ(TThumbnailCache::TemporaryFolder(
                  QStringLiteral("/photos/albums/"), QDateTime(QDate(2005, 3, 5), QTime(14, 7, 42))),
        QStringLiteral("/photos/albums/tempthumbnails20050305_1407"));
    EXPECT_EQ(TThumbnailCache::ThumbnailFileName(folder, 3, QStringLiteral("/p/IMG_01.png")),
        folder + QStringLiteral("3_IMG_01.jpg"));
    EXPECT_EQ(TThumbnailCache::ThumbnailFileName(folder, 12, QStringLiteral("/p/IMG.jpeg")),
        folder + QStringLiteral("12_IMG.jpg"));
    EXPECT_EQ(TThumbnailCache::ThumbnailFileName(folder, 0, QStringLiteral("/p/noext")),
        folder + QStringLiteral("0_noext.jpg"));
    EXPECT_EQ(TThumbnailCache::ThumbnailFileName(folder, 1, QStringLiteral("D:\\p\\a.b.bmp")),
        folder + QStringLiteral("1_a.b.jpg"));
}

TEST_F(ThumbnailCache, EmptyAlbumWritesTwoLines)
{
    auto album = AlbumWith({});
    FakeStatusReporter status;
    EXPECT_TRUE(album->Thumbnails().Create(&status));
    EXPECT_EQ(ReadAll(folder + QStringLiteral("thumbnails.pct")), QByteArray("40\r\n40\r\n"));
    EXPECT_EQ(album->Thumbnails().LoadIndex(), 0);
}

TEST_F(ThumbnailCache, BuildsThumbnailsAndIndex)
{
    const QString a = MakePhoto(QStringLiteral("a.jpg"));
    const QString missing = root + QStringLiteral("missing.jpg");
    const QString b = MakePhoto(QStringLiteral("b.jpeg"), 30, 60);
    auto album = AlbumWith({ a, missing, b });
    FakeStatusReporter status;
    ASSERT_TRUE(album->Thumbnails().Create(&status));

    EXPECT_EQ(status.subject, Language()->PL[0]);
    EXPECT_EQ(status.maximumValue, 3);
    EXPECT_EQ(status.objects, QStringList({ a, missing, b }));
    EXPECT_EQ(IndexLines(),
        QStringList({ "40", "40", a + u'=' + folder + QStringLiteral("0_a.jpg"),
            b + u'=' + folder + QStringLiteral("2_b.jpg") }));
    EXPECT_FALSE(QFileInfo::exists(folder + QStringLiteral("1_missing.jpg")));

    QImage thumb;
    ASSERT_TRUE(DecodeJpegFile(folder + QStringLiteral("0_a.jpg"), thumb));
    EXPECT_EQ(thumb.size(), QSize(50, 50));
    EXPECT_TRUE(NearColor(thumb.pixel(1, 1), TThumbNailImage::CreamColor()));
    EXPECT_TRUE(NearColor(thumb.pixel(48, 25), TThumbNailImage::CreamColor()));
    EXPECT_TRUE(NearColor(thumb.pixel(25, 25), QColor(200, 0, 0)));

    // The record keeps the photo file's size and date; no picture stays in memory.
    const TPhoto* p = album->GetPhotos().PhotoAt(0);
    EXPECT_EQ(p->GetThumbNail().GetFileSize(), int(QFileInfo(a).size()));
    EXPECT_EQ(p->GetThumbNail().GetFileDate(),
        TThumbNail::FormatFileDate(QFileInfo(a).lastModified(), TThumbNail::DateSeparator()));
    EXPECT_FALSE(p->HasThumbnailImage());
    EXPECT_EQ(album->GetPhotos().PhotoAt(1)->GetThumbNail().GetFileSize(), -1);

    EXPECT_EQ(album->Thumbnails().LoadIndex(), 2);
    const TThumbnailIndex& index = album->Thumbnails().Index();
    EXPECT_EQ(index.Photos, QStringList({ a, b }));
    EXPECT_EQ(index.Thumbnails,
        QStringList({ folder + QStringLiteral("0_a.jpg"), folder + QStringLiteral("2_b.jpg") }));
    EXPECT_EQ(index.Width, 40);
}

TEST_F(ThumbnailCache, UpdateUsesItsOwnSubjectAndTheAlbumSize)
{
    auto album = AlbumWith({ MakePhoto(QStringLiteral("a.jpg")) });
    album->SetThumbWidth(100);
    album->SetThumbHeight(60);
    FakeStatusReporter status;
    ASSERT_TRUE(album->Thumbnails().Update(&status));
    EXPECT_EQ(status.subject, Language()->PL[1]);
    QImage thumb;
    ASSERT_TRUE(DecodeJpegFile(folder + QStringLiteral("0_a.jpg"), thumb));
    EXPECT_EQ(thumb.size(), QSize(110, 70));
    EXPECT_EQ(IndexLines().mid(0, 2), QStringList({ "100", "60" }));
}

TEST_F(ThumbnailCache, CancelEndsWithTrueAndAPartialIndex)
{
    QStringList paths;
    for (int i = 0; i < 10; ++i)
        paths << MakePhoto(QStringLiteral("p%1.jpg").arg(i), 20, 20);
    auto album = AlbumWith(paths);
    FakeStatusReporter status;
    status.onProcessEvents = [](FakeStatusReporter& s) {
        if (s.objects.size() == 5)
            s.cancelled = true;
    };
    EXPECT_TRUE(album->Thumbnails().Create(&status));
    const qsizetype photoLines = IndexLines().size() - 2;
    EXPECT_LE(photoLines, 5);
    EXPECT_GE(photoLines, 4);
    EXPECT_EQ(status.objects.size(), 5);
}

TEST_F(ThumbnailCache, StaleThumbnailOfAMissingPhotoGetsNoLine)
{
    const QString a = MakePhoto(QStringLiteral("a.jpg"));
    QDir().mkpath(folder);
    Touch(folder + QStringLiteral("1_gone.jpg"));
    auto album = AlbumWith({ a, root + QStringLiteral("gone.jpg") });
    ASSERT_TRUE(album->Thumbnails().Create(nullptr));
    EXPECT_EQ(IndexLines().size(), 3);
    EXPECT_EQ(album->Thumbnails().LoadIndex(), 1);
}

TEST_F(ThumbnailCache, DeletedThumbnailIsDroppedAndTheIndexRewritten)
{
    const QString a = MakePhoto(QStringLiteral("a.jpg"));
    const QString b = MakePhoto(QStringLiteral("b.jpg"));
    auto album = AlbumWith({ a, b });
    ASSERT_TRUE(album->Thumbnails().Create(nullptr));
    ASSERT_TRUE(QFile::remove(folder + QStringLiteral("0_a.jpg")));
    EXPECT_EQ(album->Thumbnails().LoadIndex(), 1);
    EXPECT_EQ(IndexLines(), QStringList({ "40", "40", b + u'=' + folder + QStringLiteral("1_b.jpg") }));

    // Only a line that goes rewrites the index.
    const QByteArray before = ReadAll(folder + QStringLiteral("thumbnails.pct"));
    album->Thumbnails().RemoveEntries({ folder + QStringLiteral("0_a.jpg") });
    EXPECT_EQ(ReadAll(folder + QStringLiteral("thumbnails.pct")), before);
    album->Thumbnails().RemoveEntries({ folder + QStringLiteral("1_b.jpg") });
    EXPECT_EQ(IndexLines(), QStringList({ "40", "40" }));
}

// An index read before is handed out again while nothing changed; these
// times lie back far enough for that, and every change must still be seen.
TEST_F(ThumbnailCache, AnIndexIsReadAgainAfterEveryChange)
{
    const QString a = MakePhoto(QStringLiteral("a.jpg"));
    const QString b = MakePhoto(QStringLiteral("b.jpg"));
    auto album = AlbumWith({ a, b });
    ASSERT_TRUE(album->Thumbnails().Create(nullptr));
    const QString index = folder + QStringLiteral("thumbnails.pct");
    const auto age = [&] {
        const timespec hourAgo[2] = { { ::time(nullptr) - 3600, 0 }, { ::time(nullptr) - 3600, 0 } };
        for (const QString& path : { index, folder })
            ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), hourAgo, 0), 0);
    };
    age();
    ASSERT_EQ(album->Thumbnails().LoadIndex(), 2);
    ASSERT_EQ(album->Thumbnails().LoadIndex(), 2);

    // A thumbnail deleted by someone else.
    ASSERT_TRUE(QFile::remove(folder + QStringLiteral("1_b.jpg")));
    EXPECT_EQ(album->Thumbnails().LoadIndex(), 1);
    age();
    ASSERT_EQ(album->Thumbnails().LoadIndex(), 1);

    // The index rewritten in place, just as long and with its old time put back.
    const QByteArray before = ReadAll(index);
    QByteArray after = before;
    after.replace((a + u'=').toUtf8(), (b + u'=').toUtf8());
    {
        QFile file(index);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_EQ(file.write(after), before.size());
    }
    age();
    ASSERT_EQ(album->Thumbnails().LoadIndex(), 1);
    EXPECT_EQ(album->Thumbnails().Index().Photos, QStringList({ b }));
}

TEST_F(ThumbnailCache, PhotoPathWithEqualsSignSurvives)
{
    const QString odd = MakePhoto(QStringLiteral("x=y.jpg"));
    auto album = AlbumWith({ odd });
    ASSERT_TRUE(album->Thumbnails().Create(nullptr));
    ASSERT_EQ(album->Thumbnails().LoadIndex(), 1);
    EXPECT_EQ(album->Thumbnails().Index().Photos, QStringList({ odd }));
    EXPECT_EQ(album->Thumbnails().Index().Thumbnails, QStringList({ folder + QStringLiteral("0_x=y.jpg") }));
}

TEST_F(ThumbnailCache, MalformedIndexIsNoIndex)
{
    auto album = AlbumWith({});
    QDir().mkpath(folder);
    const QString index = folder + QStringLiteral("thumbnails.pct");
    const QByteArray bad = "forty\r\n40\r\n/a.jpg=/nowhere.jpg\r\n";
    WriteAll(index, bad);
    EXPECT_EQ(album->Thumbnails().LoadIndex(), 0);
    EXPECT_EQ(ReadAll(index), bad);

    WriteAll(index, QByteArray("40\r\n"));
    EXPECT_EQ(album->Thumbnails().LoadIndex(), 0);
    WriteAll(index, QByteArray(""));
    EXPECT_EQ(album->Thumbnails().LoadIndex(), 0);
    // A line without "=" is all thumbnail path.
    Touch(folder + QStringLiteral("t.jpg"));
    WriteAll(index, QByteArray("40\n40\n") + QFile::encodeName(folder) + "t.jpg\n");
    EXPECT_EQ(album->Thumbnails().LoadIndex(), 1);
    EXPECT_EQ(album->Thumbnails().Index().Photos, QStringList({ QString() }));
}

TEST_F(ThumbnailCache, IndexOfTheOriginalProgramReadsAsWindows1252)
{
    auto album = AlbumWith({});
    QDir().mkpath(folder);
    Touch(folder + QStringLiteral("0_caf\u00e9.jpg"));
    // "café" with é as the single byte 0xE9, in both paths.
    WriteAll(folder + QStringLiteral("thumbnails.pct"),
        QByteArray("40\r\n40\r\nD:\\caf\xe9.jpg=") + QFile::encodeName(folder) + "0_caf\xe9.jpg\r\n");
    ASSERT_EQ(album->Thumbnails().LoadIndex(), 1);
    EXPECT_EQ(album->Thumbnails().Index().Photos, QStringList({ QStringLiteral("D:\\caf\u00e9.jpg") }));
    EXPECT_EQ(
        album->Thumbnails().Index().Thumbnails, QStringList({ folder + QStringLiteral("0_caf\u00e9.jpg") }));
}

TEST_F(ThumbnailCache, AlbumWithoutCacheGetsAnEmptyFolder)
{
    auto album = AlbumWith({});
    EXPECT_EQ(album->Thumbnails().LoadIndex(), 0);
    EXPECT_TRUE(QFileInfo(folder).isDir());
}

TEST_F(ThumbnailCache, FailedRewriteOnReadOnlyMediaIsIgnored)
{
    const QString a = MakePhoto(QStringLiteral("a.jpg"));
    auto album = AlbumWith({ a, MakePhoto(QStringLiteral("b.jpg")) });
    ASSERT_TRUE(album->Thumbnails().Create(nullptr));
    ASSERT_TRUE(QFile::remove(folder + QStringLiteral("1_b.jpg")));
    const QByteArray before = ReadAll(folder + QStringLiteral("thumbnails.pct"));

    // As root no folder is read-only, so let the write fail by its size.
    struct rlimit old { };
    getrlimit(RLIMIT_FSIZE, &old);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit tiny = old;
    tiny.rlim_cur = 1;
    setrlimit(RLIMIT_FSIZE, &tiny);
    int entries = -1;
    EXPECT_NO_THROW(entries = album->Thumbnails().LoadIndex());
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(entries, 1);
    EXPECT_EQ(ReadAll(folder + QStringLiteral("thumbnails.pct")), before);
}

TEST_F(ThumbnailCache, PlantedLinksAreReplacedNeverFollowed)
{
    const QString outside = root + QStringLiteral("precious.txt");
    WriteAll(outside, QByteArray("keep me"));
    QDir().mkpath(folder);
    for (const char* name : { "0_a.jpg", "thumbnails.pct", "t@e@s@t@t@a@v@r@i@m@o@l@ex" })
        ASSERT_TRUE(QFile::link(outside, folder + QString::fromUtf8(name)));

    auto album = AlbumWith({ MakePhoto(QStringLiteral("a.jpg")) });
    ASSERT_TRUE(album->Thumbnails().Create(nullptr));
    EXPECT_EQ(ReadAll(outside), QByteArray("keep me"));
    EXPECT_FALSE(QFileInfo(folder + QStringLiteral("0_a.jpg")).isSymLink());
    EXPECT_FALSE(QFileInfo(folder + QStringLiteral("thumbnails.pct")).isSymLink());
    EXPECT_FALSE(QFileInfo::exists(folder + QStringLiteral("t@e@s@t@t@a@v@r@i@m@o@l@ex")));
    EXPECT_EQ(album->Thumbnails().LoadIndex(), 1);
}

TEST_F(ThumbnailCache, UnwritableFolderIsReported)
{
    // A folder below a plain file can never be made.
    WriteAll(root + QStringLiteral("file"), QByteArray("x"));
    TAlbum album(root + QStringLiteral("file/Sub.tvx"));
    album.GetPhotos().AddName(MakePhoto(QStringLiteral("a.jpg")));
    EXPECT_FALSE(album.Thumbnails().Create(nullptr));
    EXPECT_EQ(messages, QStringList({ Text::Format(Language()->PL[2], { root.left(1) }) }));
}

TEST_F(ThumbnailCache, RemoveThumbnails)
{
    auto album = AlbumWith({ MakePhoto(QStringLiteral("a.jpg")) });
    ASSERT_TRUE(album->Thumbnails().Create(nullptr));

    FakeStatusReporter cancelled;
    cancelled.cancelled = true;
    EXPECT_FALSE(album->Thumbnails().Remove(&cancelled));
    EXPECT_TRUE(QFileInfo(folder).isDir());

    // A link inside the cache is removed as a link.
    const QString outside = root + QStringLiteral("outside");
    QDir().mkpath(outside);
    Touch(outside + QStringLiteral("/keep.jpg"));
    ASSERT_TRUE(QFile::link(outside, folder + QStringLiteral("link")));
    FakeStatusReporter status;
    EXPECT_TRUE(album->Thumbnails().Remove(&status));
    EXPECT_FALSE(QFileInfo::exists(Paths::ExcludeTrailingSeparator(folder)));
    EXPECT_TRUE(QFileInfo::exists(outside + QStringLiteral("/keep.jpg")));
}

TEST_F(ThumbnailCache, CacheFolderThatIsALinkIsRemovedAsALink)
{
    const QString elsewhere = root + QStringLiteral("elsewhere");
    QDir().mkpath(elsewhere);
    Touch(elsewhere + QStringLiteral("/holiday.jpg"));
    ASSERT_TRUE(QFile::link(elsewhere, Paths::ExcludeTrailingSeparator(folder)));
    auto album = AlbumWith({});

    FakeStatusReporter status;
    EXPECT_TRUE(album->Thumbnails().Remove(&status));
    EXPECT_FALSE(QFileInfo(Paths::ExcludeTrailingSeparator(folder)).isSymLink());
    EXPECT_TRUE(QFileInfo::exists(elsewhere + QStringLiteral("/holiday.jpg")));
}

TEST(ThumbNail, FileDateForm)
{
    const QDateTime t(QDate(2004, 7, 15), QTime(13, 45, 12));
    EXPECT_EQ(TThumbNail::FormatFileDate(t, u'/'), QStringLiteral("07/15/2004/13/45"));
    EXPECT_EQ(TThumbNail::FormatFileDate(t, u'-'), QStringLiteral("07-15-2004-13-45"));
}

TEST(ThumbNail, MissingPhotoLeavesTheRecordAlone)
{
    TThumbNail t;
    t.SetFileDate(QStringLiteral("old"));
    EXPECT_FALSE(t.Build(TThumbNailInfo(), QStringLiteral("D:\\nowhere\\a.jpg"), u'E'));
    EXPECT_FALSE(t.Build(TThumbNailInfo(), QStringLiteral("/nowhere/a.jpg"), u'/'));
    EXPECT_EQ(t.GetFileSize(), -1);
    EXPECT_EQ(t.GetFileDate(), QStringLiteral("old"));
    EXPECT_FALSE(t.HasImage());
}

TEST(ThumbNailImage, SelectionFrame)
{
    TThumbNailImage image;
    QImage picture(20, 12, QImage::Format_RGB32);
    picture.fill(Qt::green);
    image.SetPicture(picture);
    image.Select();
    EXPECT_TRUE(image.IsSelected());
    EXPECT_EQ(QColor(image.Picture().pixel(0, 0)), TThumbNailImage::SelectedColor());
    EXPECT_EQ(QColor(image.Picture().pixel(4, 5)), TThumbNailImage::SelectedColor());
    EXPECT_EQ(QColor(image.Picture().pixel(15, 11)), TThumbNailImage::SelectedColor());
    EXPECT_EQ(QColor(image.Picture().pixel(15, 7)), TThumbNailImage::SelectedColor());
    EXPECT_EQ(QColor(image.Picture().pixel(14, 6)), QColor(Qt::green));
    EXPECT_EQ(QColor(image.Picture().pixel(5, 5)), QColor(Qt::green));
    image.Deselect();
    EXPECT_FALSE(image.IsSelected());
    EXPECT_EQ(QColor(image.Picture().pixel(19, 0)), TThumbNailImage::CreamColor());
    image.SetFileName(QStringLiteral("/p/a.jpg"));
    EXPECT_EQ(image.Hint(), QStringLiteral("/p/a.jpg"));
}

TEST_F(ThumbnailCache, SelectedThumbnailIsSavedWithTheCreamFrame)
{
    TThumbNail t;
    ASSERT_TRUE(t.Build(TThumbNailInfo(), MakePhoto(QStringLiteral("a.jpg")), u'/'));
    ASSERT_TRUE(t.HasImage());
    t.GetImage()->Select();
    ASSERT_TRUE(t.SaveAsJpeg(root + QStringLiteral("saved.png")));
    QImage saved;
    ASSERT_TRUE(DecodeJpegFile(root + QStringLiteral("saved.jpg"), saved));
    EXPECT_TRUE(NearColor(saved.pixel(1, 1), TThumbNailImage::CreamColor()));
    EXPECT_TRUE(t.GetImage()->IsSelected());
    EXPECT_EQ(QColor(t.GetImage()->Picture().pixel(1, 1)), TThumbNailImage::SelectedColor());

    TThumbNail empty;
    EXPECT_FALSE(empty.SaveAsJpeg(root + QStringLiteral("nothing.jpg")));
    EXPECT_FALSE(QFileInfo::exists(root + QStringLiteral("nothing.jpg")));
}

TEST_F(ThumbnailCache, BuildFromJpeg)
{
    auto album = AlbumWith({ MakePhoto(QStringLiteral("a.jpg")) });
    ASSERT_TRUE(album->Thumbnails().Create(nullptr));
    TThumbNailInfo cell;
    cell.SetWidth(80);
    cell.SetHeight(60);
    TThumbNail t;
    ASSERT_TRUE(t.BuildFromJpeg(cell, folder + QStringLiteral("0_a.jpg")));
    EXPECT_EQ(t.GetImageWidth(), 80);
    EXPECT_EQ(t.GetImageHeight(), 60);
    EXPECT_TRUE(NearColor(t.GetImage()->Picture().pixel(25, 25), QColor(200, 0, 0)));
    EXPECT_EQ(QColor(t.GetImage()->Picture().pixel(70, 55)), TThumbNailImage::CreamColor());

    WriteAll(root + QStringLiteral("broken.jpg"), QByteArray("\xFF\xD8 not a jpeg"));
    EXPECT_FALSE(t.BuildFromJpeg(cell, root + QStringLiteral("broken.jpg")));
    EXPECT_FALSE(t.HasImage());
    EXPECT_FALSE(t.BuildFromJpeg(cell, root + QStringLiteral("missing.jpg")));
}

namespace {

// A photo with detail in every pixel: a thumbnail of another photo, or made
// at another scale, differs in its bytes.
QString MakeDetailedPhoto(const QString& path, int width, int height, int seed)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(
                x, y, qRgb((x * 7 + seed * 31) & 255, (y * 5 + x * seed) & 255, (x ^ y ^ seed) & 255));
    EXPECT_TRUE(SaveJpegFile(image, path, 92));
    return path;
}

QMap<QString, QByteArray> FolderFiles(const QString& folder)
{
    QMap<QString, QByteArray> files;
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System))
        files.insert(name, ReadAll(folder + name));
    return files;
}

} // namespace

TEST_F(ThumbnailCache, SameFilesRecordsAndProgressWhateverTheThreadCount)
{
    QStringList paths;
    for (int i = 0; i < 10; ++i)
        paths << MakeDetailedPhoto(root + QStringLiteral("p%1.jpg").arg(i), 300 + 37 * i, 200 + 23 * i, i);
    paths.insert(3, root + QStringLiteral("gone.jpg"));
    // Cannot be decoded: the plain cream thumbnail.
    QFile broken(root + QStringLiteral("broken.jpg"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("\xFF\xD8\xFF\xE0 not a picture after all");
    broken.close();
    paths.insert(6, root + QStringLiteral("broken.jpg"));

    struct Outcome {
        QMap<QString, QByteArray> files;
        QStringList objects;
        QStringList toGo;
        QStringList facts;
    };
    const auto run = [&](int threads) {
        ScopedWorkerThreads scoped(threads);
        auto album = AlbumWith(paths);
        album->SetThumbWidth(64);
        album->SetThumbHeight(48);
        FakeStatusReporter status;
        EXPECT_TRUE(album->Thumbnails().Create(&status));
        Outcome outcome { FolderFiles(folder), status.objects, status.numberToGo, {} };
        for (int i = 0; i < album->GetPhotos().Count(); ++i) {
            const TThumbNail& t = album->GetPhotos().PhotoAt(i)->GetThumbNail();
            outcome.facts << QString::number(t.GetFileSize()) + u' ' + t.GetFileDate();
        }
        EXPECT_TRUE(QDir(folder).removeRecursively());
        return outcome;
    };
    const Outcome one = run(1);
    const Outcome four = run(4);

    EXPECT_EQ(one.files.size(), 12); // the index and every photo but the gone one
    EXPECT_EQ(four.files, one.files);
    EXPECT_EQ(four.facts, one.facts);
    EXPECT_EQ(one.objects, paths);
    EXPECT_EQ(four.objects, paths);
    QStringList countdown;
    for (qsizetype left = paths.size(); left >= 0; --left)
        countdown << QString::number(left);
    EXPECT_EQ(one.toGo, countdown);
    EXPECT_EQ(four.toGo, countdown);
}

TEST_F(ThumbnailCache, CancelWhilePicturesAreMadeLeavesOnlyWholeListedFiles)
{
    ScopedWorkerThreads scoped(4);
    QStringList paths;
    // Photo 3 takes longest, so that Cancel mostly finds it unmade.
    for (int i = 0; i < 24; ++i)
        paths << MakeDetailedPhoto(
            root + QStringLiteral("p%1.jpg").arg(i), i == 2 ? 3000 : 400, i == 2 ? 2000 : 300, i);
    auto album = AlbumWith(paths);
    FakeStatusReporter status;
    status.onProcessEvents = [](FakeStatusReporter& s) {
        if (s.objects.size() == 3)
            s.cancelled = true;
    };
    EXPECT_TRUE(album->Thumbnails().Create(&status));
    EXPECT_EQ(status.objects.size(), 3);
    // What the workers were still making when the run ended is never written.
    WaitForWorkers();

    album->Thumbnails().LoadIndex();
    const QStringList listed = album->Thumbnails().Index().Thumbnails;
    EXPECT_LE(listed.size(), 3);
    QStringList expected { QStringLiteral("thumbnails.pct") };
    for (const QString& thumb : listed) {
        expected << QFileInfo(thumb).fileName();
        QImage picture;
        EXPECT_TRUE(DecodeJpegFile(thumb, picture)) << thumb.toStdString();
        EXPECT_EQ(picture.size(), QSize(50, 50));
    }
    expected.sort();
    EXPECT_EQ(QDir(folder).entryList(
                  QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name),
        expected);
}

// Update makes only the thumbnails that would come out otherwise, and ends
// with the files, index and records a full rebuild gives.
TEST_F(ThumbnailCache, UpdateMakesOnlyStaleThumbnailsAndEndsAsAFullRebuild)
{
    QStringList paths;
    for (int i = 0; i < 6; ++i)
        paths << MakeDetailedPhoto(root + QStringLiteral("p%1.jpg").arg(i), 120 + 10 * i, 90, i);
    auto album = AlbumWith(paths);
    ASSERT_TRUE(album->Thumbnails().Create(nullptr));
    TPhotoList& photos = album->GetPhotos();
    const auto thumb
        = [&](int i) { return TThumbnailCache::ThumbnailFileName(folder, i, photos.PhotoAt(i)->GetName()); };
    // A thumbnail file written again is a new file.
    QMap<QString, quint64> inodes;
    const auto inode = [](const QString& path) {
        struct stat st { };
        return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? quint64(st.st_ino) : 0;
    };
    const auto age = [&] {
        inodes.clear();
        for (const QString& name : QDir(folder).entryList(QDir::Files))
            inodes.insert(folder + name, inode(folder + name));
    };
    const auto remade = [&] {
        QList<int> made;
        for (int i = 0; i < photos.Count(); ++i)
            if (inodes.value(thumb(i)) != inode(thumb(i)))
                made << i;
        return made;
    };
    age();

    // Photo 1's record replaced as an edit replaces it; photo 2 changed on
    // disk; photo 3's thumbnail deleted; photos 4 and 5 change places.
    auto replaced = std::make_unique<TPhoto>();
    replaced->SetName(paths[1]);
    photos.Take(1);
    photos.Insert(1, std::move(replaced));
    MakeDetailedPhoto(paths[2], 200, 150, 9);
    ASSERT_TRUE(QFile::remove(thumb(3)));
    photos.MoveDown(paths[4]);
    ASSERT_TRUE(album->Thumbnails().Update(nullptr));
    EXPECT_EQ(remade(), QList<int>({ 1, 2, 3, 4, 5 }));

    const auto outcome = [&] {
        album->SaveToFile();
        QMap<QString, QByteArray> files = FolderFiles(folder);
        files.insert(QStringLiteral("album"), ReadAll(albumFile));
        return files;
    };
    const QMap<QString, QByteArray> updated = outcome();
    age();
    ASSERT_TRUE(album->Thumbnails().Update(nullptr));
    EXPECT_TRUE(remade().isEmpty());
    EXPECT_EQ(outcome(), updated);
    ASSERT_TRUE(album->Thumbnails().Create(nullptr));
    EXPECT_EQ(outcome(), updated);

    // Another size makes them all.
    age();
    album->SetThumbWidth(50);
    ASSERT_TRUE(album->Thumbnails().Update(nullptr));
    EXPECT_EQ(remade(), QList<int>({ 0, 1, 2, 3, 4, 5 }));
}

// Whether an album has thumbnails is mostly told by the first lines of a
// large index; the answer is the one reading all of it gives.
TEST_F(ThumbnailCache, HasThumbnailsAnswersAsReadingTheWholeIndex)
{
    auto album = AlbumWith({});
    QDir().mkpath(folder);
    const QString there = folder + QStringLiteral("9_there.jpg");
    Touch(there);
    const auto index = [&](int deadLines, const QString& last) {
        QByteArray text = "40\r\n40\r\n";
        // Long enough that the first lines are read alone.
        for (int k = 0; k < deadLines; ++k)
            text += (root + QStringLiteral("p%1.jpg=").arg(k) + folder
                + QStringLiteral("%1_gone.jpg\r\n").arg(k))
                        .toUtf8();
        text += last.toUtf8();
        EXPECT_TRUE(WriteAll(folder + QStringLiteral("thumbnails.pct"), text));
    };
    const QString live = root + QStringLiteral("p.jpg=") + there + QStringLiteral("\r\n");
    const struct {
        int dead;
        QString last;
        bool has;
    } cases[] = {
        { 0, live, true },
        { 3000, live, true },
        { 3000, QString(), false },
        { 3000, root + QStringLiteral("Ma\u00f1ana.jpg=") + there + QStringLiteral("\r\n"), true },
        { 0, QStringLiteral("\u00f1=") + there + QStringLiteral("\r\n") + QString(70000, u'x'), true },
    };
    for (const auto& c : cases) {
        index(c.dead, c.last);
        EXPECT_EQ(album->Thumbnails().HasThumbnails(), c.has) << c.dead;
        index(c.dead, c.last);
        EXPECT_EQ(album->Thumbnails().LoadIndex() > 0, c.has) << c.dead;
    }
    // A head whose first line is no size is no index, however long.
    EXPECT_TRUE(
        WriteAll(folder + QStringLiteral("thumbnails.pct"), "x\r\n40\r\n" + live.toUtf8().repeated(2000)));
    EXPECT_FALSE(album->Thumbnails().HasThumbnails());
}

// The cache follows its album to a new name, and never takes over or
// deletes a folder that is not this album's cache.
TEST_F(ThumbnailCache, MovesWithTheAlbumAndDeletesOnlyCaches)
{
    const QString a = MakePhoto(QStringLiteral("a.jpg"));
    auto album = AlbumWith({ a });
    ASSERT_TRUE(album->Thumbnails().Create(nullptr));
    const QString renamed = root + QStringLiteral("Journey.tvx");
    const QString moved = root + QStringLiteral("Journey_thumbnails/");

    // Another album's cache under the new name stays as it is.
    ASSERT_TRUE(QDir().mkpath(moved));
    int error = -1;
    EXPECT_FALSE(album->Thumbnails().MoveWithAlbum(renamed, &error));
    EXPECT_TRUE(QFileInfo::exists(folder + QStringLiteral("0_a.jpg")));
    ASSERT_TRUE(QDir().rmdir(moved));

    EXPECT_TRUE(album->Thumbnails().MoveWithAlbum(renamed, &error));
    EXPECT_EQ(error, 0);
    EXPECT_FALSE(QFileInfo::exists(folder));
    album->SetFileName(renamed);
    EXPECT_EQ(album->Thumbnails().LoadIndex(), 1);
    EXPECT_EQ(album->Thumbnails().Index().Thumbnails, QStringList({ moved + QStringLiteral("0_a.jpg") }));
    EXPECT_TRUE(album->Thumbnails().HasThumbnails());

    // Nothing to move is no move, and no failure either.
    TAlbum bare(root + QStringLiteral("Bare.tvx"));
    EXPECT_FALSE(bare.Thumbnails().MoveWithAlbum(albumFile, &error));
    EXPECT_EQ(error, 0);

    // Only a folder named as a cache is ever deleted.
    const QString photos = root + QStringLiteral("Holiday/");
    ASSERT_TRUE(QDir().mkpath(photos));
    Touch(photos + QStringLiteral("keep.jpg"));
    EXPECT_FALSE(TThumbnailCache::RemoveFolder(photos, nullptr));
    EXPECT_FALSE(TThumbnailCache::RemoveFolder(QString(), nullptr));
    EXPECT_TRUE(QFileInfo::exists(photos + QStringLiteral("keep.jpg")));
    EXPECT_TRUE(TThumbnailCache::IsCacheFolder(moved));
    EXPECT_TRUE(TThumbnailCache::IsCacheFolder(root + QStringLiteral("tempthumbnails20240131_1200")));
    EXPECT_FALSE(TThumbnailCache::IsCacheFolder(photos));
    EXPECT_TRUE(TThumbnailCache::RemoveFolder(TThumbnailCache::FolderOf(renamed), nullptr));
    EXPECT_FALSE(QFileInfo::exists(moved));
    EXPECT_FALSE(album->Thumbnails().HasThumbnails());
}
