// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The program's version, as the build states it: CMake's project version
// becomes the generated header Version.h, and a small table of names stands in
// for the string table of a version resource.
#include <QMap>
#include <QString>
#include <QStringList>

#include <cstdint>

// What a version resource holds: named texts and the fixed file version as
// two double words (major << 16 | minor, release << 16 | build).
struct TVersionResource {
    QMap<QString, QString> Strings;
    std::uint32_t FileVersionMS = 0;
    std::uint32_t FileVersionLS = 0;

    // The resource this program carries.
    static TVersionResource Program();
};

class TVersionInfo {
public:
    // Reads the program's own resource.
    TVersionInfo();
    explicit TVersionInfo(const TVersionResource& resource);

    // The thirteen names, in the order of the fields below.
    static const QStringList& Keys();
    // The text of one of the names; empty for a name the resource lacks.
    QString Value(const QString& key) const;

    QString FileVersion;
    QString CompanyName;
    QString FileDescription;
    QString InternalName;
    QString LegalCopyright;
    QString LegalTradeMarks;
    QString OriginalFileName;
    QString ProductName;
    QString ProductVersion;
    QString Comments;
    QString CurrentProgramVersion;
    QString CurrentDatabaseVersion;
    QString VersionDetails;

    std::uint16_t Major = 0;
    std::uint16_t Minor = 0;
    std::uint16_t Release = 0;
    std::uint16_t Build = 0;
};

// Read once when the program starts, before any window.
extern const TVersionInfo VersionInfo;
