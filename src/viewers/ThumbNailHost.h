// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// What a thumbnail window asks of the page that made it: editing a photo's
// information and listing the album's photos again after one left it. The
// Photos tab implements it; tests fake it. A thumbnail window of a search
// result has none.
#include <QString>

class Tfm_PhotoWindow;

class TThumbNailHost {
public:
    virtual ~TThumbNailHost() = default;

    // Shows the photo for editing; the photo window that shows it, or null.
    virtual Tfm_PhotoWindow* EditPhotoInformation(const QString& photoPath) = 0;
    // Lists the album's photos under filter (0: all).
    virtual void ListAlbumPhotos(int filter) = 0;
    // The album changed and must be saved to keep the change.
    virtual void MarkAlbumChanged() = 0;
};
