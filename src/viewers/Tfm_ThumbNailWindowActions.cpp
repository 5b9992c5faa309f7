// SPDX-License-Identifier: GPL-2.0-or-later
// What the thumbnail window does with the album: opening photos and walking
// through them, the slide show, editing, and removing photos and thumbnails.
#include "viewers/Tfm_ThumbNailWindow.h"

#include "ui_Tfm_ThumbNailWindow.h"

#include "common/DialogService.h"
#include "language/LanguageSelector.h"
#include "model/Album.h"
#include "model/StreamError.h"
#include "viewers/PhotoNavigation.h"
#include "viewers/PhotoWindowList.h"
#include "viewers/SlideShowSettings.h"
#include "viewers/Tfm_PhotoWindow.h"
#include "viewers/Tfm_SlideShowWindow.h"
#include "viewers/ThumbNailEntries.h"
#include "viewers/ThumbNailHost.h"

namespace {

int PreviousOf(int current, int count)
{
    return current < 0 ? -1 : (current == 0 ? count - 1 : current - 1);
}
int NextOf(int current, int count)
{
    return current < 0 ? -1 : (current == count - 1 ? 0 : current + 1);
}
int FirstOf(int, int)
{
    return 0;
}
int LastOf(int, int count)
{
    return count - 1;
}

} // namespace

void Tfm_ThumbNailWindow::ShowCurrentPhoto()
{
    if (!m_currentPhotoPath.isEmpty() && m_album) {
        const TPhotoList& photos = m_album->GetPhotos();
        const int index = photos.IndexOfName(m_currentPhotoPath);
        const int count = photos.Count();
        const TPhotoNavigation navigation = TPhotoNavigation::Of(this,
            &Tfm_ThumbNailWindow::ShowPreviousPhoto, &Tfm_ThumbNailWindow::ShowNextPhoto,
            &Tfm_ThumbNailWindow::ShowFirstPhoto, &Tfm_ThumbNailWindow::ShowLastPhoto);
        m_lastPhotoWindow
            = m_windowList ? m_windowList->GetPhotoWindow(m_navigating, m_ini, navigation) : nullptr;
        if (m_lastPhotoWindow && !m_lastPhotoWindow->ShowPhoto(m_currentPhotoPath, index, count))
            m_lastPhotoWindow->hide();
    }
    m_navigationPath = m_currentPhotoPath;
}

void Tfm_ThumbNailWindow::Navigate(int (*target)(int current, int count))
{
    if (!m_album)
        return;
    const TPhotoList& photos = m_album->GetPhotos();
    const int count = photos.Count();
    if (count == 0)
        return;
    const int next = target(photos.IndexOfName(m_navigationPath), count);
    if (next < 0 || next >= count)
        return;
    m_navigating = true;
    m_currentPhotoPath = photos.PhotoAt(next)->GetName();
    ShowCurrentPhoto();
    m_navigating = false;
}

void Tfm_ThumbNailWindow::ShowPreviousPhoto(QObject*)
{
    Navigate(PreviousOf);
}

void Tfm_ThumbNailWindow::ShowNextPhoto(QObject*)
{
    Navigate(NextOf);
}

void Tfm_ThumbNailWindow::ShowFirstPhoto(QObject*)
{
    Navigate(FirstOf);
}

void Tfm_ThumbNailWindow::ShowLastPhoto(QObject*)
{
    Navigate(LastOf);
}

void Tfm_ThumbNailWindow::StartSlideShow()
{
    if (!m_slideShowSettings.HasAnyChangeOn()) {
        const TLanguageSelector& t = *Language();
        ShowMessageBox(t.TF[5], t.TF[6], MessageBoxFlags::IconWarning);
        return;
    }
    // The show runs on a copy of its own: what it changes stays out of the
    // settings of the window that handed them over.
    *m_showSettings = m_slideShowSettings;
    m_showSettings->SetShowThumbnails();
    m_slideShowWindow->Start(m_showSettings.get(), m_album ? m_album->GetDriveLetter() : QChar(u' '));
}

void Tfm_ThumbNailWindow::PopupMenuShowPhotoClick()
{
    ShowCurrentPhoto();
}

void Tfm_ThumbNailWindow::PopupMenuEditPhotoInformationClick()
{
    if (!m_host)
        return;
    if (Tfm_PhotoWindow* window = m_host->EditPhotoInformation(m_currentPhotoPath)) {
        window->move(100, 400);
        window->resize(500, 300);
    }
}

bool Tfm_ThumbNailWindow::RemoveIndexEntries(const QStringList& thumbnailFiles)
{
    try {
        m_album->Thumbnails().RemoveEntries(thumbnailFiles);
        return true;
    } catch (const EStreamError& error) {
        ShowMessageBox(error.Message(), Language()->Title, MessageBoxFlags::IconError);
        return false;
    }
}

void Tfm_ThumbNailWindow::PopupMenuRemovePhotoFromAlbumClick()
{
    if (!m_album || m_currentPhotoPath.isEmpty())
        return;
    const QString path = m_currentPhotoPath;
    // Found while the photo is still in the album, which tells a moved photo's thumbnails.
    const QStringList thumbnails = m_entries->ThumbnailsOfPhoto(path);
    m_album->GetPhotos().RemoveByName(path);
    RemoveIndexEntries(thumbnails);
    m_currentPhotoPath.clear();
    ClearPhotoInfo();
    BuildGrid();
    if (m_host) {
        m_host->ListAlbumPhotos(0);
        // The album file itself is not written here: the removal waits for Save.
        m_host->MarkAlbumChanged();
    }
}

void Tfm_ThumbNailWindow::PopupMenuStartSlideShowClick()
{
    StartSlideShow();
}

void Tfm_ThumbNailWindow::PopupMenuToggleInfoClick()
{
    ui->PanelPhotoInfo->setVisible(PopupMenuToggleInfo->isChecked());
}

int Tfm_ThumbNailWindow::DeleteSelected()
{
    // The search result's copy shows thumbnails of a temporary album only.
    if (m_editMenuHidden || !m_album)
        return 0;
    const TLanguageSelector& t = *Language();
    if (CountSelected() == 0)
        return ShowMessageBox(t.TF[1], t.TF[2], MessageBoxFlags::IconWarning);
    const int answer
        = ShowMessageBox(t.TF[3], t.TF[4], MessageBoxFlags::YesNo | MessageBoxFlags::IconWarning);
    if (answer != MessageResult::Yes)
        return answer;
    // The thumbnails leave the index; the photos and all files stay.
    QStringList thumbnails;
    for (int k : m_grid.SelectedEntries())
        if (m_entries->Reach(k))
            thumbnails << m_entries->Thumbnail(k);
    RemoveIndexEntries(thumbnails);
    BuildGrid();
    return answer;
}

bool Tfm_ThumbNailWindow::FormKeyPress(QChar key)
{
    if (key != u's' && key != u'S')
        return false;
    StartSlideShow();
    return true;
}

bool Tfm_ThumbNailWindow::FormKeyDown(int key)
{
    if (key != Qt::Key_Delete)
        return false;
    DeleteSelected();
    return true;
}
