// SPDX-License-Identifier: GPL-2.0-or-later
// Makes two small photo-by-photo web sites for the browser test, with the
// program's own album model and generator:
//
//   simple_site_maker <work folder>
//
// <work folder>/site: one album of three photos; the show starts on a button.
// <work folder>/autosite: the same photos; the show starts by itself.
// The exit code is 0 when both runs reported success.
#include "export/HTMLGeneratorSimple.h"

#include "PrintingReporter.h"
#include "TestPictures.h"
#include "imaging/JpegCodec.h"
#include "model/Album.h"

#include <QColor>
#include <QCoreApplication>
#include <QDir>
#include <QImage>

#include <array>
#include <cstdio>
#include <exception>

namespace {

bool MakeSite(const QString& albumFile, const QString& site, bool startSlideShow)
{
    if (!QDir().mkpath(site))
        return false;
    TExportOptions options;
    options.AlbumFiles = { albumFile };
    options.OutputDir = site;
    options.PhotoWidth = 580;
    options.PhotoHeight = 360;
    options.JpegQuality = 80;
    options.Title = QStringLiteral("Walks & views");
    options.Background.Image = Filled(8, 8, Qt::white);
    options.SlideShowImages = { Filled(10, 10, Qt::gray), Filled(10, 10, Qt::red) };
    options.StartSlideShow = startSlideShow;

    // A question means something went wrong.
    PrintingReporter reporter(false);
    THTMLGeneratorSimple generator;
    generator.Initialize(options, reporter);
    return generator.Generate() && generator.GetFlaggedPhotoCount() == 3;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: simple_site_maker <work folder>\n");
        return 2;
    }
    const QString work = QDir(args.at(1)).absolutePath() + u'/';
    const QString photos = work + QStringLiteral("photos/");
    if (!QDir().mkpath(photos)) {
        std::fprintf(stderr, "cannot make the work folders\n");
        return 2;
    }

    try {
        const QString albumFile = work + QStringLiteral("Walk.tvx");
        TAlbum album(albumFile);
        album.SetDescription(QStringLiteral("Three photos <of> a walk"));
        const std::array<QColor, 3> colours { QColor(200, 40, 40), QColor(40, 160, 40), QColor(40, 40, 200) };
        for (size_t k = 0; k < colours.size(); ++k) {
            const QString path = photos + QStringLiteral("walk-%1.jpg").arg(k + 1);
            if (!SaveJpegFile(Filled(200, 150, colours[k]), path, 80)) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
                return 2;
            }
            auto photo = NewPhoto(album, path);
            photo->SetDescription(QStringLiteral("Photo %1 of the walk").arg(k + 1));
            album.GetPhotos().Add(std::move(photo));
        }
        album.SaveToFile();

        const bool made = MakeSite(albumFile, work + QStringLiteral("site"), false)
            && MakeSite(albumFile, work + QStringLiteral("autosite"), true);
        return made ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
