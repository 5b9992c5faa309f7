// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/FreedMemory.h"

// Any header of the C library tells whether it is glibc.
#include <climits>
#include <cstdlib>
#if defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace {

// The limits between which the C library otherwise slides its thresholds as
// it sees large blocks come and go: up to 32 MiB a request is served from the
// heap, and the heap keeps up to 64 MiB free at its end before giving any back
// by itself.
constexpr int HeapRequestLimit = 32 * 1024 * 1024;
constexpr int KeptFreeLimit = 64 * 1024 * 1024;
// What the heap grows by beyond a request, the library's default.
constexpr int UsualGrowthPad = 128 * 1024;
constexpr quintptr LargePage = 2 * 1024 * 1024;
// Below a few large pages the growth is not worth the trouble.
constexpr qint64 SmallestWorthGrowing = 8 * LargePage;

} // namespace

void GiveBackFreedMemory()
{
#if defined(__GLIBC__)
    ::malloc_trim(0);
#endif
}

TLargeRecordHeap::TLargeRecordHeap(qint64 bytes)
{
#if defined(__GLIBC__) && defined(MADV_HUGEPAGE)
    if (bytes < SmallestWorthGrowing || bytes > qint64(INT_MAX - KeptFreeLimit))
        return;
    ::mallopt(M_MMAP_THRESHOLD, HeapRequestLimit);
    // A large block freed while the records are made would otherwise hand the
    // grown part back before it is used.
    ::mallopt(M_TRIM_THRESHOLD, int(bytes) + KeptFreeLimit);
    ::mallopt(M_TOP_PAD, int(bytes));
    // A request larger than all the heap's free memory makes it grow now, by
    // bytes beyond the request.
    const size_t request = ::mallinfo2().fordblks + 1;
    const auto before = quintptr(::sbrk(0));
    void* probe = request < size_t(HeapRequestLimit) ? std::malloc(request) : nullptr;
    const auto after = quintptr(::sbrk(0));
    const quintptr begin = (before + LargePage - 1) & ~(LargePage - 1);
    const quintptr end = after & ~(LargePage - 1);
    if (probe && end > begin)
        ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
    std::free(probe);
    ::mallopt(M_TOP_PAD, UsualGrowthPad);
    m_grown = true;
#else
    Q_UNUSED(bytes);
#endif
}

TLargeRecordHeap::~TLargeRecordHeap()
{
#if defined(__GLIBC__) && defined(MADV_HUGEPAGE)
    if (m_grown)
        ::mallopt(M_TRIM_THRESHOLD, KeptFreeLimit);
#endif
}
