#pragma once
// The thumbnail record of one photo: saved with the album are the photo file's
// size and date from when the thumbnail was last built; the picture itself
// lives only in memory between building and releasing it.
#include "model/Entity.h"
#include "model/ThumbNailImage.h"

#include <memory>

class TThumbNail : public TEntity {
public:
    TThumbNail() = default;
    ~TThumbNail() override;

    void SaveToWriter(TWriter& writer) const override;
    void LoadFromReader(TReader& reader, int version) override;

    virtual void ReleaseImage() { m_image.reset(); }
    TThumbNailImage* GetImage() const { return m_image.get(); }
    bool HasImage() const { return m_image != nullptr; }

    int GetFileSize() const { return m_fileSize; }
    void SetFileSize(int size) { m_fileSize = size; }
    const QString& GetFileDate() const { return m_fileDate; }
    void SetFileDate(const QString& date) { m_fileDate = date; }
    const QString& GetJpegFileName() const { return m_jpegFileName; }
    void SetJpegFileName(const QString& name) { m_jpegFileName = name; }
    int GetImageWidth() const { return m_imageWidth; }
    int GetImageHeight() const { return m_imageHeight; }

private:
    int m_fileSize = -1;
    QString m_fileDate;
    std::unique_ptr<TThumbNailImage> m_image;
    QString m_jpegFileName;
    int m_imageWidth = 0;
    int m_imageHeight = 0;
};
