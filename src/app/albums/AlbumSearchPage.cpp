// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/albums/AlbumSearchPage.h"

#include "common/DialogService.h"
#include "common/FileTypeRegistration.h"
#include "common/FolderScanControls.h"
#include "language/LanguageSelector.h"
#include "platform/FileRoutines.h"
#include "platform/Paths.h"
#include "platform/TextUtil.h"
#include "ui_TabAlbums.h"
#include "widgets/FolderTree.h"
#include "widgets/PageControl.h"

#include <QDir>
#include <QMenu>

TAlbumSearchPage::TAlbumSearchPage(Ui::TabAlbums& form, QObject* parent)
    : QObject(parent)
    , ui(form)
    , ppmAlbumSearch(new QMenu(form.ts_SearchAlbums))
{
    ppmAlbumSearch->setObjectName(QStringLiteral("ppmAlbumSearch"));
    pmiUseForHtmlGeneration = ppmAlbumSearch->addAction(QString());
    pmiUseForHtmlGeneration->setObjectName(QStringLiteral("pmiUseForHtmlGeneration"));
    pmiUseForImporting = ppmAlbumSearch->addAction(QString());
    pmiUseForImporting->setObjectName(QStringLiteral("pmiUseForImporting"));

    ui.pb_Stop->setEnabled(false);
    ui.pb_OpenFoundAlbum->setEnabled(false);
    ui.pb_UseAlbum->setEnabled(false);

    connect(ui.bt_SearchForAlbums, &QPushButton::clicked, this, &TAlbumSearchPage::bt_SearchForAlbumsClick);
    connect(ui.pb_Stop, &QPushButton::clicked, this, &TAlbumSearchPage::pb_StopClick);
    connect(ui.lb_FoundAlbums, &QListWidget::itemClicked, this, &TAlbumSearchPage::lb_FoundAlbumsClick);
    connect(
        ui.lb_FoundAlbums, &QListWidget::itemDoubleClicked, this, &TAlbumSearchPage::lb_FoundAlbumsDblClick);
    connect(ui.pb_OpenFoundAlbum, &QPushButton::clicked, this, &TAlbumSearchPage::pb_OpenFoundAlbumClick);
    connect(ui.pb_UseAlbum, &QPushButton::clicked, this, &TAlbumSearchPage::pb_UseAlbumClick);
    connect(ppmAlbumSearch, &QMenu::aboutToShow, this, &TAlbumSearchPage::ppmAlbumSearchPopup);
    connect(
        pmiUseForHtmlGeneration, &QAction::triggered, this, &TAlbumSearchPage::pmiUseForHtmlGenerationClick);
    connect(pmiUseForImporting, &QAction::triggered, this, &TAlbumSearchPage::pmiUseForImportingClick);
    connect(ui.stvSearchAlbums, &TFolderTree::FolderChanged, this, &TAlbumSearchPage::ListFolderAlbums);
}

TAlbumSearchPage::~TAlbumSearchPage() = default;

void TAlbumSearchPage::ApplyLanguage(const TLanguageSelector& t)
{
    pmiUseForHtmlGeneration->setText(t.MF[200]);
    pmiUseForImporting->setText(t.MF[201]);
}

void TAlbumSearchPage::ListFolderAlbums(const QString& folder)
{
    // Full paths, as the search lists them: opening a row needs its folder.
    ui.lb_FoundAlbums->clear();
    if (folder.isEmpty())
        return;
    const QString dir = Paths::IncludeTrailingSeparator(folder);
    const QStringList names
        = QDir(folder).entryList({ QStringLiteral("*.") + QString::fromLatin1(AlbumExtension) },
            QDir::Files | QDir::Readable, QDir::Name | QDir::IgnoreCase);
    for (const QString& name : names)
        ui.lb_FoundAlbums->addItem(dir + name);
}

void TAlbumSearchPage::bt_SearchForAlbumsClick()
{
    const TLanguageSelector& t = *Language();
    const QString folder = ui.stvSearchAlbums->Folder();
    ui.eb_SearchingFolder->setVisible(true);
    ui.bt_SearchForAlbums->setEnabled(false);
    ui.pb_Stop->setEnabled(true);
    ui.lb_FoundAlbums->clear();
    FolderScanStopped = false;
    // The buttons come back however the search ends.
    struct TRestore {
        Ui::TabAlbums& ui;
        ~TRestore()
        {
            ui.pb_Stop->setEnabled(false);
            ui.bt_SearchForAlbums->setEnabled(true);
            FolderScanStopped = false;
        }
    } restore { ui };
    // An empty folder would be read as the root of the file system. A scan
    // refused because another long operation runs reports nothing.
    if (!folder.isEmpty()
        && !StartFolderScan(folder, { QString::fromLatin1(AlbumExtension) }, nullptr, ui.lb_FoundAlbums,
            ui.eb_SearchingFolder, nullptr, nullptr, true))
        return;
    const int found = ui.lb_FoundAlbums->count();
    if (found > 0)
        ShowMessageBox(Text::Format(t.MF[116], { found }), t.MF[117], MessageBoxFlags::IconInformation);
    else
        ShowMessageBox(t.MF[114], t.MF[115], MessageBoxFlags::IconInformation);
}

void TAlbumSearchPage::pb_StopClick()
{
    FolderScanStopped = true;
}

void TAlbumSearchPage::lb_FoundAlbumsClick()
{
    ui.pb_OpenFoundAlbum->setEnabled(true);
    ui.pb_UseAlbum->setEnabled(true);
}

void TAlbumSearchPage::lb_FoundAlbumsDblClick()
{
    pb_OpenFoundAlbumClick();
}

QString TAlbumSearchPage::CurrentAlbum() const
{
    const QListWidgetItem* row = ui.lb_FoundAlbums->currentItem();
    return row ? row->text() : QString();
}

void TAlbumSearchPage::pb_OpenFoundAlbumClick()
{
    const QString fileName = CurrentAlbum();
    if (!fileName.isEmpty())
        emit AlbumChosenForOpening(fileName);
}

void TAlbumSearchPage::pb_UseAlbumClick()
{
    ppmAlbumSearch->popup(ui.pb_UseAlbum->mapToGlobal(QPoint(0, ui.pb_UseAlbum->height())));
}

bool TAlbumSearchPage::ImportPageShown() const
{
    return ui.pc_Albums->isTabVisible(ui.pc_Albums->indexOf(ui.ts_ImportAlbums));
}

void TAlbumSearchPage::ppmAlbumSearchPopup()
{
    pmiUseForImporting->setEnabled(ImportPageShown());
}

void TAlbumSearchPage::pmiUseForHtmlGenerationClick()
{
    const QString fileName = CurrentAlbum();
    if (!fileName.isEmpty())
        emit AlbumChosenForHTML(fileName);
}

void TAlbumSearchPage::pmiUseForImportingClick()
{
    // Without an open album there is nothing to import into.
    const QString fileName = CurrentAlbum();
    if (!fileName.isEmpty() && ImportPageShown())
        emit AlbumChosenForImporting(fileName);
}
