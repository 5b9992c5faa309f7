/* SPDX-License-Identifier: GPL-2.0-or-later */
/* Windows and OS/2 bitmaps (.bmp, .dib, .rle): 1, 2, 4, 8, 16, 24 and 32 bits
 * per pixel, uncompressed, RLE8, RLE4 and bit fields; with or without the
 * 14-byte file header. */
#include "NViewCommon.h"

#include <string.h>

enum { BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3, BI_ALPHABITFIELDS = 6 };

typedef struct {
    uint32_t mask;
    int shift;
    int bits;
} Channel;

static int header_size_known(uint32_t size)
{
    return size == 12 || size == 16 || size == 40 || size == 52 || size == 56 || size == 64 || size == 108
        || size == 124;
}

int nv_is_bmp(const unsigned char* data, size_t size)
{
    if (size >= 18 && data[0] == 'B' && data[1] == 'M')
        return header_size_known(nv_u32(data + 14));
    /* A DIB without file header starts with its info header's size. */
    return size >= 16 && header_size_known(nv_u32(data)) && nv_u32(data) >= 40;
}

static Channel channel_of(uint32_t mask)
{
    Channel c = { mask, 0, 0 };
    if (!mask)
        return c;
    while (!(mask & 1)) {
        mask >>= 1;
        ++c.shift;
    }
    while (mask & 1) {
        mask >>= 1;
        ++c.bits;
    }
    return c;
}

/* A channel's value scaled to 0..255. */
static unsigned channel_value(const Channel* c, uint32_t pixel)
{
    if (!c->bits)
        return 0;
    uint32_t v = (pixel & c->mask) >> c->shift;
    if (c->bits >= 8)
        return (v >> (c->bits - 8)) & 0xFF;
    /* Repeat the bits to fill a byte, so full scale stays full scale. */
    unsigned result = 0;
    int filled = 0;
    while (filled < 8) {
        result = (result << c->bits) | v;
        filled += c->bits;
    }
    return (result >> (filled - 8)) & 0xFF;
}

typedef struct {
    unsigned char rgb[256][3];
    int count;
} Palette;

static void put_index(NViewBitmap* bitmap, const Palette* pal, int64_t x, int64_t y, unsigned index)
{
    if (index < (unsigned)pal->count)
        nv_put(bitmap, x, y, pal->rgb[index][0], pal->rgb[index][1], pal->rgb[index][2]);
    else
        nv_put(bitmap, x, y, 0, 0, 0);
}

/* RLE8 and RLE4: bottom-up rows of runs and escapes. Decodes until the end of
 * the bitmap, the end of the data or the last row, whichever comes first. */
static void decode_rle(
    NViewBitmap* bitmap, const Palette* pal, const unsigned char* p, const unsigned char* end, int four)
{
    const int64_t width = bitmap->width, height = bitmap->height;
    int64_t x = 0, y = 0;
    while (end - p >= 2 && y < height) {
        const unsigned count = p[0], value = p[1];
        p += 2;
        if (count > 0) {
            for (unsigned i = 0; i < count && x < width; ++i, ++x) {
                const unsigned index = four ? ((i & 1) ? value & 0x0F : value >> 4) : value;
                put_index(bitmap, pal, x, height - 1 - y, index);
            }
            continue;
        }
        switch (value) {
        case 0:
            x = 0;
            ++y;
            break;
        case 1:
            return;
        case 2:
            if (end - p < 2)
                return;
            x += p[0];
            y += p[1];
            p += 2;
            break;
        default: {
            const size_t bytes = four ? (value + 1) / 2 : value;
            const size_t padded = (bytes + 1) & ~(size_t)1;
            if ((size_t)(end - p) < bytes)
                return;
            for (unsigned i = 0; i < value; ++i, ++x) {
                const unsigned index = four ? ((i & 1) ? p[i / 2] & 0x0F : p[i / 2] >> 4) : p[i];
                if (x < width)
                    put_index(bitmap, pal, x, height - 1 - y, index);
            }
            if ((size_t)(end - p) < padded)
                return;
            p += padded;
            break;
        }
        }
    }
}

NViewBitmap* nv_decode_bmp(const unsigned char* data, size_t size)
{
    size_t info = 0, dataOffset = 0;
    if (size >= 14 && data[0] == 'B' && data[1] == 'M') {
        info = 14;
        dataOffset = nv_u32(data + 10);
    }
    if (size < info + 16)
        return NULL;
    const uint32_t headerSize = nv_u32(data + info);
    if (!header_size_known(headerSize) || size < info + headerSize)
        return NULL;

    int64_t width, height;
    unsigned bpp, compression = BI_RGB;
    uint32_t colorsUsed = 0;
    size_t entrySize = 4;
    if (headerSize == 12) {
        width = nv_u16(data + info + 4);
        height = nv_u16(data + info + 6);
        bpp = nv_u16(data + info + 10);
        entrySize = 3;
    } else {
        unsigned char h[40];
        memset(h, 0, sizeof h);
        memcpy(h, data + info, headerSize < 40 ? headerSize : 40);
        width = (int32_t)nv_u32(h + 4);
        height = (int32_t)nv_u32(h + 8);
        bpp = nv_u16(h + 14);
        compression = nv_u32(h + 16);
        colorsUsed = nv_u32(h + 32);
        /* OS/2 2.x numbers its Huffman and RLE24 schemes 3 and 4. */
        if (headerSize == 64 && compression >= 3)
            return NULL;
    }
    const int topDown = height < 0;
    if (topDown)
        height = -height;
    if (width <= 0 || height <= 0 || width > NV_MAX_SIDE || height > NV_MAX_SIDE)
        return NULL;

    size_t palettePos = info + headerSize;
    uint32_t masks[3] = { 0, 0, 0 };
    if (compression == BI_BITFIELDS || compression == BI_ALPHABITFIELDS) {
        if (bpp != 16 && bpp != 32)
            return NULL;
        const size_t maskPos = headerSize >= 52 ? info + 40 : palettePos;
        if (size < maskPos + 12)
            return NULL;
        for (int i = 0; i < 3; ++i)
            masks[i] = nv_u32(data + maskPos + 4 * (size_t)i);
        if (headerSize == 40)
            palettePos += compression == BI_ALPHABITFIELDS ? 16 : 12;
    } else if (compression == BI_RGB) {
        if (bpp == 16) {
            masks[0] = 0x7C00;
            masks[1] = 0x03E0;
            masks[2] = 0x001F;
        } else if (bpp == 32) {
            masks[0] = 0xFF0000;
            masks[1] = 0xFF00;
            masks[2] = 0xFF;
        } else if (bpp != 1 && bpp != 2 && bpp != 4 && bpp != 8 && bpp != 24) {
            return NULL;
        }
    } else if (compression == BI_RLE8) {
        if (bpp != 8 || topDown)
            return NULL;
    } else if (compression == BI_RLE4) {
        if (bpp != 4 || topDown)
            return NULL;
    } else {
        return NULL;
    }

    Palette pal;
    memset(&pal, 0, sizeof pal);
    if (bpp <= 8) {
        size_t count = (size_t)1 << bpp;
        if (colorsUsed > 0 && colorsUsed < count)
            count = colorsUsed;
        size_t limit = size;
        if (dataOffset > palettePos && dataOffset < limit)
            limit = dataOffset;
        if (palettePos > limit)
            return NULL;
        const size_t available = (limit - palettePos) / entrySize;
        if (count > available)
            count = available;
        for (size_t i = 0; i < count; ++i) {
            const unsigned char* e = data + palettePos + i * entrySize;
            pal.rgb[i][0] = e[2];
            pal.rgb[i][1] = e[1];
            pal.rgb[i][2] = e[0];
        }
        pal.count = (int)count;
        /* Files whose data offset is missing or wrong: the pixels follow the palette. */
        if (dataOffset < palettePos + count * entrySize || dataOffset >= size)
            dataOffset = palettePos + count * entrySize;
    } else if (dataOffset < palettePos || dataOffset >= size) {
        /* An optional colour table may sit between header and pixels. */
        dataOffset = palettePos + (colorsUsed <= 256 ? colorsUsed * entrySize : 0);
    }
    if (dataOffset >= size)
        return NULL;
    const unsigned char* pixels = data + dataOffset;
    const unsigned char* end = data + size;

    if (compression == BI_RLE8 || compression == BI_RLE4) {
        NViewBitmap* bitmap = nv_bitmap_new(width, height, (size_t)(end - pixels));
        if (bitmap)
            decode_rle(bitmap, &pal, pixels, end, compression == BI_RLE4);
        return bitmap;
    }

    /* Uncompressed rows are four-byte aligned; the last row may lack its padding. */
    const int64_t rowBytes = (width * bpp + 7) / 8;
    const int64_t stride = ((width * bpp + 31) / 32) * 4;
    if ((int64_t)(end - pixels) < (height - 1) * stride + rowBytes)
        return NULL;
    NViewBitmap* bitmap = nv_bitmap_new(width, height, (size_t)(end - pixels));
    if (!bitmap)
        return NULL;
    const Channel ch[3] = { channel_of(masks[0]), channel_of(masks[1]), channel_of(masks[2]) };
    for (int64_t row = 0; row < height; ++row) {
        const unsigned char* src = pixels + row * stride;
        const int64_t y = topDown ? row : height - 1 - row;
        for (int64_t x = 0; x < width; ++x) {
            switch (bpp) {
            case 1:
            case 2:
            case 4:
            case 8: {
                const int64_t bit = x * bpp;
                const unsigned byte = src[bit / 8];
                const unsigned index = (byte >> (8 - bpp - (unsigned)(bit % 8))) & ((1u << bpp) - 1);
                put_index(bitmap, &pal, x, y, index);
                break;
            }
            case 16: {
                const uint32_t v = nv_u16(src + x * 2);
                nv_put(bitmap, x, y, channel_value(&ch[0], v), channel_value(&ch[1], v),
                    channel_value(&ch[2], v));
                break;
            }
            case 24:
                nv_put(bitmap, x, y, src[x * 3 + 2], src[x * 3 + 1], src[x * 3]);
                break;
            case 32: {
                const uint32_t v = nv_u32(src + x * 4);
                nv_put(bitmap, x, y, channel_value(&ch[0], v), channel_value(&ch[1], v),
                    channel_value(&ch[2], v));
                break;
            }
            }
        }
    }
    return bitmap;
}
