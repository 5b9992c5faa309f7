// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/shared/Tfm_LanguageWindow.h"

#include "app/shared/ProgramIcon.h"
#include "common/OnTopWindowsLowered.h"
#include "ui_Tfm_LanguageWindow.h"

#include <QMouseEvent>
#include <QPainter>

Tfm_LanguageWindow::Tfm_LanguageWindow(QWidget* parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::Tfm_LanguageWindow>())
{
    ui->setupUi(this);
    FormCreate();
}

Tfm_LanguageWindow::~Tfm_LanguageWindow() = default;

int Tfm_LanguageWindow::exec()
{
    const TOnTopWindowsLowered lowered;
    return QDialog::exec();
}

void Tfm_LanguageWindow::FormCreate()
{
    // The suffix stays English: no language has been chosen yet.
    setWindowTitle(Language()->Title + QStringLiteral(" - Select your language"));
    setWindowIcon(ProgramIcon());
    ui->imgHeader->setPixmap(LanguageHeaderPicture(300, 41));
    ui->imgEnglish->setPixmap(LanguageFlagPicture(LT_Default, 100, 70));
    ui->imgDutch->setPixmap(LanguageFlagPicture(LT_Dutch, 100, 70));
    ui->imgSpanish->setPixmap(LanguageFlagPicture(LT_Spanish, 100, 70));
    for (QWidget* w : { static_cast<QWidget*>(ui->imgEnglish), static_cast<QWidget*>(ui->imgDutch),
             static_cast<QWidget*>(ui->imgSpanish) })
        w->installEventFilter(this);
    connect(ui->bt_English, &QPushButton::clicked, this, &Tfm_LanguageWindow::bt_EnglishClick);
    connect(ui->bt_Dutch, &QPushButton::clicked, this, &Tfm_LanguageWindow::bt_DutchClick);
    connect(ui->bt_Spanish, &QPushButton::clicked, this, &Tfm_LanguageWindow::bt_SpanishClick);
}

bool Tfm_LanguageWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        if (watched == ui->imgEnglish)
            bt_EnglishClick();
        else if (watched == ui->imgDutch)
            bt_DutchClick();
        else if (watched == ui->imgSpanish)
            bt_SpanishClick();
        else
            return QDialog::eventFilter(watched, event);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void Tfm_LanguageWindow::Choose(TLangType type)
{
    LangType = type;
    close();
}

void Tfm_LanguageWindow::bt_EnglishClick()
{
    Choose(LT_Default);
}
void Tfm_LanguageWindow::bt_DutchClick()
{
    Choose(LT_Dutch);
}
void Tfm_LanguageWindow::bt_SpanishClick()
{
    Choose(LT_Spanish);
}

QPixmap LanguageHeaderPicture(int width, int height)
{
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.drawImage(QRect(4, (height - 32) / 2, 32, 32), ProgramIconImage(32));
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(height / 2);
    p.setFont(f);
    p.setPen(QColor(0, 0, 128));
    p.drawText(QRect(44, 0, width - 44, height), Qt::AlignVCenter | Qt::AlignLeft,
        QStringLiteral("Tavrimolex 2005"));
    return pixmap;
}

QPixmap LanguageFlagPicture(TLangType type, int width, int height)
{
    QPixmap pixmap(width, height);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(0, 0, width, height);
    switch (type) {
    case LT_Dutch:
        p.fillRect(QRectF(0, 0, width, height / 3.0), QColor(174, 28, 40));
        p.fillRect(QRectF(0, height / 3.0, width, height / 3.0), Qt::white);
        p.fillRect(QRectF(0, 2 * height / 3.0, width, height - 2 * height / 3.0), QColor(33, 70, 139));
        break;
    case LT_Spanish:
        p.fillRect(r, QColor(170, 21, 27));
        p.fillRect(QRectF(0, height / 4.0, width, height / 2.0), QColor(241, 191, 0));
        break;
    default: {
        // The Union Flag: blue field, white and red saltires, white and red crosses.
        const QColor blue(1, 33, 105), red(200, 16, 46);
        p.fillRect(r, blue);
        const qreal unit = height / 30.0;
        p.setPen(QPen(Qt::white, 6 * unit));
        p.drawLine(r.topLeft(), r.bottomRight());
        p.drawLine(r.bottomLeft(), r.topRight());
        p.setPen(QPen(red, 2 * unit));
        p.drawLine(r.topLeft(), r.bottomRight());
        p.drawLine(r.bottomLeft(), r.topRight());
        p.fillRect(QRectF(0, height / 2.0 - 5 * unit, width, 10 * unit), Qt::white);
        p.fillRect(QRectF(width / 2.0 - 5 * unit, 0, 10 * unit, height), Qt::white);
        p.fillRect(QRectF(0, height / 2.0 - 3 * unit, width, 6 * unit), red);
        p.fillRect(QRectF(width / 2.0 - 3 * unit, 0, 6 * unit, height), red);
        break;
    }
    }
    p.setPen(QPen(Qt::gray, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0.5, 0.5, -0.5, -0.5));
    return pixmap;
}
