#include "app/HtmlPage.h"

#include "app/AlbumSession.h"
#include "app/AlbumsPage.h"
#include "app/Captions.h"
#include "app/FolderTree.h"
#include "app/ListDrawing.h"
#include "app/PageControl.h"
#include "language/LanguageSelector.h"
#include "platform/IniFile.h"
#include "ui_TabHTML.h"

#include <QSignalBlocker>
#include <QTableWidget>

THtmlPage::THtmlPage(TAlbumSession& session, QWidget* parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::TabHTML>())
    , m_session(session)
{
    ui->setupUi(this);
    ui->pc_HTMLGeneration->setCurrentWidget(ui->ts_HTMLResults);
    ui->pc_HTMLOptions->setCurrentWidget(ui->ts_HTMLOptions_Regular);
    for (TPageControl* pc : { ui->pc_HTMLSTEPS, ui->pc_HTMLOptions, ui->pc_HTMLGeneration })
        pc->Tabs()->SetColouredLook(ListColours::AlbumsTab());
    ui->lb_HTMLSelectedAlbums->setItemDelegate(new TNumberedFileItemDelegate(18, ui->lb_HTMLSelectedAlbums));
    ui->lsbPreviousGeneratedPhotoViewers->setItemDelegate(
        new TNumberedFileItemDelegate(18, ui->lsbPreviousGeneratedPhotoViewers));
    ui->gb_StepsTakenByTavrimolex->hide();
}

THtmlPage::~THtmlPage() = default;

void THtmlPage::Entered()
{
    if (!m_firstHTMLVisit)
        return;
    // The first visit opens on the saved settings when there are any.
    const QTableWidgetItem* first
        = ui->sgdHTMLSettings->rowCount() > 1 ? ui->sgdHTMLSettings->item(1, 0) : nullptr;
    ui->pc_HTMLSTEPS->setCurrentWidget(
        first && !first->text().isEmpty() ? ui->ts_LastSavedHTMLSettings : ui->ts_HTMLSTEP1);
    m_firstHTMLVisit = false;
}

void THtmlPage::WireFolderBrowser()
{
    connect(ui->stvFoldersForHTML, &TFolderTree::FolderChanged, this,
        [this](const QString& folder) { TAlbumsPage::ListAlbumFiles(folder, ui->lsbAlbumsForHTML); });
}

void THtmlPage::SaveUserPaths(IniFile& settings) const
{
    settings.WriteString(
        QStringLiteral("UserPaths"), ui->stvFoldersForHTML->objectName(), ui->stvFoldersForHTML->Folder());
}

void THtmlPage::SetQuality(int quality)
{
    const QSignalBlocker b1(ui->tb_Quality), b2(ui->ud_Quality), b3(ui->eb_Quality);
    ui->tb_Quality->setValue(quality);
    ui->ud_Quality->setValue(quality);
    ui->eb_Quality->setText(QString::number(quality));
}

void THtmlPage::UpdateSizeCaption(const TLanguageSelector& t)
{
    ui->gb_Size->setTitle(Padded(ui->rb_ResizePhotos->isChecked() ? t.MF[414] : t.MF[415]));
}

void THtmlPage::ApplyLanguage(const TLanguageSelector& t)
{
    auto tab = [](TPageControl* pc, QWidget* page, const QString& text) {
        pc->setTabText(pc->indexOf(page), text);
    };
    ui->st_HTMLHint->setText(t.MF[308]);
    tab(ui->pc_HTMLSTEPS, ui->ts_HTMLSTEP1, t.MF[309]);
    ui->pnlStep1->setText(Spaced(t.MF[310]));
    ui->pnlHeaderAlbumFoldersForHTML->setText(t.MF[140]);
    ui->pnlHeaderAvailableAlbumsForHTML->setText(t.MF[147]);
    ui->pnlHeaderselectedalbumsForHTML->setText(t.MF[313]);
    ui->bt_AddHTMLAlbums->setText(t.MF[314]);
    ui->bt_ButtonAddAllHTMLalbums->setText(t.MF[315]);
    ui->bt_RemoveHTMLButton->setText(t.MF[316]);
    tab(ui->pc_HTMLSTEPS, ui->ts_HTMLStep2, t.MF[317]);
    ui->gb_HTMLDestination->setTitle(Padded(t.MF[318]));
    ui->bt_SelectDirectory->setText(t.MF[319]);
    ui->lblHintStep2->setText(t.MF[320]);
    ui->grbWebViewerType->setTitle(Padded(t.MF[400]));
    ui->rdbNavigateByImage->setText(t.MF[321]);
    ui->chbStartslideShowHTMLPages->setText(t.MF[418]);
    ui->rdbNavigateByImageAndThumbnails->setText(t.MF[322]);
    tab(ui->pc_HTMLOptions, ui->ts_HTMLOptions_Regular, t.MF[323]);
    tab(ui->pc_HTMLOptions, ui->ts_HTMLOptions_Advanced, t.MF[324]);
    ui->btnHTMLDetailsRegular->setText(t.MF[323]);
    ui->btnHTMLDetailsAdvanced->setText(t.MF[324]);
    ui->btnHTMLSaveSettings->setText(t.MF[380]);
    ui->btnHTMLGenerate->setText(t.MF[347]);
    ui->rb_ResizePhotos->setText(t.MF[325]);
    ui->rb_DontResizePhotosUseScrollBars->setText(t.MF[413]);
    ui->st_HTMLWidth->setText(t.MF[326]);
    ui->st_HTMlHeight->setText(t.MF[327]);
    ui->gb_PhotoResize->setTitle(Padded(t.MF[328]));
    ui->gb_HTMLThumbnails->setTitle(Padded(t.MF[329]));
    ui->st_HTMLThumbnails->setText(t.MF[391]);
    ui->st_HTMLThumbnailsWidth->setText(t.MF[331]);
    ui->st_HTMLThumbnailsHeight->setText(t.MF[332]);
    ui->st_HTMLThumbnailHorizontal->setText(t.MF[334]);
    ui->lbHTMLThumbnailsVertical->setText(t.MF[335]);
    ui->gb_Title->setTitle(Padded(t.MF[336]));
    ui->st_Title->setText(t.MF[337]);
    ui->gb_Quality->setTitle(Padded(t.MF[338]));
    ui->st_Quality->setText(t.MF[339]);
    ui->gb_LinkingToOriginalPhotos->setTitle(Padded(t.MF[340]));
    ui->chbLinkingToOriginalPhotos->setText(t.MF[341]);
    ui->st_CommonWebPath->setText(t.MF[342]);
    ui->st_CommonLocalPath->setText(t.MF[343]);
    ui->st_LessSpace->setText(t.MF[344]);
    ui->st_HighestQuality->setText(t.MF[345]);
    tab(ui->pc_HTMLSTEPS, ui->ts_HTMLStep4, t.MF[346]);
    tab(ui->pc_HTMLGeneration, ui->ts_HTMLGenerate, t.MF[347]);
    tab(ui->pc_HTMLGeneration, ui->ts_HTMLResults, t.MF[348]);
    ui->bt_HTMLGenerate->setText(t.MF[349]);
    ui->bt_StopHTMLGeneration->setText(t.MF[350]);
    ui->bt_Results->setText(t.MF[351]);
    ui->st_PhotosNotFound->setText(t.MF[352]);
    ui->st_Remarks->setText(t.MF[353]);
    ui->chbCreateOnlyHTML->setText(t.MF[354]);
    ui->gb_StepsTakenByTavrimolex->setTitle(Padded(t.MF[355]));
    ui->chbPhotoChecking->setText(t.MF[356]);
    ui->lblPhotoCheckingQuantity->setText(t.MF[357]);
    ui->lblPhotoCheckingProcessing->setText(t.MF[358]);
    ui->chbThumbnailCreation->setText(t.MF[359]);
    ui->lblThumbnailQuantity->setText(t.MF[360]);
    ui->lblThumbNailProcessing->setText(t.MF[361]);
    ui->chbPhotoCopying->setText(t.MF[362]);
    ui->lblPhotoQuantity->setText(t.MF[363]);
    ui->lblPhotoProcessing->setText(t.MF[364]);
    ui->chbThumbNailHTMLCreation->setText(t.MF[365]);
    ui->lblThumbnailHTMlQuantity->setText(t.MF[366]);
    ui->lblThumbnailHTMLProcessing->setText(t.MF[367]);
    ui->chbPhotoHTMLCreation->setText(t.MF[368]);
    ui->lblPhotoHTMlQuantity->setText(t.MF[369]);
    ui->lblPhotoHTMLProcessing->setText(t.MF[370]);
    tab(ui->pc_HTMLSTEPS, ui->ts_LastGeneratedPhotoViewers, t.MF[371]);
    ui->bt_ShowLastGeneratedPages->setText(t.MF[372]);
    ui->bt_RemovePhotoViewerFromList->setText(t.MF[373]);
    ui->bt_RemovePhotoViewerFromDisk->setText(t.MF[374]);
    ui->pnlHeaderShowingLastGeneratedPhotoViewers->setText(Spaced(t.MF[375]));
    tab(ui->pc_HTMLSTEPS, ui->ts_LastSavedHTMLSettings, t.MF[376]);
    ui->pnlHeaderHTMLSettings->setText(Spaced(t.MF[377]));
    ui->bt_UseSelectedHTMLSettings->setText(t.MF[378]);
    ui->bt_RemoveLastSavedHTMLSettings->setText(t.MF[379]);
    ui->bt_SaveCurrentHTMLSettings->setText(t.MF[380]);
    ui->gp_BackGroundImage->setTitle(Padded(t.MF[381]));
    ui->bt_SelectBackGroundImage->setText(t.MF[382]);
    ui->bt_DefaultBackGroundImage->setText(t.MF[383]);
    ui->bt_SelectBackGroundColor->setText(t.MF[384]);
    ui->lb_Image->setText(t.MF[385]);
}
