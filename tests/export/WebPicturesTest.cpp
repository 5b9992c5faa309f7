// SPDX-License-Identifier: GPL-2.0-or-later
// The pictures of both web sites are made on several threads: the sites come
// out byte for byte as from one thread, with their progress in photo order,
// and a stop leaves every photo with all of its pictures or none.
#include "export/HTMLGenerator.h"
#include "export/HTMLGeneratorSimple.h"

#include "ExportTestSupport.h"
#include "FakeExportReporter.h"
#include "imaging/JpegCodec.h"
#include "support/ScopedWorkerThreads.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <gtest/gtest.h>

namespace {

using Kind = TExportStepKind;

// Detail in every pixel, so that a picture of another photo or another
// scale differs in its bytes.
void WriteDetailedJpeg(const QString& fileName, int width, int height, int seed)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb((x * 3 + seed * 40) & 255, (y * 2 + x * seed) & 255, (x ^ y) & 255));
    ASSERT_TRUE(SaveJpegFile(image, fileName, 90));
}

struct SiteOutcome {
    QMap<QString, QByteArray> files;
    QStringList remarks;
    QStringList thumbnailProgress;
    QStringList copyProgress;
};

class WebPictures : public ExportSandbox {
protected:
    void SetUp() override
    {
        ExportSandbox::SetUp();
        options.OutputDir = Out();
        options.ResizePhotos = true;
        options.PhotoWidth = 120;
        options.PhotoHeight = 90;
        options.ThumbWidth = 40;
        options.ThumbHeight = 30;
        options.ThumbColumns = 3;
        options.ThumbRows = 2;
        options.JpegQuality = 80;
        options.Background.Image = Filled(8, 8, Qt::darkBlue);
        options.SlideShowImages = { Filled(10, 10, Qt::gray), Filled(10, 10, Qt::red) };
    }

    // Photos of several sizes, one of them too small to be shrunk, and one
    // that cannot be decoded.
    QString MixedAlbum()
    {
        std::vector<PhotoSpec> photos;
        for (int k = 0; k < 9; ++k) {
            const QString file = QStringLiteral("p%1.jpg").arg(k);
            WriteDetailedJpeg(
                Photos() + file, k == 4 ? 60 : 200 + 29 * k, k == 4 ? 50 : 150 + 41 * (k % 3), k);
            photos.push_back({ file });
        }
        QFile broken(Photos() + QStringLiteral("broken.jpg"));
        EXPECT_TRUE(broken.open(QIODevice::WriteOnly));
        broken.write("\xFF\xD8\xFF\xE0 no picture here");
        broken.close();
        photos.insert(photos.begin() + 5, PhotoSpec(QStringLiteral("broken.jpg")));
        return Album(QStringLiteral("Mixed"), photos);
    }

    template <class TGenerator> SiteOutcome MakeSite(const QString& album, int threads)
    {
        ScopedWorkerThreads scoped(threads);
        options.AlbumFiles = { album };
        FakeExportReporter reporter;
        TGenerator generator;
        generator.Initialize(options, reporter);
        EXPECT_TRUE(generator.Generate());
        SiteOutcome outcome;
        QDirIterator it(Out(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next();
            QFile f(file);
            EXPECT_TRUE(f.open(QIODevice::ReadOnly));
            outcome.files.insert(file.mid(Out().size()), f.readAll());
        }
        outcome.remarks = reporter.remarks;
        outcome.thumbnailProgress = reporter.View(Kind::ThumbnailCreation).history;
        outcome.copyProgress = reporter.View(Kind::PhotoCopying).history;
        // The next run starts from an empty output folder again.
        EXPECT_TRUE(QDir(Out()).removeRecursively());
        EXPECT_TRUE(QDir().mkpath(Out()));
        return outcome;
    }

    // The web copies' file names the copying step showed, in order.
    static QStringList ShownFiles(const QStringList& history)
    {
        QStringList files;
        for (const QString& line : history)
            if (line != QStringLiteral("step") && !line.startsWith(QStringLiteral("to go ")))
                files << line;
        return files;
    }

    QStringList PhotoPathsButBroken() const
    {
        QStringList paths;
        for (int k = 0; k < 9; ++k)
            paths << Photos() + QStringLiteral("p%1.jpg").arg(k);
        return paths;
    }

    TExportOptions options;
    ScopedExportTexts texts;
};

} // namespace

TEST_F(WebPictures, BothSitesAreTheSameWhateverTheThreadCount)
{
    const QString album = MixedAlbum();
    const SiteOutcome framedOne = MakeSite<THTMLGenerator>(album, 1);
    const SiteOutcome framedFour = MakeSite<THTMLGenerator>(album, 4);
    // Numbers 1 to 10, and no pictures for the broken photo, number 6.
    EXPECT_TRUE(framedOne.files.contains(QStringLiteral("images/thumbnails/Thumbnail10.jpg")));
    EXPECT_FALSE(framedOne.files.contains(QStringLiteral("images/photos/Photo6.jpg")));
    EXPECT_TRUE(framedOne.remarks.contains(T(21, Photos() + QStringLiteral("broken.jpg"))));
    EXPECT_EQ(framedFour.files, framedOne.files);
    EXPECT_EQ(framedFour.remarks, framedOne.remarks);
    EXPECT_EQ(framedFour.thumbnailProgress, framedOne.thumbnailProgress);
    EXPECT_EQ(framedFour.copyProgress, framedOne.copyProgress);
    EXPECT_EQ(ShownFiles(framedFour.copyProgress), PhotoPathsButBroken());
    EXPECT_EQ(framedFour.copyProgress.last(), QStringLiteral("to go 0"));

    const SiteOutcome simpleOne = MakeSite<THTMLGeneratorSimple>(album, 1);
    const SiteOutcome simpleThree = MakeSite<THTMLGeneratorSimple>(album, 3);
    EXPECT_TRUE(simpleOne.files.contains(QStringLiteral("photos/photo10.jpg")));
    EXPECT_FALSE(simpleOne.files.contains(QStringLiteral("photos/photo6.jpg")));
    EXPECT_EQ(simpleThree.files, simpleOne.files);
    EXPECT_EQ(simpleThree.remarks, simpleOne.remarks);
    EXPECT_EQ(simpleThree.copyProgress, simpleOne.copyProgress);
    EXPECT_EQ(ShownFiles(simpleThree.copyProgress), PhotoPathsButBroken());
}

TEST_F(WebPictures, AStopLeavesEveryPhotoWithAllItsPicturesOrNone)
{
    ScopedWorkerThreads scoped(4);
    std::vector<PhotoSpec> photos;
    for (int k = 0; k < 16; ++k) {
        const QString file = QStringLiteral("big%1.jpg").arg(k);
        // Photo 3 takes longest, so that the stop mostly finds it unmade.
        WriteDetailedJpeg(Photos() + file, k == 2 ? 3000 : 600, k == 2 ? 2000 : 400, k);
        photos.push_back({ file });
    }
    options.AlbumFiles = { Album(QStringLiteral("Big"), photos) };
    FakeExportReporter reporter;
    THTMLGenerator generator;
    generator.Initialize(options, reporter);
    // Stop comes after photo 2, while photo 3 is awaited or written.
    int pumpsAfterTwo = 0;
    reporter.onPump = [&](int) {
        if (reporter.View(Kind::PhotoCopying).position == 2 && ++pumpsAfterTwo == 2)
            generator.Stopped = true;
    };
    EXPECT_TRUE(generator.Generate());
    WaitForWorkers();

    // The loop ended after photo 3, which has both pictures or neither.
    QList<int> numbers;
    for (int i = 0; i < generator.Albums[0]->GetPhotos().Count(); ++i)
        numbers << generator.Albums[0]->GetPhotos().PhotoAt(i)->GetHtmlNumber();
    EXPECT_EQ(numbers.mid(0, 4), QList<int>({ 1, 2, 3, -1 }));
    const QStringList thumbnails
        = QDir(Out() + QStringLiteral("images/thumbnails")).entryList(QDir::Files | QDir::Hidden);
    const QStringList copies
        = QDir(Out() + QStringLiteral("images/photos")).entryList(QDir::Files | QDir::Hidden);
    EXPECT_TRUE(thumbnails.size() == 2 || thumbnails.size() == 3) << thumbnails.join(u' ').toStdString();
    EXPECT_EQ(copies.size(), thumbnails.size()) << copies.join(u' ').toStdString();
    for (int n = 1; n <= thumbnails.size(); ++n) {
        EXPECT_TRUE(thumbnails.contains(QStringLiteral("Thumbnail%1.jpg").arg(n)));
        EXPECT_TRUE(copies.contains(QStringLiteral("Photo%1.jpg").arg(n)));
    }
    // The later steps still run.
    EXPECT_TRUE(Exists(Out() + QStringLiteral("index.htm")));
}
