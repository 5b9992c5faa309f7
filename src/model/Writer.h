// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// Writes the tagged values of the album file: integers in their smallest form,
// 7-bit texts as tags 6/12, any other text as UTF-8 under tag 20, Booleans as
// tags 8/9. Values collect in memory; the album writes them out in one go.
#include <QByteArray>
#include <QString>

class TWriter {
public:
    void WriteInteger(int value);
    void WriteString(const QString& value);
    void WriteBoolean(bool value);

    const QByteArray& Data() const { return m_data; }

private:
    void WriteInt32(qint32 value);

    QByteArray m_data;
};
