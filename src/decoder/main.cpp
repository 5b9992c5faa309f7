// SPDX-License-Identifier: GPL-2.0-or-later
// The decoder program: decodes pictures with the FreeImage library for the
// program, one request at a time, on the socket it inherits. FreeImage
// crashes, loops and asks for tens of gigabytes on some damaged files; here
// that costs this process and the one file, never the program and its
// unsaved work. The program gives the limits on the command line:
//
//   tavrimolex-decoder --library NAME --memory BYTES --pixels COUNT [--parent PID]
#include "imaging/DecoderProtocol.h"
#include "imaging/FreeImageBinding.h"
#include "imaging/FreeImageDecode.h"

#include <QByteArray>
#include <QString>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#define TAVRI_DECODER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TAVRI_DECODER_ASAN 1
#endif
#endif

#ifdef TAVRI_DECODER_ASAN
// AddressSanitizer reserves terabytes of address space, so an address-space
// limit cannot work under it; its own limits bound the memory instead, and a
// refused allocation reaches FreeImage as a null pointer, as it would here.
extern "C" const char* __asan_default_options()
{
    return "allocator_may_return_null=1:detect_leaks=0:max_allocation_size_mb=1024:"
           "soft_rss_limit_mb=1024:hard_rss_limit_mb=1536";
}
#endif

namespace {

using namespace DecoderProtocol;

constexpr int Socket = SocketDescriptor;

bool ReadExactly(void* buffer, size_t size)
{
    auto* p = static_cast<char*>(buffer);
    while (size > 0) {
        const ssize_t n = ::recv(Socket, p, size, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        size -= size_t(n);
    }
    return true;
}

bool WriteExactly(const void* buffer, size_t size)
{
    const auto* p = static_cast<const char*>(buffer);
    while (size > 0) {
        const ssize_t n = ::send(Socket, p, size, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        size -= size_t(n);
    }
    return true;
}

// Sends the replies and the rows through one buffer.
class SocketSink : public TFreeImageRowSink {
public:
    // The program waits for the header to know how long the decode may take.
    bool Header(int width, int height) override
    {
        const Reply reply { DecoderProtocol::Header, std::uint32_t(width), std::uint32_t(height) };
        m_failed = !Put(&reply, sizeof reply) || !Flush();
        return !m_failed;
    }
    bool Start(int width, int height) override
    {
        m_width = size_t(width);
        m_started = true;
        const Reply reply { Decoded, std::uint32_t(width), std::uint32_t(height) };
        return Put(&reply, sizeof reply);
    }
    bool Row(const quint32* pixels) override { return Put(pixels, m_width * 4); }
    bool Flush()
    {
        const bool ok = WriteExactly(m_buffer.data(), m_buffer.size());
        m_buffer.clear();
        return ok;
    }
    bool Started() const { return m_started; }
    bool Failed() const { return m_failed; }

private:
    bool Put(const void* data, size_t size)
    {
        if (m_buffer.size() + size > BufferSize && !Flush()) {
            m_failed = true;
            return false;
        }
        if (size > BufferSize) {
            m_failed = !WriteExactly(data, size);
            return !m_failed;
        }
        const auto* bytes = static_cast<const char*>(data);
        m_buffer.insert(m_buffer.end(), bytes, bytes + size);
        return true;
    }

    static constexpr size_t BufferSize = 256 * 1024;
    std::vector<char> m_buffer;
    size_t m_width = 0;
    bool m_started = false;
    bool m_failed = false;
};

void Limit(int resource, rlim_t value)
{
    const rlimit limit { value, value };
    ::setrlimit(resource, &limit);
}

// One request: true while the socket still works.
bool Serve(long long maxPixels)
{
    Request request {};
    if (!ReadExactly(&request, sizeof request) || request.pathLength == 0
        || request.pathLength > MaxPathLength)
        return false;
    QByteArray path(qsizetype(request.pathLength), '\0');
    if (!ReadExactly(path.data(), size_t(path.size())))
        return false;

    // Only a regular file, checked on the opened file; FreeImage then opens
    // that very file through /proc, so nothing swapped in after the check
    // (a FIFO that would block) is read instead.
    SocketSink sink;
    TFreeImageOutcome outcome = TFreeImageOutcome::Failed;
    const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat st { };
    if (fd >= 0 && ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        const QByteArray viaProc = "/proc/self/fd/" + QByteArray::number(fd);
        const QByteArray& name = ::access(viaProc.constData(), R_OK) == 0 ? viaProc : path;
        outcome = DecodeWithFreeImage(int(request.formatCode), name.constData(), maxPixels, sink);
    }
    if (fd >= 0)
        ::close(fd);
    if (sink.Failed())
        return false;
    if (outcome == TFreeImageOutcome::Decoded)
        return sink.Flush();
    // Rows a stopped decode left in the buffer would read as the reply.
    if (sink.Started())
        return false;
    const Reply reply { outcome == TFreeImageOutcome::Refused ? Refused : Failed, 0, 0 };
    return WriteExactly(&reply, sizeof reply);
}

} // namespace

int main(int argc, char** argv)
{
    QString library = QStringLiteral("libfreeimage.so.3");
    long long memory = 0;
    long long pixels = 0;
    long long parent = 0;
    for (int i = 1; i + 1 < argc; i += 2) {
        const char* key = argv[i];
        const char* value = argv[i + 1];
        if (std::strcmp(key, "--library") == 0)
            library = QString::fromLocal8Bit(value);
        else if (std::strcmp(key, "--memory") == 0)
            memory = std::atoll(value);
        else if (std::strcmp(key, "--pixels") == 0)
            pixels = std::atoll(value);
        else if (std::strcmp(key, "--parent") == 0)
            parent = std::atoll(value);
    }
    if (pixels <= 0) {
        std::fprintf(
            stderr, "usage: %s --library NAME --memory BYTES --pixels COUNT [--parent PID]\n", argv[0]);
        return 2;
    }
    // Never outlive the program, even when it is killed.
    if (parent > 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != pid_t(parent))
            return 0;
    }
    std::signal(SIGPIPE, SIG_IGN);
    // A crash is an ordinary outcome here: no core files.
    Limit(RLIMIT_CORE, 0);
#ifndef TAVRI_DECODER_ASAN
    if (memory > 0)
        Limit(RLIMIT_AS, rlim_t(memory));
#else
    (void)memory;
#endif

    SetFreeImageLibraryName(library);
    LoadFreeImageLibrary();
    FreeImageInitialise(false);
    while (Serve(pixels)) { }
    FreeImageDeInitialise();
    UnloadFreeImageLibrary();
    return 0;
}
