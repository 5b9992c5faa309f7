#pragma once
// The album's photos in album order (owned), and the parsed index of the
// album's thumbnail folder.
#include "model/EntityList.h"
#include "model/Photo.h"
#include "model/ThumbNailInfo.h"

#include <QStringList>

class TStatusReporter;

class TPhotoList : public TEntityList {
public:
    TPhotoList() = default;

    TPhoto* PhotoAt(int index) const { return static_cast<TPhoto*>(ItemAt(index)); }
    void Add(std::unique_ptr<TPhoto> photo) { TEntityList::Add(std::move(photo)); }
    void Insert(int index, std::unique_ptr<TPhoto> photo) { TEntityList::Insert(index, std::move(photo)); }
    std::unique_ptr<TPhoto> Take(int index) { return StaticUniqueCast<TPhoto>(TakeObject(index)); }
    std::vector<std::unique_ptr<TPhoto>> DetachAll();

    // Count, or only the photos that may appear in web albums.
    int GetPhotoCount(bool onlyUseInHtml) const;
    void RemoveObjectId(int id);
    void ClearEventId(int id);
    bool UsesObject(int id) const;
    bool UsesEvent(int id) const;

    // The thumbnail cache: a folder beside the album file ("Trip.tvx" gives
    // "Trip_thumbnails/") with one JPEG per photo and the index
    // "thumbnails.pct" (width and height, then "photo path=thumbnail path"
    // lines, CR LF).

    // The folder with its trailing separator; created when missing, on every call.
    static QString GetThumbnailFolder(const QString& albumFileName);
    // The same folder, left as it is on disk (not created).
    static QString ThumbnailFolderName(const QString& albumFileName);
    // The index file's name; asking does not create the folder.
    static QString ThumbnailIndexFileName(const QString& albumFileName);
    // The index file exists; asking does not create the folder.
    static bool HasThumbnailIndex(const QString& albumFileName);
    static QString GetThumbnailIndexFile(const QString& albumFileName);
    // The thumbnail file of photo index (album order) in folder: "3_IMG_01.jpg".
    static QString ThumbnailFileName(const QString& folder, int index, const QString& photoPath);
    // Creates and removes a probe file; tells the user when that fails.
    static bool CheckDriveWritable(const QString& folder);

    // Builds every thumbnail and writes the index. The pictures are made on
    // every core; records, files, index and progress stay on this thread, in
    // album order. False only when the folder is not writable. Cancel ends the
    // run with True: the index lists what was built (a picture still being
    // made when Cancel came is dropped).
    // Throws EStreamError when the index cannot be written.
    bool CreateThumbnails(
        const TThumbNailInfo& info, QChar driveLetter, const QString& albumFileName, TStatusReporter* status);
    // The same with the subject "Updating thumbnail of:".
    bool UpdateThumbnails(
        const TThumbNailInfo& info, QChar driveLetter, const QString& albumFileName, TStatusReporter* status);
    // Reads the index into IndexThumbInfo, IndexPhotoFiles and IndexThumbFiles;
    // lines whose thumbnail file is gone are dropped (and the index rewritten
    // without them). Never throws: an unreadable or malformed index is no index.
    int LoadThumbnailIndex(const QString& albumFileName);
    // Rewrites the index from memory; throws EStreamError when that fails.
    void SaveThumbnailIndex(const QString& albumFileName) const;
    void DeleteIndexEntry(int index);
    // Deletes the thumbnail folder with everything in it; true only when it is gone.
    bool RemoveThumbnails(const QString& albumFileName, TStatusReporter* status);
    // The album file was renamed: its thumbnail folder takes the new album's
    // name and the index names the thumbnails there. Nothing moves when the
    // new name's folder exists already; false then, or when nothing was moved.
    // error receives the errno value of a failed move, 0 when there was no folder.
    bool MoveThumbnails(
        const QString& oldAlbumFileName, const QString& newAlbumFileName, int* error = nullptr);

    TThumbNailInfo IndexThumbInfo;
    // Parallel lists: entry k of each comes from the same index line.
    QStringList IndexThumbFiles;
    QStringList IndexPhotoFiles;

protected:
    std::unique_ptr<TStreamObject> CreateItem() const override;

private:
    bool BuildThumbnails(const TThumbNailInfo& info, QChar driveLetter, const QString& albumFileName,
        TStatusReporter* status, const QString& subject);
};
