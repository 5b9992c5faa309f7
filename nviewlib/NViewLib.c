#include "NViewLib.h"

#include <stdlib.h>

NViewBitmap* NViewLibLoad(const char* file, int flags)
{
    (void)file;
    (void)flags;
    return NULL;
}

NViewBitmap* NViewLibLoadMemory(const unsigned char* data, unsigned long size, int flags)
{
    (void)data;
    (void)size;
    (void)flags;
    return NULL;
}

void NViewLibFree(NViewBitmap* bitmap)
{
    if (bitmap) {
        free(bitmap->pixels);
        free(bitmap);
    }
}
