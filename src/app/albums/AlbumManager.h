// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The album work behind the Albums tab's buttons: opening (from any of its
// lists, a file dialog, the command line or a search), creating, saving,
// closing, renaming and removing albums, always through the album session.
// What the other tabs must do afterwards is announced, and the main window
// passes it on.
#include <QObject>
#include <QString>

#include <memory>

class TAlbum;
class TAlbumSession;
class TAlbumsPage;
class TFormBasis;

class TAlbumManager : public QObject {
    Q_OBJECT
public:
    TAlbumManager(TAlbumsPage& page, TAlbumSession& session);
    ~TAlbumManager() override;

    // Reads an album file under a progress window. A file that does not read
    // is reported with its reason, and null returned; waiting, when given,
    // drops its hourglass for the report.
    static std::unique_ptr<TAlbum> ReadAlbum(const QString& fileName, TFormBasis* waiting = nullptr);

    // Opens the album (the open one is closed first, asking to save its
    // changes) and puts it on top of the recent list. True also when the
    // album is open already or the user kept the open one.
    bool OpenAlbum(const QString& fileName);
    // Asks to save unsaved changes; false when the user cancelled or saving failed.
    bool CloseCurrentAlbum();
    // Writes the open album with the description shown; false, after telling
    // the user why, when it could not be written.
    bool SaveCurrentAlbum();
    // The album a search made is to be opened; false when it was refused
    // before anything changed (a long operation runs, or the user kept the open album).
    bool OpenFoundAlbum(const QString& fileName);

    // Handlers.
    void pb_CreateNewAlbumClick();
    void lsbAlbumFilesClick();
    void pb_OpenExistingAlbumClick();
    void lsbRecentlyUsedAlbumsDblClick();
    void pb_SaveAlbumClick();
    void pb_CloseAlbumClick();
    void pb_RenameAlbumClick();
    void pb_RemoveAlbumFromListClick();
    void pb_RemoveAlbumFromDiscClick();
    void pb_CreateHTMLClick();
    void pb_OpenAlbumForHTMLCreationClick();
    void mm_AlbumDescriptionChange();

signals:
    // The user opened an album to work on: its photos come to the front.
    void AlbumPhotosWanted();
    // A new album was made in folder: photos are added to it next.
    void NewAlbumCreated(const QString& folder);
    // The open album was renamed; its thumbnails went along when thumbnailsMoved.
    void AlbumRenamed(const QString& fileName, bool thumbnailsMoved);
    // The open album, saved, is to be exported as a web site.
    void ExportWanted(const QString& fileName);
    // The album just opened is to be exported together with others.
    void HTMLAlbumWanted(const QString& fileName);

private:
    void OpenForPhotos(const QString& fileName);
    void ShowNoAlbumState();
    // The recent-list row that removal questions refer to; -1 after telling the user none is selected.
    int SelectedRecentRow();
    void RemoveRecentRow(int row);
    // The thumbnails of an album file that was deleted.
    void RemoveAlbumThumbnails(const QString& fileName);

    TAlbumsPage& m_page;
    TAlbumSession& m_session;
};
