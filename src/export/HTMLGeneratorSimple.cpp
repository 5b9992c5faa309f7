#include "export/HTMLGeneratorSimple.h"

#include "export/ExportError.h"
#include "imaging/ImageLoader.h"
#include "imaging/JpegCodec.h"
#include "imaging/PictureDrawing.h"
#include "language/LanguageSelector.h"
#include "model/Album.h"
#include "platform/TextUtil.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>

#include <algorithm>

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
    StoreOptions(options, reporter);
    if (Title.isEmpty())
        Title = Language()->HG[53] + QStringLiteral(" Tavrimolex Photo Viewer.");
    SlideShowImages = options.SlideShowImages;
    StartSlideShow = options.StartSlideShow;

    WindowWidth = std::max(PhotoWidth + 20, 600);
    WindowWidthText = QString::number(WindowWidth);
    WindowHeight = PhotoHeight + 20;
    WindowHeightText = QString::number(WindowHeight);
}

bool THTMLGeneratorSimple::Generate()
{
    const TLanguageSelector& lang = *Language();
    TExportReporter& reporter = Reporter();
    const auto fail = [&reporter](const QString& text) {
        reporter.Inform(text);
        return false;
    };

    if (!OpenAlbums()) {
        if (AlbumFiles.isEmpty())
            return fail(lang.HG[1]);
        if (!reporter.AskYesNo(lang.HG[2]))
            return false;
    }

    const bool photosFound = CheckPhotos();
    Step(TExportStepKind::PhotoChecking).SetDone(true);
    if (!photosFound && !reporter.AskYesNo(lang.HG[3]))
        return false;

    if (!CreateFolders())
        return fail(lang.HG[4]);

    // This site has no thumbnails.
    Step(TExportStepKind::ThumbnailCreation).SetDone(false);
    const bool copied = CopyPhotos();
    if (copied || CreateOnlyHTML)
        Step(TExportStepKind::PhotoCopying).SetDone(true);
    if (!copied)
        return fail(lang.HG[54]);

    if (!WriteStyleSheet())
        return fail(lang.HG[6]);
    if (!WriteIndexPage())
        return fail(lang.HG[7]);
    if (!WriteSlideShowImages())
        return fail(lang.HG[61]);
    if (!WriteTimerScript())
        return fail(lang.HG[62]);

    if (!WritePhotoPages())
        return fail(lang.HG[11]);
    Step(TExportStepKind::PhotoPages).SetDone(true);
    return true;
}

bool THTMLGeneratorSimple::OpenAlbums()
{
    return OpenAlbumFiles(Language()->HG[55]);
}

void THTMLGeneratorSimple::ReportFolder(const QString& folder) const
{
    AddRemark(Text::Format(Language()->HG[50], { folder }));
}

bool THTMLGeneratorSimple::CreateFolders()
{
    const TLanguageSelector& lang = *Language();
    // The output folder is the user's choice and is never made here: a typing
    // error would otherwise scatter a site somewhere unexpected.
    if (OutputDir.isEmpty() || !QFileInfo(OutputDir).isDir()) {
        AddRemark(Text::Format(lang.HG[18], { OutputDir }));
        return false;
    }

    RootFolder = OutputDir;
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
            AddRemark(Text::Format(lang.HG[17], { folder }));
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
    int number = 1;
    for (const auto& album : Albums) {
        TPhotoList& photos = album->GetPhotos();
        for (int i = 0; i < photos.Count(); ++i) {
            TPhoto* photo = photos.PhotoAt(i);
            if (photo->GetUseInHtml() && !CreateOnlyHTML)
                CopyPhoto(*photo, number);
            photo->SetHtmlNumber(number);
            StepProgress(TExportStepKind::PhotoCopying, number);
            ++number;
            Reporter().ProcessEvents();
            if (Stopped)
                break;
        }
        if (Stopped)
            break;
    }
    return true;
}

void THTMLGeneratorSimple::CopyPhoto(const TPhoto& photo, int number)
{
    const TLanguageSelector& lang = *Language();
    const QString path = photo.GetName();
    const QString target = PhotosFolder + QStringLiteral("photo%1.jpg").arg(number);
    bool written = false;

    if (photo.FileExists()) {
        QImage picture;
        if (!LoadImageFile(path, picture) || picture.isNull()) {
            AddRemark(Text::Format(lang.HG[21], { path }));
        } else {
            if (ResizePhotos) {
                QImage fitted;
                ScaleImageToFit(picture, fitted, PhotoWidth, PhotoHeight);
                if (!fitted.isNull())
                    picture = fitted;
            }
            Step(TExportStepKind::PhotoCopying).SetCurrentFile(path);
            Reporter().ProcessEvents();
            written = SaveJpegFile(picture, target, JpegQuality);
            if (!written)
                AddRemark(Text::Format(lang.HG[20], { path }));
        }
    }

    // A photo of the same number from an earlier export would otherwise be
    // shown on this photo's page.
    if (!written)
        QFile::remove(target);
}

bool THTMLGeneratorSimple::WriteSlideShowImages()
{
    SaveDot(SlideShowImages[0], ImagesFolder + QStringLiteral("phslideslow_unselected.jpg"));
    SaveDot(SlideShowImages[1], ImagesFolder + QStringLiteral("phslideslow_selected.jpg"));
    return true;
}

bool THTMLGeneratorSimple::WritePhotoPages()
{
    TExportStepView& step = Step(TExportStepKind::PhotoPages);
    StartProgress(TExportStepKind::PhotoPages, CountPhotos(false));
    int count = 0;
    bool ok = true;
    for (const auto& album : Albums) {
        const TPhotoList& photos = album->GetPhotos();
        for (int i = 0; i < photos.Count() && !Stopped && ok; ++i) {
            const TPhoto& photo = *photos.PhotoAt(i);
            QString lastPage;
            if (photo.GetUseInHtml()) {
                ok = WritePhotoFrameset(photo);
                lastPage = PageName(photo, QString());
                if (ok) {
                    ok = WritePhotoTopPage(*album, photo);
                    lastPage = PageName(photo, QStringLiteral("_top"));
                }
                if (ok) {
                    ok = WritePhotoContentsPage(photo);
                    lastPage = PageName(photo, QStringLiteral("_contents"));
                }
                if (ok) {
                    ok = WritePhotoBottomPage(photo, count);
                    lastPage = PageName(photo, QStringLiteral("_bottom"));
                }
            }
            ++count;
            StepProgress(TExportStepKind::PhotoPages, count);
            if (!lastPage.isEmpty())
                step.SetCurrentFile(lastPage);
            Reporter().ProcessEvents();
        }
        if (Stopped || !ok)
            break;
    }
    return ok;
}

QString THTMLGeneratorSimple::PageName(const TPhoto& photo, const QString& suffix) const
{
    return HtmlFolder + QStringLiteral("photo%1%2.htm").arg(photo.GetHtmlNumber()).arg(suffix);
}
