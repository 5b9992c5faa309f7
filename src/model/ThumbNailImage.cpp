// SPDX-License-Identifier: GPL-2.0-or-later
#include "model/ThumbNailImage.h"

#include <QPainter>

TThumbNailImage::~TThumbNailImage() = default;

void TThumbNailImage::Select()
{
    DrawSelectedFrame();
    m_selected = true;
}

void TThumbNailImage::Deselect()
{
    DrawUnselectedFrame();
    m_selected = false;
}

void TThumbNailImage::DrawSelectedFrame()
{
    m_brush = SelectedColor();
    DrawFrame();
}

void TThumbNailImage::DrawUnselectedFrame()
{
    m_brush = CreamColor();
    DrawFrame();
}

void TThumbNailImage::DrawFrame()
{
    if (m_picture.isNull())
        return;
    const int w = m_picture.width();
    const int h = m_picture.height();
    QPainter painter(&m_picture);
    // Left, top, right, bottom; right and bottom exclusive.
    const auto fill
        = [&](int l, int t, int r, int b) { painter.fillRect(QRect(l, t, r - l, b - t), m_brush); };
    fill(0, 0, 5, h);
    fill(0, h - 5, w, h);
    fill(w - 5, 0, w, h);
    fill(0, 0, w, 5);
}
