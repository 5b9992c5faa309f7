// SPDX-License-Identifier: GPL-2.0-or-later
#include "viewers/ThumbNailEntries.h"

#include "model/Album.h"

#include <QFileInfo>

#include <algorithm>
#include <climits>

namespace {

// Entries read in one go while the program is idle: a few milliseconds' work.
constexpr int IdleBatch = 2048;
// Photos mapped at once when one is asked for.
constexpr int PhotoBatch = 64;

} // namespace

TThumbNailEntries::TThumbNailEntries(QObject* parent)
    : QObject(parent)
{
    m_idle.setSingleShot(true);
    m_idle.setInterval(0);
    connect(&m_idle, &QTimer::timeout, this, &TThumbNailEntries::ReadOn);
}

void TThumbNailEntries::SetAlbum(TAlbum* album)
{
    if (album == m_album)
        return;
    m_album = album;
    m_idle.stop();
    m_photos.clear();
    m_width = 0;
    m_height = 0;
    m_indexTime = QDateTime();
    m_indexSize = -1;
    m_read = false;
}

void TThumbNailEntries::Read()
{
    m_idle.stop();
    m_photos.clear();
    m_width = 0;
    m_height = 0;
    m_read = m_album != nullptr;
    if (!m_album)
        return;
    TThumbnailCache& cache = m_album->Thumbnails();
    cache.BeginIndex();
    m_width = cache.Index().Width;
    m_height = cache.Index().Height;
    Remember();
    if (cache.IndexLinesLeft() > 0)
        m_idle.start();
}

void TThumbNailEntries::Remember()
{
    const QFileInfo file(m_album->Thumbnails().IndexFileName());
    m_indexTime = file.lastModified();
    m_indexSize = file.size();
}

bool TThumbNailEntries::Changed() const
{
    if (!m_album)
        return false;
    // Asked each time: a renamed album's index lies elsewhere.
    const QFileInfo file(m_album->Thumbnails().IndexFileName());
    return file.lastModified() != m_indexTime || file.size() != m_indexSize;
}

bool TThumbNailEntries::ReadThrough() const
{
    return !m_album || m_album->Thumbnails().IndexLinesLeft() == 0;
}

int TThumbNailEntries::Count() const
{
    if (!m_album || !m_read)
        return 0;
    const TThumbnailCache& cache = m_album->Thumbnails();
    return int(std::min<qint64>(qint64(cache.Index().Count()) + cache.IndexLinesLeft(), INT_MAX));
}

void TThumbNailEntries::ReadUpTo(int count)
{
    TThumbnailCache& cache = m_album->Thumbnails();
    const int before = Count();
    // The reading that goes through rewrites an index that lost lines; a
    // change made there by others must still show.
    const bool changedBefore = Changed();
    cache.ReadIndexUpTo(count);
    if (cache.IndexLinesLeft() == 0 && !changedBefore)
        Remember();
    // Told once the caller is done: it may be painting.
    if (Count() < before)
        QMetaObject::invokeMethod(this, &TThumbNailEntries::CountChanged, Qt::QueuedConnection);
}

void TThumbNailEntries::ReadOn()
{
    if (!m_album || !m_read || ReadThrough())
        return;
    ReadUpTo(m_album->Thumbnails().Index().Count() + IdleBatch);
    if (!ReadThrough())
        m_idle.start();
}

bool TThumbNailEntries::Reach(int entry)
{
    if (!m_album || !m_read || entry < 0)
        return false;
    const TThumbnailCache& cache = m_album->Thumbnails();
    if (entry >= cache.Index().Count() && !ReadThrough())
        ReadUpTo(entry == INT_MAX ? INT_MAX : entry + 1);
    return entry < cache.Index().Count();
}

QString TThumbNailEntries::Thumbnail(int entry)
{
    return Reach(entry) ? m_album->Thumbnails().Index().Thumbnails[entry] : QString();
}

void TThumbNailEntries::MapPhotosUpTo(int entry)
{
    const QStringList& indexed = m_album->Thumbnails().Index().Photos;
    if (m_photos.size() > indexed.size())
        m_photos.clear();
    if (entry < m_photos.size())
        return;
    const qsizetype from = m_photos.size();
    const qsizetype count
        = std::min(std::max<qsizetype>(entry + 1 - from, PhotoBatch), indexed.size() - from);
    m_photos += m_album->IndexedPhotoPaths(indexed.mid(from, count));
}

QString TThumbNailEntries::Photo(int entry)
{
    if (!Reach(entry))
        return QString();
    MapPhotosUpTo(entry);
    return m_photos[entry];
}

QStringList TThumbNailEntries::ThumbnailsOfPhoto(const QString& photoPath)
{
    QStringList thumbnails;
    if (!Reach(INT_MAX) && m_album && m_read) {
        const TThumbnailIndex& index = m_album->Thumbnails().Index();
        if (index.Count() > 0)
            MapPhotosUpTo(index.Count() - 1);
        for (qsizetype k = 0; k < m_photos.size() && k < index.Thumbnails.size(); ++k)
            if (m_photos[k] == photoPath)
                thumbnails << index.Thumbnails[k];
    }
    return thumbnails;
}
