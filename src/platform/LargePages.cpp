// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/LargePages.h"

#include <cstdint>

#include <sys/mman.h>

void* MapLargePages(std::size_t bytes)
{
    // Mapped a large page longer than needed, so that it can start on a
    // large page's boundary; what lies before and after is given back.
    const std::size_t length = LargePagesFor(bytes);
    void* mapped
        = ::mmap(nullptr, length + LargePageSize, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED)
        return nullptr;
    const auto start = std::uintptr_t(mapped);
    const std::uintptr_t begin = (start + LargePageSize - 1) / LargePageSize * LargePageSize;
    if (begin > start)
        ::munmap(mapped, begin - start);
    if (start + LargePageSize > begin)
        ::munmap(reinterpret_cast<void*>(begin + length), start + LargePageSize - begin);
#if defined(MADV_HUGEPAGE)
    ::madvise(reinterpret_cast<void*>(begin), length, MADV_HUGEPAGE);
#endif
    return reinterpret_cast<void*>(begin);
}

void UnmapLargePages(void* begin, std::size_t bytes)
{
    if (begin)
        ::munmap(begin, LargePagesFor(bytes));
}
