// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// Memory mapped for one use alone, starting on a large page's boundary and
// backed by large pages where the system gives them: a block of records or a
// large decoded picture costs a few page faults instead of one per 4 KiB.
#include <cstddef>

constexpr std::size_t LargePageSize = 2 * 1024 * 1024;

// bytes rounded up to whole large pages: the length MapLargePages maps.
constexpr std::size_t LargePagesFor(std::size_t bytes)
{
    return (bytes + LargePageSize - 1) / LargePageSize * LargePageSize;
}

// LargePagesFor(bytes) bytes of zeroes, readable and writable, starting on a
// multiple of LargePageSize; null when there is no memory. Given back with
// UnmapLargePages and the same bytes.
void* MapLargePages(std::size_t bytes);
void UnmapLargePages(void* begin, std::size_t bytes);
