// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The information of one photo as the panel shows it, kept aside so that it
// can be pasted onto another photo ("Copy info", "Reuse info from previous
// photo"). Labels are kept by name: the album may change in between.
#include <QString>
#include <QStringList>

struct TPhotoInfoSlot {
    QString Year;
    QStringList Description;
    // Empty for no event.
    QString Event;
    // The photo may be used in web albums.
    bool Publish = true;
    QStringList Objects;

    bool operator==(const TPhotoInfoSlot&) const = default;
};
