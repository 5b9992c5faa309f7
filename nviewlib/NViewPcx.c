/* SPDX-License-Identifier: GPL-2.0-or-later */
/* ZSoft Paintbrush (.pcx): monochrome, 4 and 16 colours in bit planes or
 * packed, 256 colours with the palette at the end, and 24-bit in three planes. */
#include "NViewCommon.h"

#include <stdlib.h>
#include <string.h>

int nv_is_pcx(const unsigned char* data, size_t size)
{
    if (size < 128 || data[0] != 0x0A || data[2] > 1)
        return 0;
    const unsigned version = data[1], bits = data[3];
    return (version == 0 || version == 2 || version == 3 || version == 4 || version == 5)
        && (bits == 1 || bits == 2 || bits == 4 || bits == 8);
}

NViewBitmap* nv_decode_pcx(const unsigned char* data, size_t size)
{
    if (!nv_is_pcx(data, size))
        return NULL;
    const int encoded = data[2] == 1;
    const unsigned bits = data[3], planes = data[65];
    const uint32_t xMin = nv_u16(data + 4), yMin = nv_u16(data + 6), xMax = nv_u16(data + 8),
                   yMax = nv_u16(data + 10);
    const size_t bytesPerLine = nv_u16(data + 66);
    if (xMax < xMin || yMax < yMin)
        return NULL;
    const int64_t width = (int64_t)xMax - xMin + 1, height = (int64_t)yMax - yMin + 1;
    const int valid = (bits == 1 && planes >= 1 && planes <= 4) || ((bits == 2 || bits == 4) && planes == 1)
        || (bits == 8 && (planes == 1 || planes == 3 || planes == 4));
    if (!valid || bytesPerLine == 0 || (int64_t)bytesPerLine * 8 < width * bits)
        return NULL;

    /* Colours: 256-colour files keep theirs after the pixels, behind a 12. */
    unsigned char palette[256][3];
    memset(palette, 0, sizeof palette);
    size_t dataEnd = size;
    if (bits == 8 && planes == 1) {
        if (size >= 128 + 769 && data[size - 769] == 0x0C) {
            memcpy(palette, data + size - 768, 768);
            dataEnd = size - 769;
        } else {
            for (unsigned i = 0; i < 256; ++i)
                palette[i][0] = palette[i][1] = palette[i][2] = (unsigned char)i;
        }
    } else if (bits == 1 && planes == 1) {
        palette[1][0] = palette[1][1] = palette[1][2] = 0xFF;
    } else {
        memcpy(palette, data + 16, 48);
    }

    NViewBitmap* bitmap = nv_bitmap_new(width, height, dataEnd - 128);
    if (!bitmap)
        return NULL;
    const size_t lineBytes = bytesPerLine * planes;
    unsigned char* line = (unsigned char*)malloc(lineBytes);
    if (!line) {
        NViewLibFree(bitmap);
        return NULL;
    }

    const unsigned char* p = data + 128;
    const unsigned char* end = data + dataEnd;
    /* Some writers let a run continue into the next line. */
    unsigned carryCount = 0, carryValue = 0;
    for (int64_t y = 0; y < height; ++y) {
        size_t filled = 0;
        while (filled < lineBytes) {
            if (carryCount == 0) {
                if (p >= end)
                    break;
                const unsigned b = *p++;
                if (encoded && (b & 0xC0) == 0xC0) {
                    if (p >= end)
                        break;
                    carryCount = b & 0x3F;
                    carryValue = *p++;
                    continue;
                }
                line[filled++] = (unsigned char)b;
                continue;
            }
            const size_t n = carryCount < lineBytes - filled ? carryCount : lineBytes - filled;
            memset(line + filled, (int)carryValue, n);
            filled += n;
            carryCount -= (unsigned)n;
        }
        if (filled < lineBytes)
            break; /* the data ran out: the rest stays black */
        for (int64_t x = 0; x < width; ++x) {
            if (bits == 8 && planes >= 3) {
                nv_put(bitmap, x, y, line[x], line[bytesPerLine + x], line[2 * bytesPerLine + x]);
                continue;
            }
            unsigned index = 0;
            if (bits == 1) {
                for (unsigned plane = 0; plane < planes; ++plane) {
                    const unsigned bit = (line[plane * bytesPerLine + x / 8] >> (7 - x % 8)) & 1;
                    index |= bit << plane;
                }
            } else {
                const int64_t bit = x * bits;
                index = (line[bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
            }
            nv_put(bitmap, x, y, palette[index][0], palette[index][1], palette[index][2]);
        }
    }
    free(line);
    return bitmap;
}
