// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The files a batch rename of album photos is about to rename, kept beside the
// album ("Trip.tvx.renaming") from before the first file gets its new name
// until the album has been saved with the new names. A run stopped in between
// (a crash, a power cut, a kill) leaves an album file that still lists old
// names of files that carry new ones; the next reading of the album takes the
// renames that happened over from this list, so that no photo is lost with
// its description and labels.
//
// The list only ever changes paths in an album, and only where the disk shows
// that the rename happened; it never renames a file itself. A list that is
// damaged, cut short, or written for another album is ignored whole.
#include <QString>

#include <optional>
#include <vector>

class TPhotoList;

class TPendingRenames {
public:
    struct TRename {
        QString OldPath;
        QString NewPath;
    };
    using TRenames = std::vector<TRename>;

    // Whether a rename can be listed, as a batch rename makes them: full
    // paths, the new name in the old one's folder and keeping its extension.
    static bool Fits(const TRename& rename);

    // The list's file beside an album file.
    static QString FileNameOf(const QString& albumFileName);

    // Writes the list of an album through a temporary file, flushed to the
    // disk with its folder before it returns. Throws EStreamError.
    static void Write(const QString& albumFileName, const TRenames& renames);
    // The renames listed for this album; nothing when there is no list, or
    // one that is damaged or names another album.
    static std::optional<TRenames> Read(const QString& albumFileName);
    static void Remove(const QString& albumFileName);
    // The album file took a new name: its list goes along, and replaces one
    // that an album of that name left before. A list under the old name that
    // is not this album's stays where it is.
    static void MoveWithAlbum(const QString& oldAlbumFileName, const QString& newAlbumFileName);

    // Gives each photo whose file was renamed the new path: the photo at
    // OldPath, when nothing has that name any more, something has NewPath,
    // and no other photo has it already. Returns how many photos changed.
    static int TakeOver(TPhotoList& photos, const TRenames& renames);
};
