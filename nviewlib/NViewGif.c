/* SPDX-License-Identifier: GPL-2.0-or-later */
/* GIF (.gif) through giflib: the first picture of the file on its logical
 * screen, transparent pixels showing the background colour. */
#include "NViewCommon.h"

#include <gif_lib.h>

#include <stdlib.h>
#include <string.h>

typedef struct {
    const unsigned char* data;
    size_t size;
    size_t pos;
} MemoryReader;

static int read_memory(GifFileType* gif, GifByteType* buffer, int length)
{
    MemoryReader* reader = (MemoryReader*)gif->UserData;
    if (length <= 0)
        return 0;
    size_t n = reader->size - reader->pos;
    if (n > (size_t)length)
        n = (size_t)length;
    memcpy(buffer, reader->data + reader->pos, n);
    reader->pos += n;
    return (int)n;
}

/* Reads the rows of the current picture into the screen; stops at the first
 * damaged row, keeping the rows read so far. */
static void read_picture(GifFileType* gif, NViewBitmap* bitmap, int transparent)
{
    const GifImageDesc* desc = &gif->Image;
    const ColorMapObject* map = desc->ColorMap ? desc->ColorMap : gif->SColorMap;
    const int width = desc->Width, height = desc->Height;
    GifPixelType* row = (GifPixelType*)malloc((size_t)width);
    if (!row)
        return;
    static const int passStart[4] = { 0, 4, 2, 1 }, passStep[4] = { 8, 8, 4, 2 };
    const int passes = desc->Interlace ? 4 : 1;
    for (int pass = 0; pass < passes; ++pass) {
        const int start = desc->Interlace ? passStart[pass] : 0, step = desc->Interlace ? passStep[pass] : 1;
        for (int y = start; y < height; y += step) {
            if (DGifGetLine(gif, row, width) == GIF_ERROR) {
                free(row);
                return;
            }
            for (int x = 0; x < width; ++x) {
                const int index = row[x];
                if (index == transparent)
                    continue;
                if (map && index < map->ColorCount) {
                    const GifColorType* c = &map->Colors[index];
                    nv_put(
                        bitmap, (int64_t)desc->Left + x, (int64_t)desc->Top + y, c->Red, c->Green, c->Blue);
                } else {
                    nv_put(bitmap, (int64_t)desc->Left + x, (int64_t)desc->Top + y, 0, 0, 0);
                }
            }
        }
    }
    free(row);
}

NViewBitmap* nv_decode_gif(const unsigned char* data, size_t size)
{
    MemoryReader reader = { data, size, 0 };
    int error = 0;
    GifFileType* gif = DGifOpen(&reader, read_memory, &error);
    if (!gif)
        return NULL;
    NViewBitmap* bitmap = NULL;
    int transparent = -1;
    int finished = 0;
    while (!finished) {
        GifRecordType type;
        if (DGifGetRecordType(gif, &type) == GIF_ERROR)
            break;
        switch (type) {
        case EXTENSION_RECORD_TYPE: {
            int code = 0;
            GifByteType* block = NULL;
            if (DGifGetExtension(gif, &code, &block) == GIF_ERROR) {
                finished = 1;
                break;
            }
            if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4 && (block[1] & 1))
                transparent = block[4];
            while (block) {
                if (DGifGetExtensionNext(gif, &block) == GIF_ERROR) {
                    finished = 1;
                    break;
                }
            }
            break;
        }
        case IMAGE_DESC_RECORD_TYPE: {
            finished = 1;
            if (DGifGetImageDesc(gif) == GIF_ERROR)
                break;
            const GifImageDesc* desc = &gif->Image;
            if (desc->Width <= 0 || desc->Height <= 0 || desc->Left < 0 || desc->Top < 0)
                break;
            /* A screen smaller than its picture (or none) grows to hold it. */
            int64_t screenW = gif->SWidth, screenH = gif->SHeight;
            if (screenW < (int64_t)desc->Left + desc->Width)
                screenW = (int64_t)desc->Left + desc->Width;
            if (screenH < (int64_t)desc->Top + desc->Height)
                screenH = (int64_t)desc->Top + desc->Height;
            bitmap = nv_bitmap_new(screenW, screenH, size);
            if (!bitmap)
                break;
            const ColorMapObject* global = gif->SColorMap;
            if (global && gif->SBackGroundColor >= 0 && gif->SBackGroundColor < global->ColorCount) {
                const GifColorType* c = &global->Colors[gif->SBackGroundColor];
                nv_fill(bitmap, c->Red, c->Green, c->Blue);
            } else {
                nv_fill(bitmap, 0xFF, 0xFF, 0xFF);
            }
            read_picture(gif, bitmap, transparent);
            break;
        }
        case TERMINATE_RECORD_TYPE:
        default:
            finished = 1;
            break;
        }
    }
    DGifCloseFile(gif, &error);
    return bitmap;
}
