// SPDX-License-Identifier: GPL-2.0-or-later
#include "model/EntityList.h"

#include "model/Reader.h"
#include "model/Writer.h"

#include <algorithm>
#include <climits>

void TEntityList::SaveToWriter(TWriter& writer) const
{
    TStreamList::SaveToWriter(writer);
    writer.WriteInteger(m_nextId);
}

void TEntityList::LoadFromReader(TReader& reader, int version)
{
    TStreamList::LoadFromReader(reader, version);
    // A damaged counter below 0 would in time hand out -1, which photos read
    // as "no label".
    m_nextId = std::max(reader.ReadInteger(), 0);
    // A counter at or below a loaded id would hand that id out again.
    for (int i = 0; i < Count(); ++i) {
        const int id = ItemAt(i)->GetId();
        if (id >= m_nextId)
            m_nextId = id == INT_MAX ? INT_MAX : id + 1;
    }
}

std::unique_ptr<TStreamObject> TEntityList::CreateItem() const
{
    return std::make_unique<TEntity>();
}

int TEntityList::TakeNextId()
{
    if (m_nextId < INT_MAX)
        return m_nextId++;
    // Only a damaged file takes the counter this far: hand out the lowest id
    // that no label holds rather than run past the largest integer.
    int id = 0;
    while (FindById(id))
        ++id;
    return id;
}

void TEntityList::AddName(const QString& name)
{
    // The list's own factory, so a photo list gets a photo.
    std::unique_ptr<TStreamObject> object = CreateItem();
    auto* item = static_cast<TEntity*>(object.get());
    item->SetId(TakeNextId());
    item->SetName(name);
    AddObject(std::move(object));
}

QString TEntityList::NameAt(int index) const
{
    const TEntity* item = ItemAt(index);
    return item ? item->GetName() : QString();
}

QString TEntityList::NameById(int id) const
{
    if (id == -1)
        return QString();
    const TEntity* item = FindById(id);
    return item ? item->GetName() : QString();
}

int TEntityList::IdByName(const QString& name) const
{
    const int index = IndexOfName(name);
    return index < 0 ? -1 : ItemAt(index)->GetId();
}

int TEntityList::IndexOfName(const QString& name) const
{
    if (!m_indexed)
        BuildNameIndex();
    const auto found = m_byName.constFind(name);
    return found == m_byName.constEnd() ? -1 : (*found)->m_place;
}

int TEntityList::IndexOf(const TEntity* item) const
{
    return item && item->m_list == this ? item->m_place : -1;
}

void TEntityList::BuildNameIndex() const
{
    m_byName.clear();
    m_byName.reserve(Count());
    m_sharedNames = false;
    for (int i = 0; i < Count(); ++i) {
        TEntity* item = ItemAt(i);
        if (m_byName.contains(item->GetName()))
            m_sharedNames = true;
        else
            m_byName.insert(item->GetName(), item);
    }
    m_indexed = true;
}

void TEntityList::AddToNameIndex(TEntity& item)
{
    if (m_byName.contains(item.GetName())) {
        // Which of the two comes first is left to the next look-up.
        m_indexed = false;
        return;
    }
    m_byName.insert(item.GetName(), &item);
}

void TEntityList::ItemJoined(TStreamObject& object)
{
    auto& item = static_cast<TEntity&>(object);
    item.m_list = this;
    if (m_indexed)
        AddToNameIndex(item);
}

void TEntityList::ItemLeaving(TStreamObject& object)
{
    auto& item = static_cast<TEntity&>(object);
    item.m_list = nullptr;
    item.m_place = -1;
    if (!m_indexed)
        return;
    if (m_sharedNames)
        m_indexed = false;
    else
        m_byName.remove(item.GetName());
}

void TEntityList::ItemsPlaced(int first, int last)
{
    for (int i = first; i <= last; ++i)
        ItemAt(i)->m_place = i;
    // Which of two records of one name comes first may have changed.
    if (m_sharedNames)
        m_indexed = false;
}

void TEntityList::ItemRenamed(TEntity& item, const QString& oldName)
{
    if (!m_indexed)
        return;
    if (m_sharedNames) {
        m_indexed = false;
        return;
    }
    m_byName.remove(oldName);
    AddToNameIndex(item);
}

void TEntityList::RemoveByName(const QString& name)
{
    const int index = IndexOfName(name);
    if (index >= 0)
        Delete(index);
}

void TEntityList::MoveUp(const QString& name)
{
    const int index = IndexOfName(name);
    if (index > 0)
        Move(index, index - 1);
}

void TEntityList::MoveDown(const QString& name)
{
    const int index = IndexOfName(name);
    if (index >= 0 && index < Count() - 1)
        Move(index, index + 1);
}

TEntity* TEntityList::FindById(int id) const
{
    for (int i = 0; i < Count(); ++i)
        if (ItemAt(i)->GetId() == id)
            return ItemAt(i);
    return nullptr;
}

TEntity* TEntityList::ItemAt(int index) const
{
    if (index < 0 || index >= Count())
        return nullptr;
    return static_cast<TEntity*>(ObjectAt(index));
}

std::vector<std::unique_ptr<TEntity>> TEntityList::DetachAll()
{
    std::vector<std::unique_ptr<TEntity>> items;
    for (auto& item : TakeAllObjects())
        items.push_back(StaticUniqueCast<TEntity>(std::move(item)));
    return items;
}
