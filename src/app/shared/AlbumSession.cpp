// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/shared/AlbumSession.h"

#include "model/Album.h"
#include "platform/FreedMemory.h"

namespace {

// Closing an album this large frees enough memory to be worth handing back.
constexpr int LargeAlbumPhotos = 5000;

} // namespace

TAlbumSession::TAlbumSession(QObject* parent)
    : QObject(parent)
{
}

TAlbumSession::~TAlbumSession() = default;

void TAlbumSession::SetContentsChanged(bool changed)
{
    if (m_contentsChanged == changed)
        return;
    m_contentsChanged = changed;
    emit ContentsChangedChanged(changed);
}

void TAlbumSession::Open(std::unique_ptr<TAlbum> album)
{
    Close();
    if (!album)
        return;
    m_album = std::move(album);
    emit AlbumOpened(*m_album);
    // Filling the pages with the album's texts is not an edit.
    SetContentsChanged(false);
}

void TAlbumSession::Close()
{
    if (!m_album)
        return;
    emit AlbumClosing(*m_album);
    const bool large = m_album->GetPhotos().Count() >= LargeAlbumPhotos;
    m_album.reset();
    SetContentsChanged(false);
    emit AlbumClosed();
    // The pages have emptied their lists of it by now.
    if (large)
        GiveBackFreedMemory();
}

void TAlbumSession::NotifyAlbumRenamed(bool thumbnailsMoved)
{
    if (m_album)
        emit AlbumRenamed(*m_album, thumbnailsMoved);
}

void TAlbumSession::NotifyLabelsChanged()
{
    if (m_album)
        emit LabelsChanged();
}

void TAlbumSession::NotifyPhotoLabelsChanged()
{
    if (m_album)
        emit PhotoLabelsChanged();
}
