// SPDX-License-Identifier: GPL-2.0-or-later
#include "model/PendingRenames.h"

#include "model/Album.h"
#include "model/PhotoList.h"
#include "model/SafeFile.h"
#include "platform/NativePath.h"
#include "platform/Paths.h"

#include <QFile>

#include <cerrno>
#include <sys/stat.h>

// The file is text, one line each: a header, the album, one line per rename
// (old and new path, separated by a tab), and a last line with the number of
// renames, so that a list cut short is told from a whole one. Paths are
// written as UTF-8 with their control characters, spaces and "%" as "%XX":
// a file name may hold a line break.

namespace {

constexpr char Suffix[] = ".renaming";
constexpr char Header[] = "tavrimolex renames 1";
constexpr char AlbumKey[] = "album";
constexpr char EndKey[] = "end";
// Each photo's path twice, and some room for escaped characters.
constexpr qint64 MaxFileSize = 4 * TAlbum::MaxFileSize;

bool Escaped(unsigned char c)
{
    return c <= ' ' || c == 0x7F || c == '%';
}

QByteArray Encode(const QString& path)
{
    static constexpr char Hex[] = "0123456789ABCDEF";
    const QByteArray bytes = path.toUtf8();
    QByteArray encoded;
    encoded.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto c = static_cast<unsigned char>(byte);
        if (Escaped(c)) {
            encoded += '%';
            encoded += Hex[c >> 4];
            encoded += Hex[c & 0x0F];
        } else {
            encoded += byte;
        }
    }
    return encoded;
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Exactly what Encode writes, or false.
bool Decode(QByteArrayView field, QString& path)
{
    QByteArray bytes;
    bytes.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        const auto c = static_cast<unsigned char>(field[i]);
        if (c == '%') {
            if (i + 2 >= field.size())
                return false;
            const int high = HexValue(field[i + 1]);
            const int low = HexValue(field[i + 2]);
            if (high < 0 || low < 0 || !Escaped(static_cast<unsigned char>(high * 16 + low)))
                return false;
            bytes += char(high * 16 + low);
            i += 2;
        } else if (Escaped(c)) {
            return false;
        } else {
            bytes += char(c);
        }
    }
    path = QString::fromUtf8(bytes);
    // Bytes that are no UTF-8 would come back as other characters.
    return !path.isEmpty() && path.toUtf8() == bytes;
}

// The two fields of a line separated by one tab.
bool SplitLine(QByteArrayView line, QByteArrayView& first, QByteArrayView& second)
{
    const qsizetype tab = line.indexOf('\t');
    if (tab < 0 || line.indexOf('\t', tab + 1) >= 0)
        return false;
    first = line.first(tab);
    second = line.sliced(tab + 1);
    return true;
}

// Whether anything, a dangling link too, has the name; unknown (a folder that
// cannot be searched) counts as neither present nor gone.
enum class TName { Present, Gone, Unknown };

TName Look(const QString& path)
{
    QByteArray native;
    if (!NativePath(path, native))
        return TName::Unknown;
    struct stat st { };
    if (::lstat(native.constData(), &st) == 0)
        return TName::Present;
    return errno == ENOENT ? TName::Gone : TName::Unknown;
}

} // namespace

bool TPendingRenames::Fits(const TRename& rename)
{
    const QString name = Paths::ExtractFileName(rename.NewPath);
    return rename.OldPath.startsWith(u'/') && rename.NewPath.startsWith(u'/')
        && rename.OldPath != rename.NewPath
        && Paths::ExtractFilePath(rename.OldPath) == Paths::ExtractFilePath(rename.NewPath)
        && rename.NewPath.endsWith(Paths::ExtractFileExt(rename.OldPath)) && !name.isEmpty()
        && name != QLatin1String(".") && name != QLatin1String("..");
}

QString TPendingRenames::FileNameOf(const QString& albumFileName)
{
    return albumFileName + QLatin1String(Suffix);
}

void TPendingRenames::Write(const QString& albumFileName, const TRenames& renames)
{
    QByteArray data;
    data += Header;
    data += '\n';
    data += AlbumKey;
    data += '\t';
    data += Encode(albumFileName);
    data += '\n';
    for (const TRename& rename : renames) {
        data += Encode(rename.OldPath);
        data += '\t';
        data += Encode(rename.NewPath);
        data += '\n';
    }
    data += EndKey;
    data += '\t';
    data += QByteArray::number(qulonglong(renames.size()));
    data += '\n';
    // A link planted at the list's name is replaced, never written through.
    WriteFileOrThrow(FileNameOf(albumFileName), data, TLinkPolicy::Replace, true);
}

std::optional<TPendingRenames::TRenames> TPendingRenames::Read(const QString& albumFileName)
{
    QByteArray data;
    if (!ReadRegularFile(FileNameOf(albumFileName), MaxFileSize, data) || !data.endsWith('\n'))
        return std::nullopt;
    QList<QByteArrayView> lines;
    for (qsizetype start = 0; start < data.size();) {
        const qsizetype end = data.indexOf('\n', start);
        lines.append(QByteArrayView(data).sliced(start, end - start));
        start = end + 1;
    }
    if (lines.size() < 3 || lines.first() != QByteArrayView(Header))
        return std::nullopt;

    QByteArrayView key;
    QByteArrayView value;
    QString album;
    if (!SplitLine(lines.at(1), key, value) || key != QByteArrayView(AlbumKey) || !Decode(value, album)
        || !Paths::SameFile(album, albumFileName))
        return std::nullopt;
    const qsizetype count = lines.size() - 3;
    if (!SplitLine(lines.last(), key, value) || key != QByteArrayView(EndKey)
        || value != QByteArrayView(QByteArray::number(count)))
        return std::nullopt;

    TRenames renames;
    renames.reserve(size_t(count));
    for (qsizetype i = 2; i < lines.size() - 1; ++i) {
        QByteArrayView from;
        QByteArrayView to;
        TRename rename;
        if (!SplitLine(lines.at(i), from, to) || !Decode(from, rename.OldPath) || !Decode(to, rename.NewPath)
            || !Fits(rename))
            return std::nullopt;
        renames.push_back(std::move(rename));
    }
    return renames;
}

void TPendingRenames::Remove(const QString& albumFileName)
{
    QFile::remove(FileNameOf(albumFileName));
}

void TPendingRenames::MoveWithAlbum(const QString& oldAlbumFileName, const QString& newAlbumFileName)
{
    const std::optional<TRenames> renames = Read(oldAlbumFileName);
    if (!renames) {
        // Left by an album that had the name before: not this album's.
        Remove(newAlbumFileName);
        return;
    }
    try {
        Write(newAlbumFileName, *renames);
    } catch (const std::exception&) {
        return;
    }
    Remove(oldAlbumFileName);
}

int TPendingRenames::TakeOver(TPhotoList& photos, const TRenames& renames)
{
    int changed = 0;
    for (const TRename& rename : renames) {
        // The album's path index: a large album is not searched per photo.
        const int index = photos.IndexOfName(rename.OldPath);
        if (index < 0 || photos.IndexOfName(rename.NewPath) >= 0)
            continue;
        // A rename that did not happen (or was undone) leaves the photo alone.
        if (Look(rename.OldPath) != TName::Gone || Look(rename.NewPath) != TName::Present)
            continue;
        photos.PhotoAt(index)->SetName(rename.NewPath);
        ++changed;
    }
    return changed;
}
