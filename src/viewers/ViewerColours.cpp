// SPDX-License-Identifier: GPL-2.0-or-later
#include "viewers/ViewerColours.h"

#include <QColor>
#include <QPalette>
#include <QWidget>

void PaintLightBackground(QWidget* widget, const QColor& background)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, Qt::black);
    // A check box draws its box in these.
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}
