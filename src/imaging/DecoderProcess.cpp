// SPDX-License-Identifier: GPL-2.0-or-later
#include "imaging/DecoderProcess.h"

#include "imaging/DecoderProtocol.h"
#include "imaging/PictureLimits.h"
#include "platform/AppFolders.h"

#include <QFile>
#include <QImage>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

using namespace DecoderProtocol;

qint64 NowMs()
{
    timespec now {};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

// The processor time the process has used, in milliseconds; -1 when the
// system does not tell.
qint64 ProcessCpuMs(pid_t pid)
{
    char name[64];
    std::snprintf(name, sizeof name, "/proc/%d/stat", int(pid));
    const int fd = ::open(name, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    char text[1024];
    const ssize_t n = ::read(fd, text, sizeof text - 1);
    ::close(fd);
    if (n <= 0)
        return -1;
    text[n] = '\0';
    // The program's name, in parentheses, may hold anything: fields are
    // counted from the last parenthesis; user and system time are the 14th
    // and 15th.
    const char* fields = std::strrchr(text, ')');
    unsigned long user = 0, system = 0;
    if (!fields
        || std::sscanf(fields + 1, " %*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %lu %lu", &user, &system)
            != 2)
        return -1;
    static const long ticks = ::sysconf(_SC_CLK_TCK);
    return ticks > 0 ? qint64(user + system) * 1000 / ticks : -1;
}

} // namespace

// The time of one Decode: a budget of the decoder's processor time, which
// the header's size sets, and twice the budget in time on the clock, for a
// decoder that waits instead of working. A busy machine, the program's own
// thumbnail workers included, slows a large picture down without failing
// it; a decoder that loops is stopped once it has had its budget.
class TDecodeClock {
public:
    static constexpr qint64 WallFactor = 2;

    TDecodeClock(qint64 capMs, qint64 fileBytes)
        : m_start(NowMs())
        , m_capMs(capMs)
        , m_fileBytes(fileBytes)
    {
    }

    qint64 FileBytes() const { return m_fileBytes; }

    void Allow(qint64 milliseconds)
    {
        m_budgetMs = m_capMs > 0 ? std::min(milliseconds, m_capMs) : milliseconds;
        m_lookAt = m_start + m_budgetMs;
    }

    // The processor time of process pid counts from here on.
    void Watch(pid_t pid)
    {
        m_pid = pid;
        m_cpuAtStart = ProcessCpuMs(pid);
    }

    // Milliseconds to wait before the next look at the decoder; 0 when its
    // time is up.
    qint64 Left()
    {
        const qint64 now = NowMs();
        if (now < m_lookAt)
            return m_lookAt - now;
        const qint64 wallLimit = m_start + WallFactor * m_budgetMs;
        if (now >= wallLimit)
            return 0;
        const qint64 cpu = ProcessCpuMs(m_pid);
        const qint64 used = cpu - m_cpuAtStart;
        if (cpu < 0 || m_cpuAtStart < 0 || used >= m_budgetMs)
            return 0;
        m_lookAt = std::min(now + (m_budgetMs - used), wallLimit);
        return m_lookAt - now;
    }

private:
    qint64 m_start;
    qint64 m_capMs;
    qint64 m_fileBytes;
    qint64 m_budgetMs = 0;
    qint64 m_lookAt = 0;
    pid_t m_pid = -1;
    qint64 m_cpuAtStart = -1;
};

namespace {

// Waits until the socket is ready for events or the decoder's time is up.
bool WaitFor(int fd, short events, TDecodeClock& clock)
{
    for (;;) {
        const qint64 left = clock.Left();
        if (left <= 0)
            return false;
        pollfd p { fd, events, 0 };
        const int n = ::poll(&p, 1, int(std::min<qint64>(left, 1000000)));
        if (n > 0)
            return (p.revents & events) != 0 || (p.revents & POLLHUP) != 0;
        if (n < 0 && errno != EINTR)
            return false;
    }
}

bool SendAll(int fd, const char* data, size_t size, TDecodeClock& clock)
{
    while (size > 0) {
        if (!WaitFor(fd, POLLOUT, clock))
            return false;
        const ssize_t n = ::send(fd, data, size, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= size_t(n);
    }
    return true;
}

bool ReceiveAll(int fd, char* data, size_t size, TDecodeClock& clock)
{
    while (size > 0) {
        if (!WaitFor(fd, POLLIN, clock))
            return false;
        const ssize_t n = ::recv(fd, data, size, MSG_DONTWAIT);
        if (n < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= size_t(n);
    }
    return true;
}

// What tells one version of a file from another without reading it; the
// file's number too, as a file written anew within the clock's tick may
// have the same size and time.
QByteArray FileIdentity(const QByteArray& path, const struct stat& st)
{
    return path + '\0' + QByteArray::number(qint64(st.st_size)) + ':'
        + QByteArray::number(qint64(st.st_mtim.tv_sec)) + '.' + QByteArray::number(qint64(st.st_mtim.tv_nsec))
        + ':' + QByteArray::number(quint64(st.st_dev)) + '.' + QByteArray::number(quint64(st.st_ino));
}

} // namespace

qint64 TDecoderProcess::TimeBudgetMs(qint64 width, qint64 height, qint64 fileBytes)
{
    if (width <= 0 || height <= 0)
        return UnknownSizeTimeMs;
    const qint64 describable = std::max<qint64>(fileBytes, 0) * PictureLimits::MaxPixelsPerFileByte
        + PictureLimits::PixelAllowance;
    const qint64 claimed
        = std::min(width, qint64(PictureLimits::MaxSide)) * std::min(height, qint64(PictureLimits::MaxSide));
    const qint64 pixels = std::min({ claimed, describable, PictureLimits::MaxPixels });
    return BaseTimeMs + pixels * MsPerMegapixel / 1000000;
}

TDecoderProcess::~TDecoderProcess()
{
    Stop();
}

void TDecoderProcess::SetTimeLimit(int milliseconds)
{
    std::lock_guard guard(m_lock);
    m_timeLimitMs = std::max(milliseconds, 0);
}

int TDecoderProcess::TimeLimit() const
{
    std::lock_guard guard(m_lock);
    return m_timeLimitMs;
}

void TDecoderProcess::SetProgramFileName(const QString& fileName)
{
    std::lock_guard guard(m_lock);
    if (fileName != m_programOverride)
        StopLocked();
    m_programOverride = fileName;
}

QString TDecoderProcess::ProgramFileName() const
{
    std::lock_guard guard(m_lock);
    return ProgramFileNameLocked();
}

QString TDecoderProcess::ProgramFileNameLocked() const
{
    return m_programOverride.isEmpty() ? AppFolders::BesideProgram(QString::fromLatin1(ProgramName))
                                       : m_programOverride;
}

qint64 TDecoderProcess::Stop()
{
    std::lock_guard guard(m_lock);
    return StopLocked();
}

qint64 TDecoderProcess::StopLocked()
{
    if (m_socket >= 0) {
        ::close(m_socket);
        m_socket = -1;
    }
    if (m_pid <= 0)
        return 0;
    // Killed, not asked: a process busy with a damaged file would not listen.
    ::kill(m_pid, SIGKILL);
    int status = 0;
    rusage usage {};
    while (::wait4(m_pid, &status, 0, &usage) < 0 && errno == EINTR) { }
    m_pid = -1;
    m_peakKilobytes = std::max(m_peakKilobytes, qint64(usage.ru_maxrss));
    return qint64(usage.ru_maxrss);
}

qint64 TDecoderProcess::PeakMemory() const
{
    std::lock_guard guard(m_lock);
    return m_peakKilobytes;
}

bool TDecoderProcess::Start(const QString& libraryName)
{
    const QString program = ProgramFileNameLocked();
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0)
        return false;
    // The child's end must land on the agreed descriptor with close-on-exec
    // cleared, which duplicating onto itself would not do.
    if (ends[1] == SocketDescriptor) {
        const int moved = ::fcntl(ends[1], F_DUPFD_CLOEXEC, SocketDescriptor + 1);
        ::close(ends[1]);
        ends[1] = moved;
        if (moved < 0) {
            ::close(ends[0]);
            return false;
        }
    }

    const QByteArray programPath = QFile::encodeName(program);
    const QByteArray library = QFile::encodeName(libraryName);
    const QByteArray memory = QByteArray::number(MemoryLimit);
    const QByteArray pixels = QByteArray::number(PictureLimits::MaxPixels);
    const QByteArray parent = QByteArray::number(qint64(::getpid()));
    std::vector<char*> argv { const_cast<char*>(programPath.constData()), const_cast<char*>("--library"),
        const_cast<char*>(library.constData()), const_cast<char*>("--memory"),
        const_cast<char*>(memory.constData()), const_cast<char*>("--pixels"),
        const_cast<char*>(pixels.constData()), const_cast<char*>("--parent"),
        const_cast<char*>(parent.constData()), nullptr };

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ends[1], SocketDescriptor);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    // Whatever the program blocks or ignores, the decoder starts plain.
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &all);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    pid_t pid = -1;
    const int spawned
        = ::posix_spawn(&pid, programPath.constData(), &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    ::close(ends[1]);
    if (spawned != 0) {
        ::close(ends[0]);
        return false;
    }
    m_pid = pid;
    m_socket = ends[0];
    m_library = libraryName;
    return true;
}

TDecoderProcess::TAnswer TDecoderProcess::Request(
    const QByteArray& path, int formatCode, QImage& image, TDecodeClock& clock)
{
    const DecoderProtocol::Request request { std::uint32_t(formatCode), std::uint32_t(path.size()) };
    QByteArray message(reinterpret_cast<const char*>(&request), sizeof request);
    message += path;
    if (!SendAll(m_socket, message.constData(), size_t(message.size()), clock))
        return TAnswer::Broken;
    Reply reply {};
    if (!ReceiveAll(m_socket, reinterpret_cast<char*>(&reply), sizeof reply, clock))
        return TAnswer::Broken;
    if (reply.status == Header) {
        clock.Allow(TimeBudgetMs(reply.width, reply.height, clock.FileBytes()));
        if (!ReceiveAll(m_socket, reinterpret_cast<char*>(&reply), sizeof reply, clock))
            return TAnswer::Broken;
    }
    if (reply.status == Failed)
        return TAnswer::Failed;
    if (reply.status == Refused)
        return TAnswer::Refused;
    // The process is trusted no further than the sizes the program accepts.
    if (reply.status != Decoded || reply.width == 0 || reply.height == 0
        || reply.width > unsigned(PictureLimits::MaxSide) || reply.height > unsigned(PictureLimits::MaxSide)
        || qint64(reply.width) * reply.height > PictureLimits::MaxPixels)
        return TAnswer::Broken;
    QImage result(int(reply.width), int(reply.height), QImage::Format_RGB32);
    if (result.isNull() || result.bytesPerLine() != qsizetype(reply.width) * 4)
        return TAnswer::Broken;
    if (!ReceiveAll(m_socket, reinterpret_cast<char*>(result.bits()), size_t(result.sizeInBytes()), clock))
        return TAnswer::Broken;
    image = result;
    return TAnswer::Decoded;
}

bool TDecoderProcess::Decode(
    const QString& fileName, int formatCode, const QString& libraryName, QImage& image)
{
    image = QImage();
    const QByteArray path = QFile::encodeName(fileName);
    struct stat st { };
    if (path.isEmpty() || path.size() > qsizetype(MaxPathLength) || path.contains('\0')
        || ::stat(path.constData(), &st) != 0)
        return false;
    const QByteArray identity = FileIdentity(path, st);
    std::lock_guard guard(m_lock);
    if (m_failedByLimit.contains(identity))
        return false;
    TDecodeClock clock(m_timeLimitMs, qint64(st.st_size));
    // Until the header tells the size.
    clock.Allow(UnknownSizeTimeMs);
    // A process that ended since the last request (killed from outside) is
    // already reaped here, so its number is never signalled again.
    if (m_pid > 0 && ::waitpid(m_pid, nullptr, WNOHANG) != 0) {
        m_pid = -1;
        StopLocked();
    }
    if (m_pid > 0 && libraryName != m_library)
        StopLocked();
    // A file can damage the process without crashing it (FreeImage writing
    // past a buffer and still returning a picture), and the next file then
    // crashes it. So a reused process that fails by crashing gets the file
    // once more in a fresh process, within the same time; only a file that
    // fails in a fresh process is lost.
    for (;;) {
        const bool fresh = m_pid <= 0;
        if (fresh && !Start(libraryName))
            return false;
        clock.Watch(m_pid);
        switch (Request(path, formatCode, image, clock)) {
        case TAnswer::Decoded:
            return !image.isNull();
        case TAnswer::Failed:
            image = QImage();
            return false;
        case TAnswer::Refused:
            image = QImage();
            m_failedByLimit.insert(identity);
            return false;
        case TAnswer::Broken:
            // Crashed, over a limit, too slow or talking nonsense.
            image = QImage();
            StopLocked();
            if (fresh || clock.Left() <= 0) {
                m_failedByLimit.insert(identity);
                return false;
            }
            break;
        }
    }
}

TDecoderProcess& FreeImageDecoder()
{
    static TDecoderProcess process;
    return process;
}
