// SPDX-License-Identifier: GPL-2.0-or-later
#include "model/StreamList.h"

#include "model/Reader.h"
#include "model/StreamError.h"
#include "model/Writer.h"

#include <algorithm>

TStreamList::~TStreamList() = default;

void TStreamList::Delete(int index)
{
    (void)TakeObject(index);
}

void TStreamList::Clear()
{
    (void)TakeAllObjects();
}

void TStreamList::Move(int from, int to)
{
    if (from == to)
        return;
    // Only the items between the two places move.
    const auto at = [this](int i) { return m_items.begin() + i; };
    if (from < to)
        std::rotate(at(from), at(from + 1), at(to + 1));
    else
        std::rotate(at(to), at(from), at(from + 1));
    ItemsPlaced(std::min(from, to), std::max(from, to));
}

void TStreamList::Exchange(int a, int b)
{
    std::swap(m_items[size_t(a)], m_items[size_t(b)]);
    ItemsPlaced(a, a);
    ItemsPlaced(b, b);
}

void TStreamList::SaveToWriter(TWriter& writer) const
{
    writer.WriteInteger(Count());
    for (const auto& item : m_items)
        item->SaveToWriter(writer);
}

void TStreamList::LoadFromReader(TReader& reader, int version)
{
    const int n = reader.ReadInteger();
    // Every item takes at least one byte, so a count above the bytes left is a
    // damaged file; failing here saves building items that cannot be complete.
    if (n > reader.Remaining())
        throw EStreamError::ReadError();
    // Room for them at once; a damaged count reserves no more than the
    // remaining bytes could hold.
    if (n > 0)
        m_items.reserve(m_items.size() + size_t(std::min<qsizetype>(n, reader.Remaining() / 4)));
    for (int i = 0; i < n; ++i) {
        std::unique_ptr<TStreamObject> item = CreateItem();
        item->LoadFromReader(reader, version);
        AddObject(std::move(item));
    }
}

std::unique_ptr<TStreamObject> TStreamList::CreateItem() const
{
    return std::make_unique<TStreamObject>();
}

int TStreamList::IndexOfObject(const TStreamObject* item) const
{
    for (size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i].get() == item)
            return int(i);
    return -1;
}

void TStreamList::AddObject(std::unique_ptr<TStreamObject> item)
{
    TStreamObject& joined = *item;
    m_items.push_back(std::move(item));
    ItemsPlaced(Count() - 1, Count() - 1);
    ItemJoined(joined);
}

void TStreamList::InsertObject(int index, std::unique_ptr<TStreamObject> item)
{
    TStreamObject& joined = *item;
    m_items.insert(m_items.begin() + index, std::move(item));
    ItemsPlaced(index, Count() - 1);
    ItemJoined(joined);
}

std::unique_ptr<TStreamObject> TStreamList::TakeObject(int index)
{
    ItemLeaving(*m_items[size_t(index)]);
    std::unique_ptr<TStreamObject> item = std::move(m_items[size_t(index)]);
    m_items.erase(m_items.begin() + index);
    if (index < Count())
        ItemsPlaced(index, Count() - 1);
    return item;
}

std::vector<std::unique_ptr<TStreamObject>> TStreamList::TakeAllObjects()
{
    for (const auto& item : m_items)
        ItemLeaving(*item);
    std::vector<std::unique_ptr<TStreamObject>> items;
    items.swap(m_items);
    return items;
}
