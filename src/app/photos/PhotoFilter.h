// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// Which of the album's photos the list of the album's photos shows.
class TPhoto;

// The filters of the list, in menu order.
enum TPhotoFilter : int {
    PF_AllPhotos = 0,
    PF_WithoutDescription = 1,
    PF_WithoutEvent = 2,
    PF_WithoutObjects = 3,
    PF_WithoutYear = 4,
    PF_WithoutAnyInformation = 5,
    PF_NotOnDisk = 6,
};
constexpr int PhotoFilterCount = 7;

// True when the photo belongs in the list under the filter.
bool PhotoPassesFilter(const TPhoto& photo, int filter);
