// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The information of one photo that the panel edits: what it shows of an
// album photo, what it builds the photo's new record from at every edit, and
// what it keeps aside to paste onto another photo ("Copy info", "Reuse info
// from previous photo"). Labels are kept by name: the album may change in
// between. A field the panel gains is a member here, read and written in
// PhotoInfoSlot.cpp, and a row of TPhotoInfoControls.
#include <QString>
#include <QStringList>

class TAlbum;
class TPhoto;

struct TPhotoInfoSlot {
    QString Year;
    QStringList Description;
    // Empty for no event.
    QString Event;
    // The photo may be used in web albums.
    bool Publish = true;
    QStringList Objects;

    // The information of a photo of album, with its description trimmed.
    static TPhotoInfoSlot Of(const TPhoto& photo, const TAlbum& album);
    // Writes every field into photo, the labels as album's ids.
    void WriteTo(TPhoto& photo, const TAlbum& album) const;
    // Replaces the photo's objects by those of Objects that album knows.
    void WriteObjectsTo(TPhoto& photo, const TAlbum& album) const;

    bool operator==(const TPhotoInfoSlot&) const = default;
};
