// The album operations of the main window: open, close, save, create,
// rename, the recent-album list, removal, and adding photos.
#include "app/main/Tfm_MainForm.h"

#include "app/albums/AlbumImportPage.h"
#include "app/photos/AlbumPhotoList.h"
#include "app/albums/AlbumSearchPage.h"
#include "app/main/AlbumSession.h"
#include "app/albums/AlbumsPage.h"
#include "common/FileTypeRegistration.h"
#include "widgets/FolderTree.h"
#include "app/html/HtmlPage.h"
#include "widgets/PageControl.h"
#include "app/photos/PhotoInfoPanel.h"
#include "app/photos/PhotosPage.h"
#include "common/Tfm_SelectdirectoryWindow.h"
#include "app/photos/ThumbnailsTab.h"
#include "common/BusyGuard.h"
#include "common/DialogService.h"
#include "common/Tfm_StatusWindow.h"
#include "language/LanguageSelector.h"
#include "model/Album.h"
#include "model/StreamError.h"
#include "platform/FileRoutines.h"
#include "platform/IniFile.h"
#include "platform/Paths.h"
#include "platform/RenameNoReplace.h"
#include "platform/SafeFile.h"
#include "platform/TextUtil.h"
#include "ui_TabAlbums.h"
#include "ui_TabPhotos.h"
#include "viewers/Tfm_ThumbNailWindow.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalBlocker>

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

void Tfm_MainForm::WireAlbumHandlers()
{
    Ui::TabAlbums& a = m_albumsPage->Form();
    connect(a.pb_CreateNewAlbum, &QPushButton::clicked, this, &Tfm_MainForm::pb_CreateNewAlbumClick);
    connect(a.pb_SelectFolder, &QPushButton::clicked, this, &Tfm_MainForm::pb_SelectFolderClick);
    connect(a.lsbAlbumFiles, &QListWidget::itemClicked, this, &Tfm_MainForm::lsbAlbumFilesClick);
    connect(a.pb_OpenExistingAlbum, &QPushButton::clicked, this, &Tfm_MainForm::pb_OpenExistingAlbumClick);
    connect(a.lsbRecentlyUsedAlbums, &QListWidget::itemDoubleClicked, this,
        &Tfm_MainForm::lsbRecentlyUsedAlbumsDblClick);
    connect(a.pb_OpenAlbum, &QPushButton::clicked, this, &Tfm_MainForm::lsbRecentlyUsedAlbumsDblClick);
    connect(a.pb_SaveAlbum, &QPushButton::clicked, this, &Tfm_MainForm::pb_SaveAlbumClick);
    connect(m_photosPage->Form().btnSaveChangesPhoto, &QPushButton::clicked, this,
        &Tfm_MainForm::pb_SaveAlbumClick);
    connect(a.pb_CloseAlbum, &QPushButton::clicked, this, &Tfm_MainForm::pb_CloseAlbumClick);
    connect(a.pb_RenameAlbum, &QPushButton::clicked, this, &Tfm_MainForm::pb_RenameAlbumClick);
    connect(
        a.pb_RemoveAlbumFromList, &QPushButton::clicked, this, &Tfm_MainForm::pb_RemoveAlbumFromListClick);
    connect(
        a.pb_RemoveAlbumFromDisc, &QPushButton::clicked, this, &Tfm_MainForm::pb_RemoveAlbumFromDiscClick);
    connect(
        a.mm_AlbumDescription, &QPlainTextEdit::textChanged, this, &Tfm_MainForm::mm_AlbumDescriptionChange);
    connect(a.pc_Albums, &QTabWidget::currentChanged, this, &Tfm_MainForm::pc_AlbumsChange);
    connect(m_albumsPage->SearchPage(), &TAlbumSearchPage::AlbumChosenForOpening, this,
        [this](const QString& fileName) {
            if (OpenAlbum(fileName))
                GoToAlbumPhotos();
        });
    connect(m_albumsPage->SearchPage(), &TAlbumSearchPage::AlbumChosenForHTML, this,
        [this](const QString& fileName) {
            // A running export reads the list; an album listed already changes nothing.
            if (TBusyGuard::IsBusy() || !m_htmlPage->AddHTMLAlbum(fileName))
                return;
            pc_Album()->setCurrentWidget(m_htmlPage);
            m_htmlPage->ShowAlbumsStep();
        });
    connect(
        m_albumsPage->ImportPage(), &TAlbumImportPage::AlbumsImported, this, &Tfm_MainForm::RefreshAlbumLists);
    connect(a.pb_CreateHTML, &QPushButton::clicked, this, &Tfm_MainForm::pb_CreateHTMLClick);
    connect(a.pb_OpenAlbumForHTMLCreation, &QPushButton::clicked, this,
        &Tfm_MainForm::pb_OpenAlbumForHTMLCreationClick);
}

void Tfm_MainForm::ShowError(const QString& message)
{
    ShowMessageBox(message, Language()->Title, MessageBoxFlags::IconError);
}

void Tfm_MainForm::ShowNoAlbumState()
{
    UpdateAlbumControls();
    ShowNoAlbumCaption();
    m_albumsPage->ShowNoAlbum();
    SetContentsChanged(false);
}

void Tfm_MainForm::AddRecentAlbum(const QString& fileName)
{
    m_albumsPage->AddRecentAlbum(fileName, *m_ini);
}

bool Tfm_MainForm::OpenAlbum(const QString& requested)
{
    // A long operation may be using the album.
    if (TBusyGuard::IsBusy())
        return false;
    Ui::TabAlbums& a = m_albumsPage->Form();
    const TLanguageSelector& t = *Language();
    if (Album() && a.eb_AlbumName->text() == requested)
        return true;

    // The new file is checked before the current album is touched, so a
    // missing file leaves the current album open.
    const QString fileName = Paths::AbsoluteClean(requested);
    if (!QFileInfo(fileName).isFile()) {
        ShowMessageBox(Text::Format(t.MF[11], { fileName }), t.MF[12], MessageBoxFlags::IconWarning);
        return false;
    }
    if (ContentsChanged() && !CloseCurrentAlbum())
        return true;

    std::unique_ptr<TAlbum> album;
    QString error;
    {
        // Reading relocates moved photos and lets events run meanwhile.
        TBusyGuard busy;
        Tfm_StatusWindow status;
        status.ShowCentered();
        try {
            album = TAlbum::CreateFromFile(fileName, &status);
        } catch (const std::exception& e) {
            error = ExceptionMessage(e);
        }
    }
    if (!album) {
        // "Invalid property value" alone does not say which file is damaged.
        ShowError(Text::Format(t.HG[13], { fileName }) + QStringLiteral("\r\r") + error);
        if (!Album())
            ShowNoAlbumState();
        return false;
    }

    // Every page fills itself from the album it is told of.
    m_session->Open(std::move(album));
    AddRecentAlbum(fileName);
    return true;
}

bool Tfm_MainForm::CloseCurrentAlbum()
{
    if (!Album())
        return true;
    int answer = MessageResult::No;
    if (ContentsChanged()) {
        const TLanguageSelector& t = *Language();
        answer = ShowMessageBox(t.MF[18], t.MF[19], MessageBoxFlags::YesNoCancel | MessageBoxFlags::IconWarning);
    }
    if (answer == MessageResult::Cancel || (answer == MessageResult::Yes && !SaveCurrentAlbum()))
        return false;
    m_session->Close();
    return true;
}

bool Tfm_MainForm::SaveCurrentAlbum()
{
    TAlbum* album = Album();
    if (!album)
        return false;
    album->SetDescription(m_albumsPage->Form().mm_AlbumDescription->toPlainText());
    try {
        album->SaveToFile();
    } catch (const std::exception& e) {
        ShowError(ExceptionMessage(e));
        return false;
    }
    SetContentsChanged(false);
    return true;
}

void Tfm_MainForm::pb_SaveAlbumClick()
{
    if (TBusyGuard::IsBusy())
        return;
    if (Album() && SaveCurrentAlbum())
        ShowMessage(Language()->MF[13]);
}

void Tfm_MainForm::pb_CloseAlbumClick()
{
    if (TBusyGuard::IsBusy())
        return;
    if (!Album())
        return;
    const QString name = Album()->GetFileName();
    if (!CloseCurrentAlbum())
        return;
    AddRecentAlbum(name);
    ShowNoAlbumState();
}

void Tfm_MainForm::OpenFoundAlbum(const QString& fileName)
{
    if (TBusyGuard::IsBusy() || !CloseCurrentAlbum())
        return;
    if (!OpenAlbum(fileName) && !Album())
        ShowNoAlbumState();
    pc_Album()->setCurrentWidget(m_albumsPage);
}

void Tfm_MainForm::GoToAlbumPhotos()
{
    if (!Album())
        return;
    pc_Album()->setCurrentWidget(m_photosPage);
    m_photosPage->ShowAlbumPhotosPage();
    m_photosPage->Form().lb_PhotosInAlbum->setFocus();
}

void Tfm_MainForm::pb_CreateNewAlbumClick()
{
    if (TBusyGuard::IsBusy())
        return;
    Ui::TabAlbums& a = m_albumsPage->Form();
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

    const int answer = QFileInfo::exists(name) ? ShowMessageBox(Text::Format(t.MF[3], { name }), t.MF[4], MessageBoxFlags::YesNo | MessageBoxFlags::IconWarning)
                                               : ShowMessageBox(Text::Format(t.MF[5], { name }), t.MF[6], MessageBoxFlags::YesNo | MessageBoxFlags::IconWarning);
    if (answer != MessageResult::Yes)
        return;
    if (!CloseCurrentAlbum())
        return;

    // The name must be usable for a file before anything is written, and it is
    // asked without opening what has the name: that may be a link to, or a
    // second name of, another album, which truncating would destroy.
    if (!FileNameUsable(name)) {
        ShowMessageBox(Text::Format(t.MF[7], { name }), t.MF[8], MessageBoxFlags::IconWarning);
        ShowNoAlbumState();
        a.eb_AlbumName->setText(name);
        return;
    }

    auto album = std::make_unique<TAlbum>(name);
    album->SetDescription(a.mm_AlbumDescription->toPlainText());
    try {
        // The new album replaces the name, not a file a link there leads to.
        album->SaveToFile(TLinkPolicy::Replace);
    } catch (const std::exception& e) {
        ShowError(ExceptionMessage(e));
        ShowNoAlbumState();
        return;
    }
    m_session->Open(std::move(album));

    AddRecentAlbum(name);
    const QString folder = Paths::ExtractFilePath(name);
    a.stvAlbumFolders->SetFolder(folder);
    TAlbumsPage::ListAlbumFiles(a.stvAlbumFolders->Folder(), a.lsbAlbumFiles);
    const QList<QListWidgetItem*> rows
        = a.lsbAlbumFiles->findItems(Paths::ExtractFileName(name), Qt::MatchExactly);
    if (!rows.isEmpty())
        a.lsbAlbumFiles->setCurrentItem(rows.first());

    Ui::TabPhotos& p = m_photosPage->Form();
    pc_Album()->setCurrentWidget(m_photosPage);
    p.pc_Photos->setCurrentWidget(p.ts_AvailablePhotos);
    if (QFileInfo(a.stvAlbumFolders->Folder()).isDir())
        p.stvPhotoFolders->SetFolder(a.stvAlbumFolders->Folder());
}

void Tfm_MainForm::pb_SelectFolderClick()
{
    Ui::TabAlbums& a = m_albumsPage->Form();
    Tfm_SelectdirectoryWindow* window = SelectdirectoryWindow(this);
    window->SetFolder(a.stvAlbumFolders->Folder());
    if (window->exec() != QDialog::Accepted)
        return;
    const QString folder = window->GetFolder();
    a.stvAlbumFolders->SetFolder(folder);
    a.pc_Albums->setCurrentWidget(a.ts_AvailableAlbums);
    const QString namePart = Paths::ExtractFileName(a.eb_AlbumName->text());
    if (!namePart.isEmpty())
        a.eb_AlbumName->setText(Paths::IncludeTrailingSeparator(folder) + namePart);
}

void Tfm_MainForm::lsbAlbumFilesClick()
{
    Ui::TabAlbums& a = m_albumsPage->Form();
    const QListWidgetItem* row = a.lsbAlbumFiles->currentItem();
    if (!row)
        return;
    if (OpenAlbum(Paths::IncludeTrailingSeparator(a.stvAlbumFolders->Folder()) + row->text()))
        GoToAlbumPhotos();
}

void Tfm_MainForm::pb_OpenExistingAlbumClick()
{
    TFileDialogOptions options;
    options.Filter = QStringLiteral("Tavrimolex albums (*.tvx)|*.tvx");
    options.DefaultExt = QString::fromLatin1(AlbumExtension);
    options.InitialDir = m_albumsPage->Form().stvAlbumFolders->Folder();
    options.FileMustExist = true;
    const QStringList files = Dialogs().OpenFileDialog(options);
    if (!files.isEmpty() && OpenAlbum(files.first()))
        GoToAlbumPhotos();
}

void Tfm_MainForm::lsbRecentlyUsedAlbumsDblClick()
{
    const QListWidgetItem* row = m_albumsPage->Form().lsbRecentlyUsedAlbums->currentItem();
    if (row && OpenAlbum(row->text()))
        GoToAlbumPhotos();
}

void Tfm_MainForm::mm_AlbumDescriptionChange()
{
    SetContentsChanged(true);
}

void Tfm_MainForm::pb_RenameAlbumClick()
{
    if (TBusyGuard::IsBusy())
        return;
    TAlbum* album = Album();
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
        thumbnailsMoved = album->GetPhotos().MoveThumbnails(oldName, newName, &error);
        // A name the thumbnail folder cannot take (too long once "_thumbnails"
        // is added) would part the album from its thumbnails: nothing is renamed.
        if (!thumbnailsMoved && error != 0 && error != EEXIST && RenameNoReplace(newName, oldName)) {
            ShowMessage(RenameFailure(error));
            continue;
        }
        break;
    }
    QListWidget* recent = m_albumsPage->Form().lsbRecentlyUsedAlbums;
    for (int i = 0; i < recent->count(); ++i) {
        if (recent->item(i)->text() == oldName)
            recent->item(i)->setText(newName);
    }
    m_albumsPage->SaveRecentAlbums(*m_ini);
    album->SetFileName(newName);
    if (TThumbnailsTab* thumbnails = m_photosPage->ThumbnailsTab()) {
        thumbnails->UpdateThumbnailControls();
        if (thumbnailsMoved && thumbnails->ThumbWindow()->isVisible())
            thumbnails->ThumbWindow()->BuildGrid();
    }
    m_albumsPage->Form().eb_AlbumName->setText(newName);
    SetAlbumCaption(Paths::ExtractFileName(newName));
    // The folder's album list would otherwise offer the old name, which no longer opens.
    Ui::TabAlbums& a = m_albumsPage->Form();
    if (Paths::SameFile(Paths::IncludeTrailingSeparator(a.stvAlbumFolders->Folder()), album->GetFolder()))
        TAlbumsPage::ListAlbumFiles(a.stvAlbumFolders->Folder(), a.lsbAlbumFiles);
}

int Tfm_MainForm::SelectedRecentRow()
{
    const int row = m_albumsPage->Form().lsbRecentlyUsedAlbums->currentRow();
    if (row < 0) {
        const TLanguageSelector& t = *Language();
        ShowMessageBox(t.MF[22], t.MF[23], MessageBoxFlags::IconWarning);
    }
    return row;
}

void Tfm_MainForm::SelectRecentRowAfterRemoval(int row)
{
    QListWidget* recent = m_albumsPage->Form().lsbRecentlyUsedAlbums;
    if (recent->count() == 0)
        recent->setCurrentRow(-1);
    else
        recent->setCurrentRow(qMin(row, recent->count() - 1));
}

void Tfm_MainForm::pb_RemoveAlbumFromListClick()
{
    QListWidget* recent = m_albumsPage->Form().lsbRecentlyUsedAlbums;
    const int row = SelectedRecentRow();
    if (row < 0)
        return;
    const TLanguageSelector& t = *Language();
    if (Album() && Paths::SameFile(recent->item(row)->text(), Album()->GetFileName())
        && ShowMessageBox(t.MF[24], t.MF[25], MessageBoxFlags::YesNo | MessageBoxFlags::IconWarning) != MessageResult::Yes)
        return;
    std::unique_ptr<QListWidgetItem>(recent->takeItem(row));
    m_albumsPage->SaveRecentAlbums(*m_ini);
    SelectRecentRowAfterRemoval(row);
}

void Tfm_MainForm::pb_RemoveAlbumFromDiscClick()
{
    if (TBusyGuard::IsBusy())
        return;
    QListWidget* recent = m_albumsPage->Form().lsbRecentlyUsedAlbums;
    const int row = SelectedRecentRow();
    if (row < 0)
        return;
    const TLanguageSelector& t = *Language();
    const QString fileName = recent->item(row)->text();
    // The open album stays on disc: its question promises so, and saving it
    // later would only write it again.
    if (Album() && Paths::SameFile(fileName, Album()->GetFileName())) {
        if (ShowMessageBox(t.MF[24], t.MF[25], MessageBoxFlags::YesNo | MessageBoxFlags::IconWarning) != MessageResult::Yes)
            return;
        std::unique_ptr<QListWidgetItem>(recent->takeItem(row));
        m_albumsPage->SaveRecentAlbums(*m_ini);
        SelectRecentRowAfterRemoval(row);
        return;
    }
    if (ShowMessageBox(t.MF[26], t.MF[27], MessageBoxFlags::YesNo | MessageBoxFlags::IconWarning) != MessageResult::Yes)
        return;
    if (QFileInfo::exists(fileName) && !QFile::remove(fileName)) {
        ShowMessageBox(fileName, t.MF[60], MessageBoxFlags::IconWarning);
        return;
    }
    std::unique_ptr<QListWidgetItem>(recent->takeItem(row));
    m_albumsPage->SaveRecentAlbums(*m_ini);

    const QString thumbnails = Paths::ChangeFileExt(fileName, QString()) + QStringLiteral("_thumbnails");
    const QFileInfo thumbnailInfo(thumbnails);
    if (thumbnailInfo.isSymLink()) {
        // Only the link belongs to the album; what it points to stays.
        QFile::remove(thumbnails);
    } else if (thumbnailInfo.isDir()) {
        TBusyGuard busy;
        Tfm_StatusWindow status;
        status.SetSubject(t.MF[28]);
        if (DeleteFolderContents(thumbnails, true, &status) && QFileInfo(thumbnails).isDir())
            QDir().rmdir(thumbnails);
    }
    SelectRecentRowAfterRemoval(row);
}

void Tfm_MainForm::pb_CreateHTMLClick()
{
    // A running export reads the albums it was given.
    if (TBusyGuard::IsBusy() || !Album())
        return;
    if (ContentsChanged()) {
        const TLanguageSelector& t = *Language();
        const int answer = ShowMessageBox(t.MF[14], t.MF[15], MessageBoxFlags::YesNoCancel);
        if (answer == MessageResult::Cancel)
            return;
        if (answer == MessageResult::Yes
            && (ShowMessageBox(t.MF[16], t.MF[17], MessageBoxFlags::IconWarning | MessageBoxFlags::YesNo)
                    != MessageResult::Yes
                || !SaveCurrentAlbum()))
            return;
    }
    pc_Album()->setCurrentWidget(m_htmlPage);
    m_htmlPage->ExportAlbum(Album()->GetFileName());
}

void Tfm_MainForm::pb_OpenAlbumForHTMLCreationClick()
{
    const QListWidgetItem* row = m_albumsPage->Form().lsbRecentlyUsedAlbums->currentItem();
    if (!row || !OpenAlbum(row->text()) || !Album())
        return;
    pc_Album()->setCurrentWidget(m_htmlPage);
    m_htmlPage->AddHTMLAlbum(Album()->GetFileName());
    m_htmlPage->ShowDetailsStep();
}
