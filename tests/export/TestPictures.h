// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// One-colour pictures and album entries, for the export tests and for the
// programs that make sites for the browser tests.
#include "model/Album.h"

#include <QColor>
#include <QImage>
#include <QString>

#include <memory>

inline QImage Filled(int width, int height, QColor colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// A photo of the album's next id, not yet added to it.
inline std::unique_ptr<TPhoto> NewPhoto(TAlbum& album, const QString& path)
{
    auto photo = std::make_unique<TPhoto>();
    photo->SetId(album.GetPhotos().TakeNextId());
    photo->SetName(path);
    return photo;
}
