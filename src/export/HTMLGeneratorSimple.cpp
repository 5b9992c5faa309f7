// SPDX-License-Identifier: GPL-2.0-or-later
#include "export/HTMLGeneratorSimple.h"

#include "export/SimpleTimerScript.h"

#include "export/ExportError.h"
#include "export/PageWriter.h"
#include "export/SimplePages.h"
#include "export/WebSiteFiles.h"
#include "imaging/JpegCodec.h"
#include "language/LanguageSelector.h"
#include "model/Album.h"
#include "platform/TextUtil.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>

#include <algorithm>
#include <utility>

namespace {

// The dots are drawn as the image list holds them: 10 x 10 pixels.
constexpr int SlideShowDotSize = 10;

QImage DotBitmap(const QImage& picture)
{
    const QSize size = picture.isNull() ? QSize(SlideShowDotSize, SlideShowDotSize) : picture.size();
    QImage bitmap(size, QImage::Format_RGB32);
    bitmap.fill(Qt::white);
    if (!picture.isNull()) {
        QPainter painter(&bitmap);
        painter.drawImage(0, 0, picture);
    }
    return bitmap;
}

void SaveDot(const QImage& picture, const QString& fileName)
{
    QString error;
    if (!SaveJpegFile(DotBitmap(picture), fileName, 100, &error))
        throw EExportError::WriteError(fileName, error);
}

} // namespace

THTMLGeneratorSimple::THTMLGeneratorSimple() = default;

THTMLGeneratorSimple::~THTMLGeneratorSimple() = default;

void THTMLGeneratorSimple::Initialize(const TExportOptions& options, TExportReporter& reporter)
{
    TExportOptions own = Tidied(options);
    if (own.Title.isEmpty())
        own.Title = Language()->HG[53] + QStringLiteral(" Tavrimolex Photo Viewer.");
    StoreOptions(std::move(own), reporter);

    WindowWidth = std::max(Options().PhotoWidth + 20, 600);
    WindowWidthText = QString::number(WindowWidth);
    WindowHeight = Options().PhotoHeight + 20;
    WindowHeightText = QString::number(WindowHeight);
}

bool THTMLGeneratorSimple::Generate()
{
    const TLanguageSelector& lang = *Language();
    if (!OpenAndCheckAlbums())
        return false;

    if (!CreateFolders())
        return Fail(lang.HG[4]);

    // This site has no thumbnails.
    Step(TExportStepKind::ThumbnailCreation).SetDone(false);
    const bool copied = CopyPhotos();
    if (copied || Options().CreateOnlyHTML)
        Step(TExportStepKind::PhotoCopying).SetDone(true);
    if (!copied)
        return Fail(lang.HG[54]);

    if (!WriteStyleSheet())
        return Fail(lang.HG[6]);
    if (!WriteIndexPage())
        return Fail(lang.HG[7]);
    if (!WriteSlideShowImages())
        return Fail(lang.HG[61]);
    if (!WriteTimerScript())
        return Fail(lang.HG[62]);

    if (!WritePhotoPages())
        return Fail(lang.HG[11]);
    Step(TExportStepKind::PhotoPages).SetDone(true);
    return true;
}

bool THTMLGeneratorSimple::OpenAlbums()
{
    return OpenAlbumFiles(Language()->HG[55]);
}

bool THTMLGeneratorSimple::CreateFolders()
{
    if (!OutputDirExists())
        return false;
    // Files that writes of an earlier run left half-made when it was killed.
    RemoveWebSiteLeftovers(Options().OutputDir);

    RootFolder = Options().OutputDir;
    CssFolder = RootFolder + QStringLiteral("css/");
    PhotosFolder = RootFolder + QStringLiteral("photos/");
    HtmlFolder = RootFolder + QStringLiteral("html/");
    ImagesFolder = RootFolder + QStringLiteral("images/");
    ScriptFolder = RootFolder + QStringLiteral("script/");
    for (const QString& folder :
        { RootFolder, CssFolder, PhotosFolder, HtmlFolder, ImagesFolder, ScriptFolder }) {
        // A file of that name, or a folder we may not write into, would only
        // fail later, page by page.
        if (!QDir().mkpath(folder) || !QFileInfo(folder).isDir()) {
            AddRemark(Text::Format(Language()->HG[17], { folder }));
            return false;
        }
        ReportFolder(folder);
    }
    return true;
}

bool THTMLGeneratorSimple::CopyPhotos()
{
    SaveBackground(PhotosFolder + QStringLiteral("background.jpg"));

    TExportStepView& thumbnails = Step(TExportStepKind::ThumbnailCreation);
    thumbnails.SetMinimum(0);
    thumbnails.SetMaximum(0);
    thumbnails.SetStep(1);
    thumbnails.SetToGo(QStringLiteral("0"));

    StartProgress(TExportStepKind::PhotoCopying, CountPhotos(false));
    const TExportOptions& options = Options();
    TWebPictureRecipe recipe;
    recipe.Fit = options.ResizePhotos;
    recipe.PhotoWidth = options.PhotoWidth;
    recipe.PhotoHeight = options.PhotoHeight;
    recipe.KeepUnfitted = true;
    recipe.JpegQuality = options.JpegQuality;
    NumberPhotos(
        recipe, [this](const TPhoto& photo) { return photo.GetUseInHtml() && !Options().CreateOnlyHTML; },
        [this](TPhoto& photo, int number, const TWebPictures& pictures) {
            if (photo.GetUseInHtml() && !Options().CreateOnlyHTML)
                CopyPhoto(photo, number, pictures);
            StepProgress(TExportStepKind::PhotoCopying, number);
        });
    return true;
}

void THTMLGeneratorSimple::CopyPhoto(const TPhoto& photo, int number, const TWebPictures& pictures)
{
    const QString target = PhotosFolder + QStringLiteral("photo%1.jpg").arg(number);
    bool written = false;
    if (pictures.State == TWebPictures::Unreadable)
        ReportUnreadable(photo.GetName());
    if (pictures.State == TWebPictures::Made)
        written = SaveWebPhoto(photo.GetName(), pictures.Photo, target);
    if (!written)
        RemoveStaleFile(target);
}

bool THTMLGeneratorSimple::WriteSlideShowImages()
{
    SaveDot(Options().SlideShowImages[0], ImagesFolder + QStringLiteral("phslideslow_unselected.jpg"));
    SaveDot(Options().SlideShowImages[1], ImagesFolder + QStringLiteral("phslideslow_selected.jpg"));
    return true;
}

bool THTMLGeneratorSimple::WriteTimerScript()
{
    TPageWriter::WriteFile(
        ScriptFolder + QStringLiteral("timer.js"), Text::SplitLines(Simple::TimerScript()));
    return true;
}

TSimplePages THTMLGeneratorSimple::Pages() const
{
    TSimplePages::TLayout layout;
    layout.WindowWidth = WindowWidth;
    layout.WindowHeight = WindowHeight;
    layout.Title = Options().Title;
    layout.PhotoCount = GetFlaggedPhotoCount();
    layout.DontResize = Options().DontResize;
    layout.StartSlideShow = Options().StartSlideShow;
    return TSimplePages(std::move(layout));
}

bool THTMLGeneratorSimple::WriteStyleSheet()
{
    CssFile = CssFolder + QStringLiteral("tavrimolex.css");
    TPageWriter::WriteFile(CssFile, TSimplePages::StyleSheet());
    AddRemark(Text::Format(Language()->HG[22], { CssFile }));
    return true;
}

bool THTMLGeneratorSimple::WriteIndexPage()
{
    IndexFile = RootFolder + QStringLiteral("index.htm");
    QString name;
    QString description;
    if (Albums.size() == 1) {
        name = Text::Trim(Albums.front()->GetName());
        description = Text::Trim(Albums.front()->GetDescription());
    }
    TPageWriter::WriteFile(IndexFile, Pages().IndexPage(name, description));
    AddRemark(Text::Format(Language()->HG[23], { IndexFile }));
    return true;
}

bool THTMLGeneratorSimple::WritePhotoPages()
{
    TExportStepView& step = Step(TExportStepKind::PhotoPages);
    StartProgress(TExportStepKind::PhotoPages, CountPhotos(false));
    const TSimplePages pages = Pages();
    int count = 0;
    for (const auto& album : Albums) {
        const TPhotoList& photos = album->GetPhotos();
        for (int i = 0; i < photos.Count() && !Stopped; ++i) {
            const TPhoto& photo = *photos.PhotoAt(i);
            if (photo.GetUseInHtml()) {
                WritePhotoFrameset(pages, photo);
                WritePhotoTopPage(pages, *album, photo);
                WritePhotoContentsPage(pages, photo);
                WritePhotoBottomPage(pages, photo, count);
            }
            ++count;
            StepProgress(TExportStepKind::PhotoPages, count);
            if (photo.GetUseInHtml())
                step.SetCurrentFile(PageName(photo, QStringLiteral("_bottom")));
            Reporter().ProcessEvents();
        }
        if (Stopped)
            break;
    }
    return true;
}

void THTMLGeneratorSimple::WritePhotoFrameset(const TSimplePages& pages, const TPhoto& photo)
{
    TPageWriter::WriteFile(PageName(photo, QString()), pages.PhotoFrameset(photo.GetHtmlNumber()));
}

void THTMLGeneratorSimple::WritePhotoTopPage(
    const TSimplePages& pages, const TAlbum& album, const TPhoto& photo)
{
    TPageWriter::WriteFile(
        PageName(photo, QStringLiteral("_top")), pages.PhotoTopPage(photo.GetHtmlNumber(), album.GetName()));
}

void THTMLGeneratorSimple::WritePhotoContentsPage(const TSimplePages& pages, const TPhoto& photo)
{
    TPageWriter::WriteFile(PageName(photo, QStringLiteral("_contents")),
        pages.PhotoContentsPage(photo.GetHtmlNumber(), photo.GetDescription()));
}

void THTMLGeneratorSimple::WritePhotoBottomPage(const TSimplePages& pages, const TPhoto& photo, int count)
{
    TPageWriter::WriteFile(
        PageName(photo, QStringLiteral("_bottom")), pages.PhotoBottomPage(photo.GetHtmlNumber(), count));
}

QString THTMLGeneratorSimple::PageName(const TPhoto& photo, const QString& suffix) const
{
    return HtmlFolder + QStringLiteral("photo%1%2.htm").arg(photo.GetHtmlNumber()).arg(suffix);
}
