// SPDX-License-Identifier: GPL-2.0-or-later
#include "model/StreamIntList.h"

#include "model/Reader.h"
#include "model/Writer.h"

void TStreamInt::SaveToWriter(TWriter& writer) const
{
    TStreamObject::SaveToWriter(writer);
    writer.WriteInteger(m_value);
}

void TStreamInt::LoadFromReader(TReader& reader, int version)
{
    TStreamObject::LoadFromReader(reader, version);
    m_value = reader.ReadInteger();
}

std::unique_ptr<TStreamObject> TStreamIntList::CreateItem() const
{
    return std::make_unique<TStreamInt>();
}

void TStreamIntList::Add(int value)
{
    AddObject(std::make_unique<TStreamInt>(value));
}

int TStreamIntList::IndexOf(int value) const
{
    for (int i = 0; i < Count(); ++i)
        if (ValueAt(i) == value)
            return i;
    return -1;
}

void TStreamIntList::AddAll(const TStreamIntList& other)
{
    // Read the values first: other may be this list.
    for (int value : other.Values())
        Add(value);
}

void TStreamIntList::RemoveValue(int value)
{
    for (int i = Count() - 1; i >= 0; --i)
        if (ValueAt(i) == value)
            Delete(i);
}

QList<int> TStreamIntList::Values() const
{
    QList<int> values;
    values.reserve(Count());
    for (int i = 0; i < Count(); ++i)
        values << ValueAt(i);
    return values;
}
