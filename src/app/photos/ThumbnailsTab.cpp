// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/photos/ThumbnailsTab.h"

#include "app/photos/SlideShowTab.h"
#include "app/shared/AlbumSession.h"
#include "common/BusyGuard.h"
#include "common/DialogService.h"
#include "common/Tfm_StatusWindow.h"
#include "language/LanguageSelector.h"
#include "model/Album.h"
#include "model/StreamError.h"
#include "ui_TabPhotos.h"
#include "viewers/Tfm_SlideShowWindow.h"
#include "viewers/Tfm_ThumbNailWindow.h"
#include "widgets/PageControl.h"

#include <QCoreApplication>

#include <exception>

TThumbnailsTab::TThumbnailsTab(Ui::TabPhotos& form, TAlbumSession& session, TSlideShowTab& slideShow,
    TThumbNailHost& host, TPhotoWindowList& windows, IniFile& ini, QObject* parent)
    : QObject(parent)
    , ui(form)
    , m_session(session)
    , m_slideShow(slideShow)
    , m_host(host)
    , m_windows(windows)
    , m_ini(ini)
{
    RecreateThumbnailWindow();
    // Only the user's choice is an edit; showing the album's size is not.
    connect(ui.cb_Width, &QComboBox::activated, this, &TThumbnailsTab::cb_WidthChange);
    connect(ui.cb_Height, &QComboBox::activated, this, &TThumbnailsTab::cb_HeightChange);
    connect(ui.pb_CreateThumbnails, &QPushButton::clicked, this, &TThumbnailsTab::pb_CreateThumbnailsClick);
    connect(ui.pb_ShowThumbNails, &QPushButton::clicked, this, &TThumbnailsTab::pb_ShowThumbNailsClick);
    connect(ui.pb_UpdateThumbNails, &QPushButton::clicked, this, &TThumbnailsTab::pb_UpdateThumbNailsClick);
    connect(ui.pb_RemoveThumbNails, &QPushButton::clicked, this, &TThumbnailsTab::pb_RemoveThumbNailsClick);
    connect(ui.pc_Photos, &QTabWidget::currentChanged, this, &TThumbnailsTab::PageChanged);
    connect(&session, &TAlbumSession::AlbumOpened, this, &TThumbnailsTab::AlbumOpened);
    connect(&session, &TAlbumSession::AlbumClosing, this, &TThumbnailsTab::AlbumClosing);
    connect(&session, &TAlbumSession::AlbumClosed, this, &TThumbnailsTab::AlbumClosed);
    connect(&session, &TAlbumSession::AlbumRenamed, this, &TThumbnailsTab::AlbumRenamed);
    UpdateThumbnailControls();
}

TThumbnailsTab::~TThumbnailsTab() = default;

void TThumbnailsTab::AlbumOpened(TAlbum&)
{
    m_thumbnailsStale = false;
    // The windows of the last album go; the new one is bound to this album at once.
    RecreateThumbnailWindow();
    ShowThumbnailSize();
    UpdateThumbnailControls();
}

void TThumbnailsTab::AlbumClosing(TAlbum&)
{
    // The window and its slide show let go of the album before it is freed.
    RecreateThumbnailWindow();
}

void TThumbnailsTab::AlbumClosed()
{
    m_thumbnailsStale = false;
    UpdateThumbnailControls();
}

void TThumbnailsTab::AlbumRenamed(TAlbum&, bool thumbnailsMoved)
{
    UpdateThumbnailControls();
    // A shown grid reads its pictures from the folder they left.
    if (thumbnailsMoved && m_window->isVisible())
        m_window->BuildGrid();
}

void TThumbnailsTab::PageChanged(int index)
{
    if (ui.pc_Photos->widget(index) == ui.ts_ThumbNails)
        UpdateThumbnailControls();
    else
        m_window->hide();
}

void TThumbnailsTab::RecreateThumbnailWindow()
{
    m_window.reset();
    m_window = std::make_unique<Tfm_ThumbNailWindow>(&m_host, &m_windows, &m_ini, m_slideShow.Settings());
}

void TThumbnailsTab::CloseWindow()
{
    m_window->SlideShowWindow()->Stop();
    m_window->hide();
}

void TThumbnailsTab::ShowError(const QString& message)
{
    ShowMessageBox(message, Language()->Title, MessageBoxFlags::IconError);
}

void TThumbnailsTab::ShowThumbnailSize()
{
    const TAlbum* album = m_session.Album();
    if (!album)
        return;
    // A size the lists do not offer leaves the selection as it is.
    const int w = ui.cb_Width->findText(QString::number(album->GetThumbWidth()));
    if (w >= 0)
        ui.cb_Width->setCurrentIndex(w);
    const int h = ui.cb_Height->findText(QString::number(album->GetThumbHeight()));
    if (h >= 0)
        ui.cb_Height->setCurrentIndex(h);
}

void TThumbnailsTab::cb_WidthChange()
{
    if (TAlbum* album = m_session.Album()) {
        album->SetThumbWidth(ui.cb_Width->currentText().toInt());
        m_session.SetContentsChanged(true);
    }
}

void TThumbnailsTab::cb_HeightChange()
{
    if (TAlbum* album = m_session.Album()) {
        album->SetThumbHeight(ui.cb_Height->currentText().toInt());
        m_session.SetContentsChanged(true);
    }
}

void TThumbnailsTab::UpdateThumbnailControls()
{
    TAlbum* album = m_session.Album();
    const bool photos = AlbumHasPhotos(album);
    const bool thumbnails = AlbumHasThumbnails(album);
    for (QWidget* control : std::initializer_list<QWidget*> {
             ui.gb_ThumbNails, ui.gb_ThumbNailSize, ui.st_Width, ui.st_Height, ui.cb_Width, ui.cb_Height })
        control->setEnabled(photos);
    ui.pb_CreateThumbnails->setEnabled(photos && !thumbnails);
    ui.pb_ShowThumbNails->setEnabled(thumbnails);
    ui.pb_UpdateThumbNails->setEnabled(thumbnails);
    ui.pb_RemoveThumbNails->setEnabled(thumbnails);
    m_window->SetAlbum(album);
}

void TThumbnailsTab::PhotoRecordReplaced()
{
    if (m_window->isVisible()) {
        UpdateThumbnails();
        m_thumbnailsStale = false;
    } else {
        m_thumbnailsStale = true;
    }
}

void TThumbnailsTab::pb_CreateThumbnailsClick()
{
    TAlbum* album = m_session.Album();
    if (!album)
        return;
    bool created = false;
    QString error;
    m_window->hide();
    {
        TBusyGuard busy;
        if (!busy)
            return;
        TWaitCursor wait(*this);
        Tfm_StatusWindow status;
        status.ShowCentered();
        QCoreApplication::processEvents();
        try {
            created = album->CreateThumbnails(&status);
        } catch (const std::exception& e) {
            error = ExceptionMessage(e);
        }
    }
    // Told once the progress window has gone, not behind it.
    if (!error.isEmpty())
        ShowError(error);
    if (created)
        pb_ShowThumbNailsClick();
    UpdateThumbnailControls();
    m_slideShow.UpdateSlideShowControls();
    m_slideShow.SaveSlideShowSettings();
}

void TThumbnailsTab::pb_ShowThumbNailsClick()
{
    TAlbum* album = m_session.Album();
    if (!album)
        return;
    if (!AlbumHasThumbnails(album)) {
        ShowMessage(Language()->MF[55]);
        return;
    }
    m_window->showNormal();
    if (m_thumbnailsStale) {
        UpdateThumbnails();
        m_thumbnailsStale = false;
    }
    m_window->BuildGrid();
    m_window->raise();
    m_window->activateWindow();
}

void TThumbnailsTab::UpdateThumbnails()
{
    TAlbum* album = m_session.Album();
    if (!album)
        return;
    TBusyGuard busy;
    if (!busy)
        return;
    QString error;
    {
        TWaitCursor wait(*this);
        Tfm_StatusWindow status;
        status.ShowCentered();
        m_window->hide();
        try {
            album->UpdateThumbnails(&status);
            UpdateThumbnailControls();
            m_slideShow.UpdateSlideShowControls();
            m_slideShow.SaveSlideShowSettings();
            m_window->BuildGrid();
        } catch (const std::exception& e) {
            error = ExceptionMessage(e);
        }
    }
    if (!error.isEmpty())
        ShowError(error);
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void TThumbnailsTab::pb_UpdateThumbNailsClick()
{
    UpdateThumbnails();
}

void TThumbnailsTab::pb_RemoveThumbNailsClick()
{
    TAlbum* album = m_session.Album();
    if (!album)
        return;
    const TLanguageSelector& t = *Language();
    {
        TBusyGuard busy;
        if (!busy)
            return;
        bool removed = false;
        {
            Tfm_StatusWindow status;
            status.SetSubject(t.MF[56] + u' ');
            removed = album->RemoveThumbnails(&status);
        }
        // The progress window has gone before the outcome is told.
        if (removed)
            ShowMessageBox(t.MF[57], t.MF[58], MessageBoxFlags::IconInformation);
        else
            ShowMessageBox(t.MF[59], t.MF[60], MessageBoxFlags::IconWarning);
    }
    RecreateThumbnailWindow();
    UpdateThumbnailControls();
    m_slideShow.UpdateSlideShowControls();
}
