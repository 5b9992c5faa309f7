// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/albums/AlbumsPage.h"

#include "app/albums/AlbumImportPage.h"
#include "app/albums/AlbumManager.h"
#include "app/albums/AlbumSearchPage.h"
#include "app/shared/AlbumActions.h"
#include "app/shared/AlbumSession.h"
#include "app/shared/Captions.h"
#include "common/AlbumFileList.h"
#include "common/FileTypeRegistration.h"
#include "common/Tfm_SelectdirectoryWindow.h"
#include "language/LanguageSelector.h"
#include "model/Album.h"
#include "platform/IniFile.h"
#include "platform/Paths.h"
#include "ui_TabAlbums.h"
#include "widgets/FolderTree.h"
#include "widgets/ListDrawing.h"
#include "widgets/PageControl.h"
#include "widgets/ReaderNames.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QSignalBlocker>
#include <QSplitter>

namespace {

const QString UserPathsSection = QStringLiteral("UserPaths");

} // namespace

TAlbumsPage::TAlbumsPage(TAlbumSession& session, TAlbumActions& actions, QWidget* parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::TabAlbums>())
    , m_session(session)
{
    ui->setupUi(this);
    ui->pc_Albums->setCurrentWidget(ui->ts_AvailableAlbums);
    connect(&session, &TAlbumSession::AlbumOpened, this, &TAlbumsPage::AlbumOpened);
    connect(&session, &TAlbumSession::AlbumClosed, this, &TAlbumsPage::UpdateAlbumControls);
    ui->pc_Albums->Tabs()->SetColouredLook(ListColours::AlbumsTab());
    for (QListWidget* list : { ui->lsbAlbumFiles, ui->lb_FoundAlbums, ui->lsbImportalbums }) {
        const int rowHeight = list == ui->lsbAlbumFiles ? 20 : 18;
        list->setItemDelegate(new TAlbumFileItemDelegate(rowHeight, list));
        list->setUniformItemSizes(true);
        InstallHoverSelection(list);
    }
    for (QListWidget* list : { ui->lsbRecentlyUsedAlbums, ui->lsbSelectedImportAlbums }) {
        list->setItemDelegate(new TNumberedFileItemDelegate(18, list));
        list->setUniformItemSizes(true);
    }
    ui->splAvailableAlbums->installEventFilter(this);
    ui->splSearchAlbums->installEventFilter(this);
    ui->splImportAlbums->setStretchFactor(1, 1);
    ui->splImportAlbums->setSizes({ 265, 400 });

    m_importPage = new TAlbumImportPage(*ui, session, this);
    m_searchPage = new TAlbumSearchPage(*ui, this);
    m_manager = new TAlbumManager(*this, session, actions);
    connect(&actions, &TAlbumActions::NoAlbumShown, this, &TAlbumsPage::ShowNoAlbum);
    connect(m_manager, &TAlbumManager::AlbumPhotosWanted, this, &TAlbumsPage::AlbumPhotosWanted);
    connect(m_manager, &TAlbumManager::NewAlbumCreated, this, &TAlbumsPage::NewAlbumCreated);
    connect(m_manager, &TAlbumManager::ExportWanted, this, &TAlbumsPage::ExportWanted);
    connect(m_manager, &TAlbumManager::HTMLAlbumWanted, this, &TAlbumsPage::HTMLAlbumWanted);
    connect(m_searchPage, &TAlbumSearchPage::AlbumChosenForHTML, this, &TAlbumsPage::AlbumChosenForHTML);
    connect(m_searchPage, &TAlbumSearchPage::AlbumChosenForImporting, this, [this](const QString& fileName) {
        m_importPage->AddAlbumToImport(fileName);
        ui->pc_Albums->setCurrentWidget(ui->ts_ImportAlbums);
    });
    connect(ui->pb_SelectFolder, &QPushButton::clicked, this, &TAlbumsPage::pb_SelectFolderClick);
    connect(ui->pc_Albums, &QTabWidget::currentChanged, this, &TAlbumsPage::UpdateAlbumControls);
    UpdateAlbumControls();
}

bool TAlbumsPage::eventFilter(QObject* watched, QEvent* event)
{
    // The folder trees take half of their page at every resize.
    if (event->type() == QEvent::Resize) {
        if (auto* splitter = qobject_cast<QSplitter*>(watched)) {
            const int half = splitter->width() / 2;
            splitter->setSizes({ half, splitter->width() - half });
        }
    }
    return QWidget::eventFilter(watched, event);
}

TAlbumsPage::~TAlbumsPage() = default;

void TAlbumsPage::ApplyLanguage(const TLanguageSelector& t)
{
    auto tab = [this](QWidget* page, const QString& text) {
        ui->pc_Albums->setTabText(ui->pc_Albums->indexOf(page), text);
    };
    ui->pb_SelectFolder->setText(t.MF[129]);
    ui->st_AlbumName->setText(t.MF[130]);
    ui->st_AlbumDescription->setText(t.MF[131]);
    ui->gb_AlbumAction->setTitle(Padded(t.MF[132]));
    ui->pb_CreateNewAlbum->setText(t.MF[133]);
    ui->pb_SaveAlbum->setText(t.MF[134]);
    ui->pb_CloseAlbum->setText(t.MF[135]);
    ui->pb_CreateHTML->setText(t.MF[136]);
    ui->pb_RenameAlbum->setText(t.MF[401]);
    ui->pb_OpenExistingAlbum->setText(t.MF[416]);
    tab(ui->ts_AvailableAlbums, t.MF[137]);
    tab(ui->ts_RecentlyUsedAlbums, t.MF[138]);
    tab(ui->ts_ImportAlbums, t.MF[139]);
    ui->pnlHeaderDrivesAndFolder->setText(t.MF[140]);
    ui->pnlHeaderExistingAlbums->setText(t.MF[141]);
    ui->pnlHeaderRecentlyUsedalbums->setText(t.MF[142]);
    ui->pb_OpenAlbum->setText(t.MF[143]);
    ui->pb_OpenAlbumForHTMLCreation->setText(t.MF[144]);
    ui->pb_RemoveAlbumFromList->setText(t.MF[145]);
    ui->pb_RemoveAlbumFromDisc->setText(t.MF[146]);
    ui->pnlHeaderFoldersImportalbums->setText(t.MF[140]);
    ui->pnlHeaderAvailableAlbumsForImport->setText(t.MF[147]);
    ui->pb_AddToImportAlbums->setText(t.MF[148]);
    ui->pb_ImportSelectedAlbums->setText(t.MF[149]);
    ui->pb_RemoveImportAlbum->setText(t.MF[150]);
    ui->pnlHeaderAlbumsSelectedForImport->setText(t.MF[151]);
    tab(ui->ts_SearchAlbums, t.MF[193]);
    ui->pnlHeaderSearchAlbums->setText(t.MF[194]);
    ui->bt_SearchForAlbums->setText(t.MF[195]);
    ui->pb_Stop->setText(t.MF[196]);
    ui->pnlHeaderAlbumsFound->setText(t.MF[197]);
    ui->pb_OpenFoundAlbum->setText(t.MF[198]);
    ui->pb_UseAlbum->setText(t.MF[199]);
    NameViewsAfterTheirLabels(this);
    m_searchPage->ApplyLanguage(t);
}

void TAlbumsPage::AlbumOpened(TAlbum& album)
{
    ui->eb_AlbumName->setText(album.GetFileName());
    const QSignalBlocker block(ui->mm_AlbumDescription);
    ui->mm_AlbumDescription->setPlainText(album.GetDescription());
    UpdateAlbumControls();
    AddRecentAlbum(album.GetFileName());
}

void TAlbumsPage::UpdateAlbumControls()
{
    const bool albumOpen = m_session.IsOpen();
    ui->pb_CloseAlbum->setEnabled(albumOpen);
    ui->pb_SaveAlbum->setEnabled(albumOpen);
    ui->pb_CreateHTML->setEnabled(albumOpen);
    ui->pb_RenameAlbum->setEnabled(albumOpen);
    ui->pc_Albums->setTabVisible(ui->pc_Albums->indexOf(ui->ts_ImportAlbums), albumOpen);
    ui->pc_Albums->update();
}

void TAlbumsPage::ShowNoAlbum()
{
    {
        const QSignalBlocker block(ui->mm_AlbumDescription);
        ui->mm_AlbumDescription->clear();
    }
    ui->eb_AlbumName->clear();
}

void TAlbumsPage::pb_SelectFolderClick()
{
    Tfm_SelectdirectoryWindow* window = SelectdirectoryWindow(this->window());
    window->SetFolder(ui->stvAlbumFolders->Folder());
    if (window->exec() != QDialog::Accepted)
        return;
    const QString folder = window->GetFolder();
    ui->stvAlbumFolders->SetFolder(folder);
    ui->pc_Albums->setCurrentWidget(ui->ts_AvailableAlbums);
    const QString namePart = Paths::ExtractFileName(ui->eb_AlbumName->text());
    if (!namePart.isEmpty())
        ui->eb_AlbumName->setText(Paths::IncludeTrailingSeparator(folder) + namePart);
}

void TAlbumsPage::ShowRecentAlbumsWhenListed()
{
    if (ui->lsbRecentlyUsedAlbums->count() > 0)
        ui->pc_Albums->setCurrentWidget(ui->ts_RecentlyUsedAlbums);
}

void TAlbumsPage::WireFolderBrowsers(const IniFile& settings)
{
    const std::pair<TFolderTree*, QListWidget*> pairs[] = {
        { ui->stvAlbumFolders, ui->lsbAlbumFiles },
        { ui->stvImportAlbums, ui->lsbImportalbums },
    };
    for (const auto& [tree, list] : pairs) {
        connect(tree, &TFolderTree::FolderChanged, this,
            [list](const QString& folder) { ListAlbumFiles(folder, list); });
        connect(tree, &TFolderTree::FolderContentsChanged, this,
            [list](const QString& folder) { RefreshAlbumFiles(folder, list); });
    }
    const QString folder
        = settings.ReadString(UserPathsSection, QStringLiteral("stvAlbumFolders"), QDir::homePath());
    if (QFileInfo(folder).isDir() && ui->stvAlbumFolders->SetFolder(folder))
        ListAlbumFiles(ui->stvAlbumFolders->Folder(), ui->lsbAlbumFiles);
}

void TAlbumsPage::SaveUserPaths(IniFile& settings) const
{
    for (const TFolderTree* tree : { ui->stvAlbumFolders, ui->stvSearchAlbums, ui->stvImportAlbums })
        settings.WriteString(UserPathsSection, tree->objectName(), tree->Folder());
}

void TAlbumsPage::EnableRecentControls(bool withOpenButton)
{
    const bool rows = ui->lsbRecentlyUsedAlbums->count() > 0;
    ui->lsbRecentlyUsedAlbums->setEnabled(rows);
    ui->pnlHeaderRecentlyUsedalbums->setEnabled(rows);
    ui->pb_RemoveAlbumFromList->setEnabled(rows);
    ui->pb_RemoveAlbumFromDisc->setEnabled(rows);
    if (withOpenButton)
        ui->pb_OpenAlbum->setEnabled(rows);
}

void TAlbumsPage::ShowRecentAlbums()
{
    QListWidget* list = ui->lsbRecentlyUsedAlbums;
    const QStringList& names = m_recent.Names();
    if (list->count() != names.size()) {
        list->clear();
        list->addItems(names);
        return;
    }
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->text() != names.at(i))
            list->item(i)->setText(names.at(i));
    }
}

void TAlbumsPage::LoadRecentAlbums(IniFile& settings)
{
    m_recent.Load(settings);
    ui->lsbRecentlyUsedAlbums->clear();
    ShowRecentAlbums();
    EnableRecentControls(false);
}

void TAlbumsPage::SaveRecentAlbums()
{
    m_recent.Save();
    EnableRecentControls(true);
}

void TAlbumsPage::AddRecentAlbum(const QString& fileName)
{
    m_recent.Add(fileName);
    ShowRecentAlbums();
    ui->lsbRecentlyUsedAlbums->setCurrentRow(0);
    EnableRecentControls(true);
}

void TAlbumsPage::RemoveRecentAlbum(int row)
{
    m_recent.RemoveAt(row);
    ShowRecentAlbums();
    EnableRecentControls(true);
    QListWidget* list = ui->lsbRecentlyUsedAlbums;
    list->setCurrentRow(list->count() == 0 ? -1 : qMin(row, list->count() - 1));
}

void TAlbumsPage::RenameRecentAlbum(const QString& oldName, const QString& newName)
{
    m_recent.Rename(oldName, newName);
    ShowRecentAlbums();
    EnableRecentControls(true);
}
