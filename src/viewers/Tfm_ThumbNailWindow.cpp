// SPDX-License-Identifier: GPL-2.0-or-later
#include "viewers/Tfm_ThumbNailWindow.h"

#include "ui_Tfm_ThumbNailWindow.h"

#include "language/LanguageSelector.h"
#include "model/Album.h"
#include "model/ThumbNail.h"
#include "model/ThumbNailInfo.h"
#include "viewers/PhotoWindowList.h"
#include "viewers/SlideShowSettings.h"
#include "viewers/Tfm_PhotoWindow.h"
#include "viewers/Tfm_SlideShowWindow.h"
#include "viewers/ThumbNailEntries.h"
#include "widgets/ReaderNames.h"

#include <QAbstractTableModel>
#include <QEventLoop>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include <algorithm>

// The grid's cells for the view: their marks, and the photo path as tooltip.
class TThumbNailGridModel : public QAbstractTableModel {
public:
    explicit TThumbNailGridModel(Tfm_ThumbNailWindow& window)
        : QAbstractTableModel(&window)
        , m_window(window)
    {
    }

    int rowCount(const QModelIndex& parent) const override
    {
        return parent.isValid() ? 0 : m_window.Grid().Rows();
    }
    int columnCount(const QModelIndex& parent) const override
    {
        return parent.isValid() || m_window.Grid().Count() == 0 ? 0 : m_window.Grid().Columns();
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        const TThumbNailGrid& grid = m_window.Grid();
        if (role == Qt::DisplayRole)
            return grid.Mark(index.column(), index.row());
        if (role == Qt::ToolTipRole) {
            const QString path = m_window.PhotoOfEntry(grid.EntryAt(index.column(), index.row()));
            return path.isEmpty() ? QVariant() : QVariant(path);
        }
        return {};
    }
    void Reset()
    {
        beginResetModel();
        endResetModel();
    }

private:
    Tfm_ThumbNailWindow& m_window;
};

namespace {

// The window draws every cell itself.
class TThumbNailDelegate : public QStyledItemDelegate {
public:
    TThumbNailDelegate(Tfm_ThumbNailWindow& window)
        : QStyledItemDelegate(&window)
        , m_window(window)
    {
    }
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        m_window.PaintCell(*painter, option.rect, index.column(), index.row());
    }

private:
    Tfm_ThumbNailWindow& m_window;
};

// A frame band of 5 pixels around every thumbnail: the picture is this much
// larger than the thumbnail size on each side.
constexpr int CellMargin = 10;
// Cells painted at once beyond the fully visible rows: a partly visible row
// above and below.
constexpr int ExtraRows = 2;

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
    m_model = new TThumbNailGridModel(*this);
    view->setModel(m_model);
    view->setItemDelegate(new TThumbNailDelegate(*this));
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
