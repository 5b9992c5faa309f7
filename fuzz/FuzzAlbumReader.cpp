// SPDX-License-Identifier: GPL-2.0-or-later
// Fuzz target: the album reader on any bytes. A damaged album must end in an
// EStreamError, never in a crash, a sanitizer report or a huge allocation.
#include "model/Album.h"
#include "model/Reader.h"
#include "model/StreamError.h"
#include "model/Writer.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > std::size_t(TAlbum::MaxFileSize))
        return 0;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    // Never read or written: the name only places the album.
    TAlbum album(QStringLiteral("/nonexistent/fuzz.tvx"));
    try {
        TReader reader(bytes);
        const int version = reader.ReadInteger();
        album.LoadFromReader(reader, version);
    } catch (const EStreamError&) {
        return 0;
    }
    // What was read must also write.
    TWriter writer;
    writer.WriteInteger(2);
    album.SaveToWriter(writer);
    return 0;
}
