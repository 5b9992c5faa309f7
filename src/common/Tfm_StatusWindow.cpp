// SPDX-License-Identifier: GPL-2.0-or-later
#include "common/Tfm_StatusWindow.h"

#include "ui_Tfm_StatusWindow.h"

#include "common/FormBasis.h"
#include "language/LanguageSelector.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QThread>

#include <utility>

namespace {

int g_hideDelayMs = Tfm_StatusWindow::DefaultHideDelayMs;
std::function<qint64()> g_now;
std::function<void(int)> g_wait;

qint64 Now()
{
    if (g_now)
        return g_now();
    static QElapsedTimer clock;
    if (!clock.isValid())
        clock.start();
    return clock.elapsed();
}

void Wait(int milliseconds)
{
    if (g_wait)
        g_wait(milliseconds);
    else
        QThread::msleep(static_cast<unsigned long>(milliseconds));
}

void FillBackground(QWidget* widget, const QColor& color)
{
    // The texts stay dark on the light window under a dark desktop palette.
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    palette.setColor(QPalette::WindowText, Qt::black);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

} // namespace

Tfm_StatusWindow::Tfm_StatusWindow()
    : QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint)
    , ui(std::make_unique<Ui::Tfm_StatusWindow>())
{
    ui->setupUi(this);
    setFixedSize(559, 136);
    FillBackground(this, QColor(222, 235, 250));
    FillBackground(ui->pnlInformation, QColor(245, 250, 254));
    m_numberToGo = ui->LabelNumberToGo->text();
    m_object = ui->lblObject->text();
    m_dirty = true;
    Flush();
    ui->ButtonCancel->installEventFilter(this);
    installEventFilter(this);
    connect(ui->ButtonCancel, &QPushButton::clicked, this, &Tfm_StatusWindow::ButtonCancelClick);
}

Tfm_StatusWindow::~Tfm_StatusWindow()
{
    // Most operations end by freeing their window while it shows: that end
    // too must leave a short operation's window readable.
    if (isVisible())
        hide();
    SetScreenCursor(TScreenCursor::Default);
}

void Tfm_StatusWindow::setVisible(bool visible)
{
    if (visible && !isVisible()) {
        Flush();
        m_cancelled = false;
        m_shownAt = Now();
        ApplyLanguage();
        move(100, 50);
    } else if (!visible && isVisible()) {
        m_cancelled = true;
        // Blocks on purpose, for the whole delay: the window must stay
        // readable, and no click may start other work or close the program
        // while the operation that showed it is still ending.
        if (m_shownAt >= 0 && Now() - m_shownAt < g_hideDelayMs) {
            Flush();
            repaint();
            Wait(g_hideDelayMs);
        }
    }
    QWidget::setVisible(visible);
}

void Tfm_StatusWindow::ShowCentered()
{
    show();
    raise();
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int screenWidth = screen ? screen->geometry().width() : 0;
    move((screenWidth - frameGeometry().width()) / 2, 100);
}

void Tfm_StatusWindow::ApplyLanguage()
{
    const TLanguageSelector* language = Language();
    ui->LabelNrToGo->setText(language->SW[0]);
    ui->ButtonCancel->setText(language->SW[1]);
    setWindowTitle(language->SW[2]);
}

void Tfm_StatusWindow::SetRange(int minimum, int maximum)
{
    m_minimum = minimum;
    m_maximum = qMax(minimum, maximum);
    SetPosition(m_position);
    ShowNumberToGo();
}

void Tfm_StatusWindow::SetPosition(int position)
{
    m_position = qBound(m_minimum, position, m_maximum);
    Changed();
}

int Tfm_StatusWindow::Position() const
{
    return m_position;
}

int Tfm_StatusWindow::Maximum() const
{
    return m_maximum;
}

void Tfm_StatusWindow::Step()
{
    SetPosition(Position() + 1);
    ShowNumberToGo();
}

void Tfm_StatusWindow::StepIt()
{
    Step();
}

void Tfm_StatusWindow::ShowNumberToGo()
{
    SetNumberToGo(QString::number(Maximum() - Position()));
}

void Tfm_StatusWindow::SetNumberToGo(const QString& text)
{
    m_numberToGo = text;
    Changed();
}

void Tfm_StatusWindow::SetSubject(const QString& text)
{
    ui->lblSubject->setText(text);
}

void Tfm_StatusWindow::SetObject(const QString& text)
{
    m_object = text;
    Changed();
}

void Tfm_StatusWindow::Changed()
{
    m_dirty = true;
    if (!isVisible())
        Flush();
}

void Tfm_StatusWindow::Flush()
{
    if (!m_dirty)
        return;
    m_dirty = false;
    QProgressBar* bar = ui->StatusProgressBar;
    bar->setRange(m_minimum, m_maximum);
    bar->setValue(m_position);
    ui->LabelNumberToGo->setText(m_numberToGo);
    ui->lblObject->setText(m_object);
}

void Tfm_StatusWindow::ShowStatus()
{
    show();
}

void Tfm_StatusWindow::ProcessEvents()
{
    if (m_pump.Due())
        Flush();
    m_pump.Pump();
}

bool Tfm_StatusWindow::IsCancelled() const
{
    return m_cancelled;
}

void Tfm_StatusWindow::SetHideDelay(int milliseconds)
{
    g_hideDelayMs = milliseconds;
}

int Tfm_StatusWindow::HideDelay()
{
    return g_hideDelayMs;
}

void Tfm_StatusWindow::SetClock(std::function<qint64()> now, std::function<void(int)> wait)
{
    g_now = std::move(now);
    g_wait = std::move(wait);
}

QLabel* Tfm_StatusWindow::LabelNumberToGo()
{
    Flush();
    return ui->LabelNumberToGo;
}

QProgressBar* Tfm_StatusWindow::StatusProgressBar()
{
    Flush();
    return ui->StatusProgressBar;
}

QPushButton* Tfm_StatusWindow::ButtonCancel() const
{
    return ui->ButtonCancel;
}

void Tfm_StatusWindow::ButtonCancelClick()
{
    m_cancelled = true;
}

bool Tfm_StatusWindow::eventFilter(QObject* watched, QEvent* event)
{
    // Over Cancel the pointer must look usable while the operation runs;
    // over the rest of the window it shows that work is going on.
    if (watched == ui->ButtonCancel) {
        if (event->type() == QEvent::Enter)
            SetScreenCursor(TScreenCursor::Default);
        else if (event->type() == QEvent::Leave)
            SetScreenCursor(TScreenCursor::HourGlass);
    } else if (watched == this && event->type() == QEvent::Enter) {
        SetScreenCursor(TScreenCursor::HourGlass);
    }
    return QWidget::eventFilter(watched, event);
}
