// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// What the Search tab needs from the main window that holds it. The main
// window implements it; tests fake it.
#include <QString>

class IniFile;
class TPhotoWindowList;
class TSearchEngine;

class TSearchHost {
public:
    virtual ~TSearchHost() = default;

    // The one engine the window keeps for its lifetime.
    virtual TSearchEngine& SearchEngine() = 0;
    virtual TPhotoWindowList* PhotoWindows() const = 0;
    // May be null.
    virtual IniFile* Settings() const = 0;
    // The album the search-result window made is to be opened: the open one
    // is closed first (asking to save its changes; Cancel keeps it), then the
    // Albums tab comes to the front.
    virtual void OpenFoundAlbum(const QString& fileName) = 0;
};
