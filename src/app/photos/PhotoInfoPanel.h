#pragma once
// The Photos tab's information panel: shows the photo chosen last in either
// list of the tab, opens it in a photo window, and on the page of the album's
// photos applies every edit at once to the album photo it shows.
//
// It works on the controls of the Photos tab, found by their names under the
// root widget it is given; the main window owns them.
#include "app/photos/PhotoInfoSlot.h"
#include "common/FormBasis.h"
#include "viewers/Tfm_PhotoWindow.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPlainTextEdit;
class QPushButton;
class QAbstractSlider;
class QLabel;
class TAlbumPhotoList;
class TLanguageSelector;
class TAlbum;
class TPhoto;
class TPhotoPanelHost;

class TPhotoInfoPanel : public QObject, public TFormBasis {
    Q_OBJECT

public:
    // Which list the photo windows' navigation walks through.
    enum TActiveList { NoList = 0, AvailablePhotos = 1, AlbumPhotos = 2 };

    static constexpr int MaxYearLength = 4;
    static constexpr int MaxDescriptionLength = 200;

    TPhotoInfoPanel(QWidget* root, TPhotoPanelHost& host);
    ~TPhotoInfoPanel() override;

    void ApplyLanguage(const TLanguageSelector& texts);

    // Shows a file in a photo window and in the panel. Filling the panel is
    // never an edit: the album's changed state stays as it was.
    void ShowPhoto(const QString& path, bool showObjects, bool repairPath);
    // Adds a photo built from the panel at index (-1 appends) of the album and
    // the list; false, changing nothing, when the album already has the path.
    bool AddPhotoToAlbum(const QString& path, int index);
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
    Tfm_PhotoWindow* GetPhotoWindow();

    // Navigation of the photo windows.
    void SelectPreviousPhoto(QObject* sender);
    void SelectNextPhoto(QObject* sender);
    void SelectFirstPhoto(QObject* sender);
    void SelectLastPhoto(QObject* sender);

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
    bool Navigating() const { return m_navigating; }
    TActiveList ActiveList() const { return m_activeList; }
    Tfm_PhotoWindow* PhotoWindow() const { return m_photoWindow; }
    const TPhotoInfoSlot& CopySlot() const { return m_copySlot; }
    const TPhotoInfoSlot& PreviousSlot() const { return m_previousSlot; }
    void SetPreviousSlot(const TPhotoInfoSlot& slot) { m_previousSlot = slot; }
    void AttachPhotoList(TAlbumPhotoList* list) { m_photoList = list; }
    // The file of an album photo got a new name: the panel and the photo
    // windows showing it follow.
    void PhotoFileRenamed(const QString& oldPath, const QString& newPath);
    // Empties the panel's status, name, description, event and year and every check.
    void ClearPhotoFields();

private:
    // Filling the panel by the program runs inside one of these, so that the
    // change handlers can tell it from the user's edits.
    class TFilling;

    void FillFields(const TPhoto* photo, bool showObjects);
    void FillLabelLists(const TAlbum& album);
    void SelectEvent(const QString& name);
    void SetObjectChecked(QListWidgetItem* item, bool checked);
    bool Filling() const { return m_filling > 0; }
    template <class Select> void Navigate(Select select);
    // Gives the keyboard back to a list of the main window after a photo window came up.
    void KeyboardBackTo(QWidget* list);

    void mm_PhotoDescriptionChange();
    void cb_EventChange();
    void eb_YearChange();
    void chb_DontPublishForTheInternetClick();
    void lb_PhotoObjectsClick(QListWidgetItem* item);

    TPhotoPanelHost& m_host;
    QWidget* m_root;
    QLineEdit* eb_PhotoName;
    QPlainTextEdit* mm_PhotoDescription;
    QLineEdit* eb_Year;
    QComboBox* cb_Event;
    QLineEdit* eb_PhotoStatus;
    QCheckBox* chb_DontPublishForTheInternet;
    QListWidget* lb_PhotoObjects;
    QListWidget* lb_SelectedObjects;
    QListWidget* lb_PhotosInAlbum;
    QListWidget* lsbPhotos;
    QPushButton* btnGoToNextPhoto;
    QPushButton* pb_CopyInfo;
    QPushButton* pb_PasteInfo;
    QPushButton* btnReuseInfoPreviousPhoto;
    QAbstractSlider* pb_UpDown;

    QPointer<Tfm_PhotoWindow> m_photoWindow;
    QPointer<TAlbumPhotoList> m_photoList;
    TPhotoInfoSlot m_copySlot;
    TPhotoInfoSlot m_previousSlot;
    TActiveList m_activeList = NoList;
    bool m_infoEditsLive = false;
    bool m_placeFirstPhotoWindow = false;
    bool m_navigating = false;
    int m_filling = 0;
    // The description as last filled or edited, and where in it the user's
    // last change began: typing past the limit is taken back to this.
    QString m_description;
    int m_descriptionEditAt = 0;
};
