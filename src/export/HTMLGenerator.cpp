// SPDX-License-Identifier: GPL-2.0-or-later
#include "export/HTMLGenerator.h"

#include "export/WebSiteFiles.h"
#include "language/LanguageSelector.h"
#include "model/Album.h"
#include "platform/TextUtil.h"

#include <QDir>
#include <QHash>

#include <exception>

namespace {

QString Sub(const QString& folder, const QString& name)
{
    return folder + name + u'/';
}

} // namespace

THTMLGenerator::THTMLGenerator()
    : Mappings { TPhotoMapping(QStringLiteral("album")), TPhotoMapping(QStringLiteral("object")),
        TPhotoMapping(QStringLiteral("event")), TPhotoMapping(QStringLiteral("year")),
        TPhotoMapping(QStringLiteral("description")) }
{
}

THTMLGenerator::~THTMLGenerator() = default;

void THTMLGenerator::ClearMappings()
{
    for (TPhotoMapping& mapping : Mappings)
        mapping.Clear();
}

void THTMLGenerator::Initialize(const TExportOptions& options, TExportReporter& reporter)
{
    ClearMappings();
    TExportOptions own = Tidied(options);
    if (own.Title.isEmpty())
        own.Title = Text::Format(Language()->HG[0], { QStringLiteral("Tavrimolex Photo Viewer") });
    if (!own.WebPath.isEmpty() && !own.WebPath.endsWith(u'/'))
        own.WebPath += u'/';
    StoreOptions(std::move(own), reporter);
}

bool THTMLGenerator::OpenAlbums()
{
    return OpenAlbumFiles(Language()->HG[12]);
}

bool THTMLGenerator::Generate()
{
    const TLanguageSelector& lang = *Language();
    if (!OpenAndCheckAlbums())
        return false;

    if (!CreateFolders())
        return Fail(lang.HG[4]);

    const bool imagesMade = CreateImages();
    if (imagesMade || Options().CreateOnlyHTML) {
        Step(TExportStepKind::ThumbnailCreation).SetDone(true);
        Step(TExportStepKind::PhotoCopying).SetDone(true);
    }
    if (!imagesMade)
        return Fail(lang.HG[5]);

    if (!WriteStyleSheet())
        return Fail(lang.HG[6]);
    if (!WriteIndexPage())
        return Fail(lang.HG[7]);
    if (!WriteTopPage())
        return Fail(lang.HG[8]);
    if (!WriteListPage())
        return Fail(lang.HG[9]);

    if (!WriteThumbnailPages())
        return Fail(lang.HG[10]);
    Step(TExportStepKind::ThumbnailPages).SetDone(true);

    if (!WritePhotoPages())
        return Fail(lang.HG[11]);
    Step(TExportStepKind::PhotoPages).SetDone(true);

    if (!WriteNavigationScript())
        return Fail(lang.HG[62] + QStringLiteral(" (navigation)"));
    return true;
}

bool THTMLGenerator::CreateFolders()
{
    if (!OutputDirExists())
        return false;
    // Files that writes of an earlier run left half-made when it was killed.
    RemoveWebSiteLeftovers(Options().OutputDir);

    QString current;
    try {
        const auto make = [this, &current](const QString& folder) {
            current = folder;
            ReportFolder(folder, QDir().mkpath(folder));
            return folder;
        };
        RootFolder = make(Options().OutputDir);
        CssFolder = make(Sub(RootFolder, QStringLiteral("css")));
        ImagesFolder = make(Sub(RootFolder, QStringLiteral("images")));
        ImagePhotosFolder = make(Sub(ImagesFolder, QStringLiteral("photos")));
        ThumbnailsFolder = make(Sub(ImagesFolder, QStringLiteral("thumbnails")));
        HtmlFolder = make(Sub(RootFolder, QStringLiteral("html")));
        AlbumsFolder = make(Sub(HtmlFolder, QStringLiteral("albums")));
        Mappings[pcAlbums].PageFolder = AlbumsFolder;
        YearsFolder = make(Sub(HtmlFolder, QStringLiteral("years")));
        Mappings[pcYears].PageFolder = YearsFolder;
        ObjectsFolder = make(Sub(HtmlFolder, QStringLiteral("objects")));
        Mappings[pcObjects].PageFolder = ObjectsFolder;
        EventsFolder = make(Sub(HtmlFolder, QStringLiteral("events")));
        Mappings[pcEvents].PageFolder = EventsFolder;
        DescriptionsFolder = make(Sub(HtmlFolder, QStringLiteral("descriptions")));
        Mappings[pcDescriptions].PageFolder = DescriptionsFolder;
        PhotoPagesFolder = make(Sub(HtmlFolder, QStringLiteral("photos")));
        ScriptFolder = make(Sub(RootFolder, QStringLiteral("script")));

        current = AlbumsFolder;
        Mappings[pcAlbums].Folder = AlbumsFolder;
        FillAlbumGroups();

        const std::array<std::pair<TPhotoCategory, QString>, 4> categories { {
            { pcObjects, ObjectsFolder },
            { pcEvents, EventsFolder },
            { pcYears, YearsFolder },
            { pcDescriptions, DescriptionsFolder },
        } };
        for (const auto& [category, folder] : categories) {
            current = folder;
            FillCategory(category, folder);
            if (Stopped)
                break;
        }
        AssignGroupKeys();
    } catch (const std::exception&) {
        AddRemark(Text::Format(Language()->HG[17], { current }));
        return false;
    }
    return true;
}

void THTMLGenerator::FillAlbumGroups()
{
    TPhotoMapping& mapping = Mappings[pcAlbums];
    // One group per album, in album order, even for two albums of one name.
    for (const auto& album : Albums) {
        auto item = std::make_unique<TPhotoItem>(album->GetName());
        const TPhotoList& photos = album->GetPhotos();
        for (int i = 0; i < photos.Count(); ++i)
            item->AddPhoto(photos.PhotoAt(i));
        mapping.Add(std::move(item));
        if (Stopped)
            break;
    }
    mapping.AssignGroupFolders();
    ForceGroupFolders(mapping);
}

void THTMLGenerator::FillCategory(TPhotoCategory category, const QString& folder)
{
    TPhotoMapping& mapping = Mappings[category];
    mapping.Folder = folder;
    for (const auto& album : Albums) {
        const TPhotoList& photos = album->GetPhotos();
        for (int i = 0; i < photos.Count() && !Stopped; ++i) {
            TPhoto* photo = photos.PhotoAt(i);
            switch (category) {
            case pcObjects:
                for (const int id : photo->GetObjectIds().Values())
                    AddPhotoToGroup(album->ObjectNameById(id), category, photo);
                break;
            case pcEvents:
                AddPhotoToGroup(album->EventNameById(photo->GetEventId()), category, photo);
                break;
            case pcYears:
                AddPhotoToGroup(photo->GetYear(), category, photo);
                break;
            case pcDescriptions:
                AddPhotoToGroup(photo->GetDescription(), category, photo);
                break;
            case pcAlbums:
                break;
            }
        }
        if (Stopped)
            break;
    }
    mapping.AssignGroupFolders();
    ForceGroupFolders(mapping);
    mapping.Sort();
}

void THTMLGenerator::ForceGroupFolders(const TPhotoMapping& mapping)
{
    QString failed;
    if (!mapping.ForceGroupFolders(failed))
        AddRemark(Text::Format(Language()->HG[17], { failed }));
}

void THTMLGenerator::AddPhotoToGroup(const QString& name, TPhotoCategory category, TPhoto* photo)
{
    if (name.isEmpty())
        return;
    TPhotoMapping& mapping = Mappings[category];
    TPhotoItem* item = mapping.FindByName(name);
    if (!item)
        item = mapping.Add(std::make_unique<TPhotoItem>(name));
    // Photos are grouped one after the other, so a photo already in the group
    // (two labels differing only in case, an id listed twice) is its last one.
    if (item->Photos.isEmpty() || item->Photos.last() != photo)
        item->AddPhoto(photo);
}

void THTMLGenerator::AssignGroupKeys()
{
    // Pages name the navigation values of a group after its key, and a key
    // keeps only letters and digits: "Paris" the album and "Paris" the event,
    // or "a b" and "a_b", would share them. Later groups get "-" and a count,
    // which no key of a name can hold.
    QHash<QString, int> uses;
    for (TPhotoMapping& mapping : Mappings) {
        for (const auto& item : mapping.Items) {
            const QString key = item->GetKey();
            const int use = ++uses[key];
            item->Key = use == 1 ? key : key + u'-' + QString::number(use);
        }
    }
}

bool THTMLGenerator::CreateImages()
{
    SaveBackground(ImagesFolder + QStringLiteral("background.jpg"));

    const int count = GetPhotoCount();
    StartProgress(TExportStepKind::ThumbnailCreation, count);
    StartProgress(TExportStepKind::PhotoCopying, count);

    const TExportOptions& options = Options();
    TWebPictureRecipe recipe;
    recipe.Thumbnail = true;
    recipe.ThumbWidth = options.ThumbWidth;
    recipe.ThumbHeight = options.ThumbHeight;
    recipe.Fit = options.ResizePhotos;
    recipe.PhotoWidth = options.PhotoWidth;
    recipe.PhotoHeight = options.PhotoHeight;
    recipe.JpegQuality = options.JpegQuality;
    NumberPhotos(
        recipe, [this](const TPhoto&) { return !Options().CreateOnlyHTML; },
        [this](TPhoto& photo, int number, const TWebPictures& pictures) {
            if (!Options().CreateOnlyHTML)
                WriteImages(photo, number, pictures);
            StepProgress(TExportStepKind::ThumbnailCreation, number);
            StepProgress(TExportStepKind::PhotoCopying, number);
        });
    return true;
}

void THTMLGenerator::WriteImages(const TPhoto& photo, int number, const TWebPictures& pictures)
{
    const QString path = photo.GetName();
    const QString thumbnailFile = ThumbnailsFolder + QStringLiteral("Thumbnail%1.jpg").arg(number);
    const QString photoFile = ImagePhotosFolder + QStringLiteral("Photo%1.jpg").arg(number);
    bool thumbnailWritten = false;
    bool photoWritten = false;

    if (pictures.State == TWebPictures::Unreadable)
        ReportUnreadable(path);
    if (pictures.State == TWebPictures::Made) {
        Step(TExportStepKind::ThumbnailCreation).SetCurrentFile(path);
        Reporter().ProcessEvents();
        thumbnailWritten = WritePicture(pictures.Thumbnail, thumbnailFile);
        if (!thumbnailWritten)
            AddRemark(Text::Format(Language()->HG[19], { path }));
        photoWritten = SaveWebPhoto(path, pictures.Photo, photoFile);
    }

    if (!thumbnailWritten)
        RemoveStaleFile(thumbnailFile);
    if (!photoWritten)
        RemoveStaleFile(photoFile);
}
