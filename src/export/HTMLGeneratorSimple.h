// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The photo-by-photo web site: a start page that opens the photos one at a
// time in a pop-up window, with first/last/previous/next buttons and a slide
// show that runs in the browser. No thumbnails.
//
// The driver creates one generator per run, calls Initialize and Generate,
// then reads IndexFile, Stopped and GetFlaggedPhotoCount. A page, script or
// picture that cannot be written leaves Generate as an EExportError.
//
// The lines of the pages come from TSimplePages and of the script from
// Simple::TimerScript; here they are written, and the run's progress and
// remarks are kept.
#include "export/WebSiteGenerator.h"

#include <QString>
#include <QStringList>

class TAlbum;
class TPhoto;
class TSimplePages;

class THTMLGeneratorSimple : public TWebSiteGenerator {
public:
    THTMLGeneratorSimple();
    ~THTMLGeneratorSimple() override;

    // Takes the options; an empty title becomes the welcome text and the
    // pop-up window gets its size from the photo box.
    void Initialize(const TExportOptions& options, TExportReporter& reporter);

    // Runs the steps in order; true when the last step run succeeded.
    bool Generate();

    // The photos that may be published, over all opened albums: after the
    // photos were checked, the number of the last photo page.
    int GetFlaggedPhotoCount() const { return CountPhotos(true); }

    // The steps, each true when it succeeded.
    bool OpenAlbums() override;
    bool CreateFolders();
    bool CopyPhotos();
    bool WriteStyleSheet();
    bool WriteIndexPage();
    bool WriteSlideShowImages();
    bool WriteTimerScript();
    bool WritePhotoPages();

    // The pop-up window and every page table: at least 600 wide, 20 more
    // than the photo box.
    int WindowWidth = 600;
    QString WindowWidthText;
    int WindowHeight = 20;
    QString WindowHeightText;

    // The output tree, each ending in "/".
    QString RootFolder;
    QString CssFolder;
    QString HtmlFolder;
    QString PhotosFolder;
    QString ImagesFolder;
    QString ScriptFolder;

    // Full paths of the style sheet and of the start page.
    QString CssFile;
    QString IndexFile;

private:
    // The pages as this run lays them out, counting the photos that may be
    // published: a loop over the photos makes them once.
    TSimplePages Pages() const;
    // The four pages of one photo. The bottom page of the first photo
    // written (count 0) is the one that may start the slide show.
    void WritePhotoFrameset(const TSimplePages& pages, const TPhoto& photo);
    void WritePhotoTopPage(const TSimplePages& pages, const TAlbum& album, const TPhoto& photo);
    void WritePhotoContentsPage(const TSimplePages& pages, const TPhoto& photo);
    void WritePhotoBottomPage(const TSimplePages& pages, const TPhoto& photo, int count);
    QString PageName(const TPhoto& photo, const QString& suffix) const;
    void CopyPhoto(const TPhoto& photo, int number, const TWebPictures& pictures);
};
