// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/photos/PhotoFileList.h"

#include "imaging/ImageLoader.h"
#include "imaging/JpegCodec.h"
#include "model/ThumbnailCache.h"
#include "platform/Paths.h"
#include "platform/RenameNoReplace.h"
#include "platform/TextUtil.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryFile>

#include <cerrno>
#include <sys/stat.h>

namespace PhotoFiles {

namespace {

    const QString JpgExtension = QStringLiteral(".jpg");
    const QString JpegExtension = QStringLiteral(".jpeg");

} // namespace

QStringList GetImageExtensions()
{
    return QStringLiteral("bmp,dib,gif,jif,jpg,jpeg,rle,tga,pcx,cut,ico,iff,koa,lbm,mng,pcd,png,pnm,psd,"
                          "ras,tiff,tif,wbmp")
        .split(u',');
}

QStringList FilterExtensions(const QString& masks)
{
    static const QRegularExpression separators(QStringLiteral("[;,]"));
    QStringList result;
    for (QString mask : masks.split(separators, Qt::SkipEmptyParts)) {
        mask = Text::AsciiLower(Text::Trim(mask.remove(u'*')));
        // Filter texts of earlier versions misspell the wireless bitmap's extension.
        if (mask == QLatin1String(".wmbp"))
            mask = QStringLiteral(".wbmp");
        if (!mask.isEmpty() && !result.contains(mask))
            result.append(mask);
    }
    if (result.contains(JpgExtension) != result.contains(JpegExtension))
        result.append(result.contains(JpgExtension) ? JpegExtension : JpgExtension);
    return result;
}

QStringList ListPhotoFiles(const QString& folder, const QStringList& extensions)
{
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return {};
    QStringList names;
    const QStringList entries
        = QDir(folder).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& name : entries) {
        if (extensions.contains(Text::AsciiLower(Paths::ExtractFileExt(name))))
            names.append(name);
    }
    return names;
}

bool IsInThumbnailFolder(const QString& path)
{
    return TThumbnailCache::IsCacheFolder(Paths::ExtractFilePath(path));
}

int JpgQualityFromText(const QString& text)
{
    bool ok = false;
    const int quality = text.toInt(&ok, 10);
    return ok ? quality : 100;
}

QString ClampJpgQualityText(const QString& text)
{
    bool ok = false;
    const int quality = text.toInt(&ok, 10);
    return ok && quality <= 100 ? text : QStringLiteral("100");
}

bool JpgQualityKeyAllowed(QChar key, int textLength)
{
    return (key.isDigit() && key.unicode() < 128 && textLength <= 2) || key == u'\b' || key == u'.';
}

QString ConvertTarget(const QString& source, const QString& folder)
{
    return Paths::IncludeTrailingSeparator(folder)
        + Paths::ChangeFileExt(Paths::ExtractFileName(source), JpgExtension);
}

TConvertResult ConvertToJPG(const QString& source, const QString& folder, int quality)
{
    const QString target = ConvertTarget(source, folder);
    const QFileInfo targetInfo(target);
    // Checked before decoding, so that a file that is never written is not
    // read in full first; the rename below makes the check final.
    if (targetInfo.exists() || targetInfo.isSymLink())
        return TConvertResult::TargetExists;

    QImage picture;
    if (!LoadImageFile(source, picture) || picture.isNull())
        return TConvertResult::Unreadable;
    const QByteArray jpeg = EncodeJpeg(picture, quality);
    if (jpeg.isEmpty())
        return TConvertResult::WriteFailed;

    QTemporaryFile temporary(Paths::IncludeTrailingSeparator(folder) + QStringLiteral(".tavri-XXXXXX.tmp"));
    if (!temporary.open())
        return TConvertResult::WriteFailed;
    // A temporary file is private; the photo gets the usual permissions of a new file.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(temporary.handle(), 0666 & ~mask);
    if (temporary.write(jpeg) != jpeg.size() || !temporary.flush())
        return TConvertResult::WriteFailed;
    temporary.close();
    // A rename that never replaces: a file that appeared meanwhile stays. (A
    // refused QFile::rename falls back on copying, which writes over it.)
    int error = 0;
    if (!RenameNoReplace(temporary.fileName(), target, &error))
        return error == EEXIST ? TConvertResult::TargetExists : TConvertResult::WriteFailed;
    temporary.setAutoRemove(false);
    return TConvertResult::Converted;
}

} // namespace PhotoFiles
