#include "export/WebSiteGenerator.h"

#include "export/ExportError.h"
#include "imaging/ImageLoader.h"
#include "imaging/JpegCodec.h"
#include "language/LanguageSelector.h"
#include "model/Album.h"
#include "platform/Paths.h"
#include "platform/StatusReporter.h"
#include "platform/TextUtil.h"

#include <QFile>
#include <QFileInfo>

#include <exception>

TWebSiteGenerator::TWebSiteGenerator() = default;

TWebSiteGenerator::~TWebSiteGenerator() = default;

void TWebSiteGenerator::StoreOptions(const TExportOptions& options, TExportReporter& reporter)
{
    m_reporter = &reporter;
    AlbumFiles = options.AlbumFiles;
    // An empty folder would otherwise become the file-system root.
    OutputDir = options.OutputDir.isEmpty() ? QString() : Paths::IncludeTrailingSeparator(options.OutputDir);
    ResizePhotos = options.ResizePhotos;
    DontResize = options.DontResize;
    PhotoWidth = options.PhotoWidth;
    PhotoHeight = options.PhotoHeight;
    ThumbWidth = options.ThumbWidth;
    ThumbHeight = options.ThumbHeight;
    ThumbColumns = options.ThumbColumns;
    ThumbRows = options.ThumbRows;
    Title = Text::Trim(options.Title);
    JpegQuality = options.JpegQuality;
    Background = options.Background;
    CreateOnlyHTML = options.CreateOnlyHTML;
    LinkToOriginals = options.LinkToOriginals;
    WebPath = Text::Trim(options.WebPath);
    LocalPath = Paths::IncludeTrailingSeparator(Text::Trim(options.LocalPath));
}

int TWebSiteGenerator::CountPhotos(bool onlyFlagged) const
{
    int count = 0;
    for (const auto& album : Albums)
        count += album->GetPhotos().GetPhotoCount(onlyFlagged);
    return count;
}

bool TWebSiteGenerator::OpenAlbumFiles(const QString& noAlbumsRemark)
{
    if (AlbumFiles.isEmpty()) {
        AddRemark(noAlbumsRemark);
        return false;
    }
    bool result = true;
    qsizetype i = 0;
    while (i < AlbumFiles.size()) {
        const QString fileName = AlbumFiles.at(i);
        std::unique_ptr<TAlbum> album;
        if (QFileInfo(fileName).isFile()) {
            try {
                const std::unique_ptr<TStatusReporter> window = m_reporter->CreateStatusWindow();
                album = TAlbum::CreateFromFile(fileName, window.get());
            } catch (const std::exception&) {
                // A damaged album counts as not opened; the half-read album is gone already.
                album.reset();
            }
        }
        if (album) {
            Albums.push_back(std::move(album));
            ++i;
        } else {
            AddRemark(Text::Format(Language()->HG[13], { fileName }));
            AlbumFiles.removeAt(i);
            result = false;
        }
    }
    return result;
}

bool TWebSiteGenerator::OpenAndCheckAlbums()
{
    const TLanguageSelector& lang = *Language();
    if (!OpenAlbums()) {
        if (Albums.empty())
            return Fail(lang.HG[1]);
        if (!m_reporter->AskYesNo(lang.HG[2]))
            return false;
    }

    const bool photosFound = CheckPhotos();
    Step(TExportStepKind::PhotoChecking).SetDone(true);
    return photosFound || m_reporter->AskYesNo(lang.HG[3]);
}

bool TWebSiteGenerator::Fail(const QString& text) const
{
    m_reporter->Inform(text);
    return false;
}

bool TWebSiteGenerator::OutputDirExists() const
{
    // The output folder is the user's choice and is never made here: a typing
    // error would otherwise scatter a site somewhere unexpected.
    if (OutputDir.isEmpty() || !QFileInfo(OutputDir).isDir()) {
        AddRemark(Text::Format(Language()->HG[18], { OutputDir }));
        return false;
    }
    return true;
}

bool TWebSiteGenerator::CheckPhotos()
{
    const TLanguageSelector& lang = *Language();
    TExportStepView& step = Step(TExportStepKind::PhotoChecking);
    const int total = GetPhotoCount();
    StartProgress(TExportStepKind::PhotoChecking, total);

    bool result = true;
    int handled = 0;
    int notForWeb = 0;
    int kept = 0;
    for (const auto& album : Albums) {
        TPhotoList& photos = album->GetPhotos();
        int i = 0;
        while (i < photos.Count() && !Stopped) {
            TPhoto* photo = photos.PhotoAt(i);
            const QString path = photo->GetName();
            if (!photo->GetUseInHtml()) {
                photos.Delete(i);
                ++notForWeb;
            } else if (photo->FileExists()) {
                ++kept;
                ++i;
            } else {
                m_reporter->AddPhotoNotFound(Text::Format(lang.HG[14], { path }));
                photos.Delete(i);
                result = false;
            }
            ++handled;
            StepProgress(TExportStepKind::PhotoChecking, handled);
            step.SetCurrentFile(path);
            m_reporter->ProcessEvents();
        }
        if (Stopped)
            break;
    }

    if (result) {
        if (notForWeb == total) {
            m_reporter->AddPhotoNotFound(lang.HG[15]);
            result = false;
        } else if (kept == 0) {
            m_reporter->AddPhotoNotFound(lang.HG[16]);
            result = false;
        }
    }
    return result;
}

void TWebSiteGenerator::ReportFolder(const QString& folder, bool created) const
{
    const TLanguageSelector& lang = *Language();
    AddRemark(Text::Format(created ? lang.HG[50] : lang.HG[65], { folder }));
}

void TWebSiteGenerator::SaveBackground(const QString& fileName) const
{
    QString error;
    const bool saved = Background.JpegData.isEmpty()
        ? SaveJpegFile(Background.Image, fileName, DefaultJpegQuality, &error)
        : WriteFileReplacing(fileName, Background.JpegData, &error);
    if (!saved)
        throw EExportError::WriteError(fileName, error);
}

void TWebSiteGenerator::NumberPhotos(const std::function<void(TPhoto& photo, int number)>& writeFiles)
{
    int number = 1;
    for (const auto& album : Albums) {
        TPhotoList& photos = album->GetPhotos();
        for (int i = 0; i < photos.Count(); ++i) {
            TPhoto* photo = photos.PhotoAt(i);
            writeFiles(*photo, number);
            photo->SetHtmlNumber(number);
            ++number;
            m_reporter->ProcessEvents();
            if (Stopped)
                return;
        }
    }
}

bool TWebSiteGenerator::LoadPhotoPicture(const TPhoto& photo, QImage& picture) const
{
    if (!photo.FileExists())
        return false;
    const QString path = photo.GetName();
    if (!LoadImageFile(path, picture) || picture.isNull()) {
        AddRemark(Text::Format(Language()->HG[21], { path }));
        return false;
    }
    return true;
}

bool TWebSiteGenerator::SaveWebPhoto(
    const QString& path, const QImage& picture, const QString& fileName) const
{
    Step(TExportStepKind::PhotoCopying).SetCurrentFile(path);
    m_reporter->ProcessEvents();
    const bool written = SaveJpegFile(picture, fileName, JpegQuality);
    if (!written)
        AddRemark(Text::Format(Language()->HG[20], { path }));
    return written;
}

void TWebSiteGenerator::RemoveStaleFile(const QString& fileName)
{
    QFile::remove(fileName);
}

void TWebSiteGenerator::StartProgress(TExportStepKind kind, int maximum) const
{
    TExportStepView& step = Step(kind);
    step.SetMinimum(0);
    step.SetMaximum(maximum);
    step.SetStep(1);
    step.SetToGo(QString::number(maximum));
}

void TWebSiteGenerator::StepProgress(TExportStepKind kind, int done) const
{
    TExportStepView& step = Step(kind);
    step.StepIt();
    step.SetToGo(QString::number(step.Maximum() - done));
}
