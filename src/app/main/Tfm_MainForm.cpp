// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/main/Tfm_MainForm.h"

#include "app/albums/AlbumsPage.h"
#include "app/help/HelpPage.h"
#include "app/html/HtmlPage.h"
#include "app/labels/LabelPage.h"
#include "app/photos/PhotosPage.h"
#include "app/search/SearchPage.h"
#include "app/shared/AlbumActions.h"
#include "app/shared/AlbumSession.h"
#include "app/shared/ProgramIcon.h"
#include "app/shared/Tfm_LanguageWindow.h"
#include "common/BusyGuard.h"
#include "common/DialogService.h"
#include "common/FileTypeRegistration.h"
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
#include "ui_Tfm_MainForm.h"
#include "viewers/PhotoWindowList.h"
#include "widgets/FolderTree.h"
#include "widgets/ListDrawing.h"
#include "widgets/PageControl.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QScreen>
#include <QStyle>

Tfm_MainForm::Tfm_MainForm(const QStringList& arguments, QWidget* parent)
    : QMainWindow(parent)
    , ui(std::make_unique<Ui::Tfm_MainForm>())
{
    const TSharedFolderReading reading;
    ui->setupUi(this);
    BuildPages();
    FormCreate();
    PlacePages();
    ConstructorBody(arguments);
}

Tfm_MainForm::~Tfm_MainForm()
{
    m_albumsPage->SaveRecentAlbums();
    m_photosPage->SaveSlideShowSettings();
    ClearShowIntroWindow();
    m_htmlPage->SaveGeneratedViewers();
    SaveUserPaths();
    // The album is freed unsaved; pages and windows let go of it first.
    m_session->Close();
    FreeImageDeInitialise();
}

TPageControl* Tfm_MainForm::pc_Album() const
{
    return ui->pc_Album;
}

bool Tfm_MainForm::ContentsChanged() const
{
    return m_session->ContentsChanged();
}

void Tfm_MainForm::SetContentsChanged(bool changed)
{
    m_session->SetContentsChanged(changed);
}

TAlbum* Tfm_MainForm::Album() const
{
    return m_session->Album();
}

void Tfm_MainForm::BuildPages()
{
    // The window's own reaction comes first: the album tabs must be visible
    // before the pages fill them.
    m_photoWindows = std::make_unique<TPhotoWindowList>();
    m_session = new TAlbumSession(this);
    m_actions = new TAlbumActions(*m_session, this);
    connect(m_session, &TAlbumSession::AlbumOpened, this, &Tfm_MainForm::AlbumOpened);
    connect(m_session, &TAlbumSession::AlbumClosed, this, &Tfm_MainForm::AlbumClosed);
    connect(m_session, &TAlbumSession::AlbumRenamed, this,
        [this](const TAlbum& album) { SetAlbumCaption(Paths::ExtractFileName(album.GetFileName())); });

    // One class per page; the page widgets carry the sheet names. Each page
    // listens to the album session in this order.
    m_albumsPage = new TAlbumsPage(*m_session, *m_actions);
    m_photosPage = new TPhotosPage(*m_session, *m_actions, *this);
    m_objectsPage = new TLabelPage(TLabelKind::Objects, *m_session, *this);
    m_eventsPage = new TLabelPage(TLabelKind::Events, *m_session, *this);
    m_searchPage = new TSearchPage(*m_session, *m_actions, *this);
    m_htmlPage = new THtmlPage(*m_session, *m_actions, *this);
    m_helpPage = new THelpPage;
    setWindowIcon(ProgramIcon());
}

void Tfm_MainForm::PlacePages()
{
    // A page measures its controls when it is put in its tab. With the
    // language's captions in place first, that one measuring holds for the
    // whole start-up, in Dutch and Spanish as in English.
    const TLanguageSelector& t = *Language();
    ApplyPageLanguage(t);
    TPageControl* pc = ui->pc_Album;
    pc->SetScrollingPages(true);
    for (const auto& [page, text] : TabPages())
        pc->addTab(page, TabCaption(t, text));
    pc->Tabs()->SetButtonLook(MainTabImages());
    // The pages start on their first inner pages themselves.
    pc->setCurrentWidget(m_albumsPage);
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

    m_helpPath = AppFolders::DataFile(t.MF[101]);

    if (QFileInfo::exists(m_helpPath))
        m_helpPage->LoadHelp(m_helpPath);
    else
        ShowMessage(Text::Format(t.MF[102], { m_helpPath, t.Title }));

    m_htmlPage->FillHTMLSettingsGrid();
    m_htmlPage->bt_DefaultBackGroundImageClick();
    m_htmlPage->SetQuality(50);
    setAcceptDrops(true);
}

void Tfm_MainForm::ConstructorBody(const QStringList& arguments)
{
    m_htmlPage->LoadGeneratedViewers();
    UpdateAlbumControls();
    m_htmlPage->UpdatePhotoViewerButtons();
    m_albumsPage->LoadRecentAlbums(*m_ini);

    ui->pc_Album->setCurrentWidget(m_albumsPage);

    show();
    ShowNoAlbumCaption();
    m_photosPage->CreateViewers(*m_ini, *m_photoWindows);

    resize(FittingSize(QSize(800, qMax(height(), 600))));

    ui->pc_Album->setCurrentWidget(m_albumsPage);

    WireAlbumRelays();
    connect(ui->pc_Album, &QTabWidget::currentChanged, this, &Tfm_MainForm::pc_AlbumChange);
    m_helpPage->WireLanguageButton(*m_ini);
    OpenCommandLineAlbum(arguments);

    SetContentsChanged(false);
    WireFolderBrowsers();
    ApplyLanguage();
    // Dutch and Spanish captions may need a little more than 800 pixels: the
    // window takes its width now, not when a page first shows, and is centred
    // at the size it shows with.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    resize(FittingSize(size()));
    if (const QScreen* screen = this->screen()) {
        // Centred, but never with its title bar above or left of the desktop's work area.
        const QRect area = screen->availableGeometry();
        const QRect outer(QPoint(0, 0), size().grownBy(FrameMargins()));
        const QPoint centred = area.center() - outer.center();
        move(qMax(centred.x(), area.left()), qMax(centred.y(), area.top()));
    }
}

QMargins Tfm_MainForm::FrameMargins() const
{
    const QRect outer = frameGeometry();
    const QRect inner = geometry();
    if (outer != inner)
        return QMargins(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom());
    // Until the desktop has framed the window, room for a title bar.
    return QMargins(0, style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this), 0, 0);
}

QSize Tfm_MainForm::FittingSize(QSize wanted) const
{
    // Every page whole where the screen has room; where it has not, the
    // window fits the desktop's work area and the pages scroll.
    const TPageControl* pc = ui->pc_Album;
    wanted = wanted.expandedTo(minimumSizeHint() + pc->UnscrolledMinimumSize() - pc->minimumSizeHint());
    if (const QScreen* screen = this->screen())
        wanted = wanted.boundedTo(screen->availableGeometry().size().shrunkBy(FrameMargins()));
    return wanted.expandedTo(minimumSizeHint());
}

void Tfm_MainForm::OpenCommandLineAlbum(const QStringList& arguments)
{
    if (arguments.isEmpty()) {
        m_albumsPage->ShowRecentAlbumsWhenListed();
        return;
    }
    const QString longName = GetLongFileName(arguments.first());
    // The shell hands the album in the case it was written; only ".tvx" counts.
    if (longName.isEmpty() || !Paths::ExtractFileExt(longName).contains(QStringLiteral("tvx")))
        return;
    if (OpenAlbum(Paths::AbsoluteClean(longName)) && Album()) {
        ui->pc_Album->setCurrentWidget(m_photosPage);
        m_photosPage->ShowAlbumPhotosPage();
    }
}

void Tfm_MainForm::WireAlbumRelays()
{
    connect(m_albumsPage, &TAlbumsPage::AlbumPhotosWanted, this, &Tfm_MainForm::GoToAlbumPhotos);
    connect(m_albumsPage, &TAlbumsPage::NewAlbumCreated, this, &Tfm_MainForm::NewAlbumCreated);
    connect(m_albumsPage, &TAlbumsPage::ExportWanted, this, [this](const QString& fileName) {
        pc_Album()->setCurrentWidget(m_htmlPage);
        m_htmlPage->ExportAlbum(fileName);
    });
    connect(m_albumsPage, &TAlbumsPage::HTMLAlbumWanted, this, [this](const QString& fileName) {
        pc_Album()->setCurrentWidget(m_htmlPage);
        m_htmlPage->AddHTMLAlbum(fileName);
        m_htmlPage->ShowDetailsStep();
    });
    connect(m_albumsPage, &TAlbumsPage::AlbumChosenForHTML, this, [this](const QString& fileName) {
        // An album listed already changes nothing.
        if (!m_htmlPage->AddFoundAlbum(fileName))
            return;
        pc_Album()->setCurrentWidget(m_htmlPage);
        m_htmlPage->ShowAlbumsStep();
    });
    connect(m_searchPage, &TSearchPage::FoundAlbumOpened, this,
        [this] { pc_Album()->setCurrentWidget(m_albumsPage); });
}

void Tfm_MainForm::WireFolderBrowsers()
{
    m_albumsPage->WireFolderBrowsers(*m_ini);
    m_htmlPage->WireFolderBrowser();
}

void Tfm_MainForm::SaveUserPaths()
{
    m_ini->BeginUpdate();
    m_albumsPage->SaveUserPaths(*m_ini);
    m_photosPage->SaveUserPaths(*m_ini);
    m_htmlPage->SaveUserPaths(*m_ini);
    m_ini->EndUpdate();
}

void Tfm_MainForm::FormActivate()
{
    const TVersionInfo version;
    m_helpPage->ShowVersion(version.FileVersion);
    ApplyLanguage();
    if (m_firstActivate) {
        resize(FittingSize(QSize(800, height())));
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
    ApplyPageLanguage(t);
    for (const auto& [page, text] : TabPages())
        pc->setTabText(pc->indexOf(page), TabCaption(t, text));
    m_htmlPage->UpdateSizeCaption(t);
}

std::array<std::pair<QWidget*, int>, 7> Tfm_MainForm::TabPages() const
{
    return { { { m_albumsPage, 128 }, { m_photosPage, 202 }, { m_objectsPage, 274 }, { m_eventsPage, 281 },
        { m_searchPage, 288 }, { m_htmlPage, 307 }, { m_helpPage, 386 } } };
}

QString Tfm_MainForm::TabCaption(const TLanguageSelector& t, int text)
{
    // The tab headers are drawn with two blanks after the text.
    return t.MF[text] + QStringLiteral("  ");
}

void Tfm_MainForm::ApplyPageLanguage(const TLanguageSelector& t)
{
    m_albumsPage->ApplyLanguage(t);
    m_photosPage->ApplyLanguage(t);
    m_objectsPage->ApplyLanguage(t);
    m_eventsPage->ApplyLanguage(t);
    m_searchPage->ApplyLanguage(t);
    m_htmlPage->ApplyLanguage(t);
    m_helpPage->ApplyLanguage(t);
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
    const bool open = Album() != nullptr;
    TPageControl* pc = ui->pc_Album;
    for (QWidget* page : { static_cast<QWidget*>(m_photosPage), static_cast<QWidget*>(m_objectsPage),
             static_cast<QWidget*>(m_eventsPage), static_cast<QWidget*>(m_searchPage) })
        pc->setTabVisible(pc->indexOf(page), open);
}

void Tfm_MainForm::AlbumOpened(TAlbum& album)
{
    UpdateAlbumControls();
    SetAlbumCaption(Paths::ExtractFileName(album.GetFileName()));
}

void Tfm_MainForm::AlbumClosed()
{
    // Until the next album opens the window shows that none is.
    UpdateAlbumControls();
    ShowNoAlbumCaption();
}

void Tfm_MainForm::NewAlbumCreated(const QString& folder)
{
    pc_Album()->setCurrentWidget(m_photosPage);
    m_photosPage->OfferPhotosFrom(folder);
}

bool Tfm_MainForm::OpenAlbum(const QString& fileName)
{
    return m_actions->OpenAlbum(fileName);
}

bool Tfm_MainForm::CloseCurrentAlbum()
{
    return m_actions->CloseCurrentAlbum();
}

bool Tfm_MainForm::SaveCurrentAlbum()
{
    return m_actions->SaveCurrentAlbum();
}

void Tfm_MainForm::GoToAlbumPhotos()
{
    if (!Album())
        return;
    pc_Album()->setCurrentWidget(m_photosPage);
    m_photosPage->EditAlbumPhotos();
}

void Tfm_MainForm::ClearShowIntroWindow()
{
    m_ini->WriteBool(QStringLiteral("Intro Window"), QStringLiteral("Show"), false);
}

void Tfm_MainForm::paintEvent(QPaintEvent* event)
{
    // The window's light blue shows around the pages. Painted here, not by a
    // style sheet: a sheet on the window puts every control of every page
    // through the sheet's style, which made start-up take twice as long.
    QPainter(this).fillRect(event->rect(), ListColours::TabBackground());
}

void Tfm_MainForm::closeEvent(QCloseEvent* event)
{
    // A long operation pumps events under this window; it must finish first.
    if (TBusyGuard::IsBusy()) {
        event->ignore();
        return;
    }
    if (ContentsChanged() && !CloseCurrentAlbum()) {
        event->ignore();
        return;
    }
    event->accept();
    // The program ends with its main window: the photo, thumbnail and
    // slide-show windows have no parent and would otherwise keep it running
    // with nothing behind them.
    m_photosPage->CloseViewerWindows();
    m_photoWindows->CloseAll();
    QCoreApplication::quit();
}

namespace {

// The album only refers to dropped photos: the drop is taken as a copy (or a
// link), never as a move, after which a file manager deletes the originals.
bool AcceptAsCopy(QDropEvent* event)
{
    const Qt::DropActions offered = event->possibleActions();
    if (!event->mimeData()->hasUrls() || !(offered & (Qt::CopyAction | Qt::LinkAction))) {
        event->ignore();
        return false;
    }
    event->setDropAction(offered & Qt::CopyAction ? Qt::CopyAction : Qt::LinkAction);
    event->accept();
    return true;
}

} // namespace

void Tfm_MainForm::dragEnterEvent(QDragEnterEvent* event)
{
    AcceptAsCopy(event);
}

void Tfm_MainForm::dragMoveEvent(QDragMoveEvent* event)
{
    AcceptAsCopy(event);
}

void Tfm_MainForm::dropEvent(QDropEvent* event)
{
    if (!AcceptAsCopy(event))
        return;
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            paths << url.toLocalFile();
    }
    DropFiles(paths);
}

int Tfm_MainForm::DropFiles(const QStringList& paths)
{
    // A long operation pumping events may be using or replacing the album.
    if (!Album() || paths.isEmpty() || TBusyGuard::IsBusy())
        return 0;
    ui->pc_Album->setCurrentWidget(m_photosPage);
    return m_photosPage->AddDroppedFiles(paths);
}

void Tfm_MainForm::pc_AlbumChange()
{
    QWidget* page = ui->pc_Album->currentWidget();
    if (page == m_photosPage)
        m_photosPage->Entered();
    else if (page == m_searchPage)
        m_searchPage->ts_SearchEnter();
    else if (page == m_htmlPage)
        m_htmlPage->Entered();
}
