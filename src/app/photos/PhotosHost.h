// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// What the Photos tab needs from the main window that holds it, beside the
// album session and its own form. The main window implements it; tests fake it.
#include <QString>

class IniFile;
class TPhotoWindowList;

class TPhotosHost {
public:
    virtual ~TPhotosHost() = default;

    // The photo windows, shared with the search result.
    virtual TPhotoWindowList* PhotoWindows() const = 0;
    // May be null.
    virtual IniFile* Settings() const = 0;
};
