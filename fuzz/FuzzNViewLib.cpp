// SPDX-License-Identifier: GPL-2.0-or-later
// Fuzz target: the NViewLib stand-in on any bytes, as NViewLibLoad hands
// them over. Every pixel of a returned picture is read, so a picture larger
// than its buffer shows under AddressSanitizer.
#include <NViewLib.h>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    NViewBitmap* bitmap = NViewLibLoadMemory(data, static_cast<unsigned long>(size), 0);
    if (!bitmap)
        return 0;
    unsigned sum = 0;
    for (int y = 0; y < bitmap->height; ++y)
        for (int x = 0; x < bitmap->width * 4; ++x)
            sum += bitmap->pixels[std::size_t(y) * std::size_t(bitmap->stride) + std::size_t(x)];
    NViewLibFree(bitmap);
    return int(sum & 0);
}
