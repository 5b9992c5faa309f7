// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <initializer_list>

#include <gtest/gtest.h>

// Bytes from a list of numbers, so expected file contents read like a hex dump.
inline QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray b;
    for (int v : values)
        b.append(char(v));
    return b;
}

inline QByteArray ReadAll(const QString& fileName)
{
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

inline bool WriteAll(const QString& fileName, const QByteArray& data)
{
    QFile f(fileName);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(data) == data.size();
}

inline void Touch(const QString& fileName)
{
    WriteAll(fileName, QByteArray("x"));
}

// A sandbox with an album folder and a photo folder beside it, for tests that
// move photos about under an album.
class AlbumBesidePhotos : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = QDir(dir.path()).canonicalPath() + u'/';
        QDir().mkpath(root + QStringLiteral("albums"));
        QDir().mkpath(root + QStringLiteral("photos"));
        albumFile = root + QStringLiteral("albums/trip.tvx");
    }

    QTemporaryDir dir;
    QString root;
    QString albumFile;
};
