// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The thumbnail cache of an album: a folder beside the album file ("Trip.tvx"
// gives "Trip_thumbnails/") with one JPEG per photo and the index
// "thumbnails.pct" (width and height, then "photo path=thumbnail path" lines,
// CR LF). A search result's thumbnails live in a temporary album of their own
// in a "tempthumbnails<time>" folder beside the album. Everything that knows
// these names and files is here.
#include "platform/FileStamp.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QDateTime;
class TAlbum;
class TStatusReporter;

// The lines of an index as read: entry k of Photos and Thumbnails comes from
// the same line, in the index's order.
struct TThumbnailIndex {
    int Width = 0;
    int Height = 0;
    QStringList Photos;
    QStringList Thumbnails;

    int Count() const { return int(Thumbnails.size()); }
};

class TThumbnailCache {
public:
    // The cache of album, which owns it: the folder follows the album's file name.
    explicit TThumbnailCache(TAlbum& album);
    ~TThumbnailCache();
    TThumbnailCache(const TThumbnailCache&) = delete;
    TThumbnailCache& operator=(const TThumbnailCache&) = delete;

    // The cache folder of an album file, with its trailing separator; not created.
    static QString FolderOf(const QString& albumFileName);
    // The temporary folder a search result's thumbnails are made in, inside
    // albumFolder, named by the time of day; and the album file kept there.
    static QString TemporaryFolder(const QString& albumFolder, const QDateTime& now);
    static QString TemporaryAlbumFileName(const QString& temporaryFolder);
    // Whether folder (with or without its trailing separator) is named as
    // one of the caches above; nothing else is ever deleted as a cache.
    static bool IsCacheFolder(const QString& folder);
    // The thumbnail file of photo index (album order) in folder: "3_IMG_01.jpg".
    static QString ThumbnailFileName(const QString& folder, int index, const QString& photoPath);
    // Creates and removes a probe file; tells the user when that fails.
    static bool CheckDriveWritable(const QString& folder);
    // Deletes a cache folder with everything in it; a folder that is a link
    // goes as a link, and a folder not named as a cache stays. True when no
    // such folder is left.
    static bool RemoveFolder(const QString& folder, TStatusReporter* status);

    // This album's folder with its trailing separator, and its index file; not created.
    QString Folder() const;
    QString IndexFileName() const;
    bool HasIndexFile() const;

    // Builds every thumbnail and writes the index. The pictures are made on
    // every core; records, files, index and progress stay on this thread, in
    // album order. False only when the folder is not writable. Cancel ends the
    // run with True: the index lists what was built (a picture still being
    // made when Cancel came is dropped).
    // Throws EStreamError when the index cannot be written.
    bool Create(TStatusReporter* status);
    // The same with the subject "Updating thumbnail of:", but a thumbnail
    // that would come out the same stays as it is: one listed in the index
    // for this photo under the name its place gives, at this size, made for
    // this record from the photo file as it is now (the size and date the
    // record holds, nothing of the file changed after the thumbnail's). A
    // record replaced since, a photo moved or changed on disk, a missing or
    // another thumbnail file, and a new size, are made anew.
    bool Update(TStatusReporter* status);

    // Reads the index into Index(), creating the folder when missing; lines
    // whose thumbnail file is gone are dropped (and the index rewritten
    // without them). Never throws: an unreadable or malformed index is no
    // index. While neither the index nor its folder changed since the last
    // reading, that reading is handed out again without a look at the file.
    int LoadIndex();
    // The same a part at a time, for a window that shows the first entries
    // before the rest is read. BeginIndex starts a reading into Index(), or
    // goes on with the one under way while neither the index nor its folder
    // changed since it began; ReadIndexUpTo reads on until count entries are
    // kept or every line is read. Read through, the reading is LoadIndex's,
    // dropped lines and all; a change made here to the cache ends it.
    void BeginIndex();
    void ReadIndexUpTo(int count);
    // The lines of the reading not read yet: the most entries still to come.
    int IndexLinesLeft() const;
    // What LoadIndex, or the reading so far, read.
    const TThumbnailIndex& Index() const { return m_index; }
    // Whether LoadIndex would find a thumbnail, mostly told by the first lines
    // of the index alone; Index() stays as it is, and no folder is made.
    bool HasThumbnails();
    // Writes index as this album's index file; throws EStreamError when that fails.
    void SaveIndex(const TThumbnailIndex& index);
    // Drops the lines naming one of thumbnailFiles from the index as it is on
    // disk now; the index is written only when a line went. Throws EStreamError.
    void RemoveEntries(const QStringList& thumbnailFiles);
    // Deletes the folder with everything in it; true only when it is gone.
    bool Remove(TStatusReporter* status);
    // The album file is being renamed to newAlbumFileName: the folder takes
    // the new name and the index names the thumbnails there. Nothing moves
    // when the new name's folder exists already; false then, or when nothing
    // was moved. error receives the errno value of a failed move, 0 when
    // there was no folder.
    bool MoveWithAlbum(const QString& newAlbumFileName, int* error = nullptr);

private:
    struct TIndexProgress;

    // The index as on disk, the last reading handed out again when nothing
    // changed; lines of thumbnails that are gone are dropped and the file rewritten.
    TThumbnailIndex ReadIndex(const QString& albumFileName);
    // The steps of a reading: the size lines; further lines until count
    // entries are kept; once every line is read, the index rewritten
    // without dropped lines, or the reading kept to be handed out again.
    bool StartReading(TIndexProgress& progress, TThumbnailIndex& index);
    static void ReadLines(TIndexProgress& progress, TThumbnailIndex& index, int count);
    void FinishReading(const TIndexProgress& progress, const TThumbnailIndex& index);
    void ForgetReadings();
    // The index was just written with these lines, all of existing files.
    void RememberReading(const QString& albumFileName, const TThumbnailIndex& index);
    void WriteIndex(const QString& albumFileName, const TThumbnailIndex& index);

    bool Build(TStatusReporter* status, const QString& subject, bool keepFresh);
    // The photos whose thumbnail the index lists as Update keeps it, in album
    // order; their files are still to be compared.
    std::vector<int> ThumbnailsToCheck();
    // For every photo: 1 when its thumbnail stays. Pumps while it waits.
    std::vector<char> FreshThumbnails(
        const std::vector<int>& candidates, const QString& folder, const std::function<void()>& pump);

    TAlbum& m_album;
    TThumbnailIndex m_index;
    // The last reading of the index with the stamps of the index file and its
    // folder taken before it: the windows ask for the index at every step,
    // and a large album's index takes a while to read.
    struct TIndexReading {
        QString AlbumFileName;
        TFileStamp Index;
        TFileStamp Folder;
        TThumbnailIndex Lines;

        bool Of(const QString& albumFileName, const TFileStamp& index, const TFileStamp& folder) const
        {
            return AlbumFileName == albumFileName && Index == index && Folder == folder;
        }
    };
    std::optional<TIndexReading> m_reading;
    std::unique_ptr<TIndexProgress> m_progress;
};
