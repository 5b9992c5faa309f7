#include "imaging/PictureDrawing.h"

#include <QImage>

#include <cmath>

void MakeThumbnail(const QImage&, QImage&, int, int, int, int, int, int) { }
void ScaleImageToFit(const QImage&, QImage&, int, int) { }
void RotateImage(QImage&, int) { }

QImage RotateDC(const QImage& source, double, int& newWidth, int& newHeight)
{
    newWidth = source.width();
    newHeight = source.height();
    return source;
}

int RoundHalfEven(double value) { return static_cast<int>(std::nearbyint(value)); }
