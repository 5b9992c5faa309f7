// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/albums/AlbumImportPage.h"

#include "app/shared/AlbumActions.h"
#include "app/shared/AlbumSession.h"
#include "common/BusyGuard.h"
#include "common/DialogService.h"
#include "language/LanguageSelector.h"
#include "model/Album.h"
#include "platform/Paths.h"
#include "platform/TextUtil.h"
#include "ui_TabAlbums.h"
#include "widgets/FolderTree.h"

#include <QFileInfo>

TAlbumImportPage::TAlbumImportPage(Ui::TabAlbums& form, TAlbumSession& session, QObject* parent)
    : QObject(parent)
    , ui(form)
    , m_session(session)
{
    ui.pb_ImportSelectedAlbums->setEnabled(true);
    connect(
        ui.pb_AddToImportAlbums, &QPushButton::clicked, this, &TAlbumImportPage::pb_AddToImportAlbumsClick);
    connect(ui.pb_ImportSelectedAlbums, &QPushButton::clicked, this,
        &TAlbumImportPage::pb_ImportSelectedAlbumsClick);
    connect(
        ui.pb_RemoveImportAlbum, &QPushButton::clicked, this, &TAlbumImportPage::pb_RemoveImportAlbumClick);
}

TAlbumImportPage::~TAlbumImportPage() = default;

bool TAlbumImportPage::AddAlbumToImport(const QString& fileName)
{
    QListWidget* selected = ui.lsbSelectedImportAlbums;
    // File names differ by letter case here: Trip.tvx and trip.tvx are two albums.
    for (int i = 0; i < selected->count(); ++i)
        if (Paths::SameFile(selected->item(i)->text(), fileName))
            return false;
    selected->addItem(fileName);
    selected->setCurrentRow(selected->count() - 1);
    ui.pb_ImportSelectedAlbums->setEnabled(true);
    return true;
}

void TAlbumImportPage::AddImportAlbum()
{
    const QListWidgetItem* row = ui.lsbImportalbums->currentItem();
    if (!row)
        return;
    const QString path = Paths::IncludeTrailingSeparator(ui.stvImportAlbums->Folder()) + row->text();
    if (!AddAlbumToImport(path)) {
        const TLanguageSelector& t = *Language();
        ShowMessageBox(t.MF[29], t.MF[30], MessageBoxFlags::IconWarning);
    }
}

void TAlbumImportPage::pb_AddToImportAlbumsClick()
{
    AddImportAlbum();
}

void TAlbumImportPage::pb_RemoveImportAlbumClick()
{
    QListWidget* selected = ui.lsbSelectedImportAlbums;
    const int row = selected->currentRow();
    if (row < 0) {
        const TLanguageSelector& t = *Language();
        ShowMessageBox(t.MF[22], t.MF[23], MessageBoxFlags::IconInformation);
        return;
    }
    delete selected->takeItem(row);
    if (selected->count() == 0)
        ui.pb_ImportSelectedAlbums->setEnabled(false);
    else
        selected->setCurrentRow(row - 1);
}

void TAlbumImportPage::ImportAlbum(TAlbum& source)
{
    TAlbum* album = m_session.Album();
    if (!album)
        return;
    TPhotoList& photos = album->GetPhotos();
    const int before = photos.Count();
    album->MergeObjects(&source.GetObjects(), &source.GetPhotos());
    album->MergeEvents(&source.GetEvents(), &source.GetPhotos());
    // The photos whose path the album has stay with the source, which frees them.
    album->AddPhotos(&source.GetPhotos());
    // Ids of another album's photos may be ids this album already gave out.
    for (int i = before; i < photos.Count(); ++i)
        photos.PhotoAt(i)->SetId(photos.TakeNextId());
}

bool TAlbumImportPage::ImportRow(const QString& fileName, int& imported)
{
    const TLanguageSelector& t = *Language();
    if (!QFileInfo(fileName).isFile()) {
        EndWait();
        const int answer = ShowMessageBox(Text::Format(t.MF[11], { fileName }), t.MF[12],
            MessageBoxFlags::OkCancel | MessageBoxFlags::IconWarning);
        BeginWait();
        return answer != MessageResult::Cancel;
    }
    if (!m_session.Album())
        return false;
    if (Paths::SameFile(fileName, m_session.Album()->GetFileName())) {
        EndWait();
        ShowMessageBox(Text::Format(t.MF[35], { fileName }), t.MF[36], MessageBoxFlags::IconInformation);
        BeginWait();
        return true;
    }

    const std::unique_ptr<TAlbum> source = TAlbumActions::ReadAlbum(fileName, this);
    // A damaged album ends the run; what was merged before it stays.
    if (!source)
        return false;
    ImportAlbum(*source);
    m_session.SetContentsChanged(true);
    ++imported;
    return true;
}

void TAlbumImportPage::pb_ImportSelectedAlbumsClick()
{
    const TLanguageSelector& t = *Language();
    QListWidget* selected = ui.lsbSelectedImportAlbums;
    if (selected->count() == 0) {
        ShowMessageBox(t.MF[31], t.MF[32], MessageBoxFlags::IconWarning);
        return;
    }
    if (ShowMessageBox(t.MF[33], t.MF[34], MessageBoxFlags::YesNo | MessageBoxFlags::IconInformation)
        != MessageResult::Yes)
        return;
    // Reading an album pumps events; the album must stay while it runs.
    const TBusyGuard busy;
    if (!busy || !m_session.Album())
        return;

    QStringList files;
    for (int i = 0; i < selected->count(); ++i)
        files.append(selected->item(i)->text());
    int imported = 0;
    int processed = 0;
    {
        const TWaitCursor wait(*this);
        for (const QString& fileName : std::as_const(files)) {
            ++processed;
            if (!ImportRow(fileName, imported))
                break;
        }
    }
    if (processed > 0)
        m_session.NotifyPhotoLabelsChanged();
    ShowMessageBox(Text::Format(t.MF[39], { imported }), t.MF[40], MessageBoxFlags::IconInformation);
}
