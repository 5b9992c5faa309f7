// SPDX-License-Identifier: GPL-2.0-or-later
#include "viewers/Tfm_ThumbNailWindow.h"

#include "ui_Tfm_ThumbNailWindow.h"

#include "common/DialogService.h"
#include "language/LanguageSelector.h"
#include "model/Album.h"
#include "model/StreamError.h"
#include "model/ThumbNail.h"
#include "model/ThumbNailInfo.h"
#include "viewers/PhotoNavigation.h"
#include "viewers/PhotoWindowList.h"
#include "viewers/SlideShowSettings.h"
#include "viewers/Tfm_PhotoWindow.h"
#include "viewers/Tfm_SlideShowWindow.h"
#include "viewers/ThumbNailEntries.h"
#include "viewers/ThumbNailGridModel.h"
#include "viewers/ThumbNailHost.h"
#include "widgets/ReaderNames.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>

#include <algorithm>

namespace {

// A frame band of 5 pixels around every thumbnail: the picture is this much
// larger than the thumbnail size on each side.
constexpr int CellMargin = 10;
// Cells painted at once beyond the fully visible rows: a partly visible row
// above and below.
constexpr int ExtraRows = 2;

int PreviousOf(int current, int count)
{
    return current < 0 ? -1 : (current == 0 ? count - 1 : current - 1);
}
int NextOf(int current, int count)
{
    return current < 0 ? -1 : (current == count - 1 ? 0 : current + 1);
}
int FirstOf(int, int)
{
    return 0;
}
int LastOf(int, int count)
{
    return count - 1;
}

} // namespace

Tfm_ThumbNailWindow::Tfm_ThumbNailWindow(TThumbNailHost* host, TPhotoWindowList* windowList, IniFile* ini,
    const TSlideShowSettings& slideShowSettings)
    : QWidget(nullptr, Qt::Window)
    , ui(std::make_unique<Ui::Tfm_ThumbNailWindow>())
    , m_host(host)
    , m_slideShowSettings(slideShowSettings)
    , m_showSettings(std::make_unique<TSlideShowSettings>(slideShowSettings))
    , m_ini(ini)
    , m_cache(1)
    , m_windowList(windowList)
    , m_entries(new TThumbNailEntries(this))
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("fm_ThumbNailWindow"));
    // Lines read late that have no thumbnail leave fewer entries.
    connect(m_entries, &TThumbNailEntries::CountChanged, this, [this] {
        m_grid.SetCount(m_entries->Count());
        GridChanged();
    });

    QTableView* view = ui->sgdThumbnails;
    m_model = new TThumbNailGridModel(*this, *view);
    for (QHeaderView* header : { view->horizontalHeader(), view->verticalHeader() }) {
        header->setMinimumSectionSize(1);
        header->setSectionResizeMode(QHeaderView::Fixed);
    }
    view->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    view->viewport()->installEventFilter(this);
    view->installEventFilter(this);
    connect(view, &QWidget::customContextMenuRequested, this, [this](const QPoint& point) {
        PopupMenuThumbNailPopup(point);
        m_popup->popup(ui->sgdThumbnails->viewport()->mapToGlobal(point));
    });
    // The objects' list only shows them.
    ui->ComboBoxObjects->installEventFilter(this);

    BuildPopupMenu();

    resize(625, 455);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    m_slideShowWindow = std::make_unique<Tfm_SlideShowWindow>(ini);

    const TLanguageSelector& t = *Language();
    setWindowTitle(t.Title + QStringLiteral(" - ") + t.TF[0]);
    ClearPhotoInfo();
    ApplyLanguage();
}

Tfm_ThumbNailWindow::~Tfm_ThumbNailWindow() = default;

QTableView* Tfm_ThumbNailWindow::GridView() const
{
    return ui->sgdThumbnails;
}

Tfm_PhotoWindow* Tfm_ThumbNailWindow::LastPhotoWindow() const
{
    return m_lastPhotoWindow;
}

void Tfm_ThumbNailWindow::BuildPopupMenu()
{
    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("PopupMenuThumbNail"));
    auto item = [this](const char* name, void (Tfm_ThumbNailWindow::*handler)()) {
        QAction* action = m_popup->addAction(QString());
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    auto separator = [this](const char* name) {
        QAction* action = m_popup->addSeparator();
        action->setObjectName(QLatin1String(name));
        return action;
    };
    PopupMenuShowPhoto = item("PopupMenuShowPhoto", &Tfm_ThumbNailWindow::PopupMenuShowPhotoClick);
    PopupMenuEditPhotoInformation
        = item("PopupMenuEditPhotoInformation", &Tfm_ThumbNailWindow::PopupMenuEditPhotoInformationClick);
    N4 = separator("N4");
    PopumMenuRemovePhotoFromAlbum
        = item("PopumMenuRemovePhotoFromAlbum", &Tfm_ThumbNailWindow::PopupMenuRemovePhotoFromAlbumClick);
    N1 = separator("N1");
    PopupMenuStartSlideShow
        = item("PopupMenuStartSlideShow", &Tfm_ThumbNailWindow::PopupMenuStartSlideShowClick);
    N2 = separator("N2");
    PopupMenuToggleInfo = item("PopupMenuToggleInfo", &Tfm_ThumbNailWindow::PopupMenuToggleInfoClick);
    PopupMenuToggleInfo->setCheckable(true);
    PopupMenuToggleInfo->setChecked(true);
}

void Tfm_ThumbNailWindow::ApplyLanguage()
{
    const TLanguageSelector& t = *Language();
    ui->LabelObjects->setText(t.TF[7]);
    ui->LabelDescription->setText(t.TF[8]);
    ui->LabelEvent->setText(t.TF[9]);
    ui->LabelYear->setText(t.TF[10]);
    ui->lblRemark->setText(t.TF[11]);
    PopupMenuShowPhoto->setText(t.TF[12]);
    PopupMenuEditPhotoInformation->setText(t.TF[13]);
    PopumMenuRemovePhotoFromAlbum->setText(t.TF[14]);
    PopupMenuStartSlideShow->setText(t.TF[15]);
    PopupMenuToggleInfo->setText(t.TF[16]);
    SetReaderName(ui->sgdThumbnails, t.TF[0]);
}

void Tfm_ThumbNailWindow::SetAlbum(TAlbum* album)
{
    const bool other = album != m_album;
    m_album = album;
    m_slideShowWindow->SetAlbum(album);
    if (other) {
        // Nothing of the last album stays: its grid waits for BuildGrid.
        m_entries->SetAlbum(album);
        m_cache.clear();
        m_grid.Reset(0, 1, 1, 0);
        m_model->Reset();
        m_currentPhotoPath.clear();
        ClearPhotoInfo();
    }
}

void Tfm_ThumbNailWindow::HideEditMenu()
{
    m_editMenuHidden = true;
    PopupMenuEditPhotoInformation->setVisible(false);
    PopumMenuRemovePhotoFromAlbum->setVisible(false);
    N4->setVisible(false);
}

QString Tfm_ThumbNailWindow::PhotoOfEntry(int entry) const
{
    return m_entries->Photo(entry);
}

bool Tfm_ThumbNailWindow::IndexReadThrough() const
{
    return m_entries->ReadThrough();
}

int Tfm_ThumbNailWindow::GridClientWidth() const
{
    return ui->sgdThumbnails->viewport()->width();
}

void Tfm_ThumbNailWindow::SetCacheSize()
{
    const QWidget* viewport = ui->sgdThumbnails->viewport();
    const int columns = std::max(1, std::min(m_grid.Columns(), viewport->width() / m_grid.ColumnWidth() + 1));
    const int rows = std::max(1, viewport->height() / m_grid.RowHeight()) + ExtraRows;
    m_cache.setMaxCost(std::max(1, columns * rows));
}

void Tfm_ThumbNailWindow::GridChanged()
{
    QTableView* view = ui->sgdThumbnails;
    view->horizontalHeader()->setDefaultSectionSize(m_grid.ColumnWidth());
    view->verticalHeader()->setDefaultSectionSize(m_grid.RowHeight());
    view->verticalScrollBar()->setSingleStep(std::max(1, m_grid.RowHeight() / 4));
    m_model->Reset();
    SetCacheSize();
}

void Tfm_ThumbNailWindow::BuildGrid()
{
    m_cache.clear();
    if (!m_album) {
        m_grid.Reset(0, 1, 1, 0);
        m_model->Reset();
        return;
    }
    m_entries->Read();
    m_grid.Reset(m_entries->Count(), m_entries->ThumbWidth() + CellMargin,
        m_entries->ThumbHeight() + CellMargin, GridClientWidth());
    GridChanged();
}

void Tfm_ThumbNailWindow::Relayout()
{
    if (!m_album || m_grid.Count() == 0)
        return;
    if (m_entries->Changed()) {
        BuildGrid();
        return;
    }
    const int columns = m_grid.Columns();
    m_grid.Relayout(GridClientWidth());
    if (m_grid.Columns() != columns)
        GridChanged();
    else
        SetCacheSize();
}

void Tfm_ThumbNailWindow::PaintCell(QPainter& painter, const QRect& rect, int column, int row)
{
    if (!m_album)
        return;
    const int k = m_grid.EntryAt(column, row);
    if (k < 0) {
        painter.fillRect(rect, ui->sgdThumbnails->palette().color(QPalette::Base));
        return;
    }
    // The index is read up to the cell, as far as it is not yet.
    const QString jpeg = m_entries->Thumbnail(k);
    if (jpeg.isEmpty())
        return;
    TThumbNail* thumbnail = m_cache.object(jpeg);
    if (!thumbnail) {
        auto made = std::make_unique<TThumbNail>();
        TThumbNailInfo size;
        size.SetWidth(rect.width());
        size.SetHeight(rect.height());
        if (!made->BuildFromJpeg(size, jpeg))
            return;
        made->SetJpegFileName(jpeg);
        made->GetImage()->SetFileName(PhotoOfEntry(k));
        thumbnail = made.get();
        ++m_decoded;
        if (!m_cache.insert(jpeg, made.release()))
            return;
    }
    TThumbNailImage* image = thumbnail->GetImage();
    const bool selected = m_grid.IsSelected(k);
    if (image->IsSelected() != selected) {
        if (selected)
            image->Select();
        else
            image->Deselect();
    }
    painter.drawImage(rect.topLeft(), image->Picture());
}

void Tfm_ThumbNailWindow::DeselectAll()
{
    m_grid.DeselectAll();
    ui->sgdThumbnails->viewport()->update();
}

int Tfm_ThumbNailWindow::CountSelected()
{
    TWaitCursor wait(*this);
    return m_grid.CountSelected();
}

void Tfm_ThumbNailWindow::sgdThumbnailsMouseDown(
    Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int column, int row)
{
    m_currentColumn = column;
    m_currentRow = row;
    const bool ctrlOrShift = modifiers & (Qt::ControlModifier | Qt::ShiftModifier);
    const int k = m_grid.MouseDown(column, row, button == Qt::RightButton, ctrlOrShift, m_doubleClicked);
    if (k < 0)
        return;
    ui->sgdThumbnails->viewport()->update();
    if (m_entries->Reach(k))
        m_currentPhotoPath = m_entries->Photo(k);
    ShowPhotoInfo(m_currentPhotoPath);
}

void Tfm_ThumbNailWindow::sgdThumbnailsDblClick()
{
    m_doubleClicked = true;
    m_currentPhotoPath = PhotoOfEntry(m_grid.EntryAt(m_currentColumn, m_currentRow));
    if (!m_currentPhotoPath.isEmpty())
        ShowCurrentPhoto();
}

void Tfm_ThumbNailWindow::PopupMenuThumbNailPopup(const QPoint& point)
{
    // An index changed on disk is followed before the cell under the point counts.
    if (m_entries->Changed())
        BuildGrid();
    QTableView* view = ui->sgdThumbnails;
    const int column = view->columnAt(point.x());
    const int row = view->rowAt(point.y());
    if (column >= 0 && row >= 0)
        sgdThumbnailsMouseDown(Qt::RightButton, Qt::NoModifier, column, row);
    const bool photo = !m_currentPhotoPath.isEmpty();
    PopupMenuShowPhoto->setEnabled(photo);
    // Editing a photo the album does not hold would edit whichever photo the
    // album's list had chosen before.
    PopupMenuEditPhotoInformation->setEnabled(
        photo && m_album && m_album->GetPhotos().IndexOfName(m_currentPhotoPath) >= 0);
    PopumMenuRemovePhotoFromAlbum->setEnabled(photo);
    PopupMenuStartSlideShow->setEnabled(m_album && m_entries->Reach(0));
}

void Tfm_ThumbNailWindow::ShowPhotoInfo(const QString& photoPath)
{
    const int index = m_album ? m_album->GetPhotos().IndexOfName(photoPath) : -1;
    if (index >= 0) {
        const TPhoto* photo = m_album->GetPhotos().PhotoAt(index);
        ui->EditYear->setEnabled(true);
        ui->EditYear->setText(photo->GetYear());
        ui->EditEvent->setEnabled(true);
        ui->EditEvent->setText(m_album->EventNameById(photo->GetEventId()));
        ui->ComboBoxObjects->setEnabled(true);
        ui->ComboBoxObjects->clear();
        for (int i = 0; i < photo->GetObjectIds().Count(); ++i)
            ui->ComboBoxObjects->addItem(m_album->ObjectNameById(photo->GetObjectIds().ValueAt(i)));
        ui->ComboBoxObjects->setCurrentIndex(ui->ComboBoxObjects->count() > 0 ? 0 : -1);
        ui->MemoDescription->setEnabled(true);
        ui->MemoDescription->setPlainText(photo->GetDescription());
    } else {
        // The information of the photo clicked before belongs to that photo only.
        ClearPhotoInfo();
    }
    if (isVisible()) {
        activateWindow();
        ui->sgdThumbnails->setFocus();
    }
}

void Tfm_ThumbNailWindow::ClearPhotoInfo()
{
    ui->ComboBoxObjects->clear();
    ui->EditEvent->clear();
    ui->EditYear->clear();
    ui->MemoDescription->clear();
    for (QWidget* control : std::initializer_list<QWidget*> {
             ui->ComboBoxObjects, ui->EditEvent, ui->EditYear, ui->MemoDescription })
        control->setEnabled(false);
}

void Tfm_ThumbNailWindow::ShowModal(QWidget* owner)
{
    // Modal to its owner's windows only: blocking the whole program would
    // block the photo windows and the slide show too, and a maximised show
    // could then not be stopped.
    QWidget* const parent = parentWidget();
    const Qt::WindowFlags flags = windowFlags();
    const Qt::WindowModality modality = windowModality();
    if (owner)
        setParent(owner, flags);
    setWindowModality(Qt::WindowModal);
    QEventLoop loop;
    // Minimising also hides; only a window that is gone ends the wait.
    const QMetaObject::Connection hidden = connect(this, &Tfm_ThumbNailWindow::Hidden, &loop, [this, &loop] {
        if (!isVisible())
            loop.quit();
    });
    show();
    raise();
    activateWindow();
    if (isVisible())
        loop.exec();
    disconnect(hidden);
    setWindowModality(modality);
    if (owner)
        setParent(parent, flags);
}

bool Tfm_ThumbNailWindow::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate && !m_activatedOnce) {
        BuildGrid();
        m_activatedOnce = true;
    }
    return QWidget::event(event);
}

bool Tfm_ThumbNailWindow::eventFilter(QObject* watched, QEvent* event)
{
    QTableView* view = ui->sgdThumbnails;
    if (watched == ui->ComboBoxObjects
        && (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease))
        return true;
    if (watched == view && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (FormKeyDown(key->key()) || (!key->text().isEmpty() && FormKeyPress(key->text().at(0))))
            return true;
    }
    if (watched == view->viewport()) {
        if (event->type() == QEvent::MouseButtonPress) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            const QPoint point = mouse->position().toPoint();
            sgdThumbnailsMouseDown(
                mouse->button(), mouse->modifiers(), view->columnAt(point.x()), view->rowAt(point.y()));
        } else if (event->type() == QEvent::MouseButtonDblClick) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            const QPoint point = mouse->position().toPoint();
            // A double click is two presses: the second keeps the thumbnail selected.
            m_currentColumn = view->columnAt(point.x());
            m_currentRow = view->rowAt(point.y());
            sgdThumbnailsDblClick();
            sgdThumbnailsMouseDown(mouse->button(), mouse->modifiers(), m_currentColumn, m_currentRow);
            m_doubleClicked = false;
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Tfm_ThumbNailWindow::keyPressEvent(QKeyEvent* event)
{
    if (FormKeyDown(event->key()) || (!event->text().isEmpty() && FormKeyPress(event->text().at(0))))
        event->accept();
    else
        QWidget::keyPressEvent(event);
}

void Tfm_ThumbNailWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Relayout();
}

void Tfm_ThumbNailWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    Relayout();
}

void Tfm_ThumbNailWindow::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    emit Hidden();
}

void Tfm_ThumbNailWindow::ShowCurrentPhoto()
{
    if (!m_currentPhotoPath.isEmpty() && m_album) {
        const TPhotoList& photos = m_album->GetPhotos();
        const int index = photos.IndexOfName(m_currentPhotoPath);
        const int count = photos.Count();
        const TPhotoNavigation navigation = TPhotoNavigation::Of(this,
            &Tfm_ThumbNailWindow::ShowPreviousPhoto, &Tfm_ThumbNailWindow::ShowNextPhoto,
            &Tfm_ThumbNailWindow::ShowFirstPhoto, &Tfm_ThumbNailWindow::ShowLastPhoto);
        m_lastPhotoWindow
            = m_windowList ? m_windowList->GetPhotoWindow(m_navigating, m_ini, navigation) : nullptr;
        if (m_lastPhotoWindow && !m_lastPhotoWindow->ShowPhoto(m_currentPhotoPath, index, count))
            m_lastPhotoWindow->hide();
    }
    m_navigationPath = m_currentPhotoPath;
}

void Tfm_ThumbNailWindow::Navigate(int (*target)(int current, int count))
{
    if (!m_album)
        return;
    const TPhotoList& photos = m_album->GetPhotos();
    const int count = photos.Count();
    if (count == 0)
        return;
    const int next = target(photos.IndexOfName(m_navigationPath), count);
    if (next < 0 || next >= count)
        return;
    m_navigating = true;
    m_currentPhotoPath = photos.PhotoAt(next)->GetName();
    ShowCurrentPhoto();
    m_navigating = false;
}

void Tfm_ThumbNailWindow::ShowPreviousPhoto(QObject*)
{
    Navigate(PreviousOf);
}

void Tfm_ThumbNailWindow::ShowNextPhoto(QObject*)
{
    Navigate(NextOf);
}

void Tfm_ThumbNailWindow::ShowFirstPhoto(QObject*)
{
    Navigate(FirstOf);
}

void Tfm_ThumbNailWindow::ShowLastPhoto(QObject*)
{
    Navigate(LastOf);
}

void Tfm_ThumbNailWindow::StartSlideShow()
{
    if (!m_slideShowSettings.HasAnyChangeOn()) {
        const TLanguageSelector& t = *Language();
        ShowMessageBox(t.TF[5], t.TF[6], MessageBoxFlags::IconWarning);
        return;
    }
    // The show runs on a copy of its own: what it changes stays out of the
    // settings of the window that handed them over.
    *m_showSettings = m_slideShowSettings;
    m_showSettings->SetShowThumbnails();
    m_slideShowWindow->Start(m_showSettings.get(), m_album ? m_album->GetDriveLetter() : QChar(u' '));
}

void Tfm_ThumbNailWindow::PopupMenuShowPhotoClick()
{
    ShowCurrentPhoto();
}

void Tfm_ThumbNailWindow::PopupMenuEditPhotoInformationClick()
{
    if (!m_host)
        return;
    if (Tfm_PhotoWindow* window = m_host->EditPhotoInformation(m_currentPhotoPath)) {
        window->move(100, 400);
        window->resize(500, 300);
    }
}

bool Tfm_ThumbNailWindow::RemoveIndexEntries(const QStringList& thumbnailFiles)
{
    try {
        m_album->Thumbnails().RemoveEntries(thumbnailFiles);
        return true;
    } catch (const EStreamError& error) {
        ShowMessageBox(error.Message(), Language()->Title, MessageBoxFlags::IconError);
        return false;
    }
}

void Tfm_ThumbNailWindow::PopupMenuRemovePhotoFromAlbumClick()
{
    if (!m_album || m_currentPhotoPath.isEmpty())
        return;
    const QString path = m_currentPhotoPath;
    // Found while the photo is still in the album, which tells a moved photo's thumbnails.
    const QStringList thumbnails = m_entries->ThumbnailsOfPhoto(path);
    m_album->GetPhotos().RemoveByName(path);
    RemoveIndexEntries(thumbnails);
    m_currentPhotoPath.clear();
    ClearPhotoInfo();
    BuildGrid();
    if (m_host) {
        m_host->ListAlbumPhotos(0);
        // The album file itself is not written here: the removal waits for Save.
        m_host->MarkAlbumChanged();
    }
}

void Tfm_ThumbNailWindow::PopupMenuStartSlideShowClick()
{
    StartSlideShow();
}

void Tfm_ThumbNailWindow::PopupMenuToggleInfoClick()
{
    ui->PanelPhotoInfo->setVisible(PopupMenuToggleInfo->isChecked());
}

int Tfm_ThumbNailWindow::DeleteSelected()
{
    // The search result's copy shows thumbnails of a temporary album only.
    if (m_editMenuHidden || !m_album)
        return 0;
    const TLanguageSelector& t = *Language();
    if (CountSelected() == 0)
        return ShowMessageBox(t.TF[1], t.TF[2], MessageBoxFlags::IconWarning);
    const int answer
        = ShowMessageBox(t.TF[3], t.TF[4], MessageBoxFlags::YesNo | MessageBoxFlags::IconWarning);
    if (answer != MessageResult::Yes)
        return answer;
    // The thumbnails leave the index; the photos and all files stay.
    QStringList thumbnails;
    for (int k : m_grid.SelectedEntries())
        if (m_entries->Reach(k))
            thumbnails << m_entries->Thumbnail(k);
    RemoveIndexEntries(thumbnails);
    BuildGrid();
    return answer;
}

bool Tfm_ThumbNailWindow::FormKeyPress(QChar key)
{
    if (key != u's' && key != u'S')
        return false;
    StartSlideShow();
    return true;
}

bool Tfm_ThumbNailWindow::FormKeyDown(int key)
{
    if (key != Qt::Key_Delete)
        return false;
    DeleteSelected();
    return true;
}
