// SPDX-License-Identifier: GPL-2.0-or-later
#include "export/HTMLGenerator.h"

#include "export/ExportError.h"
#include "export/ExportText.h"
#include "export/FramedFramePages.h"
#include "export/FramedNavigationScript.h"
#include "export/FramedPhotoPages.h"
#include "export/FramedStyleSheet.h"
#include "export/FramedThumbnailPages.h"
#include "export/PageWriter.h"
#include "export/WebSiteFiles.h"
#include "language/LanguageSelector.h"
#include "model/Album.h"
#include "platform/TextUtil.h"

#include <QDir>
#include <QHash>
#include <QSet>

#include <exception>
#include <memory>

namespace {

QString Sub(const QString& folder, const QString& name)
{
    return folder + name + u'/';
}

QString Num(int value)
{
    return QString::number(value);
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

bool THTMLGenerator::WriteStyleSheet()
{
    CssFile = CssFolder + QStringLiteral("tavrimolex.css");
    TPageWriter::WriteFile(CssFile, Framed::StyleSheet());
    AddRemark(Text::Format(Language()->HG[22], { CssFile }));
    return true;
}

bool THTMLGenerator::WriteIndexPage()
{
    IndexFile = RootFolder + QStringLiteral("index.htm");
    TopFile = HtmlFolder + QStringLiteral("top.htm");
    ListFile = HtmlFolder + QStringLiteral("list.htm");
    FirstGroupFrame = HtmlFolder + QStringLiteral("albums/album1/ThumbnailFrame.htm");
    TPageWriter::WriteFile(IndexFile,
        Framed::IndexPage(RelativeUrl(TopFile, RootFolder), RelativeUrl(ListFile, RootFolder),
            RelativeUrl(FirstGroupFrame, RootFolder)));
    AddRemark(Text::Format(Language()->HG[23], { IndexFile }));
    return true;
}

bool THTMLGenerator::WriteTopPage()
{
    TopFile = HtmlFolder + QStringLiteral("top.htm");
    TPageWriter::WriteFile(TopFile, Framed::TopPage(Options().Title));
    AddRemark(Text::Format(Language()->HG[24], { TopFile }));
    return true;
}

bool THTMLGenerator::WriteListPage()
{
    ListFile = HtmlFolder + QStringLiteral("list.htm");
    TPageWriter::WriteFile(ListFile, Framed::ListPage(Mappings));
    AddRemark(Text::Format(Language()->HG[30], { ListFile }));
    return true;
}

bool THTMLGenerator::WriteThumbnailPages()
{
    const TLanguageSelector& lang = *Language();
    const TExportStepKind kind = TExportStepKind::ThumbnailPages;
    TExportStepView& step = Step(kind);
    StartProgress(kind, PhotoCategoryCount);

    const TExportOptions& options = Options();
    const Framed::TThumbnailGrid grid { options.ThumbColumns, options.ThumbRows, options.ThumbWidth,
        options.ThumbHeight };
    for (int category = 0; category < PhotoCategoryCount; ++category) {
        const TPhotoMapping& mapping = Mappings[size_t(category)];
        const QString& prefix = mapping.Prefix;
        const QString& word = lang.HG[size_t(31 + category)];
        const int groups = mapping.Count();
        for (int a = 0; a < groups; ++a) {
            TPhotoItem& item = *mapping.Item(a);
            const QString groupFolder = prefix + Num(a + 1);
            item.Folder = mapping.PageFolder + groupFolder + u'/';
            item.FramePage = item.Folder + QStringLiteral("ThumbnailFrame.htm");
            item.TopPage = item.Folder + QStringLiteral("ThumbnailFrameTop.htm");
            item.BottomPage = item.Folder + QStringLiteral("ThumbnailFrameBottom.htm");

            step.SetCurrentFile(item.FramePage);
            std::unique_ptr<TPageWriter> frame;
            try {
                frame = std::make_unique<TPageWriter>(item.FramePage);
            } catch (const EExportError&) {
                Reporter().ShowMessage(item.FramePage);
                throw;
            }
            frame->Lines(Framed::ThumbnailFrame());
            frame->Close();

            step.SetCurrentFile(item.TopPage);
            TPageWriter::WriteFile(item.TopPage,
                Framed::ThumbnailFrameTop(prefix, word, item.Name, int(item.Photos.size()), a, groups));

            Framed::TThumbnailGroup group;
            group.Key = item.Key;
            // The category folder is always the prefix and "s".
            group.Path = prefix + u's' + u'_' + groupFolder;
            for (const TPhoto* photo : item.Photos)
                group.Numbers << photo->GetHtmlNumber();
            const int pages = grid.PageCount(int(group.Numbers.size()));
            for (int p = 1; p <= pages; ++p) {
                const QString contents = item.Folder + QStringLiteral("ThumbnailFrameContents%1.htm").arg(p);
                step.SetCurrentFile(contents);
                TPageWriter::WriteFile(contents,
                    Framed::ThumbnailFrameContents(group, grid, p, (p - 1) * grid.PerPage(), Stopped));
                // A category may hold thousands of groups and a group many
                // pages: the window stays responsive and Stop is heard here.
                Reporter().ProcessEvents();
                if (Stopped)
                    break;
            }

            step.SetCurrentFile(item.BottomPage);
            TPageWriter::WriteFile(item.BottomPage, Framed::ThumbnailFrameBottom(pages));
            Reporter().ProcessEvents();
            if (Stopped)
                break;
        }
        if (Stopped)
            break;
        StepProgress(kind, category + 1);
        Reporter().ProcessEvents();
    }
    return true;
}

bool THTMLGenerator::WritePhotoPages()
{
    const TLanguageSelector& lang = *Language();
    const TExportStepKind kind = TExportStepKind::PhotoPages;
    TExportStepView& step = Step(kind);
    StartProgress(kind, GetPhotoCount());

    // Every group that holds a photo, by the photo's path, in category and
    // group order: one pass over the groups instead of one per page.
    QHash<QString, QList<Framed::TNavigationValues>> navigation;
    for (const TPhotoMapping& mapping : Mappings) {
        for (const auto& item : mapping.Items) {
            const QList<TPhoto*>& photos = item->Photos;
            const int quantity = int(photos.size());
            QSet<QString> seen;
            for (int i = 0; i < quantity; ++i) {
                const QString path = photos.at(i)->GetName();
                if (seen.contains(path))
                    continue;
                seen.insert(path);
                Framed::TNavigationValues values;
                values.Key = Text::Trim(item->Key);
                values.Prev = photos.at((i + quantity - 1) % quantity)->GetHtmlNumber();
                values.Next = photos.at((i + 1) % quantity)->GetHtmlNumber();
                values.Quantity = quantity;
                values.Index = i + 1;
                navigation[path] << values;
            }
        }
    }

    const TExportOptions& options = Options();
    int written = 0;
    for (const auto& album : Albums) {
        const TPhotoList& photos = album->GetPhotos();
        for (int i = 0; i < photos.Count() && !Stopped; ++i) {
            const TPhoto& photo = *photos.PhotoAt(i);
            Framed::TPhotoPageData data;
            data.Number = photo.GetHtmlNumber();
            data.Navigation = navigation.value(photo.GetName());
            if (options.LinkToOriginals
                && !Framed::OriginalPhotoAddress(
                    photo.GetName(), options.LocalPath, options.WebPath, data.OriginalAddress)) {
                // An address made by cutting characters off a path outside the
                // published folder would point at some other file.
                AddRemark(lang.HG[44] + QStringLiteral(": ") + photo.GetName() + QStringLiteral(" (")
                    + lang.MF[343] + u' ' + options.LocalPath + u')');
            }
            for (const int id : photo.GetObjectIds().Values())
                data.ObjectNames << album->ObjectNameById(id);
            data.EventName = album->EventNameById(photo.GetEventId());
            data.Description = photo.GetDescription();
            data.AlbumDescription = album->GetDescription();
            data.FileName = photo.GetFileNameOnly();
            data.Year = photo.GetYear();
            data.AlbumName = album->GetName();

            const QString file = PhotoPagesFolder + QStringLiteral("PhotoContents%1.htm").arg(data.Number);
            TPageWriter::WriteFile(file, Framed::PhotoPage(data));
            ++written;
            StepProgress(kind, written);
            step.SetCurrentFile(file);
            Reporter().ProcessEvents();
        }
        if (Stopped)
            break;
    }
    return true;
}

bool THTMLGenerator::WriteNavigationScript()
{
    TPageWriter::WriteFile(ScriptFolder + QStringLiteral("navigation.js"), Framed::NavigationScript());
    return true;
}
