// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/html/HtmlPage.h"

#include "app/html/GeneratedSites.h"
#include "app/html/HtmlBackground.h"
#include "app/html/HtmlExportDriver.h"
#include "app/html/HtmlOptions.h"
#include "app/html/HtmlPictures.h"
#include "app/html/HtmlSettingsPresets.h"
#include "app/html/HtmlStepReporter.h"
#include "app/shared/AlbumSession.h"
#include "app/shared/Captions.h"
#include "app/shared/PageHost.h"
#include "common/AlbumFileList.h"
#include "common/BusyGuard.h"
#include "common/DialogService.h"
#include "common/Tfm_SelectdirectoryWindow.h"
#include "language/LanguageSelector.h"
#include "platform/IniFile.h"
#include "platform/Paths.h"
#include "ui_TabHTML.h"
#include "widgets/FittingRow.h"
#include "widgets/FolderTree.h"
#include "widgets/ListDrawing.h"
#include "widgets/PageControl.h"
#include "widgets/ReaderNames.h"

#include <QDir>
#include <QTableWidget>

namespace {

// The tabs of the export's page controls: $D57620.
const QColor HtmlTabColour(32, 118, 213);

} // namespace

THtmlPage::THtmlPage(TAlbumSession& session, TAlbumActions& actions, TPageHost& host, QWidget* parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::TabHTML>())
{
    ui->setupUi(this);
    ui->pc_HTMLSTEPS->setCurrentWidget(ui->ts_HTMLSTEP1);
    ui->pc_HTMLGeneration->setCurrentWidget(ui->ts_HTMLResults);
    ui->pc_HTMLOptions->setCurrentWidget(ui->ts_HTMLOptions_Regular);
    for (TPageControl* pc : { ui->pc_HTMLSTEPS, ui->pc_HTMLOptions, ui->pc_HTMLGeneration })
        pc->Tabs()->SetColouredLook(HtmlTabColour);
    // The five steps stay in view side by side with their captions whole:
    // scrolled, the first step would go out of view; shortened, a step would
    // lose its name. In Dutch and Spanish the window is a little wider for them.
    ui->pc_HTMLSTEPS->setElideMode(Qt::ElideNone);
    ui->pc_HTMLSTEPS->setUsesScrollButtons(false);
    ui->lb_HTMLSelectedAlbums->setItemDelegate(new TNumberedFileItemDelegate(18, ui->lb_HTMLSelectedAlbums));
    ui->lsbPreviousGeneratedPhotoViewers->setItemDelegate(
        new TNumberedFileItemDelegate(18, ui->lsbPreviousGeneratedPhotoViewers));
    ui->gb_StepsTakenByTavrimolex->hide();
    for (QWidget* buttons : { static_cast<QWidget*>(ui->pnlActionsShowingLastGeneratedPhotoViewers),
             static_cast<QWidget*>(ui->pnlActionsShowingLastSavedHTMLSettings) })
        m_buttonRows.push_back(new TFittingRow(buttons));
    ui->eb_HTMLDirectory->setText(QDir::homePath() + QStringLiteral("/webview"));
    ui->imgThumbnails->setPixmap(QPixmap::fromImage(ThumbnailsSketch()));

    m_progress = std::make_unique<THtmlStepReporter>(*ui);
    m_options = new THtmlOptions(*ui, this);
    m_background = new THtmlBackground(*ui, this);
    m_sites = new TGeneratedSites(*ui, host, this);
    m_presets = new THtmlSettingsPresets(*ui, host, *m_options, *m_background, *m_progress, this);
    m_driver = new THtmlExportDriver(
        *ui, session, actions, *m_options, *m_background, *m_progress, *m_sites, this);

    connect(ui->bt_AddHTMLAlbums, &QPushButton::clicked, this, &THtmlPage::bt_AddHTMLAlbumsClick);
    connect(ui->lsbAlbumsForHTML, &QListWidget::itemDoubleClicked, this, &THtmlPage::bt_AddHTMLAlbumsClick);
    connect(ui->bt_ButtonAddAllHTMLalbums, &QPushButton::clicked, this, &THtmlPage::AddAllHTMLAlbums);
    connect(ui->bt_RemoveHTMLButton, &QPushButton::clicked, this, &THtmlPage::bt_RemoveHTMLButtonClick);
    connect(ui->pc_HTMLSTEPS, &QTabWidget::currentChanged, this, &THtmlPage::pc_HTMLSTEPSChange);
    connect(ui->bt_SelectDirectory, &QPushButton::clicked, this, &THtmlPage::bt_SelectDirectoryClick);

    connect(ui->btnHTMLDetailsRegular, &QPushButton::clicked, this, [this] {
        HighlightDetailsButton(ui->btnHTMLDetailsRegular);
        ui->pc_HTMLOptions->setCurrentWidget(ui->ts_HTMLOptions_Regular);
    });
    connect(ui->btnHTMLDetailsAdvanced, &QPushButton::clicked, this, [this] {
        HighlightDetailsButton(ui->btnHTMLDetailsAdvanced);
        ui->pc_HTMLOptions->setCurrentWidget(ui->ts_HTMLOptions_Advanced);
    });
    connect(ui->pc_HTMLOptions, &QTabWidget::currentChanged, this, [this] {
        HighlightDetailsButton(ui->pc_HTMLOptions->currentWidget() == ui->ts_HTMLOptions_Regular
                ? ui->btnHTMLDetailsRegular
                : ui->btnHTMLDetailsAdvanced);
    });
    connect(ui->btnHTMLSaveSettings, &QPushButton::clicked, this, [this] {
        HighlightDetailsButton(ui->btnHTMLSaveSettings);
        m_presets->SaveHTMLSettingsAs();
    });
    connect(ui->btnHTMLGenerate, &QPushButton::clicked, this, [this] {
        HighlightDetailsButton(ui->btnHTMLGenerate);
        m_driver->GenerateHTML();
    });
}

THtmlPage::~THtmlPage() = default;

void THtmlPage::Entered()
{
    if (!m_firstHTMLVisit)
        return;
    const QTableWidgetItem* first = ui->sgdHTMLSettings->item(0, 0);
    ui->pc_HTMLSTEPS->setCurrentWidget(
        first && !first->text().isEmpty() ? ui->ts_LastSavedHTMLSettings : ui->ts_HTMLSTEP1);
    m_firstHTMLVisit = false;
}

void THtmlPage::WireFolderBrowser()
{
    connect(ui->stvFoldersForHTML, &TFolderTree::FolderChanged, this,
        [this](const QString& folder) { ListAlbumFiles(folder, ui->lsbAlbumsForHTML); });
    connect(ui->stvFoldersForHTML, &TFolderTree::FolderContentsChanged, this,
        [this](const QString& folder) { RefreshAlbumFiles(folder, ui->lsbAlbumsForHTML); });
}

void THtmlPage::SaveUserPaths(IniFile& settings) const
{
    settings.WriteString(
        QStringLiteral("UserPaths"), ui->stvFoldersForHTML->objectName(), ui->stvFoldersForHTML->Folder());
}

void THtmlPage::SetQuality(int quality)
{
    m_options->SetQuality(quality);
}

void THtmlPage::UpdateSizeCaption(const TLanguageSelector& t)
{
    m_options->UpdateSizeCaption(t);
}

void THtmlPage::FillHTMLSettingsGrid()
{
    m_presets->FillHTMLSettingsGrid();
}

void THtmlPage::LoadGeneratedViewers()
{
    m_sites->LoadGeneratedViewers();
}

void THtmlPage::SaveGeneratedViewers()
{
    m_sites->SaveGeneratedViewers();
}

void THtmlPage::UpdatePhotoViewerButtons()
{
    m_sites->UpdatePhotoViewerButtons();
}

void THtmlPage::bt_DefaultBackGroundImageClick()
{
    m_background->bt_DefaultBackGroundImageClick();
}

bool THtmlPage::ExportRunning() const
{
    return m_driver->Running();
}

int THtmlPage::IndexOfAlbum(const QString& fileName) const
{
    // "Add all" at the root folder and a typed path may spell one file differently.
    const QString wanted = Paths::AbsoluteClean(fileName);
    for (int i = 0; i < ui->lb_HTMLSelectedAlbums->count(); ++i)
        if (Paths::AbsoluteClean(ui->lb_HTMLSelectedAlbums->item(i)->text()) == wanted)
            return i;
    return -1;
}

bool THtmlPage::AddHTMLAlbum(const QString& fileName)
{
    if (fileName.isEmpty() || IndexOfAlbum(fileName) >= 0)
        return false;
    ui->lb_HTMLSelectedAlbums->addItem(Paths::AbsoluteClean(fileName));
    return true;
}

bool THtmlPage::AddFoundAlbum(const QString& fileName)
{
    return !TBusyGuard::IsBusy() && AddHTMLAlbum(fileName);
}

void THtmlPage::ExportAlbum(const QString& fileName)
{
    ui->lb_HTMLSelectedAlbums->clear();
    AddHTMLAlbum(fileName);
    ShowDetailsStep();
}

void THtmlPage::ShowDetailsStep()
{
    ui->pc_HTMLSTEPS->setCurrentWidget(ui->ts_HTMLStep2);
}

void THtmlPage::ShowAlbumsStep()
{
    ui->pc_HTMLSTEPS->setCurrentWidget(ui->ts_HTMLSTEP1);
}

void THtmlPage::bt_AddHTMLAlbumsClick()
{
    const QListWidgetItem* row = ui->lsbAlbumsForHTML->currentItem();
    if (!row)
        return;
    const TLanguageSelector& t = *Language();
    if (row->text().isEmpty()) {
        ShowMessageBox(t.MF[87], t.MF[88], MessageBoxFlags::IconInformation);
        return;
    }
    const QString file = Paths::IncludeTrailingSeparator(ui->stvFoldersForHTML->Folder()) + row->text();
    if (!AddHTMLAlbum(file)) {
        ShowMessageBox(t.MF[89], t.MF[90], MessageBoxFlags::IconInformation);
        return;
    }
    ui->lb_HTMLSelectedAlbums->setCurrentRow(ui->lb_HTMLSelectedAlbums->count() - 1);
}

void THtmlPage::AddAllHTMLAlbums()
{
    const QString folder = Paths::IncludeTrailingSeparator(ui->stvFoldersForHTML->Folder());
    for (int i = 0; i < ui->lsbAlbumsForHTML->count(); ++i)
        AddHTMLAlbum(folder + ui->lsbAlbumsForHTML->item(i)->text());
}

void THtmlPage::bt_RemoveHTMLButtonClick()
{
    QListWidget* list = ui->lb_HTMLSelectedAlbums;
    const int row = list->currentRow();
    if (row < 0 || !list->item(row)->isSelected()) {
        const TLanguageSelector& t = *Language();
        ShowMessageBox(t.MF[22], t.MF[23], MessageBoxFlags::IconInformation);
        return;
    }
    std::unique_ptr<QListWidgetItem>(list->takeItem(row));
    if (list->count() > 0)
        list->setCurrentRow(qMax(row - 1, 0));
}

void THtmlPage::pc_HTMLSTEPSChange()
{
    QWidget* page = ui->pc_HTMLSTEPS->currentWidget();
    const bool free = page == ui->ts_HTMLSTEP1 || page == ui->ts_LastGeneratedPhotoViewers
        || page == ui->ts_LastSavedHTMLSettings;
    if (!free && ui->lb_HTMLSelectedAlbums->count() == 0) {
        ShowMessage(Language()->MF[91]);
        ui->pc_HTMLSTEPS->setCurrentWidget(ui->ts_HTMLSTEP1);
    }
    m_sites->UpdatePhotoViewerButtons();
}

void THtmlPage::bt_SelectDirectoryClick()
{
    QString folder = ui->eb_HTMLDirectory->text();
    if (ChooseFolderWithWindow(window(), folder))
        ui->eb_HTMLDirectory->setText(folder);
}

void THtmlPage::HighlightDetailsButton(QPushButton* sender)
{
    for (QPushButton* button : { ui->btnHTMLDetailsRegular, ui->btnHTMLDetailsAdvanced,
             ui->btnHTMLSaveSettings, ui->btnHTMLGenerate }) {
        QFont font = button->font();
        font.setBold(button == sender);
        button->setFont(font);
    }
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
    ui->pnlDetailsRegularHeader->setText(t.MF[323]);
    ui->pnlDetailsAdvancedHeader->setText(t.MF[324]);
    ui->rb_ResizePhotos->setText(t.MF[325]);
    ui->rb_DontResizePhotosUseScrollBars->setText(t.MF[413]);
    ui->st_HTMLWidth->setText(t.MF[326]);
    ui->st_HTMlHeight->setText(t.MF[327]);
    ui->gb_PhotoResize->setTitle(Padded(t.MF[328]));
    ui->gb_HTMLThumbnails->setTitle(Padded(t.MF[329]));
    ui->st_HTMLThumbnails->setText(t.MF[391]);
    ui->gb_HTMLThumbnailsMaximumSize->setTitle(Padded(t.MF[330]));
    ui->st_HTMLThumbnailsWidth->setText(t.MF[331]);
    ui->st_HTMLThumbnailsHeight->setText(t.MF[332]);
    ui->gb_HTMLThumbnailPlacement->setTitle(Padded(t.MF[333]));
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
    NameViewsAfterTheirLabels(this);
    SetReaderName(ui->tb_Quality, t.MF[339]);
    SetReaderName(ui->ud_Quality, t.MF[339]);
    SetReaderName(ui->eb_BackGroundImagePath, t.MF[165]);
    SetReaderName(ui->eb_BackGroundColor, t.MF[166]);
    // The example beside "Example:" is a picture: the chosen image or colour.
    SetReaderName(ui->im_BackGround, t.MF[165]);
    SetReaderName(ui->im_DefaultBackground, t.MF[165]);
    SetReaderName(ui->im_BackGroundColor, t.MF[166]);
    for (TFittingRow* row : m_buttonRows)
        row->Arrange();
}
