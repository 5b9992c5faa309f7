// SPDX-License-Identifier: GPL-2.0-or-later
#include "model/Reader.h"

#include "model/StreamError.h"
#include "platform/Cp1252.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <unistd.h>

namespace {

// What one read of the file asks for at least: far fewer calls than values,
// and memory that stays warm.
constexpr qsizetype Piece = 64 * 1024;

} // namespace

TReader::TReader(const QByteArray& data)
    : m_data(data)
    , m_size(data.size())
{
}

TReader::TReader(int fd, qint64 size)
    : m_size(qsizetype(size))
    , m_fd(fd)
{
}

void TReader::Fill(qsizetype count)
{
    // The bytes not yet taken move to the front; the rest of the buffer is read anew.
    const qsizetype kept = m_data.size() - (m_pos - m_bufferStart);
    if (kept > 0)
        std::memmove(m_data.data(), m_data.constData() + (m_pos - m_bufferStart), size_t(kept));
    m_bufferStart = m_pos;
    const qsizetype wanted = std::min(std::max(count, Piece), m_size - m_pos);
    m_data.resize(wanted);
    for (qsizetype have = kept; have < wanted;) {
        const ssize_t n = ::read(m_fd, m_data.data() + have, size_t(wanted - have));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            // A file cut short while it is read reads as one that ends here.
            m_data.resize(have);
            if (have < count)
                throw EStreamError::ReadError();
            return;
        }
        have += n;
    }
}

const char* TReader::Take(qsizetype count)
{
    if (count < 0 || count > Remaining())
        throw EStreamError::ReadError();
    if (m_fd >= 0 && m_pos - m_bufferStart + count > m_data.size())
        Fill(count);
    const char* p = m_data.constData() + (m_pos - m_bufferStart);
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

QString TReader::ShortText(QByteArrayView bytes)
{
    if (bytes.size() > TRecentText::MaxBytes)
        return Cp1252::Decode(bytes);
    // Years, file dates and labels come back again and again: the text read
    // last with the same bytes is shared rather than made anew.
    size_t hash = size_t(bytes.size());
    for (const char c : bytes)
        hash = hash * 31 + static_cast<unsigned char>(c);
    TRecentText& recent = m_recent[hash % m_recent.size()];
    if (recent.Size != bytes.size() || std::memcmp(recent.Bytes, bytes.data(), size_t(bytes.size())) != 0) {
        recent.Size = bytes.size();
        std::memcpy(recent.Bytes, bytes.data(), size_t(bytes.size()));
        recent.Text = Cp1252::Decode(bytes);
    }
    return recent.Text;
}

QString TReader::ReadString()
{
    switch (TakeByte()) {
    case 6: {
        const qsizetype length = TakeByte();
        // Files from other writers may hold Windows-1252 bytes in these texts.
        return ShortText(QByteArrayView(Take(length), length));
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
