// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// A picture for the benchmarks to encode and decode.
#include <QImage>
#include <QtGlobal>

// Soft gradients and sensor noise: compresses like a photo.
inline QImage Photo(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    quint32 state = 2654435761u;
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            state = state * 1664525u + 1013904223u;
            const int noise = int((state >> 24) & 15) - 8;
            row[x] = qRgb(qBound(0, 60 + int(qint64(x) * 150 / width) + noise, 255),
                qBound(0, 90 + int(qint64(y) * 120 / height) + noise, 255),
                qBound(0, 140 - int(qint64(y) * 80 / height) + ((x / 37 + y / 53) & 3) * 6 + noise, 255));
        }
    }
    return image;
}
