// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/albums/AlbumManager.h"

#include "app/albums/AlbumSearchPage.h"
#include "app/albums/AlbumsPage.h"
#include "app/shared/AlbumActions.h"
#include "app/shared/AlbumSession.h"
#include "common/AlbumFileList.h"
#include "common/BusyGuard.h"
#include "common/DialogService.h"
#include "common/FileTypeRegistration.h"
#include "common/Tfm_StatusWindow.h"
#include "language/LanguageSelector.h"
#include "model/Album.h"
#include "model/PendingRenames.h"
#include "model/StreamError.h"
#include "platform/FileRoutines.h"
#include "platform/Paths.h"
#include "platform/RenameNoReplace.h"
#include "platform/SafeFile.h"
#include "platform/TextUtil.h"
#include "platform/TrashOrDelete.h"
#include "ui_TabAlbums.h"
#include "widgets/FolderTree.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>

namespace {

QString AlbumFileExtension()
{
    return u'.' + QString::fromLatin1(AlbumExtension);
}

// The rename message with the system's reason, which tells a name too long
// for the file system from a file in use.
QString RenameFailure(int error)
{
    return Language()->MF[404] + QStringLiteral("\r\r") + SystemErrorText(error);
}

} // namespace

TAlbumManager::TAlbumManager(TAlbumsPage& page, TAlbumSession& session, TAlbumActions& actions)
    : QObject(&page)
    , m_page(page)
    , m_session(session)
    , m_actions(actions)
{
    Ui::TabAlbums& a = page.Form();
    connect(a.pb_CreateNewAlbum, &QPushButton::clicked, this, &TAlbumManager::pb_CreateNewAlbumClick);
    connect(a.lsbAlbumFiles, &QListWidget::itemClicked, this, &TAlbumManager::lsbAlbumFilesClick);
    connect(a.pb_OpenExistingAlbum, &QPushButton::clicked, this, &TAlbumManager::pb_OpenExistingAlbumClick);
    connect(a.lsbRecentlyUsedAlbums, &QListWidget::itemDoubleClicked, this,
        &TAlbumManager::lsbRecentlyUsedAlbumsDblClick);
    connect(a.pb_OpenAlbum, &QPushButton::clicked, this, &TAlbumManager::lsbRecentlyUsedAlbumsDblClick);
    connect(a.pb_SaveAlbum, &QPushButton::clicked, this, &TAlbumManager::pb_SaveAlbumClick);
    connect(a.pb_CloseAlbum, &QPushButton::clicked, this, &TAlbumManager::pb_CloseAlbumClick);
    connect(a.pb_RenameAlbum, &QPushButton::clicked, this, &TAlbumManager::pb_RenameAlbumClick);
    connect(
        a.pb_RemoveAlbumFromList, &QPushButton::clicked, this, &TAlbumManager::pb_RemoveAlbumFromListClick);
    connect(
        a.pb_RemoveAlbumFromDisc, &QPushButton::clicked, this, &TAlbumManager::pb_RemoveAlbumFromDiscClick);
    connect(
        a.mm_AlbumDescription, &QPlainTextEdit::textChanged, this, &TAlbumManager::mm_AlbumDescriptionChange);
    connect(a.pb_CreateHTML, &QPushButton::clicked, this, &TAlbumManager::pb_CreateHTMLClick);
    connect(a.pb_OpenAlbumForHTMLCreation, &QPushButton::clicked, this,
        &TAlbumManager::pb_OpenAlbumForHTMLCreationClick);
    connect(page.SearchPage(), &TAlbumSearchPage::AlbumChosenForOpening, this, &TAlbumManager::OpenForPhotos);
}

TAlbumManager::~TAlbumManager() = default;

void TAlbumManager::pb_SaveAlbumClick()
{
    m_actions.SaveAndConfirm();
}

void TAlbumManager::pb_CloseAlbumClick()
{
    if (TBusyGuard::IsBusy() || !m_session.Album())
        return;
    const QString name = m_session.Album()->GetFileName();
    if (!m_actions.CloseCurrentAlbum())
        return;
    m_page.AddRecentAlbum(name);
    m_actions.ShowNoAlbumState();
}

void TAlbumManager::pb_CreateNewAlbumClick()
{
    if (TBusyGuard::IsBusy())
        return;
    Ui::TabAlbums& a = m_page.Form();
    const TLanguageSelector& t = *Language();
    QString name = a.eb_AlbumName->text();
    if (name.isEmpty()) {
        ShowMessageBox(t.MF[0], t.MF[1], MessageBoxFlags::IconWarning);
        a.eb_AlbumName->setText(t.MF[2]);
        a.eb_AlbumName->setFocus();
        a.eb_AlbumName->selectAll();
        return;
    }
    name = Paths::ChangeFileExt(name, AlbumFileExtension());
    // A bare name goes into the folder chosen beside it.
    if (QDir::isRelativePath(name) && !a.stvAlbumFolders->Folder().isEmpty())
        name = Paths::IncludeTrailingSeparator(a.stvAlbumFolders->Folder()) + name;
    name = Paths::AbsoluteClean(name);
    a.eb_AlbumName->setText(name);

    const int question = MessageBoxFlags::YesNo | MessageBoxFlags::IconWarning;
    const int answer = QFileInfo::exists(name)
        ? ShowMessageBox(Text::Format(t.MF[3], { name }), t.MF[4], question)
        : ShowMessageBox(Text::Format(t.MF[5], { name }), t.MF[6], question);
    if (answer != MessageResult::Yes || !m_actions.CloseCurrentAlbum())
        return;

    // The name must be usable for a file before anything is written, and it is
    // asked without opening what has the name: that may be a link to, or a
    // second name of, another album, which truncating would destroy.
    if (!FileNameUsable(name)) {
        ShowMessageBox(Text::Format(t.MF[7], { name }), t.MF[8], MessageBoxFlags::IconWarning);
        m_actions.ShowNoAlbumState();
        a.eb_AlbumName->setText(name);
        return;
    }

    auto album = std::make_unique<TAlbum>(name);
    album->SetDescription(a.mm_AlbumDescription->toPlainText());
    try {
        // The new album replaces the name, not a file a link there leads to.
        album->SaveToFile(TLinkPolicy::Replace);
    } catch (const std::exception& e) {
        TAlbumActions::ShowError(ExceptionMessage(e));
        m_actions.ShowNoAlbumState();
        return;
    }
    // Renames a stopped run listed for the album this one replaces are not its own.
    TPendingRenames::Remove(name);
    m_session.Open(std::move(album));

    a.stvAlbumFolders->SetFolder(Paths::ExtractFilePath(name));
    ListAlbumFiles(a.stvAlbumFolders->Folder(), a.lsbAlbumFiles);
    const QList<QListWidgetItem*> rows
        = a.lsbAlbumFiles->findItems(Paths::ExtractFileName(name), Qt::MatchExactly);
    if (!rows.isEmpty())
        a.lsbAlbumFiles->setCurrentItem(rows.first());
    emit NewAlbumCreated(a.stvAlbumFolders->Folder());
}

void TAlbumManager::lsbAlbumFilesClick()
{
    Ui::TabAlbums& a = m_page.Form();
    const QListWidgetItem* row = a.lsbAlbumFiles->currentItem();
    if (!row)
        return;
    OpenForPhotos(Paths::IncludeTrailingSeparator(a.stvAlbumFolders->Folder()) + row->text());
}

void TAlbumManager::pb_OpenExistingAlbumClick()
{
    TFileDialogOptions options;
    options.Filter = QStringLiteral("Tavrimolex albums (*.tvx)|*.tvx");
    options.DefaultExt = QString::fromLatin1(AlbumExtension);
    options.InitialDir = m_page.Form().stvAlbumFolders->Folder();
    options.FileMustExist = true;
    const QStringList files = Dialogs().OpenFileDialog(options);
    if (!files.isEmpty())
        OpenForPhotos(files.first());
}

void TAlbumManager::lsbRecentlyUsedAlbumsDblClick()
{
    // A copy: opening the album moves it to the top of the list.
    const int row = m_page.Form().lsbRecentlyUsedAlbums->currentRow();
    if (row >= 0)
        OpenForPhotos(QString(m_page.RecentAlbums().at(row)));
}

void TAlbumManager::OpenForPhotos(const QString& fileName)
{
    if (m_actions.OpenAlbum(fileName))
        emit AlbumPhotosWanted();
}

void TAlbumManager::mm_AlbumDescriptionChange()
{
    // The album holds its description as it is typed, for whoever saves it.
    if (TAlbum* album = m_session.Album())
        album->SetDescription(m_page.Form().mm_AlbumDescription->toPlainText());
    m_session.SetContentsChanged(true);
}

void TAlbumManager::pb_RenameAlbumClick()
{
    if (TBusyGuard::IsBusy())
        return;
    TAlbum* album = m_session.Album();
    if (!album)
        return;
    const TLanguageSelector& t = *Language();
    const QString oldName = album->GetFileName();
    QString typed = album->GetName();
    QString newName;
    bool thumbnailsMoved = false;
    for (;;) {
        if (!Dialogs().InputQuery(t.MF[401], t.MF[402], typed))
            return;
        // A name, not a path: renaming must not move the album out of its folder.
        if (Text::Trim(typed).isEmpty() || typed.contains(u'/') || typed == QLatin1String("..")) {
            ShowMessage(Text::Format(t.MF[7], { typed }));
            continue;
        }
        newName = Paths::ChangeFileExt(album->GetFolder() + typed, AlbumFileExtension());
        if (newName == oldName)
            return;
        if (QFileInfo::exists(newName)) {
            ShowMessage(t.MF[403]);
            continue;
        }
        int error = 0;
        if (!RenameNoReplace(oldName, newName, &error)) {
            ShowMessage(error == EEXIST ? t.MF[403] : RenameFailure(error));
            continue;
        }
        // Left under the old name the thumbnails would be lost to this album and
        // shown as its own by any later album of that name.
        thumbnailsMoved = album->Thumbnails().MoveWithAlbum(newName, &error);
        // A name the thumbnail folder cannot take (too long once its suffix
        // is added) would part the album from its thumbnails: nothing is renamed.
        if (!thumbnailsMoved && error != 0 && error != EEXIST && RenameNoReplace(newName, oldName)) {
            ShowMessage(RenameFailure(error));
            continue;
        }
        break;
    }
    // Renames a stopped run left to take over belong to the album under its new name.
    TPendingRenames::MoveWithAlbum(oldName, newName);
    Ui::TabAlbums& a = m_page.Form();
    m_page.RenameRecentAlbum(oldName, newName);
    album->SetFileName(newName);
    m_session.NotifyAlbumRenamed(thumbnailsMoved);
    a.eb_AlbumName->setText(newName);
    // The folder's album list would otherwise offer the old name, which no longer opens.
    if (Paths::SameFile(Paths::IncludeTrailingSeparator(a.stvAlbumFolders->Folder()), album->GetFolder()))
        ListAlbumFiles(a.stvAlbumFolders->Folder(), a.lsbAlbumFiles);
}

int TAlbumManager::SelectedRecentRow()
{
    const int row = m_page.Form().lsbRecentlyUsedAlbums->currentRow();
    if (row < 0) {
        const TLanguageSelector& t = *Language();
        ShowMessageBox(t.MF[22], t.MF[23], MessageBoxFlags::IconWarning);
    }
    return row;
}

void TAlbumManager::pb_RemoveAlbumFromListClick()
{
    const int row = SelectedRecentRow();
    if (row < 0)
        return;
    const TLanguageSelector& t = *Language();
    const TAlbum* album = m_session.Album();
    if (album && Paths::SameFile(m_page.RecentAlbums().at(row), album->GetFileName())
        && ShowMessageBox(t.MF[24], t.MF[25], MessageBoxFlags::YesNo | MessageBoxFlags::IconWarning)
            != MessageResult::Yes)
        return;
    m_page.RemoveRecentAlbum(row);
}

void TAlbumManager::pb_RemoveAlbumFromDiscClick()
{
    if (TBusyGuard::IsBusy())
        return;
    const int row = SelectedRecentRow();
    if (row < 0)
        return;
    const TLanguageSelector& t = *Language();
    const QString fileName = m_page.RecentAlbums().at(row);
    const int question = MessageBoxFlags::YesNo | MessageBoxFlags::IconWarning;
    // The open album stays on disc: its question promises so, and saving it
    // later would only write it again.
    if (m_session.Album() && Paths::SameFile(fileName, m_session.Album()->GetFileName())) {
        if (ShowMessageBox(t.MF[24], t.MF[25], question) == MessageResult::Yes)
            m_page.RemoveRecentAlbum(row);
        return;
    }
    if (ShowMessageBox(t.MF[26], t.MF[27], question) != MessageResult::Yes)
        return;
    if (!TrashOrDelete(fileName)) {
        ShowMessageBox(fileName, t.MF[60], MessageBoxFlags::IconWarning);
        return;
    }
    m_page.RemoveRecentAlbum(row);
    TPendingRenames::Remove(fileName);
    RemoveAlbumThumbnails(fileName);
}

void TAlbumManager::RemoveAlbumThumbnails(const QString& fileName)
{
    // Only a link belongs to the album, not what it points to.
    TBusyGuard busy;
    Tfm_StatusWindow status;
    status.SetSubject(Language()->MF[28]);
    TThumbnailCache::RemoveFolder(TThumbnailCache::FolderOf(fileName), &status);
}

void TAlbumManager::pb_CreateHTMLClick()
{
    // A running export reads the albums it was given.
    if (TBusyGuard::IsBusy() || !m_session.Album())
        return;
    if (m_session.ContentsChanged()) {
        const TLanguageSelector& t = *Language();
        const int answer = ShowMessageBox(t.MF[14], t.MF[15], MessageBoxFlags::YesNoCancel);
        if (answer == MessageResult::Cancel)
            return;
        if (answer == MessageResult::Yes
            && (ShowMessageBox(t.MF[16], t.MF[17], MessageBoxFlags::IconWarning | MessageBoxFlags::YesNo)
                    != MessageResult::Yes
                || !m_actions.SaveCurrentAlbum()))
            return;
    }
    emit ExportWanted(m_session.Album()->GetFileName());
}

void TAlbumManager::pb_OpenAlbumForHTMLCreationClick()
{
    const int row = m_page.Form().lsbRecentlyUsedAlbums->currentRow();
    if (row < 0 || !m_actions.OpenAlbum(QString(m_page.RecentAlbums().at(row))) || !m_session.Album())
        return;
    emit HTMLAlbumWanted(m_session.Album()->GetFileName());
}
