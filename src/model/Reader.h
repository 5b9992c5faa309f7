// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// Reads the tagged values of an album file held in memory (a shared copy). Every length is
// checked against the bytes that remain before anything is taken, so a damaged
// or hostile file ends in an EStreamError, never in a crash or a huge allocation.
#include <QByteArray>
#include <QString>

class TReader {
public:
    explicit TReader(const QByteArray& data);

    int ReadInteger();
    QString ReadString();
    // True exactly when the byte is 9; any other byte reads as false.
    bool ReadBoolean();

    qsizetype Position() const { return m_pos; }
    qsizetype Remaining() const { return m_data.size() - m_pos; }

private:
    unsigned char TakeByte();
    qint32 TakeInt32();
    const char* Take(qsizetype count);

    const QByteArray m_data;
    qsizetype m_pos = 0;
};
