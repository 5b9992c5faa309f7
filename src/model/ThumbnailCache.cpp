// The thumbnail cache of an album: folder, index file and building.
#include "model/PhotoList.h"

#include "imaging/JpegCodec.h"
#include "language/LanguageSelector.h"
#include "model/SafeFile.h"
#include "model/StreamError.h"
#include "model/UserMessage.h"
#include "platform/Cp1252.h"
#include "platform/FileRoutines.h"
#include "platform/NativePath.h"
#include "platform/OrderedWork.h"
#include "platform/Paths.h"
#include "platform/RenameNoReplace.h"
#include "platform/StatusReporter.h"
#include "platform/TextUtil.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <unistd.h>
#include <vector>

namespace {

const QString IndexName = QStringLiteral("thumbnails.pct");
const QString ProbeName = QStringLiteral("t@e@s@t@t@a@v@r@i@m@o@l@ex");
// A real index holds a line per photo; anything far larger is not an index.
constexpr qint64 MaxIndexFileSize = qint64(64) * 1024 * 1024;

QByteArray IndexText(int width, int height, const QStringList& photos, const QStringList& thumbs)
{
    QString text
        = QString::number(width) + QStringLiteral("\r\n") + QString::number(height) + QStringLiteral("\r\n");
    for (qsizetype k = 0; k < thumbs.size() && k < photos.size(); ++k)
        text += photos[k] + u'=' + thumbs[k] + QStringLiteral("\r\n");
    return text.toUtf8();
}

bool ParseSize(const QString& line, int& value)
{
    bool ok = false;
    value = Text::Trim(line).toInt(&ok);
    return ok;
}

// Where a line's photo path ends. Photo and thumbnail names may both hold
// "=", so the split is the "=" that starts this album's thumbnail folder;
// a line of some other folder splits at its first "=".
qsizetype SplitPosition(const QString& line, const QString& folder)
{
    for (qsizetype p = line.indexOf(u'='); p >= 0; p = line.indexOf(u'=', p + 1))
        if (QStringView(line).mid(p + 1).startsWith(folder))
            return p;
    return line.indexOf(u'=');
}

} // namespace

QString TPhotoList::ThumbnailFolderName(const QString& albumFileName)
{
    return Paths::IncludeTrailingSeparator(
        Paths::ChangeFileExt(albumFileName, QString()) + QStringLiteral("_thumbnails"));
}

QString TPhotoList::GetThumbnailFolder(const QString& albumFileName)
{
    const QString folder = ThumbnailFolderName(albumFileName);
    QDir().mkpath(folder);
    return folder;
}

QString TPhotoList::ThumbnailIndexFileName(const QString& albumFileName)
{
    return ThumbnailFolderName(albumFileName) + IndexName;
}

bool TPhotoList::HasThumbnailIndex(const QString& albumFileName)
{
    return QFileInfo(ThumbnailIndexFileName(albumFileName)).isFile();
}

QString TPhotoList::GetThumbnailIndexFile(const QString& albumFileName)
{
    return GetThumbnailFolder(albumFileName) + IndexName;
}

QString TPhotoList::ThumbnailFileName(const QString& folder, int index, const QString& photoPath)
{
    return folder + QString::number(index) + u'_'
        + Paths::ChangeFileExt(Paths::ExtractFileName(photoPath), QStringLiteral(".jpg"));
}

bool TPhotoList::CheckDriveWritable(const QString& folder)
{
    QByteArray probe;
    int fd = -1;
    if (NativePath(folder + ProbeName, probe)) {
        // Never through a planted link, and never into a file someone else made.
        fd = ::open(probe.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0 && errno == EEXIST && ::unlink(probe.constData()) == 0)
            fd = ::open(probe.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    }
    bool ok = fd >= 0;
    if (ok)
        ok = ::close(fd) == 0;
    if (!ok) {
        const QString drive = folder.isEmpty() ? QString() : folder.left(1);
        ShowUserMessage(Text::Format(Language()->PL[2], { drive }));
        return false;
    }
    ::unlink(probe.constData());
    return true;
}

bool TPhotoList::CreateThumbnails(
    const TThumbNailInfo& info, QChar driveLetter, const QString& albumFileName, TStatusReporter* status)
{
    return BuildThumbnails(info, driveLetter, albumFileName, status, Language()->PL[0]);
}

bool TPhotoList::UpdateThumbnails(
    const TThumbNailInfo& info, QChar driveLetter, const QString& albumFileName, TStatusReporter* status)
{
    return BuildThumbnails(info, driveLetter, albumFileName, status, Language()->PL[1]);
}

bool TPhotoList::BuildThumbnails(const TThumbNailInfo& info, QChar driveLetter, const QString& albumFileName,
    TStatusReporter* status, const QString& subject)
{
    const int n = Count();
    const QString folder = GetThumbnailFolder(albumFileName);
    if (!CheckDriveWritable(folder))
        return false;

    if (status) {
        status->SetRange(0, n);
        status->SetNumberToGo(QString::number(status->Maximum() - status->Position()));
        status->SetSubject(subject);
        status->ShowStatus();
    }
    // The pictures are made on every core, ahead of this loop, which takes
    // them in album order: the records, the files, the index and the progress
    // stay on this thread.
    std::vector<QString> paths;
    paths.reserve(size_t(n));
    for (int i = 0; i < n; ++i)
        paths.push_back(PhotoAt(i)->GetName());
    const int width = info.GetWidth();
    const int height = info.GetHeight();
    const QChar separator = TThumbNail::DateSeparator();
    TOrderedWork<TDetachedThumbnail> work(n, [paths, width, height, driveLetter, separator](int i) {
        return TThumbNail::BuildDetached(width, height, paths[size_t(i)], driveLetter, separator);
    });
    const auto pump = [status] {
        if (status)
            status->ProcessEvents();
    };
    const auto cancelledNow = [status] { return status && status->IsCancelled(); };

    QStringList photos;
    QStringList thumbs;
    for (int i = 0; i < n; ++i) {
        if (cancelledNow())
            break;
        TPhoto* photo = PhotoAt(i);
        if (status) {
            status->SetObject(photo->GetName());
            status->StepIt();
            status->SetNumberToGo(QString::number(status->Maximum() - status->Position()));
            status->ProcessEvents();
        }
        const QString thumb = ThumbnailFileName(folder, i, photo->GetName());
        // Cancel while the picture is still being made gives it up: nothing
        // of it is written.
        const std::optional<TDetachedThumbnail> built = work.Next(pump, cancelledNow);
        if (!built)
            break;
        photo->GetThumbNail().TakeFileFacts(*built);
        // Only a thumbnail that reached the disk gets a line: a stale file of
        // another photo under this name would be shown otherwise.
        if (built->Found && !built->Jpeg.isEmpty() && WriteFileReplacing(thumb, built->Jpeg)) {
            photos << photo->GetName();
            thumbs << thumb;
        }
        photo->ReleaseThumbnailImage();
    }
    WriteFileOrThrow(GetThumbnailIndexFile(albumFileName),
        IndexText(info.GetWidth(), info.GetHeight(), photos, thumbs), TLinkPolicy::Replace, false);
    // Cancel keeps what was made: the thumbnails so far are there to be shown.
    return true;
}

int TPhotoList::LoadThumbnailIndex(const QString& albumFileName)
{
    IndexPhotoFiles.clear();
    IndexThumbFiles.clear();
    const QString folder = GetThumbnailFolder(albumFileName);
    QByteArray data;
    if (!ReadRegularFile(folder + IndexName, MaxIndexFileSize, data))
        return 0;
    // Written as UTF-8 here, as Windows-1252 by the original program.
    const QStringList lines = Text::SplitLines(Cp1252::DecodeUtf8OrCp1252(data));
    int width = 0;
    int height = 0;
    if (lines.size() < 2 || !ParseSize(lines[0], width) || !ParseSize(lines[1], height))
        return 0;
    IndexThumbInfo.SetWidth(width);
    IndexThumbInfo.SetHeight(height);

    bool dropped = false;
    for (qsizetype k = 2; k < lines.size(); ++k) {
        const QString& line = lines[k];
        // The text after the last line break is no line.
        if (k == lines.size() - 1 && line.isEmpty())
            break;
        const qsizetype p = SplitPosition(line, folder);
        const QString photo = p < 0 ? QString() : line.left(p);
        const QString thumb = p < 0 ? line : line.mid(p + 1);
        if (QFileInfo(thumb).isFile()) {
            IndexPhotoFiles << photo;
            IndexThumbFiles << thumb;
        } else {
            dropped = true;
        }
    }
    if (dropped) {
        // Read-only media keep their index as it is.
        try {
            SaveThumbnailIndex(albumFileName);
        } catch (const EStreamError&) {
        }
    }
    return int(IndexThumbFiles.size());
}

void TPhotoList::SaveThumbnailIndex(const QString& albumFileName) const
{
    WriteFileOrThrow(GetThumbnailIndexFile(albumFileName),
        IndexText(IndexThumbInfo.GetWidth(), IndexThumbInfo.GetHeight(), IndexPhotoFiles, IndexThumbFiles),
        TLinkPolicy::Replace, false);
}

void TPhotoList::DeleteIndexEntry(int index)
{
    if (index >= 0 && index < IndexThumbFiles.size())
        IndexThumbFiles.removeAt(index);
    if (index >= 0 && index < IndexPhotoFiles.size())
        IndexPhotoFiles.removeAt(index);
}

bool TPhotoList::RemoveThumbnails(const QString& albumFileName, TStatusReporter* status)
{
    const QString folder = GetThumbnailFolder(albumFileName);
    const QString folderPath = Paths::ExcludeTrailingSeparator(folder);
    // A cache folder that is a link goes as a link: what it points to may
    // hold more than thumbnails.
    if (QFileInfo(folderPath).isSymLink())
        return QFile::remove(folderPath) && !QFileInfo(folderPath).isSymLink();
    if (!DeleteFolderContents(folder, true, status))
        return false;
    QDir().rmdir(folder);
    return !QFileInfo::exists(Paths::ExcludeTrailingSeparator(folder));
}

bool TPhotoList::MoveThumbnails(const QString& oldAlbumFileName, const QString& newAlbumFileName, int* error)
{
    if (error)
        *error = 0;
    const QString from = ThumbnailFolderName(oldAlbumFileName);
    const QString to = ThumbnailFolderName(newAlbumFileName);
    if (!QFileInfo(Paths::ExcludeTrailingSeparator(from)).isDir())
        return false;
    // The index names every thumbnail by its full path: it is read while
    // those paths still hold.
    const bool indexed = HasThumbnailIndex(oldAlbumFileName) && LoadThumbnailIndex(oldAlbumFileName) > 0;
    // Another album's cache, or anything else of that name, stays as it is.
    if (!RenameNoReplace(Paths::ExcludeTrailingSeparator(from), Paths::ExcludeTrailingSeparator(to), error))
        return false;
    if (indexed) {
        for (QString& thumb : IndexThumbFiles)
            if (thumb.startsWith(from))
                thumb = to + thumb.mid(from.size());
        try {
            SaveThumbnailIndex(newAlbumFileName);
        } catch (const EStreamError&) {
            // A read-only folder keeps its old index; its lines no longer
            // match and the thumbnails are made again when asked for.
        }
    }
    return true;
}
