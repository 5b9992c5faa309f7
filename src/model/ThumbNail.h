// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The thumbnail record of one photo: saved with the album are the photo file's
// size and date from when the thumbnail was last built; the picture itself
// lives only in memory between building and releasing it.
#include "model/Entity.h"
#include "model/ThumbNailImage.h"

#include <QByteArray>

#include <memory>

class QDateTime;
class TThumbNailInfo;

// A thumbnail as a worker thread makes it for the thumbnail cache: all that
// Build finds out, with the picture already encoded as SaveAsJpeg writes it.
struct TDetachedThumbnail {
    // The photo file, or its drive-letter repair, is there.
    bool Found = false;
    // Empty when no picture could be made (a size no thumbnail may have).
    QByteArray Jpeg;
    int FileSize = -1;
    bool HasFileDate = false;
    QString FileDate;
};

class TThumbNail : public TEntity {
public:
    TThumbNail() = default;
    ~TThumbNail() override;

    void SaveToWriter(TWriter& writer) const override;
    void LoadFromReader(TReader& reader, int version) override;

    virtual void ReleaseImage() { m_image.reset(); }
    TThumbNailImage* GetImage() const { return m_image.get(); }
    bool HasImage() const { return m_image != nullptr; }

    // Builds the picture of the photo at photoPath (trying driveLetter in place
    // of its first character when the file is missing) and records the file's
    // size and date. A missing file leaves the record as it is and gives false;
    // a photo that cannot be decoded keeps a plain cream picture.
    bool Build(const TThumbNailInfo& info, const QString& photoPath, QChar driveLetter);
    // What Build would make, touching no record: safe on any thread. The
    // date separator comes from DateSeparator, asked on the caller's thread.
    static TDetachedThumbnail BuildDetached(
        int width, int height, const QString& photoPath, QChar driveLetter, QChar dateSeparator);
    // Takes the file size and date a detached build found, as Build does.
    void TakeFileFacts(const TDetachedThumbnail& built);
    // Whether the thumbnail file made for the photo at photoPath would come
    // out the same if made now: the photo is found there without a drive-
    // letter repair, Build would record this size and date for it, and
    // nothing of it (content, name, permissions) changed after the thumbnail
    // file was written. Safe on any thread, like BuildDetached.
    static bool StillCurrent(const QString& photoPath, int fileSize, const QString& fileDate,
        const QString& thumbnailPath, QChar dateSeparator);
    // Loads a thumbnail JPEG unscaled into a cream picture of the info size.
    // A missing file does nothing; an undecodable one leaves no picture. True
    // when a picture was made.
    bool BuildFromJpeg(const TThumbNailInfo& info, const QString& jpegFileName);
    // Writes the picture, with the cream frame, as JPEG under fileName with its
    // extension replaced by ".jpg". False when there is nothing to write or the
    // write failed.
    bool SaveAsJpeg(const QString& fileName);

    int GetFileSize() const { return m_fileSize; }
    void SetFileSize(int size) { m_fileSize = size; }
    const QString& GetFileDate() const { return m_fileDate; }
    void SetFileDate(const QString& date) { m_fileDate = date; }
    const QString& GetJpegFileName() const { return m_jpegFileName; }
    void SetJpegFileName(const QString& name) { m_jpegFileName = name; }
    int GetImageWidth() const { return m_imageWidth; }
    int GetImageHeight() const { return m_imageHeight; }

    // The photo file's last-write time as saved: month, day, four-digit year,
    // hour and minute joined by the user's date separator ("07/15/2004/13/45").
    static QString FormatFileDate(const QDateTime& localTime, QChar separator);
    static QChar DateSeparator();

private:
    int m_fileSize = -1;
    QString m_fileDate;
    std::unique_ptr<TThumbNailImage> m_image;
    QString m_jpegFileName;
    int m_imageWidth = 0;
    int m_imageHeight = 0;
};
