// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The messages between the program and its FreeImage decoder process, over a
// stream socket. Both ends come from the same build, so numbers travel as
// 32-bit values in the machine's own byte order.
#include <cstdint>

namespace DecoderProtocol {

// The file descriptor on which the decoder program finds its end of the socket.
inline constexpr int SocketDescriptor = 3;

// The program's name; it lives beside the executable.
inline constexpr const char* ProgramName = "tavrimolex-decoder";

// A request: this header, then pathLength bytes of the file name (no
// terminating zero). One request at a time; the next one waits for the reply.
struct Request {
    std::uint32_t formatCode;
    std::uint32_t pathLength;
};
inline constexpr std::uint32_t MaxPathLength = 65536;

// The replies to one request. First, before any decoding, Header: the size
// the file's header claims, from which the program sets the time the decode
// may take (0 x 0 where the format tells its size only by decoding). Then one
// of the others. When status is Decoded, width x height pixels follow, rows
// top down, each pixel four bytes: blue, green, red, 0xFF (RGB32 in memory on
// a little-endian machine). Refused: the picture is over the pixel budget and
// was not decoded. Failed: the library could not decode the file. Refused and
// Failed may also come at once, without a Header, and carry 0 x 0.
enum Status : std::uint32_t { Failed = 0, Decoded = 1, Header = 2, Refused = 3 };
struct Reply {
    std::uint32_t status;
    std::uint32_t width;
    std::uint32_t height;
};

} // namespace DecoderProtocol
