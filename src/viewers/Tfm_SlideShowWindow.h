// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// Plays an album's photos one after another under a TSlideShowSettings: the
// space bar, the left mouse button or a countdown advance it, any other key
// stops it. The window has no parent and stays hidden until Start.
#include "common/FormBasis.h"

#include <QString>
#include <QWidget>

#include <memory>

namespace Ui {
class Tfm_SlideShowWindow;
}
class IniFile;
class QAction;
class QMenu;
class QTimer;
class TAlbum;
class TSlideShowSettings;

class Tfm_SlideShowWindow : public QWidget, public TFormBasis {
    Q_OBJECT

public:
    // The settings file is borrowed and may be null.
    explicit Tfm_SlideShowWindow(IniFile* ini);
    ~Tfm_SlideShowWindow() override;

    // Shows the next photo that can be shown; stops the show at the end of
    // the album when none could.
    virtual void ShowNext();
    virtual void MouseAdvance(Qt::MouseButton button);
    // Starts at the first photo of the album under settings (borrowed, kept
    // until the next Start). driveLetter replaces the drive of a Windows-form
    // photo path whose file is missing.
    virtual void Start(TSlideShowSettings* settings, QChar driveLetter);
    virtual void Stop();
    // The album to play (borrowed). Whoever frees the album first rebinds the
    // window, to null or another album; a running show keeps running.
    virtual void SetAlbum(TAlbum* album);
    void ApplyLanguage();

    TAlbum* Album() const { return m_album; }
    bool Running() const { return m_running; }
    bool Paused() const { return m_paused; }
    int NextIndex() const { return m_nextIndex; }
    // The path of the photo tried last, as it was looked for (drive repaired); empty before the first.
    const QString& CurrentPhotoPath() const { return m_currentPath; }
    // The picture on show; null when none could be shown.
    const QImage& Picture() const;
    QTimer* WaitTimer() const { return m_wait; }
    QMenu* PopupMenu() const { return m_popup; }

    // Handlers, public so that tests can drive them.
    void ti_WaitTimer();
    // Runs the key table on a typed character; true when the key was used.
    bool FormKeyPress(QChar key);
    void pb_PauseClick();
    void pb_ContinueClick();
    void pb_MoreOptionsClick();
    void pmiViewPhotoWithDefaultViewerClick();
    void pmiOpenPhotoFolderInExplorerClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Loads and shows one photo; false when its file is missing or does not decode.
    bool TryShow(int index, int count);
    void ShowCountdown();
    void StartTimerUnlessPaused();
    bool KeyEvent(QKeyEvent* event);

    std::unique_ptr<Ui::Tfm_SlideShowWindow> ui;
    QMenu* m_popup = nullptr;
    QAction* pmiViewPhotoWithDefaultViewer = nullptr;
    QAction* pmiOpenPhotoFolderInExplorer = nullptr;
    QTimer* m_wait = nullptr;

    TAlbum* m_album = nullptr;
    // The photo is kept by path: the album may drop the record meanwhile.
    QString m_currentPath;
    TSlideShowSettings* m_settings = nullptr;
    bool m_running = false;
    // Pause holds across advances by key or mouse until Continue or the next Start.
    bool m_paused = false;
    int m_nextIndex = -1;
    QChar m_driveLetter = u'C';
    int m_countdown = 0;
    IniFile* m_ini;
};
