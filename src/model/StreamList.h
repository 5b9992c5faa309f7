// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// An ordered list of records that owns them. Saved as the count followed by
// each item; loading appends items made by the list's own factory.
#include "model/StreamObject.h"

#include <memory>
#include <vector>

class TStreamList {
public:
    TStreamList() = default;
    virtual ~TStreamList();
    TStreamList(const TStreamList&) = delete;
    TStreamList& operator=(const TStreamList&) = delete;

    int Count() const { return int(m_items.size()); }
    bool IsEmpty() const { return m_items.empty(); }
    // Destroys the item at index.
    void Delete(int index);
    // Destroys every item.
    void Clear();
    // Takes the item out of from and puts it at to.
    void Move(int from, int to);
    void Exchange(int a, int b);

    virtual void SaveToWriter(TWriter& writer) const;
    virtual void LoadFromReader(TReader& reader, int version);

protected:
    // The item factory of the list's own item type.
    virtual std::unique_ptr<TStreamObject> CreateItem() const;

    // For a list that keeps a look-up beside its items: told after an item
    // joined, before one leaves (taken out or destroyed), and after the items
    // first to last took new places.
    virtual void ItemJoined(TStreamObject&) { }
    virtual void ItemLeaving(TStreamObject&) { }
    virtual void ItemsPlaced(int /*first*/, int /*last*/) { }

    TStreamObject* ObjectAt(int index) const { return m_items[size_t(index)].get(); }
    int IndexOfObject(const TStreamObject* item) const;
    void AddObject(std::unique_ptr<TStreamObject> item);
    void InsertObject(int index, std::unique_ptr<TStreamObject> item);
    std::unique_ptr<TStreamObject> TakeObject(int index);
    std::vector<std::unique_ptr<TStreamObject>> TakeAllObjects();

private:
    std::vector<std::unique_ptr<TStreamObject>> m_items;
};

// Casts the owned items of a list to the type they were made as.
template <typename T> std::unique_ptr<T> StaticUniqueCast(std::unique_ptr<TStreamObject> p)
{
    return std::unique_ptr<T>(static_cast<T*>(p.release()));
}
