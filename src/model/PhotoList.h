// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The album's photos in album order (owned).
#include "model/EntityList.h"
#include "model/Photo.h"

#include <QSet>

#include <vector>

class TPhotoList : public TEntityList {
public:
    TPhotoList() = default;

    TPhoto* PhotoAt(int index) const { return static_cast<TPhoto*>(ItemAt(index)); }
    void Add(std::unique_ptr<TPhoto> photo) { TEntityList::Add(std::move(photo)); }
    void Insert(int index, std::unique_ptr<TPhoto> photo) { TEntityList::Insert(index, std::move(photo)); }
    std::unique_ptr<TPhoto> Take(int index) { return StaticUniqueCast<TPhoto>(TakeObject(index)); }
    std::vector<std::unique_ptr<TPhoto>> DetachAll();

    // Count, or only the photos that may appear in web albums.
    int GetPhotoCount(bool onlyUseInHtml) const;
    void RemoveObjectId(int id);
    void ClearEventId(int id);
    bool UsesObject(int id) const;
    bool UsesEvent(int id) const;
    // The same for many labels at once, in one pass over the photos: asking
    // label by label would read every photo once per label.
    QSet<int> ObjectIdsInUse() const;
    QSet<int> EventIdsInUse() const;
    void RemoveObjectIds(const QSet<int>& ids);
    void ClearEventIds(const QSet<int>& ids);

protected:
    std::unique_ptr<TStreamObject> CreateItem() const override;
};
