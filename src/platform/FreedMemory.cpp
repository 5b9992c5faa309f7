// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/FreedMemory.h"

// Any header of the C library tells whether it is glibc.
#include <cstdlib>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

void GiveBackFreedMemory()
{
#if defined(__GLIBC__)
    ::malloc_trim(0);
#endif
}
