// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The pictures a web site gets of one photo, made on a worker thread: the
// photo decoded once, its thumbnail and its web copy encoded as the site
// stores them. The generator's own thread writes them, in photo order.
#include <QByteArray>
#include <QString>

// What is made of every photo; copied to the workers, so plain values only.
struct TWebPictureRecipe {
    // A thumbnail covering ThumbWidth x ThumbHeight, cut to that box.
    bool Thumbnail = false;
    int ThumbWidth = 0;
    int ThumbHeight = 0;
    // The web copy shrunk to fit PhotoWidth x PhotoHeight.
    bool Fit = false;
    int PhotoWidth = 0;
    int PhotoHeight = 0;
    // When fitting gives no picture (a box of 0), the photo as decoded is
    // the web copy; otherwise there is none.
    bool KeepUnfitted = false;
    int JpegQuality = 75;
};

struct TWebPictures {
    enum TState {
        // The site wants no pictures of this photo.
        NotWanted,
        // Its file has gone since the photos were checked.
        Missing,
        Unreadable,
        Made,
        // Stop was pressed while the pictures were still being made.
        GivenUp,
    };
    TState State = NotWanted;
    // The encoded thumbnail and web copy; empty when encoding failed.
    QByteArray Thumbnail;
    QByteArray Photo;

    // Decodes the photo at path and makes what the recipe asks for. Touches
    // nothing shared: safe on any thread.
    static TWebPictures Make(const TWebPictureRecipe& recipe, const QString& path);
};
