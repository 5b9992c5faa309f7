// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/html/HtmlPictures.h"

#include <QPainter>

QImage DefaultBackgroundPicture()
{
    QImage picture(64, 64, QImage::Format_RGB32);
    picture.fill(QColor(245, 250, 254));
    QPainter p(&picture);
    p.setPen(QColor(222, 235, 250));
    // Diagonals that meet at the edges, so that the tiles join.
    for (int k = -64; k < 64; k += 16)
        p.drawLine(k, 0, k + 64, 64);
    return picture;
}

QImage BackgroundColourSwatch()
{
    QImage picture(60, 40, QImage::Format_RGB32);
    picture.fill(Qt::white);
    return picture;
}

std::array<QImage, 2> SlideShowDots()
{
    std::array<QImage, 2> dots;
    const QColor colours[2] = { QColor(192, 192, 192), QColor(32, 118, 213) };
    for (size_t i = 0; i < dots.size(); ++i) {
        QImage dot(10, 10, QImage::Format_RGB32);
        dot.fill(Qt::white);
        QPainter p(&dot);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(colours[i]);
        p.drawEllipse(QRectF(1, 1, 8, 8));
        p.end();
        dots[i] = dot;
    }
    return dots;
}

QImage ThumbnailsSketch()
{
    QImage picture(120, 72, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter p(&picture);
    p.setPen(QColor(128, 128, 128));
    p.drawRect(0, 0, 119, 71);
    p.fillRect(1, 1, 118, 10, QColor(32, 118, 213));
    p.fillRect(1, 11, 26, 60, QColor(222, 235, 250));
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 5; ++column)
            p.fillRect(31 + column * 17, 16 + row * 18, 13, 13, QColor(0, 128, 255));
    return picture;
}
