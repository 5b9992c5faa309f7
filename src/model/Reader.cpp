// SPDX-License-Identifier: GPL-2.0-or-later
#include "model/Reader.h"

#include "model/StreamError.h"
#include "platform/Cp1252.h"

TReader::TReader(const QByteArray& data)
    : m_data(data)
{
}

const char* TReader::Take(qsizetype count)
{
    if (count < 0 || count > Remaining())
        throw EStreamError::ReadError();
    const char* p = m_data.constData() + m_pos;
    m_pos += count;
    return p;
}

unsigned char TReader::TakeByte()
{
    return static_cast<unsigned char>(*Take(1));
}

qint32 TReader::TakeInt32()
{
    const auto* p = reinterpret_cast<const unsigned char*>(Take(4));
    return qint32(quint32(p[0]) | (quint32(p[1]) << 8) | (quint32(p[2]) << 16) | (quint32(p[3]) << 24));
}

int TReader::ReadInteger()
{
    switch (TakeByte()) {
    case 2:
        return qint8(TakeByte());
    case 3: {
        const auto* p = reinterpret_cast<const unsigned char*>(Take(2));
        return qint16(quint16(p[0] | (p[1] << 8)));
    }
    case 4:
        return TakeInt32();
    default:
        throw EStreamError::InvalidValue();
    }
}

QString TReader::ReadString()
{
    switch (TakeByte()) {
    case 6: {
        const qsizetype length = TakeByte();
        // Files from other writers may hold Windows-1252 bytes in these texts.
        return Cp1252::Decode(QByteArrayView(Take(length), length));
    }
    case 12: {
        const qint32 length = TakeInt32();
        if (length < 0)
            throw EStreamError::InvalidValue();
        return Cp1252::Decode(QByteArrayView(Take(length), length));
    }
    case 20: {
        const qint32 length = TakeInt32();
        if (length < 0)
            throw EStreamError::InvalidValue();
        return QString::fromUtf8(Take(length), length);
    }
    case 18: {
        const qint32 units = TakeInt32();
        if (units < 0)
            throw EStreamError::InvalidValue();
        const auto* p = reinterpret_cast<const unsigned char*>(Take(qsizetype(units) * 2));
        QString text(units, Qt::Uninitialized);
        for (qint32 i = 0; i < units; ++i)
            text[i] = QChar(char16_t(p[2 * i] | (p[2 * i + 1] << 8)));
        return text;
    }
    default:
        throw EStreamError::InvalidValue();
    }
}

bool TReader::ReadBoolean()
{
    return TakeByte() == 9;
}
