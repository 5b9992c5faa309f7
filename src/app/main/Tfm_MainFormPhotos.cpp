// The main window's side of the Photos tab: it holds the information panel,
// the album's photo list and the adding page, and answers what they ask.
#include "app/photos/AlbumPhotoList.h"
#include "widgets/FolderTree.h"
#include "app/photos/PhotoInfoPanel.h"
#include "app/photos/PhotosFromFolders.h"
#include "app/photos/PhotosPage.h"
#include "app/photos/ThumbnailsTab.h"
#include "app/main/Tfm_MainForm.h"
#include "ui_TabPhotos.h"
#include "viewers/PhotoWindowList.h"

void Tfm_MainForm::BuildPhotoTab()
{
    m_photoPanel = m_photosPage->PhotoPanel();
    m_photoList = m_photosPage->PhotoList();
    m_photosFromFolders = m_photosPage->PhotosFromFolders();
}

bool Tfm_MainForm::PhotosInAlbumPageActive() const
{
    const Ui::TabPhotos& photos = m_photosPage->Form();
    return photos.pc_Photos->currentWidget() == photos.ts_PhotosInAlbum;
}

QString Tfm_MainForm::AvailablePhotoFolder() const
{
    return m_photosPage->Form().stvPhotoFolders->Folder();
}

void Tfm_MainForm::PhotoRecordReplaced(const QString&)
{
    if (TThumbnailsTab* thumbnails = m_photosPage->ThumbnailsTab())
        thumbnails->PhotoRecordReplaced();
}

void Tfm_MainForm::ListAlbumPhotos(int filter)
{
    m_photoList->ListAlbumPhotos(filter);
}

void Tfm_MainForm::MarkAlbumChanged()
{
    SetContentsChanged(true);
}

void Tfm_MainForm::TakeBackFocus()
{
    activateWindow();
}

bool Tfm_MainForm::ChooseConvertFolder(QString& folder)
{
    return ChooseFolderWithWindow(this, folder);
}

void Tfm_MainForm::PhotoListGrew()
{
    m_photosPage->RemeasurePhotoList();
    m_photosPage->Form().lb_PhotosInAlbum->viewport()->update();
}
