/* SPDX-License-Identifier: GPL-2.0-or-later */
/* The C interface of libNViewLib.so, our stand-in for the closed NViewLib
 * decoder library. The program loads it with dlopen from its own folder and
 * looks up both functions by these plain names. */
#ifndef TAVRI_NVIEWLIB_H
#define TAVRI_NVIEWLIB_H

#ifdef __cplusplus
extern "C" {
#endif

#ifdef NVIEWLIB_BUILDING
#define NVIEWLIB_API __attribute__((visibility("default")))
#else
#define NVIEWLIB_API
#endif

/* A decoded picture: width x height pixels, rows top-down, each pixel four
 * bytes in memory order blue, green, red, 0xFF (a QImage RGB32 on
 * little-endian machines), rows stride bytes apart. */
typedef struct NViewBitmap {
    int width;
    int height;
    int stride;
    unsigned char* pixels;
} NViewBitmap;

/* Decodes a BMP/DIB/RLE, TGA, PCX, GIF or JPG/JIF file, chosen by content.
 * Returns null when the file cannot be read or decoded; flags is reserved
 * (the program passes 0). Free the result with NViewLibFree. */
NVIEWLIB_API NViewBitmap* NViewLibLoad(const char* file, int flags);

/* Decodes a picture held in memory, as NViewLibLoad does for a file. */
NVIEWLIB_API NViewBitmap* NViewLibLoadMemory(const unsigned char* data, unsigned long size, int flags);

NVIEWLIB_API void NViewLibFree(NViewBitmap* bitmap);

#ifdef __cplusplus
}
#endif

#endif
