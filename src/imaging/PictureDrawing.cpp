// SPDX-License-Identifier: GPL-2.0-or-later
#include "imaging/PictureDrawing.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

namespace {

constexpr QRgb White = 0xFFFFFFFF;
constexpr QRgb Black = 0xFF000000;

// Source stretched to width x height over white. Smooth scaling: the thumbnails
// and web photos are the pictures users look at most.
QImage StretchOnWhite(const QImage& source, int width, int height)
{
    QImage scaled = (width == source.width() && height == source.height())
        ? source
        : source.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (!scaled.hasAlphaChannel())
        return scaled.convertToFormat(QImage::Format_RGB32);
    QImage canvas(width, height, QImage::Format_RGB32);
    canvas.fill(White);
    QPainter painter(&canvas);
    painter.drawImage(0, 0, scaled);
    return canvas;
}

// Copies the top-left width x height of source (clipped) into dest at (x, y).
void CopyRect(const QImage& source, QImage& dest, int x, int y, int width, int height)
{
    width = std::min({ width, source.width(), dest.width() - x });
    height = std::min({ height, source.height(), dest.height() - y });
    if (width <= 0 || height <= 0 || x < 0 || y < 0)
        return;
    for (int row = 0; row < height; ++row) {
        const auto* from = reinterpret_cast<const QRgb*>(source.constScanLine(row));
        auto* to = reinterpret_cast<QRgb*>(dest.scanLine(y + row)) + x;
        std::memcpy(to, from, size_t(width) * sizeof(QRgb));
    }
}

} // namespace

int RoundHalfEven(double value)
{
    // nearbyint rounds to even under the default rounding mode.
    return static_cast<int>(std::nearbyint(value));
}

void MakeThumbnail(const QImage& source, QImage& dest, int marginLeft, int marginTop, int marginRight,
    int marginBottom, int boxWidth, int boxHeight)
{
    const int w = source.width(), h = source.height();
    if (w <= 0 || h <= 0 || boxWidth <= 0 || boxHeight <= 0)
        return;
    int newW, newH;
    bool enlarged = false;
    if (w > boxWidth && h > boxHeight) {
        const double r = std::min(double(w) / boxWidth, double(h) / boxHeight);
        newW = RoundHalfEven(w / r);
        newH = RoundHalfEven(h / r);
    } else {
        const double rW = w < boxWidth ? double(boxWidth) / w : 1.0;
        const double rH = h < boxHeight ? double(boxHeight) / h : 1.0;
        const double r = std::max(rH, rW);
        newW = RoundHalfEven(w * r);
        newH = RoundHalfEven(h * r);
        enlarged = true;
    }
    newW = std::max(newW, 1);
    newH = std::max(newH, 1);
    QImage scaled;
    if (enlarged) {
        // Enlarging a thin picture to cover the box would make it huge in its
        // long direction (1 x 40000 into 200 x 200: 200 x 8,000,000), while
        // only the box is kept: scale just the part of the source that lands
        // in the box, with two pixels more for the smoothing at its edge.
        const auto keptSource = [](int size, int scaledSize, int kept) {
            if (scaledSize <= kept)
                return size;
            const qint64 needed = (qint64(kept) * size + scaledSize - 1) / scaledSize + 2;
            return int(std::min<qint64>(size, needed));
        };
        const int cropW = keptSource(w, newW, boxWidth);
        const int cropH = keptSource(h, newH, boxHeight);
        const int cropNewW = cropW == w ? newW : std::max(1, RoundHalfEven(double(cropW) * newW / w));
        const int cropNewH = cropH == h ? newH : std::max(1, RoundHalfEven(double(cropH) * newH / h));
        const QImage crop = (cropW == w && cropH == h) ? source : source.copy(0, 0, cropW, cropH);
        scaled = StretchOnWhite(crop, cropNewW, cropNewH);
    } else {
        // Shrinking: the scaled picture is never larger than the source.
        scaled = StretchOnWhite(source, newW, newH);
    }

    const int destW = marginLeft + boxWidth + marginRight;
    const int destH = marginTop + boxHeight + marginBottom;
    if (destW <= 0 || destH <= 0)
        return;
    // Dest is resized, not repainted: what it held stays where it still
    // fits (so a pre-painted background shows in the margins) and any new
    // area is white.
    QImage result(destW, destH, QImage::Format_RGB32);
    if (result.isNull())
        return;
    result.fill(White);
    if (!dest.isNull()) {
        const QImage old = dest.convertToFormat(QImage::Format_RGB32);
        CopyRect(old, result, 0, 0, old.width(), old.height());
    }
    // The crop keeps the top-left corner of the scaled picture.
    CopyRect(scaled, result, marginLeft, marginTop, boxWidth, boxHeight);
    dest = result;
}

void ScaleImageToFit(const QImage& source, QImage& dest, int maxWidth, int maxHeight)
{
    const int w = source.width(), h = source.height();
    if (w < 1 || h < 1 || maxWidth < 1 || maxHeight < 1)
        return;
    int newW = w, newH = h;
    if (w > maxWidth || h > maxHeight) {
        const double r = std::max(double(w) / maxWidth, double(h) / maxHeight);
        // A sliver of a picture keeps at least one pixel.
        newW = std::max(1, RoundHalfEven(w / r));
        newH = std::max(1, RoundHalfEven(h / r));
    }
    const QImage result = StretchOnWhite(source, newW, newH);
    if (!result.isNull())
        dest = result;
}

QImage RotateDC(const QImage& source, double angle, int& newWidth, int& newHeight)
{
    const int w = source.width(), h = source.height();
    const double c = std::cos(angle), s = std::sin(angle);
    // The bounds come from the four corners, each rounded by itself.
    const int xs[4] = { 0, RoundHalfEven(w * c), RoundHalfEven(-h * s), RoundHalfEven(w * c - h * s) };
    const int ys[4] = { 0, RoundHalfEven(w * s), RoundHalfEven(h * c), RoundHalfEven(h * c + w * s) };
    const int minX = *std::min_element(xs, xs + 4), maxX = *std::max_element(xs, xs + 4);
    const int minY = *std::min_element(ys, ys + 4), maxY = *std::max_element(ys, ys + 4);
    newWidth = maxX - minX;
    newHeight = maxY - minY;
    if (newWidth <= 0 || newHeight <= 0 || w <= 0 || h <= 0)
        return QImage();

    const bool argb
        = source.format() == QImage::Format_ARGB32 || source.format() == QImage::Format_ARGB32_Premultiplied;
    const QImage src = (argb || source.format() == QImage::Format_RGB32)
        ? source
        : source.convertToFormat(QImage::Format_RGB32);
    QImage result(newWidth, newHeight, src.format());
    if (result.isNull())
        return QImage();

    // Each destination pixel takes the source pixel under its centre, mapped
    // back through the inverse rotation. Quarter turns land exactly on pixel
    // centres, so they copy every pixel once and lose no edge.
    for (int row = 0; row < newHeight; ++row) {
        auto* out = reinterpret_cast<QRgb*>(result.scanLine(row));
        const double v = minY + row + 0.5;
        for (int col = 0; col < newWidth; ++col) {
            const double u = minX + col + 0.5;
            const double fx = std::floor(c * u + s * v);
            const double fy = std::floor(c * v - s * u);
            if (fx >= 0 && fx < w && fy >= 0 && fy < h)
                out[col] = reinterpret_cast<const QRgb*>(src.constScanLine(int(fy)))[int(fx)];
            else
                out[col] = Black;
        }
    }
    return result;
}

void RotateImage(QImage& image, int degrees)
{
    if (image.isNull() || degrees % 360 == 0)
        return;
    int newW = 0, newH = 0;
    const QImage rotated = RotateDC(image, (degrees % 360) * std::numbers::pi / 180.0, newW, newH);
    if (!rotated.isNull())
        image = rotated;
}
