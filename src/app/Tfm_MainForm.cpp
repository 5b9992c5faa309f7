#include "app/Tfm_MainForm.h"

#include "app/AlbumPhotoList.h"
#include "app/AlbumsPage.h"
#include "app/EventsPage.h"
#include "app/FileTypeRegistration.h"
#include "app/FolderTree.h"
#include "app/HelpPage.h"
#include "app/HtmlPage.h"
#include "app/ObjectsPage.h"
#include "app/PhotoFileList.h"
#include "app/PageControl.h"
#include "app/PhotoInfoPanel.h"
#include "app/PhotosFromFolders.h"
#include "app/PhotosPage.h"
#include "app/ProgramIcon.h"
#include "app/SearchPage.h"
#include "app/Tfm_LanguageWindow.h"
#include "common/BusyGuard.h"
#include "common/DialogService.h"
#include "common/SettingsFile.h"
#include "imaging/FreeImageBinding.h"
#include "language/LanguageSelector.h"
#include "language/LanguageSettling.h"
#include "model/Album.h"
#include "platform/AppFolders.h"
#include "platform/FileRoutines.h"
#include "platform/IniFile.h"
#include "platform/Paths.h"
#include "platform/TextUtil.h"
#include "platform/VersionInfo.h"
#include "ui_TabAlbums.h"
#include "ui_TabHTML.h"
#include "ui_TabHelp.h"
#include "ui_TabPhotos.h"
#include "ui_Tfm_MainForm.h"
#include "viewers/PhotoWindowList.h"
#include "viewers/Tfm_PhotoWindow.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QScreen>
#include <QTableWidget>

namespace {

const QString UserPathsSection = QStringLiteral("UserPaths");

} // namespace

Tfm_MainForm::Tfm_MainForm(const QStringList& arguments, QWidget* parent)
    : QMainWindow(parent)
    , ui(std::make_unique<Ui::Tfm_MainForm>())
{
    ui->setupUi(this);
    BuildPages();
    FormCreate();
    ConstructorBody(arguments);
}

Tfm_MainForm::~Tfm_MainForm()
{
    m_albumsPage->SaveRecentAlbums(*m_ini);
    ClearShowIntroWindow();
    SaveUserPaths();
    m_album.reset();
    FreeImageDeInitialise();
}

TPageControl* Tfm_MainForm::pc_Album() const
{
    return ui->pc_Album;
}

void Tfm_MainForm::BuildPages()
{
    // One class per page; the page widgets carry the sheet names.
    m_albumsPage = new TAlbumsPage;
    m_photosPage = new TPhotosPage;
    m_objectsPage = new TObjectsPage;
    m_eventsPage = new TEventsPage;
    m_searchPage = new TSearchPage;
    m_htmlPage = new THtmlPage;
    m_helpPage = new THelpPage;
    TPageControl* pc = ui->pc_Album;
    pc->addTab(m_albumsPage, QStringLiteral("Albums"));
    pc->addTab(m_photosPage, QStringLiteral("Photos"));
    pc->addTab(m_objectsPage, QStringLiteral("Objects"));
    pc->addTab(m_eventsPage, QStringLiteral("Events"));
    pc->addTab(m_searchPage, QStringLiteral("Search"));
    pc->addTab(m_htmlPage, QStringLiteral("HTML"));
    pc->addTab(m_helpPage, QStringLiteral("Help"));
    pc->Tabs()->SetButtonLook(MainTabImages());
    setWindowIcon(ProgramIcon());
    BuildPhotoTab();
}

void Tfm_MainForm::FormCreate()
{
    RegisterFileType();
    FreeImageInitialise(false);
    m_firstActivate = true;
    m_ini = OpenSettingsFile();

    SettleLanguage(*m_ini, [] {
        Tfm_LanguageWindow window;
        window.exec();
        return window.LangType;
    });
    const TLanguageSelector& t = *Language();

    m_helpPath = AppFolders::ProgramFolder() + t.MF[101];

    ui->pc_Album->setCurrentWidget(m_albumsPage);
    Ui::TabHTML& html = m_htmlPage->Form();
    html.pc_HTMLGeneration->setCurrentWidget(html.ts_HTMLResults);
    html.pc_HTMLOptions->setCurrentWidget(html.ts_HTMLOptions_Regular);

    if (QFileInfo::exists(m_helpPath))
        m_helpPage->LoadHelp(m_helpPath);
    else
        ShowMessage(Text::Format(t.MF[102], { m_helpPath, t.Title }));

    m_firstHTMLVisit = true;
    m_htmlPage->SetQuality(50);
    setAcceptDrops(true);
}

void Tfm_MainForm::ConstructorBody(const QStringList& arguments)
{
    m_album.reset();
    UpdateAlbumControls();
    m_albumsPage->LoadRecentAlbums(*m_ini);

    Ui::TabAlbums& albums = m_albumsPage->Form();
    Ui::TabPhotos& photos = m_photosPage->Form();
    ui->pc_Album->setCurrentWidget(m_albumsPage);
    photos.pc_Photos->setCurrentWidget(photos.ts_AvailablePhotos);
    albums.pc_Albums->setCurrentWidget(albums.ts_AvailableAlbums);
    m_htmlPage->Form().pc_HTMLGeneration->setCurrentWidget(m_htmlPage->Form().ts_HTMLResults);
    photos.cb_Width->setCurrentIndex(0);
    photos.cb_Height->setCurrentIndex(0);

    show();
    ShowNoAlbumCaption();
    ClearPhotoPanel();

    resize(800, qMax(height(), 600));
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());

    m_photoPanel->SetPlaceFirstPhotoWindow(true);
    ui->pc_Album->setCurrentWidget(m_albumsPage);

    WireAlbumHandlers();
    connect(ui->pc_Album, &QTabWidget::currentChanged, this, &Tfm_MainForm::pc_AlbumChange);
    connect(m_helpPage->Form().btnChangeLanguage, &QPushButton::clicked, this,
        &Tfm_MainForm::btnChangeLanguageClick);
    OpenCommandLineAlbum(arguments);

    SetContentsChanged(false);
    WireFolderBrowsers();
    ApplyLanguage();
}

void Tfm_MainForm::OpenCommandLineAlbum(const QStringList& arguments)
{
    Ui::TabAlbums& albums = m_albumsPage->Form();
    if (arguments.isEmpty()) {
        if (albums.lsbRecentlyUsedAlbums->count() > 0)
            albums.pc_Albums->setCurrentWidget(albums.ts_RecentlyUsedAlbums);
        return;
    }
    const QString longName = GetLongFileName(arguments.first());
    // The shell hands the album in the case it was written; only ".tvx" counts.
    if (longName.isEmpty() || !Paths::ExtractFileExt(longName).contains(QStringLiteral("tvx")))
        return;
    if (OpenAlbum(Paths::AbsoluteClean(longName)) && m_album) {
        ui->pc_Album->setCurrentWidget(m_photosPage);
        m_photosPage->Form().pc_Photos->setCurrentWidget(m_photosPage->Form().ts_PhotosInAlbum);
    }
}

void Tfm_MainForm::WireFolderBrowsers()
{
    Ui::TabAlbums& albums = m_albumsPage->Form();
    Ui::TabHTML& html = m_htmlPage->Form();
    const std::pair<TFolderTree*, QListWidget*> pairs[] = {
        { albums.stvAlbumFolders, albums.lsbAlbumFiles },
        { albums.stvSearchAlbums, albums.lb_FoundAlbums },
        { albums.stvImportAlbums, albums.lsbImportalbums },
        { html.stvFoldersForHTML, html.lsbAlbumsForHTML },
    };
    for (const auto& [tree, list] : pairs) {
        connect(tree, &TFolderTree::FolderChanged, this,
            [list](const QString& folder) { TAlbumsPage::ListAlbumFiles(folder, list); });
    }
    const QString folder
        = m_ini->ReadString(UserPathsSection, QStringLiteral("stvAlbumFolders"), QDir::homePath());
    if (QFileInfo(folder).isDir() && albums.stvAlbumFolders->SetFolder(folder))
        TAlbumsPage::ListAlbumFiles(albums.stvAlbumFolders->Folder(), albums.lsbAlbumFiles);
}

void Tfm_MainForm::SaveUserPaths()
{
    Ui::TabAlbums& albums = m_albumsPage->Form();
    const std::pair<const char*, TFolderTree*> trees[] = {
        { "stvAlbumFolders", albums.stvAlbumFolders },
        { "stvSearchAlbums", albums.stvSearchAlbums },
        { "stvImportAlbums", albums.stvImportAlbums },
        { "stvPhotoFolders", m_photosPage->Form().stvPhotoFolders },
        { "stvFoldersForHTML", m_htmlPage->Form().stvFoldersForHTML },
    };
    m_ini->BeginUpdate();
    for (const auto& [key, tree] : trees)
        m_ini->WriteString(UserPathsSection, QString::fromLatin1(key), tree->Folder());
    m_ini->EndUpdate();
}

void Tfm_MainForm::FormActivate()
{
    const TVersionInfo version;
    m_helpPage->Form().lblVersion->setText(QStringLiteral("2005 - ") + version.FileVersion);
    ApplyLanguage();
    if (m_firstActivate) {
        resize(800, height());
        m_firstActivate = false;
    }
}

void Tfm_MainForm::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
    QMainWindow::changeEvent(event);
}

void Tfm_MainForm::ApplyLanguage()
{
    const TLanguageSelector& t = *Language();
    TPageControl* pc = ui->pc_Album;
    const std::pair<QWidget*, int> pages[] = {
        { m_albumsPage, 128 },
        { m_photosPage, 202 },
        { m_objectsPage, 274 },
        { m_eventsPage, 281 },
        { m_searchPage, 288 },
        { m_htmlPage, 307 },
        { m_helpPage, 386 },
    };
    m_albumsPage->ApplyLanguage(t);
    m_photosPage->ApplyLanguage(t);
    m_photoPanel->ApplyLanguage(t);
    m_photoList->ApplyLanguage(t);
    m_photosFromFolders->ApplyLanguage(t);
    m_objectsPage->ApplyLanguage(t);
    m_eventsPage->ApplyLanguage(t);
    m_searchPage->ApplyLanguage(t);
    m_htmlPage->ApplyLanguage(t);
    m_helpPage->ApplyLanguage(t);
    // The tab headers are drawn with two blanks after the text.
    for (const auto& [page, text] : pages)
        pc->setTabText(pc->indexOf(page), t.MF[text] + QStringLiteral("  "));
    m_htmlPage->UpdateSizeCaption(t);
}

void Tfm_MainForm::SetAlbumCaption(const QString& name)
{
    setWindowTitle(
        Language()->Title + QStringLiteral(" (") + VersionInfo.FileVersion + QStringLiteral(") - ") + name);
}

void Tfm_MainForm::ShowNoAlbumCaption()
{
    SetAlbumCaption(Language()->MF[103]);
}

void Tfm_MainForm::UpdateAlbumControls()
{
    const bool open = m_album != nullptr;
    Ui::TabAlbums& albums = m_albumsPage->Form();
    albums.pb_CloseAlbum->setEnabled(open);
    albums.pb_SaveAlbum->setEnabled(open);
    albums.pb_CreateHTML->setEnabled(open);
    albums.pb_RenameAlbum->setEnabled(open);
    albums.pc_Albums->setTabVisible(albums.pc_Albums->indexOf(albums.ts_ImportAlbums), open);
    TPageControl* pc = ui->pc_Album;
    for (QWidget* page : { static_cast<QWidget*>(m_photosPage), static_cast<QWidget*>(m_objectsPage),
             static_cast<QWidget*>(m_eventsPage), static_cast<QWidget*>(m_searchPage) })
        pc->setTabVisible(pc->indexOf(page), open);
    albums.pc_Albums->update();
}

void Tfm_MainForm::RefreshAlbumLists()
{
    if (!m_album) {
        m_photosPage->SetAlbumPhotos({});
        return;
    }
    m_photoList->ListAlbumPhotos(PF_AllPhotos);
    m_photoList->UpdateFilterMenu();
}

QChar Tfm_MainForm::GetAlbumDriveLetter() const
{
    return m_album ? m_album->GetDriveLetter() : QChar(u' ');
}

void Tfm_MainForm::ClearShowIntroWindow()
{
    m_ini->WriteBool(QStringLiteral("Intro Window"), QStringLiteral("Show"), false);
}

void Tfm_MainForm::closeEvent(QCloseEvent* event)
{
    // A long operation pumps events under this window; it must finish first.
    if (TBusyGuard::IsBusy()) {
        event->ignore();
        return;
    }
    if (m_contentsChanged && !CloseCurrentAlbum()) {
        event->ignore();
        return;
    }
    event->accept();
}

void Tfm_MainForm::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void Tfm_MainForm::dropEvent(QDropEvent* event)
{
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            paths << url.toLocalFile();
    }
    event->acceptProposedAction();
    DropFiles(paths);
}

int Tfm_MainForm::DropFiles(const QStringList& paths)
{
    // A long operation pumping events may be using or replacing the album.
    if (!m_album || paths.isEmpty() || TBusyGuard::IsBusy())
        return 0;
    const QStringList extensions = PhotoFiles::GetImageExtensions();
    Ui::TabPhotos& photos = m_photosPage->Form();
    ui->pc_Album->setCurrentWidget(m_photosPage);
    photos.pc_Photos->setCurrentWidget(photos.ts_PhotosInAlbum);
    photos.lb_PhotosInAlbum->clearSelection();
    int count = 0;
    for (const QString& path : paths) {
        const QString ext = Text::AsciiLower(Paths::ExtractFileExt(path).mid(1));
        if (extensions.contains(ext) && AddPhotoToAlbum(Paths::AbsoluteClean(path), -1))
            ++count;
    }
    if (count > 0) {
        const TLanguageSelector& t = *Language();
        ShowMessageBox(Text::Format(t.MF[190], { count }), t.MF[191], 64);
    }
    return count;
}

void Tfm_MainForm::ChangeLanguage()
{
    Tfm_LanguageWindow window(this);
    window.setWindowModality(Qt::WindowModal);
    window.LangType = CurrentLangType;
    window.exec();
    const TLangType chosen = window.LangType;
    if (chosen == CurrentLangType) {
        ShowMessage(Language()->MF[105]);
    } else {
        // The note is shown in the chosen language, so the user can read it.
        const std::unique_ptr<TLanguageSelector> chosenTexts = CreateLanguage(chosen);
        ShowMessage(chosenTexts->MF[104]);
    }
    m_ini->BeginUpdate();
    m_ini->WriteInteger(LanguageSettings::Section, LanguageSettings::Selected, 1);
    m_ini->WriteInteger(LanguageSettings::Section, LanguageSettings::LanguageID, int(chosen));
    m_ini->EndUpdate();
}

void Tfm_MainForm::btnChangeLanguageClick()
{
    ChangeLanguage();
}

void Tfm_MainForm::pc_AlbumChange()
{
    if (ui->pc_Album->currentWidget() == m_photosPage)
        m_photoPanel->ts_PhotosEnter();
    if (!m_firstHTMLVisit || ui->pc_Album->currentWidget() != m_htmlPage)
        return;
    // The first visit of the web-album tab opens on the saved settings when there are any.
    Ui::TabHTML& html = m_htmlPage->Form();
    const QTableWidgetItem* first
        = html.sgdHTMLSettings->rowCount() > 1 ? html.sgdHTMLSettings->item(1, 0) : nullptr;
    html.pc_HTMLSTEPS->setCurrentWidget(
        first && !first->text().isEmpty() ? html.ts_LastSavedHTMLSettings : html.ts_HTMLSTEP1);
    m_firstHTMLVisit = false;
}

Tfm_PhotoWindow* Tfm_MainForm::EditPhotoInformation(const QString& photoPath)
{
    Ui::TabPhotos& photos = m_photosPage->Form();
    photos.pc_Photos->setCurrentWidget(photos.ts_PhotosInAlbum);
    QListWidget* list = photos.lb_PhotosInAlbum;
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->text().compare(photoPath, Qt::CaseInsensitive) == 0) {
            list->setCurrentRow(i, QItemSelectionModel::ClearAndSelect);
            break;
        }
    }
    m_photoPanel->ShowSelectedAlbumPhoto(true);
    raise();
    activateWindow();
    m_photoPanel->UpdatePhotoControls();
    m_photoWindow = m_photoPanel->PhotoWindow();
    return m_photoWindow;
}

void Tfm_MainForm::pc_AlbumsChange()
{
    UpdateAlbumControls();
}
