#include "app/ThumbnailsTab.h"

#include "app/AlbumSession.h"
#include "app/PageControl.h"
#include "app/SlideShowTab.h"
#include "common/BusyGuard.h"
#include "common/DialogService.h"
#include "common/Tfm_StatusWindow.h"
#include "language/LanguageSelector.h"
#include "model/Album.h"
#include "model/StreamError.h"
#include "ui_TabPhotos.h"

#include <QCoreApplication>

#include <exception>

TThumbnailsTab::TThumbnailsTab(
    Ui::TabPhotos& form, TAlbumSession& session, TSlideShowTab& slideShow, QObject* parent)
    : QObject(parent)
    , ui(form)
    , m_session(session)
    , m_slideShow(slideShow)
{
    // Only the user's choice is an edit; showing the album's size is not.
    connect(ui.cb_Width, &QComboBox::activated, this, &TThumbnailsTab::cb_WidthChange);
    connect(ui.cb_Height, &QComboBox::activated, this, &TThumbnailsTab::cb_HeightChange);
    connect(ui.pb_CreateThumbnails, &QPushButton::clicked, this, &TThumbnailsTab::pb_CreateThumbnailsClick);
    connect(ui.pb_ShowThumbNails, &QPushButton::clicked, this, &TThumbnailsTab::pb_ShowThumbNailsClick);
    connect(ui.pb_UpdateThumbNails, &QPushButton::clicked, this, &TThumbnailsTab::pb_UpdateThumbNailsClick);
    connect(ui.pb_RemoveThumbNails, &QPushButton::clicked, this, &TThumbnailsTab::pb_RemoveThumbNailsClick);
    connect(ui.pc_Photos, &QTabWidget::currentChanged, this, &TThumbnailsTab::PageChanged);
    connect(&session, &TAlbumSession::AlbumOpened, this, &TThumbnailsTab::AlbumOpened);
    connect(&session, &TAlbumSession::AlbumClosed, this, &TThumbnailsTab::AlbumClosed);
    UpdateThumbnailControls();
}

TThumbnailsTab::~TThumbnailsTab() = default;

void TThumbnailsTab::AlbumOpened(TAlbum&)
{
    m_thumbnailsStale = false;
    ShowThumbnailSize();
    UpdateThumbnailControls();
}

void TThumbnailsTab::AlbumClosed()
{
    m_thumbnailsStale = false;
    UpdateThumbnailControls();
}

void TThumbnailsTab::PageChanged(int index)
{
    if (ui.pc_Photos->widget(index) == ui.ts_ThumbNails)
        UpdateThumbnailControls();
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
}

void TThumbnailsTab::PhotoRecordReplaced()
{
    m_thumbnailsStale = true;
}

void TThumbnailsTab::pb_CreateThumbnailsClick()
{
    TAlbum* album = m_session.Album();
    if (!album)
        return;
    bool created = false;
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
        } catch (const EStreamError& e) {
            ShowError(e.Message());
        } catch (const std::exception& e) {
            ShowError(QString::fromLocal8Bit(e.what()));
        }
    }
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
    // The thumbnail window reads the slide-show settings from the file.
    m_slideShow.SaveSlideShowSettings();
    if (m_thumbnailsStale) {
        UpdateThumbnails();
        m_thumbnailsStale = false;
    }
}

void TThumbnailsTab::UpdateThumbnails()
{
    TAlbum* album = m_session.Album();
    if (!album)
        return;
    TBusyGuard busy;
    if (!busy)
        return;
    TWaitCursor wait(*this);
    Tfm_StatusWindow status;
    status.ShowCentered();
    try {
        album->UpdateThumbnails(&status);
        UpdateThumbnailControls();
        m_slideShow.UpdateSlideShowControls();
        m_slideShow.SaveSlideShowSettings();
    } catch (const EStreamError& e) {
        ShowError(e.Message());
    } catch (const std::exception& e) {
        ShowError(QString::fromLocal8Bit(e.what()));
    }
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
    {
        TBusyGuard busy;
        if (!busy)
            return;
        const TLanguageSelector& t = *Language();
        Tfm_StatusWindow status;
        status.SetSubject(t.MF[56] + u' ');
        if (album->RemoveThumbnails(&status))
            ShowMessageBox(t.MF[57], t.MF[58], 64);
        else
            ShowMessageBox(t.MF[59], t.MF[60], 48);
    }
    UpdateThumbnailControls();
    m_slideShow.UpdateSlideShowControls();
}
