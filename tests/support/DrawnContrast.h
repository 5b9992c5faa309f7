// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// Whether a text can be read where it is drawn, told from the drawn pixels
// alone, so a test sees what the user sees whatever palette the control took.
#include <QHash>
#include <QImage>
#include <QtGlobal>

// How far the colour most unlike the background (the commonest colour) is
// from it: about 0 when the text is drawn in a colour close to the background's.
inline int DrawnContrast(const QImage& image)
{
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y)];
    QRgb background = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > counts.value(background))
            background = it.key();
    int farthest = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        const QRgb c = it.key();
        farthest = qMax(farthest,
            qAbs(qRed(c) - qRed(background)) + qAbs(qGreen(c) - qGreen(background))
                + qAbs(qBlue(c) - qBlue(background)));
    }
    return farthest;
}
