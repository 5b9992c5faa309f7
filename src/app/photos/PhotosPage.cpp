// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/photos/PhotosPage.h"

#include "app/photos/AlbumPhotoList.h"
#include "app/photos/AlbumPhotoRenamer.h"
#include "app/photos/PhotoFileList.h"
#include "app/photos/PhotoInfoPanel.h"
#include "app/photos/PhotosFromFolders.h"
#include "app/photos/SlideShowTab.h"
#include "app/photos/ThumbnailsTab.h"
#include "app/photos/UseInHtmlMenu.h"
#include "app/shared/AlbumActions.h"
#include "app/shared/AlbumSession.h"
#include "app/shared/Captions.h"
#include "common/DialogService.h"
#include "language/LanguageSelector.h"
#include "model/Album.h"
#include "platform/IniFile.h"
#include "platform/Paths.h"
#include "platform/TextUtil.h"
#include "ui_TabPhotos.h"
#include "widgets/FolderTree.h"
#include "widgets/ListDrawing.h"
#include "widgets/PageControl.h"
#include "widgets/ReaderNames.h"

#include <QFileInfo>
#include <QSignalBlocker>

QString PhotoFilterText()
{
    return QStringLiteral(
        "All supported "
        "formats|*.bmp;*.dib;*.gif;*.ico;*.jif;*.jpg;*.jpeg;*.rle;*.tga;*.pcx;*.cut;*.ico,*.iff;*.koa;*.lbm;"
        "*.mng;*.pcd;*.png;*.pnm;*.psd;*.ras;*.tga;*.tiff;*.tif;*.wbmp|bmp files (*.bmp)|*.bmp|dib files "
        "(*.dib)|*.dib|"
        "gif files (*.gif)|*.gif|jif files (*.jif)|*.jif|jpg files (*.jpg)|*.jpg;*.jpeg|rle files "
        "(*.rle)|*.rle|"
        "tga files (*.tga)|*.tga|pcx files (*.pcx)|*.pcx|cut files (*.cut)|*.cut|ico files (*.ico)|*.ico|"
        "iff files (*.iff)|*.iff|koa files (*.koa)|*.koa|lbm files (*.lbm)|*.lbm|mng files (*.mng)|*.mng|"
        "pcd files (*.pcd)|*.pcd|png files (*.png)|*.png|pnm files (*.pnm)|*.pnm|psd files (*.psd)|*.psd|"
        "ras files (*.ras)|*.ras|tiff files (*.tiff)|*.tiff|tiff files (*.tif)|*.tif|wbmp files "
        "(*.wbmp)|*.wbmp");
}

QString LocalizedPhotoFilter(const QString& filter, const QString& allSupported, const QString& files)
{
    QString result = filter;
    const QString all = QStringLiteral("all supported formats");
    const qsizetype at = result.indexOf(all, 0, Qt::CaseInsensitive);
    if (at >= 0)
        result.replace(at, all.size(), allSupported);
    result.replace(QStringLiteral("files"), files, Qt::CaseInsensitive);
    return result;
}

TPhotosPage::TPhotosPage(TAlbumSession& session, TAlbumActions& actions, TPageHost& host, QWidget* parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::TabPhotos>())
    , m_session(session)
    , m_filter(PhotoFilterText())
{
    ui->setupUi(this);
    ui->pc_Photos->setCurrentWidget(ui->ts_AvailablePhotos);
    ui->cb_Width->setCurrentIndex(0);
    ui->cb_Height->setCurrentIndex(0);
    ui->pc_Photos->Tabs()->SetColouredLook(ListColours::PhotosTab());
    ui->cb_Event->addItem(QStringLiteral(" "));
    FillFilterBox();

    m_photoPanel = std::make_unique<TPhotoInfoPanel>(*ui, session, host, this);
    m_photoList = std::make_unique<TAlbumPhotoList>(*ui, session, host, *m_photoPanel, this);
    m_photosFromFolders = std::make_unique<TPhotosFromFolders>(*ui, *m_photoList, this);
    m_photoRenamer = std::make_unique<TAlbumPhotoRenamer>(*ui, session, actions, host, *m_photoPanel, this);
    m_useInHtmlMenu = std::make_unique<TUseInHtmlMenu>(*ui, session, *m_photoPanel, this);
    connect(ui->pc_Photos, &QTabWidget::currentChanged, m_photoPanel.get(),
        &TPhotoInfoPanel::UpdatePhotoControls);
    connect(
        m_photoPanel.get(), &TPhotoInfoPanel::PhotoRecordReplaced, this, &TPhotosPage::PhotoRecordReplaced);
    connect(m_photoRenamer.get(), &TAlbumPhotoRenamer::PhotoRecordReplaced, this,
        &TPhotosPage::PhotoRecordReplaced);
    connect(ui->btnSaveChangesPhoto, &QPushButton::clicked, &actions, &TAlbumActions::SaveAndConfirm);
    connect(&session, &TAlbumSession::AlbumOpened, this, &TPhotosPage::AlbumOpened);
    // What the page does to its controls while the album goes is no edit.
    connect(&session, &TAlbumSession::AlbumClosing, m_photoPanel.get(),
        [this] { m_photoPanel->SetInfoEditsLive(false); });
    connect(&session, &TAlbumSession::AlbumClosed, this, &TPhotosPage::AlbumClosed);
    connect(&session, &TAlbumSession::LabelsChanged, m_photoPanel.get(), &TPhotoInfoPanel::RefreshLabelLists);
    connect(&session, &TAlbumSession::PhotoLabelsChanged, this, [this] {
        RefreshAlbumLists();
        m_photoPanel->RefreshLabelLists();
    });
}

TPhotosPage::~TPhotosPage() = default;

void TPhotosPage::AlbumOpened(TAlbum&)
{
    m_photoList->Clear();
    m_photoPanel->ClearPhotoPanel();
    // A photo window left open steps into this album's list at once, before
    // the tab is entered: the panel must know the album's labels by then.
    m_photoPanel->RefreshLabelLists();
    RefreshAlbumLists();
}

void TPhotosPage::AlbumClosed()
{
    m_photoList->Clear();
    m_photoPanel->ClearPhotoPanel();
    m_photoPanel->SetInfoEditsLive(true);
}

void TPhotosPage::CreateViewers(IniFile& settings, TPhotoWindowList& windows)
{
    if (m_slideShowTab)
        return;
    m_slideShowTab = std::make_unique<TSlideShowTab>(*ui, m_session, settings);
    m_thumbnailsTab
        = std::make_unique<TThumbnailsTab>(*ui, m_session, *m_slideShowTab, *this, windows, settings);
    m_photoList->Clear();
    m_photoPanel->ClearPhotoPanel();
    m_photoPanel->SetInfoEditsLive(true);
    m_photoPanel->SetPlaceFirstPhotoWindow(true);
}

void TPhotosPage::Entered()
{
    m_photoPanel->ts_PhotosEnter();
}

void TPhotosPage::PhotoRecordReplaced()
{
    // At once when the thumbnail window shows, else when it is next shown.
    if (m_thumbnailsTab)
        m_thumbnailsTab->PhotoRecordReplaced();
}

int TPhotosPage::AddDroppedFiles(const QStringList& paths)
{
    const QStringList extensions = PhotoFiles::GetImageExtensions();
    ShowAlbumPhotosPage();
    m_photoList->ClearSelection();
    int count = 0;
    for (const QString& path : paths) {
        const QString ext = Text::AsciiLower(Paths::ExtractFileExt(path).mid(1));
        if (extensions.contains(ext) && m_photoList->AddPhotoToAlbum(Paths::AbsoluteClean(path), -1))
            ++count;
    }
    if (count > 0) {
        const TLanguageSelector& t = *Language();
        ShowMessageBox(Text::Format(t.MF[190], { count }), t.MF[191], MessageBoxFlags::IconInformation);
    }
    return count;
}

Tfm_PhotoWindow* TPhotosPage::EditPhotoInformation(const QString& photoPath)
{
    ShowAlbumPhotosPage();
    m_photoList->SelectPhoto(photoPath);
    m_photoPanel->ShowSelectedAlbumPhoto(true);
    window()->raise();
    window()->activateWindow();
    m_photoPanel->UpdatePhotoControls();
    return m_photoPanel->PhotoWindow();
}

void TPhotosPage::ListAlbumPhotos(int filter)
{
    m_photoList->ListAlbumPhotos(filter);
}

void TPhotosPage::MarkAlbumChanged()
{
    m_session.SetContentsChanged(true);
}

void TPhotosPage::CloseViewerWindows()
{
    if (m_slideShowTab)
        m_slideShowTab->CloseWindow();
    if (m_thumbnailsTab)
        m_thumbnailsTab->CloseWindow();
}

void TPhotosPage::RefreshAlbumLists()
{
    if (!m_session.Album()) {
        m_photoList->Clear();
        return;
    }
    m_photoList->ListAlbumPhotos(PF_AllPhotos);
    m_photoList->UpdateFilterMenu();
}

void TPhotosPage::ShowAlbumPhotosPage()
{
    ui->pc_Photos->setCurrentWidget(ui->ts_PhotosInAlbum);
    m_photoPanel->UpdatePhotoControls();
}

void TPhotosPage::EditAlbumPhotos()
{
    ShowAlbumPhotosPage();
    ui->lb_PhotosInAlbum->setFocus();
}

void TPhotosPage::OfferPhotosFrom(const QString& folder)
{
    ui->pc_Photos->setCurrentWidget(ui->ts_AvailablePhotos);
    if (QFileInfo(folder).isDir())
        ui->stvPhotoFolders->SetFolder(folder);
}

void TPhotosPage::SaveSlideShowSettings()
{
    if (m_slideShowTab) {
        m_slideShowTab->ReadSlideShowControls();
        m_slideShowTab->SaveSlideShowSettings();
    }
}

void TPhotosPage::SaveUserPaths(IniFile& settings) const
{
    settings.WriteString(
        QStringLiteral("UserPaths"), ui->stvPhotoFolders->objectName(), ui->stvPhotoFolders->Folder());
}

void TPhotosPage::FillFilterBox()
{
    // Only the descriptions change with the language: rewriting the items'
    // texts keeps the chosen filter and whatever the user selected under it.
    const QSignalBlocker block(ui->filter_Photos);
    const QStringList parts = m_filter.split(u'|');
    int item = 0;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2, ++item) {
        if (item < ui->filter_Photos->count())
            ui->filter_Photos->setItemText(item, parts[i]);
        else
            ui->filter_Photos->addItem(parts[i], parts[i + 1]);
    }
}

void TPhotosPage::ApplyLanguage(const TLanguageSelector& t)
{
    ui->gb_PhotoInfo->setTitle(Padded(t.MF[203]));
    ui->st_PhotoName->setText(t.MF[204]);
    ui->st_PhotoDescription->setText(t.MF[205]);
    ui->st_Event->setText(t.MF[206]);
    ui->st_Year->setText(t.MF[207]);
    ui->chb_DontPublishForTheInternet->setText(t.MF[208]);
    TPageControl* pc = ui->pc_Photos;
    pc->setTabText(pc->indexOf(ui->ts_AvailablePhotos), t.MF[209]);
    pc->setTabText(pc->indexOf(ui->ts_PhotosInAlbum), t.MF[210]);
    pc->setTabText(pc->indexOf(ui->ts_ThumbNails), t.MF[211]);
    pc->setTabText(pc->indexOf(ui->ts_SlideShow), t.MF[212]);
    ui->pnlDrivesAndFolderAvailablePhotos->setText(t.MF[213]);
    ui->st_ExistingPhotos->setText(t.MF[214]);
    ui->pb_Refresh->setText(t.MF[215]);
    ui->gb_AddPhotos->setTitle(Padded(t.MF[216]));
    ui->pb_AddPhoto->setText(t.MF[217]);
    ui->pb_AddAllPhotos->setText(t.MF[218]);
    ui->pb_StopPhotoSearching->setText(t.MF[219]);
    ui->gb_Convert->setTitle(Padded(t.MF[220]));
    ui->pb_ConvertPhoto->setText(t.MF[221]);
    ui->pb_ConvertAllPhotos->setText(t.MF[222]);
    ui->st_JPGQuality->setText(t.MF[223]);
    ui->st_FilesSearched->setText(t.MF[224]);
    ui->st_PhotosDone->setText(t.MF[225]);
    m_filter = LocalizedPhotoFilter(m_filter, t.MF[228], t.MF[229]);
    FillFilterBox();
    ui->st_PhotoObjects->setText(Spaced(t.MF[230]));
    ui->st_SelectedObjects->setText(Spaced(t.MF[231]));
    ui->btnGoToNextPhoto->setText(t.MF[232]);
    ui->st_SelectAPhoto->setText(t.MF[233]);
    ui->lblNrOfPhotos->setText(t.MF[234]);
    ui->btnMovePhotoUpwards->setText(t.MF[235]);
    ui->btnMovePhotoDownwards->setText(t.MF[236]);
    ui->btnRenameSelectedPhotos->setText(t.MF[237]);
    ui->pb_remove->setText(t.MF[238]);
    ui->pb_Show->setText(t.MF[242]);
    ui->pb_CopyInfo->setText(t.MF[250]);
    ui->pb_PasteInfo->setText(t.MF[251]);
    ui->btnReuseInfoPreviousPhoto->setText(t.MF[252]);
    ui->btnSaveChangesPhoto->setText(t.MF[253]);
    ui->gb_ThumbNails->setTitle(Padded(t.MF[260]));
    ui->pb_CreateThumbnails->setText(t.MF[255]);
    ui->pb_ShowThumbNails->setText(t.MF[256]);
    ui->pb_UpdateThumbNails->setText(t.MF[257]);
    ui->pb_RemoveThumbNails->setText(t.MF[258]);
    ui->gb_ThumbNailSize->setTitle(Padded(t.MF[259]));
    ui->st_Width->setText(t.MF[261]);
    ui->st_Height->setText(t.MF[262]);
    ui->gb_ChangePhotoOn->setTitle(Padded(t.MF[263]));
    ui->chb_LeftMouseButton->setText(t.MF[264]);
    ui->chb_SpaceBar->setText(t.MF[265]);
    ui->chb_TimeInSeconds->setText(t.MF[266]);
    ui->gb_ShowWhat->setTitle(Padded(t.MF[267]));
    ui->gb_ShowHow->setTitle(Padded(t.MF[268]));
    ui->rb_ShowThumbNails->setText(t.MF[269]);
    ui->rb_ShowPhotosInalbum->setText(t.MF[270]);
    ui->pb_StartSlideShow->setText(t.MF[271]);
    ui->chb_MaximizeSlideShow->setText(t.MF[272]);
    ui->chb_Rotate->setText(t.MF[273]);
    ui->pb_HTML->setText(t.MF[392]);
    NameViewsAfterTheirLabels(this);
    SetReaderName(ui->filter_Photos, t.MF[214]);
    SetReaderName(ui->eb_SearchingPhotoFolder, t.MF[213]);
    SetReaderName(ui->ud_JPGQuality, t.MF[223]);
    // The arrows step to the photo above or beneath the selected one.
    SetReaderName(ui->pb_UpDown, t.HG[42] + QStringLiteral(" / ") + t.HG[43]);
    SetReaderName(ui->cmb_Seconds, t.MF[266]);
    SetReaderName(ui->cmb_Rotation, t.MF[273]);
    m_photoList->ApplyLanguage(t);
    m_useInHtmlMenu->ApplyLanguage(t);
    m_photosFromFolders->ApplyLanguage(t);
}
