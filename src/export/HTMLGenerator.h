// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The framed web site: a title bar, a left column of five drop-down lists
// (albums, objects, events, years, descriptions) and a right frame with the
// thumbnail pages of the chosen group and one page per photo.
//
// The driver creates one generator per run, calls Initialize and Generate,
// then reads IndexFile, Stopped and GetPhotoCount. A page or script that
// cannot be written leaves Generate as an EExportError.
//
// The lines of the style sheet, the frame pages, the thumbnail and photo
// pages and the navigation script come from the Framed builders; here they
// are written, and the run's progress and remarks are kept.
#include "export/PhotoMapping.h"
#include "export/WebSiteGenerator.h"

#include <array>

class TPhoto;

// The five groupings, in the order of THTMLGenerator::Mappings and of every
// loop over them.
enum TPhotoCategory {
    pcAlbums = 0,
    pcObjects = 1,
    pcEvents = 2,
    pcYears = 3,
    pcDescriptions = 4,
};
inline constexpr int PhotoCategoryCount = 5;

class THTMLGenerator : public TWebSiteGenerator {
public:
    THTMLGenerator();
    ~THTMLGenerator() override;

    // Clears the groupings and takes the options; an empty title becomes the
    // welcome text, a web path gets its trailing "/".
    void Initialize(const TExportOptions& options, TExportReporter& reporter);

    // Runs the steps in order; true when the last step run succeeded.
    bool Generate();

    // The steps, each true when it succeeded.
    bool OpenAlbums() override;
    bool CreateFolders();
    bool CreateImages();
    bool WriteStyleSheet();
    bool WriteIndexPage();
    bool WriteTopPage();
    bool WriteListPage();
    bool WriteThumbnailPages();
    bool WritePhotoPages();
    bool WriteNavigationScript();

    // Adds the photo to the category's group of that name (ASCII letters
    // compared without case), making the group when there is none. An empty
    // name adds nothing; a photo already in the group is not added again.
    void AddPhotoToGroup(const QString& name, TPhotoCategory category, TPhoto* photo);

    std::array<TPhotoMapping, PhotoCategoryCount> Mappings;

    // The output tree, each ending in "/".
    QString RootFolder;
    QString CssFolder;
    QString ImagesFolder;
    QString ImagePhotosFolder;
    QString ThumbnailsFolder;
    QString HtmlFolder;
    QString AlbumsFolder;
    QString YearsFolder;
    QString ObjectsFolder;
    QString EventsFolder;
    QString DescriptionsFolder;
    QString PhotoPagesFolder;
    QString ScriptFolder;

    // Full paths of the style sheet, index.htm, top.htm, list.htm and the
    // first album group's frameset.
    QString CssFile;
    QString IndexFile;
    QString TopFile;
    QString ListFile;
    QString FirstGroupFrame;

private:
    void ClearMappings();
    void FillAlbumGroups();
    void FillCategory(TPhotoCategory category, const QString& folder);
    void ForceGroupFolders(const TPhotoMapping& mapping);
    // Gives every group a key no other group of the site has.
    void AssignGroupKeys();
    void WriteImages(const TPhoto& photo, int number, const TWebPictures& pictures);
};
