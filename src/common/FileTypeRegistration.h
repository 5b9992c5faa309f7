// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// Makes the desktop open album files with this program: a MIME type for
// "*.tvx", a desktop entry that starts the program with the file, the icons,
// and the default-application key. Written into the user's own data and
// config folders ($XDG_DATA_HOME, $XDG_CONFIG_HOME), rewritten only when the
// content differs, so every start costs a few file reads. Where a package
// installed the program, its MIME type and desktop entry in the system's data
// folders serve instead, and nothing is written for the user: a per-user entry
// would hide the packaged one, and a default would outlive the package.
#include <QByteArray>
#include <QString>

inline constexpr char AlbumExtension[] = "tvx";
inline constexpr char AlbumMimeType[] = "application/x-tavrimolex-album";
inline constexpr char DesktopEntryName[] = "tavrimolex.desktop";
// The desktop entry's name without ".desktop"; Wayland knows the window by it.
inline constexpr char DesktopFileName[] = "tavrimolex";
// Qt names the X11 window class after the application, and the desktop entry
// tells the desktop which windows are the program's by that class.
inline constexpr char ApplicationName[] = "Tavrimolex 2005";

// Registers the running executable. Failures (no rights, no home) are silent:
// the program starts all the same.
void RegisterFileType();

// Registers the given executable; true when any file was written or removed.
// The album type becomes the program's only when it has no default yet: the
// user's choice of another program stands.
bool RegisterFileTypeFor(const QString& executable);

// The desktop entry that starts the program with the given "Exec" value; a
// package installs it with the bare program name.
QByteArray DesktopEntry(const QString& exec);

// The "Exec" value of the desktop entry: the executable and %f, the executable
// quoted only when the desktop-entry rules ask for it, since plain xdg-open
// (no desktop detected) cannot run a quoted one.
QString DesktopExecLine(const QString& executable);
