#pragma once
#include <QString>

namespace AppFolders {

// The folder of the running executable, with a trailing "/".
QString ProgramFolder();

// Where the settings file, translator files and "errors_language.txt" go:
// beside the executable when that folder is writable, else
// $XDG_CONFIG_HOME/tavrimolex/ (default ~/.config/tavrimolex/), created on demand.
// Ends with "/".
QString SettingsFolder();

// Overrides both folders (tests); an empty text restores the defaults.
void SetProgramFolderForTesting(const QString& folder);

} // namespace AppFolders
