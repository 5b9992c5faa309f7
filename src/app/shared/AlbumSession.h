// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The open album and its unsaved-changes flag, in one place that announces
// their changes. Every tab page, the main window's caption and the viewer
// windows listen here and update their own controls; albums are opened and
// closed through it by the album actions.
#include <QObject>

#include <memory>

class TAlbum;

class TAlbumSession : public QObject {
    Q_OBJECT
public:
    explicit TAlbumSession(QObject* parent = nullptr);
    ~TAlbumSession() override;

    // The open album; null while none is open.
    TAlbum* Album() const { return m_album.get(); }
    bool IsOpen() const { return m_album != nullptr; }

    // True while the open album has changes that are not saved.
    bool ContentsChanged() const { return m_contentsChanged; }
    void SetContentsChanged(bool changed);

    // Makes album the open one (an album still held is closed first) and tells
    // every listener; the album is unchanged afterwards.
    void Open(std::unique_ptr<TAlbum> album);
    // Frees the open album: listeners hear AlbumClosing while it still exists
    // (a slide show stops, windows let go of it), then AlbumClosed.
    void Close();

    // The open album's file has a new name; its thumbnails went along when
    // thumbnailsMoved.
    void NotifyAlbumRenamed(bool thumbnailsMoved);

    // The open album's objects or events were added, renamed or deleted:
    // the lists that offer them show them anew.
    void NotifyLabelsChanged();
    // Labels moved between the open album's photos, or photos and labels came
    // in from other albums (a merge, an import): every list of its photos and
    // labels shows them anew.
    void NotifyPhotoLabelsChanged();

signals:
    void AlbumOpened(TAlbum& album);
    void AlbumClosing(TAlbum& album);
    void AlbumClosed();
    void ContentsChangedChanged(bool changed);
    void AlbumRenamed(TAlbum& album, bool thumbnailsMoved);
    void LabelsChanged();
    void PhotoLabelsChanged();

private:
    std::unique_ptr<TAlbum> m_album;
    bool m_contentsChanged = false;
};
