// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The Photos tab's information panel: shows the photo chosen last in either
// list of the tab, opens it in a photo window, and on the page of the album's
// photos applies every edit at once to the album photo it shows.
#include "app/photos/PhotoInfoControls.h"
#include "app/photos/PhotoInfoSlot.h"
#include "app/photos/PhotoWindowNavigation.h"
#include "common/FormBasis.h"
#include "viewers/Tfm_PhotoWindow.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>

namespace Ui {
class TabPhotos;
}
class QListWidgetItem;
class QWidget;
class TAlbum;
class TAlbumSession;
class TPhoto;
class TPageHost;

class TPhotoInfoPanel : public QObject, public TFormBasis {
    Q_OBJECT

public:
    using enum TPhotoWindowNavigation::TActiveList;

    static constexpr int MaxYearLength = 4;
    static constexpr int MaxDescriptionLength = 200;

    TPhotoInfoPanel(Ui::TabPhotos& form, TAlbumSession& session, TPageHost& host, QWidget* page);
    ~TPhotoInfoPanel() override;

    // Shows a file in a photo window and in the panel. Filling the panel is
    // never an edit: the album's changed state stays as it was.
    void ShowPhoto(const QString& path, bool showObjects, bool repairPath);
    // The photo at path has just entered the album: when the panel shows it,
    // it says so, as it would for a photo chosen from the album's list.
    void PhotoAdded(const QString& path);
    // Replaces the record of the album photo the panel shows by one built from
    // the panel. Interactive calls explain a refusal.
    bool ApplyInfoToSelectedPhoto(bool interactive);
    void PhotoInfoChanged();
    bool ShowSelectedAlbumPhoto(bool repairPath);
    void ShowSelectedAvailablePhoto();
    void ClearPhotoPanel();
    void UpdatePhotoControls();
    void StorePhotoObjects(TPhoto& photo) const;
    // A new record with the next id for path, filled from the panel's fields.
    std::unique_ptr<TPhoto> PhotoFromFields(TAlbum& album, const QString& path) const;
    void ShowPhotoObjects(const TPhoto& photo);
    void ClearObjectChecks();
    void CapturePhotoInfo(TPhotoInfoSlot& slot) const;
    void ApplyPhotoInfo(const TPhotoInfoSlot& slot);

    // The photo windows' navigation through the list a photo was shown from.
    TPhotoWindowNavigation& Navigation() const { return *m_navigation; }
    bool Navigating() const { return m_navigation->Navigating(); }

    // The object list and the event box show the album's labels anew after
    // they were edited, keeping the user's checks and choice; a shown album
    // photo shows its labels as its record now has them.
    void RefreshLabelLists();

    // Handlers.
    void ts_PhotosEnter();
    void btnGoToNextPhotoClick();
    void pb_CopyInfoClick();
    void pb_PasteInfoClick();
    void btnReuseInfoPreviousPhotoClick();
    void lsbPhotosClick();

    // A click or key on the album list shows its current photo; the info of
    // the photo shown before is kept for "Reuse info from previous photo".
    bool ShowAlbumPhotoFromList();

    bool InfoEditsLive() const { return m_infoEditsLive; }
    void SetInfoEditsLive(bool live) { m_infoEditsLive = live; }
    void SetPlaceFirstPhotoWindow(bool place) { m_placeFirstPhotoWindow = place; }
    Tfm_PhotoWindow* PhotoWindow() const { return m_photoWindow; }
    const TPhotoInfoSlot& CopySlot() const { return m_copySlot; }
    const TPhotoInfoSlot& PreviousSlot() const { return m_previousSlot; }
    void SetPreviousSlot(const TPhotoInfoSlot& slot) { m_previousSlot = slot; }
    // The file of an album photo got a new name: the panel and the photo
    // windows showing it follow.
    void PhotoFileRenamed(const QString& oldPath, const QString& newPath);
    // Empties the panel's status, name, description, event and year and every check.
    void ClearPhotoFields();

signals:
    // The record of the photo at path was replaced: its thumbnail must follow.
    void PhotoRecordReplaced(const QString& path);
    // The panel set its controls for the page shown and the rows listed; the
    // album's list sets its own after it.
    void PhotoControlsUpdated();

private:
    // Filling the panel by the program runs inside one of these, so that the
    // change handlers can tell it from the user's edits.
    class TFilling;

    // Shows the fields of photo, a photo of album, or of a file the album does not hold.
    void FillFields(const TAlbum* album, const TPhoto* photo, bool showObjects);
    void FillLabelLists(const TAlbum& album);
    bool Filling() const { return m_filling > 0; }
    bool PhotosInAlbumPageActive() const;
    // Gives the keyboard back to a list of the main window after a photo window came up.
    void KeyboardBackTo(QWidget* list);

    void mm_PhotoDescriptionChange();
    void cb_EventChange();
    void eb_YearChange();
    void chb_DontPublishForTheInternetClick();
    void lb_PhotoObjectsClick(QListWidgetItem* item);

    Ui::TabPhotos& ui;
    TAlbumSession& m_session;
    TPageHost& m_host;
    QWidget* m_page;
    TPhotoInfoControls m_fields;
    std::unique_ptr<TPhotoWindowNavigation> m_navigation;

    QPointer<Tfm_PhotoWindow> m_photoWindow;
    TPhotoInfoSlot m_copySlot;
    TPhotoInfoSlot m_previousSlot;
    bool m_infoEditsLive = false;
    bool m_placeFirstPhotoWindow = false;
    int m_filling = 0;
    // The description as last filled or edited, and where in it the user's
    // last change began: typing past the limit is taken back to this.
    QString m_description;
    int m_descriptionEditAt = 0;
};
