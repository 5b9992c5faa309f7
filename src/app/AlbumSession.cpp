#include "app/AlbumSession.h"

#include "model/Album.h"

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
    m_album.reset();
    SetContentsChanged(false);
    emit AlbumClosed();
}

void TAlbumSession::NotifyLabelsChanged()
{
    if (m_album)
        emit LabelsChanged();
}
