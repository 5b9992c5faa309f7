// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// How a camera meant its picture to stand. Phones and cameras store a
// portrait photo as landscape pixels and say so in the orientation tag of
// their Exif block; the decoder turns the pixels upright by it.
#include <cstddef>

// The orientation (1 to 8, as the tag counts them: 1 stands as stored, 6
// needs a quarter turn clockwise) given by the contents of an APP1 marker:
// "Exif", two zero bytes, then a TIFF header and its first directory, in
// either byte order. 1 for anything else; never reads past size bytes.
int ExifOrientation(const unsigned char* app1, std::size_t size);

// True when the orientation swaps width and height (5 to 8).
inline bool ExifOrientationTurns(int orientation)
{
    return orientation >= 5 && orientation <= 8;
}
