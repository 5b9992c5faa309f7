// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/photos/PhotoInfoSlot.h"

#include "model/Album.h"
#include "platform/TextUtil.h"

TPhotoInfoSlot TPhotoInfoSlot::Of(const TPhoto& photo, const TAlbum& album)
{
    TPhotoInfoSlot info;
    info.Year = photo.GetYear();
    info.Description = Text::SplitLines(photo.GetDescription());
    info.Event = photo.HasEvent() ? album.EventNameById(photo.GetEventId()) : QString();
    info.Publish = photo.GetUseInHtml();
    for (const int id : photo.GetObjectIds().Values()) {
        // An id whose label was removed from the album names nothing.
        const QString name = album.ObjectNameById(id);
        if (!name.isEmpty())
            info.Objects.append(name);
    }
    return info;
}

void TPhotoInfoSlot::WriteTo(TPhoto& photo, const TAlbum& album) const
{
    photo.SetDescription(Description.join(u'\n'));
    photo.SetYear(Year);
    photo.SetEventId(Text::Trim(Event).isEmpty() ? -1 : album.EventIdByName(Event));
    photo.SetUseInHtml(Publish);
    WriteObjectsTo(photo, album);
}

void TPhotoInfoSlot::WriteObjectsTo(TPhoto& photo, const TAlbum& album) const
{
    photo.GetObjectIds().Clear();
    for (const QString& name : Objects) {
        // A label removed from the album since the panel listed it has no id
        // any more; storing -1 would tie the photo to nothing.
        const int id = album.ObjectIdByName(name);
        if (id >= 0)
            photo.GetObjectIds().Add(id);
    }
}
