// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// Decoding a file with FreeImage in the calling process, whatever its pixel
// type, into rows of 8 bits per channel. The library can crash, hang or
// exhaust the memory on damaged files, so only the decoder program (and the
// benchmark that measures it) calls this; the program asks that process.
#include <QtGlobal>

#include <array>

// Receives a decoded picture row by row.
class TFreeImageRowSink {
public:
    virtual ~TFreeImageRowSink() = default;
    // Before anything is decoded, the size the file's header claims, within
    // the budget; 0 x 0 where the format tells its size only by decoding.
    // False stops.
    virtual bool Header(int width, int height)
    {
        (void)width;
        (void)height;
        return true;
    }
    // The picture's size, before the first row; false stops the decoding.
    virtual bool Start(int width, int height) = 0;
    // One row, top row first: width pixels of blue, green, red and 0xFF in
    // memory. False stops the decoding.
    virtual bool Row(const quint32* pixels) = 0;
};

enum class TFreeImageOutcome {
    Decoded,
    // The library cannot decode the file, an entry point is missing, the
    // picture is empty, or the sink stopped.
    Failed,
    // The picture holds more than maxPixels or a side longer than
    // PictureLimits::MaxSide.
    Refused,
};

// Loads fileName with FreeImage_Load through the binding (which must be
// loaded) and hands its rows to sink. Where the format allows, the header is
// read first, without the pixels, so that a picture over the budget is
// refused before the library decodes or allocates it. JPEG files are turned
// upright by their Exif orientation tag.
TFreeImageOutcome DecodeWithFreeImage(
    int formatCode, const char* fileName, qint64 maxPixels, TFreeImageRowSink& sink);

// How FreeImage lays out the pixels of one row.
struct TFreeImageRowFormat {
    int type = 1; // FREE_IMAGE_TYPE: FIT_BITMAP
    int colorType = 2; // FREE_IMAGE_COLOR_TYPE: FIC_RGB
    unsigned bpp = 24;
    // Pictures of 8 bits or fewer: the colours, 0xRRGGBB.
    std::array<quint32, 256> palette {};
    // 16-bit pictures: where red, green and blue lie.
    unsigned redMask = 0;
    unsigned greenMask = 0;
    unsigned blueMask = 0;
};

// True when ConvertFreeImageRow reads this layout.
bool FreeImageRowReadable(const TFreeImageRowFormat& format);

// Converts width pixels of one row to blue, green, red and 0xFF:
// palettes and bit fields looked up, 16-bit channels cut to their high byte,
// floating point (0 to 1) clamped and scaled, CMYK turned into RGB. The
// alpha channel is dropped.
void ConvertFreeImageRow(
    const TFreeImageRowFormat& format, const unsigned char* from, quint32* to, unsigned width);
