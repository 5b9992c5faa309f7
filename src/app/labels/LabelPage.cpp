// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/labels/LabelPage.h"

#include "app/labels/StringListProxy.h"
#include "app/shared/AlbumSession.h"
#include "app/shared/Captions.h"
#include "app/shared/PageHost.h"
#include "common/DialogService.h"
#include "language/LanguageSelector.h"
#include "model/Album.h"
#include "ui_TabEvents.h"
#include "ui_TabObjects.h"
#include "viewers/FormPhotoList.h"
#include "widgets/ListDrawing.h"
#include "widgets/ReaderNames.h"

#include <QAction>
#include <QDropEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace {

constexpr int NameMaxLength = 100;
// $FFFFDD of the original palette (blue, green, red): a pale cyan.
const QColor MergeBoxColour(0xDD, 0xFF, 0xFF);

} // namespace

// The texts and menu names of one kind of label.
struct TLabelTexts {
    // Name caption, add, rename, delete, list frame and merge button, in a row.
    int FirstCaption;
    int NoneSelected, NoneSelectedCaption;
    int InUse, InUseCaption;
    int BoxesEmpty, BoxesEmptyCaption;
    int Same, SameCaption;
    // The three usage classes of both menus: all, in use, not in use.
    int MenuItems[3];
    const char* ShowMenu;
    const char* RemoveMenu;
    const char* ShowItems[3];
    const char* RemoveItems[3];
    // The word for one label, which names each merge box.
    int BoxName;
};

namespace {

const TLabelTexts ObjectTexts = { 275, 63, 64, 65, 66, 67, 68, 69, 70, { 407, 408, 409 }, "ppmShowObjects",
    "ppmRemoveObjects", { "pmiShowAllObjects", "pmiShowObjectsInUse", "pmiShowObjectsNotInUse" },
    { "pmiRemoveAllObjects", "pmiRemoveObjectsInUse", "pmiRemoveObjectsNotInUse" }, 32 };

const TLabelTexts EventTexts = { 282, 71, 72, 73, 74, 83, 84, 85, 86, { 410, 411, 412 }, "ppmShowEvents",
    "ppmRemoveEvents", { "pmiShowAllEvents", "pmiShowEventsInUse", "pmiShowEventsNotInUse" },
    { "pmiRemoveAllEvents", "pmiRemoveEventsInUse", "pmiRemoveEventsNotInUse" }, 33 };

// The generated form is only a set of pointers to widgets the page owns, so
// it is not kept once its controls are known.
TLabelControls SetUpForm(TLabelKind kind, QWidget* page)
{
    if (kind == TLabelKind::Objects) {
        Ui::TabObjects ui;
        ui.setupUi(page);
        return { ui.st_ObjectName, ui.eb_ObjectName, ui.gb_AvailableObjects, ui.lb_AvailableObjects,
            ui.pb_AddObjects, ui.pb_ReplaceObject, ui.pb_DeleteObject, ui.btnShowObjects, ui.btnRemoveObjects,
            ui.eb_MergeObject1, ui.eb_MergeObject2, ui.eb_MergeObjectResult, ui.pb_MergeObjects };
    }
    Ui::TabEvents ui;
    ui.setupUi(page);
    return { ui.st_EventName, ui.eb_EventName, ui.gb_AvailableEvents, ui.lb_AvailableEvents, ui.pb_AddEvent,
        ui.pb_ReplaceEvent, ui.pb_DeleteEvent, ui.btnShowEvents, ui.btnRemoveEvents, ui.eb_MergeEvent1,
        ui.eb_MergeEvent2, ui.eb_MergeEventResult, ui.pb_MergeEvents };
}

void PopUpBeside(QMenu* menu, QPushButton* button)
{
    menu->popup(button->mapToGlobal(QPoint(button->width(), 0)));
}

} // namespace

TLabelPage::TLabelPage(TLabelKind kind, TAlbumSession& session, TPageHost& host, QWidget* parent)
    : QWidget(parent)
    , m_kind(kind)
    , m_controls(SetUpForm(kind, this))
    , m_session(session)
    , m_host(host)
    , m_showMenu(new QMenu(this))
    , m_removeMenu(new QMenu(this))
{
    const TLabelTexts& texts = Texts();
    m_showMenu->setObjectName(QLatin1String(texts.ShowMenu));
    m_removeMenu->setObjectName(QLatin1String(texts.RemoveMenu));
    for (int usage = AllLabels; usage <= LabelsNotInUse; ++usage) {
        QAction* show = m_showMenu->addAction(QString());
        show->setObjectName(QLatin1String(texts.ShowItems[usage]));
        show->setCheckable(true);
        connect(show, &QAction::triggered, this, [this, usage, show] {
            ShowLabels(usage);
            CheckShowMenu(show);
        });
        m_showItems[usage] = show;
        QAction* remove = m_removeMenu->addAction(QString());
        remove->setObjectName(QLatin1String(texts.RemoveItems[usage]));
        connect(remove, &QAction::triggered, this, [this, usage] { DeleteLabels(usage); });
        m_removeItems[usage] = remove;
    }
    CheckShowMenu(nullptr);

    // Limits typing only: a longer name from an album file is copied into the edit whole.
    m_controls.NameEdit->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral(".{0,%1}").arg(NameMaxLength)), m_controls.NameEdit));
    QListWidget* list = m_controls.ListBox;
    list->setItemDelegate(new TPlainListItemDelegate(list));
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setDragEnabled(true);
    list->setDragDropMode(QAbstractItemView::DragOnly);
    list->installEventFilter(this);
    for (QLineEdit* box : { m_controls.Merge1Edit, m_controls.Merge2Edit, m_controls.ResultEdit }) {
        box->setReadOnly(true);
        if (box == m_controls.ResultEdit)
            continue;
        // Dark text on the light box, whatever the desktop's colours.
        QPalette palette = box->palette();
        palette.setColor(QPalette::Base, MergeBoxColour);
        palette.setColor(QPalette::Text, Qt::black);
        box->setPalette(palette);
        box->setAcceptDrops(true);
        box->installEventFilter(this);
    }

    connect(list, &QListWidget::itemClicked, this, &TLabelPage::lb_AvailableClick);
    connect(m_controls.AddButton, &QPushButton::clicked, this, &TLabelPage::pb_AddClick);
    connect(m_controls.RenameButton, &QPushButton::clicked, this, &TLabelPage::pb_ReplaceClick);
    connect(m_controls.DeleteButton, &QPushButton::clicked, this, &TLabelPage::pb_DeleteClick);
    connect(m_controls.ShowButton, &QPushButton::clicked, this, &TLabelPage::btnShowClick);
    connect(m_controls.RemoveButton, &QPushButton::clicked, this, &TLabelPage::btnRemoveClick);
    connect(m_controls.MergeButton, &QPushButton::clicked, this, &TLabelPage::pb_MergeClick);
    connect(&session, &TAlbumSession::AlbumOpened, this, &TLabelPage::AlbumOpened);
    connect(&session, &TAlbumSession::AlbumClosed, this, &TLabelPage::ClearTab);
    connect(&session, &TAlbumSession::PhotoLabelsChanged, this, &TLabelPage::RefreshList);
}

TLabelPage::~TLabelPage() = default;

const TLabelTexts& TLabelPage::Texts() const
{
    return m_kind == TLabelKind::Objects ? ObjectTexts : EventTexts;
}

TEntityList& TLabelPage::Labels(TAlbum& album) const
{
    return m_kind == TLabelKind::Objects ? album.GetObjects() : album.GetEvents();
}

void TLabelPage::ApplyLanguage(const TLanguageSelector& t)
{
    const int first = Texts().FirstCaption;
    m_controls.NameCaption->setText(t.MF[first]);
    m_controls.AddButton->setText(t.MF[first + 1]);
    m_controls.RenameButton->setText(t.MF[first + 2]);
    m_controls.DeleteButton->setText(t.MF[first + 3]);
    m_controls.ListFrame->setTitle(Padded(t.MF[first + 4]));
    m_controls.MergeButton->setText(t.MF[first + 5]);
    m_controls.ShowButton->setText(t.MF[405]);
    m_controls.RemoveButton->setText(t.MF[406]);
    for (int usage = AllLabels; usage <= LabelsNotInUse; ++usage) {
        m_showItems[usage]->setText(t.MF[Texts().MenuItems[usage]]);
        m_removeItems[usage]->setText(t.MF[Texts().MenuItems[usage]]);
    }
    SetReaderName(m_controls.ListBox, t.MF[first + 4]);
    SetReaderName(m_controls.Merge1Edit, t.HG[Texts().BoxName]);
    SetReaderName(m_controls.Merge2Edit, t.HG[Texts().BoxName]);
    SetReaderName(m_controls.ResultEdit, t.MF[first + 5]);
}

void TLabelPage::AlbumOpened(TAlbum& album)
{
    m_proxy = std::make_unique<TStringListProxy>(Labels(album), m_controls);
    m_proxy->Refresh();
    CheckShowMenu(nullptr);
}

void TLabelPage::ClearTab()
{
    m_proxy.reset();
    m_controls.NameEdit->clear();
    m_controls.ListBox->clear();
    // A name left in a box would be merged in the next album.
    m_controls.Merge1Edit->clear();
    m_controls.Merge2Edit->clear();
    m_controls.ResultEdit->clear();
}

void TLabelPage::RefreshList()
{
    if (m_proxy)
        m_proxy->Refresh();
}

void TLabelPage::ShowPhotosInResultWindow(const QStringList& paths)
{
    TAlbum* album = m_session.Album();
    if (!album)
        return;
    // The user is deleting a label of this album: an album made from its
    // photos is not offered to replace it.
    TFormPhotoList window(this->window(), m_host.PhotoWindows(), m_host.Settings(), *album, paths,
        TFormPhotoList::TNewAlbumQuestion::Skip);
    window.exec();
}

void TLabelPage::RefreshLabels()
{
    ShowLabels(AllLabels);
    CheckShowMenu(nullptr);
}

void TLabelPage::ShowLabels(int usage)
{
    TAlbum* album = m_session.Album();
    if (!album || !m_proxy)
        return;
    if (m_kind == TLabelKind::Objects)
        album->MarkObjects(usage);
    else
        album->MarkEvents(usage);
    m_proxy->Refresh();
}

void TLabelPage::CheckShowMenu(QAction* item)
{
    m_showItems[AllLabels]->setChecked(!item || item == m_showItems[AllLabels]);
    m_showItems[LabelsInUse]->setChecked(item == m_showItems[LabelsInUse]);
    m_showItems[LabelsNotInUse]->setChecked(item == m_showItems[LabelsNotInUse]);
}

void TLabelPage::DeleteLabels(int usage)
{
    TAlbum* album = m_session.Album();
    if (!album || !m_proxy)
        return;
    const TLanguageSelector& t = *Language();
    if (ShowMessageBox(t.MF[53], t.MF[34], MessageBoxFlags::YesNo | MessageBoxFlags::IconWarning)
        != MessageResult::Yes)
        return;
    if (m_kind == TLabelKind::Objects)
        album->DeleteObjects(usage);
    else
        album->DeleteEvents(usage);
    // A deleted label left in a merge box would resolve to no label.
    m_proxy->ClearMergeEdits();
    m_proxy->Refresh();
    m_session.SetContentsChanged(true);
    m_session.NotifyLabelsChanged();
}

void TLabelPage::LabelsEdited()
{
    m_session.SetContentsChanged(true);
    RefreshLabels();
    m_session.NotifyLabelsChanged();
}

void TLabelPage::lb_AvailableClick()
{
    if (m_proxy)
        m_proxy->CopySelectedToEdit();
}

void TLabelPage::pb_AddClick()
{
    if (!m_proxy)
        return;
    m_proxy->AddFromEdit();
    if (m_proxy->LastActionOK())
        LabelsEdited();
}

void TLabelPage::pb_ReplaceClick()
{
    if (!m_proxy)
        return;
    m_proxy->RenameSelected();
    if (m_proxy->LastActionOK())
        LabelsEdited();
}

void TLabelPage::pb_DeleteClick()
{
    TAlbum* album = m_session.Album();
    if (!album || !m_proxy)
        return;
    const TLanguageSelector& t = *Language();
    const TLabelTexts& texts = Texts();
    QListWidget* list = m_controls.ListBox;
    const int row = list->currentRow();
    if (!m_proxy->HasSelection()) {
        ShowMessageBox(
            t.MF[texts.NoneSelected], t.MF[texts.NoneSelectedCaption], MessageBoxFlags::IconWarning);
    } else {
        const QString name = m_proxy->GetSelectedName();
        QStringList paths;
        const bool used = m_kind == TLabelKind::Objects ? album->FindByObjectName(name, paths)
                                                        : album->FindByEventName(name, paths);
        int answer = MessageResult::Yes;
        if (used)
            answer = ShowMessageBox(t.MF[texts.InUse],
                t.MF[texts.InUseCaption] + QStringLiteral(" (") + name + u')',
                MessageBoxFlags::YesNoCancel | MessageBoxFlags::IconWarning);
        if (answer == MessageResult::Yes) {
            if (used) {
                const int id = Labels(*album).IdByName(name);
                if (m_kind == TLabelKind::Objects)
                    album->GetPhotos().RemoveObjectId(id);
                else
                    album->GetPhotos().ClearEventId(id);
            }
            m_proxy->DeleteSelected();
            if (m_proxy->LastActionOK())
                LabelsEdited();
        } else if (answer == MessageResult::No) {
            ShowPhotosInResultWindow(paths);
        }
    }
    if (row >= 0 && row < list->count())
        list->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
}

void TLabelPage::btnShowClick()
{
    PopUpBeside(m_showMenu, m_controls.ShowButton);
}

void TLabelPage::btnRemoveClick()
{
    PopUpBeside(m_removeMenu, m_controls.RemoveButton);
}

void TLabelPage::pb_MergeClick()
{
    TAlbum* album = m_session.Album();
    if (!album || !m_proxy)
        return;
    const TLanguageSelector& t = *Language();
    const TLabelTexts& texts = Texts();
    const QString first = m_controls.Merge1Edit->text();
    const QString second = m_controls.Merge2Edit->text();
    if (first.isEmpty() || second.isEmpty()) {
        ShowMessageBox(t.MF[texts.BoxesEmpty], t.MF[texts.BoxesEmptyCaption], MessageBoxFlags::IconWarning);
        return;
    }
    if (first == second) {
        ShowMessageBox(t.MF[texts.Same], t.MF[texts.SameCaption], MessageBoxFlags::IconWarning);
        return;
    }
    m_merger.SetAlbum(album);
    m_merger.SetKind(m_kind == TLabelKind::Objects ? TMergeObject::KindObjects : TMergeObject::KindEvents);
    m_proxy->MergeFromEdits(m_merger);
    m_merger.SetAlbum(nullptr);
    if (!m_proxy->LastActionOK()) {
        // The boxes named labels that are gone; they are emptied, to be filled anew.
        ShowMessageBox(t.MF[texts.BoxesEmpty], t.MF[texts.BoxesEmptyCaption], MessageBoxFlags::IconWarning);
        return;
    }
    m_session.SetContentsChanged(true);
    m_session.NotifyPhotoLabelsChanged();
}

bool TLabelPage::AcceptsDrag(const QObject* source) const
{
    return m_proxy && source == m_controls.ListBox && m_proxy->HasSelection();
}

bool TLabelPage::DropOnMergeEdit(QLineEdit* box, const QObject* source)
{
    if (!AcceptsDrag(source))
        return false;
    const QString name = m_proxy->GetSelectedName();
    if (box == m_controls.Merge1Edit) {
        m_controls.Merge1Edit->setText(name);
        m_controls.ResultEdit->setText(name);
        return true;
    }
    if (box == m_controls.Merge2Edit) {
        m_controls.Merge2Edit->setText(name);
        return true;
    }
    return false;
}

bool TLabelPage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_controls.ListBox) {
        // Moving through the list with the keys picks a label as a click does.
        if (event->type() == QEvent::KeyRelease) {
            switch (static_cast<QKeyEvent*>(event)->key()) {
            case Qt::Key_Up:
            case Qt::Key_Down:
            case Qt::Key_PageUp:
            case Qt::Key_PageDown:
            case Qt::Key_Home:
            case Qt::Key_End:
                lb_AvailableClick();
                break;
            default:
                break;
            }
        }
        return false;
    }
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (!box)
        return false;
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDropEvent*>(event);
        if (AcceptsDrag(drag->source()))
            drag->acceptProposedAction();
        else
            drag->ignore();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        if (DropOnMergeEdit(box, drop->source()))
            drop->acceptProposedAction();
        else
            drop->ignore();
        return true;
    }
    default:
        return false;
    }
}
