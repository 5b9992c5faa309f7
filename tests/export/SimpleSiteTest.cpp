// SPDX-License-Identifier: GPL-2.0-or-later
// The run of the photo-by-photo site: its steps, dialogs, folders, pictures
// and what a stop or a failure leaves behind.
#include "export/HTMLGeneratorSimple.h"

#include "ExportTestSupport.h"
#include "FakeExportReporter.h"
#include "export/ExportError.h"
#include "model/Album.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <gtest/gtest.h>

namespace {

using Kind = TExportStepKind;

class SimpleSite : public GeneratorTest<THTMLGeneratorSimple> {
protected:
    void SetUp() override
    {
        GeneratorTest::SetUp();
        options.PhotoWidth = 580;
        options.PhotoHeight = 360;
        options.JpegQuality = 80;
        options.Background.Image = Filled(8, 8, Qt::darkBlue);
        options.SlideShowImages = { Filled(10, 10, Qt::gray), Filled(10, 10, Qt::red) };
    }

    ScopedExportTexts texts;
};

QStringList Entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

TEST_F(SimpleSite, TheWindowIsSizedFromThePhotoBox)
{
    struct Case {
        int photoWidth;
        int photoHeight;
        int width;
        int height;
    };
    for (const Case& c : { Case { 500, 360, 600, 380 }, Case { 580, 360, 600, 380 }, Case { 600, 0, 620, 20 },
             Case { 1024, 768, 1044, 788 } }) {
        options.PhotoWidth = c.photoWidth;
        options.PhotoHeight = c.photoHeight;
        Run({});
        EXPECT_EQ(generator.WindowWidth, c.width) << c.photoWidth;
        EXPECT_EQ(generator.WindowWidthText, QString::number(c.width));
        EXPECT_EQ(generator.WindowHeight, c.height) << c.photoHeight;
        EXPECT_EQ(generator.WindowHeightText, QString::number(c.height));
    }
}

TEST_F(SimpleSite, InitializeTakesTheOptions)
{
    options.Title = QStringLiteral(" \t ");
    options.OutputDir = Sandbox(QStringLiteral("site"));
    options.StartSlideShow = true;
    options.WebPath = QStringLiteral(" http://example.org/a ");
    Run({});
    EXPECT_EQ(generator.Options().Title, T(53) + QStringLiteral(" Tavrimolex Photo Viewer."));
    EXPECT_EQ(generator.Options().OutputDir, Out());
    EXPECT_TRUE(generator.Options().StartSlideShow);
    EXPECT_EQ(generator.Options().SlideShowImages[1].pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(generator.Options().WebPath, QStringLiteral("http://example.org/a"));

    options.Title = QStringLiteral("  Our walks ");
    Run({});
    EXPECT_EQ(generator.Options().Title, QStringLiteral("Our walks"));
}

TEST_F(SimpleSite, AnEmptyAlbumListWritesNothing)
{
    EXPECT_FALSE(Run({}).Generate());
    EXPECT_EQ(reporter.remarks, QStringList({ T(55) }));
    ASSERT_EQ(reporter.prompts.size(), 1u);
    EXPECT_EQ(reporter.prompts[0].text, T(1));
    EXPECT_FALSE(reporter.prompts[0].yesNo);
    EXPECT_TRUE(QDir(Out()).isEmpty());
}

TEST_F(SimpleSite, MissingAlbumsAreReportedAndTheUserDecides)
{
    const QString good = AlbumOfPictures(QStringLiteral("Walk"), 2);
    const QString missing = Sandbox(QStringLiteral("gone.tvx"));
    reporter.answers = { true };
    EXPECT_TRUE(Run({ missing, good }).Generate());
    EXPECT_EQ(reporter.remarks.first(), T(13, missing));
    ASSERT_EQ(reporter.prompts.size(), 1u);
    EXPECT_EQ(reporter.prompts[0].text, T(2));
    EXPECT_TRUE(reporter.prompts[0].yesNo);
    EXPECT_EQ(generator.Options().AlbumFiles, QStringList({ good }));
    EXPECT_EQ(Numbers(), QList<int>({ 1, 2 }));
    EXPECT_TRUE(Exists(Out() + QStringLiteral("html/photo2_bottom.htm")));
}

TEST_F(SimpleSite, NoToAMissingAlbumOrAllMissingWritesNothing)
{
    const QString good = AlbumOfPictures(QStringLiteral("Walk"), 1);
    reporter.answers = { false };
    EXPECT_FALSE(Run({ good, Sandbox(QStringLiteral("gone.tvx")) }).Generate());
    EXPECT_EQ(reporter.prompts.size(), 1u);
    EXPECT_TRUE(QDir(Out()).isEmpty());

    THTMLGeneratorSimple second;
    FakeExportReporter secondReporter;
    options.AlbumFiles = { Sandbox(QStringLiteral("a.tvx")), Sandbox(QStringLiteral("b.tvx")) };
    second.Initialize(options, secondReporter);
    EXPECT_FALSE(second.Generate());
    EXPECT_EQ(secondReporter.remarks.size(), 2);
    ASSERT_EQ(secondReporter.prompts.size(), 1u);
    EXPECT_EQ(secondReporter.prompts[0].text, T(1));
    EXPECT_FALSE(secondReporter.prompts[0].yesNo);
    EXPECT_TRUE(QDir(Out()).isEmpty());
}

TEST_F(SimpleSite, PhotosNotForTheWebLeaveNothingToShow)
{
    WriteJpeg(Photos() + QStringLiteral("a.jpg"), 40, 30);
    const QString album
        = Album(QStringLiteral("Private"), { { QStringLiteral("a.jpg"), {}, {}, {}, {}, false } });
    reporter.answers = { false };
    EXPECT_FALSE(Run({ album }).Generate());
    EXPECT_EQ(reporter.notFound, QStringList({ T(15) }));
    ASSERT_EQ(reporter.prompts.size(), 1u);
    EXPECT_EQ(reporter.prompts[0].text, T(3));
    EXPECT_TRUE(reporter.View(Kind::PhotoChecking).done);
    EXPECT_EQ(generator.GetFlaggedPhotoCount(), 0);
    EXPECT_TRUE(QDir(Out()).isEmpty());
}

TEST_F(SimpleSite, AMissingPhotoIsReportedAndTheOthersAreNumberedWithoutGaps)
{
    WriteJpeg(Photos() + QStringLiteral("a.jpg"), 40, 30);
    WriteJpeg(Photos() + QStringLiteral("c.jpg"), 40, 30);
    const QString album = Album(QStringLiteral("Walk"),
        { { QStringLiteral("a.jpg") }, { QStringLiteral("b.jpg") }, { QStringLiteral("c.jpg") } });
    reporter.answers = { true };
    EXPECT_TRUE(Run({ album }).Generate());
    EXPECT_EQ(reporter.notFound, QStringList({ T(14, Photos() + QStringLiteral("b.jpg")) }));
    EXPECT_EQ(reporter.prompts.size(), 1u);
    EXPECT_EQ(Numbers(), QList<int>({ 1, 2 }));
    EXPECT_EQ(generator.GetFlaggedPhotoCount(), 2);
    EXPECT_EQ(Entries(Out() + QStringLiteral("photos")),
        QStringList({ QStringLiteral("background.jpg"), QStringLiteral("photo1.jpg"),
            QStringLiteral("photo2.jpg") }));
    EXPECT_FALSE(Exists(Out() + QStringLiteral("html/photo3.htm")));
}

TEST_F(SimpleSite, AMissingOutputFolderIsNeverCreated)
{
    const QString album = AlbumOfPictures(QStringLiteral("Walk"), 1);
    options.OutputDir = Sandbox(QStringLiteral("no/such/folder"));
    EXPECT_FALSE(Run({ album }).Generate());
    const QString folder = Sandbox(QStringLiteral("no/such/folder/"));
    EXPECT_EQ(reporter.remarks.last(), T(18, folder));
    ASSERT_EQ(reporter.prompts.size(), 1u);
    EXPECT_EQ(reporter.prompts[0].text, T(4));
    EXPECT_FALSE(Exists(Sandbox(QStringLiteral("no"))));
}

TEST_F(SimpleSite, AFolderThatCannotBeMadeStopsTheRun)
{
    const QString album = AlbumOfPictures(QStringLiteral("Walk"), 1);
    QFile blocker(Out() + QStringLiteral("html"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_FALSE(Run({ album }).Generate());
    EXPECT_EQ(reporter.remarks.last(), T(17, Out() + QStringLiteral("html/")));
    ASSERT_EQ(reporter.prompts.size(), 1u);
    EXPECT_EQ(reporter.prompts[0].text, T(4));
}

TEST_F(SimpleSite, ACompleteRunWritesTheWholeTree)
{
    const QString first = AlbumOfPictures(QStringLiteral("First"), 2);
    const QString second = AlbumOfPictures(QStringLiteral("Second"), 1);
    EXPECT_TRUE(Run({ first, second }).Generate());
    EXPECT_TRUE(reporter.prompts.empty());
    EXPECT_TRUE(reporter.notFound.isEmpty());

    // Six folders, reported in this order, then the style sheet and start page.
    QStringList expected;
    for (const QString& sub : { QString(), QStringLiteral("css/"), QStringLiteral("photos/"),
             QStringLiteral("html/"), QStringLiteral("images/"), QStringLiteral("script/") })
        expected << T(50, Out() + sub);
    expected << T(22, Out() + QStringLiteral("css/tavrimolex.css"))
             << T(23, Out() + QStringLiteral("index.htm"));
    EXPECT_EQ(reporter.remarks, expected);
    EXPECT_EQ(generator.IndexFile, Out() + QStringLiteral("index.htm"));

    EXPECT_EQ(Entries(Out()),
        QStringList({ QStringLiteral("css"), QStringLiteral("html"), QStringLiteral("images"),
            QStringLiteral("index.htm"), QStringLiteral("photos"), QStringLiteral("script") }));
    EXPECT_EQ(Entries(Out() + QStringLiteral("images")),
        QStringList(
            { QStringLiteral("phslideslow_selected.jpg"), QStringLiteral("phslideslow_unselected.jpg") }));
    EXPECT_EQ(Entries(Out() + QStringLiteral("script")), QStringList({ QStringLiteral("timer.js") }));
    EXPECT_EQ(Entries(Out() + QStringLiteral("html")).size(), 12);

    // Numbers go on across albums: photo 3 is the first of the second album.
    EXPECT_EQ(Numbers(), QList<int>({ 1, 2, 3 }));
    EXPECT_EQ(PictureSize(Out() + QStringLiteral("photos/photo2.jpg")), QSize(42, 32));
    EXPECT_EQ(PictureSize(Out() + QStringLiteral("photos/photo3.jpg")), QSize(41, 31));
    EXPECT_EQ(PictureSize(Out() + QStringLiteral("photos/background.jpg")), QSize(8, 8));

    EXPECT_TRUE(reporter.View(Kind::PhotoChecking).done);
    EXPECT_FALSE(reporter.View(Kind::ThumbnailCreation).done);
    EXPECT_TRUE(reporter.View(Kind::PhotoCopying).done);
    EXPECT_FALSE(reporter.View(Kind::ThumbnailPages).done);
    EXPECT_TRUE(reporter.View(Kind::PhotoPages).done);

    const FakeStepView& copying = reporter.View(Kind::PhotoCopying);
    EXPECT_EQ(copying.maximum, 3);
    EXPECT_EQ(copying.position, 3);
    EXPECT_EQ(copying.toGo, QStringLiteral("0"));
    EXPECT_EQ(reporter.View(Kind::ThumbnailCreation).maximum, 0);
    EXPECT_EQ(reporter.View(Kind::ThumbnailCreation).toGo, QStringLiteral("0"));
    const FakeStepView& pages = reporter.View(Kind::PhotoPages);
    EXPECT_EQ(pages.maximum, 3);
    EXPECT_EQ(pages.position, 3);
    EXPECT_EQ(pages.toGo, QStringLiteral("0"));
    EXPECT_EQ(pages.currentFile, Out() + QStringLiteral("html/photo3_bottom.htm"));
}

TEST_F(SimpleSite, PhotosAreShrunkOnlyWhenAsked)
{
    WriteJpeg(Photos() + QStringLiteral("big.jpg"), 400, 200);
    WriteJpeg(Photos() + QStringLiteral("small.jpg"), 50, 40);
    const QString album
        = Album(QStringLiteral("Walk"), { { QStringLiteral("big.jpg") }, { QStringLiteral("small.jpg") } });
    options.PhotoWidth = 100;
    options.PhotoHeight = 100;
    options.ResizePhotos = true;
    EXPECT_TRUE(Run({ album }).Generate());
    EXPECT_EQ(PictureSize(Out() + QStringLiteral("photos/photo1.jpg")), QSize(100, 50));
    EXPECT_EQ(PictureSize(Out() + QStringLiteral("photos/photo2.jpg")), QSize(50, 40));

    THTMLGeneratorSimple unresized;
    FakeExportReporter quiet;
    options.ResizePhotos = false;
    unresized.Initialize(options, quiet);
    EXPECT_TRUE(unresized.Generate());
    EXPECT_EQ(PictureSize(Out() + QStringLiteral("photos/photo1.jpg")), QSize(400, 200));
}

TEST_F(SimpleSite, TheSlideShowDotsAreTenPixelJpegs)
{
    EXPECT_TRUE(Run({ AlbumOfPictures(QStringLiteral("Walk"), 1) }).Generate());
    QImage lit(Out() + QStringLiteral("images/phslideslow_selected.jpg"));
    QImage idle(Out() + QStringLiteral("images/phslideslow_unselected.jpg"));
    ASSERT_EQ(lit.size(), QSize(10, 10));
    ASSERT_EQ(idle.size(), QSize(10, 10));
    EXPECT_EQ(QImageReader(Out() + QStringLiteral("images/phslideslow_selected.jpg")).format(), "jpeg");
    EXPECT_GT(lit.pixelColor(5, 5).red(), 200);
    EXPECT_LT(lit.pixelColor(5, 5).green(), 60);
    EXPECT_NEAR(idle.pixelColor(5, 5).red(), QColor(Qt::gray).red(), 8);

    // Without pictures the dots are still written, as white squares.
    THTMLGeneratorSimple plain;
    FakeExportReporter quiet;
    options.SlideShowImages = {};
    plain.Initialize(options, quiet);
    EXPECT_TRUE(plain.Generate());
    const QImage blank(Out() + QStringLiteral("images/phslideslow_selected.jpg"));
    ASSERT_EQ(blank.size(), QSize(10, 10));
    EXPECT_GT(blank.pixelColor(5, 5).lightness(), 245);
}

TEST_F(SimpleSite, OnlyPagesKeepsTheCopiedPhotosOfAnEarlierRun)
{
    const QString album = AlbumOfPictures(QStringLiteral("Walk"), 2);
    ASSERT_TRUE(QDir().mkpath(Out() + QStringLiteral("photos")));
    WriteJpeg(Out() + QStringLiteral("photos/photo1.jpg"), 7, 7);
    options.CreateOnlyHTML = true;
    EXPECT_TRUE(Run({ album }).Generate());
    EXPECT_EQ(Numbers(), QList<int>({ 1, 2 }));
    EXPECT_EQ(PictureSize(Out() + QStringLiteral("photos/photo1.jpg")), QSize(7, 7));
    EXPECT_FALSE(Exists(Out() + QStringLiteral("photos/photo2.jpg")));
    EXPECT_TRUE(Exists(Out() + QStringLiteral("photos/background.jpg")));
    EXPECT_TRUE(Exists(Out() + QStringLiteral("html/photo2_bottom.htm")));
    EXPECT_TRUE(reporter.View(Kind::PhotoCopying).done);
}

TEST_F(SimpleSite, AnUnreadablePhotoIsReportedAndItsOldCopyRemoved)
{
    WriteJpeg(Photos() + QStringLiteral("good.jpg"), 40, 30);
    QFile broken(Photos() + QStringLiteral("broken.jpg"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("\xFF\xD8\xFF\xE0 this is not a picture");
    broken.close();
    const QString album
        = Album(QStringLiteral("Walk"), { { QStringLiteral("broken.jpg") }, { QStringLiteral("good.jpg") } });
    ASSERT_TRUE(QDir().mkpath(Out() + QStringLiteral("photos")));
    // From an earlier export, when photo 1 was another picture.
    WriteJpeg(Out() + QStringLiteral("photos/photo1.jpg"), 7, 7);

    EXPECT_TRUE(Run({ album }).Generate());
    EXPECT_TRUE(reporter.remarks.contains(T(21, Photos() + QStringLiteral("broken.jpg"))));
    EXPECT_FALSE(Exists(Out() + QStringLiteral("photos/photo1.jpg")));
    EXPECT_EQ(PictureSize(Out() + QStringLiteral("photos/photo2.jpg")), QSize(40, 30));
    EXPECT_TRUE(Exists(Out() + QStringLiteral("html/photo1_bottom.htm")));
}

TEST_F(SimpleSite, StopEndsTheLoopsButTheLaterStepsStillRun)
{
    const QString album = AlbumOfPictures(QStringLiteral("Walk"), 4);
    Run({ album });
    // Stop is pressed while photo 2 is copied.
    reporter.onPump = [this](int) {
        if (reporter.View(Kind::PhotoCopying).position == 2)
            generator.Stopped = true;
    };
    EXPECT_TRUE(generator.Generate());
    EXPECT_TRUE(generator.Stopped);
    EXPECT_TRUE(Exists(Out() + QStringLiteral("photos/photo2.jpg")));
    EXPECT_FALSE(Exists(Out() + QStringLiteral("photos/photo3.jpg")));
    EXPECT_TRUE(Exists(Out() + QStringLiteral("index.htm")));
    EXPECT_TRUE(Exists(Out() + QStringLiteral("css/tavrimolex.css")));
    EXPECT_TRUE(Exists(Out() + QStringLiteral("script/timer.js")));
    EXPECT_TRUE(Exists(Out() + QStringLiteral("images/phslideslow_selected.jpg")));
    EXPECT_FALSE(Exists(Out() + QStringLiteral("html/photo1.htm")));
}

TEST_F(SimpleSite, APageThatCannotBeWrittenLeavesTheRunAsAnError)
{
    const QString album = AlbumOfPictures(QStringLiteral("Walk"), 2);
    ASSERT_TRUE(QDir().mkpath(Out() + QStringLiteral("html/photo2_top.htm")));
    Run({ album });
    EXPECT_THROW(generator.Generate(), EExportError);
    EXPECT_TRUE(reporter.prompts.empty());
    EXPECT_TRUE(Exists(Out() + QStringLiteral("index.htm")));
    EXPECT_TRUE(Exists(Out() + QStringLiteral("html/photo1_bottom.htm")));
    EXPECT_TRUE(Exists(Out() + QStringLiteral("html/photo2.htm")));
    EXPECT_FALSE(Exists(Out() + QStringLiteral("html/photo2_contents.htm")));
}
