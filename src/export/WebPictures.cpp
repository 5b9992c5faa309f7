// SPDX-License-Identifier: GPL-2.0-or-later
#include "export/WebPictures.h"

#include "imaging/ImageLoader.h"
#include "imaging/JpegCodec.h"
#include "imaging/PictureDrawing.h"
#include "model/Photo.h"

#include <QImage>

TWebPictures TWebPictures::Make(const TWebPictureRecipe& recipe, const QString& path)
{
    TWebPictures pictures;
    if (!PhotoFileExists(path)) {
        pictures.State = Missing;
        return pictures;
    }
    QImage picture;
    if (!LoadImageFile(path, picture) || picture.isNull()) {
        pictures.State = Unreadable;
        return pictures;
    }
    pictures.State = Made;
    if (recipe.Thumbnail) {
        QImage thumbnail;
        MakeThumbnail(picture, thumbnail, 0, 0, 0, 0, recipe.ThumbWidth, recipe.ThumbHeight);
        pictures.Thumbnail = EncodeJpeg(thumbnail, recipe.JpegQuality);
    }
    if (recipe.Fit) {
        QImage fitted;
        ScaleImageToFit(picture, fitted, recipe.PhotoWidth, recipe.PhotoHeight);
        if (!fitted.isNull() || !recipe.KeepUnfitted)
            picture = fitted;
    }
    pictures.Photo = EncodeJpeg(picture, recipe.JpegQuality);
    return pictures;
}
