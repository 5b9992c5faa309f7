// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/photos/PhotoWindowNavigation.h"

#include "app/photos/PhotoInfoPanel.h"
#include "app/shared/PageHost.h"
#include "common/ListSelection.h"
#include "ui_TabPhotos.h"
#include "viewers/PhotoWindowList.h"

#include <QListWidget>

TPhotoWindowNavigation::TPhotoWindowNavigation(Ui::TabPhotos& form, TPageHost& host, TPhotoInfoPanel& panel)
    : ui(form)
    , m_host(host)
    , m_panel(panel)
{
}

Tfm_PhotoWindow* TPhotoWindowNavigation::GetPhotoWindow()
{
    TPhotoWindowList* windows = m_host.PhotoWindows();
    if (!windows)
        return nullptr;
    return windows->GetPhotoWindow(m_navigating, m_host.Settings(),
        TPhotoNavigation::Of(this, &TPhotoWindowNavigation::SelectPreviousPhoto,
            &TPhotoWindowNavigation::SelectNextPhoto, &TPhotoWindowNavigation::SelectFirstPhoto,
            &TPhotoWindowNavigation::SelectLastPhoto));
}

template <class Select> void TPhotoWindowNavigation::Navigate(Select select)
{
    // Navigation asked for by a photo window stays in that window.
    const bool wasNavigating = m_navigating;
    m_navigating = true;
    if (m_activeList == AvailablePhotos) {
        if (select(ui.lsbPhotos))
            m_panel.ShowSelectedAvailablePhoto();
    } else if (m_activeList == AlbumPhotos) {
        if (select(ui.lb_PhotosInAlbum))
            m_panel.ShowSelectedAlbumPhoto(true);
    }
    m_navigating = wasNavigating;
}

void TPhotoWindowNavigation::SelectPreviousPhoto(QObject*)
{
    Navigate(ListBoxSelectPrevious);
}

void TPhotoWindowNavigation::SelectNextPhoto(QObject*)
{
    Navigate(ListBoxSelectNext);
}

void TPhotoWindowNavigation::SelectFirstPhoto(QObject*)
{
    Navigate(ListBoxSelectFirst);
}

void TPhotoWindowNavigation::SelectLastPhoto(QObject*)
{
    Navigate(ListBoxSelectLast);
}
