#include "model/SearchEngine.h"

#include "model/Album.h"
#include "platform/Paths.h"
#include "platform/TextUtil.h"
#include "platform/Words.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The path of a hit as it can be found on disk now, or empty.
QString ExistingPath(const TAlbum& album, const QString& stored)
{
    QString path = stored;
    if (PhotoFileExists(path))
        return path;
    if (!path.isEmpty())
        path = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    if (PhotoFileExists(path))
        return path;
    // The drive letter is only repaired between two drive-letter paths.
    path = stored;
    if (Paths::HasDriveLetter(path) && Paths::HasDriveLetter(album.GetFileName()))
        path[0] = album.GetDriveLetter();
    return PhotoFileExists(path) ? path : QString();
}

} // namespace

bool TSearchEngine::Search(TAlbum& album, const QStringList& objectNames, const QStringList& eventNames,
    const QString& year, const QString& descriptionWords, const QString& pathWord, unsigned char allObjects,
    unsigned char options, QStringList& results)
{
    TStreamIntList objectIds;
    for (const QString& name : objectNames) {
        const int id = album.ObjectIdByName(name);
        if (id != -1)
            objectIds.Add(id);
    }
    TStreamIntList eventIds;
    for (const QString& name : eventNames) {
        const int id = album.EventIdByName(name);
        if (id != -1)
            eventIds.Add(id);
    }
    const QStringList words = SplitWords(descriptionWords, SplitWordsLower);
    const QString lowerPathWord = Text::AsciiLower(pathWord);

    bool appended = false;
    TPhotoList& photos = album.GetPhotos();
    for (int p = 0; p < photos.Count(); ++p) {
        TPhoto* photo = photos.PhotoAt(p);
        const bool hit
            = MatchPhoto(*photo, objectIds, eventIds, year, words, lowerPathWord, allObjects, options);
        photo->SetFound(hit);
        if (!hit)
            continue;
        const QString path = ExistingPath(album, photo->GetName());
        if (!path.isEmpty()) {
            results << path;
            appended = true;
        }
    }
    return appended;
}

bool TSearchEngine::MatchPhoto(const TPhoto& photo, const TStreamIntList& objectIds,
    const TStreamIntList& eventIds, const QString& year, const QStringList& words, const QString& pathWord,
    unsigned char allObjects, unsigned char options) const
{
    bool objectHit = false;
    int count = 0;
    for (int i = 0; i < objectIds.Count() && !objectHit; ++i) {
        if (photo.GetObjectIds().Contains(objectIds.ValueAt(i)))
            ++count;
        if (allObjects == 0)
            objectHit = count > 0;
        else if (allObjects == 1)
            objectHit = count == objectIds.Count();
    }

    const bool eventHit = eventIds.Contains(photo.GetEventId());
    const bool yearHit = (options & OptYear) && !year.isEmpty() && year == photo.GetYear();

    bool descriptionHit = false;
    if (options & OptDescription) {
        const QStringList own = SplitWords(photo.GetDescription(), SplitWordsLower);
        for (const QString& w : words)
            if (own.contains(w)) {
                descriptionHit = true;
                break;
            }
    }

    const bool pathHit
        = (options & OptPath) && !pathWord.isEmpty() && Text::AsciiLower(photo.GetName()).contains(pathWord);

    bool labelHit = false;
    if (options & OptAnd)
        labelHit = (objectHit && eventHit) || (objectHit && eventIds.IsEmpty())
            || (objectIds.IsEmpty() && eventHit);
    else if (options & OptOr)
        labelHit = objectHit || eventHit;

    return labelHit || yearHit || descriptionHit || pathHit;
}
