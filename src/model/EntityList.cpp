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
    for (int i = 0; i < Count(); ++i)
        if (ItemAt(i)->GetName() == name)
            return i;
    return -1;
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
