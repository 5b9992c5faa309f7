// SPDX-License-Identifier: GPL-2.0-or-later
#include "model/PhotoList.h"

std::unique_ptr<TStreamObject> TPhotoList::CreateItem() const
{
    return std::make_unique<TPhoto>();
}

std::vector<std::unique_ptr<TPhoto>> TPhotoList::DetachAll()
{
    std::vector<std::unique_ptr<TPhoto>> photos;
    for (auto& item : TakeAllObjects())
        photos.push_back(StaticUniqueCast<TPhoto>(std::move(item)));
    return photos;
}

int TPhotoList::GetPhotoCount(bool onlyUseInHtml) const
{
    if (!onlyUseInHtml)
        return Count();
    int n = 0;
    for (int i = 0; i < Count(); ++i)
        if (PhotoAt(i)->GetUseInHtml())
            ++n;
    return n;
}

void TPhotoList::RemoveObjectId(int id)
{
    for (int i = 0; i < Count(); ++i)
        PhotoAt(i)->GetObjectIds().RemoveValue(id);
}

void TPhotoList::ClearEventId(int id)
{
    for (int i = 0; i < Count(); ++i)
        if (PhotoAt(i)->GetEventId() == id)
            PhotoAt(i)->ClearEvent();
}

bool TPhotoList::UsesObject(int id) const
{
    for (int i = 0; i < Count(); ++i)
        if (PhotoAt(i)->GetObjectIds().Contains(id))
            return true;
    return false;
}

bool TPhotoList::UsesEvent(int id) const
{
    for (int i = 0; i < Count(); ++i)
        if (PhotoAt(i)->GetEventId() == id)
            return true;
    return false;
}

QSet<int> TPhotoList::ObjectIdsInUse() const
{
    QSet<int> ids;
    for (int i = 0; i < Count(); ++i) {
        const TStreamIntList& objects = PhotoAt(i)->GetObjectIds();
        for (int k = 0; k < objects.Count(); ++k)
            ids.insert(objects.ValueAt(k));
    }
    return ids;
}

QSet<int> TPhotoList::EventIdsInUse() const
{
    QSet<int> ids;
    for (int i = 0; i < Count(); ++i)
        ids.insert(PhotoAt(i)->GetEventId());
    return ids;
}

void TPhotoList::RemoveObjectIds(const QSet<int>& ids)
{
    if (ids.isEmpty())
        return;
    for (int i = 0; i < Count(); ++i) {
        TStreamIntList& objects = PhotoAt(i)->GetObjectIds();
        for (int k = objects.Count() - 1; k >= 0; --k)
            if (ids.contains(objects.ValueAt(k)))
                objects.Delete(k);
    }
}

void TPhotoList::ClearEventIds(const QSet<int>& ids)
{
    if (ids.isEmpty())
        return;
    for (int i = 0; i < Count(); ++i)
        if (ids.contains(PhotoAt(i)->GetEventId()))
            PhotoAt(i)->ClearEvent();
}
