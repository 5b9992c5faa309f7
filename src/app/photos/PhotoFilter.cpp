// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/photos/PhotoFilter.h"

#include "model/Album.h"

bool PhotoPassesFilter(const TPhoto& photo, int filter)
{
    switch (filter) {
    case PF_WithoutDescription:
        return !photo.HasDescription();
    case PF_WithoutEvent:
        return !photo.HasEvent();
    case PF_WithoutObjects:
        return !photo.HasObjects();
    case PF_WithoutYear:
        return !photo.HasYear();
    case PF_WithoutAnyInformation:
        return !photo.HasDescription() && !photo.HasEvent() && !photo.HasObjects() && !photo.HasYear();
    case PF_NotOnDisk:
        return !photo.FileExists();
    default:
        return true;
    }
}
