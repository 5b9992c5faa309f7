// SPDX-License-Identifier: GPL-2.0-or-later
#include "model/ThumbNail.h"

#include "imaging/ImageLoader.h"
#include "imaging/JpegCodec.h"
#include "imaging/PictureDrawing.h"
#include "model/Photo.h"
#include "model/Reader.h"
#include "model/ThumbNailInfo.h"
#include "model/Writer.h"
#include "platform/Paths.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QPainter>

#include <climits>
#include <ctime>
#include <sys/stat.h>

namespace {

constexpr int Margin = 5;
constexpr int JpegQuality = 90;
// Sizes come from album files, which may be hostile: no picture above this.
constexpr int MaxThumbnailSide = 4096;

bool UsableSize(int width, int height)
{
    return width > 0 && height > 0 && width <= MaxThumbnailSide && height <= MaxThumbnailSide;
}

QImage CreamPicture(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    if (!picture.isNull())
        picture.fill(TThumbNailImage::CreamColor());
    return picture;
}

} // namespace

TThumbNail::~TThumbNail() = default;

void TThumbNail::SaveToWriter(TWriter& writer) const
{
    TEntity::SaveToWriter(writer);
    writer.WriteInteger(m_fileSize);
    writer.WriteString(m_fileDate);
}

void TThumbNail::LoadFromReader(TReader& reader, int version)
{
    TEntity::LoadFromReader(reader, version);
    m_fileSize = reader.ReadInteger();
    m_fileDate = reader.ReadString();
}

QChar TThumbNail::DateSeparator()
{
    // The first character of the short date format that is not a field letter.
    const QString format = QLocale::system().dateFormat(QLocale::ShortFormat);
    for (QChar c : format)
        if (!c.isLetter() && c != u'\'' && !c.isSpace())
            return c;
    return u'/';
}

QString TThumbNail::FormatFileDate(const QDateTime& localTime, QChar separator)
{
    const QString sep(separator);
    return localTime.toString(QStringLiteral("MM/dd/yyyy/HH/mm")).replace(u'/', sep);
}

namespace {

// The photo at photoPath, or with driveLetter in place of its first
// character; empty when neither is there.
QString FindPhotoFile(const QString& photoPath, QChar driveLetter)
{
    if (PhotoFileExists(photoPath))
        return photoPath;
    // Replacing the drive letter only means something for a Windows-form path.
    if (!Paths::HasDriveLetter(photoPath) || !driveLetter.isLetter())
        return QString();
    QString path = photoPath;
    path[0] = driveLetter;
    return PhotoFileExists(path) ? path : QString();
}

// The framed picture of the photo; a photo that cannot be decoded gives the
// plain cream picture. Touches nothing shared, so workers call it too.
QImage ThumbnailPicture(int width, int height, const QString& path)
{
    TThumbNailImage image;
    image.SetPicture(CreamPicture(width + 2 * Margin, height + 2 * Margin));
    QImage photo;
    if (!image.Picture().isNull() && LoadImageFileForBox(path, photo, width, height)) {
        MakeThumbnail(photo, image.Picture(), Margin, Margin, Margin, Margin, width, height);
        // The margins are the frame band, cream while the thumbnail is not selected.
        image.DrawUnselectedFrame();
    }
    return image.Picture();
}

void ReadFileFacts(const QString& path, QChar dateSeparator, TDetachedThumbnail& facts)
{
    const QFileInfo file(path);
    facts.FileSize = int(std::min<qint64>(file.size(), INT_MAX));
    QFile probe(path);
    facts.HasFileDate = probe.open(QIODevice::ReadOnly);
    if (facts.HasFileDate)
        facts.FileDate = TThumbNail::FormatFileDate(file.lastModified(), dateSeparator);
}

} // namespace

bool TThumbNail::Build(const TThumbNailInfo& info, const QString& photoPath, QChar driveLetter)
{
    const QString path = FindPhotoFile(photoPath, driveLetter);
    if (path.isEmpty())
        return false;

    ReleaseImage();
    const int width = info.GetWidth();
    const int height = info.GetHeight();
    if (UsableSize(width, height)) {
        m_image = std::make_unique<TThumbNailImage>();
        m_image->SetPicture(ThumbnailPicture(width, height, path));
    }
    TDetachedThumbnail facts;
    facts.Found = true;
    ReadFileFacts(path, DateSeparator(), facts);
    TakeFileFacts(facts);
    return true;
}

TDetachedThumbnail TThumbNail::BuildDetached(
    int width, int height, const QString& photoPath, QChar driveLetter, QChar dateSeparator)
{
    TDetachedThumbnail built;
    const QString path = FindPhotoFile(photoPath, driveLetter);
    if (path.isEmpty())
        return built;
    built.Found = true;
    if (UsableSize(width, height)) {
        const QImage picture = ThumbnailPicture(width, height, path);
        // As SaveAsJpeg writes it.
        if (picture.width() > 0 && picture.height() > 0)
            built.Jpeg = EncodeJpeg(picture, JpegQuality);
    }
    ReadFileFacts(path, dateSeparator, built);
    return built;
}

namespace {

qint64 Nanoseconds(const struct timespec& time)
{
    return qint64(time.tv_sec) * 1000 * 1000 * 1000 + time.tv_nsec;
}

// FormatFileDate of a file's modification time, without the cost of a date
// object for each of many thousands of files.
QString FileDateOf(const struct stat& st, QChar separator)
{
    struct tm local { };
    const time_t seconds = st.st_mtim.tv_sec;
    if (::localtime_r(&seconds, &local) && local.tm_year + 1900 >= 1 && local.tm_year + 1900 <= 9999) {
        const QChar s = separator;
        return QStringLiteral("%1%2%3%4%5%6%7%8%9")
            .arg(local.tm_mon + 1, 2, 10, QLatin1Char('0'))
            .arg(s)
            .arg(local.tm_mday, 2, 10, QLatin1Char('0'))
            .arg(s)
            .arg(local.tm_year + 1900, 4, 10, QLatin1Char('0'))
            .arg(s)
            .arg(local.tm_hour, 2, 10, QLatin1Char('0'))
            .arg(s)
            .arg(local.tm_min, 2, 10, QLatin1Char('0'));
    }
    const qint64 modified = qint64(st.st_mtim.tv_sec) * 1000 + st.st_mtim.tv_nsec / 1000000;
    return TThumbNail::FormatFileDate(QDateTime::fromMSecsSinceEpoch(modified), separator);
}

} // namespace

bool TThumbNail::StillCurrent(const QString& photoPath, int fileSize, const QString& fileDate,
    const QString& thumbnailPath, QChar dateSeparator)
{
    // Build reads only files that PhotoFileExists finds.
    if (fileSize < 0 || fileDate.isEmpty() || !photoPath.startsWith(u'/'))
        return false;
    struct stat photo { };
    struct stat thumbnail { };
    if (::stat(QFile::encodeName(photoPath).constData(), &photo) != 0 || !S_ISREG(photo.st_mode)
        || ::stat(QFile::encodeName(thumbnailPath).constData(), &thumbnail) != 0)
        return false;
    // A photo written, renamed onto or made unreadable after its thumbnail
    // was made has a later change time. (In the same tick of the file
    // system's clock, it was most likely changed before: thumbnails are made
    // of photos that are there.)
    if (Nanoseconds(photo.st_ctim) > Nanoseconds(thumbnail.st_mtim))
        return false;
    return int(std::min<qint64>(photo.st_size, INT_MAX)) == fileSize
        && FileDateOf(photo, dateSeparator) == fileDate;
}

void TThumbNail::TakeFileFacts(const TDetachedThumbnail& built)
{
    if (!built.Found)
        return;
    m_fileSize = built.FileSize;
    if (built.HasFileDate)
        m_fileDate = built.FileDate;
}

bool TThumbNail::BuildFromJpeg(const TThumbNailInfo& info, const QString& jpegFileName)
{
    if (!QFileInfo(jpegFileName).isFile())
        return false;
    QImage jpeg;
    // A thumbnail file that cannot be decoded means "no picture", never an
    // error: this runs while the thumbnail window paints.
    if (!DecodeJpegFile(jpegFileName, jpeg) || !UsableSize(info.GetWidth(), info.GetHeight())) {
        ReleaseImage();
        return false;
    }
    ReleaseImage();
    auto image = std::make_unique<TThumbNailImage>();
    image->SetPicture(CreamPicture(info.GetWidth(), info.GetHeight()));
    if (image->Picture().isNull())
        return false;
    {
        QPainter painter(&image->Picture());
        painter.drawImage(0, 0, jpeg);
    }
    m_imageWidth = image->Picture().width();
    m_imageHeight = image->Picture().height();
    m_image = std::move(image);
    return true;
}

bool TThumbNail::SaveAsJpeg(const QString& fileName)
{
    if (!m_image)
        return false;
    const bool wasSelected = m_image->IsSelected();
    if (wasSelected)
        m_image->Deselect();
    const QString target = Paths::ChangeFileExt(fileName, QStringLiteral(".jpg"));
    const QImage& picture = m_image->Picture();
    bool saved = false;
    if (picture.width() > 0 && picture.height() > 0)
        saved = SaveJpegFile(picture, target, JpegQuality);
    if (wasSelected)
        m_image->Select();
    return saved;
}
