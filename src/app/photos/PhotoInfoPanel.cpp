// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/photos/PhotoInfoPanel.h"

#include "app/shared/AlbumSession.h"
#include "app/shared/PageHost.h"
#include "common/DialogService.h"
#include "common/LabelOrder.h"
#include "language/LanguageSelector.h"
#include "model/Album.h"
#include "platform/Paths.h"
#include "platform/TextUtil.h"
#include "ui_TabPhotos.h"
#include "viewers/PhotoWindowList.h"
#include "viewers/Tfm_PhotoWindow.h"

#include <QAbstractSlider>
#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QWindow>

#include <algorithm>

class TPhotoInfoPanel::TFilling {
public:
    explicit TFilling(TPhotoInfoPanel& panel)
        : m_panel(panel)
    {
        ++m_panel.m_filling;
    }
    ~TFilling() { --m_panel.m_filling; }
    TFilling(const TFilling&) = delete;
    TFilling& operator=(const TFilling&) = delete;

private:
    TPhotoInfoPanel& m_panel;
};

namespace {

// The id of the label an item of the object list or the event box stands for.
constexpr int LabelIdRole = Qt::UserRole;

int LabelId(const QVariant& stored, int byName)
{
    return stored.isValid() ? stored.toInt() : byName;
}

} // namespace

TPhotoInfoPanel::TPhotoInfoPanel(Ui::TabPhotos& form, TAlbumSession& session, TPageHost& host, QWidget* page)
    : QObject()
    , ui(form)
    , m_session(session)
    , m_host(host)
    , m_page(page)
    , m_fields(form)
    , m_navigation(std::make_unique<TPhotoWindowNavigation>(form, host, *this))
{
    ui.eb_PhotoName->setReadOnly(true);
    ui.eb_PhotoStatus->setReadOnly(true);
    ui.pb_PasteInfo->setEnabled(false);
    ui.btnReuseInfoPreviousPhoto->setEnabled(false);
    // The limits hold for typing only: a longer text from an album file still shows whole.
    ui.eb_Year->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral(".{0,%1}").arg(MaxYearLength)), ui.eb_Year));

    // Only what the user does counts as an edit; the program's own filling
    // runs inside TFilling and is ignored below.
    connect(ui.mm_PhotoDescription->document(), &QTextDocument::contentsChange, this,
        [this](int position, int, int) { m_descriptionEditAt = position; });
    connect(ui.mm_PhotoDescription, &QPlainTextEdit::textChanged, this,
        &TPhotoInfoPanel::mm_PhotoDescriptionChange);
    connect(ui.cb_Event, &QComboBox::activated, this, &TPhotoInfoPanel::cb_EventChange);
    connect(ui.eb_Year, &QLineEdit::textEdited, this, &TPhotoInfoPanel::eb_YearChange);
    connect(ui.chb_DontPublishForTheInternet, &QCheckBox::clicked, this,
        &TPhotoInfoPanel::chb_DontPublishForTheInternetClick);
    connect(ui.lb_PhotoObjects, &QListWidget::itemChanged, this, &TPhotoInfoPanel::lb_PhotoObjectsClick);
    connect(ui.btnGoToNextPhoto, &QPushButton::clicked, this, &TPhotoInfoPanel::btnGoToNextPhotoClick);
    connect(ui.pb_CopyInfo, &QPushButton::clicked, this, &TPhotoInfoPanel::pb_CopyInfoClick);
    connect(ui.pb_PasteInfo, &QPushButton::clicked, this, &TPhotoInfoPanel::pb_PasteInfoClick);
    connect(ui.btnReuseInfoPreviousPhoto, &QPushButton::clicked, this,
        &TPhotoInfoPanel::btnReuseInfoPreviousPhotoClick);
    connect(ui.lsbPhotos, &QListWidget::itemClicked, this, &TPhotoInfoPanel::lsbPhotosClick);
}

TPhotoInfoPanel::~TPhotoInfoPanel() = default;

void TPhotoInfoPanel::ShowPhoto(const QString& requestedPath, bool showObjects, bool repairPath)
{
    const bool contentsChanged = m_session.ContentsChanged();
    if (requestedPath.isEmpty())
        return;
    const TFilling filling(*this);
    TAlbum* album = m_session.Album();

    // Paths written on Windows ("D:\...") are kept as they stand.
    QString path = Paths::HasDriveLetter(requestedPath) ? requestedPath : Paths::AbsoluteClean(requestedPath);
    const int index = album ? album->GetPhotos().IndexOfName(path) : -1;
    const int count = album ? album->GetPhotos().GetPhotoCount(false) : 0;

    // A photo on a drive that now has another letter: try the album's letter.
    // The path changes only when the file is found there.
    if (repairPath && !PhotoFileExists(path) && Paths::HasDriveLetter(path)) {
        const QChar drive = album ? album->GetDriveLetter() : QChar(u' ');
        if (drive.isLetter()) {
            const QString repaired = drive + path.mid(1);
            if (PhotoFileExists(repaired)) {
                path = repaired;
                if (index >= 0)
                    album->GetPhotos().PhotoAt(index)->SetName(repaired);
            }
        }
    }

    m_photoWindow = m_navigation->GetPhotoWindow();
    if (PhotoFileExists(path)) {
        if (m_photoWindow) {
            TWaitCursor wait(*this);
            if (!m_photoWindow->ShowPhoto(path, index, count)) {
                m_photoWindow->hide();
            } else if (m_placeFirstPhotoWindow) {
                const QScreen* screen = QGuiApplication::primaryScreen();
                const int screenWidth = screen ? screen->geometry().width() : 0;
                m_photoWindow->move(screenWidth - m_photoWindow->frameGeometry().width() - 20, 20);
                m_placeFirstPhotoWindow = false;
            }
        }
    } else {
        if (m_photoWindow)
            m_photoWindow->HidePicture();
        const TLanguageSelector* texts = Language();
        ShowMessageBox(
            Text::Format(texts->MF[45], { path }), texts->MF[46], MessageBoxFlags::IconInformation);
    }

    const TPhoto* photo = nullptr;
    if (album) {
        const int shown = album->GetPhotos().IndexOfName(path);
        photo = shown >= 0 ? album->GetPhotos().PhotoAt(shown) : nullptr;
    }
    FillFields(album, photo, showObjects);
    ui.eb_PhotoName->setText(path);
    m_session.SetContentsChanged(contentsChanged);
}

void TPhotoInfoPanel::FillFields(const TAlbum* album, const TPhoto* photo, bool showObjects)
{
    const TFilling filling(*this);
    const TLanguageSelector* texts = Language();
    if (!album || !photo) {
        ui.eb_PhotoStatus->setText(texts->MF[47]);
        m_fields.Clear();
        return;
    }
    ui.eb_PhotoStatus->setText(texts->MF[48]);
    TPhotoInfoControls::Fields fields = TPhotoInfoControls::AllFields;
    if (!showObjects)
        fields &= ~TPhotoInfoControls::Fields(TPhotoInfoControls::Objects);
    m_fields.Write(TPhotoInfoSlot::Of(*photo, *album), fields);
}

void TPhotoInfoPanel::ShowPhotoObjects(const TPhoto& photo)
{
    const TFilling filling(*this);
    const TAlbum* album = m_session.Album();
    m_fields.Write(album ? TPhotoInfoSlot::Of(photo, *album) : TPhotoInfoSlot(), TPhotoInfoControls::Objects);
}

void TPhotoInfoPanel::ClearObjectChecks()
{
    const TFilling filling(*this);
    m_fields.Clear(TPhotoInfoControls::Objects);
}

void TPhotoInfoPanel::StorePhotoObjects(TPhoto& photo) const
{
    if (const TAlbum* album = m_session.Album())
        m_fields.Read().WriteObjectsTo(photo, *album);
    else
        photo.GetObjectIds().Clear();
}

std::unique_ptr<TPhoto> TPhotoInfoPanel::PhotoFromFields(TAlbum& album, const QString& path) const
{
    auto photo = std::make_unique<TPhoto>();
    photo->SetId(album.GetPhotos().TakeNextId());
    photo->SetName(path);
    m_fields.Read().WriteTo(*photo, album);
    return photo;
}

void TPhotoInfoPanel::PhotoAdded(const QString& path)
{
    if (ui.eb_PhotoName->text() != path)
        return;
    const TFilling filling(*this);
    ui.eb_PhotoStatus->setText(Language()->MF[48]);
}

bool TPhotoInfoPanel::ApplyInfoToSelectedPhoto(bool interactive)
{
    const TLanguageSelector* texts = Language();
    const int row = ui.lb_PhotosInAlbum->currentRow();
    if (row < 0 || ui.lb_PhotosInAlbum->count() == 0) {
        if (interactive)
            ShowMessageBox(texts->MF[49], texts->MF[50], MessageBoxFlags::IconWarning);
        return false;
    }
    const QString name = ui.eb_PhotoName->text();
    const QString old = ui.lb_PhotosInAlbum->item(row)->text();
    // The panel may show a file from the available photos while an album row
    // is current. An edit belongs to the photo the panel shows; putting that
    // file in the row's place would drop the row's photo and its labels.
    if (name != old) {
        if (interactive) {
            if (!ui.lb_PhotosInAlbum->findItems(name, Qt::MatchFixedString).isEmpty())
                ShowMessageBox(texts->MF[51], texts->MF[52], MessageBoxFlags::IconWarning);
            else
                ShowMessageBox(texts->MF[49], texts->MF[50], MessageBoxFlags::IconWarning);
        }
        return false;
    }
    TAlbum* album = m_session.Album();
    if (!album)
        return false;
    TPhotoList& photos = album->GetPhotos();
    // Under a filter the row is not the album position; the photo keeps its own.
    const int albumIndex = photos.IndexOfName(old);
    if (albumIndex < 0)
        return false;
    photos.Take(albumIndex);

    std::unique_ptr<TPhoto> photo = PhotoFromFields(*album, name);
    photos.Insert(albumIndex, std::move(photo));

    emit PhotoRecordReplaced(name);
    m_session.SetContentsChanged(true);
    return true;
}

void TPhotoInfoPanel::PhotoInfoChanged()
{
    if (m_infoEditsLive && !Filling())
        ApplyInfoToSelectedPhoto(false);
}

void TPhotoInfoPanel::mm_PhotoDescriptionChange()
{
    const QString text = ui.mm_PhotoDescription->toPlainText();
    if (Filling()) {
        m_description = text;
        return;
    }
    // Typing that would pass the limit is refused whole, wherever the cursor
    // stands, and the cursor stays put; a longer text the album brought may shrink.
    const qsizetype allowed = std::max<qsizetype>(MaxDescriptionLength, m_description.size());
    if (text.size() > allowed) {
        const TFilling filling(*this);
        const int editAt = int(std::min<qsizetype>(m_descriptionEditAt, m_description.size()));
        QScrollBar* scroll = ui.mm_PhotoDescription->verticalScrollBar();
        const int scrolled = scroll->value();
        ui.mm_PhotoDescription->setPlainText(m_description);
        QTextCursor cursor = ui.mm_PhotoDescription->textCursor();
        cursor.setPosition(editAt);
        ui.mm_PhotoDescription->setTextCursor(cursor);
        scroll->setValue(scrolled);
        return;
    }
    m_description = text;
    m_session.SetContentsChanged(true);
    PhotoInfoChanged();
}

void TPhotoInfoPanel::cb_EventChange()
{
    if (!Filling())
        PhotoInfoChanged();
}

void TPhotoInfoPanel::eb_YearChange()
{
    if (!Filling())
        PhotoInfoChanged();
}

void TPhotoInfoPanel::chb_DontPublishForTheInternetClick()
{
    if (!Filling())
        PhotoInfoChanged();
}

void TPhotoInfoPanel::lb_PhotoObjectsClick(QListWidgetItem* item)
{
    if (Filling() || !item)
        return;
    PhotoInfoChanged();
    const TFilling filling(*this);
    const QList<QListWidgetItem*> listed = ui.lb_SelectedObjects->findItems(item->text(), Qt::MatchExactly);
    if (item->checkState() == Qt::Checked) {
        if (listed.isEmpty())
            InsertLabelRow(ui.lb_SelectedObjects, item->text());
    } else {
        for (QListWidgetItem* each : listed)
            delete ui.lb_SelectedObjects->takeItem(ui.lb_SelectedObjects->row(each));
    }
}

void TPhotoInfoPanel::ShowSelectedAvailablePhoto()
{
    m_infoEditsLive = false;
    QListWidgetItem* item = ui.lsbPhotos->currentItem();
    if (!item)
        return;
    const QString path = Paths::IncludeTrailingSeparator(ui.stvPhotoFolders->Folder()) + item->text();
    item->setSelected(true);
    ShowPhoto(path, true, true);
    KeyboardBackTo(ui.lsbPhotos);
    m_infoEditsLive = true;
    m_navigation->SetActiveList(AvailablePhotos);
}

bool TPhotoInfoPanel::ShowSelectedAlbumPhoto(bool repairPath)
{
    bool shown = false;
    const int index = ui.lb_PhotosInAlbum->currentRow();
    const int count = ui.lb_PhotosInAlbum->count();
    if (count > 0 && index >= 0 && ui.lb_PhotosInAlbum->item(index)->isSelected()) {
        m_infoEditsLive = false;
        ShowPhoto(ui.lb_PhotosInAlbum->item(index)->text(), true, repairPath);
        {
            const QSignalBlocker block(ui.pb_UpDown);
            ui.pb_UpDown->setRange(0, std::max(0, count - 1));
            ui.pb_UpDown->setValue(index);
        }
        m_infoEditsLive = true;
        UpdatePhotoControls();
        // The names stay dark on the white list under a dark desktop palette.
        QPalette objects = ui.lb_PhotoObjects->palette();
        objects.setColor(QPalette::Base, Qt::white);
        objects.setColor(QPalette::Text, Qt::black);
        ui.lb_PhotoObjects->setPalette(objects);
        // A photo window's own buttons and keys take the keyboard again after.
        KeyboardBackTo(ui.lb_PhotosInAlbum);
        if (QListWidgetItem* item = ui.lb_PhotosInAlbum->item(index))
            item->setSelected(true);
        shown = true;
    }
    m_navigation->SetActiveList(AlbumPhotos);
    return shown;
}

void TPhotoInfoPanel::KeyboardBackTo(QWidget* list)
{
    // The photo window came to the front; the keyboard goes back to the list.
    m_page->window()->activateWindow();
    list->setFocus();
    // A window shown for the first time is activated only once the window
    // system has put it on screen, after this: take the keyboard back then.
    QWindow* shown = m_photoWindow ? m_photoWindow->windowHandle() : nullptr;
    if (!shown || shown->isExposed())
        return;
    auto* watch = new QObject(this);
    const QPointer<QWidget> target(list);
    connect(
        qApp, &QGuiApplication::focusWindowChanged, watch, [this, watch, shown, target](QWindow* focused) {
            QObject::disconnect(qApp, nullptr, watch, nullptr);
            watch->deleteLater();
            if (focused == shown && target) {
                m_page->window()->activateWindow();
                target->setFocus();
            }
        });
    // Should the window system not activate it at all, a later click on it is the user's.
    QTimer::singleShot(1000, watch, &QObject::deleteLater);
}

bool TPhotoInfoPanel::ShowAlbumPhotoFromList()
{
    const QString before = ui.eb_PhotoName->text();
    TPhotoInfoSlot shownBefore;
    CapturePhotoInfo(shownBefore);
    if (!ShowSelectedAlbumPhoto(true))
        return false;
    // What the user entered for the photo shown before is what "Reuse info
    // from previous photo" brings over, not the info of this photo itself.
    if (!before.isEmpty() && ui.eb_PhotoName->text() != before)
        m_previousSlot = shownBefore;
    return true;
}

bool TPhotoInfoPanel::PhotosInAlbumPageActive() const
{
    return ui.pc_Photos->currentWidget() == ui.ts_PhotosInAlbum;
}

void TPhotoInfoPanel::UpdatePhotoControls()
{
    const bool editable = PhotosInAlbumPageActive();
    m_fields.SetEditable(editable, m_page->palette().color(editable ? QPalette::Base : QPalette::Button));
    emit PhotoControlsUpdated();
}

void TPhotoInfoPanel::PhotoFileRenamed(const QString& oldPath, const QString& newPath)
{
    if (ui.eb_PhotoName->text() == oldPath) {
        const TFilling filling(*this);
        ui.eb_PhotoName->setText(newPath);
    }
    if (TPhotoWindowList* windows = m_host.PhotoWindows())
        windows->FileRenamed(oldPath, newPath);
}

void TPhotoInfoPanel::ClearPhotoFields()
{
    const TFilling filling(*this);
    ui.eb_PhotoStatus->clear();
    ui.eb_PhotoName->clear();
    // Whether a photo may be published is left as the user set it last.
    m_fields.Clear(TPhotoInfoControls::AllFields & ~TPhotoInfoControls::Fields(TPhotoInfoControls::Publish));
}

void TPhotoInfoPanel::ClearPhotoPanel()
{
    const TFilling filling(*this);
    ClearPhotoFields();
    ui.cb_Event->clear();
    ui.lb_PhotoObjects->clear();
    UpdatePhotoControls();
}

void TPhotoInfoPanel::FillLabelLists(const TAlbum& album)
{
    const TFilling filling(*this);
    // Checks and the chosen event are kept by id: a label renamed since the
    // lists were filled is still the one the user chose.
    QList<int> checked;
    for (int i = 0; i < ui.lb_PhotoObjects->count(); ++i) {
        const QListWidgetItem* item = ui.lb_PhotoObjects->item(i);
        if (item->checkState() == Qt::Checked)
            checked.append(LabelId(item->data(LabelIdRole), album.ObjectIdByName(item->text())));
    }
    ui.lb_PhotoObjects->clear();
    QList<const TEntity*> objects;
    for (int i = 0; i < album.GetObjects().Count(); ++i)
        objects.append(album.GetObjects().ItemAt(i));
    SortLabels(objects, [](const TEntity* each) { return each->GetName(); });
    for (const TEntity* object : std::as_const(objects)) {
        auto* item = new QListWidgetItem(object->GetName());
        item->setData(LabelIdRole, object->GetId());
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(checked.contains(object->GetId()) ? Qt::Checked : Qt::Unchecked);
        ui.lb_PhotoObjects->addItem(item);
    }
    ui.lb_SelectedObjects->clear();
    for (int i = 0; i < ui.lb_PhotoObjects->count(); ++i)
        if (ui.lb_PhotoObjects->item(i)->checkState() == Qt::Checked)
            ui.lb_SelectedObjects->addItem(ui.lb_PhotoObjects->item(i)->text());

    const int current = ui.cb_Event->currentIndex();
    const int event = current > 0 ? LabelId(ui.cb_Event->itemData(current, LabelIdRole),
                          album.EventIdByName(ui.cb_Event->currentText()))
                                  : -1;
    ui.cb_Event->clear();
    ui.cb_Event->addItem(QStringLiteral(" "));
    QList<const TEntity*> events;
    for (int i = 0; i < album.GetEvents().Count(); ++i)
        events.append(album.GetEvents().ItemAt(i));
    SortLabels(events, [](const TEntity* each) { return each->GetName(); });
    for (const TEntity* each : events)
        ui.cb_Event->addItem(each->GetName(), each->GetId());
    ui.cb_Event->setCurrentIndex(current > 0 ? ui.cb_Event->findData(event, LabelIdRole) : -1);
}

void TPhotoInfoPanel::RefreshLabelLists()
{
    const TAlbum* album = m_session.Album();
    if (!album)
        return;
    const TFilling filling(*this);
    FillLabelLists(*album);
    // Labels of the shown photo may have been merged into others or taken
    // off it; the panel must show its record as it is now, or the next edit
    // would write the old labels back.
    const int shown = album->GetPhotos().IndexOfName(ui.eb_PhotoName->text());
    if (shown < 0)
        return;
    m_fields.Write(TPhotoInfoSlot::Of(*album->GetPhotos().PhotoAt(shown), *album),
        TPhotoInfoControls::Event | TPhotoInfoControls::Objects);
}

void TPhotoInfoPanel::ts_PhotosEnter()
{
    const TAlbum* album = m_session.Album();
    if (!album)
        return;
    FillLabelLists(*album);
    // The checks of an album photo are shown from its record: every edit
    // writes them back, so they must be its own and not what the list held.
    if (PhotosInAlbumPageActive()) {
        const QString shown = ui.eb_PhotoName->text();
        ShowPhoto(shown, album->GetPhotos().IndexOfName(shown) >= 0, true);
    }
}

void TPhotoInfoPanel::CapturePhotoInfo(TPhotoInfoSlot& slot) const
{
    slot = m_fields.Read();
}

void TPhotoInfoPanel::ApplyPhotoInfo(const TPhotoInfoSlot& slot)
{
    {
        const TFilling filling(*this);
        ui.lb_PhotoObjects->clearSelection();
        m_fields.Write(slot);
    }
    PhotoInfoChanged();
}

void TPhotoInfoPanel::pb_CopyInfoClick()
{
    ui.pb_PasteInfo->setEnabled(true);
    CapturePhotoInfo(m_copySlot);
}

void TPhotoInfoPanel::pb_PasteInfoClick()
{
    ApplyPhotoInfo(m_copySlot);
}

void TPhotoInfoPanel::btnReuseInfoPreviousPhotoClick()
{
    ApplyPhotoInfo(m_previousSlot);
}

void TPhotoInfoPanel::btnGoToNextPhotoClick()
{
    const int count = ui.lb_PhotosInAlbum->count();
    if (count == 0)
        return;
    const int current = ui.lb_PhotosInAlbum->currentRow();
    ui.lb_PhotosInAlbum->clearSelection();
    CapturePhotoInfo(m_previousSlot);
    const int next = current < 0 || current >= count - 1 ? 0 : current + 1;
    ui.lb_PhotosInAlbum->setCurrentRow(next, QItemSelectionModel::ClearAndSelect);
    ShowSelectedAlbumPhoto(true);
    ui.btnReuseInfoPreviousPhoto->setEnabled(true);
}

void TPhotoInfoPanel::lsbPhotosClick()
{
    ShowSelectedAvailablePhoto();
}
