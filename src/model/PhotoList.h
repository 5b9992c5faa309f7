#pragma once
// The album's photos in album order (owned), and the parsed index of the
// album's thumbnail folder.
#include "model/EntityList.h"
#include "model/Photo.h"
#include "model/ThumbNailInfo.h"
#include "platform/FileStamp.h"

#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

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
    // The same with the subject "Updating thumbnail of:", but a thumbnail
    // that would come out the same stays as it is: one listed in the index
    // for this photo under the name its place gives, at this size, made for
    // this record from the photo file as it is now (the size and date the
    // record holds, nothing of the file changed after the thumbnail's). A
    // record replaced since, a photo moved or changed on disk, a missing or
    // another thumbnail file, and a new size, are made anew.
    bool UpdateThumbnails(
        const TThumbNailInfo& info, QChar driveLetter, const QString& albumFileName, TStatusReporter* status);
    // Reads the index into IndexThumbInfo, IndexPhotoFiles and IndexThumbFiles;
    // lines whose thumbnail file is gone are dropped (and the index rewritten
    // without them). Never throws: an unreadable or malformed index is no index.
    // While neither the index nor its folder changed since the last reading,
    // that reading is handed out again without a look at the file.
    int LoadThumbnailIndex(const QString& albumFileName);
    // Whether LoadThumbnailIndex would find a thumbnail, mostly told by the
    // first lines of the index alone; the in-memory index stays as it is.
    bool HasThumbnails(const QString& albumFileName);
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
    // The last reading of the index with the stamps of the index file and its
    // folder taken before it: the windows ask for the index at every step,
    // and a large album's index takes a while to read.
    struct TIndexReading {
        QString AlbumFileName;
        TFileStamp Index;
        TFileStamp Folder;
        int Width = 0;
        int Height = 0;
        QStringList Photos;
        QStringList Thumbs;
    };
    mutable std::optional<TIndexReading> m_indexReading;
    // The index was just written with these lines, all of existing files.
    void RememberReading(const QString& albumFileName, int width, int height, const QStringList& photos,
        const QStringList& thumbs);

    bool BuildThumbnails(const TThumbNailInfo& info, QChar driveLetter, const QString& albumFileName,
        TStatusReporter* status, const QString& subject, bool keepFresh);
    // The photos whose thumbnail the index lists as UpdateThumbnails keeps it,
    // in album order; their files are still to be compared.
    std::vector<int> ThumbnailsToCheck(const TThumbNailInfo& info, const QString& albumFileName);
    // For every photo: 1 when its thumbnail stays. Pumps while it waits.
    std::vector<char> FreshThumbnails(
        const std::vector<int>& candidates, const QString& folder, const std::function<void()>& pump);
};
