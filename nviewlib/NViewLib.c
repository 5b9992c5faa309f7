/* SPDX-License-Identifier: GPL-2.0-or-later */
#include "NViewLib.h"

#include "NViewCommon.h"

#include <errno.h>
#include <fcntl.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

/* Files larger than this are not pictures NViewLib is meant for: the file is
 * read whole, and with its picture it must fit the program's memory. */
#define NV_MAX_FILE_SIZE ((long)1 << 29)

int nv_plausible_size(int64_t width, int64_t height, size_t dataBytes, int64_t pixelsPerByte)
{
    if (width <= 0 || height <= 0 || width > NV_MAX_SIDE || height > NV_MAX_SIDE)
        return 0;
    const int64_t pixels = width * height;
    if (pixels > NV_MAX_PIXELS)
        return 0;
    const int64_t bytes = dataBytes > (size_t)NV_MAX_PIXELS ? NV_MAX_PIXELS : (int64_t)dataBytes;
    return pixels <= bytes * pixelsPerByte + NV_PIXEL_ALLOWANCE;
}

NViewBitmap* nv_bitmap_new(int64_t width, int64_t height, size_t dataBytes)
{
    if (!nv_plausible_size(width, height, dataBytes, NV_MAX_PIXELS_PER_BYTE))
        return NULL;
    const int64_t pixels = width * height;
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
    /* Only a regular file, checked on the opened file: opening and reading a
     * FIFO would block the caller for good. */
    const int fd = open(file, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return NULL;
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size <= 0 || st.st_size > NV_MAX_FILE_SIZE) {
        close(fd);
        return NULL;
    }
    const int fileFlags = fcntl(fd, F_GETFL);
    if (fileFlags >= 0)
        fcntl(fd, F_SETFL, fileFlags & ~O_NONBLOCK);
    const size_t size = (size_t)st.st_size;
    unsigned char* data = (unsigned char*)malloc(size);
    size_t done = 0;
    while (data && done < size) {
        const ssize_t n = read(fd, data + done, size - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += (size_t)n;
    }
    close(fd);
    /* A file cut short while we read it is decoded as far as it goes. */
    NViewBitmap* result = data && done > 0 ? NViewLibLoadMemory(data, (unsigned long)done, flags) : NULL;
    free(data);
    return result;
}

void NViewLibFree(NViewBitmap* bitmap)
{
    if (bitmap) {
        free(bitmap->pixels);
        free(bitmap);
    }
}
