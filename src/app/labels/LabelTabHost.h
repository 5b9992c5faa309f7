// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// What the Objects and Events tabs need from the main window that holds them.
// The main window implements it; tests may fake it.
#include <QStringList>

class TLabelTabHost {
public:
    virtual ~TLabelTabHost() = default;

    // Photos changed their labels: both label lists and the album's photo
    // list (all photos) are shown anew.
    virtual void RefreshAlbumLists() = 0;
    // Lists the photos (full paths, album order; their search-hit flags are
    // set) in the search-result window, modally.
    virtual void ShowPhotosInResultWindow(const QStringList& paths) = 0;
};
