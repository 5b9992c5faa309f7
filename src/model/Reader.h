// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// Reads the tagged values of an album file, held in memory (a shared copy) or
// read from an open file a piece at a time. Every length is checked against
// the bytes that remain before anything is taken, so a damaged or hostile
// file ends in an EStreamError, never in a crash or a huge allocation.
#include <QByteArray>
#include <QString>

#include <array>

class TReader {
public:
    explicit TReader(const QByteArray& data);
    // The first size bytes of the regular file open at fd, read from its
    // current offset as they are needed: a large album is never held whole in
    // memory beside the records made of it. The caller keeps and closes fd;
    // a failed or short read throws EStreamError::ReadError.
    TReader(int fd, qint64 size);

    int ReadInteger();
    QString ReadString();
    // True exactly when the byte is 9; any other byte reads as false.
    bool ReadBoolean();

    qsizetype Position() const { return m_pos; }
    qsizetype Remaining() const { return m_size - m_pos; }

private:
    unsigned char TakeByte();
    qint32 TakeInt32();
    const char* Take(qsizetype count);
    // Reads on until the buffer holds count bytes from the position on.
    void Fill(qsizetype count);
    QString ShortText(QByteArrayView bytes);

    struct TRecentText {
        static constexpr qsizetype MaxBytes = 16;
        qsizetype Size = -1;
        char Bytes[MaxBytes];
        QString Text;
    };

    // The whole data, or the bytes of the file from m_bufferStart on.
    QByteArray m_data;
    qsizetype m_size = 0;
    qsizetype m_pos = 0;
    int m_fd = -1;
    qsizetype m_bufferStart = 0;
    std::array<TRecentText, 64> m_recent;
};
