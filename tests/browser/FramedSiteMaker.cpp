// SPDX-License-Identifier: GPL-2.0-or-later
// Makes a small framed web site for the browser test: photos, two albums and
// the site, with the program's own album model and generator.
//
//   framed_site_maker <work folder> [word between "i" and "n"]
//
// The site is written to <work folder>/site; the exit code is 0 when the
// generator reported success.
#include "export/HTMLGenerator.h"

#include "PrintingReporter.h"
#include "TestPictures.h"
#include "imaging/JpegCodec.h"
#include "language/LanguageSelector.h"
#include "model/Album.h"

#include <QColor>
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QTextStream>

#include <array>
#include <cstdio>
#include <exception>

namespace {

bool WritePhoto(const QString& fileName, QColor colour)
{
    return SaveJpegFile(Filled(64, 48, colour), fileName, 80);
}

int Label(TEntityList& labels, const QString& name)
{
    if (labels.IdByName(name) < 0)
        labels.AddName(name);
    return labels.IdByName(name);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: framed_site_maker <work folder> [word]\n");
        return 2;
    }
    const QString work = QDir(args.at(1)).absolutePath() + u'/';
    const QString photos = work + QStringLiteral("photos/");
    const QString site = work + QStringLiteral("site/");
    if (!QDir().mkpath(photos) || !QDir().mkpath(site)) {
        std::fprintf(stderr, "cannot make the work folders\n");
        return 2;
    }
    if (args.size() > 2)
        Language()->HG[40] = args.at(2);

    try {
        // Holiday: three photos; the first carries a description that would
        // end the page's markup if it were written as it is.
        TAlbum holiday(work + QStringLiteral("Holiday.tvx"));
        holiday.SetDescription(QStringLiteral("Summer & sea"));
        const std::array<QColor, 3> colours { QColor(200, 40, 40), QColor(40, 200, 40), QColor(40, 40, 200) };
        for (int k = 1; k <= 3; ++k) {
            const QString file = photos + QStringLiteral("holiday-%1.jpg").arg(k);
            if (!WritePhoto(file, colours[size_t(k - 1)]))
                return 2;
            auto photo = NewPhoto(holiday, file);
            photo->SetYear(QStringLiteral("2004"));
            photo->GetObjectIds().Add(Label(holiday.GetObjects(), QStringLiteral("Anna")));
            if (k == 1) {
                photo->SetDescription(QStringLiteral(
                    "</select><script>top.pwned = 1;</script><b onmouseover=\"top.pwned=2\">x</b>"));
                photo->SetEventId(Label(holiday.GetEvents(), QStringLiteral("Trip")));
            }
            holiday.GetPhotos().Add(std::move(photo));
        }
        if (!holiday.SaveToFile())
            return 2;

        // Many: 22 photos, two pages of a 5 x 4 grid.
        TAlbum many(work + QStringLiteral("Many.tvx"));
        for (int k = 1; k <= 22; ++k) {
            const QString file = photos + QStringLiteral("many-%1.jpg").arg(k);
            if (!WritePhoto(file, QColor(10 * k, 100, 150)))
                return 2;
            many.GetPhotos().Add(NewPhoto(many, file));
        }
        if (!many.SaveToFile())
            return 2;

        TExportOptions options;
        options.AlbumFiles = { holiday.GetFileName(), many.GetFileName() };
        options.OutputDir = site;
        options.ResizePhotos = true;
        options.PhotoWidth = 580;
        options.PhotoHeight = 360;
        options.ThumbWidth = 60;
        options.ThumbHeight = 45;
        options.ThumbColumns = 5;
        options.ThumbRows = 4;
        options.Title = QStringLiteral("Browser <test> & site");
        options.JpegQuality = 80;
        options.Background.Image = Filled(8, 8, QColor(34, 0, 123));

        // Every question is answered with Yes.
        PrintingReporter reporter(true);
        THTMLGenerator generator;
        generator.Initialize(options, reporter);
        if (!generator.Generate())
            return 1;
        QTextStream(stdout) << generator.IndexFile << Qt::endl;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
