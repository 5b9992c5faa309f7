/* SPDX-License-Identifier: GPL-2.0-or-later */
/* Truevision Targa (.tga): colour-mapped, true-colour and grey pictures,
 * plain or run-length encoded, in any of the four pixel orders. */
#include "NViewCommon.h"

#include <stdlib.h>

typedef struct {
    unsigned char* rgb; /* three bytes per entry */
    unsigned first;
    unsigned count;
} ColourMap;

/* One pixel of depth bits at p to red, green and blue. */
static void pixel_colour(
    const unsigned char* p, unsigned bits, int grey, const ColourMap* map, int mapped, unsigned rgb[3])
{
    if (mapped) {
        const unsigned index = bits == 8 ? p[0] : nv_u16(p);
        if (index >= map->first && index - map->first < map->count) {
            const unsigned char* e = map->rgb + (size_t)(index - map->first) * 3;
            rgb[0] = e[0];
            rgb[1] = e[1];
            rgb[2] = e[2];
        } else {
            rgb[0] = rgb[1] = rgb[2] = 0;
        }
        return;
    }
    if (grey) {
        rgb[0] = rgb[1] = rgb[2] = p[0];
        return;
    }
    switch (bits) {
    case 15:
    case 16: {
        const unsigned v = nv_u16(p);
        const unsigned r = (v >> 10) & 31, g = (v >> 5) & 31, b = v & 31;
        rgb[0] = (r << 3) | (r >> 2);
        rgb[1] = (g << 3) | (g >> 2);
        rgb[2] = (b << 3) | (b >> 2);
        break;
    }
    default: /* 24 and 32: blue, green, red (and alpha, ignored) */
        rgb[0] = p[2];
        rgb[1] = p[1];
        rgb[2] = p[0];
        break;
    }
}

NViewBitmap* nv_decode_tga(const unsigned char* data, size_t size)
{
    if (size < 18)
        return NULL;
    const unsigned idLength = data[0], mapType = data[1], type = data[2];
    const unsigned mapFirst = nv_u16(data + 3), mapLength = nv_u16(data + 5), mapBits = data[7];
    const int64_t width = nv_u16(data + 12), height = nv_u16(data + 14);
    const unsigned bits = data[16], descriptor = data[17];
    if (mapType > 1 || width == 0 || height == 0)
        return NULL;
    const unsigned base = type & 7;
    const int rle = (type & 8) != 0;
    if ((type & ~8u) < 1 || (type & ~8u) > 3)
        return NULL;
    const int mapped = base == 1, grey = base == 3;
    if (mapped && (mapType != 1 || (bits != 8 && bits != 16)))
        return NULL;
    if (base == 2 && bits != 15 && bits != 16 && bits != 24 && bits != 32)
        return NULL;
    if (grey && bits != 8 && bits != 16)
        return NULL;
    if (mapType == 1 && mapBits != 15 && mapBits != 16 && mapBits != 24 && mapBits != 32)
        return NULL;
    if (descriptor & 0xC0) /* interleaved rows: never written in practice */
        return NULL;

    size_t pos = 18 + (size_t)idLength;
    ColourMap map = { NULL, mapFirst, 0 };
    if (mapType == 1) {
        const size_t entryBytes = (mapBits + 7) / 8;
        const size_t mapBytes = (size_t)mapLength * entryBytes;
        if (pos > size || size - pos < mapBytes)
            return NULL;
        if (mapped) {
            map.rgb = (unsigned char*)malloc((size_t)mapLength * 3 + 3);
            if (!map.rgb)
                return NULL;
            map.count = mapLength;
            for (unsigned i = 0; i < mapLength; ++i) {
                unsigned rgb[3];
                pixel_colour(data + pos + i * entryBytes, mapBits == 15 ? 16 : mapBits, 0, NULL, 0, rgb);
                map.rgb[i * 3] = (unsigned char)rgb[0];
                map.rgb[i * 3 + 1] = (unsigned char)rgb[1];
                map.rgb[i * 3 + 2] = (unsigned char)rgb[2];
            }
        }
        pos += mapBytes;
    }
    if (pos >= size) {
        free(map.rgb);
        return NULL;
    }

    const size_t pixelBytes = (bits + 7) / 8;
    const int64_t total = width * height;
    const size_t available = size - pos;
    if (!rle && (uint64_t)available < (uint64_t)total * pixelBytes) {
        free(map.rgb);
        return NULL;
    }
    NViewBitmap* bitmap = nv_bitmap_new(width, height, available);
    if (!bitmap) {
        free(map.rgb);
        return NULL;
    }

    const int topDown = (descriptor & 0x20) != 0, rightToLeft = (descriptor & 0x10) != 0;
    const unsigned char* p = data + pos;
    const unsigned char* end = data + size;
    int64_t i = 0;
    while (i < total) {
        int64_t run = 1;
        int repeat = 0;
        if (rle) {
            if (p >= end)
                break;
            repeat = (*p & 0x80) != 0;
            run = (*p & 0x7F) + 1;
            ++p;
        }
        unsigned rgb[3] = { 0, 0, 0 };
        for (int64_t k = 0; k < run && i < total; ++k, ++i) {
            if (!repeat || k == 0) {
                if ((size_t)(end - p) < pixelBytes)
                    goto done;
                pixel_colour(p, bits, grey, &map, mapped, rgb);
                p += pixelBytes;
            }
            const int64_t row = i / width, col = i % width;
            nv_put(bitmap, rightToLeft ? width - 1 - col : col, topDown ? row : height - 1 - row, rgb[0],
                rgb[1], rgb[2]);
        }
    }
done:
    free(map.rgb);
    return bitmap;
}
