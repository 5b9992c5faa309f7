/* What the decoders of libNViewLib share: bounded reads and the picture they
 * fill. Every decoder takes the whole file in memory and must never read
 * outside it or allocate more than its bytes can describe. */
#ifndef TAVRI_NVIEWCOMMON_H
#define TAVRI_NVIEWCOMMON_H

#include "NViewLib.h"

#include <stddef.h>
#include <stdint.h>

/* Largest side and largest picture any decoder accepts. */
#define NV_MAX_SIDE (1 << 20)
#define NV_MAX_PIXELS ((int64_t)1 << 28)

static inline uint32_t nv_u16(const unsigned char* p)
{
    return (uint32_t)p[0] | ((uint32_t)p[1] << 8);
}

static inline uint32_t nv_u32(const unsigned char* p)
{
    return (uint32_t)p[0] | ((uint32_t)p[1] << 8) | ((uint32_t)p[2] << 16) | ((uint32_t)p[3] << 24);
}

/* A black picture of width x height, or null when the size is out of range.
 * With compressedBytes > 0 the picture must also be one that so many
 * compressed bytes can plausibly describe, so a forged header cannot make
 * a few bytes allocate gigabytes. */
NViewBitmap* nv_bitmap_new(int64_t width, int64_t height, size_t compressedBytes);

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
