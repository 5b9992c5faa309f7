// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// Where the program finds its own files and keeps the user's. It runs from its
// build folder, where everything lies beside the executable, and from an
// installed tree (bin/, its private library folder, share/tavrimolex/) wherever
// that tree was put: each file is found relative to the executable.
#include <QString>

namespace AppFolders {

// The folder of the running executable, with a trailing "/".
QString ProgramFolder();

// "tavrimolex.Ini".
QString SettingsFileName();

// Where the settings file, translator files and "errors_language.txt" go:
// beside the executable when a "tavrimolex.Ini" already lies there (a portable
// copy), else $XDG_CONFIG_HOME/tavrimolex/ (default ~/.config/tavrimolex/),
// created on demand. Never chosen by whether the program's folder is
// writable: run as root, that would write into /usr/bin. Ends with "/".
QString SettingsFolder();

// A file of the program's own that it loads or runs (the NViewLib stand-in,
// the decoder program): beside the executable, else in the installed tree's
// private folder, else in $TAVRI_BIN_DIR, which tells test and benchmark
// executables, built elsewhere, where the program's folder is. When it is in
// none of them, the place where it belongs, for the message that it is missing.
QString BesideProgram(const QString& name);

// A data file that ships with the program (the help files): beside the
// executable, else in the installed tree's share folder; where it belongs when
// in neither.
QString DataFile(const QString& name);

// Overrides the program folder (tests); an empty text restores the default.
void SetProgramFolderForTesting(const QString& folder);

} // namespace AppFolders
