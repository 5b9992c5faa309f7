// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// What one decoded picture may cost. Every decoder of the chain holds to
// these before it allocates, so that a damaged file of a few bytes cannot
// make the program allocate gigabytes; the NViewLib stand-in keeps the same
// figures in its own C header.
#include <QtGlobal>

namespace PictureLimits {

// The largest picture handed over: 2^27 pixels, 512 MiB as RGB32. Above the
// largest camera photos (100 megapixels), far below what would exhaust the
// program.
inline constexpr qint64 MaxPixels = qint64(1) << 27;
inline constexpr int MaxSide = 65535;

// No compressed format we read in our own process packs more than this many
// pixels into one byte of a real file (JPEG, the tightest, at most 512), so a
// header that claims more than its file can hold is refused. The allowance
// keeps tiny files of modest pictures decodable whatever they claim.
inline constexpr qint64 MaxPixelsPerFileByte = 4096;
inline constexpr qint64 PixelAllowance = qint64(1) << 20;

// True when width x height is a picture of at most maxPixels that a file of
// fileBytes bytes can describe at pixelsPerByte.
inline bool PlausibleSize(qint64 width, qint64 height, qint64 fileBytes,
    qint64 pixelsPerByte = MaxPixelsPerFileByte, qint64 maxPixels = MaxPixels)
{
    if (width <= 0 || height <= 0 || width > MaxSide || height > MaxSide)
        return false;
    const qint64 pixels = width * height;
    if (pixels > maxPixels)
        return false;
    // Beyond the budget, more bytes change nothing; the cap keeps the product small.
    const qint64 bytes = qBound(qint64(0), fileBytes, maxPixels);
    return pixels <= bytes * pixelsPerByte + PixelAllowance;
}

} // namespace PictureLimits
