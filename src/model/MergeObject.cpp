// SPDX-License-Identifier: GPL-2.0-or-later
#include "model/MergeObject.h"

#include "model/Album.h"

void TMergeObject::Merge(int fromId, int toId)
{
    if (m_kind == KindEvents)
        MergeEvent(fromId, toId);
    else if (m_kind == KindObjects)
        MergeObject(fromId, toId);
}

void TMergeObject::MergeEvent(int fromId, int toId)
{
    if (!m_album || fromId == toId)
        return;
    TPhotoList& photos = m_album->GetPhotos();
    for (int p = 0; p < photos.Count(); ++p) {
        TPhoto* photo = photos.PhotoAt(p);
        if (photo->GetEventId() == fromId)
            photo->SetEventId(toId);
    }
}

void TMergeObject::MergeObject(int fromId, int toId)
{
    // Merging a label into itself would take it off every photo.
    if (!m_album || fromId == toId)
        return;
    TPhotoList& photos = m_album->GetPhotos();
    for (int p = 0; p < photos.Count(); ++p) {
        TStreamIntList& ids = photos.PhotoAt(p)->GetObjectIds();
        const int c = ids.IndexOf(fromId);
        if (c < 0)
            continue;
        // The first From becomes To where the photo does not carry To yet; every
        // other From goes, so the photo never carries From or To twice.
        if (!ids.Contains(toId)) {
            ids.RemoveValue(fromId);
            QList<int> values = ids.Values();
            values.insert(c, toId);
            ids.Clear();
            for (const int v : values)
                ids.Add(v);
        } else {
            ids.RemoveValue(fromId);
        }
    }
}
