// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/photos/AlbumPhotoList.h"

#include "app/photos/PhotoInfoPanel.h"
#include "app/shared/AlbumSession.h"
#include "app/shared/PageHost.h"
#include "common/DialogService.h"
#include "common/FormBasis.h"
#include "language/LanguageSelector.h"
#include "model/Album.h"
#include "platform/TextUtil.h"
#include "platform/TrashOrDelete.h"
#include "ui_TabPhotos.h"
#include "viewers/PhotoWindowList.h"
#include "widgets/ListDrawing.h"

#include <QAbstractSlider>
#include <QCoreApplication>
#include <QDrag>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>

namespace {

const QString RowsMimeType = QStringLiteral("application/x-tavrimolex-album-rows");

} // namespace

TAlbumPhotoList::TAlbumPhotoList(
    Ui::TabPhotos& form, TAlbumSession& session, TPageHost& host, TPhotoInfoPanel& panel, QWidget* page)
    : QObject()
    , ui(form)
    , m_session(session)
    , m_host(host)
    , m_panel(panel)
    , ppmShow(new QMenu(page))
    , ppmRemove(new QMenu(page))
{
    ppmShow->setObjectName(QStringLiteral("ppmShow"));
    ppmRemove->setObjectName(QStringLiteral("ppmRemove"));

    const char* filterNames[PhotoFilterCount] = { "pmiAllPhotos", "pmiPhotosWithoutDescriptions",
        "pmiPhotosWithoutEvents", "pmiPhotosWithoutObjects", "pmiPhotosWithoutYears",
        "pmiPhotosWithoutAnyInformation", "pmiPhotosNotOnDisk" };
    for (int filter = 0; filter < PhotoFilterCount; ++filter) {
        QAction* item = AddMenuItem(ppmShow, filterNames[filter]);
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, [this, filter] {
            ListAlbumPhotos(filter);
            UpdateFilterMenu();
            m_panel.UpdatePhotoControls();
        });
        m_filterItems.append(item);
    }
    m_filterItems.front()->setChecked(true);

    pmiOnlyFromAlbum = AddMenuItem(ppmRemove, "pmiOnlyFromAlbum");
    pmiFromAlbumAndDisk = AddMenuItem(ppmRemove, "pmiFromAlbumAndDisk");
    pmiAllFromAlbum = AddMenuItem(ppmRemove, "pmiAllFromAlbum");
    connect(pmiOnlyFromAlbum, &QAction::triggered, this, &TAlbumPhotoList::pmiOnlyFromAlbumClick);
    connect(pmiFromAlbumAndDisk, &QAction::triggered, this, &TAlbumPhotoList::pmiFromAlbumAndDiskClick);
    connect(pmiAllFromAlbum, &QAction::triggered, this, &TAlbumPhotoList::pmiAllFromAlbumClick);

    connect(ui.btnMovePhotoUpwards, &QPushButton::clicked, this, &TAlbumPhotoList::btnMovePhotoUpwardsClick);
    connect(
        ui.btnMovePhotoDownwards, &QPushButton::clicked, this, &TAlbumPhotoList::btnMovePhotoDownwardsClick);
    connect(ui.pb_Show, &QPushButton::clicked, this, &TAlbumPhotoList::pb_ShowClick);
    connect(ui.pb_remove, &QPushButton::clicked, this, &TAlbumPhotoList::pb_removeClick);
    connect(ui.pb_UpDown, &QAbstractSlider::actionTriggered, this, [this](int action) {
        if (action == QAbstractSlider::SliderSingleStepSub)
            pb_UpDownClick(-1);
        else if (action == QAbstractSlider::SliderSingleStepAdd)
            pb_UpDownClick(1);
        // The control only offers its arrows; the list decides the row.
        ui.pb_UpDown->setSliderPosition(std::max(0, ui.lb_PhotosInAlbum->currentRow()));
    });
    connect(
        ui.lb_PhotosInAlbum, &QListWidget::itemSelectionChanged, this, &TAlbumPhotoList::UpdateListControls);

    ui.lb_PhotosInAlbum->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ui.lb_PhotosInAlbum->setDragEnabled(false);
    ui.lb_PhotosInAlbum->setAcceptDrops(true);
    ui.lb_PhotosInAlbum->viewport()->setAcceptDrops(true);
    ui.lb_PhotosInAlbum->installEventFilter(this);
    m_viewport = ui.lb_PhotosInAlbum->viewport();
    m_viewport->installEventFilter(this);
    ui.btnMovePhotoUpwards->setEnabled(false);
    ui.btnMovePhotoDownwards->setEnabled(false);
    m_delegate = new TNumberedFileItemDelegate(18, ui.lb_PhotosInAlbum);
    ui.lb_PhotosInAlbum->setItemDelegate(m_delegate);
    ui.lb_PhotosInAlbum->setUniformItemSizes(true);

    connect(&m_panel, &TPhotoInfoPanel::PhotoControlsUpdated, this, &TAlbumPhotoList::UpdateListControls);
}

TAlbumPhotoList::~TAlbumPhotoList() = default;

QAction* TAlbumPhotoList::AddMenuItem(QMenu* menu, const char* name)
{
    QAction* item = menu->addAction(QString());
    item->setObjectName(QLatin1String(name));
    return item;
}

void TAlbumPhotoList::ApplyLanguage(const TLanguageSelector& t)
{
    pmiOnlyFromAlbum->setText(t.MF[239]);
    pmiFromAlbumAndDisk->setText(t.MF[240]);
    pmiAllFromAlbum->setText(t.MF[241]);
    const int filterTexts[PhotoFilterCount] = { 243, 247, 245, 244, 246, 248, 249 };
    for (int filter = 0; filter < PhotoFilterCount; ++filter)
        m_filterItems[filter]->setText(t.MF[filterTexts[filter]]);
}

void TAlbumPhotoList::ListAlbumPhotos(int filter)
{
    m_filter = filter;
    const TAlbum* album = m_session.Album();
    if (!album)
        return;
    ui.lb_PhotosInAlbum->clear();
    const TPhotoList& photos = album->GetPhotos();
    QStringList rows;
    for (int i = 0; i < photos.Count(); ++i)
        if (PhotoPassesFilter(*photos.PhotoAt(i), filter))
            rows.append(photos.PhotoAt(i)->GetName());
    ui.lb_PhotosInAlbum->addItems(rows);
    ShowNumberOfPhotos();
    UpdateListControls();
}

bool TAlbumPhotoList::AddPhotoToAlbum(const QString& path, int index)
{
    TAlbum* album = m_session.Album();
    if (!album || album->GetPhotos().IndexOfName(path) >= 0)
        return false;
    TPhotoList& photos = album->GetPhotos();
    std::unique_ptr<TPhoto> photo = m_panel.PhotoFromFields(*album, path);

    int row = index;
    if (index < 0 || index >= photos.Count()) {
        photos.Add(std::move(photo));
        ui.lb_PhotosInAlbum->addItem(path);
        row = ui.lb_PhotosInAlbum->count() - 1;
    } else {
        photos.Insert(index, std::move(photo));
        row = std::min(index, ui.lb_PhotosInAlbum->count());
        ui.lb_PhotosInAlbum->insertItem(row, path);
    }
    ShowNumberOfPhotos();
    ui.lb_PhotosInAlbum->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    m_panel.PhotoAdded(path);
    m_session.SetContentsChanged(true);
    return true;
}

void TAlbumPhotoList::PhotosAdded()
{
    m_delegate->Remeasure();
    ui.lb_PhotosInAlbum->viewport()->update();
}

void TAlbumPhotoList::ShowNumberOfPhotos()
{
    ui.lblNumberOfPhotos->setText(QString::number(ui.lb_PhotosInAlbum->count()));
}

void TAlbumPhotoList::Clear()
{
    ui.lb_PhotosInAlbum->clear();
    ui.lblNumberOfPhotos->clear();
    UpdateListControls();
}

void TAlbumPhotoList::ClearSelection()
{
    ui.lb_PhotosInAlbum->clearSelection();
}

void TAlbumPhotoList::SelectPhoto(const QString& path)
{
    for (int i = 0; i < ui.lb_PhotosInAlbum->count(); ++i) {
        if (ui.lb_PhotosInAlbum->item(i)->text() == path) {
            ui.lb_PhotosInAlbum->setCurrentRow(i, QItemSelectionModel::ClearAndSelect);
            return;
        }
    }
}

void TAlbumPhotoList::UpdateFilterMenu()
{
    for (int filter = 0; filter < PhotoFilterCount; ++filter)
        m_filterItems[filter]->setChecked(filter == m_filter);
}

void TAlbumPhotoList::UpdateListControls()
{
    const int rows = ui.lb_PhotosInAlbum->count();
    const bool hasSelection = rows > 0 && !ui.lb_PhotosInAlbum->selectedItems().isEmpty();
    // Under a filter neighbouring rows need not be neighbours in the album,
    // so moving a row one place would not move its photo one place.
    const bool reorderable = hasSelection && m_filter == PF_AllPhotos;
    ui.btnMovePhotoUpwards->setEnabled(reorderable);
    ui.btnMovePhotoDownwards->setEnabled(reorderable);
    ui.btnRenameSelectedPhotos->setEnabled(hasSelection);
    pmiOnlyFromAlbum->setEnabled(hasSelection);
    pmiFromAlbumAndDisk->setEnabled(hasSelection);
    pmiAllFromAlbum->setEnabled(rows > 0);
    // A filter that lists none of the album's photos must leave the way back
    // to the others.
    const TAlbum* album = m_session.Album();
    ui.pb_Show->setEnabled(rows > 0 || (album && album->GetPhotos().Count() > 0));
    ui.pb_remove->setEnabled(rows > 0);
    ui.pb_HTML->setEnabled(rows > 0);
    ui.btnGoToNextPhoto->setEnabled(rows > 0);
}

void TAlbumPhotoList::SaveSelectedPhotos()
{
    m_savedSelection.clear();
    for (int i = 0; i < ui.lb_PhotosInAlbum->count(); ++i)
        if (ui.lb_PhotosInAlbum->item(i)->isSelected())
            m_savedSelection.append(ui.lb_PhotosInAlbum->item(i)->text());
}

void TAlbumPhotoList::RestoreSelectedPhotos()
{
    for (const QString& text : std::as_const(m_savedSelection))
        for (QListWidgetItem* item : ui.lb_PhotosInAlbum->findItems(text, Qt::MatchExactly))
            item->setSelected(true);
}

void TAlbumPhotoList::ExchangeRows(int upper)
{
    QListWidgetItem* a = ui.lb_PhotosInAlbum->item(upper);
    QListWidgetItem* b = ui.lb_PhotosInAlbum->item(upper + 1);
    const QString text = a->text();
    a->setText(b->text());
    b->setText(text);
}

void TAlbumPhotoList::btnMovePhotoUpwardsClick()
{
    TAlbum* album = m_session.Album();
    const int rows = ui.lb_PhotosInAlbum->count();
    if (!album || m_filter != PF_AllPhotos || rows == 0 || ui.lb_PhotosInAlbum->selectedItems().isEmpty()
        || ui.lb_PhotosInAlbum->item(0)->isSelected())
        return;
    SaveSelectedPhotos();
    for (int i = 1; i < rows; ++i) {
        if (!ui.lb_PhotosInAlbum->item(i)->isSelected())
            continue;
        album->GetPhotos().MoveUp(ui.lb_PhotosInAlbum->item(i)->text());
        ExchangeRows(i - 1);
        // The selection marks stay with the row numbers; move them along.
        ui.lb_PhotosInAlbum->item(i)->setSelected(false);
        ui.lb_PhotosInAlbum->item(i - 1)->setSelected(true);
        m_session.SetContentsChanged(true);
    }
    ui.lb_PhotosInAlbum->clearSelection();
    RestoreSelectedPhotos();
}

void TAlbumPhotoList::btnMovePhotoDownwardsClick()
{
    TAlbum* album = m_session.Album();
    const int rows = ui.lb_PhotosInAlbum->count();
    if (!album || m_filter != PF_AllPhotos || rows == 0 || ui.lb_PhotosInAlbum->selectedItems().isEmpty()
        || ui.lb_PhotosInAlbum->item(rows - 1)->isSelected())
        return;
    SaveSelectedPhotos();
    for (int i = rows - 2; i >= 0; --i) {
        if (!ui.lb_PhotosInAlbum->item(i)->isSelected())
            continue;
        album->GetPhotos().MoveDown(ui.lb_PhotosInAlbum->item(i)->text());
        ExchangeRows(i);
        ui.lb_PhotosInAlbum->item(i)->setSelected(false);
        ui.lb_PhotosInAlbum->item(i + 1)->setSelected(true);
        m_session.SetContentsChanged(true);
    }
    ui.lb_PhotosInAlbum->clearSelection();
    RestoreSelectedPhotos();
}

bool TAlbumPhotoList::DropSelectedAt(int targetRow)
{
    TAlbum* album = m_session.Album();
    if (!album || m_filter != PF_AllPhotos || targetRow < 0 || targetRow >= ui.lb_PhotosInAlbum->count())
        return false;
    QStringList selected;
    for (int i = 0; i < ui.lb_PhotosInAlbum->count(); ++i)
        if (ui.lb_PhotosInAlbum->item(i)->isSelected())
            selected.append(ui.lb_PhotosInAlbum->item(i)->text());
    if (selected.isEmpty())
        return false;
    const int first = ui.lb_PhotosInAlbum->row(
        ui.lb_PhotosInAlbum->findItems(selected.front(), Qt::MatchExactly).front());
    const int distance = std::abs(targetRow - first);
    if (distance == 0)
        return false;
    SaveSelectedPhotos();
    TPhotoList& photos = album->GetPhotos();
    const bool towardsFront = targetRow < first;
    // Each photo moves past the others only: the one nearest the target goes
    // first, so that no moved photo is pushed back by a later one.
    if (towardsFront) {
        for (const QString& name : std::as_const(selected))
            for (int step = 0; step < distance; ++step)
                photos.MoveUp(name);
    } else {
        for (auto name = selected.crbegin(); name != selected.crend(); ++name)
            for (int step = 0; step < distance; ++step)
                photos.MoveDown(*name);
    }
    m_session.SetContentsChanged(true);
    const int topRow = ui.lb_PhotosInAlbum->indexAt(QPoint(1, 1)).row();
    ListAlbumPhotos(PF_AllPhotos);
    UpdateFilterMenu();
    if (topRow >= 0 && topRow < ui.lb_PhotosInAlbum->count())
        ui.lb_PhotosInAlbum->scrollToItem(
            ui.lb_PhotosInAlbum->item(topRow), QAbstractItemView::PositionAtTop);
    RestoreSelectedPhotos();
    return true;
}

void TAlbumPhotoList::StartDrag()
{
    m_dragging = true;
    auto* drag = new QDrag(ui.lb_PhotosInAlbum);
    auto* data = new QMimeData;
    data->setData(RowsMimeType, QByteArray());
    drag->setMimeData(data);
    drag->exec(Qt::MoveAction);
    m_dragging = false;
}

void TAlbumPhotoList::pb_UpDownClick(int step)
{
    const int current = ui.lb_PhotosInAlbum->currentRow();
    const int rows = ui.lb_PhotosInAlbum->count();
    if (current < 0)
        return;
    {
        const QSignalBlocker block(ui.pb_UpDown);
        ui.pb_UpDown->setRange(0, std::max(0, rows - 1));
    }
    const int target = current + step;
    if (target < 0 || target >= rows)
        return;
    m_panel.ShowPhoto(ui.lb_PhotosInAlbum->item(target)->text(), true, true);
    ui.lb_PhotosInAlbum->setCurrentRow(target, QItemSelectionModel::ClearAndSelect);
}

void TAlbumPhotoList::lb_PhotosInAlbumMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    if (m_dragging || button != Qt::LeftButton || modifiers.testFlag(Qt::ControlModifier))
        return;
    m_panel.ShowAlbumPhotoFromList();
}

void TAlbumPhotoList::lb_PhotosInAlbumKeyUp(int key, Qt::KeyboardModifiers modifiers)
{
    if (m_dragging)
        return;
    const bool ctrl = modifiers.testFlag(Qt::ControlModifier);
    const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
    switch (key) {
    case Qt::Key_End:
        m_panel.Navigation().SelectLastPhoto(ui.lb_PhotosInAlbum);
        break;
    case Qt::Key_Home:
        m_panel.Navigation().SelectFirstPhoto(ui.lb_PhotosInAlbum);
        break;
    case Qt::Key_Plus:
        if (keypad)
            m_panel.Navigation().SelectNextPhoto(ui.lb_PhotosInAlbum);
        break;
    case Qt::Key_Minus:
        if (keypad)
            m_panel.Navigation().SelectPreviousPhoto(ui.lb_PhotosInAlbum);
        break;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (!ctrl)
            m_panel.ShowAlbumPhotoFromList();
        break;
    case Qt::Key_Delete:
        pmiOnlyFromAlbumClick();
        break;
    case Qt::Key_A:
        if (ctrl)
            ui.lb_PhotosInAlbum->selectAll();
        break;
    default:
        break;
    }
}

bool TAlbumPhotoList::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui.lb_PhotosInAlbum && event->type() == QEvent::KeyRelease) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat())
            lb_PhotosInAlbumKeyUp(key->key(), key->modifiers());
        return false;
    }
    // Compared as a kept pointer: while the window is torn down the list is
    // already half destroyed when its viewport's last events arrive.
    if (watched != m_viewport)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonRelease: {
        if (m_forwardingRelease)
            break;
        auto* mouse = static_cast<QMouseEvent*>(event);
        // The list settles its selection on the release; let it do so first.
        m_forwardingRelease = true;
        QCoreApplication::sendEvent(watched, event);
        m_forwardingRelease = false;
        lb_PhotosInAlbumMouseUp(mouse->button(), mouse->modifiers());
        return true;
    }
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (!m_dragging && mouse->buttons().testFlag(Qt::LeftButton)
            && mouse->modifiers().testFlag(Qt::ControlModifier) && m_filter == PF_AllPhotos) {
            StartDrag();
            return true;
        }
        break;
    }
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (drag->source() == ui.lb_PhotosInAlbum && drag->mimeData()->hasFormat(RowsMimeType))
            drag->acceptProposedAction();
        else
            drag->ignore();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        if (drop->source() == ui.lb_PhotosInAlbum && drop->mimeData()->hasFormat(RowsMimeType)) {
            drop->acceptProposedAction();
            DropSelectedAt(ui.lb_PhotosInAlbum->indexAt(drop->position().toPoint()).row());
        }
        return true;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void TAlbumPhotoList::PopUpBeside(QMenu* menu, QPushButton* button)
{
    menu->popup(button->mapToGlobal(QPoint(button->width(), 0)));
}

void TAlbumPhotoList::pb_ShowClick()
{
    PopUpBeside(ppmShow, ui.pb_Show);
}

void TAlbumPhotoList::pb_removeClick()
{
    PopUpBeside(ppmRemove, ui.pb_remove);
}

void TAlbumPhotoList::RemoveRow(int row)
{
    TAlbum* album = m_session.Album();
    const QString name = ui.lb_PhotosInAlbum->item(row)->text();
    if (album)
        album->GetPhotos().RemoveByName(name);
    delete ui.lb_PhotosInAlbum->takeItem(row);
}

void TAlbumPhotoList::RemoveSelectedPhotos()
{
    m_panel.SetInfoEditsLive(false);
    int lastRemoved = -1;
    {
        const QSignalBlocker block(ui.lb_PhotosInAlbum);
        int row = 0;
        while (row < ui.lb_PhotosInAlbum->count()) {
            if (ui.lb_PhotosInAlbum->item(row)->isSelected()) {
                RemoveRow(row);
                lastRemoved = row;
            } else {
                ++row;
            }
        }
    }
    m_session.SetContentsChanged(true);
    ShowNumberOfPhotos();
    if (lastRemoved >= 0 && lastRemoved < ui.lb_PhotosInAlbum->count()) {
        ui.lb_PhotosInAlbum->setCurrentRow(lastRemoved, QItemSelectionModel::ClearAndSelect);
        m_panel.ShowSelectedAlbumPhoto(true);
    } else {
        m_panel.ClearPhotoFields();
    }
    m_panel.SetInfoEditsLive(true);
    UpdateListControls();
}

void TAlbumPhotoList::pmiOnlyFromAlbumClick()
{
    const TLanguageSelector* t = Language();
    if (ui.lb_PhotosInAlbum->selectedItems().isEmpty()) {
        ShowMessageBox(t->MF[180], t->MF[181], MessageBoxFlags::IconWarning);
        return;
    }
    if (ShowMessageBox(t->MF[182], t->MF[183], MessageBoxFlags::YesNo | MessageBoxFlags::IconWarning)
        == MessageResult::Yes)
        RemoveSelectedPhotos();
}

void TAlbumPhotoList::pmiFromAlbumAndDiskClick()
{
    const TLanguageSelector* t = Language();
    if (ui.lb_PhotosInAlbum->selectedItems().isEmpty()) {
        ShowMessageBox(t->MF[180], t->MF[181], MessageBoxFlags::IconWarning);
        return;
    }
    if (ShowMessageBox(t->MF[184], t->MF[185], MessageBoxFlags::YesNo | MessageBoxFlags::IconWarning)
        != MessageResult::Yes)
        return;
    QStringList failed;
    for (int i = 0; i < ui.lb_PhotosInAlbum->count(); ++i) {
        if (!ui.lb_PhotosInAlbum->item(i)->isSelected())
            continue;
        const QString path = ui.lb_PhotosInAlbum->item(i)->text();
        if (!TrashOrDelete(path))
            failed.append(path);
    }
    RemoveSelectedPhotos();
    // The photos leave the album either way; the user must learn which
    // files are still on disk.
    if (!failed.isEmpty())
        ShowMessageBox(failed.join(QLatin1Char('\r')), t->MF[60], MessageBoxFlags::IconWarning);
}

void TAlbumPhotoList::pmiAllFromAlbumClick()
{
    const TLanguageSelector* t = Language();
    if (ui.lb_PhotosInAlbum->count() == 0)
        return;
    if (ShowMessageBox(t->MF[186], t->MF[187], MessageBoxFlags::YesNo | MessageBoxFlags::IconWarning)
        != MessageResult::Yes)
        return;
    {
        const TWaitCursor wait(m_panel);
        const QSignalBlocker block(ui.lb_PhotosInAlbum);
        while (ui.lb_PhotosInAlbum->count() > 0)
            RemoveRow(0);
    }
    m_panel.ClearPhotoFields();
    if (TPhotoWindowList* windows = m_host.PhotoWindows())
        windows->CloseAll();
    ui.lb_PhotosInAlbum->setCurrentRow(-1);
    m_session.SetContentsChanged(true);
    m_panel.SetInfoEditsLive(true);
    ShowNumberOfPhotos();
    UpdateListControls();
}
