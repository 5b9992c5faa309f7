// SPDX-License-Identifier: GPL-2.0-or-later
#include "model/Photo.h"

#include "model/Reader.h"
#include "model/StreamError.h"
#include "model/Writer.h"
#include "platform/NativePath.h"
#include "platform/Paths.h"
#include "platform/TextUtil.h"

#include <QDir>
#include <QFileInfo>

#include <sys/stat.h>

bool PhotoFileExists(const QString& path)
{
    if (path.isEmpty() || !QDir::isAbsolutePath(path))
        return false;
    if (!path.startsWith(u'/'))
        return QFileInfo(path).isFile();
    // One system call: searches and relocation ask this for every photo.
    QByteArray native;
    struct stat st { };
    return NativePath(path, native) && ::stat(native.constData(), &st) == 0 && S_ISREG(st.st_mode);
}

TPhoto::TPhoto() = default;

TPhoto::~TPhoto() = default;

void TPhoto::SaveToWriter(TWriter& writer) const
{
    TEntity::SaveToWriter(writer);
    writer.WriteString(GetDescription());
    writer.WriteString(m_year);
    writer.WriteInteger(m_eventId);
    m_objectIds.SaveToWriter(writer);
    m_thumbNail.SaveToWriter(writer);
    writer.WriteBoolean(m_useInHtml);
}

void TPhoto::LoadFromReader(TReader& reader, int version)
{
    TEntity::LoadFromReader(reader, version);
    // The system would read such a path up to the NUL: renaming, copying or
    // showing the photo would reach another file than the album names.
    if (HoldsNul(GetName()))
        throw EStreamError::InvalidValue();
    m_description = reader.ReadString();
    m_wordBitsKnown = false;
    m_year = reader.ReadString();
    m_eventId = reader.ReadInteger();
    m_objectIds.LoadFromReader(reader, version);
    m_thumbNail.LoadFromReader(reader, version);
    // Format version 1 files have no publish flag.
    if (version > 1)
        m_useInHtml = reader.ReadBoolean();
}

void TPhoto::AssignTo(TPhoto& dest) const
{
    TEntity::AssignTo(dest);
    dest.SetDescription(GetDescription());
    dest.SetUseInHtml(m_useInHtml);
    dest.SetYear(m_year);
    dest.SetEventId(m_eventId);
    dest.GetObjectIds().AddAll(m_objectIds);
}

std::unique_ptr<TPhoto> TPhoto::Clone() const
{
    auto photo = std::make_unique<TPhoto>();
    AssignTo(*photo);
    return photo;
}

QString TPhoto::GetDescription() const
{
    return Text::Trim(m_description);
}

const TWordBits& TPhoto::DescriptionWordBits() const
{
    if (!m_wordBitsKnown) {
        m_wordBits = TWordBits::OfText(m_description);
        m_wordBitsKnown = true;
    }
    return m_wordBits;
}

bool TPhoto::HasDescription() const
{
    return !GetDescription().isEmpty();
}

bool TPhoto::HasYear() const
{
    return !Text::Trim(m_year).isEmpty();
}

QChar TPhoto::GetDriveLetter() const
{
    return GetName().isEmpty() ? QChar(u' ') : GetName().at(0);
}

QString TPhoto::GetFileNameOnly() const
{
    return Paths::ExtractFileName(GetName());
}

bool TPhoto::FileExists() const
{
    return PhotoFileExists(GetName());
}
