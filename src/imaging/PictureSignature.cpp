// SPDX-License-Identifier: GPL-2.0-or-later
#include "imaging/PictureSignature.h"

#include "platform/SafeFile.h"

#include <cerrno>
#include <unistd.h>

namespace {

bool StartsWith(QByteArrayView head, QByteArrayView signature, qsizetype at = 0)
{
    return head.size() >= at + signature.size() && head.sliced(at, signature.size()) == signature;
}

quint32 LittleEndian32(QByteArrayView head, qsizetype at)
{
    return quint32(uchar(head[at])) | quint32(uchar(head[at + 1])) << 8 | quint32(uchar(head[at + 2])) << 16
        | quint32(uchar(head[at + 3])) << 24;
}

bool IsBitmap(QByteArrayView head)
{
    // "BM" alone begins too many other files: the size of the header that
    // follows must be one of the bitmap headers'.
    if (!StartsWith(head, "BM") || head.size() < 18)
        return false;
    switch (LittleEndian32(head, 14)) {
    case 12:
    case 16:
    case 40:
    case 52:
    case 56:
    case 64:
    case 108:
    case 124:
        return true;
    default:
        return false;
    }
}

bool IsIcon(QByteArrayView head)
{
    // Reserved 0, type 1 (an icon, not a cursor), at least one picture.
    return head.size() >= 6 && StartsWith(head, QByteArrayView("\0\0\1\0", 4))
        && (head[4] != 0 || head[5] != 0);
}

bool IsPcx(QByteArrayView head)
{
    if (head.size() < 4 || uchar(head[0]) != 0x0A || uchar(head[2]) != 1)
        return false;
    const uchar version = uchar(head[1]);
    const uchar bits = uchar(head[3]);
    return (version == 0 || (version >= 2 && version <= 5))
        && (bits == 1 || bits == 2 || bits == 4 || bits == 8);
}

// "P1" to "P6" and white space: the portable bitmap, grey map and pixel map.
QString PortableMapExtension(QByteArrayView head)
{
    if (head.size() < 3 || head[0] != 'P' || head[1] < '1' || head[1] > '6')
        return QString();
    const char space = head[2];
    if (space != ' ' && space != '\t' && space != '\r' && space != '\n')
        return QString();
    switch (head[1]) {
    case '1':
    case '4':
        return QStringLiteral(".pbm");
    case '2':
    case '5':
        return QStringLiteral(".pgm");
    default:
        return QStringLiteral(".ppm");
    }
}

} // namespace

QString PictureSignatureExtension(QByteArrayView head)
{
    if (StartsWith(head, "\xFF\xD8\xFF"))
        return QStringLiteral(".jpg");
    if (StartsWith(head, "\x89PNG\r\n\x1A\n"))
        return QStringLiteral(".png");
    if (StartsWith(head, "\x8BJNG\r\n\x1A\n"))
        return QStringLiteral(".jng");
    if (StartsWith(head, "\x8AMNG\r\n\x1A\n"))
        return QStringLiteral(".mng");
    if (StartsWith(head, "GIF87a") || StartsWith(head, "GIF89a"))
        return QStringLiteral(".gif");
    if (IsBitmap(head))
        return QStringLiteral(".bmp");
    if (StartsWith(head, QByteArrayView("II*\0", 4)) || StartsWith(head, QByteArrayView("MM\0*", 4)))
        return QStringLiteral(".tif");
    if (StartsWith(head, "8BPS"))
        return QStringLiteral(".psd");
    if (StartsWith(head, "\x59\xA6\x6A\x95"))
        return QStringLiteral(".ras");
    if (StartsWith(head, "FORM") && (StartsWith(head, "ILBM", 8) || StartsWith(head, "PBM ", 8)))
        return QStringLiteral(".iff");
    if (IsIcon(head))
        return QStringLiteral(".ico");
    if (IsPcx(head))
        return QStringLiteral(".pcx");
    return PortableMapExtension(head);
}

QString FilePictureSignatureExtension(const QString& fileName)
{
    // Only a regular file: a FIFO would block the program for good.
    const int fd = OpenRegularFile(fileName);
    if (fd < 0)
        return QString();
    char head[PictureSignatureLength];
    qsizetype done = 0;
    while (done < PictureSignatureLength) {
        const ssize_t n = ::read(fd, head + done, size_t(PictureSignatureLength - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += n;
    }
    ::close(fd);
    return PictureSignatureExtension(QByteArrayView(head, done));
}
