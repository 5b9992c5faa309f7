// SPDX-License-Identifier: GPL-2.0-or-later
#include "model/Album.h"

#include "language/LanguageSelector.h"
#include "model/FileProbe.h"
#include "model/PendingRenames.h"
#include "model/Reader.h"
#include "model/SafeFile.h"
#include "model/StreamError.h"
#include "model/Writer.h"
#include "platform/Paths.h"
#include "platform/StatusReporter.h"

#include <QDir>

#include <cerrno>

#include <unistd.h>

namespace {

QString AbsoluteAlbumPath(const QString& fileName)
{
    // Windows-form paths ("E:\albums\b.tvx") only come from old files and tests: leave them.
    if (fileName.isEmpty() || QDir::isAbsolutePath(fileName) || Paths::HasDriveLetter(fileName))
        return fileName;
    return Paths::AbsoluteClean(fileName);
}

// The album file, open for reading, with its size; closed when this goes.
class TAlbumFile {
public:
    explicit TAlbumFile(const QString& fileName)
    {
        int error = 0;
        m_fd = OpenRegularFile(fileName, &m_size, &error);
        if (m_fd < 0)
            throw EStreamError::OpenError(fileName, SystemErrorText(error));
        if (m_size > TAlbum::MaxFileSize) {
            ::close(m_fd);
            throw EStreamError::OpenError(fileName, SystemErrorText(EFBIG));
        }
    }
    ~TAlbumFile() { ::close(m_fd); }
    TAlbumFile(const TAlbumFile&) = delete;
    TAlbumFile& operator=(const TAlbumFile&) = delete;

    int Descriptor() const { return m_fd; }
    qint64 Size() const { return m_size; }

private:
    int m_fd = -1;
    qint64 m_size = 0;
};

// Whether a label falls in the usage class; uses tells whether some photo carries it.
bool InUsageClass(int usage, bool uses)
{
    switch (usage) {
    case 0:
        return true;
    case 1:
        return uses;
    case 2:
        return !uses;
    default:
        return false;
    }
}

// The labels of source that target lacks join target, in source's order.
void AddMissingNames(TEntityList& target, const TEntityList& source)
{
    for (int i = 0; i < source.Count(); ++i) {
        const QString name = source.NameAt(i);
        if (target.IndexOfName(name) < 0)
            target.AddName(name);
    }
}

} // namespace

TAlbum::TAlbum(const QString& fileName)
    : m_fileName(AbsoluteAlbumPath(fileName))
{
    Init();
}

TAlbum::~TAlbum() = default;

void TAlbum::Init()
{
    m_description.clear();
    m_objects = std::make_unique<TEntityList>();
    m_events = std::make_unique<TEntityList>();
    m_photos = std::make_unique<TPhotoList>();
    m_thumbInfo = std::make_unique<TThumbNailInfo>();
    m_thumbnails = std::make_unique<TThumbnailCache>(*this);
    m_fileVersion = 2;
}

void TAlbum::SetFileName(const QString& fileName)
{
    m_fileName = AbsoluteAlbumPath(fileName);
}

QString TAlbum::GetFolder() const
{
    return Paths::ExtractFilePath(m_fileName);
}

QChar TAlbum::GetDriveLetter() const
{
    return m_fileName.isEmpty() ? QChar(u' ') : m_fileName.at(0);
}

QString TAlbum::GetName() const
{
    return Paths::NameWithoutExtension(m_fileName);
}

void TAlbum::SaveToWriter(TWriter& writer) const
{
    TStreamObject::SaveToWriter(writer);
    writer.WriteString(m_description);
    m_objects->SaveToWriter(writer);
    m_events->SaveToWriter(writer);
    m_photos->SaveToWriter(writer);
    m_thumbInfo->SaveToWriter(writer);
}

void TAlbum::LoadFromReader(TReader& reader, int version)
{
    TStreamObject::LoadFromReader(reader, version);
    m_description = reader.ReadString();
    m_objects->LoadFromReader(reader, version);
    m_events->LoadFromReader(reader, version);
    m_photos->LoadFromReader(reader, version);
    m_thumbInfo->LoadFromReader(reader, version);
}

std::unique_ptr<TAlbum> TAlbum::CreateFromFile(const QString& fileName, TStatusReporter* status)
{
    auto album = std::make_unique<TAlbum>(fileName);
    {
        const TAlbumFile file(album->m_fileName);
        TReader reader(file.Descriptor(), file.Size());
        album->m_fileVersion = reader.ReadInteger();
        album->LoadFromReader(reader, album->m_fileVersion);
    }
    // Before relocation, which would look for a renamed photo elsewhere.
    if (const auto renames = TPendingRenames::Read(album->m_fileName))
        album->m_renamesTakenOver = TPendingRenames::TakeOver(*album->m_photos, *renames);
    album->Relocate(status);
    return album;
}

bool TAlbum::SaveToFile(TLinkPolicy links)
{
    TWriter writer;
    writer.WriteInteger(2);
    SaveToWriter(writer);
    WriteFileOrThrow(m_fileName, writer.Data(), links, true);
    return true;
}

void TAlbum::Relocate(TStatusReporter* status)
{
    const QChar albumDrive = GetDriveLetter();
    const QString albumFolder = GetFolder();
    const int n = m_photos->Count();
    // Replacing the drive letter only means something when both paths carry one.
    const bool albumHasDrive = Paths::HasDriveLetter(m_fileName);

    if (status) {
        status->SetRange(0, n);
        status->SetNumberToGo(QString::number(status->Maximum() - status->Position()));
        status->SetSubject(Language()->AM[0]);
        status->ShowStatus();
    }
    // The probe reads folders whole where that is cheaper than a look-up per
    // photo. It is told of the photos' own names, so the name of a photo
    // that moves is kept alive here while the probe runs.
    TFileProbe files;
    for (int i = 0; i < n; ++i)
        files.Expect(m_photos->PhotoAt(i)->GetName());
    QStringList replaced;
    const auto move = [&replaced](TPhoto* photo, const QString& path) {
        replaced.append(photo->GetName());
        photo->SetName(path);
    };
    for (int i = 0; i < n; ++i) {
        TPhoto* photo = m_photos->PhotoAt(i);
        QString path = photo->GetName();
        if (status) {
            status->SetObject(path);
            status->StepIt();
            status->SetNumberToGo(QString::number(status->Maximum() - status->Position()));
            status->ProcessEvents();
        }
        if (albumHasDrive && Paths::HasDriveLetter(path) && photo->GetDriveLetter() != albumDrive
            && !files.Exists(path)) {
            path[0] = albumDrive;
            if (files.Exists(path))
                move(photo, path);
        }
        if (!files.Exists(path)) {
            const QString moved = albumFolder + photo->GetFileNameOnly();
            if (files.Exists(moved))
                move(photo, moved);
        }
        if (status && status->IsCancelled())
            break;
    }
}

QStringList TAlbum::IndexedPhotoPaths(const QStringList& indexedPaths) const
{
    const auto names = [this](const QString& path) { return m_photos->IndexOfName(path) >= 0; };
    const QChar albumDrive = GetDriveLetter();
    const bool albumHasDrive = Paths::HasDriveLetter(m_fileName);
    const QString albumFolder = GetFolder();

    QStringList result;
    result.reserve(indexedPaths.size());
    for (const QString& path : indexedPaths) {
        QString photo = path;
        // The same two steps as Relocate, which only moves a photo whose file is gone.
        if (!names(path) && !PhotoFileExists(path)) {
            QString onDrive = path;
            if (albumHasDrive && Paths::HasDriveLetter(path) && path.at(0) != albumDrive)
                onDrive[0] = albumDrive;
            const QString inFolder = albumFolder + Paths::ExtractFileName(path);
            if (onDrive != path && names(onDrive))
                photo = onDrive;
            else if (names(inFolder))
                photo = inFolder;
        }
        result.append(photo);
    }
    return result;
}

void TAlbum::MergeObjects(const TEntityList* source, TPhotoList* photos)
{
    if (!source)
        return;
    TEntityList& objects = GetObjects();
    AddMissingNames(objects, *source);
    if (!photos)
        return;
    for (int p = 0; p < photos->Count(); ++p) {
        TStreamIntList& ids = photos->PhotoAt(p)->GetObjectIds();
        const QList<int> old = ids.Values();
        ids.Clear();
        for (const int id : old) {
            // An id the other album does not know names no label: keeping it as -1
            // would make the photo look labelled.
            if (!source->FindById(id))
                continue;
            const int mapped = objects.IdByName(source->NameById(id));
            if (mapped != -1)
                ids.Add(mapped);
        }
    }
}

void TAlbum::MergeEvents(const TEntityList* source, TPhotoList* photos)
{
    if (!source)
        return;
    TEntityList& events = GetEvents();
    AddMissingNames(events, *source);
    if (!photos)
        return;
    for (int p = 0; p < photos->Count(); ++p) {
        TPhoto* photo = photos->PhotoAt(p);
        if (!photo->HasEvent())
            continue;
        if (!source->FindById(photo->GetEventId()))
            photo->ClearEvent();
        else
            photo->SetEventId(events.IdByName(source->NameById(photo->GetEventId())));
    }
}

void TAlbum::AddPhotos(TPhotoList* photos)
{
    if (!photos)
        return;
    TPhotoList& own = GetPhotos();
    int i = 0;
    while (i < photos->Count()) {
        if (own.IndexOfName(photos->PhotoAt(i)->GetName()) < 0)
            own.Add(photos->Take(i));
        else
            ++i;
    }
}

bool TAlbum::FindByObjectName(const QString& name, QStringList& paths)
{
    bool any = false;
    TPhotoList& photos = GetPhotos();
    for (int p = 0; p < photos.Count(); ++p) {
        TPhoto* photo = photos.PhotoAt(p);
        photo->SetFound(false);
        const TStreamIntList& ids = photo->GetObjectIds();
        for (int k = 0; k < ids.Count(); ++k) {
            if (ObjectNameById(ids.ValueAt(k)) == name) {
                photo->SetFound(true);
                paths << photo->GetName();
                any = true;
                break;
            }
        }
    }
    return any;
}

bool TAlbum::FindByEventName(const QString& name, QStringList& paths)
{
    bool any = false;
    TPhotoList& photos = GetPhotos();
    for (int p = 0; p < photos.Count(); ++p) {
        TPhoto* photo = photos.PhotoAt(p);
        photo->SetFound(EventNameById(photo->GetEventId()) == name);
        if (photo->GetFound()) {
            paths << photo->GetName();
            any = true;
        }
    }
    return any;
}

namespace {

// Deletes the labels of the usage class, and takes them off the photos.
void DeleteLabels(TEntityList& labels, const QSet<int>& inUse, int usage, QSet<int>& deleted)
{
    int i = 0;
    while (i < labels.Count()) {
        const int id = labels.ItemAt(i)->GetId();
        if (InUsageClass(usage, inUse.contains(id))) {
            deleted.insert(id);
            labels.Delete(i);
        } else {
            ++i;
        }
    }
}

void MarkLabels(TEntityList& labels, const QSet<int>& inUse, int usage)
{
    for (int i = 0; i < labels.Count(); ++i) {
        TEntity* label = labels.ItemAt(i);
        label->SetVisible(InUsageClass(usage, inUse.contains(label->GetId())));
    }
}

} // namespace

void TAlbum::DeleteObjects(int usage)
{
    QSet<int> deleted;
    DeleteLabels(GetObjects(), GetPhotos().ObjectIdsInUse(), usage, deleted);
    GetPhotos().RemoveObjectIds(deleted);
}

void TAlbum::MarkObjects(int usage)
{
    MarkLabels(GetObjects(), GetPhotos().ObjectIdsInUse(), usage);
}

void TAlbum::DeleteEvents(int usage)
{
    QSet<int> deleted;
    DeleteLabels(GetEvents(), GetPhotos().EventIdsInUse(), usage, deleted);
    GetPhotos().ClearEventIds(deleted);
}

void TAlbum::MarkEvents(int usage)
{
    MarkLabels(GetEvents(), GetPhotos().EventIdsInUse(), usage);
}
