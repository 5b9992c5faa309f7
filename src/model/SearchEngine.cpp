// SPDX-License-Identifier: GPL-2.0-or-later
#include "model/SearchEngine.h"

#include "model/Album.h"
#include "model/FileProbe.h"
#include "platform/Paths.h"
#include "platform/TextUtil.h"
#include "platform/Words.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QVarLengthArray>

#include <algorithm>
#include <system_error>
#include <thread>
#include <vector>

namespace {

bool IsWordChar(char16_t c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

char16_t AsciiLowerChar(char16_t c)
{
    return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c;
}

// Whether text, with A..Z lowered, equals word (already lower case).
bool EqualsLowered(QStringView text, QStringView word)
{
    if (text.size() != word.size())
        return false;
    for (qsizetype i = 0; i < text.size(); ++i)
        if (AsciiLowerChar(text[i].unicode()) != word[i].unicode())
            return false;
    return true;
}

// Whether one of words (lower case) is a word of text: the same test as
// comparing with the lower-cased SplitWords of the text, without building them.
bool HasAnyWord(QStringView text, const QStringList& words)
{
    const qsizetype size = text.size();
    qsizetype i = 0;
    while (i < size) {
        while (i < size && !IsWordChar(text[i].unicode()))
            ++i;
        const qsizetype start = i;
        while (i < size && IsWordChar(text[i].unicode()))
            ++i;
        if (i == start)
            break;
        const QStringView word = text.mid(start, i - start);
        for (const QString& w : words)
            if (EqualsLowered(word, w))
                return true;
    }
    return false;
}

// Whether needle (not empty) occurs in text with A..Z lowered.
bool ContainsLowered(QStringView text, QStringView needle)
{
    const qsizetype last = text.size() - needle.size();
    const char16_t first = needle[0].unicode();
    for (qsizetype i = 0; i <= last; ++i) {
        if (AsciiLowerChar(text[i].unicode()) != first)
            continue;
        qsizetype k = 1;
        while (k < needle.size() && AsciiLowerChar(text[i + k].unicode()) == needle[k].unicode())
            ++k;
        if (k == needle.size())
            return true;
    }
    return false;
}

// The criteria of one search, prepared once for all photos.
struct TCriteria {
    std::vector<int> objectIds;
    std::vector<int> eventIds;
    QString year;
    QStringList words;
    std::vector<TWordBits> wordBits;
    QString pathWord;
    unsigned char allObjects = 0;
    unsigned char options = 0;
};

bool ObjectHit(const TPhoto& photo, const TCriteria& c)
{
    if (c.objectIds.empty() || c.allObjects > 1)
        return false;
    // The photo's ids are read once: each lives in its own record.
    const TStreamIntList& own = photo.GetObjectIds();
    QVarLengthArray<int, 16> ids;
    for (int i = 0; i < own.Count(); ++i)
        ids.append(own.ValueAt(i));
    for (const int id : c.objectIds) {
        const bool present = ids.contains(id);
        if (c.allObjects == 0 && present)
            return true;
        if (c.allObjects == 1 && !present)
            return false;
    }
    return c.allObjects == 1;
}

bool LabelHit(const TPhoto& photo, const TCriteria& c)
{
    if (!(c.options & (TSearchEngine::OptAnd | TSearchEngine::OptOr)))
        return false;
    const bool objectHit = ObjectHit(photo, c);
    bool eventHit = false;
    for (const int id : c.eventIds)
        eventHit = eventHit || id == photo.GetEventId();
    if (c.options & TSearchEngine::OptAnd)
        return (objectHit && eventHit) || (objectHit && c.eventIds.empty())
            || (c.objectIds.empty() && eventHit);
    return objectHit || eventHit;
}

// Whether the description holds one of the words. Its brief rules out most
// descriptions without reading them; only the others are read.
bool DescriptionHit(const TPhoto& photo, const TCriteria& c)
{
    const TWordBits& own = photo.DescriptionWordBits();
    for (const TWordBits& word : c.wordBits)
        if (own.Covers(word))
            return HasAnyWord(photo.StoredDescription(), c.words);
    return false;
}

// The cheap tests come first: the result is their OR.
bool Matches(const TPhoto& photo, const TCriteria& c)
{
    if ((c.options & TSearchEngine::OptYear) && !c.year.isEmpty() && c.year == photo.GetYear())
        return true;
    if (LabelHit(photo, c))
        return true;
    if ((c.options & TSearchEngine::OptPath) && !c.pathWord.isEmpty()
        && ContainsLowered(photo.GetName(), c.pathWord))
        return true;
    return (c.options & TSearchEngine::OptDescription) && !c.words.isEmpty() && DescriptionHit(photo, c);
}

// Asks the processor to fetch what Matches will read of a photo soon: the
// photos and their texts lie scattered over a large album's memory, and
// waiting for each in turn costs more than the comparisons.
void PrefetchTexts(const TPhoto& photo, const TCriteria& c)
{
    if (c.options & TSearchEngine::OptYear)
        __builtin_prefetch(photo.GetYear().constData());
    if (c.options & TSearchEngine::OptPath)
        __builtin_prefetch(photo.GetName().constData());
}

// The whole record of a photo: Matches reads it, Search its found flag.
void PrefetchRecord(const TPhoto* photo)
{
    const char* bytes = reinterpret_cast<const char*>(photo);
    for (size_t offset = 0; offset < sizeof(TPhoto); offset += 64)
        __builtin_prefetch(bytes + offset);
}

// Matches photos first to last - 1, setting their found flags; the hits in album order.
std::vector<const TPhoto*> MatchRange(const TPhotoList& photos, int first, int last, const TCriteria& c)
{
    std::vector<const TPhoto*> hits;
    constexpr int ahead = 4;
    for (int p = first; p < last; ++p) {
        if (p + 2 * ahead < last)
            PrefetchRecord(photos.PhotoAt(p + 2 * ahead));
        if (p + ahead < last)
            PrefetchTexts(*photos.PhotoAt(p + ahead), c);
        TPhoto* photo = photos.PhotoAt(p);
        const bool hit = Matches(*photo, c);
        // Unchanged records are not written: over a large album the writes
        // cost as much as the reads.
        if (photo->GetFound() != hit)
            photo->SetFound(hit);
        if (hit)
            hits.push_back(photo);
    }
    return hits;
}

// How many parts count items are cut into, each of at least perPart items:
// at most maxParts, and no more than there are processors.
int PartsFor(qsizetype count, int perPart, int maxParts)
{
    return int(std::clamp<qsizetype>(
        std::min<qsizetype>(count / perPart, qsizetype(std::thread::hardware_concurrency())), 1, maxParts));
}

// Runs work(part) for every part side by side; the calling thread does part 0.
template <class Work> void RunParts(int parts, Work work)
{
    std::vector<std::jthread> workers;
    for (int part = 1; part < parts; ++part) {
        try {
            workers.emplace_back([&work, part] { work(part); });
        } catch (const std::system_error&) {
            // No thread to be had: this one does the part.
            work(part);
        }
    }
    work(0);
}

// The folder part of a photo path, for dealing the hits out to the parts.
QStringView FolderKey(const QString& path)
{
    return QStringView(path).left(qMax<qsizetype>(path.lastIndexOf(u'/'), 0));
}

// The path of a hit as it can be found on disk now, or empty.
QString ExistingPath(const TAlbum& album, const QString& stored, TFileProbe& probe)
{
    QString path = stored;
    if (probe.Exists(path))
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

TCriteria Prepare(const QString& year, const QStringList& words, const QString& pathWord,
    unsigned char allObjects, unsigned char options)
{
    TCriteria c;
    c.year = year;
    c.words = words;
    for (const QString& word : words)
        c.wordBits.push_back(TWordBits::OfWord(word));
    c.pathWord = pathWord;
    c.allObjects = allObjects;
    c.options = options;
    return c;
}

} // namespace

bool TSearchEngine::Search(TAlbum& album, const QStringList& objectNames, const QStringList& eventNames,
    const QString& year, const QString& descriptionWords, const QString& pathWord, unsigned char allObjects,
    unsigned char options, QStringList& results)
{
    TCriteria c = Prepare(
        year, SplitWords(descriptionWords, SplitWordsLower), Text::AsciiLower(pathWord), allObjects, options);
    for (const QString& name : objectNames) {
        const int id = album.ObjectIdByName(name);
        if (id != -1)
            c.objectIds.push_back(id);
    }
    for (const QString& name : eventNames) {
        const int id = album.EventIdByName(name);
        if (id != -1)
            c.eventIds.push_back(id);
    }

    // The work waits on memory and on the file system far more than it
    // computes, so a large album is searched in parallel parts, each waiting
    // for its own. The parts only read the criteria, the album and the
    // photos; each writes only its own photos' found flags and its own slots.
    // First all photos are matched, then the hits' files are looked for.
    const TPhotoList& photos = album.GetPhotos();
    const int matchParts = PartsFor(photos.Count(), 16384, 4);
    std::vector<std::vector<const TPhoto*>> found(static_cast<size_t>(matchParts));
    RunParts(matchParts, [&](int part) {
        const auto bound = [&](int n) { return int(qint64(photos.Count()) * n / matchParts); };
        found[size_t(part)] = MatchRange(photos, bound(part), bound(part + 1), c);
    });
    std::vector<const TPhoto*> hits = std::move(found[0]);
    for (int part = 1; part < matchParts; ++part)
        hits.insert(hits.end(), found[size_t(part)].begin(), found[size_t(part)].end());

    // Each folder goes to one part, so that its look-ups stay together and
    // no two processors wait on the same folder. A folder's photos mostly
    // follow each other: its part is worked out once per run of them. The
    // parts mostly wait for the system to read folders, so there are more
    // of them than for matching.
    const int probeParts = PartsFor(qsizetype(hits.size()), 512, 8);
    std::vector<std::vector<size_t>> members(static_cast<size_t>(probeParts));
    QStringView lastFolder;
    size_t lastPart = 0;
    for (size_t h = 0; h < hits.size(); ++h) {
        const QStringView folder = FolderKey(hits[h]->GetName());
        if (h == 0 || folder != lastFolder) {
            lastFolder = folder;
            lastPart = size_t(qHash(folder) % uint(probeParts));
        }
        members[lastPart].push_back(h);
    }
    std::vector<QString> paths(hits.size());
    RunParts(probeParts, [&](int part) {
        TFileProbe probe;
        for (const size_t h : members[size_t(part)])
            probe.Expect(hits[h]->GetName());
        for (const size_t h : members[size_t(part)])
            paths[h] = ExistingPath(album, hits[h]->GetName(), probe);
    });

    bool appended = false;
    results.reserve(results.size() + qsizetype(paths.size()));
    for (const QString& path : paths) {
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
    TCriteria c = Prepare(year, words, pathWord, allObjects, options);
    for (int i = 0; i < objectIds.Count(); ++i)
        c.objectIds.push_back(objectIds.ValueAt(i));
    for (int i = 0; i < eventIds.Count(); ++i)
        c.eventIds.push_back(eventIds.ValueAt(i));
    return Matches(photo, c);
}
