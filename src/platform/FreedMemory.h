// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The C library's heap: handing memory that the program freed back to the
// system.

// The C library keeps freed memory for later use; after a large album with
// its lists is gone, most of it stays unused. Asks the library to give the
// free pages back. Takes a few milliseconds for a large heap.
void GiveBackFreedMemory();
