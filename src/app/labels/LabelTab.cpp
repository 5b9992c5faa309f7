#include "app/labels/LabelTab.h"

#include "app/main/AlbumSession.h"
#include "app/labels/LabelTabHost.h"
#include "app/labels/StringListProxy.h"
#include "common/DialogService.h"
#include "language/LanguageSelector.h"
#include "model/Album.h"

#include <QAction>
#include <QDropEvent>
#include <QKeyEvent>
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
};

namespace {

const TLabelTexts ObjectTexts = { 63, 64, 65, 66, 67, 68, 69, 70, { 407, 408, 409 }, "ppmShowObjects",
    "ppmRemoveObjects", { "pmiShowAllObjects", "pmiShowObjectsInUse", "pmiShowObjectsNotInUse" },
    { "pmiRemoveAllObjects", "pmiRemoveObjectsInUse", "pmiRemoveObjectsNotInUse" } };

const TLabelTexts EventTexts = { 71, 72, 73, 74, 83, 84, 85, 86, { 410, 411, 412 }, "ppmShowEvents",
    "ppmRemoveEvents", { "pmiShowAllEvents", "pmiShowEventsInUse", "pmiShowEventsNotInUse" },
    { "pmiRemoveAllEvents", "pmiRemoveEventsInUse", "pmiRemoveEventsNotInUse" } };

void PopUpBeside(QMenu* menu, QPushButton* button)
{
    menu->popup(button->mapToGlobal(QPoint(button->width(), 0)));
}

} // namespace

TLabelTab::TLabelTab(TLabelKind kind, const TLabelTabControls& controls, TAlbumSession& session,
    TLabelTabHost& host, QWidget* page)
    : QObject(page)
    , m_kind(kind)
    , m_controls(controls)
    , m_session(session)
    , m_host(host)
    , m_showMenu(new QMenu(page))
    , m_removeMenu(new QMenu(page))
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

    connect(list, &QListWidget::itemClicked, this, &TLabelTab::lb_AvailableClick);
    connect(m_controls.AddButton, &QPushButton::clicked, this, &TLabelTab::pb_AddClick);
    connect(m_controls.RenameButton, &QPushButton::clicked, this, &TLabelTab::pb_ReplaceClick);
    connect(m_controls.DeleteButton, &QPushButton::clicked, this, &TLabelTab::pb_DeleteClick);
    connect(m_controls.ShowButton, &QPushButton::clicked, this, &TLabelTab::btnShowClick);
    connect(m_controls.RemoveButton, &QPushButton::clicked, this, &TLabelTab::btnRemoveClick);
    connect(m_controls.MergeButton, &QPushButton::clicked, this, &TLabelTab::pb_MergeClick);
}

TLabelTab::~TLabelTab() = default;

const TLabelTexts& TLabelTab::Texts() const
{
    return m_kind == TLabelKind::Objects ? ObjectTexts : EventTexts;
}

TEntityList& TLabelTab::Labels(TAlbum& album) const
{
    return m_kind == TLabelKind::Objects ? album.GetObjects() : album.GetEvents();
}

void TLabelTab::ApplyLanguage(const TLanguageSelector& t)
{
    for (int usage = AllLabels; usage <= LabelsNotInUse; ++usage) {
        m_showItems[usage]->setText(t.MF[Texts().MenuItems[usage]]);
        m_removeItems[usage]->setText(t.MF[Texts().MenuItems[usage]]);
    }
}

void TLabelTab::CreateListProxy(TAlbum& album)
{
    m_proxy = std::make_unique<TStringListProxy>(Labels(album), m_controls.NameEdit, m_controls.Merge1Edit,
        m_controls.Merge2Edit, m_controls.ResultEdit, m_controls.ListBox);
}

void TLabelTab::ClearTab()
{
    m_proxy.reset();
    m_controls.NameEdit->clear();
    m_controls.ListBox->clear();
    // A name left in a box would be merged in the next album.
    m_controls.Merge1Edit->clear();
    m_controls.Merge2Edit->clear();
    m_controls.ResultEdit->clear();
}

void TLabelTab::RefreshList()
{
    if (m_proxy)
        m_proxy->Refresh();
}

void TLabelTab::RefreshLabels()
{
    ShowLabels(AllLabels);
    CheckShowMenu(nullptr);
}

void TLabelTab::ShowLabels(int usage)
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

void TLabelTab::CheckShowMenu(QAction* item)
{
    m_showItems[AllLabels]->setChecked(!item || item == m_showItems[AllLabels]);
    m_showItems[LabelsInUse]->setChecked(item == m_showItems[LabelsInUse]);
    m_showItems[LabelsNotInUse]->setChecked(item == m_showItems[LabelsNotInUse]);
}

void TLabelTab::DeleteLabels(int usage)
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

void TLabelTab::LabelsEdited()
{
    m_session.SetContentsChanged(true);
    RefreshLabels();
    m_session.NotifyLabelsChanged();
}

void TLabelTab::lb_AvailableClick()
{
    if (m_proxy)
        m_proxy->CopySelectedToEdit();
}

void TLabelTab::pb_AddClick()
{
    if (!m_proxy)
        return;
    m_proxy->AddFromEdit();
    if (m_proxy->LastActionOK())
        LabelsEdited();
}

void TLabelTab::pb_ReplaceClick()
{
    if (!m_proxy)
        return;
    m_proxy->RenameSelected();
    if (m_proxy->LastActionOK())
        LabelsEdited();
}

void TLabelTab::pb_DeleteClick()
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
            m_host.ShowPhotosInResultWindow(paths);
        }
    }
    if (row >= 0 && row < list->count())
        list->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
}

void TLabelTab::btnShowClick()
{
    PopUpBeside(m_showMenu, m_controls.ShowButton);
}

void TLabelTab::btnRemoveClick()
{
    PopUpBeside(m_removeMenu, m_controls.RemoveButton);
}

void TLabelTab::pb_MergeClick()
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
    m_host.RefreshAlbumLists();
    m_session.NotifyLabelsChanged();
}

bool TLabelTab::AcceptsDrag(const QObject* source) const
{
    return m_proxy && source == m_controls.ListBox && m_proxy->HasSelection();
}

bool TLabelTab::DropOnMergeEdit(QLineEdit* box, const QObject* source)
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

bool TLabelTab::eventFilter(QObject* watched, QEvent* event)
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
