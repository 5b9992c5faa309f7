/* JPEG (.jpg, .jif) through libjpeg, at full size. */
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
    return bitmap;
}
