// SPDX-License-Identifier: GPL-2.0-or-later
#include "imaging/FreeImageDecode.h"

#include "imaging/FreeImageBinding.h"
#include "imaging/PictureLimits.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// FREE_IMAGE_TYPE
enum : int {
    TypeBitmap = 1,
    TypeUInt16 = 2,
    TypeInt16 = 3,
    TypeUInt32 = 4,
    TypeInt32 = 5,
    TypeFloat = 6,
    TypeDouble = 7,
    TypeComplex = 8,
    TypeRgb16 = 9,
    TypeRgba16 = 10,
    TypeRgbF = 11,
    TypeRgbaF = 12,
};

// FreeImage_Load flags: the header alone; a JPEG turned by its Exif tag.
constexpr int LoadNoPixels = 0x8000;
constexpr int JpegExifRotate = 0x0008;
constexpr int FormatJpeg = 2;

// FREE_IMAGE_COLOR_TYPE
constexpr int ColorTypeRgb = 2;
constexpr int ColorTypeCmyk = 5;

constexpr quint32 Opaque = 0xFF000000u;

quint32 Bgrx(unsigned red, unsigned green, unsigned blue)
{
    return Opaque | (red & 0xFF) << 16 | (green & 0xFF) << 8 | (blue & 0xFF);
}

// No ink is white: each channel is what neither its ink nor black takes away.
quint32 FromCmyk(unsigned c, unsigned m, unsigned y, unsigned k, unsigned max)
{
    const auto channel = [k, max](unsigned ink) {
        return unsigned((quint64(max - std::min(ink, max)) * (max - std::min(k, max)) / max) * 255 / max);
    };
    return Bgrx(channel(c), channel(m), channel(y));
}

unsigned Load16(const unsigned char* p)
{
    quint16 v;
    std::memcpy(&v, p, 2);
    return v;
}

quint32 Load32(const unsigned char* p)
{
    quint32 v;
    std::memcpy(&v, p, 4);
    return v;
}

// Linear values of 0 to 1 (and anything outside, NaN too) to a byte.
unsigned FromFloat(const unsigned char* p)
{
    float v;
    std::memcpy(&v, p, 4);
    if (!(v > 0.0f))
        return 0;
    if (!(v < 1.0f))
        return 255;
    return unsigned(v * 255.0f + 0.5f);
}

// A channel of a 16-bit bit-field pixel, scaled to 0..255.
unsigned MaskedChannel(unsigned pixel, unsigned mask)
{
    if (!mask)
        return 0;
    int shift = 0;
    while (!((mask >> shift) & 1))
        ++shift;
    const unsigned max = mask >> shift;
    return ((pixel & mask) >> shift) * 255 / max;
}

// The types FreeImage can convert to an 8-bit grey picture itself, scaling
// their range linearly: measurements rather than photos.
bool NeedsStandardType(int type)
{
    return type == TypeInt16 || type == TypeUInt32 || type == TypeInt32 || type == TypeDouble
        || type == TypeComplex;
}

void FillGreyPalette(TFreeImageRowFormat& format)
{
    const unsigned levels = format.bpp >= 8 ? 256 : (1u << format.bpp);
    for (unsigned i = 0; i < levels; ++i) {
        const unsigned v = levels > 1 ? i * 255 / (levels - 1) : 0;
        format.palette[i] = Bgrx(v, v, v);
    }
}

} // namespace

bool FreeImageRowReadable(const TFreeImageRowFormat& f)
{
    switch (f.type) {
    case TypeBitmap:
        return f.bpp == 1 || f.bpp == 4 || f.bpp == 8 || f.bpp == 16 || f.bpp == 24 || f.bpp == 32;
    case TypeUInt16:
        return f.bpp == 16;
    case TypeFloat:
        return f.bpp == 32;
    case TypeRgb16:
        return f.bpp == 48;
    case TypeRgba16:
        return f.bpp == 64;
    case TypeRgbF:
        return f.bpp == 96;
    case TypeRgbaF:
        return f.bpp == 128;
    default:
        return false;
    }
}

void ConvertFreeImageRow(const TFreeImageRowFormat& f, const unsigned char* from, quint32* to, unsigned width)
{
    const bool cmyk = f.colorType == ColorTypeCmyk;
    switch (f.type) {
    case TypeBitmap:
        switch (f.bpp) {
        case 1:
            for (unsigned x = 0; x < width; ++x)
                to[x] = f.palette[(from[x >> 3] >> (7 - (x & 7))) & 1] | Opaque;
            return;
        case 4:
            for (unsigned x = 0; x < width; ++x)
                to[x] = f.palette[(x & 1) ? from[x >> 1] & 0x0F : from[x >> 1] >> 4] | Opaque;
            return;
        case 8:
            for (unsigned x = 0; x < width; ++x)
                to[x] = f.palette[from[x]] | Opaque;
            return;
        case 16: {
            // Without masks the library's default layout, 5 bits each.
            const bool masked = f.redMask || f.greenMask || f.blueMask;
            const unsigned r = masked ? f.redMask : 0x7C00, g = masked ? f.greenMask : 0x03E0,
                           b = masked ? f.blueMask : 0x001F;
            for (unsigned x = 0; x < width; ++x) {
                const unsigned v = Load16(from + 2 * x);
                to[x] = Bgrx(MaskedChannel(v, r), MaskedChannel(v, g), MaskedChannel(v, b));
            }
            return;
        }
        case 24:
            for (unsigned x = 0; x < width; ++x) {
                const unsigned char* p = from + 3 * x;
                to[x] = Bgrx(p[2], p[1], p[0]);
            }
            return;
        case 32:
            for (unsigned x = 0; x < width; ++x) {
                const unsigned char* p = from + 4 * x;
                to[x] = cmyk ? FromCmyk(p[0], p[1], p[2], p[3], 255) : (Load32(p) | Opaque);
            }
            return;
        }
        break;
    case TypeUInt16:
        for (unsigned x = 0; x < width; ++x) {
            const unsigned v = Load16(from + 2 * x) >> 8;
            to[x] = Bgrx(v, v, v);
        }
        return;
    case TypeFloat:
        for (unsigned x = 0; x < width; ++x) {
            const unsigned v = FromFloat(from + 4 * x);
            to[x] = Bgrx(v, v, v);
        }
        return;
    case TypeRgb16:
    case TypeRgba16: {
        // Red, green, blue (and alpha or black) words, in this order.
        const unsigned step = f.type == TypeRgb16 ? 6 : 8;
        for (unsigned x = 0; x < width; ++x) {
            const unsigned char* p = from + step * x;
            if (cmyk && f.type == TypeRgba16)
                to[x] = FromCmyk(Load16(p), Load16(p + 2), Load16(p + 4), Load16(p + 6), 65535);
            else
                to[x] = Bgrx(Load16(p) >> 8, Load16(p + 2) >> 8, Load16(p + 4) >> 8);
        }
        return;
    }
    case TypeRgbF:
    case TypeRgbaF: {
        const unsigned step = f.type == TypeRgbF ? 12 : 16;
        for (unsigned x = 0; x < width; ++x) {
            const unsigned char* p = from + step * x;
            to[x] = Bgrx(FromFloat(p), FromFloat(p + 4), FromFloat(p + 8));
        }
        return;
    }
    }
    std::fill(to, to + width, Opaque);
}

TFreeImageOutcome DecodeWithFreeImage(
    int formatCode, const char* fileName, qint64 maxPixels, TFreeImageRowSink& sink)
{
    using Outcome = TFreeImageOutcome;
    const FreeImage::TProcs& fi = FreeImageProcs;
    if (!fi.FreeImage_Load || !fi.FreeImage_Unload || !fi.FreeImage_GetBits || !fi.FreeImage_GetBPP
        || !fi.FreeImage_GetWidth || !fi.FreeImage_GetHeight || !fi.FreeImage_GetPitch)
        return Outcome::Failed;
    const int flags = formatCode == FormatJpeg ? JpegExifRotate : 0;
    const auto overBudget = [maxPixels](unsigned width, unsigned height) {
        return width > unsigned(PictureLimits::MaxSide) || height > unsigned(PictureLimits::MaxSide)
            || qint64(width) * height > maxPixels;
    };
    struct Holder {
        FIBITMAP* dib = nullptr;
        ~Holder()
        {
            if (dib)
                FreeImageProcs.FreeImage_Unload(dib);
        }
    } holder;

    const bool headerFirst = fi.FreeImage_FIFSupportsNoPixels && fi.FreeImage_HasPixels
        && fi.FreeImage_FIFSupportsNoPixels(formatCode);
    if (headerFirst) {
        holder.dib = fi.FreeImage_Load(formatCode, fileName, flags | LoadNoPixels);
        if (!holder.dib)
            return Outcome::Failed;
        const unsigned width = fi.FreeImage_GetWidth(holder.dib);
        const unsigned height = fi.FreeImage_GetHeight(holder.dib);
        if (width == 0 || height == 0)
            return Outcome::Failed;
        if (overBudget(width, height))
            return Outcome::Refused;
        if (!sink.Header(int(width), int(height)))
            return Outcome::Failed;
        // A plugin may ignore the request and decode the whole picture.
        if (!fi.FreeImage_HasPixels(holder.dib)) {
            fi.FreeImage_Unload(holder.dib);
            holder.dib = nullptr;
        }
    } else if (!sink.Header(0, 0)) {
        return Outcome::Failed;
    }
    if (!holder.dib)
        holder.dib = fi.FreeImage_Load(formatCode, fileName, flags);
    FIBITMAP* dib = holder.dib;
    if (!dib)
        return Outcome::Failed;

    const unsigned width = fi.FreeImage_GetWidth(dib);
    const unsigned height = fi.FreeImage_GetHeight(dib);
    if (width == 0 || height == 0)
        return Outcome::Failed;
    if (overBudget(width, height))
        return Outcome::Refused;

    TFreeImageRowFormat format;
    format.type = fi.FreeImage_GetImageType ? fi.FreeImage_GetImageType(dib) : TypeBitmap;
    if (NeedsStandardType(format.type)) {
        FIBITMAP* standard
            = fi.FreeImage_ConvertToStandardType ? fi.FreeImage_ConvertToStandardType(dib, 1) : nullptr;
        if (!standard)
            return Outcome::Failed;
        fi.FreeImage_Unload(dib);
        holder.dib = dib = standard;
        format.type = fi.FreeImage_GetImageType ? fi.FreeImage_GetImageType(dib) : TypeBitmap;
    }
    format.bpp = fi.FreeImage_GetBPP(dib);
    format.colorType = fi.FreeImage_GetColorType ? fi.FreeImage_GetColorType(dib) : ColorTypeRgb;
    if (format.type == TypeBitmap && format.bpp <= 8) {
        FillGreyPalette(format);
        const FreeImage::FreeImageRgbQuad* palette
            = fi.FreeImage_GetPalette ? fi.FreeImage_GetPalette(dib) : nullptr;
        const unsigned used = fi.FreeImage_GetColorsUsed ? fi.FreeImage_GetColorsUsed(dib) : 0;
        const unsigned levels = format.bpp >= 8 ? 256u : (1u << format.bpp);
        if (palette) {
            for (unsigned i = 0; i < std::min(used, levels); ++i)
                format.palette[i] = Bgrx(palette[i].red, palette[i].green, palette[i].blue);
        }
    }
    if (format.type == TypeBitmap && format.bpp == 16 && fi.FreeImage_GetRedMask && fi.FreeImage_GetGreenMask
        && fi.FreeImage_GetBlueMask) {
        format.redMask = fi.FreeImage_GetRedMask(dib) & 0xFFFF;
        format.greenMask = fi.FreeImage_GetGreenMask(dib) & 0xFFFF;
        format.blueMask = fi.FreeImage_GetBlueMask(dib) & 0xFFFF;
    }
    if (!FreeImageRowReadable(format))
        return Outcome::Failed;

    const unsigned char* bits = fi.FreeImage_GetBits(dib);
    const qsizetype pitch = qsizetype(fi.FreeImage_GetPitch(dib));
    const qsizetype rowBytes = (qsizetype(width) * format.bpp + 7) / 8;
    if (!bits || pitch < rowBytes || !sink.Start(int(width), int(height)))
        return Outcome::Failed;
    // FreeImage keeps the bottom row first.
    std::vector<quint32> row(width);
    for (unsigned y = 0; y < height; ++y) {
        ConvertFreeImageRow(format, bits + qsizetype(height - 1 - y) * pitch, row.data(), width);
        if (!sink.Row(row.data()))
            return Outcome::Failed;
    }
    return Outcome::Decoded;
}
