#pragma once
// Makes the desktop open album files with this program: a MIME type for
// "*.tvx", a desktop entry that starts the program with the file, the icon,
// and the default-application key. Written into the user's own data and
// config folders ($XDG_DATA_HOME, $XDG_CONFIG_HOME), rewritten only when the
// content differs, so every start costs a few file reads.
#include <QString>

inline constexpr char AlbumExtension[] = "tvx";
inline constexpr char AlbumMimeType[] = "application/x-tavrimolex-album";
inline constexpr char DesktopEntryName[] = "tavrimolex.desktop";

// Registers the running executable. Failures (no rights, no home) are silent:
// the program starts all the same.
void RegisterFileType();

// Registers the given executable; true when any file was written.
bool RegisterFileTypeFor(const QString& executable);

// The "Exec" value of the desktop entry: the quoted executable and %f.
QString DesktopExecLine(const QString& executable);
