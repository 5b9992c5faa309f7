// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The Photos tab's thumbnail page: the album's thumbnail size, and creating,
// showing, updating and removing the album's thumbnails.
#include "common/FormBasis.h"

#include <QObject>

#include <memory>

namespace Ui {
class TabPhotos;
}
class IniFile;
class TAlbum;
class TAlbumSession;
class TPhotoWindowList;
class TSlideShowTab;
class TThumbNailHost;
class Tfm_ThumbNailWindow;

class TThumbnailsTab : public QObject, public TFormBasis {
    Q_OBJECT
public:
    // The slide-show page is told when thumbnails come or go, and its settings
    // are saved for the thumbnail window to read. The thumbnail window this
    // page owns calls host, shows photos in windows and reads ini.
    TThumbnailsTab(Ui::TabPhotos& form, TAlbumSession& session, TSlideShowTab& slideShow,
        TThumbNailHost& host, TPhotoWindowList& windows, IniFile& ini, QObject* parent = nullptr);
    ~TThumbnailsTab() override;

    Tfm_ThumbNailWindow* ThumbWindow() const { return m_window.get(); }

    void ShowThumbnailSize();
    void UpdateThumbnailControls();
    // A new hidden thumbnail window, bound to no album, replaces the old one.
    void RecreateThumbnailWindow();
    // Hides the thumbnail window and stops its slide show (the main window closes).
    void CloseWindow();
    // Builds the thumbnails again with progress; nothing without an album.
    void UpdateThumbnails();

    // The record of a photo was replaced: its thumbnail must follow.
    void PhotoRecordReplaced();
    bool ThumbnailsStale() const { return m_thumbnailsStale; }

    void cb_WidthChange();
    void cb_HeightChange();
    void pb_CreateThumbnailsClick();
    void pb_ShowThumbNailsClick();
    void pb_UpdateThumbNailsClick();
    void pb_RemoveThumbNailsClick();

private:
    void AlbumOpened(TAlbum& album);
    void AlbumClosing(TAlbum& album);
    void AlbumClosed();
    void AlbumRenamed(TAlbum& album, bool thumbnailsMoved);
    void PageChanged(int index);
    void ShowError(const QString& message);

    Ui::TabPhotos& ui;
    TAlbumSession& m_session;
    TSlideShowTab& m_slideShow;
    TThumbNailHost& m_host;
    TPhotoWindowList& m_windows;
    IniFile& m_ini;
    std::unique_ptr<Tfm_ThumbNailWindow> m_window;
    // A photo record changed while no thumbnail window showed it.
    bool m_thumbnailsStale = false;
};
