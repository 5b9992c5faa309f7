// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// What a tab page needs of the window that holds it, beside the album session
// and its actions: the photo windows every page and result window shares, and
// the settings file. The main window implements it; tests fake it.
class IniFile;
class TPhotoWindowList;

class TPageHost {
public:
    virtual ~TPageHost() = default;

    virtual TPhotoWindowList* PhotoWindows() const = 0;
    // The settings file; null only before the window has opened it.
    virtual IniFile* Settings() const = 0;
};
