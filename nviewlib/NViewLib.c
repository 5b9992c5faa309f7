#include "NViewLib.h"

#include "NViewCommon.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

/* Files larger than this are not pictures NViewLib is meant for. */
#define NV_MAX_FILE_SIZE ((long)1 << 30)

NViewBitmap* nv_bitmap_new(int64_t width, int64_t height, size_t compressedBytes)
{
    if (width <= 0 || height <= 0 || width > NV_MAX_SIDE || height > NV_MAX_SIDE)
        return NULL;
    const int64_t pixels = width * height;
    if (pixels > NV_MAX_PIXELS)
        return NULL;
    /* No compression scheme we read packs more than a few thousand pixels
     * into a byte of real data. */
    if (compressedBytes > 0 && pixels > (int64_t)compressedBytes * 4096 + ((int64_t)1 << 20))
        return NULL;
    NViewBitmap* bitmap = (NViewBitmap*)calloc(1, sizeof(NViewBitmap));
    if (!bitmap)
        return NULL;
    bitmap->width = (int)width;
    bitmap->height = (int)height;
    bitmap->stride = (int)(width * 4);
    bitmap->pixels = (unsigned char*)malloc((size_t)pixels * 4);
    if (!bitmap->pixels) {
        free(bitmap);
        return NULL;
    }
    nv_fill(bitmap, 0, 0, 0);
    return bitmap;
}

void nv_fill(NViewBitmap* bitmap, unsigned r, unsigned g, unsigned b)
{
    const uint32_t pixel = 0xFF000000u | (r & 0xFF) << 16 | (g & 0xFF) << 8 | (b & 0xFF);
    const size_t count = (size_t)bitmap->width * (size_t)bitmap->height;
    unsigned char* p = bitmap->pixels;
    for (size_t i = 0; i < count; ++i, p += 4) {
        p[0] = (unsigned char)pixel;
        p[1] = (unsigned char)(pixel >> 8);
        p[2] = (unsigned char)(pixel >> 16);
        p[3] = 0xFF;
    }
}

NViewBitmap* NViewLibLoadMemory(const unsigned char* data, unsigned long size, int flags)
{
    (void)flags;
    if (!data || size < 4)
        return NULL;
    if (data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF)
        return nv_decode_jpeg(data, size);
    if (size >= 6 && memcmp(data, "GIF8", 4) == 0)
        return nv_decode_gif(data, size);
    if (nv_is_bmp(data, size))
        return nv_decode_bmp(data, size);
    if (nv_is_pcx(data, size))
        return nv_decode_pcx(data, size);
    /* Targa files carry no signature: it is the last guess. */
    return nv_decode_tga(data, size);
}

NViewBitmap* NViewLibLoad(const char* file, int flags)
{
    if (!file)
        return NULL;
    FILE* f = fopen(file, "rb");
    if (!f)
        return NULL;
    NViewBitmap* result = NULL;
    unsigned char* data = NULL;
    if (fseek(f, 0, SEEK_END) == 0) {
        const long size = ftell(f);
        if (size > 0 && size <= NV_MAX_FILE_SIZE && fseek(f, 0, SEEK_SET) == 0) {
            data = (unsigned char*)malloc((size_t)size);
            if (data && fread(data, 1, (size_t)size, f) == (size_t)size)
                result = NViewLibLoadMemory(data, (unsigned long)size, flags);
        }
    }
    free(data);
    fclose(f);
    return result;
}

void NViewLibFree(NViewBitmap* bitmap)
{
    if (bitmap) {
        free(bitmap->pixels);
        free(bitmap);
    }
}
