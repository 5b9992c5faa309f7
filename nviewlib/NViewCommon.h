/* SPDX-License-Identifier: GPL-2.0-or-later */
/* What the decoders of libNViewLib share: bounded reads and the picture they
 * fill. Every decoder takes the whole file in memory and must never read
 * outside it or allocate more than its bytes can describe. */
#ifndef TAVRI_NVIEWCOMMON_H
#define TAVRI_NVIEWCOMMON_H

#include "NViewLib.h"

#include <stddef.h>
#include <stdint.h>

/* Largest side and largest picture any decoder accepts: the program's own
 * budget (2^27 pixels, 512 MiB of pixels), above the largest camera photos. */
#define NV_MAX_SIDE (1 << 20)
#define NV_MAX_PIXELS ((int64_t)1 << 27)

/* No compression scheme we read packs more than a few thousand pixels into a
 * byte of real data; JPEG packs at most 512. The allowance keeps modest
 * pictures of tiny files decodable. */
#define NV_MAX_PIXELS_PER_BYTE 4096
#define NV_JPEG_MAX_PIXELS_PER_BYTE 512
#define NV_PIXEL_ALLOWANCE ((int64_t)1 << 20)

static inline uint32_t nv_u16(const unsigned char* p)
{
    return (uint32_t)p[0] | ((uint32_t)p[1] << 8);
}

static inline uint32_t nv_u32(const unsigned char* p)
{
    return (uint32_t)p[0] | ((uint32_t)p[1] << 8) | ((uint32_t)p[2] << 16) | ((uint32_t)p[3] << 24);
}

/* True when width x height is within the budget and a picture that so many
 * bytes of data can describe at pixelsPerByte. */
int nv_plausible_size(int64_t width, int64_t height, size_t dataBytes, int64_t pixelsPerByte);

/* A black picture of width x height, or null when the size is out of range or
 * more than dataBytes bytes of pixel data can describe (nv_plausible_size at
 * NV_MAX_PIXELS_PER_BYTE), so a forged header cannot make a few bytes
 * allocate gigabytes. Pass the bytes that hold the pixels, even when there
 * are none. */
NViewBitmap* nv_bitmap_new(int64_t width, int64_t height, size_t dataBytes);

static inline void nv_put(NViewBitmap* bitmap, int64_t x, int64_t y, unsigned r, unsigned g, unsigned b)
{
    if (x < 0 || y < 0 || x >= bitmap->width || y >= bitmap->height)
        return;
    unsigned char* p = bitmap->pixels + (size_t)y * (size_t)bitmap->stride + (size_t)x * 4;
    p[0] = (unsigned char)b;
    p[1] = (unsigned char)g;
    p[2] = (unsigned char)r;
    p[3] = 0xFF;
}

/* Fills the whole picture with one colour. */
void nv_fill(NViewBitmap* bitmap, unsigned r, unsigned g, unsigned b);

/* The decoders; each returns null for data it does not accept. */
NViewBitmap* nv_decode_bmp(const unsigned char* data, size_t size);
NViewBitmap* nv_decode_tga(const unsigned char* data, size_t size);
NViewBitmap* nv_decode_pcx(const unsigned char* data, size_t size);
NViewBitmap* nv_decode_gif(const unsigned char* data, size_t size);
NViewBitmap* nv_decode_jpeg(const unsigned char* data, size_t size);

/* Signatures, for choosing the decoder by content. */
int nv_is_bmp(const unsigned char* data, size_t size);
int nv_is_pcx(const unsigned char* data, size_t size);

#endif
