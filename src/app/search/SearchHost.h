// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// What the Search tab needs from the main window that holds it. The main
// window implements it; tests fake it.
#include <QString>

class IniFile;
class TPhotoWindowList;

class TSearchHost {
public:
    virtual ~TSearchHost() = default;

    virtual TPhotoWindowList* PhotoWindows() const = 0;
    // May be null.
    virtual IniFile* Settings() const = 0;
};
