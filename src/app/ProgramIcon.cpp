#include "app/ProgramIcon.h"

#include <QPainter>
#include <QPainterPath>

QImage ProgramIconImage(int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);

    // A blue album cover with a photo on it: sky, sun and two hills.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 128, 255));
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 8, 8);
    p.setBrush(QColor(222, 235, 250));
    p.drawRect(QRectF(6, 6, 6, 52));

    p.setBrush(Qt::white);
    p.drawRect(QRectF(16, 12, 42, 40));
    p.setBrush(QColor(245, 250, 254));
    const QRectF photo(19, 15, 36, 30);
    p.drawRect(photo);
    p.save();
    p.setClipRect(photo);
    p.setBrush(QColor(255, 196, 0));
    p.drawEllipse(QPointF(46, 23), 5, 5);
    QPainterPath hills;
    hills.moveTo(19, 45);
    hills.lineTo(30, 29);
    hills.lineTo(38, 38);
    hills.lineTo(44, 32);
    hills.lineTo(55, 45);
    hills.closeSubpath();
    p.setBrush(QColor(0, 0, 128));
    p.drawPath(hills);
    p.restore();
    p.end();
    return image;
}

QIcon ProgramIcon()
{
    QIcon icon;
    for (int size : { 16, 32, 48, 64, 128 })
        icon.addPixmap(QPixmap::fromImage(ProgramIconImage(size)));
    return icon;
}
