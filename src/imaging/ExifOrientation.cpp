// SPDX-License-Identifier: GPL-2.0-or-later
#include "imaging/ExifOrientation.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr unsigned OrientationTag = 0x0112;
constexpr unsigned TypeShort = 3;
constexpr std::size_t EntrySize = 12;

// The TIFF block of the marker, read in its own byte order; every read is
// checked against the bytes present, whatever the offsets claim.
class TiffReader {
public:
    TiffReader(const unsigned char* data, std::size_t size, bool bigEndian)
        : m_data(data)
        , m_size(size)
        , m_bigEndian(bigEndian)
    {
    }

    bool Has(std::uint64_t offset, std::uint64_t bytes) const
    {
        return offset <= m_size && bytes <= m_size - offset;
    }
    unsigned U16(std::size_t at) const
    {
        const unsigned a = m_data[at], b = m_data[at + 1];
        return m_bigEndian ? (a << 8 | b) : (b << 8 | a);
    }
    std::uint32_t U32(std::size_t at) const
    {
        const std::uint32_t hi = U16(at), lo = U16(at + 2);
        return m_bigEndian ? (hi << 16 | lo) : (lo << 16 | hi);
    }

private:
    const unsigned char* m_data;
    std::size_t m_size;
    bool m_bigEndian;
};

} // namespace

int ExifOrientation(const unsigned char* app1, std::size_t size)
{
    static const unsigned char signature[6] = { 'E', 'x', 'i', 'f', 0, 0 };
    if (!app1 || size < sizeof signature + 8 || std::memcmp(app1, signature, sizeof signature) != 0)
        return 1;
    const unsigned char* tiff = app1 + sizeof signature;
    const std::size_t tiffSize = size - sizeof signature;
    bool bigEndian;
    if (tiff[0] == 'I' && tiff[1] == 'I')
        bigEndian = false;
    else if (tiff[0] == 'M' && tiff[1] == 'M')
        bigEndian = true;
    else
        return 1;
    const TiffReader reader(tiff, tiffSize, bigEndian);
    if (reader.U16(2) != 42)
        return 1;
    const std::uint64_t directory = reader.U32(4);
    if (!reader.Has(directory, 2))
        return 1;
    const unsigned entries = reader.U16(std::size_t(directory));
    for (unsigned i = 0; i < entries; ++i) {
        const std::uint64_t entry = directory + 2 + std::uint64_t(i) * EntrySize;
        if (!reader.Has(entry, EntrySize))
            return 1;
        const std::size_t at = std::size_t(entry);
        if (reader.U16(at) != OrientationTag)
            continue;
        // One short, kept in the first two bytes of the value field.
        if (reader.U16(at + 2) != TypeShort || reader.U32(at + 4) != 1)
            return 1;
        const unsigned value = reader.U16(at + 8);
        return value >= 1 && value <= 8 ? int(value) : 1;
    }
    return 1;
}
