// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/VersionInfo.h"

#include "Version.h"

namespace {

// The fields in the order of TVersionInfo::Keys().
using TextField = QString TVersionInfo::*;
const TextField kFields[] = { &TVersionInfo::FileVersion, &TVersionInfo::CompanyName,
    &TVersionInfo::FileDescription, &TVersionInfo::InternalName, &TVersionInfo::LegalCopyright,
    &TVersionInfo::LegalTradeMarks, &TVersionInfo::OriginalFileName, &TVersionInfo::ProductName,
    &TVersionInfo::ProductVersion, &TVersionInfo::Comments, &TVersionInfo::CurrentProgramVersion,
    &TVersionInfo::CurrentDatabaseVersion, &TVersionInfo::VersionDetails };

} // namespace

TVersionResource TVersionResource::Program()
{
    TVersionResource r;
    const QString version = QStringLiteral(TAVRI_VERSION_STRING);
    r.Strings = {
        { QStringLiteral("FileVersion"), version },
        { QStringLiteral("CompanyName"), QString() },
        { QStringLiteral("FileDescription"), QStringLiteral("Tavrimolex 2005 photo albums") },
        { QStringLiteral("InternalName"), QStringLiteral("tavrimolex") },
        { QStringLiteral("OriginalFileName"), QStringLiteral("tavrimolex") },
        { QStringLiteral("ProductName"), QStringLiteral("Tavrimolex 2005") },
        { QStringLiteral("ProductVersion"), version },
    };
    r.FileVersionMS
        = (std::uint32_t(TAVRI_VERSION_MAJOR) << 16) | std::uint32_t(TAVRI_VERSION_MINOR & 0xFFFF);
    r.FileVersionLS
        = (std::uint32_t(TAVRI_VERSION_PATCH) << 16) | std::uint32_t(TAVRI_VERSION_TWEAK & 0xFFFF);
    return r;
}

const QStringList& TVersionInfo::Keys()
{
    static const QStringList keys = {
        QStringLiteral("FileVersion"),
        QStringLiteral("CompanyName"),
        QStringLiteral("FileDescription"),
        QStringLiteral("InternalName"),
        QStringLiteral("LegalCopyright"),
        QStringLiteral("LegalTradeMarks"),
        QStringLiteral("OriginalFileName"),
        QStringLiteral("ProductName"),
        QStringLiteral("ProductVersion"),
        QStringLiteral("Comments"),
        QStringLiteral("CurrentProgramVersion"),
        QStringLiteral("CurrentDatabaseVersion"),
        QStringLiteral("VersionDetails"),
    };
    return keys;
}

TVersionInfo::TVersionInfo()
    : TVersionInfo(TVersionResource::Program())
{
}

TVersionInfo::TVersionInfo(const TVersionResource& resource)
{
    for (qsizetype i = 0; i < Keys().size(); ++i)
        this->*kFields[i] = resource.Strings.value(Keys().at(i));
    Major = std::uint16_t(resource.FileVersionMS >> 16);
    Minor = std::uint16_t(resource.FileVersionMS & 0xFFFF);
    Release = std::uint16_t(resource.FileVersionLS >> 16);
    Build = std::uint16_t(resource.FileVersionLS & 0xFFFF);
}

QString TVersionInfo::Value(const QString& key) const
{
    const qsizetype i = Keys().indexOf(key);
    if (i < 0)
        return QString();
    return this->*kFields[i];
}

const TVersionInfo VersionInfo;
