// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// What the HTML tab needs of the main window that holds it. The main window
// implements it; tests fake it.
#include <QString>

class IniFile;

class THtmlExportHost {
public:
    virtual ~THtmlExportHost() = default;

    // The settings file; null only before the window has opened it.
    virtual IniFile* Settings() const = 0;
};
