// SPDX-License-Identifier: GPL-2.0-or-later
#include "export/WebSiteGenerator.h"

#include "export/ExportError.h"
#include "imaging/JpegCodec.h"
#include "language/LanguageSelector.h"
#include "model/Album.h"
#include "platform/OrderedWork.h"
#include "platform/Paths.h"
#include "platform/StatusReporter.h"
#include "platform/TextUtil.h"

#include <QFile>
#include <QFileInfo>

#include <exception>
#include <optional>
#include <vector>

TWebSiteGenerator::TWebSiteGenerator() = default;

TWebSiteGenerator::~TWebSiteGenerator() = default;

TExportOptions TWebSiteGenerator::Tidied(const TExportOptions& options)
{
    TExportOptions tidied = options;
    // An empty folder would otherwise become the file-system root.
    if (!tidied.OutputDir.isEmpty())
        tidied.OutputDir = Paths::IncludeTrailingSeparator(tidied.OutputDir);
    tidied.Title = Text::Trim(tidied.Title);
    tidied.WebPath = Text::Trim(tidied.WebPath);
    tidied.LocalPath = Paths::IncludeTrailingSeparator(Text::Trim(tidied.LocalPath));
    return tidied;
}

void TWebSiteGenerator::StoreOptions(TExportOptions options, TExportReporter& reporter)
{
    m_options = std::move(options);
    m_reporter = &reporter;
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
    QStringList& files = m_options.AlbumFiles;
    if (files.isEmpty()) {
        AddRemark(noAlbumsRemark);
        return false;
    }
    bool result = true;
    qsizetype i = 0;
    while (i < files.size()) {
        const QString fileName = files.at(i);
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
            files.removeAt(i);
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
    const QString& folder = m_options.OutputDir;
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        AddRemark(Text::Format(Language()->HG[18], { folder }));
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
    const TExportBackground& background = m_options.Background;
    const bool saved = background.JpegData.isEmpty()
        ? SaveJpegFile(background.Image, fileName, DefaultJpegQuality, &error)
        : WriteFileReplacing(fileName, background.JpegData, &error);
    if (!saved)
        throw EExportError::WriteError(fileName, error);
}

void TWebSiteGenerator::NumberPhotos(const TWebPictureRecipe& recipe,
    const std::function<bool(const TPhoto& photo)>& wanted,
    const std::function<void(TPhoto& photo, int number, const TWebPictures& pictures)>& writeFiles)
{
    std::vector<TPhoto*> order;
    std::vector<QString> paths;
    std::vector<bool> withPictures;
    for (const auto& album : Albums) {
        const TPhotoList& photos = album->GetPhotos();
        for (int i = 0; i < photos.Count(); ++i) {
            TPhoto* photo = photos.PhotoAt(i);
            order.push_back(photo);
            paths.push_back(photo->GetName());
            withPictures.push_back(wanted(*photo));
        }
    }
    TOrderedWork<TWebPictures> work(int(order.size()), [recipe, paths, withPictures](int index) {
        const size_t k = size_t(index);
        return withPictures[k] ? TWebPictures::Make(recipe, paths[k]) : TWebPictures();
    });

    const auto pump = [this] { m_reporter->ProcessEvents(); };
    int number = 1;
    for (size_t k = 0; k < order.size(); ++k) {
        TPhoto* photo = order[k];
        // A stop from an earlier step still lets this photo be done, as the
        // loop always ends after the photo in progress; only a stop pressed
        // while its pictures are awaited gives them up.
        const bool stoppedBefore = Stopped;
        const auto stoppedNow = [this, stoppedBefore] { return Stopped && !stoppedBefore; };
        TWebPictures pictures;
        std::optional<TWebPictures> made = work.Next(pump, stoppedNow);
        if (made)
            pictures = std::move(*made);
        else if (withPictures[k])
            pictures.State = TWebPictures::GivenUp;
        writeFiles(*photo, number, pictures);
        photo->SetHtmlNumber(number);
        ++number;
        m_reporter->ProcessEvents();
        if (Stopped)
            return;
    }
}

void TWebSiteGenerator::ReportUnreadable(const QString& path) const
{
    AddRemark(Text::Format(Language()->HG[21], { path }));
}

bool TWebSiteGenerator::WritePicture(const QByteArray& jpeg, const QString& fileName)
{
    return !jpeg.isEmpty() && WriteFileReplacing(fileName, jpeg);
}

bool TWebSiteGenerator::SaveWebPhoto(
    const QString& path, const QByteArray& jpeg, const QString& fileName) const
{
    Step(TExportStepKind::PhotoCopying).SetCurrentFile(path);
    m_reporter->ProcessEvents();
    const bool written = WritePicture(jpeg, fileName);
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
