// SPDX-License-Identifier: GPL-2.0-or-later
#include "viewers/FormPhotoList.h"

#include "ui_FormPhotoList.h"

#include "common/BusyGuard.h"
#include "common/DialogService.h"
#include "common/ListSelection.h"
#include "common/Tfm_StatusWindow.h"
#include "language/LanguageSelector.h"
#include "model/Album.h"
#include "model/StreamError.h"
#include "platform/FileCopy.h"
#include "platform/FileRoutines.h"
#include "platform/Paths.h"
#include "viewers/PhotoNavigation.h"
#include "viewers/PhotoWindowList.h"
#include "viewers/SlideShowSettings.h"
#include "viewers/Tfm_PhotoWindow.h"
#include "viewers/Tfm_ThumbNailWindow.h"
#include "viewers/ViewerColours.h"
#include "widgets/ReaderNames.h"
#include "widgets/WidestText.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>

#include <utility>

namespace {

const QColor PanelColour(222, 235, 250);

} // namespace

TFormPhotoList::TFormPhotoList(QWidget* owner, TPhotoWindowList* windowList, IniFile* ini, TAlbum& album)
    : QDialog(owner)
    , ui(std::make_unique<Ui::FormPhotoList>())
    , m_ini(ini)
    , m_album(album)
    , m_windowList(windowList)
{
    ui->setupUi(this);
    PaintLightBackground(ui->PanelButtons, PanelColour);
    // A search may find a hundred thousand photos.
    new TUniformRowsDelegate(ui->lb_Photos);
    setWindowModality(Qt::WindowModal);

    m_tempFolder = TThumbnailCache::TemporaryFolder(m_album.GetFolder(), QDateTime::currentDateTime());
    m_madeTempFolder = !QFileInfo::exists(m_tempFolder) && QDir().mkpath(m_tempFolder);
    m_slideShowSettings = std::make_unique<TSlideShowSettings>(ini);
    m_slideShowSettings->LoadFromIni();
    m_thumbnailWindow = std::make_unique<Tfm_ThumbNailWindow>(nullptr, windowList, ini, *m_slideShowSettings);
    m_thumbnailWindow->HideEditMenu();

    resize(402, 330);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    // A click shows the photo, and so does Enter. A double click is a click,
    // then an activation and a second click: it shows the photo once.
    m_listViewport = ui->lb_Photos->viewport();
    m_listViewport->installEventFilter(this);
    connect(ui->lb_Photos, &QListWidget::itemClicked, this, [this] {
        if (!std::exchange(m_doubleClicked, false))
            lb_PhotosClick();
    });
    connect(ui->lb_Photos, &QListWidget::itemActivated, this, [this] {
        if (!m_doubleClicked)
            lb_PhotosClick();
    });
    // A row the keys move to shows its photo as a click does. Ctrl with an
    // arrow moves only the focus, which selects nothing and shows nothing.
    m_list = ui->lb_Photos;
    m_list->installEventFilter(this);
    connect(ui->lb_Photos, &QListWidget::currentRowChanged, this, [this](int row) {
        if (std::exchange(m_keyPressed, false) && !m_navigating && row >= 0
            && ui->lb_Photos->item(row)->isSelected())
            lb_PhotosClick();
    });
    connect(ui->ButtonShowThumbnailsAlbum, &QPushButton::clicked, this,
        &TFormPhotoList::ButtonShowThumbnailsAlbumClick);
    connect(
        ui->ButtonShowThumbnails, &QPushButton::clicked, this, &TFormPhotoList::ButtonShowThumbnailsClick);
    connect(ui->ButtonCopyToOtherLocation, &QPushButton::clicked, this,
        &TFormPhotoList::ButtonCopyToOtherLocationClick);
    connect(ui->ButtonClose, &QPushButton::clicked, this, &TFormPhotoList::ButtonCloseClick);
    ApplyLanguage();
}

TFormPhotoList::TFormPhotoList(QWidget* owner, TPhotoWindowList* windowList, IniFile* ini, TAlbum& album,
    const QStringList& photos, TNewAlbumQuestion question)
    : TFormPhotoList(owner, windowList, ini, album)
{
    m_question = question;
    SetPhotos(photos);
}

TFormPhotoList::~TFormPhotoList()
{
    // The thumbnail window and its slide show let go of the temporary album first.
    m_thumbnailWindow.reset();
    m_tempAlbum.reset();
    if (m_madeTempFolder)
        TThumbnailCache::RemoveFolder(m_tempFolder, nullptr);
}

void TFormPhotoList::SetPhotos(const QStringList& paths)
{
    m_keyPressed = false;
    ui->lb_Photos->clear();
    ui->lb_Photos->addItems(paths);
}

void TFormPhotoList::ApplyLanguage()
{
    const TLanguageSelector& t = *Language();
    ui->ButtonShowThumbnailsAlbum->setText(t.PLF[2]);
    ui->ButtonShowThumbnails->setText(t.PLF[3]);
    ui->ButtonClose->setText(t.PLF[4]);
    ui->ButtonCopyToOtherLocation->setText(t.PLF[5]);
    ui->LabelHintMultiSelect->setText(t.PLF[6]);
    setWindowTitle(t.PLF[7]);
    SetReaderName(ui->lb_Photos, t.MF[202]);
}

bool TFormPhotoList::eventFilter(QObject* watched, QEvent* event)
{
    // The type first: while the window is torn down its form is gone before the list.
    const QEvent::Type type = event->type();
    if ((type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick)
        && watched == m_listViewport) {
        m_doubleClicked = type == QEvent::MouseButtonDblClick;
        // Ctrl or Shift held for a click: the click shows the photo, not the key.
        m_keyPressed = false;
    }
    if (type == QEvent::KeyPress && watched == m_list)
        m_keyPressed = true;
    else if ((type == QEvent::KeyRelease || type == QEvent::FocusOut) && watched == m_list)
        m_keyPressed = false;
    return QDialog::eventFilter(watched, event);
}

void TFormPhotoList::done(int result)
{
    // The work in progress runs on this window's stack.
    if (m_working)
        return;
    QDialog::done(result);
}

void TFormPhotoList::SetWorking(bool working)
{
    m_working = working;
    ui->lb_Photos->setEnabled(!working);
    ui->PanelButtons->setEnabled(!working);
}

Tfm_PhotoWindow* TFormPhotoList::LastPhotoWindow() const
{
    return m_lastPhotoWindow;
}

Tfm_PhotoWindow* TFormPhotoList::GetPhotoWindow()
{
    if (!m_windowList)
        return nullptr;
    return m_windowList->GetPhotoWindow(m_navigating, m_ini,
        TPhotoNavigation::Of(this, &TFormPhotoList::ShowPrevious, &TFormPhotoList::ShowNext,
            &TFormPhotoList::ShowFirst, &TFormPhotoList::ShowLast));
}

void TFormPhotoList::lb_PhotosClick()
{
    QListWidget* list = ui->lb_Photos;
    const int row = list->currentRow();
    if (row < 0 || list->count() == 0)
        return;
    ui->ButtonCopyToOtherLocation->setEnabled(true);
    const QString path = list->item(row)->text();
    m_lastPhotoWindow = GetPhotoWindow();
    if (PhotoFileExists(path)) {
        if (m_lastPhotoWindow) {
            TWaitCursor wait(*this);
            if (!m_lastPhotoWindow->ShowPhoto(path, row, list->count()))
                m_lastPhotoWindow->hide();
        }
    } else {
        if (m_lastPhotoWindow)
            m_lastPhotoWindow->hide();
        const TLanguageSelector& t = *Language();
        ShowMessageBox(t.PLF[8], t.PLF[9], MessageBoxFlags::IconWarning);
    }
}

template <class Select> void TFormPhotoList::Navigate(Select select)
{
    // A long operation pumping events keeps the list as it is.
    if (m_working)
        return;
    const bool wasNavigating = m_navigating;
    m_navigating = true;
    if (select(ui->lb_Photos))
        lb_PhotosClick();
    m_navigating = wasNavigating;
}

void TFormPhotoList::ShowPrevious(QObject*)
{
    Navigate(ListBoxSelectPrevious);
}

void TFormPhotoList::ShowNext(QObject*)
{
    Navigate(ListBoxSelectNext);
}

void TFormPhotoList::ShowFirst(QObject*)
{
    Navigate(ListBoxSelectFirst);
}

void TFormPhotoList::ShowLast(QObject*)
{
    Navigate(ListBoxSelectLast);
}

void TFormPhotoList::CopyFoundPhotosTo(TAlbum& target) const
{
    // The clones the target does not take (paths it holds already) are freed with the list.
    TPhotoList found;
    const TPhotoList& photos = m_album.GetPhotos();
    for (int i = 0; i < photos.Count(); ++i) {
        const TPhoto* photo = photos.PhotoAt(i);
        if (photo->GetFound())
            found.Add(photo->Clone());
    }
    target.MergeObjects(&m_album.GetObjects(), &found);
    target.MergeEvents(&m_album.GetEvents(), &found);
    target.AddPhotos(&found);
    target.SetThumbWidth(m_album.GetThumbWidth());
    target.SetThumbHeight(m_album.GetThumbHeight());
}

void TFormPhotoList::ButtonShowThumbnailsAlbumClick()
{
    if (m_working)
        return;
    const TLanguageSelector& t = *Language();
    TFileDialogOptions options;
    options.DefaultExt = QStringLiteral("tvx");
    options.FileMustExist = false;
    options.OverwritePrompt = true;
    QString fileName;
    for (;;) {
        fileName = Dialogs().SaveFileDialog(options);
        if (fileName.isEmpty())
            return;
        if (!Paths::SameFile(fileName, m_album.GetFileName()))
            break;
        ShowMessage(t.PLF[0]);
        options.FileName = fileName;
    }

    {
        TWaitCursor wait(*this);
        TAlbum album(fileName);
        CopyFoundPhotosTo(album);
        try {
            album.SaveToFile();
        } catch (const std::exception& e) {
            ShowMessageBox(ExceptionMessage(e), t.Title, MessageBoxFlags::IconError);
            return;
        }
    }

    if (m_question == TNewAlbumQuestion::Skip)
        return;
    if (MessageDlg(t.PLF[1], TDialogButtons::YesNo) == MessageResult::Yes) {
        m_newAlbumFile = fileName;
        accept();
    }
}

void TFormPhotoList::ButtonShowThumbnailsClick()
{
    if (m_working)
        return;
    const TLanguageSelector& t = *Language();
    auto album = std::make_unique<TAlbum>(TThumbnailCache::TemporaryAlbumFileName(m_tempFolder));
    CopyFoundPhotosTo(*album);
    bool ready = false;
    {
        TBusyGuard busy;
        if (!busy)
            return;
        SetWorking(true);
        TWaitCursor wait(*this);
        Tfm_StatusWindow status;
        status.ShowCentered();
        QCoreApplication::processEvents();
        ready = m_tempThumbnailsMade && album->LoadThumbnailIndex() != 0;
        if (!ready) {
            try {
                // Only a whole set is shown here and kept for the next click.
                ready = album->CreateThumbnails(&status) && !status.IsCancelled();
            } catch (const std::exception& e) {
                // Not under the progress window, which stays on top.
                status.hide();
                ShowMessageBox(ExceptionMessage(e), t.Title, MessageBoxFlags::IconError);
            }
            // Part of a set would pass for all of it at the next click.
            if (!ready)
                album->RemoveThumbnails(nullptr);
        }
        m_tempThumbnailsMade = ready;
        // The modal thumbnail window must not open under the progress window.
        status.hide();
        SetWorking(false);
    }
    if (!ready)
        return;
    m_thumbnailWindow->SetAlbum(album.get());
    m_tempAlbum = std::move(album);
    m_thumbnailWindow->BuildGrid();
    m_thumbnailWindow->HideEditMenu();
    m_thumbnailWindow->ShowModal(this);
}

void TFormPhotoList::ButtonCopyToOtherLocationClick()
{
    if (m_working)
        return;
    const QString folder = Dialogs().SelectFolder(QString(), m_lastCopyFolder);
    if (folder.isEmpty())
        return;
    TBusyGuard busy;
    if (!busy)
        return;
    const TLanguageSelector& t = *Language();
    QListWidget* list = ui->lb_Photos;
    {
        SetWorking(true);
        TWaitCursor wait(*this);
        Tfm_StatusWindow status;
        status.ShowCentered();
        status.SetRange(0, int(list->selectedItems().size()));
        status.SetSubject(t.PLF[10]);
        status.ShowStatus();
        m_lastCopyFolder = Paths::IncludeTrailingSeparator(folder);
        for (int row = 0; row < list->count(); ++row) {
            const QListWidgetItem* item = list->item(row);
            if (item->isSelected()) {
                const QString source = item->text();
                const QString target = m_lastCopyFolder + Paths::ExtractFileName(source);
                status.SetObject(source);
                status.StepIt();
                status.ProcessEvents();
                // A photo copied into its own folder is already there; a failed copy is not reported.
                if (!Paths::SameFile(source, target))
                    CopyFileReplacing(source, target);
            }
            if (status.IsCancelled())
                break;
        }
        SetWorking(false);
    }
    ShowMessage(t.PLF[11]);
}

void TFormPhotoList::ButtonCloseClick()
{
    close();
}
