// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The entries of an album's thumbnail index as a thumbnail window shows them:
// the thumbnail file of each and the album photo it stands for. A large
// album's index is read as it is needed: the entries asked for at once, the
// rest a batch at a time while the program has nothing else to do. Until it
// is read through, lines not read yet count as entries; a line whose
// thumbnail turns out missing is dropped, as reading the index drops it.
#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

class TAlbum;

class TThumbNailEntries : public QObject {
    Q_OBJECT

public:
    explicit TThumbNailEntries(QObject* parent = nullptr);

    // The album whose index is shown (borrowed; null for none). Another
    // album forgets everything read.
    void SetAlbum(TAlbum* album);
    // Reads the index again, or goes on with the reading under way while
    // the index did not change; the entries are read as they are asked for.
    void Read();
    // The index file is another, or changed on disk, since it was read.
    bool Changed() const;
    // Whether every line of the index has been read.
    bool ReadThrough() const;

    // The entries read and the lines still to read.
    int Count() const;
    int ThumbWidth() const { return m_width; }
    int ThumbHeight() const { return m_height; }
    // Reads on until the entry is read; false when the index has no such entry.
    bool Reach(int entry);
    // Empty when there is no such entry.
    QString Thumbnail(int entry);
    // The photo by the path it has now: a thumbnail made before its photo
    // was moved shows and edits that photo, not another.
    QString Photo(int entry);
    // The thumbnail files of the entries that show photoPath; reads the whole index.
    QStringList ThumbnailsOfPhoto(const QString& photoPath);

signals:
    // Lines read turned out to have no thumbnail: Count went down.
    void CountChanged();

private:
    void ReadUpTo(int count);
    // One batch, while the program is idle.
    void ReadOn();
    void Remember();
    void MapPhotosUpTo(int entry);

    TAlbum* m_album = nullptr;
    int m_width = 0;
    int m_height = 0;
    // The photos of the entries read, mapped as they are asked for.
    QStringList m_photos;
    QDateTime m_indexTime;
    qint64 m_indexSize = -1;
    bool m_read = false;
    QTimer m_idle;
};
