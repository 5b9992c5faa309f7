// SPDX-License-Identifier: GPL-2.0-or-later
#include "model/ThumbNail.h"

#include "model/Reader.h"
#include "model/Writer.h"

TThumbNail::~TThumbNail() = default;

void TThumbNail::SaveToWriter(TWriter& writer) const
{
    TEntity::SaveToWriter(writer);
    writer.WriteInteger(m_fileSize);
    writer.WriteString(m_fileDate);
}

void TThumbNail::LoadFromReader(TReader& reader, int version)
{
    TEntity::LoadFromReader(reader, version);
    m_fileSize = reader.ReadInteger();
    m_fileDate = reader.ReadString();
}
