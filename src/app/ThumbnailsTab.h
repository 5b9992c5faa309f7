#pragma once
// The Photos tab's thumbnail page: the album's thumbnail size, and creating,
// showing, updating and removing the album's thumbnails.
#include "common/FormBasis.h"

#include <QObject>

namespace Ui {
class TabPhotos;
}
class TAlbum;
class TAlbumSession;
class TSlideShowTab;

class TThumbnailsTab : public QObject, public TFormBasis {
    Q_OBJECT
public:
    // The slide-show page is told when thumbnails come or go, and its settings
    // are saved for the thumbnail window to read.
    TThumbnailsTab(
        Ui::TabPhotos& form, TAlbumSession& session, TSlideShowTab& slideShow, QObject* parent = nullptr);
    ~TThumbnailsTab() override;

    void ShowThumbnailSize();
    void UpdateThumbnailControls();
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
    void AlbumClosed();
    void PageChanged(int index);
    void ShowError(const QString& message);

    Ui::TabPhotos& ui;
    TAlbumSession& m_session;
    TSlideShowTab& m_slideShow;
    // A photo record changed while no thumbnail window showed it.
    bool m_thumbnailsStale = false;
};
