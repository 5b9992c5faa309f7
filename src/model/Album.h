// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// One album: the path of its album file, a description, the object and event
// labels, the photos and the thumbnail size. Reads and writes the album file
// and, after reading, looks for photos whose files have moved.
#include "model/EntityList.h"
#include "model/PhotoList.h"
#include "model/StreamObject.h"
#include "model/ThumbNailInfo.h"
#include "model/ThumbnailCache.h"
#include "platform/SafeFile.h"

#include <QString>
#include <QStringList>

#include <memory>

class TStatusReporter;

class TAlbum : public TStreamObject {
public:
    // Larger album files are refused when opened. Far above any real album
    // (100,000 photos take 10 to 20 megabytes), while a file packed with the
    // smallest records still builds at most some 1.5 gigabytes of them in memory.
    static constexpr qint64 MaxFileSize = qint64(64) * 1024 * 1024;

    // A new empty album; nothing is read or written. A relative path is made absolute.
    explicit TAlbum(const QString& fileName);
    ~TAlbum() override;

    // Reads the album file, then relocates moved photos with progress and
    // Cancel through status (may be null). Throws EStreamError; a half-read
    // album is destroyed. Photos that a stopped batch rename gave new names
    // get them before relocation (see TPendingRenames).
    static std::unique_ptr<TAlbum> CreateFromFile(const QString& fileName, TStatusReporter* status);
    // How many photos reading took over from a list of pending renames found
    // beside the album file; -1 when there was no such list for this album.
    // The album file lists them under their old names until it is saved.
    int RenamesTakenOver() const { return m_renamesTakenOver; }

    void SaveToWriter(TWriter& writer) const override;
    void LoadFromReader(TReader& reader, int version) override;

    // Writes the whole file through a temporary file beside it, renamed over the
    // album only when complete; a failure throws EStreamError and leaves the old file.
    // An album saved through a link reaches the file the link leads to; a new
    // album that takes over a name asks for Replace, so that the link itself,
    // not another album behind it, is what it replaces.
    bool SaveToFile(TLinkPolicy links = TLinkPolicy::Follow);

    bool IsVersionSupported() const { return true; }
    int GetFileVersion() const { return m_fileVersion; }
    const QString& GetFileName() const { return m_fileName; }
    void SetFileName(const QString& fileName);
    // The folder of the album file with its trailing separator.
    QString GetFolder() const;
    // The first character of the file name; a space when it is empty.
    QChar GetDriveLetter() const;
    // The file name without folder and last extension (the name shown to the user).
    QString GetName() const;
    const QString& GetDescription() const { return m_description; }
    void SetDescription(const QString& description) { m_description = description; }

    TEntityList& GetObjects() { return *m_objects; }
    const TEntityList& GetObjects() const { return *m_objects; }
    TEntityList& GetEvents() { return *m_events; }
    const TEntityList& GetEvents() const { return *m_events; }
    TPhotoList& GetPhotos() { return *m_photos; }
    const TPhotoList& GetPhotos() const { return *m_photos; }

    QString ObjectNameById(int id) const { return m_objects->NameById(id); }
    QString EventNameById(int id) const { return m_events->NameById(id); }
    int ObjectIdByName(const QString& name) const { return m_objects->IdByName(name); }
    int EventIdByName(const QString& name) const { return m_events->IdByName(name); }

    int GetThumbWidth() const { return m_thumbInfo->GetWidth(); }
    int GetThumbHeight() const { return m_thumbInfo->GetHeight(); }
    void SetThumbWidth(int width) { m_thumbInfo->SetWidth(width); }
    void SetThumbHeight(int height) { m_thumbInfo->SetHeight(height); }
    const TThumbNailInfo& GetThumbInfo() const { return *m_thumbInfo; }

    // The thumbnail cache of this album's file, through the album: its index
    // read into Thumbnails().Index() (the number of entries kept), every
    // thumbnail built, only those built that would come out otherwise, and
    // the cache deleted. status shows the progress and takes Cancel (may be
    // null); TThumbnailCache tells the rest.
    int LoadThumbnailIndex() { return m_thumbnails->LoadIndex(); }
    bool CreateThumbnails(TStatusReporter* status) { return m_thumbnails->Create(status); }
    bool UpdateThumbnails(TStatusReporter* status) { return m_thumbnails->Update(status); }
    bool RemoveThumbnails(TStatusReporter* status) { return m_thumbnails->Remove(status); }
    // The cache itself.
    TThumbnailCache& Thumbnails() { return *m_thumbnails; }
    const TThumbnailCache& Thumbnails() const { return *m_thumbnails; }
    // The album photo each line of the thumbnail index stands for. The index
    // keeps the path a photo had when its thumbnail was made; a photo that
    // opening the album found moved (missing there, present in the album's
    // folder or on the album's drive) is matched by the path it has now. A
    // line that no photo matches keeps its own path.
    QStringList IndexedPhotoPaths(const QStringList& indexedPaths) const;

    // Label merging and usage filters. Taking another album's content into this one:
    // MergeObjects and MergeEvents with its labels and photos, then AddPhotos,
    // which moves the photos it takes out of the other list; the other album
    // frees the rest.
    void MergeObjects(const TEntityList* source, TPhotoList* photos);
    void MergeEvents(const TEntityList* source, TPhotoList* photos);
    void AddPhotos(TPhotoList* photos);
    bool FindByObjectName(const QString& name, QStringList& paths);
    bool FindByEventName(const QString& name, QStringList& paths);
    // Usage: 0 every label, 1 labels some photo carries, 2 labels no photo carries, other: none.
    void DeleteObjects(int usage);
    void MarkObjects(int usage);
    void DeleteEvents(int usage);
    void MarkEvents(int usage);

private:
    void Init();
    void Relocate(TStatusReporter* status);

    QString m_fileName;
    QString m_description;
    std::unique_ptr<TEntityList> m_objects;
    std::unique_ptr<TEntityList> m_events;
    std::unique_ptr<TPhotoList> m_photos;
    std::unique_ptr<TThumbNailInfo> m_thumbInfo;
    std::unique_ptr<TThumbnailCache> m_thumbnails;
    int m_fileVersion = 2;
    int m_renamesTakenOver = -1;
};
