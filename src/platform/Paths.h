// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// Path helpers that accept both "/" and "\" as separators: albums written on
// Windows keep paths such as "D:\Photos\a.jpg", and relocation still has to
// take them apart.
#include <QString>

namespace Paths {

bool IsSeparator(QChar c);

// Index of the last "/", "\" or, when drive is true, ":"; -1 when none.
int LastDelimiter(const QString& path, bool drive = true);

// The part after the last separator or drive colon ("C:\a\b.jpg" -> "b.jpg").
QString ExtractFileName(const QString& path);

// The folder part including its trailing separator ("C:\a\b.jpg" -> "C:\a\").
QString ExtractFilePath(const QString& path);

// The last extension with its dot (".jpg"); empty when the name has none.
QString ExtractFileExt(const QString& path);

// The path with its last extension replaced (ext includes the dot, or is empty).
QString ChangeFileExt(const QString& path, const QString& ext);

// The file name without folder and without its last extension ("My.Album.tvx" -> "My.Album").
QString NameWithoutExtension(const QString& path);

// "C:" for "C:\x", empty for POSIX paths.
QString ExtractFileDrive(const QString& path);

// True when the path begins with a letter and a colon ("D:\..." or "d:").
bool HasDriveLetter(const QString& path);

// The path with one trailing separator; uses "\" when the path already holds
// backslashes and no slashes, else "/".
QString IncludeTrailingSeparator(const QString& path);

QString ExcludeTrailingSeparator(const QString& path);

// Absolute and cleaned (no "." or ".." parts, no doubled separators) for local paths.
QString AbsoluteClean(const QString& path);

// True when both paths name one file: spelled alike once cleaned, or leading
// to one existing file (a linked folder, a path written before its folder was
// moved back).
bool SameFile(const QString& a, const QString& b);

} // namespace Paths
