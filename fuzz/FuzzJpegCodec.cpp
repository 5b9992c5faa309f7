// SPDX-License-Identifier: GPL-2.0-or-later
// Fuzz target: the program's JPEG decoder on any bytes, at full size and for
// a thumbnail box; what decodes is encoded again. The same bytes also go to
// the Exif reader as the contents of an APP1 marker, which the decoder only
// hands it from files that get that far.
#include "imaging/ExifOrientation.h"
#include "imaging/JpegCodec.h"

#include <QByteArray>
#include <QImage>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const int orientation = ExifOrientation(data, size);
    if (orientation < 1 || orientation > 8)
        __builtin_trap();
    QImage image;
    DecodeJpegData(bytes, image, 160, 120);
    if (DecodeJpegData(bytes, image) && image.width() * qint64(image.height()) <= 1024 * 1024)
        EncodeJpeg(image, 90);
    return 0;
}
