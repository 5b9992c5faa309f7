// SPDX-License-Identifier: GPL-2.0-or-later
#include "model/ThumbNailInfo.h"

#include "model/Reader.h"
#include "model/Writer.h"

void TThumbNailInfo::SaveToWriter(TWriter& writer) const
{
    TStreamObject::SaveToWriter(writer);
    writer.WriteInteger(m_width);
    writer.WriteInteger(m_height);
}

void TThumbNailInfo::LoadFromReader(TReader& reader, int version)
{
    TStreamObject::LoadFromReader(reader, version);
    m_width = reader.ReadInteger();
    m_height = reader.ReadInteger();
}
