// SPDX-License-Identifier: GPL-2.0-or-later
#include "model/Album.h"

namespace {

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

} // namespace

void TAlbum::MergeObjects(const TEntityList* source, TPhotoList* photos)
{
    if (!source)
        return;
    TEntityList& objects = GetObjects();
    for (int i = 0; i < source->Count(); ++i) {
        const QString name = source->NameAt(i);
        if (objects.IndexOfName(name) < 0)
            objects.AddName(name);
    }
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
    for (int i = 0; i < source->Count(); ++i) {
        const QString name = source->NameAt(i);
        if (events.IndexOfName(name) < 0)
            events.AddName(name);
    }
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

void TAlbum::DeleteObjects(int usage)
{
    TEntityList& objects = GetObjects();
    TPhotoList& photos = GetPhotos();
    int i = 0;
    while (i < objects.Count()) {
        const int id = objects.ItemAt(i)->GetId();
        if (InUsageClass(usage, photos.UsesObject(id))) {
            photos.RemoveObjectId(id);
            objects.Delete(i);
        } else {
            ++i;
        }
    }
}

void TAlbum::MarkObjects(int usage)
{
    TEntityList& objects = GetObjects();
    for (int i = 0; i < objects.Count(); ++i) {
        TEntity* object = objects.ItemAt(i);
        object->SetVisible(InUsageClass(usage, GetPhotos().UsesObject(object->GetId())));
    }
}

void TAlbum::DeleteEvents(int usage)
{
    TEntityList& events = GetEvents();
    TPhotoList& photos = GetPhotos();
    int i = 0;
    while (i < events.Count()) {
        const int id = events.ItemAt(i)->GetId();
        if (InUsageClass(usage, photos.UsesEvent(id))) {
            photos.ClearEventId(id);
            events.Delete(i);
        } else {
            ++i;
        }
    }
}

void TAlbum::MarkEvents(int usage)
{
    TEntityList& events = GetEvents();
    for (int i = 0; i < events.Count(); ++i) {
        TEntity* event = events.ItemAt(i);
        event->SetVisible(InUsageClass(usage, GetPhotos().UsesEvent(event->GetId())));
    }
}
