// SPDX-License-Identifier: GPL-2.0-or-later
#include "model/FileProbe.h"

#include "model/Photo.h"
#include "platform/NativePath.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A folder is read whole only when its announced look-ups would cost more:
// looking up one file costs about as much as reading 8 names of a folder
// (measured on ext4: 3 against 0.35 microseconds, the names compared as
// bytes and never made into strings).
constexpr qint64 NamesPerLookup = 8;
// Bytes a folder entry takes at least in the folder's size, on the usual
// file systems, for names of photo-file length.
constexpr qint64 BytesPerEntry = 24;
// Fewer look-ups than this are not worth the folder's size check.
constexpr int MinimumForListing = 16;
// Longer names than a file system allows are never listed.
constexpr size_t MaxNameBytes = 255;

bool IsAscii(const char* bytes, size_t size)
{
    for (size_t i = 0; i < size; ++i)
        if (static_cast<unsigned char>(bytes[i]) >= 0x80)
            return false;
    return true;
}

} // namespace

QStringView TFileProbe::FolderOf(QStringView path, QStringView* name)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    if (!path.startsWith(u'/') || slash == path.size() - 1)
        return QStringView();
    *name = path.mid(slash + 1);
    return path.left(qMax<qsizetype>(slash, 1));
}

TFileProbe::TFolder* TFileProbe::Entry(QStringView folder)
{
    if (m_lastEntry && folder == m_lastFolder)
        return m_lastEntry;
    const auto found = m_folders.find(folder);
    if (found == m_folders.end())
        return nullptr;
    m_lastFolder = folder;
    m_lastEntry = &*found;
    return m_lastEntry;
}

void TFileProbe::Expect(QStringView path)
{
    QStringView name;
    const QStringView folder = FolderOf(path, &name);
    if (folder.isNull())
        return;
    TFolder* entry = Entry(folder);
    if (!entry) {
        // Entries move when the table grows.
        m_lastEntry = nullptr;
        entry = &m_folders[folder];
    }
    entry->names.push_back(name);
}

void TFileProbe::List(QStringView folder, TFolder& entry)
{
    const qint64 expected = qint64(entry.names.size());
    if (expected < MinimumForListing)
        return;
    QByteArray native;
    if (!NativePath(folder.toString(), native))
        return;
    const int fd = ::open(native.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    struct stat st { };
    const bool worth = ::fstat(fd, &st) == 0 && st.st_size / BytesPerEntry <= expected * NamesPerLookup;
    DIR* dir = worth ? ::fdopendir(fd) : nullptr;
    if (!dir) {
        ::close(fd);
        return;
    }
    entry.answers.reserve(qsizetype(expected));
    for (const QStringView name : entry.names)
        entry.answers.insert(name, TAnswer::Absent);
    const auto answerFor = [](unsigned char type) {
        if (type == DT_REG)
            return TAnswer::File;
        // Links, and file systems that do not say, are asked one by one.
        return type == DT_LNK || type == DT_UNKNOWN ? TAnswer::AskSystem : TAnswer::Absent;
    };
    char16_t wide[MaxNameBytes];
    errno = 0;
    while (const dirent* item = ::readdir(dir)) {
        const size_t size = std::strlen(item->d_name);
        if (size <= MaxNameBytes && IsAscii(item->d_name, size)) {
            // Most names are plain ASCII: compared as they are, without a string made of each.
            for (size_t i = 0; i < size; ++i)
                wide[i] = char16_t(static_cast<unsigned char>(item->d_name[i]));
            const auto found = entry.answers.find(QStringView(wide, qsizetype(size)));
            if (found != entry.answers.end() && *found != TAnswer::AskSystem)
                *found = answerFor(item->d_type);
            continue;
        }
        const QString name = QFile::decodeName(item->d_name);
        const auto found = entry.answers.find(QStringView(name));
        if (found == entry.answers.end() || *found == TAnswer::AskSystem)
            continue;
        // Bytes that are no UTF-8 decode to replacement characters, which
        // another name may hold as they stand: the system settles those.
        *found = name.contains(QChar::ReplacementCharacter) ? TAnswer::AskSystem : answerFor(item->d_type);
    }
    // A listing that broke off proves nothing about the names it missed.
    entry.listed = errno == 0;
    ::closedir(dir);
    if (!entry.listed)
        entry.answers.clear();
}

bool TFileProbe::Exists(const QString& path)
{
    QStringView name;
    const QStringView folder = FolderOf(path, &name);
    TFolder* found = folder.isNull() ? nullptr : Entry(folder);
    if (!found)
        return PhotoFileExists(path);
    TFolder& entry = *found;
    if (!entry.looked) {
        entry.looked = true;
        List(folder, entry);
    }
    const auto answer = entry.answers.constFind(name);
    if (!entry.listed || answer == entry.answers.constEnd() || *answer == TAnswer::AskSystem)
        return PhotoFileExists(path);
    // A name that is no valid text has no one spelling on disk that the
    // listing could have matched.
    if (*answer == TAnswer::Absent && !name.isValidUtf16())
        return PhotoFileExists(path);
    return *answer == TAnswer::File;
}
