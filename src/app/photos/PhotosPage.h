// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The Photos tab: the photo-information panel above the inner pages for
// available photos, the album's photos, thumbnails and the slide show. The
// page makes the controllers of its parts and relays between them; each
// reaches the album through the session and its controls through the form.
#include "viewers/ThumbNailHost.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <memory>

namespace Ui {
class TabPhotos;
}
class IniFile;
class TAlbum;
class TAlbumActions;
class TAlbumPhotoList;
class TAlbumPhotoRenamer;
class TAlbumSession;
class TLanguageSelector;
class TPhotoInfoPanel;
class TPhotosFromFolders;
class TPageHost;
class TPhotoWindowList;
class Tfm_PhotoWindow;
class TSlideShowTab;
class TThumbnailsTab;
class TUseInHtmlMenu;

// The image extensions photos are taken with (lower case, without the dot).

// The file-type filter of the available photos: pairs of description and masks, separated by "|".
QString PhotoFilterText();
// The filter with "all supported formats" (first occurrence) and every "files"
// (letter case ignored) replaced by the language's words.
QString LocalizedPhotoFilter(const QString& filter, const QString& allSupported, const QString& files);

class TPhotosPage : public QWidget, public TThumbNailHost {
    Q_OBJECT
public:
    TPhotosPage(TAlbumSession& session, TAlbumActions& actions, TPageHost& host, QWidget* parent = nullptr);
    ~TPhotosPage() override;

    Ui::TabPhotos& Form() const { return *ui; }
    void ApplyLanguage(const TLanguageSelector& texts);

    TPhotoInfoPanel* PhotoPanel() const { return m_photoPanel.get(); }
    TAlbumPhotoList* PhotoList() const { return m_photoList.get(); }
    TPhotosFromFolders* PhotosFromFolders() const { return m_photosFromFolders.get(); }
    TAlbumPhotoRenamer* PhotoRenamer() const { return m_photoRenamer.get(); }
    // The thumbnail and slide-show pages; null until CreateViewers.
    TThumbnailsTab* ThumbnailsTab() const { return m_thumbnailsTab.get(); }
    TSlideShowTab* SlideShowTab() const { return m_slideShowTab.get(); }

    // Makes the thumbnail and slide-show pages' controllers and their windows,
    // once the settings file is open (the slide-show settings are read from
    // it), and lets the panel's edits reach the album from then on.
    void CreateViewers(IniFile& settings, TPhotoWindowList& windows);
    // The tab came to the front.
    void Entered();
    // Files dropped on the window: the photo files among them join the album,
    // on the page of the album's photos; the number added.
    int AddDroppedFiles(const QStringList& paths);

    // What a thumbnail window asks: the photo shown for editing on the page of
    // the album's photos, with the window in front.
    Tfm_PhotoWindow* EditPhotoInformation(const QString& photoPath) override;
    void ListAlbumPhotos(int filter) override;
    void MarkAlbumChanged() override;
    // Closes the viewer windows the two pages own (the main window closes).
    void CloseViewerWindows();
    // Keeps the slide-show settings as the page shows them (the main window closes).
    void SaveSlideShowSettings();

    // The inner page of the album's photos comes to the front.
    void ShowAlbumPhotosPage();
    // The same, ready for editing: the list has the focus.
    void EditAlbumPhotos();
    // A new album was made in folder: the available photos of that folder
    // are offered to fill it.
    void OfferPhotosFrom(const QString& folder);
    void SaveUserPaths(IniFile& settings) const;
    // The filter in force, as its texts stand after the last language change.
    const QString& Filter() const { return m_filter; }

private:
    void FillFilterBox();
    void AlbumOpened(TAlbum& album);
    void AlbumClosed();
    // The album's photos listed again, all of them.
    void RefreshAlbumLists();
    void PhotoRecordReplaced();

    std::unique_ptr<Ui::TabPhotos> ui;
    TAlbumSession& m_session;
    // The parts' controllers go before the form they work on, while its
    // controls still stand: a control being destroyed still sends events to
    // the filters they put on it.
    std::unique_ptr<TPhotoInfoPanel> m_photoPanel;
    std::unique_ptr<TAlbumPhotoList> m_photoList;
    std::unique_ptr<TPhotosFromFolders> m_photosFromFolders;
    std::unique_ptr<TAlbumPhotoRenamer> m_photoRenamer;
    std::unique_ptr<TUseInHtmlMenu> m_useInHtmlMenu;
    std::unique_ptr<TSlideShowTab> m_slideShowTab;
    std::unique_ptr<TThumbnailsTab> m_thumbnailsTab;
    QString m_filter;
};
