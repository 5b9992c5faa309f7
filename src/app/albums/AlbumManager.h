// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The album work behind the Albums tab's buttons: opening from any of its
// lists or a file dialog, creating, saving, closing, renaming and removing
// albums, through the album actions every page shares and the album session.
// What another tab must do afterwards is announced, and the main window
// passes it on.
#include <QObject>
#include <QString>

class TAlbumActions;
class TAlbumSession;
class TAlbumsPage;

class TAlbumManager : public QObject {
    Q_OBJECT
public:
    TAlbumManager(TAlbumsPage& page, TAlbumSession& session, TAlbumActions& actions);
    ~TAlbumManager() override;

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
    // The open album, saved, is to be exported as a web site.
    void ExportWanted(const QString& fileName);
    // The album just opened is to be exported together with others.
    void HTMLAlbumWanted(const QString& fileName);

private:
    void OpenForPhotos(const QString& fileName);
    // The recent-list row that removal questions refer to; -1 after telling the user none is selected.
    int SelectedRecentRow();
    // The thumbnails of an album file that was deleted.
    void RemoveAlbumThumbnails(const QString& fileName);

    TAlbumsPage& m_page;
    TAlbumSession& m_session;
    TAlbumActions& m_actions;
};
