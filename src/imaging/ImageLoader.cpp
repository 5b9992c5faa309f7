#include "imaging/ImageLoader.h"

#include <QImage>

bool LoadImageFile(const QString&, QImage& image)
{
    image = QImage();
    return false;
}

bool LoadImageFileForBox(const QString&, QImage& image, int, int)
{
    image = QImage();
    return false;
}

bool LoadJpegFile(const QString&, QImage& image)
{
    image = QImage();
    return false;
}

bool LoadPictureFile(const QString&, QImage& image)
{
    image = QImage();
    return false;
}

bool LoadWithNViewLib(const QString&, QImage& image)
{
    image = QImage();
    return false;
}

bool LoadWithFreeImage(const QString&, QImage& image)
{
    image = QImage();
    return false;
}

QString ImageExtension(const QString&) { return QString(); }
bool IsNViewLibExtension(const QString&) { return false; }
int FreeImageFormatCode(const QString&) { return -1; }
QString NViewLibFileName() { return QString(); }
void SetNViewLibFileName(const QString&) { }
bool NViewLibAvailable() { return false; }
