// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The Photos tab's slide-show page: its controls show and edit the main
// window's slide-show settings, which live in the settings file, and Start
// plays the open album in the slide-show window this page owns.
#include <QObject>

#include <memory>

namespace Ui {
class TabPhotos;
}
class IniFile;
class TAlbum;
class TAlbumSession;
class TSlideShowSettings;
class Tfm_SlideShowWindow;

// An album is open and holds photos.
bool AlbumHasPhotos(const TAlbum* album);
// An album is open and its thumbnail index lists thumbnails whose files exist.
bool AlbumHasThumbnails(TAlbum* album);

class TSlideShowTab : public QObject {
    Q_OBJECT
public:
    // The settings are read from ini at once and shown in the page.
    TSlideShowTab(Ui::TabPhotos& form, TAlbumSession& session, IniFile& ini, QObject* parent = nullptr);
    ~TSlideShowTab() override;

    TSlideShowSettings& Settings() const { return *m_settings; }
    Tfm_SlideShowWindow* SlideShowWindow() const { return m_window.get(); }

    void LoadSlideShowSettings();
    void UpdateSlideShowControls();
    // Takes the page's controls into the settings; values the controls cannot
    // give (no seconds row, a rotation that is no number) keep what the settings held.
    void ReadSlideShowControls();
    void SaveSlideShowSettings();
    void pb_StartSlideShowClick();
    // A new hidden slide-show window, bound to the open album, replaces the old one.
    void RecreateSlideShowWindow();
    // Stops a running show (the main window closes).
    void CloseWindow();

private:
    void AlbumOpened(TAlbum& album);
    void AlbumClosing(TAlbum& album);
    void AlbumClosed();
    void PageChanged(int index);

    Ui::TabPhotos& ui;
    TAlbumSession& m_session;
    IniFile& m_ini;
    std::unique_ptr<TSlideShowSettings> m_settings;
    std::unique_ptr<Tfm_SlideShowWindow> m_window;
};
