// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// A JPEG as a camera or a photo editor leaves it: the same picture data with
// an XMP block and then an Exif block whose orientation tag tells how the
// picture should stand.
#include <QByteArray>

namespace TestExif {

inline QByteArray Segment(char marker, const QByteArray& payload)
{
    const int length = int(payload.size()) + 2;
    QByteArray out;
    out += char(0xFF);
    out += marker;
    out += char(length >> 8);
    out += char(length & 0xFF);
    return out + payload;
}

// jpeg must begin with a JFIF marker, as every JPEG the program writes does.
inline QByteArray WithOrientation(const QByteArray& jpeg, int orientation, bool bigEndian = false)
{
    QByteArray tiff;
    const auto put16 = [&](unsigned v) {
        tiff += char(bigEndian ? v >> 8 : v & 0xFF);
        tiff += char(bigEndian ? v & 0xFF : v >> 8);
    };
    const auto put32 = [&](unsigned v) {
        put16(bigEndian ? v >> 16 : v & 0xFFFF);
        put16(bigEndian ? v & 0xFFFF : v >> 16);
    };
    tiff += bigEndian ? "MM" : "II";
    put16(42);
    put32(8);
    // The camera's make comes first, as it does in real files.
    put16(2);
    put16(0x010F);
    put16(2);
    put32(4);
    tiff += QByteArray("Cam", 4);
    put16(0x0112);
    put16(3);
    put32(1);
    put16(unsigned(orientation));
    put16(0);
    put32(0);

    const QByteArray xmp = QByteArray("http://ns.adobe.com/xap/1.0/") + '\0' + QByteArray("<x:xmpmeta/>");
    const int jfifEnd = 4 + (uchar(jpeg[4]) << 8 | uchar(jpeg[5]));
    return jpeg.left(jfifEnd) + Segment(char(0xE1), xmp)
        + Segment(char(0xE1), QByteArray("Exif\0\0", 6) + tiff) + jpeg.mid(jfifEnd);
}

} // namespace TestExif
