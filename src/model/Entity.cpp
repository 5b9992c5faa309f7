// SPDX-License-Identifier: GPL-2.0-or-later
#include "model/Entity.h"

#include "model/EntityList.h"
#include "model/Reader.h"
#include "model/Writer.h"

#include <utility>

void TEntity::SaveToWriter(TWriter& writer) const
{
    TStreamObject::SaveToWriter(writer);
    writer.WriteInteger(m_id);
    writer.WriteString(m_name);
    writer.WriteBoolean(m_selected);
}

void TEntity::LoadFromReader(TReader& reader, int version)
{
    TStreamObject::LoadFromReader(reader, version);
    m_id = reader.ReadInteger();
    m_name = reader.ReadString();
    m_selected = reader.ReadBoolean();
}

void TEntity::SetName(const QString& name)
{
    if (!m_list || name == m_name) {
        m_name = name;
        return;
    }
    const QString old = std::exchange(m_name, name);
    m_list->ItemRenamed(*this, old);
}

void TEntity::AssignTo(TEntity& dest) const
{
    dest.SetId(m_id);
    dest.SetName(m_name);
    if (m_selected)
        dest.Select();
    else
        dest.Deselect();
}
