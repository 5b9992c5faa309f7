// Building, loading and saving the picture of one thumbnail.
#include "model/ThumbNail.h"

#include "imaging/ImageLoader.h"
#include "imaging/JpegCodec.h"
#include "imaging/PictureDrawing.h"
#include "model/Photo.h"
#include "model/ThumbNailInfo.h"
#include "platform/Paths.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QPainter>

#include <climits>

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

bool TThumbNail::Build(const TThumbNailInfo& info, const QString& photoPath, QChar driveLetter)
{
    QString path = photoPath;
    if (!PhotoFileExists(path)) {
        // Replacing the drive letter only means something for a Windows-form path.
        if (!Paths::HasDriveLetter(path) || !driveLetter.isLetter())
            return false;
        path[0] = driveLetter;
        if (!PhotoFileExists(path))
            return false;
    }

    ReleaseImage();
    const int width = info.GetWidth();
    const int height = info.GetHeight();
    if (UsableSize(width, height)) {
        auto image = std::make_unique<TThumbNailImage>();
        image->SetPicture(CreamPicture(width + 2 * Margin, height + 2 * Margin));
        QImage photo;
        if (!image->Picture().isNull() && LoadImageFileForBox(path, photo, width, height)) {
            MakeThumbnail(photo, image->Picture(), Margin, Margin, Margin, Margin, width, height);
            // The margins are the frame band, cream while the thumbnail is not selected.
            image->DrawUnselectedFrame();
        }
        m_image = std::move(image);
    }

    const QFileInfo file(path);
    m_fileSize = int(std::min<qint64>(file.size(), INT_MAX));
    QFile probe(path);
    if (probe.open(QIODevice::ReadOnly))
        m_fileDate = FormatFileDate(file.lastModified(), DateSeparator());
    return true;
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
