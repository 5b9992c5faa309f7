// SPDX-License-Identifier: GPL-2.0-or-later
#include "viewers/PhotoImage.h"

#include <QPainter>

TPhotoImage::TPhotoImage(QWidget* parent)
    : QWidget(parent)
{
}

void TPhotoImage::PictureChanged()
{
    updateGeometry();
    update();
}

void TPhotoImage::SetFit(bool fit)
{
    m_fit = fit;
    update();
}

QRect TPhotoImage::PictureRect() const
{
    if (m_picture.isNull())
        return {};
    if (!m_fit)
        return QRect(QPoint(0, 0), m_picture.size());
    QSize size = m_picture.size();
    if (size.width() > width() || size.height() > height())
        size = size.scaled(this->size(), Qt::KeepAspectRatio);
    return QRect(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size);
}

QSize TPhotoImage::sizeHint() const
{
    return m_picture.isNull() ? QSize(0, 0) : m_picture.size();
}

void TPhotoImage::paintEvent(QPaintEvent*)
{
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(PictureRect(), m_picture);
}
