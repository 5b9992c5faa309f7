// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
#include <memory>

class IniFile;

// Opens the program's settings file "tavrimolex.Ini" in the settings folder
// (the user's config folder, or beside the executable for a portable copy).
// The caller owns it; the main window keeps one for its lifetime and lends it
// to the windows and objects that keep settings.
std::unique_ptr<IniFile> OpenSettingsFile();
