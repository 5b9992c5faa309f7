#pragma once
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

// A file that ships beside the executable (the NViewLib stand-in, the
// decoder program): in the program folder, else in $TAVRI_BIN_DIR, which
// tells test and benchmark executables, built elsewhere, where the program's
// folder is. The program folder's file name when it is in neither.
QString BesideProgram(const QString& name);

// Overrides both folders (tests); an empty text restores the defaults.
void SetProgramFolderForTesting(const QString& folder);

} // namespace AppFolders
