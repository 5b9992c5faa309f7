// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/photos/SlideShowTab.h"

#include "app/shared/AlbumSession.h"
#include "common/DialogService.h"
#include "language/LanguageSelector.h"
#include "model/Album.h"
#include "platform/TextUtil.h"
#include "ui_TabPhotos.h"
#include "viewers/SlideShowSettings.h"
#include "viewers/Tfm_SlideShowWindow.h"
#include "widgets/PageControl.h"

namespace {

constexpr int MinSeconds = 1;
constexpr int MaxSeconds = 60;

} // namespace

bool AlbumHasPhotos(const TAlbum* album)
{
    return album && album->GetPhotos().Count() > 0;
}

bool AlbumHasThumbnails(TAlbum* album)
{
    return album && album->Thumbnails().HasThumbnails();
}

TSlideShowTab::TSlideShowTab(Ui::TabPhotos& form, TAlbumSession& session, IniFile& ini, QObject* parent)
    : QObject(parent)
    , ui(form)
    , m_session(session)
    , m_ini(ini)
    , m_settings(std::make_unique<TSlideShowSettings>(&ini))
    , m_window(std::make_unique<Tfm_SlideShowWindow>(&ini))
{
    LoadSlideShowSettings();
    connect(ui.pb_StartSlideShow, &QPushButton::clicked, this, &TSlideShowTab::pb_StartSlideShowClick);
    connect(ui.pc_Photos, &QTabWidget::currentChanged, this, &TSlideShowTab::PageChanged);
    connect(&session, &TAlbumSession::AlbumOpened, this, &TSlideShowTab::AlbumOpened);
    connect(&session, &TAlbumSession::AlbumClosing, this, &TSlideShowTab::AlbumClosing);
    connect(&session, &TAlbumSession::AlbumClosed, this, &TSlideShowTab::AlbumClosed);
    UpdateSlideShowControls();
}

TSlideShowTab::~TSlideShowTab() = default;

void TSlideShowTab::AlbumOpened(TAlbum&)
{
    // The windows of the last album go; the new one is bound to this album at once.
    RecreateSlideShowWindow();
    UpdateSlideShowControls();
}

void TSlideShowTab::AlbumClosing(TAlbum&)
{
    // The show must not outlive the album it plays.
    m_window->Stop();
    m_window->SetAlbum(nullptr);
}

void TSlideShowTab::AlbumClosed()
{
    UpdateSlideShowControls();
}

void TSlideShowTab::PageChanged(int index)
{
    if (ui.pc_Photos->widget(index) == ui.ts_SlideShow)
        UpdateSlideShowControls();
}

void TSlideShowTab::RecreateSlideShowWindow()
{
    m_window = std::make_unique<Tfm_SlideShowWindow>(&m_ini);
    m_window->SetAlbum(m_session.Album());
}

void TSlideShowTab::CloseWindow()
{
    m_window->Stop();
}

void TSlideShowTab::LoadSlideShowSettings()
{
    TSlideShowSettings& s = *m_settings;
    s.LoadFromIni();
    if (s.ShowsPhotosInAlbum())
        ui.rb_ShowPhotosInalbum->setChecked(true);
    else
        ui.rb_ShowThumbNails->setChecked(true);
    ui.chb_SpaceBar->setChecked(s.ChangesOnSpaceBar());
    ui.chb_LeftMouseButton->setChecked(s.ChangesOnLeftMouse());
    ui.chb_TimeInSeconds->setChecked(s.ChangesOnTime());
    // A value from a hand-edited file still selects a row, so no 0 is written back.
    ui.cmb_Seconds->setCurrentIndex(qBound(MinSeconds, s.GetSeconds(), MaxSeconds) - 1);
    ui.chb_MaximizeSlideShow->setChecked(s.Maximize);
    ui.chb_Rotate->setChecked(s.Rotate);
    ui.cmb_Rotation->setCurrentIndex(ui.cmb_Rotation->findText(QString::number(s.Rotation)));
}

void TSlideShowTab::ReadSlideShowControls()
{
    TSlideShowSettings& s = *m_settings;
    if (ui.rb_ShowPhotosInalbum->isChecked())
        s.SetShowPhotosInAlbum();
    else
        s.SetShowThumbnails();
    s.ClearChangeOn();
    if (ui.chb_SpaceBar->isChecked())
        s.SetChangeOnSpaceBar();
    if (ui.chb_LeftMouseButton->isChecked())
        s.SetChangeOnLeftMouse();
    if (ui.chb_TimeInSeconds->isChecked())
        s.SetChangeOnTime();
    if (ui.cmb_Seconds->currentIndex() >= 0)
        s.SetSeconds(ui.cmb_Seconds->currentIndex() + 1);
    s.Maximize = ui.chb_MaximizeSlideShow->isChecked();
    s.Rotate = ui.chb_Rotate->isChecked();
    // The rotation can be typed; a text that is no whole number changes nothing.
    bool ok = false;
    const int rotation = Text::Trim(ui.cmb_Rotation->currentText()).toInt(&ok);
    if (ok)
        s.Rotation = rotation;
}

void TSlideShowTab::SaveSlideShowSettings()
{
    m_settings->SaveToIni();
}

void TSlideShowTab::UpdateSlideShowControls()
{
    TAlbum* album = m_session.Album();
    const bool photos = AlbumHasPhotos(album);
    for (QWidget* control : std::initializer_list<QWidget*> { ui.gb_ShowWhat, ui.gb_ShowHow,
             ui.rb_ShowPhotosInalbum, ui.gb_ChangePhotoOn, ui.chb_LeftMouseButton, ui.chb_SpaceBar,
             ui.chb_TimeInSeconds, ui.cmb_Seconds, ui.pb_StartSlideShow })
        control->setEnabled(photos);
    const bool thumbnails = AlbumHasThumbnails(album);
    ui.rb_ShowThumbNails->setEnabled(thumbnails);
    if (!thumbnails)
        ui.rb_ShowPhotosInalbum->setChecked(true);
    m_window->SetAlbum(album);
}

void TSlideShowTab::pb_StartSlideShowClick()
{
    ReadSlideShowControls();
    if (!m_settings->HasAnyChangeOn()) {
        const TLanguageSelector& t = *Language();
        ShowMessageBox(t.MF[61], t.MF[62], MessageBoxFlags::IconWarning);
        return;
    }
    SaveSlideShowSettings();
    TAlbum* album = m_session.Album();
    m_window->Start(m_settings.get(), album ? album->GetDriveLetter() : QChar(u' '));
}
