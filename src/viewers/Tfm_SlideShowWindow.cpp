// SPDX-License-Identifier: GPL-2.0-or-later
#include "viewers/Tfm_SlideShowWindow.h"

#include "ui_Tfm_SlideShowWindow.h"

#include "common/DialogService.h"
#include "imaging/ImageLoader.h"
#include "imaging/PictureDrawing.h"
#include "language/LanguageSelector.h"
#include "model/Album.h"
#include "model/StreamError.h"
#include "platform/Paths.h"
#include "viewers/PhotoImage.h"
#include "viewers/SlideShowSettings.h"
#include "viewers/ViewerColours.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>

#include <exception>

namespace {

const QColor Cream(255, 251, 240);

} // namespace

Tfm_SlideShowWindow::Tfm_SlideShowWindow(IniFile* ini)
    : QWidget(nullptr, Qt::Window | Qt::WindowStaysOnTopHint)
    , ui(std::make_unique<Ui::Tfm_SlideShowWindow>())
    , m_ini(ini)
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("fm_SlideShowWindow"));
    PaintLightBackground(this, Cream);
    ui->im_SlideShowPhoto->SetFit(true);
    // Options keep to the left and the photo's numbers to the right, also
    // while the timer's controls between them are hidden.
    ui->layoutSlideShowActions->insertStretch(ui->layoutSlideShowActions->indexOf(ui->pnlPhotoInfo));
    // A click on the bottom panel is no click on the window.
    ui->pl_SlideShowActions->setAttribute(Qt::WA_NoMousePropagation);

    m_wait = new QTimer(this);
    m_wait->setObjectName(QStringLiteral("ti_Wait"));
    m_wait->setInterval(1000);
    connect(m_wait, &QTimer::timeout, this, &Tfm_SlideShowWindow::ti_WaitTimer);

    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("ppmSlideShow"));
    pmiViewPhotoWithDefaultViewer = m_popup->addAction(QString());
    pmiViewPhotoWithDefaultViewer->setObjectName(QStringLiteral("pmiViewPhotoWithDefaultViewer"));
    pmiOpenPhotoFolderInExplorer = m_popup->addAction(QString());
    pmiOpenPhotoFolderInExplorer->setObjectName(QStringLiteral("pmiOpenPhotoFolderInExplorer"));
    connect(pmiViewPhotoWithDefaultViewer, &QAction::triggered, this,
        &Tfm_SlideShowWindow::pmiViewPhotoWithDefaultViewerClick);
    connect(pmiOpenPhotoFolderInExplorer, &QAction::triggered, this,
        &Tfm_SlideShowWindow::pmiOpenPhotoFolderInExplorerClick);

    connect(ui->pb_Pause, &QPushButton::clicked, this, &Tfm_SlideShowWindow::pb_PauseClick);
    connect(ui->pb_Continue, &QPushButton::clicked, this, &Tfm_SlideShowWindow::pb_ContinueClick);
    connect(ui->pb_MoreOptions, &QPushButton::clicked, this, &Tfm_SlideShowWindow::pb_MoreOptionsClick);

    // Key preview: the window sees every key first, whichever control has the focus.
    const QList<QWidget*> children = findChildren<QWidget*>();
    for (QWidget* child : children)
        child->installEventFilter(this);

    setWindowTitle(Language()->Title + QStringLiteral(" - ") + Language()->SS[0]);
    ApplyLanguage();
}

Tfm_SlideShowWindow::~Tfm_SlideShowWindow() = default;

void Tfm_SlideShowWindow::ApplyLanguage()
{
    const TLanguageSelector& t = *Language();
    ui->st_SecondstoGo->setText(t.SS[1]);
    ui->pb_Pause->setText(t.SS[2]);
    ui->pb_Continue->setText(t.SS[3]);
    ui->pb_MoreOptions->setText(t.SS[4]);
    pmiOpenPhotoFolderInExplorer->setText(t.SS[5]);
    pmiViewPhotoWithDefaultViewer->setText(t.SS[6]);
}

const QImage& Tfm_SlideShowWindow::Picture() const
{
    return ui->im_SlideShowPhoto->Picture();
}

void Tfm_SlideShowWindow::SetAlbum(TAlbum* album)
{
    m_album = album;
}

void Tfm_SlideShowWindow::Start(TSlideShowSettings* settings, QChar driveLetter)
{
    if (!m_album || !settings)
        return;
    show();
    m_wait->stop();
    setWindowState(settings->Maximize ? (windowState() | Qt::WindowMaximized)
                                      : (windowState() & ~(Qt::WindowMaximized | Qt::WindowMinimized)));
    raise();
    activateWindow();
    m_driveLetter = driveLetter;
    m_running = true;
    m_nextIndex = 0;
    m_settings = settings;
    // A pause belongs to the show it was made in.
    m_paused = false;
    ui->pb_Pause->setEnabled(true);
    ui->pb_Continue->setEnabled(false);
    ui->pl_TimerActions->setVisible(settings->ChangesOnTime());
    ShowNext();
}

void Tfm_SlideShowWindow::Stop()
{
    m_running = false;
    m_wait->stop();
    hide();
}

bool Tfm_SlideShowWindow::TryShow(int index, int count)
{
    const TPhoto* photo = m_album->GetPhotos().PhotoAt(index);
    QString path = photo->GetName();
    // A photo on a drive that now has another letter: try the given letter.
    if (!PhotoFileExists(path) && Paths::HasDriveLetter(path) && m_driveLetter.isLetter())
        path[0] = m_driveLetter;
    m_currentPath = path;
    if (!PhotoFileExists(path))
        return false;

    TPhotoImage* image = ui->im_SlideShowPhoto;
    image->hide();
    QImage& picture = image->Picture();
    const bool loaded = LoadImageFile(path, picture);
    if (loaded && m_settings->Rotate) {
        TWaitCursor wait(*this);
        RotateImage(picture, m_settings->Rotation);
    }
    image->PictureChanged();
    if (!loaded)
        return false;

    m_countdown = m_settings->GetSeconds();
    ShowCountdown();
    image->show();
    ui->lblIdx->setText(QString::number(index + 1));
    ui->lblCnt->setText(QString::number(count));
    ui->lblWidth->setText(QString::number(picture.width()));
    ui->lblHeight->setText(QString::number(picture.height()));
    const TLanguageSelector& t = *Language();
    setWindowTitle(t.Title + QStringLiteral(" - ") + t.SS[7] + QStringLiteral(" - ") + path);
    return true;
}

void Tfm_SlideShowWindow::ShowNext()
{
    m_wait->stop();
    // Missing and undecodable photos are skipped in this loop; each pass
    // moves on by one, so it ends at the latest at the end of the album.
    while (m_running && m_album && m_settings) {
        const int count = m_album->GetPhotos().Count();
        if (count == 0) {
            Stop();
            return;
        }
        // Photos may have left the album since the last one was shown.
        if (m_nextIndex >= count || m_nextIndex < 0)
            m_nextIndex = 0;
        bool shown = false;
        try {
            shown = TryShow(m_nextIndex, count);
        } catch (const std::exception& error) {
            ShowMessage(ExceptionMessage(error));
        }
        ++m_nextIndex;
        if (shown) {
            if (m_settings->ChangesOnTime())
                StartTimerUnlessPaused();
            return;
        }
        if (m_nextIndex >= count) {
            Stop();
            return;
        }
    }
}

void Tfm_SlideShowWindow::StartTimerUnlessPaused()
{
    if (!m_paused)
        m_wait->start();
}

void Tfm_SlideShowWindow::ShowCountdown()
{
    ui->lb_TimeInSeconds->setText(QString::number(m_countdown));
}

void Tfm_SlideShowWindow::ti_WaitTimer()
{
    --m_countdown;
    if (m_countdown < 1)
        ShowNext();
    else
        ShowCountdown();
}

void Tfm_SlideShowWindow::MouseAdvance(Qt::MouseButton button)
{
    if (m_running && m_settings && button == Qt::LeftButton && m_settings->ChangesOnLeftMouse())
        ShowNext();
}

bool Tfm_SlideShowWindow::FormKeyPress(QChar key)
{
    if (!m_running || !m_settings)
        return false;
    if (key == u' ') {
        if (m_settings->ChangesOnSpaceBar())
            ShowNext();
        return true;
    }
    Stop();
    return true;
}

void Tfm_SlideShowWindow::pb_PauseClick()
{
    m_paused = true;
    m_wait->stop();
    ui->pb_Continue->setEnabled(true);
    ui->pb_Pause->setEnabled(false);
}

void Tfm_SlideShowWindow::pb_ContinueClick()
{
    m_paused = false;
    if (m_running && m_settings && m_settings->ChangesOnTime())
        m_wait->start();
    ui->pb_Continue->setEnabled(false);
    ui->pb_Pause->setEnabled(true);
}

void Tfm_SlideShowWindow::pb_MoreOptionsClick()
{
    QPushButton* button = ui->pb_MoreOptions;
    m_popup->popup(button->mapToGlobal(QPoint(0, button->height())));
}

void Tfm_SlideShowWindow::pmiViewPhotoWithDefaultViewerClick()
{
    if (m_currentPath.isEmpty())
        return;
    pb_PauseClick();
    Dialogs().ShellOpen(m_currentPath);
}

void Tfm_SlideShowWindow::pmiOpenPhotoFolderInExplorerClick()
{
    if (m_currentPath.isEmpty())
        return;
    pb_PauseClick();
    Dialogs().ShellOpen(Paths::ExtractFilePath(m_currentPath));
}

bool Tfm_SlideShowWindow::KeyEvent(QKeyEvent* event)
{
    // Only keys that type a character count, as with a key press; Escape is one.
    QString text = event->text();
    if (text.isEmpty() && event->key() == Qt::Key_Escape)
        text = QString(QChar(27));
    if (text.isEmpty())
        return false;
    return FormKeyPress(text.at(0));
}

void Tfm_SlideShowWindow::keyPressEvent(QKeyEvent* event)
{
    if (KeyEvent(event))
        event->accept();
    else
        QWidget::keyPressEvent(event);
}

void Tfm_SlideShowWindow::mousePressEvent(QMouseEvent* event)
{
    MouseAdvance(event->button());
    QWidget::mousePressEvent(event);
}

bool Tfm_SlideShowWindow::eventFilter(QObject* watched, QEvent* event)
{
    // The popup menu is a child too, but its keys choose its items.
    if (watched == m_popup)
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress && KeyEvent(static_cast<QKeyEvent*>(event)))
        return true;
    if (event->type() == QEvent::MouseButtonPress && watched == ui->im_SlideShowPhoto) {
        MouseAdvance(static_cast<QMouseEvent*>(event)->button());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void Tfm_SlideShowWindow::closeEvent(QCloseEvent* event)
{
    Stop();
    event->accept();
}
