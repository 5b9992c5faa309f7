// SPDX-License-Identifier: GPL-2.0-or-later
#include "export/HTMLGenerator.h"

#include "ExportTestSupport.h"
#include "FakeExportReporter.h"
#include "model/Album.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

using Kind = TExportStepKind;

class FramedSite : public GeneratorTest<THTMLGenerator> {
protected:
    void SetUp() override
    {
        GeneratorTest::SetUp();
        options.PhotoWidth = 580;
        options.PhotoHeight = 360;
        options.ThumbWidth = 100;
        options.ThumbHeight = 75;
        options.ThumbColumns = 5;
        options.ThumbRows = 4;
        options.JpegQuality = 80;
        options.Background.Image = Filled(8, 8, Qt::darkBlue);
    }

    static QStringList Names(const TPhotoMapping& mapping)
    {
        QStringList names;
        for (const auto& item : mapping.Items)
            names << item->Name;
        return names;
    }

    ScopedExportTexts texts;
};

} // namespace

TEST_F(FramedSite, InitializeTrimsTheOptionsAndFillsDefaults)
{
    options.Title = QStringLiteral(" \t ");
    options.WebPath = QStringLiteral("  http://example.org/originals ");
    options.LocalPath = QString();
    options.OutputDir = Sandbox(QStringLiteral("site"));
    Run({});
    EXPECT_EQ(generator.Options().Title, T(0, QStringLiteral("Tavrimolex Photo Viewer")));
    EXPECT_EQ(generator.Options().WebPath, QStringLiteral("http://example.org/originals/"));
    EXPECT_EQ(generator.Options().LocalPath, QStringLiteral("/"));
    EXPECT_EQ(generator.Options().OutputDir, Out());

    options.Title = QStringLiteral("  My <b>photos</b>  ");
    options.WebPath = QStringLiteral("http://example.org/originals/");
    options.LocalPath = QStringLiteral(" /home/me/Photos ");
    Run({});
    EXPECT_EQ(generator.Options().Title, QStringLiteral("My <b>photos</b>"));
    EXPECT_EQ(generator.Options().WebPath, QStringLiteral("http://example.org/originals/"));
    EXPECT_EQ(generator.Options().LocalPath, QStringLiteral("/home/me/Photos/"));

    options.WebPath = QStringLiteral("   ");
    Run({});
    EXPECT_EQ(generator.Options().WebPath, QString());
}

TEST_F(FramedSite, AnEmptyAlbumListWritesNothing)
{
    EXPECT_FALSE(Run({}).Generate());
    EXPECT_EQ(reporter.remarks, QStringList({ T(12) }));
    ASSERT_EQ(reporter.prompts.size(), 1u);
    EXPECT_EQ(reporter.prompts[0].text, T(1));
    EXPECT_FALSE(reporter.prompts[0].yesNo);
    EXPECT_TRUE(QDir(Out()).isEmpty());
}

TEST_F(FramedSite, AMissingAlbumIsReportedAndYesExportsTheOther)
{
    const QString good = AlbumOfPictures(QStringLiteral("Holiday"), 2);
    const QString missing = Sandbox(QStringLiteral("gone.tvx"));
    reporter.answers = { true };
    EXPECT_TRUE(Run({ missing, good }).Generate());
    EXPECT_EQ(reporter.remarks.first(), T(13, missing));
    ASSERT_GE(reporter.prompts.size(), 1u);
    EXPECT_EQ(reporter.prompts[0].text, T(2));
    EXPECT_TRUE(reporter.prompts[0].yesNo);
    EXPECT_EQ(generator.Options().AlbumFiles, QStringList({ good }));
    ASSERT_EQ(generator.Albums.size(), 1u);
    EXPECT_EQ(reporter.statusWindows, 1);
    EXPECT_EQ(Numbers(), QList<int>({ 1, 2 }));
    EXPECT_TRUE(Exists(Out() + QStringLiteral("images/thumbnails/Thumbnail2.jpg")));
}

TEST_F(FramedSite, NoToAMissingAlbumStopsBeforeAnyFolder)
{
    const QString good = AlbumOfPictures(QStringLiteral("Holiday"), 1);
    reporter.answers = { false };
    EXPECT_FALSE(Run({ good, Sandbox(QStringLiteral("gone.tvx")) }).Generate());
    EXPECT_EQ(reporter.prompts.size(), 1u);
    EXPECT_TRUE(QDir(Out()).isEmpty());
}

TEST_F(FramedSite, ADamagedAlbumFileCountsAsNotOpened)
{
    const QString damaged = Sandbox(QStringLiteral("damaged.tvx"));
    QFile file(damaged);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\x02\x02\x06\x7F not an album");
    file.close();
    EXPECT_FALSE(Run({ damaged }).Generate());
    EXPECT_EQ(reporter.remarks, QStringList({ T(13, damaged) }));
    ASSERT_EQ(reporter.prompts.size(), 1u);
    EXPECT_EQ(reporter.prompts[0].text, T(1));
}

TEST_F(FramedSite, PhotosNotForTheWebAreDroppedAndNoneLeftIsSaid)
{
    WriteJpeg(Photos() + QStringLiteral("a.jpg"), 40, 30);
    WriteJpeg(Photos() + QStringLiteral("b.jpg"), 40, 30);
    const QString album = Album(QStringLiteral("Private"),
        { { QStringLiteral("a.jpg"), {}, {}, {}, {}, false },
            { QStringLiteral("b.jpg"), {}, {}, {}, {}, false } });
    reporter.answers = { true };
    EXPECT_TRUE(Run({ album }).Generate());
    EXPECT_EQ(reporter.notFound, QStringList({ T(15) }));
    ASSERT_GE(reporter.prompts.size(), 1u);
    EXPECT_EQ(reporter.prompts[0].text, T(3));
    EXPECT_EQ(generator.GetPhotoCount(), 0);
    EXPECT_TRUE(reporter.View(Kind::PhotoChecking).done);
    EXPECT_TRUE(Exists(Out() + QStringLiteral("images/background.jpg")));
}

TEST_F(FramedSite, AMissingPhotoIsReportedAndTheOthersAreNumberedWithoutGaps)
{
    WriteJpeg(Photos() + QStringLiteral("a.jpg"), 40, 30);
    WriteJpeg(Photos() + QStringLiteral("c.jpg"), 40, 30);
    const QString album = Album(QStringLiteral("Walk"),
        { { QStringLiteral("a.jpg") }, { QStringLiteral("b.jpg") }, { QStringLiteral("c.jpg") } });
    reporter.answers = { true };
    EXPECT_TRUE(Run({ album }).Generate());
    EXPECT_EQ(reporter.notFound, QStringList({ T(14, Photos() + QStringLiteral("b.jpg")) }));
    EXPECT_EQ(reporter.prompts[0].text, T(3));
    EXPECT_EQ(Numbers(), QList<int>({ 1, 2 }));
    EXPECT_EQ(generator.GetPhotoCount(), 2);
    EXPECT_FALSE(Exists(Out() + QStringLiteral("images/photos/Photo3.jpg")));
}

TEST_F(FramedSite, NoToMissingPhotosStops)
{
    const QString album = Album(QStringLiteral("Walk"), { { QStringLiteral("nothing-here.jpg") } });
    reporter.answers = { false };
    EXPECT_FALSE(Run({ album }).Generate());
    EXPECT_TRUE(reporter.View(Kind::PhotoChecking).done);
    EXPECT_TRUE(QDir(Out()).isEmpty());
}

TEST_F(FramedSite, CheckingReportsProgressPerPhoto)
{
    const QString album = AlbumOfPictures(QStringLiteral("Walk"), 3);
    Run({ album });
    ASSERT_TRUE(generator.OpenAlbums());
    QStringList toGo;
    reporter.onPump = [&](int) { toGo << reporter.View(Kind::PhotoChecking).toGo; };
    EXPECT_TRUE(generator.CheckPhotos());
    const FakeStepView& view = reporter.View(Kind::PhotoChecking);
    EXPECT_EQ(view.minimum, 0);
    EXPECT_EQ(view.maximum, 3);
    EXPECT_EQ(view.position, 3);
    EXPECT_EQ(toGo, QStringList({ QStringLiteral("2"), QStringLiteral("1"), QStringLiteral("0") }));
    EXPECT_EQ(view.currentFile, Photos() + QStringLiteral("Walk-3.jpg"));
}

TEST_F(FramedSite, PhotosAreNumberedAcrossAlbumsInOrder)
{
    const QString first = AlbumOfPictures(QStringLiteral("First"), 2);
    const QString second = AlbumOfPictures(QStringLiteral("Second"), 3);
    EXPECT_TRUE(Run({ first, second }).Generate());
    EXPECT_EQ(Numbers(), QList<int>({ 1, 2, 3, 4, 5 }));
    // Photo 3 is the first photo of the second album: 41 x 31 pixels.
    EXPECT_EQ(PictureSize(Out() + QStringLiteral("images/photos/Photo3.jpg")), QSize(41, 31));
    EXPECT_EQ(PictureSize(Out() + QStringLiteral("images/photos/Photo5.jpg")), QSize(43, 33));
}

TEST_F(FramedSite, TheFolderTreeIsMadeInOrderAndEachFolderReported)
{
    const QString album = AlbumOfPictures(QStringLiteral("Walk"), 1);
    Run({ album });
    ASSERT_TRUE(generator.OpenAlbums());
    ASSERT_TRUE(generator.CheckPhotos());
    const QStringList tree = { QString(), QStringLiteral("css/"), QStringLiteral("images/"),
        QStringLiteral("images/photos/"), QStringLiteral("images/thumbnails/"), QStringLiteral("html/"),
        QStringLiteral("html/albums/"), QStringLiteral("html/years/"), QStringLiteral("html/objects/"),
        QStringLiteral("html/events/"), QStringLiteral("html/descriptions/"), QStringLiteral("html/photos/"),
        QStringLiteral("script/") };
    for (int pass = 0; pass < 2; ++pass) {
        reporter.remarks.clear();
        EXPECT_TRUE(generator.CreateFolders());
        ASSERT_GE(reporter.remarks.size(), tree.size());
        for (qsizetype i = 0; i < tree.size(); ++i) {
            EXPECT_EQ(reporter.remarks.at(i), T(50, Out() + tree.at(i))) << "pass " << pass;
            EXPECT_TRUE(QFileInfo(Out() + tree.at(i)).isDir()) << tree.at(i).toStdString();
        }
        EXPECT_EQ(reporter.remarks.size(), tree.size());
        for (auto& mapping : generator.Mappings)
            mapping.Clear();
    }
    EXPECT_EQ(generator.ThumbnailsFolder, Out() + QStringLiteral("images/thumbnails/"));
    EXPECT_EQ(generator.PhotoPagesFolder, Out() + QStringLiteral("html/photos/"));
    EXPECT_EQ(generator.Mappings[pcYears].PageFolder, Out() + QStringLiteral("html/years/"));
    EXPECT_EQ(generator.Mappings[pcAlbums].Folder, Out() + QStringLiteral("html/albums/"));
}

TEST_F(FramedSite, AMissingOutputFolderIsNeverCreated)
{
    const QString album = AlbumOfPictures(QStringLiteral("Walk"), 1);
    options.OutputDir = Sandbox(QStringLiteral("not-there"));
    EXPECT_FALSE(Run({ album }).Generate());
    EXPECT_EQ(reporter.remarks.last(), T(18, Sandbox(QStringLiteral("not-there/"))));
    EXPECT_EQ(reporter.prompts.back().text, T(4));
    EXPECT_FALSE(Exists(Sandbox(QStringLiteral("not-there"))));
}

TEST_F(FramedSite, AnEmptyOutputFolderIsMissingNotTheRoot)
{
    const QString album = AlbumOfPictures(QStringLiteral("Walk"), 1);
    options.OutputDir = QString();
    EXPECT_FALSE(Run({ album }).Generate());
    EXPECT_EQ(reporter.remarks.last(), T(18));
    EXPECT_EQ(reporter.prompts.back().text, T(4));
}

TEST_F(FramedSite, GroupsAreMadePerCategoryAndSorted)
{
    for (const char* name : { "1.jpg", "2.jpg", "3.jpg", "4.jpg", "5.jpg" })
        WriteJpeg(Photos() + QString::fromUtf8(name), 20, 20);
    const QString a = Album(QStringLiteral("Spring"),
        { { QStringLiteral("1.jpg"), QStringLiteral("  b  "), QStringLiteral("2004"),
              { QStringLiteral("Tree") }, QStringLiteral("Trip") },
            { QStringLiteral("2.jpg"), QStringLiteral("A"), QStringLiteral("2003"),
                { QStringLiteral("Anna"), QStringLiteral("Bob") }, {} } });
    const QString b = Album(QStringLiteral("Summer"),
        { { QStringLiteral("3.jpg"), QStringLiteral("c"), {}, { QStringLiteral("tree") },
              QStringLiteral("trip") },
            { QStringLiteral("4.jpg") } });
    const QString c = Album(QStringLiteral("Autumn"),
        { { QStringLiteral("5.jpg"), {}, QStringLiteral("2004"), { QStringLiteral("TREE") } } });
    Run({ a, b, c });
    ASSERT_TRUE(generator.OpenAlbums());
    ASSERT_TRUE(generator.CheckPhotos());
    ASSERT_TRUE(generator.CreateFolders());

    // Album groups keep album order.
    EXPECT_EQ(Names(generator.Mappings[pcAlbums]),
        QStringList({ QStringLiteral("Spring"), QStringLiteral("Summer"), QStringLiteral("Autumn") }));
    EXPECT_EQ(generator.Mappings[pcAlbums].Item(1)->Photos.size(), 2);
    // Case-folded names share one group, named as first met; then sorted.
    EXPECT_EQ(Names(generator.Mappings[pcObjects]),
        QStringList({ QStringLiteral("Anna"), QStringLiteral("Bob"), QStringLiteral("Tree") }));
    EXPECT_EQ(generator.Mappings[pcObjects].Item(2)->Photos.size(), 3);
    EXPECT_EQ(Names(generator.Mappings[pcEvents]), QStringList({ QStringLiteral("Trip") }));
    EXPECT_EQ(
        Names(generator.Mappings[pcYears]), QStringList({ QStringLiteral("2003"), QStringLiteral("2004") }));
    EXPECT_EQ(generator.Mappings[pcYears].Item(1)->Photos.size(), 2);
    // Descriptions come trimmed; photo 4 has none and is in no description group.
    EXPECT_EQ(Names(generator.Mappings[pcDescriptions]),
        QStringList({ QStringLiteral("A"), QStringLiteral("b"), QStringLiteral("c") }));

    // Folders are numbered before sorting: one per group.
    for (const char* folder : { "html/albums/album3", "html/objects/object3", "html/events/event1",
             "html/years/year2", "html/descriptions/description3" })
        EXPECT_TRUE(QFileInfo(Out() + QString::fromUtf8(folder)).isDir()) << folder;
    EXPECT_FALSE(Exists(Out() + QStringLiteral("html/events/event2")));
}

TEST_F(FramedSite, TwoAlbumsOfOneNameStayTwoGroups)
{
    ASSERT_TRUE(QDir().mkpath(Sandbox(QStringLiteral("other"))));
    WriteJpeg(Photos() + QStringLiteral("1.jpg"), 20, 20);
    const QString first = Album(QStringLiteral("Trip"), { { QStringLiteral("1.jpg") } });
    const QString second = Sandbox(QStringLiteral("other/Trip.tvx"));
    WriteAlbum(second, { { Photos() + QStringLiteral("1.jpg") } });
    Run({ first, second });
    ASSERT_TRUE(generator.OpenAlbums());
    ASSERT_TRUE(generator.CheckPhotos());
    ASSERT_TRUE(generator.CreateFolders());
    EXPECT_EQ(
        Names(generator.Mappings[pcAlbums]), QStringList({ QStringLiteral("Trip"), QStringLiteral("Trip") }));
    EXPECT_EQ(generator.Mappings[pcAlbums].Item(0)->Key, QStringLiteral("Trip"));
    EXPECT_EQ(generator.Mappings[pcAlbums].Item(1)->Key, QStringLiteral("Trip-2"));
}

TEST_F(FramedSite, APhotoLabelledTwiceIsInItsGroupOnce)
{
    WriteJpeg(Photos() + QStringLiteral("1.jpg"), 20, 20);
    WriteJpeg(Photos() + QStringLiteral("2.jpg"), 20, 20);
    const QString album = Sandbox(QStringLiteral("Labels.tvx"));
    {
        TAlbum model(album);
        model.GetObjects().AddName(QStringLiteral("Tree"));
        model.GetObjects().AddName(QStringLiteral("tree"));
        for (const char* name : { "1.jpg", "2.jpg" }) {
            auto photo = std::make_unique<TPhoto>();
            photo->SetId(model.GetPhotos().TakeNextId());
            photo->SetName(Photos() + QString::fromUtf8(name));
            model.GetPhotos().Add(std::move(photo));
        }
        // Labels "Tree" and "tree" on photo 1; the same id twice on photo 2.
        model.GetPhotos().PhotoAt(0)->GetObjectIds().Add(0);
        model.GetPhotos().PhotoAt(0)->GetObjectIds().Add(1);
        model.GetPhotos().PhotoAt(1)->GetObjectIds().Add(1);
        model.GetPhotos().PhotoAt(1)->GetObjectIds().Add(1);
        ASSERT_TRUE(model.SaveToFile());
    }
    Run({ album });
    ASSERT_TRUE(generator.OpenAlbums());
    ASSERT_TRUE(generator.CheckPhotos());
    ASSERT_TRUE(generator.CreateFolders());
    const TPhotoMapping& objects = generator.Mappings[pcObjects];
    ASSERT_EQ(objects.Count(), 1);
    EXPECT_EQ(objects.Item(0)->Name, QStringLiteral("Tree"));
    ASSERT_EQ(objects.Item(0)->Photos.size(), 2);
    EXPECT_NE(objects.Item(0)->Photos.at(0), objects.Item(0)->Photos.at(1));
}

TEST_F(FramedSite, EqualKeysOfDifferentGroupsGetASuffix)
{
    for (const char* name : { "1.jpg", "2.jpg" })
        WriteJpeg(Photos() + QString::fromUtf8(name), 20, 20);
    const QString paris = Album(QStringLiteral("Paris"),
        { { QStringLiteral("1.jpg"), {}, QStringLiteral("2004"),
            { QStringLiteral("a b"), QStringLiteral("a_b") }, QStringLiteral("Paris") } });
    const QString year
        = Album(QStringLiteral("2004"), { { QStringLiteral("2.jpg"), QStringLiteral("a-b") } });
    Run({ paris, year });
    ASSERT_TRUE(generator.OpenAlbums());
    ASSERT_TRUE(generator.CheckPhotos());
    ASSERT_TRUE(generator.CreateFolders());
    const auto key = [this](TPhotoCategory category, int index) {
        return generator.Mappings[category].Item(index)->Key;
    };
    EXPECT_EQ(key(pcAlbums, 0), QStringLiteral("Paris"));
    EXPECT_EQ(key(pcAlbums, 1), QStringLiteral("2004"));
    EXPECT_EQ(key(pcObjects, 0), QStringLiteral("a_b"));
    EXPECT_EQ(key(pcObjects, 1), QStringLiteral("a_b-2"));
    EXPECT_EQ(key(pcEvents, 0), QStringLiteral("Paris-2"));
    EXPECT_EQ(key(pcYears, 0), QStringLiteral("2004-2"));
    EXPECT_EQ(key(pcDescriptions, 0), QStringLiteral("a_b-3"));
    // The key of a name stays as it was.
    EXPECT_EQ(generator.Mappings[pcEvents].Item(0)->GetKey(), QStringLiteral("Paris"));
}

TEST_F(FramedSite, ImagesHaveTheirNamesAndSizes)
{
    WriteJpeg(Photos() + QStringLiteral("wide.jpg"), 400, 200);
    WriteJpeg(Photos() + QStringLiteral("large.jpg"), 1000, 501);
    WriteJpeg(Photos() + QStringLiteral("small.jpg"), 50, 40);
    const QString album = Album(QStringLiteral("Sizes"),
        { { QStringLiteral("wide.jpg") }, { QStringLiteral("large.jpg") }, { QStringLiteral("small.jpg") } });
    options.ResizePhotos = true;
    options.PhotoWidth = 500;
    options.PhotoHeight = 500;
    EXPECT_TRUE(Run({ album }).Generate());
    const QString thumbs = Out() + QStringLiteral("images/thumbnails/");
    const QString photos = Out() + QStringLiteral("images/photos/");
    for (int n = 1; n <= 3; ++n)
        EXPECT_EQ(PictureSize(thumbs + QStringLiteral("Thumbnail%1.jpg").arg(n)), QSize(100, 75)) << n;
    EXPECT_EQ(PictureSize(photos + QStringLiteral("Photo1.jpg")), QSize(400, 200));
    // 1000 x 501 in a 500 x 500 box: 501 / 2 = 250.5 rounds to the even 250.
    EXPECT_EQ(PictureSize(photos + QStringLiteral("Photo2.jpg")), QSize(500, 250));
    EXPECT_EQ(PictureSize(photos + QStringLiteral("Photo3.jpg")), QSize(50, 40));
    EXPECT_EQ(PictureSize(Out() + QStringLiteral("images/background.jpg")), QSize(8, 8));
    EXPECT_TRUE(reporter.View(Kind::ThumbnailCreation).done);
    EXPECT_TRUE(reporter.View(Kind::PhotoCopying).done);
    EXPECT_EQ(reporter.View(Kind::PhotoCopying).position, 3);
    EXPECT_EQ(reporter.View(Kind::ThumbnailCreation).toGo, QStringLiteral("0"));
}

TEST_F(FramedSite, WithoutResizingAPhotoKeepsItsSize)
{
    WriteJpeg(Photos() + QStringLiteral("big.jpg"), 900, 600);
    const QString album = Album(QStringLiteral("Big"), { { QStringLiteral("big.jpg") } });
    options.ResizePhotos = false;
    EXPECT_TRUE(Run({ album }).Generate());
    EXPECT_EQ(PictureSize(Out() + QStringLiteral("images/photos/Photo1.jpg")), QSize(900, 600));
}

TEST_F(FramedSite, AJpegBackgroundIsWrittenUnchanged)
{
    const QString album = AlbumOfPictures(QStringLiteral("Walk"), 1);
    const QByteArray bytes("\xFF\xD8 any bytes of the chosen file \xFF\xD9");
    options.Background.JpegData = bytes;
    EXPECT_TRUE(Run({ album }).Generate());
    QFile file(Out() + QStringLiteral("images/background.jpg"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), bytes);
}

TEST_F(FramedSite, AnUnreadablePhotoGetsARemarkANumberAndNoImages)
{
    WriteJpeg(Photos() + QStringLiteral("good.jpg"), 60, 40);
    QFile bad(Photos() + QStringLiteral("bad.jpg"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("this is not a picture at all");
    bad.close();
    const QString album
        = Album(QStringLiteral("Mixed"), { { QStringLiteral("bad.jpg") }, { QStringLiteral("good.jpg") } });
    // Files of an earlier export with the same numbers.
    ASSERT_TRUE(QDir().mkpath(Out() + QStringLiteral("images/photos")));
    ASSERT_TRUE(QDir().mkpath(Out() + QStringLiteral("images/thumbnails")));
    WriteJpeg(Out() + QStringLiteral("images/photos/Photo1.jpg"), 10, 10);
    WriteJpeg(Out() + QStringLiteral("images/thumbnails/Thumbnail1.jpg"), 10, 10);

    EXPECT_TRUE(Run({ album }).Generate());
    EXPECT_TRUE(reporter.remarks.contains(T(21, Photos() + QStringLiteral("bad.jpg"))));
    EXPECT_EQ(Numbers(), QList<int>({ 1, 2 }));
    EXPECT_FALSE(Exists(Out() + QStringLiteral("images/photos/Photo1.jpg")));
    EXPECT_FALSE(Exists(Out() + QStringLiteral("images/thumbnails/Thumbnail1.jpg")));
    EXPECT_EQ(PictureSize(Out() + QStringLiteral("images/photos/Photo2.jpg")), QSize(60, 40));
    EXPECT_TRUE(reporter.View(Kind::ThumbnailCreation).done);
}

TEST_F(FramedSite, OnlyPagesWritesTheBackgroundAndStillNumbers)
{
    const QString album = AlbumOfPictures(QStringLiteral("Walk"), 3);
    options.CreateOnlyHTML = true;
    EXPECT_TRUE(Run({ album }).Generate());
    EXPECT_EQ(Numbers(), QList<int>({ 1, 2, 3 }));
    EXPECT_TRUE(Exists(Out() + QStringLiteral("images/background.jpg")));
    EXPECT_TRUE(QDir(Out() + QStringLiteral("images/photos")).isEmpty());
    EXPECT_TRUE(QDir(Out() + QStringLiteral("images/thumbnails")).isEmpty());
    EXPECT_TRUE(reporter.View(Kind::ThumbnailCreation).done);
    EXPECT_TRUE(reporter.View(Kind::PhotoCopying).done);
}

TEST_F(FramedSite, StopDuringCheckingEndsTheLoopButNotTheRun)
{
    const QString album = AlbumOfPictures(QStringLiteral("Walk"), 5);
    reporter.onPump = [this](int pumps) {
        if (pumps == 2)
            generator.Stopped = true;
    };
    EXPECT_TRUE(Run({ album }).Generate());
    const FakeStepView& checking = reporter.View(Kind::PhotoChecking);
    EXPECT_EQ(checking.position, 2);
    EXPECT_EQ(checking.toGo, QStringLiteral("3"));
    // The first photo still gets its images; the loop ends after it.
    EXPECT_EQ(Numbers(), QList<int>({ 1, -1, -1, -1, -1 }));
    EXPECT_TRUE(Exists(Out() + QStringLiteral("images/photos/Photo1.jpg")));
    EXPECT_FALSE(Exists(Out() + QStringLiteral("images/photos/Photo2.jpg")));
    EXPECT_TRUE(reporter.View(Kind::PhotoPages).done);
}

TEST_F(FramedSite, StopDuringImagesEndsAfterThatPhotoAndTheLaterStepsRun)
{
    const QString album = AlbumOfPictures(QStringLiteral("Walk"), 5);
    reporter.onPump = [this](int) {
        if (reporter.View(Kind::PhotoCopying).position == 2)
            generator.Stopped = true;
    };
    EXPECT_TRUE(Run({ album }).Generate());
    EXPECT_EQ(Numbers(), QList<int>({ 1, 2, -1, -1, -1 }));
    EXPECT_TRUE(Exists(Out() + QStringLiteral("images/thumbnails/Thumbnail2.jpg")));
    EXPECT_FALSE(Exists(Out() + QStringLiteral("images/thumbnails/Thumbnail3.jpg")));
    EXPECT_EQ(reporter.View(Kind::PhotoCopying).toGo, QStringLiteral("3"));
    EXPECT_TRUE(reporter.View(Kind::ThumbnailPages).done);
    EXPECT_TRUE(reporter.View(Kind::PhotoPages).done);
}

TEST_F(FramedSite, ARunOverTwoAlbumsMakesTheTreeAndTheImages)
{
    const QString first = AlbumOfPictures(QStringLiteral("Spring"), 2);
    const QString second = AlbumOfPictures(QStringLiteral("Summer"), 2);
    EXPECT_TRUE(Run({ first, second }).Generate());
    EXPECT_TRUE(reporter.prompts.empty());
    EXPECT_TRUE(reporter.notFound.isEmpty());
    EXPECT_EQ(generator.GetPhotoCount(), 4);
    EXPECT_EQ(reporter.statusWindows, 2);
    for (int n = 1; n <= 4; ++n) {
        EXPECT_EQ(
            PictureSize(Out() + QStringLiteral("images/thumbnails/Thumbnail%1.jpg").arg(n)), QSize(100, 75));
        EXPECT_TRUE(Exists(Out() + QStringLiteral("images/photos/Photo%1.jpg").arg(n)));
    }
    EXPECT_TRUE(QFileInfo(Out() + QStringLiteral("html/albums/album2")).isDir());
    EXPECT_FALSE(Exists(Out() + QStringLiteral("html/albums/album3")));
    for (int k = 0; k < ExportStepCount; ++k)
        EXPECT_TRUE(reporter.steps[size_t(k)].done) << k;
}
