// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The photos a search found, or the photos that still use a label: the user
// views them in photo windows and walks through them, copies the files
// elsewhere, makes a new album of them, or browses them as thumbnails of a
// temporary album kept in a temporary folder beside the album.
#include "common/FormBasis.h"

#include <QDialog>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <memory>

namespace Ui {
class FormPhotoList;
}
class IniFile;
class TAlbum;
class TPhotoWindowList;
class TSlideShowSettings;
class Tfm_PhotoWindow;
class Tfm_ThumbNailWindow;

class TFormPhotoList : public QDialog, public TFormBasis {
    Q_OBJECT

public:
    // Whether a new album made here is offered as the one to open next.
    enum class TNewAlbumQuestion { Ask, Skip };

    // The photos are those of album whose found flag is set; the list shows
    // the paths handed to SetPhotos. owner is the window this one is modal to.
    // The settings file and the window list are borrowed and may be null.
    TFormPhotoList(QWidget* owner, TPhotoWindowList* windowList, IniFile* ini, TAlbum& album);
    // The same, filled with photos at once.
    TFormPhotoList(QWidget* owner, TPhotoWindowList* windowList, IniFile* ini, TAlbum& album,
        const QStringList& photos, TNewAlbumQuestion question);
    ~TFormPhotoList() override;

    void SetPhotos(const QStringList& paths);
    // The file of the new album the user chose to open next; empty when none.
    const QString& GetNewAlbumFile() const { return m_newAlbumFile; }
    void ApplyLanguage();

    // The folder of the temporary thumbnails, inside the album's folder.
    const QString& TempFolder() const { return m_tempFolder; }

    // Clones of the found photos go into target, their labels mapped by name
    // to target's (missing labels are added); target takes the album's
    // thumbnail size.
    void CopyFoundPhotosTo(TAlbum& target) const;

    // Handlers, public so that tests can drive them.
    void lb_PhotosClick();
    void ButtonShowThumbnailsAlbumClick();
    void ButtonShowThumbnailsClick();
    void ButtonCopyToOtherLocationClick();
    void ButtonCloseClick();

    // What the photo windows call to walk through the list.
    void ShowPrevious(QObject* sender);
    void ShowNext(QObject* sender);
    void ShowFirst(QObject* sender);
    void ShowLast(QObject* sender);

    Tfm_PhotoWindow* LastPhotoWindow() const;
    // The hidden thumbnail window of the temporary album; the album, null until
    // the thumbnails were first shown.
    Tfm_ThumbNailWindow* ThumbnailWindow() const { return m_thumbnailWindow.get(); }
    TAlbum* TempAlbum() const { return m_tempAlbum.get(); }

    // Refuses to close while a long operation of this window runs.
    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Tfm_PhotoWindow* GetPhotoWindow();
    template <class Select> void Navigate(Select select);
    // Keeps the user off the buttons and the list while work runs.
    void SetWorking(bool working);

    std::unique_ptr<Ui::FormPhotoList> ui;
    QPointer<Tfm_PhotoWindow> m_lastPhotoWindow;
    IniFile* m_ini;
    TAlbum& m_album;
    QPointer<TPhotoWindowList> m_windowList;
    // The slide-show settings as the settings file holds them when the
    // window opens, for the thumbnail window's slide show.
    std::unique_ptr<TSlideShowSettings> m_slideShowSettings;
    // The temporary album of the found photos and the window that shows its
    // thumbnails; the window goes first, so it never shows a freed album.
    std::unique_ptr<TAlbum> m_tempAlbum;
    std::unique_ptr<Tfm_ThumbNailWindow> m_thumbnailWindow;
    // The temporary thumbnails were all made; a cancelled set is never reused.
    bool m_tempThumbnailsMade = false;
    QString m_newAlbumFile;
    QString m_lastCopyFolder;
    QString m_tempFolder;
    // Only a folder this window made is removed with it.
    bool m_madeTempFolder = false;
    bool m_navigating = false;
    bool m_working = false;
    // The list's viewport, known by a kept pointer; the mouse button pressed
    // there last made a double click.
    QObject* m_listViewport = nullptr;
    bool m_doubleClicked = false;
    // The list, known the same way; a key pressed there is being handled.
    QObject* m_list = nullptr;
    bool m_keyPressed = false;
    TNewAlbumQuestion m_question = TNewAlbumQuestion::Ask;
};
