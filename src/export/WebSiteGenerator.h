// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// What both web-site layouts share: the options, the albums opened for the
// export, the checking, numbering and copying of their photos and the progress
// reporting. The framed site (THTMLGenerator) and the photo-by-photo site
// derive from it.
//
// Everything runs on the user-interface thread but the decoding, scaling and
// encoding of the photos' pictures, which worker threads do ahead of the loop
// that writes them. Loops call the reporter's ProcessEvents after every item
// and while they wait for a picture; the Stop button sets Stopped from there,
// which ends each loop at once while the later steps still run.
#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "export/ExportReporter.h"
#include "export/WebPictures.h"

class TAlbum;
class TPhoto;

// The page background chosen in the main window. When it came from a JPEG
// file, JpegData holds that file's bytes and is written unchanged; otherwise
// Image is encoded.
struct TExportBackground {
    QImage Image;
    QByteArray JpegData;
};

// Every option the main window hands to a generator, as the user set them.
struct TExportOptions {
    QStringList AlbumFiles;
    QString OutputDir;
    bool ResizePhotos = false;
    bool DontResize = false;
    int PhotoWidth = 0;
    int PhotoHeight = 0;
    int ThumbWidth = 0;
    int ThumbHeight = 0;
    int ThumbColumns = 0;
    int ThumbRows = 0;
    QString Title;
    int JpegQuality = 75;
    TExportBackground Background;
    bool CreateOnlyHTML = false;
    bool LinkToOriginals = false;
    QString WebPath;
    QString LocalPath;
    // Used by the photo-by-photo site only: the idle and the lit progress dot.
    std::array<QImage, 2> SlideShowImages;
    bool StartSlideShow = false;
};

class TWebSiteGenerator {
public:
    virtual ~TWebSiteGenerator();
    TWebSiteGenerator(const TWebSiteGenerator&) = delete;
    TWebSiteGenerator& operator=(const TWebSiteGenerator&) = delete;

    // Opens the album files; the remark for an empty list is the site's own.
    virtual bool OpenAlbums() = 0;

    // Drops the photos that may not be published and those whose file is
    // missing (each one a line in the photos-not-found memo). False when one
    // was missing, or when no photo is left.
    bool CheckPhotos();

    // The photos of all opened albums; after CheckPhotos, those exported.
    int GetPhotoCount() const { return CountPhotos(false); }
    // The same, or only the photos that may appear in web albums.
    int CountPhotos(bool onlyFlagged) const;

    // Set by the Stop button while a run goes on.
    bool Stopped = false;

    std::vector<std::unique_ptr<TAlbum>> Albums;

    // The options of this run. Title and WebPath come trimmed, OutputDir and
    // LocalPath with their trailing separator (an empty OutputDir stays
    // empty); an album file that cannot be opened is taken out of AlbumFiles.
    const TExportOptions& Options() const { return m_options; }

    // The quality a background that is not a JPEG file is encoded with.
    static constexpr int DefaultJpegQuality = 90;

protected:
    TWebSiteGenerator();

    // The options as given with Title and WebPath trimmed and OutputDir and
    // LocalPath ending in their separator, for a site to complete.
    static TExportOptions Tidied(const TExportOptions& options);
    // The options the run works with, and the reporter it reports to.
    void StoreOptions(TExportOptions options, TExportReporter& reporter);

    // Opens every album of AlbumFiles, each with a progress window. An entry
    // whose file is missing or cannot be read is reported, taken out of
    // AlbumFiles, and makes the result false; an empty list is reported with
    // noAlbumsRemark.
    bool OpenAlbumFiles(const QString& noAlbumsRemark);

    // The first steps of every run: the albums are opened and their photos
    // checked, and the user decides whether to go on without an album that
    // cannot be opened or a photo that is missing. False when the run ends.
    bool OpenAndCheckAlbums();

    // Tells the user why the run ends; always false.
    bool Fail(const QString& text) const;

    // False, with a remark, when the output folder is not there.
    bool OutputDirExists() const;

    // Remarks that a folder of the output tree was created (or was there
    // already), or that it could not be.
    void ReportFolder(const QString& folder, bool created = true) const;

    // Writes the background picture; throws EExportError when it cannot.
    void SaveBackground(const QString& fileName) const;

    // Hands every photo of the albums, in album order, to writeFiles with its
    // number (from 1), which then becomes the photo's page number, and with
    // the pictures the recipe makes of it when wanted says so. The pictures
    // are made on every core ahead of this loop; everything else happens here,
    // in order. Events are pumped after each photo and while its pictures are
    // awaited; a stop ends the loop, giving up pictures not made yet.
    void NumberPhotos(const TWebPictureRecipe& recipe, const std::function<bool(const TPhoto& photo)>& wanted,
        const std::function<void(TPhoto& photo, int number, const TWebPictures& pictures)>& writeFiles);

    // The remark for a photo whose file cannot be decoded.
    void ReportUnreadable(const QString& path) const;

    // Writes one encoded picture of the photo at path to fileName; false when
    // there is none or it cannot be written.
    static bool WritePicture(const QByteArray& jpeg, const QString& fileName);

    // Writes the web copy of the photo at path to fileName; false, with a
    // remark, when it cannot.
    bool SaveWebPhoto(const QString& path, const QByteArray& jpeg, const QString& fileName) const;

    // A picture of the same number from an earlier export would be shown for
    // this photo, and may be a photo since withdrawn from publishing.
    static void RemoveStaleFile(const QString& fileName);

    TExportReporter& Reporter() const { return *m_reporter; }
    TExportStepView& Step(TExportStepKind kind) const { return m_reporter->Step(kind); }
    void AddRemark(const QString& line) const { m_reporter->AddRemark(line); }

    // A loop's bar runs from 0 to maximum in steps of 1; the to-go counter
    // shows maximum.
    void StartProgress(TExportStepKind kind, int maximum) const;
    // After an item: the bar steps, the to-go counter shows what is left of
    // the maximum after done items.
    void StepProgress(TExportStepKind kind, int done) const;

private:
    TExportOptions m_options;
    TExportReporter* m_reporter = nullptr;
};
