// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/Cp1252.h"

#include <QStringDecoder>

#include <algorithm>

namespace Cp1252 {

namespace {

    // 0x80..0x9F; the five unassigned bytes keep their C1 control code.
    const char16_t kHigh[32] = {
        0x20AC,
        0x0081,
        0x201A,
        0x0192,
        0x201E,
        0x2026,
        0x2020,
        0x2021,
        0x02C6,
        0x2030,
        0x0160,
        0x2039,
        0x0152,
        0x008D,
        0x017D,
        0x008F,
        0x0090,
        0x2018,
        0x2019,
        0x201C,
        0x201D,
        0x2022,
        0x2013,
        0x2014,
        0x02DC,
        0x2122,
        0x0161,
        0x203A,
        0x0153,
        0x009D,
        0x017E,
        0x0178,
    };

} // namespace

QChar ToUnicode(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return QChar(kHigh[byte - 0x80]);
    return QChar(byte);
}

QString Decode(QByteArrayView bytes)
{
    // Only 0x80..0x9F differ from Latin-1: most texts go the fast way.
    const auto differs = [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte >= 0x80 && byte <= 0x9F;
    };
    if (std::none_of(bytes.begin(), bytes.end(), differs))
        return QString::fromLatin1(bytes);
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* chars = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i)
        chars[i] = ToUnicode(static_cast<unsigned char>(bytes[i]));
    return out;
}

int FromUnicode(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == u)
            return 0x80 + i;
    return -1;
}

bool CanEncode(QChar c)
{
    return FromUnicode(c) >= 0;
}

QByteArray Encode(const QString& text)
{
    QByteArray out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const int b = FromUnicode(c);
        out.append(b >= 0 ? char(b) : '?');
    }
    return out;
}

bool CanEncode(const QString& text)
{
    for (const QChar c : text)
        if (!CanEncode(c))
            return false;
    return true;
}

QString DecodeUtf8OrCp1252(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    return utf8.hasError() ? Decode(bytes) : text;
}

} // namespace Cp1252
