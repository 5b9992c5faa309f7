// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// A saved integer and the owning list of them (a photo's object ids).
#include "model/StreamList.h"
#include "platform/RecordBlocks.h"

#include <QList>

class TStreamInt : public TStreamObject {
public:
    TStreamInt() = default;
    explicit TStreamInt(int value)
        : m_value(value)
    {
    }

    // Every photo holds some: taken from blocks, as photos are.
    static void* operator new(std::size_t size) { return TakeRecord<TStreamInt>(size); }
    static void operator delete(void* record, std::size_t size) { GiveRecord<TStreamInt>(record, size); }

    void SaveToWriter(TWriter& writer) const override;
    void LoadFromReader(TReader& reader, int version) override;

    void SetValue(int value) { m_value = value; }
    int GetValue() const { return m_value; }

private:
    int m_value = 0;
};

class TStreamIntList : public TStreamList {
public:
    TStreamIntList() = default;

    // Appends the value; duplicates are allowed.
    void Add(int value);
    int IndexOf(int value) const;
    // Appends the values of other in order.
    void AddAll(const TStreamIntList& other);
    // Removes every item with that value.
    void RemoveValue(int value);
    bool Contains(int value) const { return IndexOf(value) >= 0; }

    int ValueAt(int index) const { return static_cast<const TStreamInt*>(ObjectAt(index))->GetValue(); }
    QList<int> Values() const;

protected:
    std::unique_ptr<TStreamObject> CreateItem() const override;
};
