#pragma once
// What the Photos tab's information panel and photo list need from the main
// window that holds them. The main window implements it; tests fake it.
#include <QChar>
#include <QString>

class IniFile;
class TAlbum;
class TPhotoWindowList;

class TPhotoPanelHost {
public:
    virtual ~TPhotoPanelHost() = default;

    // The open album; null when none is open.
    virtual TAlbum* Album() const = 0;
    virtual bool ContentsChanged() const = 0;
    virtual void SetContentsChanged(bool changed) = 0;
    virtual TPhotoWindowList* PhotoWindows() const = 0;
    // May be null.
    virtual IniFile* Settings() const = 0;
    // The drive letter photo paths of the album are repaired with; a space when none.
    virtual QChar AlbumDriveLetter() const = 0;
    // The inner page with the album's photos is the one shown (the panel is editable only there).
    virtual bool PhotosInAlbumPageActive() const = 0;
    // The folder chosen for the available photos, with or without a trailing separator.
    virtual QString AvailablePhotoFolder() const = 0;
    // The record of the photo at path was replaced: its thumbnail must follow,
    // at once when the thumbnail window shows, else when it is next shown.
    virtual void PhotoRecordReplaced(const QString& path) = 0;
    // Saves the open album as the Save button does; false, after telling the
    // user why, when it could not be written.
    virtual bool SaveCurrentAlbum() = 0;
    // Takes the keyboard back from a photo window that was just brought to the front.
    virtual void TakeBackFocus() = 0;
};
