// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The C library's heap: handing memory that the program freed back to the
// system, and preparing it for a great many small records made at once.
#include <QtGlobal>

// The C library keeps freed memory for later use; after a large album with
// its lists is gone, most of it stays unused. Asks the library to give the
// free pages back. Takes a few milliseconds for a large heap.
void GiveBackFreedMemory();

// While one lives, the heap holds about bytes more, taken from the system at
// once and backed by large pages where the system gives them. Made before a
// large album is read and listed: with the system's small pages every 4 KiB
// of its records cost a page fault, and those faults took most of the time
// to open an album of a hundred thousand photos.
class TLargeRecordHeap {
public:
    explicit TLargeRecordHeap(qint64 bytes);
    ~TLargeRecordHeap();
    TLargeRecordHeap(const TLargeRecordHeap&) = delete;
    TLargeRecordHeap& operator=(const TLargeRecordHeap&) = delete;

private:
    bool m_grown = false;
};
