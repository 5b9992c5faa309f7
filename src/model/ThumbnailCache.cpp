// The thumbnail cache of an album: folder, index file and building.
#include "model/PhotoList.h"

#include "imaging/JpegCodec.h"
#include "language/LanguageSelector.h"
#include "model/FileProbe.h"
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

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

const QString IndexName = QStringLiteral("thumbnails.pct");
const QString ProbeName = QStringLiteral("t@e@s@t@t@a@v@r@i@m@o@l@ex");
// A real index holds a line per photo; anything far larger is not an index.
constexpr qint64 MaxIndexFileSize = qint64(64) * 1024 * 1024;
// As much of an index as HasThumbnails reads before it reads all of it.
constexpr qsizetype HeadSize = 64 * 1024;

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
qsizetype SplitPosition(QStringView line, const QString& folder)
{
    for (qsizetype p = line.indexOf(u'='); p >= 0; p = line.indexOf(u'=', p + 1))
        if (line.mid(p + 1).startsWith(folder))
            return p;
    return line.indexOf(u'=');
}

// The lines of a text as Text::SplitLines cuts them, without a string made
// of each: a large album's index has a hundred thousand.
std::vector<QStringView> LinesOf(QStringView text)
{
    std::vector<QStringView> lines;
    qsizetype start = 0;
    for (qsizetype i = text.indexOf(u'\n'); i >= 0; i = text.indexOf(u'\n', start)) {
        qsizetype end = i;
        if (end > start && text[end - 1] == u'\r')
            --end;
        lines.push_back(text.mid(start, end - start));
        start = i + 1;
    }
    if (start < text.size())
        lines.push_back(text.mid(start));
    return lines;
}

bool ThumbnailFileExists(const QString& thumb, TFileProbe* files)
{
    if (!thumb.startsWith(u'/'))
        return QFileInfo(thumb).isFile();
    return files ? files->Exists(thumb) : PhotoFileExists(thumb);
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
    return BuildThumbnails(info, driveLetter, albumFileName, status, Language()->PL[0], false);
}

bool TPhotoList::UpdateThumbnails(
    const TThumbNailInfo& info, QChar driveLetter, const QString& albumFileName, TStatusReporter* status)
{
    return BuildThumbnails(info, driveLetter, albumFileName, status, Language()->PL[1], true);
}

std::vector<int> TPhotoList::ThumbnailsToCheck(const TThumbNailInfo& info, const QString& albumFileName)
{
    // Read without disturbing the in-memory index, which callers read anew.
    const QStringList ownPhotos = IndexPhotoFiles;
    const QStringList ownThumbs = IndexThumbFiles;
    const int ownWidth = IndexThumbInfo.GetWidth();
    const int ownHeight = IndexThumbInfo.GetHeight();
    LoadThumbnailIndex(albumFileName);
    const QStringList photos = std::exchange(IndexPhotoFiles, ownPhotos);
    const QStringList thumbs = std::exchange(IndexThumbFiles, ownThumbs);
    const bool sameSize
        = IndexThumbInfo.GetWidth() == info.GetWidth() && IndexThumbInfo.GetHeight() == info.GetHeight();
    IndexThumbInfo.SetWidth(ownWidth);
    IndexThumbInfo.SetHeight(ownHeight);
    std::vector<int> candidates;
    if (!sameSize)
        return candidates;

    // A thumbnail file named twice in the index is made again.
    QHash<QStringView, QStringView> photoOf;
    photoOf.reserve(thumbs.size());
    for (qsizetype k = 0; k < thumbs.size(); ++k) {
        const auto found = photoOf.find(thumbs[k]);
        if (found == photoOf.end())
            photoOf.insert(thumbs[k], photos[k]);
        else
            *found = QStringView();
    }
    const QString folder = ThumbnailFolderName(albumFileName);
    for (int i = 0; i < Count(); ++i) {
        const TPhoto* photo = PhotoAt(i);
        const TThumbNail& record = photo->GetThumbNail();
        // A record made anew (its photo's information was edited) has no file facts.
        if (record.GetFileSize() < 0 || record.GetFileDate().isEmpty())
            continue;
        const auto found = photoOf.constFind(ThumbnailFileName(folder, i, photo->GetName()));
        if (found != photoOf.constEnd() && !found->isNull() && *found == photo->GetName())
            candidates.push_back(i);
    }
    return candidates;
}

std::vector<char> TPhotoList::FreshThumbnails(
    const std::vector<int>& candidates, const QString& folder, const std::function<void()>& pump)
{
    std::vector<char> fresh(size_t(Count()), 0);
    // The photo files are looked at on every core, a slice of them per job.
    constexpr int Slice = 256;
    struct TFacts {
        QString Path;
        int Size;
        QString Date;
        QString Thumbnail;
    };
    std::vector<TFacts> facts;
    facts.reserve(candidates.size());
    for (const int i : candidates) {
        const TThumbNail& record = PhotoAt(i)->GetThumbNail();
        facts.push_back({ PhotoAt(i)->GetName(), record.GetFileSize(), record.GetFileDate(),
            ThumbnailFileName(folder, i, PhotoAt(i)->GetName()) });
    }
    const auto shared = std::make_shared<const std::vector<TFacts>>(std::move(facts));
    const QChar separator = TThumbNail::DateSeparator();
    const int slices = int((candidates.size() + Slice - 1) / Slice);
    TOrderedWork<std::vector<char>> work(slices, [shared, separator](int slice) {
        const size_t first = size_t(slice) * Slice;
        const size_t last = std::min(shared->size(), first + Slice);
        std::vector<char> matches;
        matches.reserve(last - first);
        for (size_t k = first; k < last; ++k) {
            const TFacts& f = (*shared)[k];
            matches.push_back(
                TThumbNail::StillCurrent(f.Path, f.Size, f.Date, f.Thumbnail, separator) ? 1 : 0);
        }
        return matches;
    });
    for (int slice = 0; slice < slices; ++slice) {
        const std::optional<std::vector<char>> matches = work.Next(pump, {});
        if (!matches)
            break;
        for (size_t k = 0; k < matches->size(); ++k)
            fresh[size_t(candidates[size_t(slice) * Slice + k])] = (*matches)[k];
    }
    return fresh;
}

bool TPhotoList::BuildThumbnails(const TThumbNailInfo& info, QChar driveLetter, const QString& albumFileName,
    TStatusReporter* status, const QString& subject, bool keepFresh)
{
    const int n = Count();
    const QString folder = GetThumbnailFolder(albumFileName);
    // Read before the drive test, which changes the folder.
    const std::vector<int> candidates
        = keepFresh ? ThumbnailsToCheck(info, albumFileName) : std::vector<int>();
    m_indexReading.reset();
    if (!CheckDriveWritable(folder))
        return false;

    if (status) {
        status->SetRange(0, n);
        status->SetNumberToGo(QString::number(status->Maximum() - status->Position()));
        status->SetSubject(subject);
        status->ShowStatus();
    }
    const auto pump = [status] {
        if (status)
            status->ProcessEvents();
    };
    const auto cancelledNow = [status] { return status && status->IsCancelled(); };
    // A thumbnail made for this record, under the name its place gives, at
    // this size, from the photo file as it is now, would come out the same
    // again: it stays, and only the others are made.
    const std::vector<char> fresh = FreshThumbnails(candidates, folder, pump);
    // The pictures are made on every core, ahead of this loop, which takes
    // them in album order: the records, the files, the index and the progress
    // stay on this thread.
    std::vector<QString> paths;
    for (int i = 0; i < n; ++i)
        if (!fresh[size_t(i)])
            paths.push_back(PhotoAt(i)->GetName());
    const int width = info.GetWidth();
    const int height = info.GetHeight();
    const QChar separator = TThumbNail::DateSeparator();
    TOrderedWork<TDetachedThumbnail> work(
        int(paths.size()), [paths, width, height, driveLetter, separator](int i) {
            return TThumbNail::BuildDetached(width, height, paths[size_t(i)], driveLetter, separator);
        });

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
        if (fresh[size_t(i)]) {
            photos << photo->GetName();
            thumbs << thumb;
            continue;
        }
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
    RememberReading(albumFileName, info.GetWidth(), info.GetHeight(), photos, thumbs);
    // Cancel keeps what was made: the thumbnails so far are there to be shown.
    return true;
}

void TPhotoList::RememberReading(
    const QString& albumFileName, int width, int height, const QStringList& photos, const QStringList& thumbs)
{
    // Just written, so recent; but every file it names is there, and nothing
    // else wrote in the moment since.
    const QString folder = ThumbnailFolderName(albumFileName);
    m_indexReading = TIndexReading { albumFileName, TFileStamp::Of(folder + IndexName),
        TFileStamp::Of(folder), width, height, photos, thumbs };
}

int TPhotoList::LoadThumbnailIndex(const QString& albumFileName)
{
    IndexPhotoFiles.clear();
    IndexThumbFiles.clear();
    const QString folder = GetThumbnailFolder(albumFileName);
    // Taken before reading: a change while reading shows at the next call.
    const TFileStamp indexStamp = TFileStamp::Of(folder + IndexName);
    const TFileStamp folderStamp = TFileStamp::Of(folder);
    if (m_indexReading && m_indexReading->AlbumFileName == albumFileName
        && m_indexReading->Index == indexStamp && m_indexReading->Folder == folderStamp) {
        IndexThumbInfo.SetWidth(m_indexReading->Width);
        IndexThumbInfo.SetHeight(m_indexReading->Height);
        IndexPhotoFiles = m_indexReading->Photos;
        IndexThumbFiles = m_indexReading->Thumbs;
        return int(IndexThumbFiles.size());
    }
    m_indexReading.reset();
    QByteArray data;
    if (!ReadRegularFile(folder + IndexName, MaxIndexFileSize, data))
        return 0;
    // Written as UTF-8 here, as Windows-1252 by the original program.
    const QString text = Cp1252::DecodeUtf8OrCp1252(data);
    const std::vector<QStringView> lines = LinesOf(text);
    int width = 0;
    int height = 0;
    if (lines.size() < 2 || !ParseSize(lines[0].toString(), width) || !ParseSize(lines[1].toString(), height))
        return 0;
    IndexThumbInfo.SetWidth(width);
    IndexThumbInfo.SetHeight(height);

    QStringList photos;
    QStringList thumbs;
    photos.reserve(qsizetype(lines.size()));
    thumbs.reserve(qsizetype(lines.size()));
    for (size_t k = 2; k < lines.size(); ++k) {
        const QStringView line = lines[k];
        // The text after the last line break is no line.
        if (k == lines.size() - 1 && line.isEmpty())
            break;
        const qsizetype p = SplitPosition(line, folder);
        photos << (p < 0 ? QString() : line.left(p).toString());
        thumbs << (p < 0 ? line.toString() : line.mid(p + 1).toString());
    }
    // The thumbnails lie together in the album's folder, which is read once
    // rather than each file looked up.
    TFileProbe files;
    for (const QString& thumb : std::as_const(thumbs))
        files.Expect(thumb);
    bool dropped = false;
    for (qsizetype k = 0; k < thumbs.size(); ++k) {
        const QString& thumb = thumbs[k];
        if (ThumbnailFileExists(thumb, &files)) {
            IndexPhotoFiles << photos[k];
            IndexThumbFiles << thumb;
        } else {
            dropped = true;
        }
    }
    if (dropped) {
        // Read-only media keep their index as it is.
        try {
            SaveThumbnailIndex(albumFileName);
            RememberReading(albumFileName, width, height, IndexPhotoFiles, IndexThumbFiles);
        } catch (const EStreamError&) {
        }
    } else if (indexStamp.Exists && !indexStamp.IsRecent() && !folderStamp.IsRecent()) {
        m_indexReading = TIndexReading { albumFileName, indexStamp, folderStamp, width, height,
            IndexPhotoFiles, IndexThumbFiles };
    }
    return int(IndexThumbFiles.size());
}

bool TPhotoList::HasThumbnails(const QString& albumFileName)
{
    const QString folder = GetThumbnailFolder(albumFileName);
    if (m_indexReading && m_indexReading->AlbumFileName == albumFileName
        && m_indexReading->Index == TFileStamp::Of(folder + IndexName)
        && m_indexReading->Folder == TFileStamp::Of(folder))
        return !m_indexReading->Thumbs.isEmpty();
    qint64 size = 0;
    const int fd = OpenRegularFile(folder + IndexName, &size);
    if (fd < 0)
        return false;
    QByteArray head(qsizetype(std::min<qint64>(size, HeadSize)), Qt::Uninitialized);
    qsizetype got = 0;
    while (got < head.size()) {
        const ssize_t n = ::read(fd, head.data() + got, size_t(head.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += n;
    }
    ::close(fd);
    // A small index is read whole, as ever.
    if (size > MaxIndexFileSize || got >= size)
        return size <= MaxIndexFileSize && LoadThumbnailIndex(albumFileName) > 0;
    // Plain ASCII lines read the same in either encoding an index may have,
    // so the first whole lines of the head settle it while they are ASCII.
    head.truncate(head.lastIndexOf('\n') + 1);
    int line = 0;
    for (qsizetype start = 0; start < head.size();) {
        const qsizetype stop = head.indexOf('\n', start);
        const QByteArrayView bytes(head.constData() + start, stop - start);
        start = stop + 1;
        if (std::any_of(
                bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; }))
            break;
        QString text = QString::fromLatin1(bytes);
        if (text.endsWith(u'\r'))
            text.chop(1);
        int value = 0;
        if (line++ < 2) {
            if (!ParseSize(text, value))
                return false;
            continue;
        }
        const qsizetype p = SplitPosition(text, folder);
        if (ThumbnailFileExists(p < 0 ? text : text.mid(p + 1), nullptr))
            return true;
    }
    return LoadThumbnailIndex(albumFileName) > 0;
}

void TPhotoList::SaveThumbnailIndex(const QString& albumFileName) const
{
    m_indexReading.reset();
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
    m_indexReading.reset();
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
    m_indexReading.reset();
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
