#include "imaging/JpegCodec.h"

#include <QImage>

bool DecodeJpegFile(const QString&, QImage& image, int, int, QString*)
{
    image = QImage();
    return false;
}

bool DecodeJpegData(const QByteArray&, QImage& image, int, int, QString*)
{
    image = QImage();
    return false;
}

int JpegScaleNumerator(int, int, int, int) { return 8; }
QByteArray EncodeJpeg(const QImage&, int, QString*) { return QByteArray(); }
bool SaveJpegFile(const QImage&, const QString&, int, QString*) { return false; }
bool WriteFileReplacing(const QString&, const QByteArray&, QString*) { return false; }
