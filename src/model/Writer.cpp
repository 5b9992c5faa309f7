// SPDX-License-Identifier: GPL-2.0-or-later
#include "model/Writer.h"

namespace {

enum Tag : char {
    TagInt8 = 2,
    TagInt16 = 3,
    TagInt32 = 4,
    TagString = 6,
    TagFalse = 8,
    TagTrue = 9,
    TagLString = 12,
    TagUtf8String = 20,
};

bool IsSevenBit(const QString& s)
{
    for (QChar c : s)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

} // namespace

void TWriter::WriteInt32(qint32 value)
{
    const quint32 u = quint32(value);
    m_data.append(char(u & 0xFF));
    m_data.append(char((u >> 8) & 0xFF));
    m_data.append(char((u >> 16) & 0xFF));
    m_data.append(char((u >> 24) & 0xFF));
}

void TWriter::WriteInteger(int value)
{
    if (value >= -128 && value <= 127) {
        m_data.append(TagInt8);
        m_data.append(char(qint8(value)));
    } else if (value >= -32768 && value <= 32767) {
        const quint16 u = quint16(qint16(value));
        m_data.append(TagInt16);
        m_data.append(char(u & 0xFF));
        m_data.append(char(u >> 8));
    } else {
        m_data.append(TagInt32);
        WriteInt32(value);
    }
}

void TWriter::WriteString(const QString& value)
{
    if (!IsSevenBit(value)) {
        const QByteArray utf8 = value.toUtf8();
        m_data.append(TagUtf8String);
        WriteInt32(qint32(utf8.size()));
        m_data.append(utf8);
        return;
    }
    const QByteArray bytes = value.toLatin1();
    if (bytes.size() <= 255) {
        m_data.append(TagString);
        m_data.append(char(quint8(bytes.size())));
    } else {
        m_data.append(TagLString);
        WriteInt32(qint32(bytes.size()));
    }
    m_data.append(bytes);
}

void TWriter::WriteBoolean(bool value)
{
    m_data.append(value ? TagTrue : TagFalse);
}
