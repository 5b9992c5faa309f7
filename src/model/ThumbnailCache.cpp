// SPDX-License-Identifier: GPL-2.0-or-later
#include "model/ThumbnailCache.h"

#include "model/Album.h"

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

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
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

const QString CacheSuffix = QStringLiteral("_thumbnails");
const QString TemporaryPrefix = QStringLiteral("tempthumbnails");

QByteArray IndexText(const TThumbnailIndex& index)
{
    QString text = QString::number(index.Width) + QStringLiteral("\r\n") + QString::number(index.Height)
        + QStringLiteral("\r\n");
    for (qsizetype k = 0; k < index.Thumbnails.size() && k < index.Photos.size(); ++k)
        text += index.Photos[k] + u'=' + index.Thumbnails[k] + QStringLiteral("\r\n");
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

bool ThumbnailFileExists(const QString& thumb, TFileProbe* files)
{
    if (!thumb.startsWith(u'/'))
        return QFileInfo(thumb).isFile();
    return files ? files->Exists(thumb) : PhotoFileExists(thumb);
}

} // namespace

TThumbnailCache::TThumbnailCache(TAlbum& album)
    : m_album(album)
{
}

QString TThumbnailCache::FolderOf(const QString& albumFileName)
{
    return Paths::IncludeTrailingSeparator(Paths::ChangeFileExt(albumFileName, QString()) + CacheSuffix);
}

QString TThumbnailCache::TemporaryFolder(const QString& albumFolder, const QDateTime& now)
{
    return Paths::IncludeTrailingSeparator(albumFolder) + TemporaryPrefix
        + now.toString(QStringLiteral("yyyyMMdd_HHmm"));
}

QString TThumbnailCache::TemporaryAlbumFileName(const QString& temporaryFolder)
{
    return Paths::IncludeTrailingSeparator(temporaryFolder) + QStringLiteral("TempAlbum.tvx");
}

bool TThumbnailCache::IsCacheFolder(const QString& folder)
{
    const QString name = Paths::ExtractFileName(Paths::ExcludeTrailingSeparator(folder));
    return name.endsWith(CacheSuffix) || name.startsWith(TemporaryPrefix);
}

QString TThumbnailCache::ThumbnailFileName(const QString& folder, int index, const QString& photoPath)
{
    return folder + QString::number(index) + u'_'
        + Paths::ChangeFileExt(Paths::ExtractFileName(photoPath), QStringLiteral(".jpg"));
}

bool TThumbnailCache::CheckDriveWritable(const QString& folder)
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

bool TThumbnailCache::RemoveFolder(const QString& folder, TStatusReporter* status)
{
    const QString path = Paths::ExcludeTrailingSeparator(folder);
    // A name given wrongly must never cost the user a folder of photos.
    if (path.isEmpty() || !IsCacheFolder(path))
        return false;
    const QFileInfo info(path);
    // A cache folder that is a link goes as a link: what it points to may
    // hold more than thumbnails.
    if (info.isSymLink())
        return QFile::remove(path) && !QFileInfo(path).isSymLink();
    if (!info.isDir())
        return !info.exists();
    if (!DeleteFolderContents(path, true, status))
        return false;
    QDir().rmdir(path);
    return !QFileInfo::exists(path);
}

QString TThumbnailCache::Folder() const
{
    return FolderOf(m_album.GetFileName());
}

QString TThumbnailCache::IndexFileName() const
{
    return Folder() + IndexName;
}

bool TThumbnailCache::HasIndexFile() const
{
    return QFileInfo(IndexFileName()).isFile();
}

bool TThumbnailCache::Create(TStatusReporter* status)
{
    return Build(status, Language()->PL[0], false);
}

bool TThumbnailCache::Update(TStatusReporter* status)
{
    return Build(status, Language()->PL[1], true);
}

std::vector<int> TThumbnailCache::ThumbnailsToCheck()
{
    const TThumbNailInfo& info = m_album.GetThumbInfo();
    // Read without disturbing Index(), which callers read anew.
    const TThumbnailIndex index = ReadIndex(m_album.GetFileName());
    std::vector<int> candidates;
    if (index.Width != info.GetWidth() || index.Height != info.GetHeight())
        return candidates;

    // A thumbnail file named twice in the index is made again.
    QHash<QStringView, QStringView> photoOf;
    photoOf.reserve(index.Thumbnails.size());
    for (qsizetype k = 0; k < index.Thumbnails.size(); ++k) {
        const auto found = photoOf.find(index.Thumbnails[k]);
        if (found == photoOf.end())
            photoOf.insert(index.Thumbnails[k], index.Photos[k]);
        else
            *found = QStringView();
    }
    const QString folder = Folder();
    const TPhotoList& photos = m_album.GetPhotos();
    for (int i = 0; i < photos.Count(); ++i) {
        const TPhoto* photo = photos.PhotoAt(i);
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

std::vector<char> TThumbnailCache::FreshThumbnails(
    const std::vector<int>& candidates, const QString& folder, const std::function<void()>& pump)
{
    const TPhotoList& photos = m_album.GetPhotos();
    std::vector<char> fresh(size_t(photos.Count()), 0);
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
        const TThumbNail& record = photos.PhotoAt(i)->GetThumbNail();
        facts.push_back({ photos.PhotoAt(i)->GetName(), record.GetFileSize(), record.GetFileDate(),
            ThumbnailFileName(folder, i, photos.PhotoAt(i)->GetName()) });
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

bool TThumbnailCache::Build(TStatusReporter* status, const QString& subject, bool keepFresh)
{
    TPhotoList& photos = m_album.GetPhotos();
    const TThumbNailInfo& info = m_album.GetThumbInfo();
    const QString albumFileName = m_album.GetFileName();
    const int n = photos.Count();
    const QString folder = Folder();
    QDir().mkpath(folder);
    // Read before the drive test, which changes the folder.
    const std::vector<int> candidates = keepFresh ? ThumbnailsToCheck() : std::vector<int>();
    ForgetReadings();
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
            paths.push_back(photos.PhotoAt(i)->GetName());
    const int width = info.GetWidth();
    const int height = info.GetHeight();
    const QChar driveLetter = m_album.GetDriveLetter();
    const QChar separator = TThumbNail::DateSeparator();
    TOrderedWork<TDetachedThumbnail> work(
        int(paths.size()), [paths, width, height, driveLetter, separator](int i) {
            return TThumbNail::BuildDetached(width, height, paths[size_t(i)], driveLetter, separator);
        });

    TThumbnailIndex index { width, height, {}, {} };
    for (int i = 0; i < n; ++i) {
        if (cancelledNow())
            break;
        TPhoto* photo = photos.PhotoAt(i);
        if (status) {
            status->SetObject(photo->GetName());
            status->StepIt();
            status->SetNumberToGo(QString::number(status->Maximum() - status->Position()));
            status->ProcessEvents();
        }
        const QString thumb = ThumbnailFileName(folder, i, photo->GetName());
        if (fresh[size_t(i)]) {
            index.Photos << photo->GetName();
            index.Thumbnails << thumb;
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
            index.Photos << photo->GetName();
            index.Thumbnails << thumb;
        }
        photo->ReleaseThumbnailImage();
    }
    WriteIndex(albumFileName, index);
    RememberReading(albumFileName, index);
    // Cancel keeps what was made: the thumbnails so far are there to be shown.
    return true;
}

void TThumbnailCache::RememberReading(const QString& albumFileName, const TThumbnailIndex& index)
{
    // Just written, so recent; but every file it names is there, and nothing
    // else wrote in the moment since.
    const QString folder = FolderOf(albumFileName);
    m_reading
        = TIndexReading { albumFileName, TFileStamp::Of(folder + IndexName), TFileStamp::Of(folder), index };
}

void TThumbnailCache::ForgetReadings()
{
    m_reading.reset();
    m_progress.reset();
}

void TThumbnailCache::WriteIndex(const QString& albumFileName, const TThumbnailIndex& index)
{
    m_reading.reset();
    const QString folder = FolderOf(albumFileName);
    QDir().mkpath(folder);
    WriteFileOrThrow(folder + IndexName, IndexText(index), TLinkPolicy::Replace, false);
}

// A reading of the index file under way: its size lines are read, the other
// lines a batch at a time. Valid UTF-8 is decoded a line at a time as the
// lines are read; an index of the original program's code page is decoded
// whole at the start.
struct TThumbnailCache::TIndexProgress {
    QString AlbumFileName;
    QString Folder;
    // Taken before reading: a change while reading shows at the next call.
    TFileStamp IndexStamp;
    TFileStamp FolderStamp;
    QByteArray Bytes {};
    QString Text {};
    // Where the next line starts, in Bytes or in Text.
    qsizetype Next = 0;
    int LinesLeft = 0;
    bool Dropped = false;

    qsizetype Size() const { return Text.isNull() ? Bytes.size() : Text.size(); }
    qsizetype LineBreak(qsizetype from) const
    {
        if (!Text.isNull())
            return Text.indexOf(u'\n', from);
        const void* found = std::memchr(Bytes.constData() + from, '\n', size_t(Bytes.size() - from));
        return found ? static_cast<const char*>(found) - Bytes.constData() : -1;
    }
    bool CarriageReturnAt(qsizetype at) const
    {
        return Text.isNull() ? Bytes[at] == '\r' : Text[at] == u'\r';
    }
    QString Line(qsizetype from, qsizetype to) const
    {
        if (!Text.isNull())
            return Text.mid(from, to - from);
        const QByteArrayView bytes(Bytes.constData() + from, to - from);
        // A byte-order mark is skipped at the start of the file only.
        if (!bytes.startsWith("\xEF\xBB\xBF"))
            return QString::fromUtf8(bytes);
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
        return utf8.decode(bytes);
    }

    // The next line, without its line break, as Text::SplitLines cuts lines;
    // false after the last one.
    bool NextLine(QString& line)
    {
        const qsizetype size = Size();
        if (Next >= size)
            return false;
        const qsizetype lineBreak = LineBreak(Next);
        qsizetype end = lineBreak < 0 ? size : lineBreak;
        if (lineBreak >= 0 && end > Next && CarriageReturnAt(end - 1))
            --end;
        line = Line(Next, end);
        Next = lineBreak < 0 ? size : lineBreak + 1;
        return true;
    }

    // The lines from Next on, less an empty last one: the text after the
    // last line break is no line.
    int CountLines() const
    {
        const qsizetype size = Size();
        qsizetype lines = 0;
        qsizetype lastStart = Next;
        qsizetype lastEnd = Next;
        qsizetype from = Next;
        for (qsizetype at = from < size ? LineBreak(from) : -1; at >= 0;
             at = from < size ? LineBreak(from) : -1) {
            ++lines;
            lastStart = from;
            lastEnd = at;
            from = at + 1;
        }
        if (from < size)
            ++lines;
        else if (lines > 0
            && (lastEnd == lastStart || (lastEnd == lastStart + 1 && CarriageReturnAt(lastStart))))
            --lines;
        return int(std::min<qsizetype>(lines, INT_MAX));
    }
};

TThumbnailCache::~TThumbnailCache() = default;

bool TThumbnailCache::StartReading(TIndexProgress& progress, TThumbnailIndex& index)
{
    index = {};
    QByteArray data;
    if (!ReadRegularFile(progress.Folder + IndexName, MaxIndexFileSize, data))
        return false;
    // Written as UTF-8 here, as Windows-1252 by the original program.
    if (QByteArrayView(data).isValidUtf8()) {
        progress.Bytes = data;
        if (data.startsWith("\xEF\xBB\xBF"))
            progress.Next = 3;
    } else {
        progress.Text = Cp1252::DecodeUtf8OrCp1252(data);
    }
    QString width;
    QString height;
    if (!progress.NextLine(width) || !progress.NextLine(height) || !ParseSize(width, index.Width)
        || !ParseSize(height, index.Height)) {
        index = {};
        return false;
    }
    progress.LinesLeft = progress.CountLines();
    return true;
}

void TThumbnailCache::ReadLines(TIndexProgress& progress, TThumbnailIndex& index, int count)
{
    // Fewer lines at once are not worth a batch of their own.
    constexpr int SmallestBatch = 64;
    while (progress.LinesLeft > 0 && index.Count() < count) {
        const int batch = std::min(progress.LinesLeft, std::max(count - index.Count(), SmallestBatch));
        QStringList photos;
        QStringList thumbs;
        photos.reserve(batch);
        thumbs.reserve(batch);
        QString line;
        for (int k = 0; k < batch && progress.NextLine(line); ++k) {
            const qsizetype p = SplitPosition(line, progress.Folder);
            photos << (p < 0 ? QString() : line.left(p));
            thumbs << (p < 0 ? line : line.mid(p + 1));
        }
        progress.LinesLeft -= batch;
        // The thumbnails lie together in the album's folder, which is read
        // once rather than each file looked up when a batch is large enough.
        TFileProbe files;
        for (const QString& thumb : std::as_const(thumbs))
            files.Expect(thumb);
        index.Photos.reserve(index.Count() + thumbs.size());
        index.Thumbnails.reserve(index.Count() + thumbs.size());
        for (qsizetype k = 0; k < thumbs.size(); ++k) {
            if (ThumbnailFileExists(thumbs[k], &files)) {
                index.Photos << photos[k];
                index.Thumbnails << thumbs[k];
            } else {
                progress.Dropped = true;
            }
        }
    }
}

void TThumbnailCache::FinishReading(const TIndexProgress& progress, const TThumbnailIndex& index)
{
    if (progress.Dropped) {
        // Read-only media keep their index as it is, and so does an index
        // written anew since it was read.
        try {
            if (TFileStamp::Of(progress.Folder + IndexName) == progress.IndexStamp) {
                WriteIndex(progress.AlbumFileName, index);
                RememberReading(progress.AlbumFileName, index);
            }
        } catch (const EStreamError&) {
        }
    } else if (progress.IndexStamp.Exists && !progress.IndexStamp.IsRecent()
        && !progress.FolderStamp.IsRecent()) {
        m_reading
            = TIndexReading { progress.AlbumFileName, progress.IndexStamp, progress.FolderStamp, index };
    }
}

int TThumbnailCache::LoadIndex()
{
    BeginIndex();
    ReadIndexUpTo(INT_MAX);
    return m_index.Count();
}

void TThumbnailCache::BeginIndex()
{
    const QString albumFileName = m_album.GetFileName();
    const QString folder = FolderOf(albumFileName);
    QDir().mkpath(folder);
    const TFileStamp indexStamp = TFileStamp::Of(folder + IndexName);
    const TFileStamp folderStamp = TFileStamp::Of(folder);
    if (m_reading && m_reading->Of(albumFileName, indexStamp, folderStamp)) {
        m_progress.reset();
        m_index = m_reading->Lines;
        return;
    }
    // The reading under way goes on while nothing changed since it began.
    if (m_progress && m_progress->AlbumFileName == albumFileName && m_progress->IndexStamp == indexStamp
        && m_progress->FolderStamp == folderStamp && !indexStamp.IsRecent() && !folderStamp.IsRecent())
        return;
    m_reading.reset();
    m_progress.reset(new TIndexProgress { albumFileName, folder, indexStamp, folderStamp });
    if (!StartReading(*m_progress, m_index))
        m_progress.reset();
}

void TThumbnailCache::ReadIndexUpTo(int count)
{
    if (!m_progress)
        return;
    ReadLines(*m_progress, m_index, count);
    if (m_progress->LinesLeft > 0)
        return;
    const std::unique_ptr<TIndexProgress> done = std::move(m_progress);
    FinishReading(*done, m_index);
}

int TThumbnailCache::IndexLinesLeft() const
{
    return m_progress ? m_progress->LinesLeft : 0;
}

TThumbnailIndex TThumbnailCache::ReadIndex(const QString& albumFileName)
{
    const QString folder = FolderOf(albumFileName);
    QDir().mkpath(folder);
    // Taken before reading: a change while reading shows at the next call.
    const TFileStamp indexStamp = TFileStamp::Of(folder + IndexName);
    const TFileStamp folderStamp = TFileStamp::Of(folder);
    if (m_reading && m_reading->Of(albumFileName, indexStamp, folderStamp))
        return m_reading->Lines;
    m_reading.reset();
    TIndexProgress progress { albumFileName, folder, indexStamp, folderStamp };
    TThumbnailIndex index;
    if (!StartReading(progress, index))
        return {};
    ReadLines(progress, index, INT_MAX);
    FinishReading(progress, index);
    return index;
}

bool TThumbnailCache::HasThumbnails()
{
    // Asking first whether an index exists spares every opened album an empty folder.
    if (!HasIndexFile())
        return false;
    const QString albumFileName = m_album.GetFileName();
    const QString folder = FolderOf(albumFileName);
    if (m_reading && m_reading->Of(albumFileName, TFileStamp::Of(folder + IndexName), TFileStamp::Of(folder)))
        return m_reading->Lines.Count() > 0;
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
        return size <= MaxIndexFileSize && ReadIndex(albumFileName).Count() > 0;
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
    return ReadIndex(albumFileName).Count() > 0;
}

void TThumbnailCache::SaveIndex(const TThumbnailIndex& index)
{
    ForgetReadings();
    WriteIndex(m_album.GetFileName(), index);
}

void TThumbnailCache::RemoveEntries(const QStringList& thumbnailFiles)
{
    // The index file is read afresh: what it holds now is what gets written back.
    TThumbnailIndex index = ReadIndex(m_album.GetFileName());
    bool removed = false;
    for (qsizetype k = index.Thumbnails.size() - 1; k >= 0; --k) {
        if (thumbnailFiles.contains(index.Thumbnails[k])) {
            index.Thumbnails.removeAt(k);
            if (k < index.Photos.size())
                index.Photos.removeAt(k);
            removed = true;
        }
    }
    if (removed)
        SaveIndex(index);
}

bool TThumbnailCache::Remove(TStatusReporter* status)
{
    ForgetReadings();
    return RemoveFolder(Folder(), status);
}

bool TThumbnailCache::MoveWithAlbum(const QString& newAlbumFileName, int* error)
{
    ForgetReadings();
    if (error)
        *error = 0;
    const QString oldAlbumFileName = m_album.GetFileName();
    const QString from = FolderOf(oldAlbumFileName);
    const QString to = FolderOf(newAlbumFileName);
    if (!QFileInfo(Paths::ExcludeTrailingSeparator(from)).isDir())
        return false;
    // The index names every thumbnail by its full path: it is read while
    // those paths still hold.
    TThumbnailIndex index;
    if (HasIndexFile())
        index = ReadIndex(oldAlbumFileName);
    // Another album's cache, or anything else of that name, stays as it is.
    if (!RenameNoReplace(Paths::ExcludeTrailingSeparator(from), Paths::ExcludeTrailingSeparator(to), error))
        return false;
    m_reading.reset();
    if (index.Count() > 0) {
        for (QString& thumb : index.Thumbnails)
            if (thumb.startsWith(from))
                thumb = to + thumb.mid(from.size());
        try {
            WriteIndex(newAlbumFileName, index);
        } catch (const EStreamError&) {
            // A read-only folder keeps its old index; its lines no longer
            // match and the thumbnails are made again when asked for.
        }
    }
    return true;
}
