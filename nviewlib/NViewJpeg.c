/* SPDX-License-Identifier: GPL-2.0-or-later */
/* JPEG (.jpg, .jif) through libjpeg, at full size, standing as the camera's
 * Exif orientation tag says. */
#include "NViewCommon.h"

#include <setjmp.h>
#include <stdio.h>
#include <string.h>

#include <jpeglib.h>

/* libjpeg's own working memory (a progressive file keeps the coefficients of
 * every block) and the number of scans, each of which walks the whole
 * picture again: as in the program's own JPEG decoder. */
#define NV_JPEG_MAX_MEMORY (640L * 1024 * 1024)
#define NV_JPEG_MAX_SCANS 256

typedef struct {
    struct jpeg_error_mgr pub;
    jmp_buf jump;
} ErrorManager;

static void error_exit(j_common_ptr cinfo)
{
    longjmp(((ErrorManager*)cinfo->err)->jump, 1);
}

static void limit_scans(j_common_ptr cinfo)
{
    if (cinfo->is_decompressor && ((j_decompress_ptr)cinfo)->input_scan_number > NV_JPEG_MAX_SCANS)
        longjmp(((ErrorManager*)cinfo->err)->jump, 1);
}

static void output_message(j_common_ptr cinfo)
{
    (void)cinfo;
}

static unsigned exif_u16(const unsigned char* p, int bigEndian)
{
    return bigEndian ? (unsigned)p[0] << 8 | p[1] : (unsigned)p[1] << 8 | p[0];
}

static uint32_t exif_u32(const unsigned char* p, int bigEndian)
{
    return bigEndian ? (uint32_t)exif_u16(p, 1) << 16 | exif_u16(p + 2, 1)
                     : (uint32_t)exif_u16(p + 2, 0) << 16 | exif_u16(p, 0);
}

/* The orientation tag (1 to 8) of the first directory of an Exif TIFF
 * block, in either byte order; 1 when there is none. */
static int exif_orientation(const unsigned char* tiff, size_t size)
{
    if (size < 8)
        return 1;
    int bigEndian;
    if (tiff[0] == 'I' && tiff[1] == 'I')
        bigEndian = 0;
    else if (tiff[0] == 'M' && tiff[1] == 'M')
        bigEndian = 1;
    else
        return 1;
    if (exif_u16(tiff + 2, bigEndian) != 42)
        return 1;
    const uint64_t directory = exif_u32(tiff + 4, bigEndian);
    if (directory > size || size - directory < 2)
        return 1;
    const unsigned entries = exif_u16(tiff + directory, bigEndian);
    for (unsigned i = 0; i < entries; ++i) {
        const uint64_t at = directory + 2 + (uint64_t)i * 12;
        if (at > size || size - at < 12)
            return 1;
        const unsigned char* entry = tiff + at;
        if (exif_u16(entry, bigEndian) != 0x0112)
            continue;
        /* One short, in the first two bytes of the value field. */
        if (exif_u16(entry + 2, bigEndian) != 3 || exif_u32(entry + 4, bigEndian) != 1)
            return 1;
        const unsigned value = exif_u16(entry + 8, bigEndian);
        return value >= 1 && value <= 8 ? (int)value : 1;
    }
    return 1;
}

/* The orientation of the first APP1 marker that holds Exif, among the
 * markers before the picture data. */
static int jpeg_orientation(const unsigned char* data, size_t size)
{
    size_t at = 2;
    while (at + 4 <= size && data[at] == 0xFF) {
        const unsigned marker = data[at + 1];
        if (marker == 0xFF) {
            ++at;
            continue;
        }
        if (marker == 0xDA || marker == 0xD9)
            break;
        const size_t length = (size_t)data[at + 2] << 8 | data[at + 3];
        if (length < 2)
            break;
        const unsigned char* body = data + at + 4;
        size_t bodySize = length - 2;
        if (bodySize > size - (at + 4))
            bodySize = size - (at + 4);
        if (marker == 0xE1 && bodySize >= 6 && memcmp(body, "Exif\0\0", 6) == 0)
            return exif_orientation(body + 6, bodySize - 6);
        at += 2 + length;
    }
    return 1;
}

/* The picture turned and mirrored so that it stands upright; the stored one
 * is freed. Null when there is no memory for the new one. */
static NViewBitmap* stand_upright(NViewBitmap* stored, int orientation, size_t size)
{
    if (orientation == 1)
        return stored;
    const int64_t w = stored->width, h = stored->height;
    /* A quarter turn makes rows of the columns; then either side may run
     * the other way. */
    const int turns = orientation >= 5;
    const int flipX = turns ? orientation == 6 || orientation == 7 : orientation == 2 || orientation == 3;
    const int flipY = turns ? orientation == 7 || orientation == 8 : orientation == 3 || orientation == 4;
    const int64_t uprightW = turns ? h : w, uprightH = turns ? w : h;
    NViewBitmap* upright = nv_bitmap_new(uprightW, uprightH, size);
    for (int64_t y = 0; upright && y < h; ++y) {
        for (int64_t x = 0; x < w; ++x) {
            const int64_t u = turns ? y : x, v = turns ? x : y;
            const int64_t X = flipX ? uprightW - 1 - u : u, Y = flipY ? uprightH - 1 - v : v;
            memcpy(upright->pixels + (size_t)Y * (size_t)upright->stride + (size_t)X * 4,
                stored->pixels + (size_t)y * (size_t)stored->stride + (size_t)x * 4, 4);
        }
    }
    NViewLibFree(stored);
    return upright;
}

NViewBitmap* nv_decode_jpeg(const unsigned char* data, size_t size)
{
    struct jpeg_decompress_struct cinfo;
    ErrorManager err;
    /* Set before setjmp and only read after it: volatile keeps it valid. */
    NViewBitmap* volatile bitmap = NULL;
    struct jpeg_progress_mgr progress;
    memset(&progress, 0, sizeof progress);
    progress.progress_monitor = limit_scans;
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = error_exit;
    err.pub.output_message = output_message;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        NViewLibFree(bitmap);
        return NULL;
    }
    jpeg_create_decompress(&cinfo);
    cinfo.mem->max_memory_to_use = NV_JPEG_MAX_MEMORY;
    cinfo.progress = &progress;
    jpeg_mem_src(&cinfo, data, (unsigned long)size);
    jpeg_read_header(&cinfo, TRUE);
    const int cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRX;
    jpeg_calc_output_dimensions(&cinfo);
    /* A header that claims more than its file can hold is refused before
     * libjpeg allocates anything for it. */
    if (nv_plausible_size(cinfo.output_width, cinfo.output_height, size, NV_JPEG_MAX_PIXELS_PER_BYTE))
        bitmap = nv_bitmap_new(cinfo.output_width, cinfo.output_height, size);
    if (!bitmap) {
        jpeg_destroy_decompress(&cinfo);
        return NULL;
    }
    jpeg_start_decompress(&cinfo);
    const int inverted = cinfo.saw_Adobe_marker;
    while (cinfo.output_scanline < cinfo.output_height) {
        unsigned char* out = bitmap->pixels + (size_t)cinfo.output_scanline * (size_t)bitmap->stride;
        /* CMYK rows are as wide as BGRX rows: convert in place. */
        JSAMPROW rows[1] = { out };
        jpeg_read_scanlines(&cinfo, rows, 1);
        if (cmyk) {
            for (int x = 0; x < bitmap->width; ++x) {
                unsigned char* p = out + (size_t)x * 4;
                unsigned c = p[0], m = p[1], y = p[2], k = p[3];
                if (!inverted) {
                    c = 255 - c;
                    m = 255 - m;
                    y = 255 - y;
                    k = 255 - k;
                }
                p[0] = (unsigned char)(y * k / 255);
                p[1] = (unsigned char)(m * k / 255);
                p[2] = (unsigned char)(c * k / 255);
                p[3] = 0xFF;
            }
        }
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return stand_upright(bitmap, jpeg_orientation(data, size), size);
}
