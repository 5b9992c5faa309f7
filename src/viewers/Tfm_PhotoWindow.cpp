// SPDX-License-Identifier: GPL-2.0-or-later
#include "viewers/Tfm_PhotoWindow.h"

#include "ui_Tfm_PhotoWindow.h"

#include "common/DialogService.h"
#include "imaging/ImageLoader.h"
#include "imaging/JpegCodec.h"
#include "imaging/PictureDrawing.h"
#include "language/LanguageSelector.h"
#include "model/StreamError.h"
#include "platform/IniFile.h"
#include "platform/Paths.h"
#include "platform/TextUtil.h"
#include "viewers/PhotoImage.h"
#include "viewers/PhotoWindowList.h"
#include "viewers/ViewerColours.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollBar>

#include <cstdlib>
#include <exception>

namespace {

const QColor WindowColour(222, 235, 250);

int StepToward(int distance, int increment)
{
    if (std::abs(distance) < increment)
        return 0;
    return distance > 0 ? 1 : -1;
}

} // namespace

Tfm_PhotoWindow::Tfm_PhotoWindow(
    TPhotoWindowList* windowList, const TPhotoNavigation& navigation, IniFile* ini)
    : QWidget(nullptr, Qt::Window | Qt::WindowStaysOnTopHint)
    , ui(std::make_unique<Ui::Tfm_PhotoWindow>())
    , m_navigation(navigation)
    , m_ini(ini)
    , m_windowList(windowList)
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("fm_PhotoWindow"));

    PaintLightBackground(this, WindowColour);
    ui->scbPhoto->viewport()->setAutoFillBackground(false);
    ui->im_Photo->setAutoFillBackground(false);

    QFont waitFont = ui->lblWait->font();
    waitFont.setPixelSize(16);
    ui->lblWait->setFont(waitFont);
    ui->lblWait->hide();

    BuildPopupMenu();

    connect(ui->btnPrevious, &QPushButton::clicked, this, &Tfm_PhotoWindow::btnPreviousClick);
    connect(ui->btnNext, &QPushButton::clicked, this, &Tfm_PhotoWindow::btnNextClick);
    connect(ui->btnFirst, &QPushButton::clicked, this, &Tfm_PhotoWindow::btnFirstClick);
    connect(ui->btnLast, &QPushButton::clicked, this, &Tfm_PhotoWindow::btnLastClick);
    connect(ui->btnRotateRight, &QPushButton::clicked, this, &Tfm_PhotoWindow::btnRotateRightClick);
    connect(ui->btnRotateLeft, &QPushButton::clicked, this, &Tfm_PhotoWindow::btnRotateLeftClick);
    connect(ui->btnMoreOptions, &QPushButton::clicked, this, &Tfm_PhotoWindow::btnMoreOptionsClick);
    connect(ui->chbDontResize, &QCheckBox::clicked, this, &Tfm_PhotoWindow::chbDontResizeClick);
    connect(ui->chbOpenNewWindowForEachPhoto, &QCheckBox::clicked, this,
        &Tfm_PhotoWindow::chbOpenNewWindowForEachPhotoClick);

    // The window sees every key first, whichever of its controls has the focus.
    const QList<QWidget*> children = findChildren<QWidget*>();
    for (QWidget* child : children)
        child->installEventFilter(this);
    ui->scbPhoto->viewport()->installEventFilter(this);
    ui->im_Photo->setMouseTracking(true);

    // The first window stands in the middle of the desktop; the list moves
    // later ones elsewhere.
    resize(size().expandedTo(minimumSizeHint()));
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect desktop = screen->availableGeometry();
        move(desktop.center() - rect().center());
    }

    setWindowTitle(Language()->Title + QStringLiteral(" - ") + Language()->PW[0]);
    ApplyLanguage();
    UpdateMenuState();
}

Tfm_PhotoWindow::~Tfm_PhotoWindow()
{
    if (m_windowList)
        m_windowList->Forget(this);
}

void Tfm_PhotoWindow::BuildPopupMenu()
{
    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("ppmPhotoWindow"));
    auto addItem = [this](const char* name, void (Tfm_PhotoWindow::*handler)()) {
        QAction* action = m_popup->addAction(QString());
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    pmiViewPhotoWithDefaultViewer
        = addItem("pmiViewPhotoWithDefaultViewer", &Tfm_PhotoWindow::pmiViewPhotoWithDefaultViewerClick);
    pmiOpenPhotoFolderInExplorer
        = addItem("pmiOpenPhotoFolderInExplorer", &Tfm_PhotoWindow::pmiOpenPhotoFolderInExplorerClick);
    m_popup->addSeparator()->setObjectName(QStringLiteral("N1"));
    pmiSavefileOnlyAsJpg = m_popup->addAction(QString());
    pmiSavefileOnlyAsJpg->setObjectName(QStringLiteral("pmiSavefileOnlyAsJpg"));
    connect(pmiSavefileOnlyAsJpg, &QAction::triggered, this, [this] { pmiSavefileOnlyAsJpgClick(); });
    pmiCopyImageToClipboard
        = addItem("pmiCopyImageToClipboard", &Tfm_PhotoWindow::pmiCopyImageToClipboardClick);
    m_popup->addSeparator()->setObjectName(QStringLiteral("N2"));
    mmiCloseAllPhotoWindows
        = addItem("mmiCloseAllPhotoWindows", &Tfm_PhotoWindow::mmiCloseAllPhotoWindowsClick);
}

void Tfm_PhotoWindow::ApplyLanguage()
{
    const TLanguageSelector* language = Language();
    ui->btnPrevious->setText(language->PW[1]);
    ui->btnNext->setText(language->PW[2]);
    ui->btnFirst->setText(language->PW[3]);
    ui->btnLast->setText(language->PW[4]);
    ui->btnMoreOptions->setText(language->PW[5]);
    ui->btnRotateLeft->setText(language->PW[6]);
    ui->btnRotateRight->setText(language->PW[7]);
    pmiOpenPhotoFolderInExplorer->setText(language->PW[8]);
    pmiViewPhotoWithDefaultViewer->setText(language->PW[9]);
    ui->chbDontResize->setText(language->PW[10]);
    pmiSavefileOnlyAsJpg->setText(language->PW[12]);
    pmiCopyImageToClipboard->setText(language->PW[13]);
    ui->chbOpenNewWindowForEachPhoto->setText(language->PW[14]);
    mmiCloseAllPhotoWindows->setText(language->PW[15]);
}

TPhotoWindowList* Tfm_PhotoWindow::WindowList() const
{
    return m_windowList;
}

const QImage& Tfm_PhotoWindow::Picture() const
{
    return ui->im_Photo->Picture();
}

bool Tfm_PhotoWindow::HasShownPicture() const
{
    return !Picture().isNull() && m_picturePath == m_loadingPath;
}

bool Tfm_PhotoWindow::ShowPhoto(const QString& fileName, int index, int count)
{
    raise();
    ui->lblWait->adjustSize();
    ui->lblWait->move((width() - ui->lblWait->width()) / 2, (height() - ui->lblWait->height()) / 2);
    ui->lblWait->show();
    ui->lblWait->raise();
    ui->lblWait->repaint();
    BeginWait();
    bool waiting = true;
    try {
        TPhotoImage* image = ui->im_Photo;
        image->hide();
        m_loadingPath = fileName;
        // Without this a failed load would leave the last photo's pixels
        // standing under the new file's name, ready to be saved over it.
        image->Picture() = QImage();
        m_picturePath.clear();
        m_loading = true;

        const bool loaded = LoadImageFile(fileName, image->Picture());
        if (loaded) {
            m_picturePath = fileName;
            image->show();
        }
        image->PictureChanged();

        ui->lblWait->hide();
        waiting = false;
        EndWait();

        setWindowTitle(QStringLiteral("Tavrimolex - ") + Paths::ExtractFileName(fileName)
            + QStringLiteral(" - ") + fileName);
        m_fileName = fileName;
        ui->lblIdx->setText(QString::number(index + 1));
        ui->lblCnt->setText(QString::number(count));
        UpdatePictureLabels();
        ApplyResizeMode();
        m_showsPhoto = true;
        UpdateMenuState();
        return true;
    } catch (const std::exception& error) {
        ui->im_Photo->hide();
        ui->lblWait->hide();
        UpdateMenuState();
        ShowMessage(ExceptionMessage(error));
        if (waiting)
            EndWait();
        return false;
    }
}

void Tfm_PhotoWindow::FileRenamed(const QString& oldPath, const QString& newPath)
{
    if (m_loadingPath == oldPath)
        m_loadingPath = newPath;
    if (m_picturePath == oldPath)
        m_picturePath = newPath;
    if (m_fileName != oldPath)
        return;
    m_fileName = newPath;
    setWindowTitle(
        QStringLiteral("Tavrimolex - ") + Paths::ExtractFileName(newPath) + QStringLiteral(" - ") + newPath);
    UpdateMenuState();
}

void Tfm_PhotoWindow::UpdatePictureLabels()
{
    const QImage& picture = Picture();
    // No picture has no size; "0 x 0" would read as a picture of nothing.
    ui->lblWidth->setText(picture.isNull() ? QString() : QString::number(picture.width()));
    ui->lblHeight->setText(picture.isNull() ? QString() : QString::number(picture.height()));
    if (!ui->im_Photo->Fit())
        ui->im_Photo->resize(picture.size());
}

void Tfm_PhotoWindow::UpdateMenuState()
{
    const bool hasFile = !m_fileName.isEmpty();
    pmiViewPhotoWithDefaultViewer->setEnabled(hasFile);
    pmiOpenPhotoFolderInExplorer->setEnabled(hasFile);
    const bool hasPicture = HasShownPicture();
    pmiSavefileOnlyAsJpg->setEnabled(hasPicture);
    pmiCopyImageToClipboard->setEnabled(hasPicture);
}

void Tfm_PhotoWindow::ApplyResizeMode()
{
    const bool scrollBars = ui->chbDontResize->isChecked();
    TPhotoImage* image = ui->im_Photo;
    image->SetFit(!scrollBars);
    if (scrollBars) {
        ui->scbPhoto->setWidgetResizable(false);
        ui->scbPhoto->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        ui->scbPhoto->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        image->resize(image->Picture().size());
    } else {
        ui->scbPhoto->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        ui->scbPhoto->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        ui->scbPhoto->setWidgetResizable(true);
        image->resize(ui->scbPhoto->viewport()->size());
    }
    WriteSetting(KeyDontAutoResize, scrollBars);
}

void Tfm_PhotoWindow::HidePicture()
{
    ui->im_Photo->hide();
    // The numbers and size of the photo shown before do not belong to the missing one.
    for (QLabel* label : { ui->lblIdx, ui->lblCnt, ui->lblWidth, ui->lblHeight })
        label->clear();
}

void Tfm_PhotoWindow::WriteSetting(const QString& key, bool value)
{
    if (!m_ini)
        return;
    // Every photo shown writes this key; spare the disk when nothing changes.
    const int stored = value ? 1 : 0;
    if (m_ini->ValueExists(SettingsSection, key) && m_ini->ReadInteger(SettingsSection, key, -1) == stored
        && m_ini->ReadString(SettingsSection, key, QString()) == QString::number(stored))
        return;
    m_ini->WriteInteger(SettingsSection, key, stored);
}

bool Tfm_PhotoWindow::OpensNewWindowForEachPhoto() const
{
    return ui->chbOpenNewWindowForEachPhoto->isChecked();
}

bool Tfm_PhotoWindow::GetOpenNewWindowForEachPhoto() const
{
    return ui->chbOpenNewWindowForEachPhoto->isChecked();
}

void Tfm_PhotoWindow::SetOpenNewWindowForEachPhoto(bool value)
{
    ui->chbOpenNewWindowForEachPhoto->setChecked(value);
}

bool Tfm_PhotoWindow::CopyImageToClipboard()
{
    if (!HasShownPicture())
        return false;
    QGuiApplication::clipboard()->setImage(Picture());
    return true;
}

QString Tfm_PhotoWindow::JpegTargetFor(const QString& path)
{
    return Paths::ExtractFilePath(path)
        + Paths::ChangeFileExt(Paths::ExtractFileName(path), QStringLiteral(".jpg"));
}

void Tfm_PhotoWindow::FocusThis()
{
    activateWindow();
    setFocus();
}

void Tfm_PhotoWindow::btnPreviousClick()
{
    const QPointer<Tfm_PhotoWindow> self(this);
    m_navigation.Previous(ui->btnPrevious);
    if (self)
        FocusThis();
}

void Tfm_PhotoWindow::btnNextClick()
{
    const QPointer<Tfm_PhotoWindow> self(this);
    m_navigation.Next(ui->btnNext);
    if (self)
        FocusThis();
}

void Tfm_PhotoWindow::btnFirstClick()
{
    const QPointer<Tfm_PhotoWindow> self(this);
    m_navigation.First(ui->btnFirst);
    if (self)
        FocusThis();
}

void Tfm_PhotoWindow::btnLastClick()
{
    const QPointer<Tfm_PhotoWindow> self(this);
    m_navigation.Last(ui->btnLast);
    if (self)
        FocusThis();
}

void Tfm_PhotoWindow::RotateBy(int degrees)
{
    if (Picture().isNull())
        return;
    TWaitCursor wait(*this);
    RotateImage(ui->im_Photo->Picture(), degrees);
    ui->im_Photo->PictureChanged();
    UpdatePictureLabels();
}

void Tfm_PhotoWindow::btnRotateRightClick()
{
    RotateBy(90);
}

void Tfm_PhotoWindow::btnRotateLeftClick()
{
    RotateBy(-90);
}

void Tfm_PhotoWindow::btnMoreOptionsClick()
{
    QPushButton* button = ui->btnMoreOptions;
    m_popup->popup(button->mapToGlobal(QPoint(0, button->height())));
}

void Tfm_PhotoWindow::chbDontResizeClick()
{
    ApplyResizeMode();
}

void Tfm_PhotoWindow::chbOpenNewWindowForEachPhotoClick()
{
    WriteSetting(KeyOpenNewWindow, ui->chbOpenNewWindowForEachPhoto->isChecked());
    if (m_windowList)
        m_windowList->PropagateShowNewWindow(this);
}

void Tfm_PhotoWindow::pmiViewPhotoWithDefaultViewerClick()
{
    if (!m_fileName.isEmpty())
        Dialogs().ShellOpen(m_fileName);
}

void Tfm_PhotoWindow::pmiOpenPhotoFolderInExplorerClick()
{
    if (!m_fileName.isEmpty())
        Dialogs().ShellOpen(Paths::ExtractFilePath(m_fileName));
}

bool Tfm_PhotoWindow::pmiSavefileOnlyAsJpgClick()
{
    // Only the picture decoded from the file last asked for may be written
    // under that file's name.
    if (!HasShownPicture())
        return false;
    const QString target = JpegTargetFor(m_loadingPath);
    QString error;
    if (!SaveJpegFile(Picture(), target, 100, &error)) {
        ShowMessage(EStreamError::CreateError(target, error).Message());
        return false;
    }
    ShowMessage(Text::Format(Language()->PW[11], { target }));
    return true;
}

void Tfm_PhotoWindow::pmiCopyImageToClipboardClick()
{
    CopyImageToClipboard();
}

void Tfm_PhotoWindow::mmiCloseAllPhotoWindowsClick()
{
    if (m_windowList)
        m_windowList->CloseAll();
}

void Tfm_PhotoWindow::ReadSettings()
{
    if (!m_ini)
        return;
    // Setting a box from the file acts as a click would, so the settings
    // another window changed reach this one when it becomes active.
    const bool dontResize = m_ini->ReadInteger(SettingsSection, KeyDontAutoResize, 0) == 1;
    if (ui->chbDontResize->isChecked() != dontResize) {
        ui->chbDontResize->setChecked(dontResize);
        chbDontResizeClick();
    }
    const bool openNew = m_ini->ReadInteger(SettingsSection, KeyOpenNewWindow, 0) == 1;
    if (ui->chbOpenNewWindowForEachPhoto->isChecked() != openNew) {
        ui->chbOpenNewWindowForEachPhoto->setChecked(openNew);
        chbOpenNewWindowForEachPhotoClick();
    }
}

void Tfm_PhotoWindow::FormActivate()
{
    ReadSettings();
}

bool Tfm_PhotoWindow::FormKeyUp(int key, Qt::KeyboardModifiers modifiers)
{
    const bool ctrl = modifiers.testFlag(Qt::ControlModifier);
    const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
    // The window that asked keeps the keyboard, so that keys pressed in a row
    // keep stepping; the opener may have freed it meanwhile.
    auto step = [this](void (TPhotoNavigation::*go)(QObject*) const) {
        const QPointer<Tfm_PhotoWindow> self(this);
        (m_navigation.*go)(this);
        if (self)
            FocusThis();
        return true;
    };
    switch (key) {
    case Qt::Key_End:
        return step(&TPhotoNavigation::Last);
    case Qt::Key_Home:
        return step(&TPhotoNavigation::First);
    case Qt::Key_Up:
        return ctrl && step(&TPhotoNavigation::Previous);
    case Qt::Key_Down:
        return ctrl && step(&TPhotoNavigation::Next);
    case Qt::Key_Plus:
        return keypad && step(&TPhotoNavigation::Next);
    case Qt::Key_Minus:
        return keypad && step(&TPhotoNavigation::Previous);
    case Qt::Key_C:
        if (!ctrl)
            return false;
        CopyImageToClipboard();
        return true;
    default:
        return false;
    }
}

void Tfm_PhotoWindow::keyReleaseEvent(QKeyEvent* event)
{
    if (!event->isAutoRepeat() && FormKeyUp(event->key(), event->modifiers()))
        event->accept();
    else
        QWidget::keyReleaseEvent(event);
}

bool Tfm_PhotoWindow::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyRelease: {
        // The popup menu is a child too, but its keys choose menu items.
        if (watched == m_popup)
            break;
        auto* key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat() && FormKeyUp(key->key(), key->modifiers()))
            return true;
        break;
    }
    case QEvent::MouseButtonPress:
        if (watched == ui->im_Photo)
            im_PhotoMouseDown(static_cast<QMouseEvent*>(event));
        break;
    case QEvent::MouseMove:
        if (watched == ui->im_Photo)
            im_PhotoMouseMove(static_cast<QMouseEvent*>(event));
        break;
    case QEvent::MouseButtonRelease:
        if (watched == ui->im_Photo)
            im_PhotoMouseUp(static_cast<QMouseEvent*>(event));
        else if (watched == ui->scbPhoto->viewport())
            scbPhotoMouseUp();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

bool Tfm_PhotoWindow::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        FormActivate();
    return QWidget::event(event);
}

void Tfm_PhotoWindow::im_PhotoMouseDown(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !ui->chbDontResize->isChecked())
        return;
    const QPoint position = event->position().toPoint();
    m_dragStartX = position.x();
    m_dragStartY = position.y();
    ui->im_Photo->setCursor(Qt::ClosedHandCursor);
}

void Tfm_PhotoWindow::im_PhotoMouseMove(QMouseEvent* event)
{
    if (!ui->chbDontResize->isChecked() || !event->buttons().testFlag(Qt::LeftButton) || m_dragStartX == -1) {
        ui->im_Photo->unsetCursor();
        return;
    }
    const QPoint position = event->position().toPoint();
    QScrollBar* horizontal = ui->scbPhoto->horizontalScrollBar();
    QScrollBar* vertical = ui->scbPhoto->verticalScrollBar();
    // However far the mouse moved, one increment per move: the picture
    // follows the hand in steady steps.
    const int stepX = StepToward(position.x() - m_dragStartX, horizontal->singleStep());
    const int stepY = StepToward(position.y() - m_dragStartY, vertical->singleStep());
    // Both positions are always set (the scroll bars clamp them), so that
    // panning can reach the top-left corner again.
    horizontal->setValue(horizontal->value() + stepX * horizontal->singleStep());
    vertical->setValue(vertical->value() + stepY * vertical->singleStep());
    if (stepX != 0)
        m_dragStartX = position.x();
    if (stepY != 0)
        m_dragStartY = position.y();
}

void Tfm_PhotoWindow::im_PhotoMouseUp(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        m_popup->popup(event->globalPosition().toPoint());
        return;
    }
    // The image lies inside the scroll box, and the image keeps the mouse
    // while a button is held, so its release ends a drag as well.
    scbPhotoMouseUp();
}

void Tfm_PhotoWindow::scbPhotoMouseUp()
{
    ui->im_Photo->unsetCursor();
    m_dragStartX = -1;
    m_dragStartY = -1;
}

void Tfm_PhotoWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    ui->lblWait->adjustSize();
    ui->lblWait->move((width() - ui->lblWait->width()) / 2, (height() - ui->lblWait->height()) / 2);
    if (!m_loading)
        ui->lblWait->hide();
    m_loading = false;
}

void Tfm_PhotoWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (m_windowList)
        m_windowList->DeregisterForm(this);
}
